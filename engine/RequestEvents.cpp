// RequestEvents: the single road from the engine's stages to the request's callback.
#include "engine/RequestEvents.h"

#include "toolkit/base/Progress.h"
#include "toolkit/base/Stream.h"

int32_t RaiseEvent(const RequestCallbackBlock& block, RequestEvent code, intptr_t value) {
    if (!block.callback)
        return 0;
    return block.callback(code, value, 0, &block);
}

bool FailRequest(const RequestCallbackBlock& block, const char* message) {
    RaiseEvent(block, RE_ERROR, reinterpret_cast<intptr_t>(message));
    return StopRequest(block);
}

bool StopRequest(const RequestCallbackBlock& block) {
    RaiseEvent(block, RE_WORK_END);
    RaiseEvent(block, RE_END);
    return false;
}

bool ChangedProgress::Report(int64_t done, int64_t total) {
    if (total <= 0)
        return true;
    const int value = ScaleProgress(done, total, 1000);
    if (value == last_)
        return true;
    last_ = value;
    return RaiseEvent(block_, RE_PROGRESS, value) == 0;
}

bool ChangedProgress::ReportSteps(int64_t from, int64_t to, int64_t total) {
    const int64_t step = Stream::kProgressStep;
    for (int64_t done = (from + step - 1) / step * step; done < to; done += step) {
        if (!Report(done, total))
            return false;
    }
    return true;
}
