// Threads: the little of threads that the toolkit uses, over the system's own primitives: a
// lock, a condition to wait on under it, and one helper thread that is started and joined.
// Each object is made once and never copied; a failed start leaves the caller on its own.
#pragma once

#include <memory>

class Lock {
public:
    Lock();
    ~Lock();
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

    void Acquire();
    void Release();

private:
    friend class Condition;
    struct State;
    std::unique_ptr<State> state_;
};

// Holds a lock for its scope.
class ScopedLock {
public:
    explicit ScopedLock(Lock& lock) : lock_(lock) { lock_.Acquire(); }
    ~ScopedLock() { lock_.Release(); }
    ScopedLock(const ScopedLock&) = delete;
    ScopedLock& operator=(const ScopedLock&) = delete;

private:
    Lock& lock_;
};

class Condition {
public:
    Condition();
    ~Condition();
    Condition(const Condition&) = delete;
    Condition& operator=(const Condition&) = delete;

    // Releases lock (held by the caller) while waiting; may return without a wake.
    void Wait(Lock& lock);
    void WakeOne();
    void WakeAll();

private:
    struct State;
    std::unique_ptr<State> state_;
};

class HelperThread {
public:
    using Main = void (*)(void* argument);

    HelperThread();
    // Joins a thread that is still running.
    ~HelperThread();
    HelperThread(const HelperThread&) = delete;
    HelperThread& operator=(const HelperThread&) = delete;

    // False when the system could not start it.
    bool Start(Main main, void* argument);
    bool IsRunning() const;
    // Waits until the thread's main returned.
    void Join();

private:
    struct State;
    std::unique_ptr<State> state_;
};
