// The animation queue's rules, played tick by tick: which frame each tick shows and when a
// record ends. Scripts append records at given ticks, as drags, drops and the worker do.
#include "app/AnimationQueue.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Append {
    int atTick;  // appended before this tick is shown
    AnimationRequest request;
};

AnimationRequest Record(int id, int frames, bool hold, bool reverse, bool loop) {
    AnimationRequest request;
    request.id = id;
    request.frameCount = frames;
    request.hold = hold;
    request.reverse = reverse;
    request.loop = loop;
    return request;
}

// Runs the queue for `ticks` ticks; each shown frame is written "id:frame", each end "end id".
std::string Play(const std::vector<Append>& appends, int ticks) {
    AnimationQueue queue;
    std::string log;
    for (int tick = 0; tick < ticks; tick++) {
        for (const Append& append : appends) {
            if (append.atTick == tick)
                queue.Append(append.request);
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

struct QueueCase {
    const char* rule;
    std::vector<Append> appends;
    int ticks;
    const char* expected;
};

TEST(AnimationQueue, PlaysEachRuleFrameByFrame) {
    const QueueCase cases[] = {
        {"a plain record plays once and ends", {{0, Record(1, 3, false, false, false)}}, 5, "1:0 1:1 1:2 end1 "},
        {"reversed: last frame down to the first", {{0, Record(1, 3, false, true, false)}}, 5, "1:2 1:1 1:0 end1 "},
        {"hold stays on the end frame while alone",
         {{0, Record(1, 3, true, false, false)}},
         6,
         "1:0 1:1 1:2 1:2 1:2 1:2 "},
        {"reversed hold stays on the first frame", {{0, Record(1, 2, true, true, false)}}, 4, "1:1 1:0 1:0 1:0 "},
        {"loop starts again while alone", {{0, Record(1, 2, false, false, true)}}, 5, "1:0 1:1 1:0 1:1 1:0 "},
        {"reversed loop", {{0, Record(1, 2, false, true, true)}}, 4, "1:1 1:0 1:1 1:0 "},
        {"a held record ends at the next tick once another waits",
         {{0, Record(1, 2, true, false, false)}, {4, Record(2, 2, false, true, false)}},
         8,
         "1:0 1:1 1:1 1:1 1:1 end1 2:1 2:0 end2 "},
        {"a waiting record never cuts the pass short",
         {{0, Record(1, 4, true, false, false)}, {1, Record(1, 4, false, true, false)}},
         10,
         "1:0 1:1 1:2 1:3 end1 1:3 1:2 1:1 1:0 end1 "},
        {"a loop finishes its turn before the records behind it",
         {{0, Record(2, 3, false, false, true)},
          {4, Record(3, 1, false, true, false)},
          {4, Record(4, 1, false, true, false)}},
         10,
         "2:0 2:1 2:2 2:0 2:1 2:2 end2 3:0 end3 4:0 end4 "},
        {"a record with no frames ends at once",
         {{0, Record(5, 0, true, false, true)}, {0, Record(6, 1, false, false, false)}},
         3,
         "5:0 end5 6:0 end6 "},
    };
    for (const QueueCase& c : cases) {
        SCOPED_TRACE(c.rule);
        EXPECT_EQ(Play(c.appends, c.ticks), c.expected);
    }
}

}  // namespace
