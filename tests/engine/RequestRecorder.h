// Test support for the engine: a DecryptRequest whose callback records every event and
// answers the way a test asks (overwrite yes/no, cancel at a chosen progress event), and the
// rules every event sequence of DecryptFile must obey.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/DecryptRequest.h"

namespace kvrtest {

struct RecordedEvent {
    int32_t code = 0;
    intptr_t value = 0;  // progress value; 0 for text events
    std::string text;    // RE_ERROR and RE_ASK_OVERWRITE
};

class RequestRecorder {
public:
    RequestRecorder();
    RequestRecorder(const RequestRecorder&) = delete;
    RequestRecorder& operator=(const RequestRecorder&) = delete;

    // Clears the events and runs DecryptFile on the request.
    bool Run();

    std::vector<int32_t> Codes() const;
    std::vector<int> ProgressValues() const;
    int Count(int32_t code) const;
    // The RE_ERROR text, or "" when there was none.
    std::string ErrorText() const;
    // "" when the recorded sequence is well formed, else what is wrong with it.
    std::string Problem() const;

    DecryptRequest request;
    std::vector<RecordedEvent> events;
    int32_t overwriteAnswer = 1;
    int cancelAtValue = -1;  // answer the first RE_PROGRESS at or above this value with a cancel

private:
    static int32_t Callback(int32_t code, intptr_t value, intptr_t extra, const RequestCallbackBlock* block);
    int32_t Record(int32_t code, intptr_t value, intptr_t extra, const RequestCallbackBlock* block);

    bool valueCancelDone_ = false;
    std::string callProblem_;
};

}  // namespace kvrtest
