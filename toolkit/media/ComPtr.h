// ComPtr: owns one reference to a COM interface and releases it when it goes, so every
// early return of the media code gives back what it took (IStream, DirectSound objects).
#pragma once

#include <utility>

template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    explicit ComPtr(T* p) : p_(p) {}
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            Reset(std::exchange(other.p_, nullptr));
        }
        return *this;
    }
    ~ComPtr() { Reset(); }

    T* Get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

    // Out-parameter for creation calls; drops the current reference first.
    T** Receive() {
        Reset();
        return &p_;
    }
    void Reset(T* p = nullptr) {
        if (p_) {
            p_->Release();
        }
        p_ = p;
    }

private:
    T* p_ = nullptr;
};
