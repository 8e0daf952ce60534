// Progress bar text, stage names from the progress bands, and the redraw rate limit.
#include "app/cli/ConsoleProgress.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

struct UpdateStep {
    int value;
    uint32_t tick;  // milliseconds
    bool drawn;
};

TEST(ConsoleProgress, RedrawsAtMostOncePerIntervalExceptOnANewStageOrTheEnd) {
    const std::vector<std::vector<UpdateStep>> runs = {
        // Within a stage: the first value always shows, then one per 100 ms since the last drawing.
        {{1, 5000, true}, {2, 5001, false}, {500, 5099, false}, {501, 5100, true}, {600, 5150, false}},
        // reading -> removing the key -> inflating -> writing, then the end.
        {{10, 0, true},
         {1000, 1, true},
         {1100, 2, false},
         {1333, 3, true},
         {1700, 4, true},
         {1900, 5, false},
         {2000, 6, true}},
        // The tick count wraps after 49.7 days.
        {{1, 0xFFFFFFF0u, true}, {2, 0x10, false}, {3, 0x60, true}},
    };
    for (size_t run = 0; run < runs.size(); ++run) {
        ConsoleProgress progress(100);
        progress.Begin("a.enc", false);
        String line;
        for (const UpdateStep& step : runs[run])
            EXPECT_EQ(step.drawn, progress.Update(step.value, true, step.tick, line)) << run << ": " << step.value;
    }
}

TEST(ConsoleProgress, BeginStartsANewFile) {
    ConsoleProgress progress(100);
    progress.Begin("a.enc", false);
    String line;
    EXPECT_TRUE(progress.Update(501, false, 100, line));
    EXPECT_NE(std::string::npos, std::string(line.Text()).find(" 25% reading"));
    progress.Begin("b.bmp", true);
    EXPECT_FALSE(progress.HasDrawn());
    EXPECT_TRUE(progress.Update(1, false, 101, line));
    EXPECT_EQ(0u, std::string(line.Text()).find("b.bmp ["));
    EXPECT_NE(std::string::npos, std::string(line.Text()).find("extracting"));
}

}  // namespace
