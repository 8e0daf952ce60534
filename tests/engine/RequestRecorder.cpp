// Test support: the recording callback and the event-sequence rules.
#include "tests/engine/RequestRecorder.h"

#include <algorithm>

#include "engine/DecryptFile.h"

namespace kvrtest {

RequestRecorder::RequestRecorder() {
    request.block.callback = &RequestRecorder::Callback;
    request.block.context = this;
}

bool RequestRecorder::Run() {
    events.clear();
    valueCancelDone_ = false;
    callProblem_.clear();
    return DecryptFile(request);
}

int32_t RequestRecorder::Callback(int32_t code, intptr_t value, intptr_t extra, const RequestCallbackBlock* block) {
    return static_cast<RequestRecorder*>(block->context)->Record(code, value, extra, block);
}

int32_t RequestRecorder::Record(int32_t code, intptr_t value, intptr_t extra, const RequestCallbackBlock* block) {
    if (block != &request.block)
        callProblem_ = "block is not the request's callback block";
    if (extra != 0)
        callProblem_ = "extra is not 0";
    RecordedEvent event;
    event.code = code;
    if (code == RE_ERROR || code == RE_ASK_OVERWRITE)
        event.text = value ? reinterpret_cast<const char*>(value) : "(null)";
    else
        event.value = value;
    events.push_back(event);
    if (code == RE_ASK_OVERWRITE)
        return overwriteAnswer;
    const bool cancel = code == RE_PROGRESS && cancelAtValue >= 0 && value >= cancelAtValue && !valueCancelDone_;
    valueCancelDone_ = valueCancelDone_ || cancel;
    return cancel ? 1 : 0;
}

std::vector<int32_t> RequestRecorder::Codes() const {
    std::vector<int32_t> codes;
    for (const RecordedEvent& event : events)
        codes.push_back(event.code);
    return codes;
}

std::vector<int> RequestRecorder::ProgressValues() const {
    std::vector<int> values;
    for (const RecordedEvent& event : events)
        if (event.code == RE_PROGRESS)
            values.push_back(static_cast<int>(event.value));
    return values;
}

int RequestRecorder::Count(int32_t code) const {
    return static_cast<int>(
        std::count_if(events.begin(), events.end(), [code](const RecordedEvent& e) { return e.code == code; }));
}

std::string RequestRecorder::ErrorText() const {
    for (const RecordedEvent& event : events)
        if (event.code == RE_ERROR)
            return event.text;
    return "";
}

std::string RequestRecorder::Problem() const {
    if (!callProblem_.empty())
        return callProblem_;
    const std::vector<int32_t> codes = Codes();
    const size_t n = codes.size();
    if (n < 2 || codes.front() != RE_BEGIN || codes.back() != RE_END)
        return "does not run from RE_BEGIN to RE_END";
    if (Count(RE_BEGIN) != 1 || Count(RE_END) != 1)
        return "RE_BEGIN or RE_END more than once";
    for (int32_t code : codes)
        if (code < RE_BEGIN || code > RE_ASK_OVERWRITE)
            return "unknown event code " + std::to_string(code);
    if (Count(RE_ASK_OVERWRITE) > 1 || (Count(RE_ASK_OVERWRITE) == 1 && codes[1] != RE_ASK_OVERWRITE))
        return "overwrite question not right after RE_BEGIN";
    if (Count(RE_ERROR) > 1)
        return "more than one RE_ERROR";
    const auto error = std::find(codes.begin(), codes.end(), RE_ERROR);
    if (error != codes.end() && (codes.end() - error != 3 || error[1] != RE_WORK_END))
        return "RE_ERROR not followed by RE_WORK_END and RE_END";
    if (Count(RE_WORK_BEGIN) > 1 || Count(RE_WORK_END) > 1)
        return "work began or ended twice";
    if (Count(RE_WORK_BEGIN) == 1 && codes[n - 2] != RE_WORK_END)
        return "work began but RE_WORK_END is not right before RE_END";
    const auto workBegin = std::find(codes.begin(), codes.end(), RE_WORK_BEGIN);
    int last = -1;
    for (size_t i = 0; i < n; ++i) {
        if (codes[i] != RE_PROGRESS)
            continue;
        if (workBegin == codes.end() || static_cast<size_t>(workBegin - codes.begin()) > i)
            return "progress outside the work";
        const int value = static_cast<int>(events[i].value);
        if (value < 0 || value > 2000 || value < last)
            return "progress " + std::to_string(value) + " after " + std::to_string(last);
        last = value;
    }
    return "";
}

}  // namespace kvrtest
