// Array: the toolkit's one growable container, and StringList, its owning specialisation
// for text. Element handling that depends on the type (copying, ordering, matching) goes
// through virtual operations so that resize, insert, remove and find are written once.
// Capacity is always the next multiple of 64 strictly above the count; the block is
// reallocated whenever that changes, so an array also shrinks when its count drops.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <type_traits>

#include "toolkit/base/String.h"

template <typename T>
class Array {
    static_assert(std::is_trivially_copyable<T>::value, "Array holds plain values; StringList owns texts");

public:
    Array() = default;
    Array(const Array& other) { Assign(other); }
    Array& operator=(const Array& other) {
        if (this != &other)
            Assign(other);
        return *this;
    }
    virtual ~Array() { free(data_); }

    virtual void Assign(const Array& other) {
        if (&other == this)
            return;
        SetSize(other.count_, false);
        for (int i = 0; i < count_; i++)
            CopyElement(&data_[i], other.data_[i], nullptr);
    }

    virtual void Free() {
        DestroyElements(0, count_);
        free(data_);
        data_ = nullptr;
        capacity_ = count_ = 0;
    }

    virtual void CopyElement(T* slot, const T& source, void* /*argument*/) { *slot = source; }
    // -1, 0, +1, or -2 when the type defines no ordering.
    virtual int Compare(const T& /*element*/, const T& /*value*/, void* /*argument*/) const { return -2; }
    virtual bool Matches(const T& /*element*/, const T& /*value*/, void* /*argument*/) const { return false; }

    int Count() const { return count_; }
    int Capacity() const { return capacity_; }
    T* Data() { return data_; }
    const T* Data() const { return data_; }
    T& operator[](int i) { return data_[i]; }
    const T& operator[](int i) const { return data_[i]; }

    static int CapacityFor(int n) { return n - (n % 64) + 64; }

    // Without keep every element is dropped; new slots start zeroed.
    void SetSize(int n, bool keep) {
        if (n < 0)
            n = 0;
        const int kept = keep ? (n < count_ ? n : count_) : 0;
        DestroyElements(kept, count_ - kept);
        count_ = kept;
        Reallocate(n);
    }

    int Append(const T& value) {
        const T copy = value;  // the value may live inside this array
        Reallocate(count_ + 1);
        CopyElement(&data_[count_ - 1], copy, nullptr);
        return count_ - 1;
    }

    int InsertAt(const T& value, int position, int copies = 1) {
        const T copy = value;
        if (position < 0 || position > count_)
            position = count_;
        if (copies < 1)
            copies = 1;
        const int oldCount = count_;
        Reallocate(count_ + copies);
        memmove(static_cast<void*>(&data_[position + copies]), &data_[position], sizeof(T) * (oldCount - position));
        for (int i = 0; i < copies; i++)
            CopyElement(&data_[position + i], copy, nullptr);
        return position;
    }

    void RemoveAt(int index, int n = 1) {
        if (index < 0 || index >= count_)
            return;
        if (n < 0 || n > count_ - index)
            n = count_ - index;
        if (n < 1)
            return;
        DestroyElements(index, n);
        memmove(static_cast<void*>(&data_[index]), &data_[index + n], sizeof(T) * (count_ - index - n));
        count_ -= n;
        Reallocate(count_);
    }

    int Find(const T& value, int start = 0, void* argument = nullptr) const {
        if (start < 0 || start >= count_)
            return -1;
        for (int i = start; i < count_; i++) {
            const int order = Compare(data_[i], value, argument);
            if (order == 0)
                return i;
            if (order == -2 && SameBits(data_[i], value))
                return i;
        }
        return -1;
    }

    bool Swap(int i, int j) {
        if (i == j)
            return false;
        const T held = data_[i];
        data_[i] = data_[j];
        data_[j] = held;
        return true;
    }

protected:
    // Releases what elements [first, first + n) own before their slots are dropped. Every
    // road that drops elements (RemoveAt, SetSize, Assign, Free) comes through here, so an
    // owning array cannot be bypassed through a reference to its base.
    virtual void DestroyElements(int /*first*/, int /*n*/) {}

private:
    // Sets the count to n, carrying the first min(count, n) elements over; the block is
    // replaced whenever the growth rule asks for another capacity.
    void Reallocate(int n) {
        const int needed = CapacityFor(n);
        if (needed != capacity_ || !data_) {
            T* fresh = static_cast<T*>(malloc(sizeof(T) * needed));
            if (data_)
                memcpy(static_cast<void*>(fresh), data_, sizeof(T) * (count_ < n ? count_ : n));
            free(data_);
            data_ = fresh;
            capacity_ = needed;
        }
        if (n > count_)
            memset(static_cast<void*>(&data_[count_]), 0, sizeof(T) * (n - count_));
        count_ = n;
    }

    // Types without an ordering are compared as unsigned 32-bit numbers (their first 4 bytes).
    static bool SameBits(const T& a, const T& b) {
        uint32_t x = 0, y = 0;
        memcpy(&x, &a, sizeof(T) < 4 ? sizeof(T) : 4);
        memcpy(&y, &b, sizeof(T) < 4 ? sizeof(T) : 4);
        return x == y;
    }

    int capacity_ = 0;
    int count_ = 0;
    T* data_ = nullptr;
};

// An array of pointers to objects it owns: every road that drops an element (RemoveAt, SetSize,
// Free, the end of the array) deletes the object. Not copyable: two owners would delete twice.
template <typename T>
class OwnedArray : public Array<T*> {
public:
    OwnedArray() = default;
    OwnedArray(const OwnedArray&) = delete;
    OwnedArray& operator=(const OwnedArray&) = delete;
    // The base destructor cannot reach the override, so the objects go here.
    ~OwnedArray() override { DestroyElements(0, this->Count()); }

protected:
    void DestroyElements(int first, int n) override {
        static_assert(sizeof(T) > 0, "the owned type must be complete where the array is destroyed");
        for (int i = first; i < first + n; i++) {
            delete (*this)[i];
            (*this)[i] = nullptr;
        }
    }
};

// An array of owned String pointers: copies are new Strings; every removal deletes them.
class StringList : public Array<String*> {
public:
    StringList() = default;
    StringList(const StringList& other) : Array<String*>() { Assign(other); }
    StringList& operator=(const StringList& other);
    ~StringList() override;

    void CopyElement(String** slot, String* const& source, void* argument) override;
    // The argument points to a bool: false compares without regard to case.
    int Compare(String* const& element, String* const& value, void* argument) const override;

    int AddString(const char* text, int position = -1, int copies = 1);
    // Finds a text; caseSensitive false ignores case.
    int FindText(const char* text, bool caseSensitive = true, int start = 0) const;
    const String& At(int i) const { return *(*this)[i]; }

protected:
    void DestroyElements(int first, int n) override;
};
