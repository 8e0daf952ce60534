// Progress bar text, stage names from the progress bands, and the redraw rate limit.
#include "app/cli/ConsoleProgress.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct StageCase {
    int value;
    bool compressed;
    bool carrier;
    const char* stage;
};

const StageCase kStages[] = {
    {0, false, false, "reading"},
    {999, true, false, "reading"},
    {0, false, true, "extracting"},
    {999, false, true, "extracting"},
    {1000, false, false, "removing the key"},
    {1000, true, true, "removing the key"},
    {1332, true, false, "removing the key"},
    {1333, false, false, "removing the key"},  // uncompressed: the key stage runs to 1665
    {1665, false, false, "removing the key"},
    {1333, true, false, "inflating"},
    {1665, true, false, "inflating"},
    {1666, false, false, "writing"},
    {1666, true, false, "writing"},
    {2000, true, true, "writing"},
};

TEST(ConsoleProgress, StageNamesFollowTheBands) {
    for (const StageCase& c : kStages) {
        SCOPED_TRACE(c.value);
        EXPECT_STREQ(c.stage, ConsoleProgress::StageName(c.value, c.compressed, c.carrier));
    }
}

TEST(ConsoleProgress, LineShowsLabelBarPercentAndStage) {
    ConsoleProgress progress;
    progress.Begin("a.enc", false);
    const std::string half = progress.Line(1000, false).Text();
    EXPECT_EQ(0u, half.find("a.enc ["));
    EXPECT_NE(std::string::npos, half.find("[###############...............]"));
    EXPECT_NE(std::string::npos, half.find(" 50% removing the key"));

    const std::string none = progress.Line(0, false).Text();
    EXPECT_NE(std::string::npos, none.find("[..............................]"));
    EXPECT_NE(std::string::npos, none.find("  0% reading"));

    const std::string full = progress.Line(2000, true).Text();
    EXPECT_NE(std::string::npos, full.find("[##############################]"));
    EXPECT_NE(std::string::npos, full.find("100% writing"));
}

TEST(ConsoleProgress, LinesKeepOneWidthAcrossStages) {
    // A shorter stage name must overwrite a longer one when the line is redrawn with \r.
    ConsoleProgress progress;
    progress.Begin("x.wav", true);
    const int width = progress.Line(0, false).Length();
    for (int value : {999, 1000, 1400, 1700, 2000})
        EXPECT_EQ(width, progress.Line(value, true).Length()) << value;
}

TEST(ConsoleProgress, OutOfRangeValuesAreClamped) {
    ConsoleProgress progress;
    progress.Begin("a.enc", false);
    EXPECT_STREQ(progress.Line(0, false).Text(), progress.Line(-5, false).Text());
    EXPECT_STREQ(progress.Line(2000, false).Text(), progress.Line(2600, false).Text());
}

TEST(ConsoleProgress, RedrawsAtMostOncePerIntervalWithinAStage) {
    ConsoleProgress progress(100);
    progress.Begin("a.enc", false);
    String line;
    EXPECT_TRUE(progress.Update(1, false, 5000, line));  // the first value always shows
    EXPECT_FALSE(progress.Update(2, false, 5001, line));
    EXPECT_FALSE(progress.Update(500, false, 5099, line));
    EXPECT_TRUE(progress.Update(501, false, 5100, line));
    EXPECT_NE(std::string::npos, std::string(line.Text()).find(" 25% reading"));
    EXPECT_FALSE(progress.Update(600, false, 5150, line));
}

TEST(ConsoleProgress, StageChangeAndEndRedrawAtOnce) {
    ConsoleProgress progress(100);
    progress.Begin("a.enc", false);
    String line;
    EXPECT_TRUE(progress.Update(10, true, 0, line));
    EXPECT_TRUE(progress.Update(1000, true, 1, line));  // reading -> removing the key
    EXPECT_FALSE(progress.Update(1100, true, 2, line));
    EXPECT_TRUE(progress.Update(1333, true, 3, line));  // -> inflating
    EXPECT_TRUE(progress.Update(1700, true, 4, line));  // -> writing
    EXPECT_FALSE(progress.Update(1900, true, 5, line));
    EXPECT_TRUE(progress.Update(2000, true, 6, line));  // the end always shows
}

TEST(ConsoleProgress, ThousandEventsInOneSecondGiveAboutTenRedraws) {
    ConsoleProgress progress(100);
    progress.Begin("a.enc", false);
    String line;
    int redraws = 0;
    for (int i = 0; i < 1000; i++)
        redraws += progress.Update(1000 + i * 600 / 1000, false, 70000 + i, line) ? 1 : 0;
    EXPECT_GE(redraws, 10);
    EXPECT_LE(redraws, 12);
}

TEST(ConsoleProgress, ClockWrapDoesNotStopRedraws) {
    ConsoleProgress progress(100);
    progress.Begin("a.enc", false);
    String line;
    EXPECT_TRUE(progress.Update(1, false, 0xFFFFFFF0u, line));
    EXPECT_FALSE(progress.Update(2, false, 0x00000010u, line));  // 32 ms later
    EXPECT_TRUE(progress.Update(3, false, 0x00000060u, line));   // 112 ms later
}

TEST(ConsoleProgress, BeginStartsANewFile) {
    ConsoleProgress progress(100);
    progress.Begin("a.enc", false);
    String line;
    EXPECT_TRUE(progress.Update(1, false, 100, line));
    progress.Begin("b.bmp", true);
    EXPECT_FALSE(progress.HasDrawn());
    EXPECT_TRUE(progress.Update(1, false, 101, line));
    EXPECT_EQ(0, std::string(line.Text()).find("b.bmp ["));
    EXPECT_NE(std::string::npos, std::string(line.Text()).find("extracting"));
}

}  // namespace
