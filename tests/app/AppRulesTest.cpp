// Small rules of the windowed program: the dial picture for a progress value, the kind of a
// dropped file, and the animation queue played tick by tick (which frame each tick shows and
// when a record ends; scripts append records at given ticks, as drags, drops and the worker do).
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/AnimationQueue.h"
#include "app/FileKind.h"
#include "app/ProgressDial.h"

namespace {

TEST(ProgressDial, TurnsEvenlyThroughBothHalves) {
    const struct {
        int progress;
        int picture;
    } cases[] = {
        {0, 0},     {49, 0},    {50, 1},    {999, 19},  {1000, 20}, {1001, 21},
        {1053, 22}, {1500, 30}, {1999, 39}, {2000, 40}, {-7, 0},    {2600, 40},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DialPictureIndex(c.progress), c.picture) << "progress " << c.progress;
}

TEST(FileKind, ToldByTheExtensionWithoutRegardToCase) {
    const struct {
        const char* path;
        FileKind kind;
    } cases[] = {
        {"C:\\in\\letters.enc", FileKind::kDecryptable}, {"C:\\in\\PHOTO.PNG", FileKind::kDecryptable},
        {"C:\\in\\song.Wav", FileKind::kDecryptable},    {"C:\\in\\picture.bmp", FileKind::kDecryptable},
        {"C:\\in\\project.Key", FileKind::kKey},         {"C:\\in\\notes.txt", FileKind::kOther},
        {"C:\\in\\no extension", FileKind::kOther},      {"C:\\in.enc\\file", FileKind::kOther},
        {"C:\\in\\archive.enc.txt", FileKind::kOther},   {"C:\\in\\key.", FileKind::kOther},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ClassifyFile(c.path), c.kind) << c.path;
}

struct Append {
    int atTick;  // appended before this tick is shown
    int id, frames;
    const char* kind;  // 'h' hold, 'r' reverse, 'l' loop, any of them
};

// Runs the queue for `ticks` ticks; each shown frame is written "id:frame", each end "end id".
std::string Play(const std::vector<Append>& appends, int ticks) {
    AnimationQueue queue;
    std::string log;
    for (int tick = 0; tick < ticks; tick++) {
        for (const Append& append : appends) {
            const auto is = [&append](char c) { return strchr(append.kind, c) != nullptr; };
            if (append.atTick == tick)
                queue.Append({append.id, append.frames, is('h'), is('r'), is('l')});
        }
        if (queue.IsEmpty())
            continue;
        log += std::to_string(queue.Current().id) + ":" + std::to_string(queue.FrameIndex()) + " ";
        AnimationRequest finished;
        if (queue.Advance(finished))
            log += "end" + std::to_string(finished.id) + " ";
    }
    return log;
}

TEST(AnimationQueue, PlaysEachRuleFrameByFrame) {
    const struct {
        const char* rule;
        std::vector<Append> appends;
        int ticks;
        const char* expected;
    } cases[] = {
        {"a plain record plays once and ends", {{0, 1, 3, ""}}, 5, "1:0 1:1 1:2 end1 "},
        {"reversed: last frame down to the first", {{0, 1, 3, "r"}}, 5, "1:2 1:1 1:0 end1 "},
        {"hold stays on the end frame while alone", {{0, 1, 3, "h"}}, 6, "1:0 1:1 1:2 1:2 1:2 1:2 "},
        {"reversed hold stays on the first frame", {{0, 1, 2, "hr"}}, 4, "1:1 1:0 1:0 1:0 "},
        {"loop starts again while alone", {{0, 1, 2, "l"}}, 5, "1:0 1:1 1:0 1:1 1:0 "},
        {"reversed loop", {{0, 1, 2, "rl"}}, 4, "1:1 1:0 1:1 1:0 "},
        {"a held record ends at the next tick once another waits",
         {{0, 1, 2, "h"}, {4, 2, 2, "r"}},
         8,
         "1:0 1:1 1:1 1:1 1:1 end1 2:1 2:0 end2 "},
        {"a waiting record never cuts the pass short",
         {{0, 1, 4, "h"}, {1, 1, 4, "r"}},
         10,
         "1:0 1:1 1:2 1:3 end1 1:3 1:2 1:1 1:0 end1 "},
        {"a loop finishes its turn before the records behind it",
         {{0, 2, 3, "l"}, {4, 3, 1, "r"}, {4, 4, 1, "r"}},
         10,
         "2:0 2:1 2:2 2:0 2:1 2:2 end2 3:0 end3 4:0 end4 "},
        {"a record with no frames ends at once", {{0, 5, 0, "hl"}, {0, 6, 1, ""}}, 3, "5:0 end5 6:0 end6 "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rule);
        EXPECT_EQ(Play(c.appends, c.ticks), c.expected);
    }
}

}  // namespace
