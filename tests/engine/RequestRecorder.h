// Test support for the engine: a DecryptRequest whose callback records every event and
// answers the way a test asks (overwrite yes/no, cancel at a chosen progress event), and the
// rules every event sequence of DecryptFile must obey.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/DecryptRequest.h"

namespace kvrtest {

class RequestRecorder {
public:
    RequestRecorder();
    RequestRecorder(const RequestRecorder&) = delete;
    RequestRecorder& operator=(const RequestRecorder&) = delete;

    // Clears what was recorded and runs DecryptFile on the request.
    bool Run();
    int Count(int32_t code) const;
    // "" when the recorded sequence is well formed and agrees with the result, else what is wrong.
    std::string Problem() const;

    DecryptRequest request;
    std::vector<int32_t> codes;  // every event's code, in order
    std::vector<int> progress;   // the RE_PROGRESS values, in order
    std::string error;           // the RE_ERROR text
    std::string askedFolder;     // the RE_ASK_OVERWRITE text
    int32_t overwriteAnswer = 1;
    int cancelAtValue = -1;  // answer the first RE_PROGRESS at or above this value with a cancel

private:
    int32_t Record(int32_t code, intptr_t value, intptr_t extra, const RequestCallbackBlock* block);

    bool result_ = false;
    bool cancelSent_ = false;
    std::string callProblem_;
};

}  // namespace kvrtest
