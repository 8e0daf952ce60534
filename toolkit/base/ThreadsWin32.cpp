// Threads over slim reader/writer locks, condition variables and the C runtime's threads.
#include "toolkit/base/Threads.h"

#include <windows.h>

#include <process.h>

struct Lock::State {
    SRWLOCK lock = SRWLOCK_INIT;
};

Lock::Lock() : state_(new State) {}
Lock::~Lock() = default;

void Lock::Acquire() {
    AcquireSRWLockExclusive(&state_->lock);
}

void Lock::Release() {
    ReleaseSRWLockExclusive(&state_->lock);
}

struct Condition::State {
    CONDITION_VARIABLE condition = CONDITION_VARIABLE_INIT;
};

Condition::Condition() : state_(new State) {}
Condition::~Condition() = default;

void Condition::Wait(Lock& lock) {
    SleepConditionVariableSRW(&state_->condition, &lock.state_->lock, INFINITE, 0);
}

void Condition::WakeOne() {
    WakeConditionVariable(&state_->condition);
}

void Condition::WakeAll() {
    WakeAllConditionVariable(&state_->condition);
}

struct HelperThread::State {
    HANDLE handle = nullptr;
    Main main = nullptr;
    void* argument = nullptr;

    static unsigned __stdcall Run(void* self) {
        State* state = static_cast<State*>(self);
        state->main(state->argument);
        return 0;
    }
};

HelperThread::HelperThread() : state_(new State) {}

HelperThread::~HelperThread() {
    Join();
}

bool HelperThread::Start(Main main, void* argument) {
    if (state_->handle)
        return false;
    state_->main = main;
    state_->argument = argument;
    // _beginthreadex rather than CreateThread: the thread calls into the C runtime.
    state_->handle = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &State::Run, state_.get(), 0, nullptr));
    return state_->handle != nullptr;
}

bool HelperThread::IsRunning() const {
    return state_->handle != nullptr;
}

void HelperThread::Join() {
    if (!state_->handle)
        return;
    WaitForSingleObject(state_->handle, INFINITE);
    CloseHandle(state_->handle);
    state_->handle = nullptr;
}
