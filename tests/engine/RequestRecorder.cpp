// Test support: the recording callback and the event-sequence rules.
#include "tests/engine/RequestRecorder.h"

#include <algorithm>

#include "engine/DecryptFile.h"

namespace kvrtest {

RequestRecorder::RequestRecorder() {
    request.block.callback = [](int32_t code, intptr_t value, intptr_t extra, const RequestCallbackBlock* block) {
        return static_cast<RequestRecorder*>(block->context)->Record(code, value, extra, block);
    };
    request.block.context = this;
}

bool RequestRecorder::Run() {
    codes.clear();
    progress.clear();
    error.clear();
    askedFolder.clear();
    cancelSent_ = false;
    callProblem_.clear();
    return result_ = DecryptFile(request);
}

int32_t RequestRecorder::Record(int32_t code, intptr_t value, intptr_t extra, const RequestCallbackBlock* block) {
    if (block != &request.block || extra != 0)
        callProblem_ = "not the request's callback block, or extra is not 0";
    codes.push_back(code);
    const char* text = value ? reinterpret_cast<const char*>(value) : "(null)";
    if (code == RE_ERROR)
        error = text;
    if (code == RE_ASK_OVERWRITE) {
        askedFolder = text;
        return overwriteAnswer;
    }
    if (code != RE_PROGRESS)
        return 0;
    progress.push_back(static_cast<int>(value));
    const bool cancel = cancelAtValue >= 0 && value >= cancelAtValue && !cancelSent_;
    cancelSent_ = cancelSent_ || cancel;
    return cancel ? 1 : 0;
}

int RequestRecorder::Count(int32_t code) const {
    return static_cast<int>(std::count(codes.begin(), codes.end(), code));
}

std::string RequestRecorder::Problem() const {
    if (!callProblem_.empty())
        return callProblem_;
    const size_t n = codes.size();
    if (n < 2 || codes.front() != RE_BEGIN || codes.back() != RE_END || Count(RE_BEGIN) != 1 || Count(RE_END) != 1)
        return "does not run from one RE_BEGIN to one RE_END";
    if (std::any_of(codes.begin(), codes.end(),
                    [](int32_t code) { return code < RE_BEGIN || code > RE_ASK_OVERWRITE; }))
        return "unknown event code";
    if (Count(RE_ASK_OVERWRITE) > 1 || (Count(RE_ASK_OVERWRITE) == 1 && codes[1] != RE_ASK_OVERWRITE))
        return "overwrite question not right after RE_BEGIN";
    const auto error = std::find(codes.begin(), codes.end(), RE_ERROR);
    if (Count(RE_ERROR) > 1 || (error != codes.end() && (codes.end() - error != 3 || error[1] != RE_WORK_END)))
        return "not one RE_ERROR followed by RE_WORK_END and RE_END";
    if (Count(RE_WORK_BEGIN) > 1 || Count(RE_WORK_END) > 1 ||
        (Count(RE_WORK_BEGIN) == 1 && codes[n - 2] != RE_WORK_END))
        return "work began or ended twice, or RE_WORK_END is not right before RE_END";
    if (std::find(codes.begin(), codes.end(), RE_PROGRESS) < std::find(codes.begin(), codes.end(), RE_WORK_BEGIN))
        return "progress outside the work";
    if (!std::is_sorted(progress.begin(), progress.end()) ||
        (!progress.empty() && (progress.front() < 0 || progress.back() > 2000)))
        return "progress falls or leaves 0..2000";
    if (result_ != (Count(RE_ERROR) == 0 && !request.cancelled && !cancelSent_ && Count(RE_WORK_BEGIN) == 1))
        return "the result disagrees with the events (an error, a cancel, no work)";
    return "";
}

}  // namespace kvrtest
