// Threads over POSIX threads.
#include "toolkit/base/Threads.h"

#include <pthread.h>

struct Lock::State {
    pthread_mutex_t mutex = PTHREAD_MUTEX_INITIALIZER;
    ~State() { pthread_mutex_destroy(&mutex); }
};

Lock::Lock() : state_(new State) {}
Lock::~Lock() = default;

void Lock::Acquire() {
    pthread_mutex_lock(&state_->mutex);
}

void Lock::Release() {
    pthread_mutex_unlock(&state_->mutex);
}

struct Condition::State {
    pthread_cond_t condition = PTHREAD_COND_INITIALIZER;
    ~State() { pthread_cond_destroy(&condition); }
};

Condition::Condition() : state_(new State) {}
Condition::~Condition() = default;

void Condition::Wait(Lock& lock) {
    pthread_cond_wait(&state_->condition, &lock.state_->mutex);
}

void Condition::WakeOne() {
    pthread_cond_signal(&state_->condition);
}

void Condition::WakeAll() {
    pthread_cond_broadcast(&state_->condition);
}

struct HelperThread::State {
    pthread_t thread{};
    bool running = false;
    Main main = nullptr;
    void* argument = nullptr;

    static void* Run(void* self) {
        State* state = static_cast<State*>(self);
        state->main(state->argument);
        return nullptr;
    }
};

HelperThread::HelperThread() : state_(new State) {}

HelperThread::~HelperThread() {
    Join();
}

bool HelperThread::Start(Main main, void* argument) {
    if (state_->running)
        return false;
    state_->main = main;
    state_->argument = argument;
    state_->running = pthread_create(&state_->thread, nullptr, &State::Run, state_.get()) == 0;
    return state_->running;
}

bool HelperThread::IsRunning() const {
    return state_->running;
}

void HelperThread::Join() {
    if (!state_->running)
        return;
    pthread_join(state_->thread, nullptr);
    state_->running = false;
}
