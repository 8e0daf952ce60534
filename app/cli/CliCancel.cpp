// The cancel flag; see CliCancel.h.
#include "app/cli/CliCancel.h"

#include <atomic>

namespace {

// The one piece of process-wide state of the front end: the handler gets no context
// argument, and it runs on a thread of the system's or as a signal handler. A lock-free
// atomic is safe in both.
std::atomic<int> cancelRequested{0};
static_assert(std::atomic<int>::is_always_lock_free, "the flag is raised from a signal handler");

}  // namespace

void RaiseCliCancel() {
    cancelRequested.store(1);
}

bool CliCancelRequested() {
    return cancelRequested.load() != 0;
}

void CliClearCancel() {
    cancelRequested.store(0);
}
