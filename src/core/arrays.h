// Arrays indexed the classic way: from 0 to an upper bound inclusive, with
// every access checked (error 9, "Subscript out of range", beyond the
// bounds or before allocation).
#pragma once

#include "platform/vb.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

namespace tnq {

// The storage of the large arrays: calloc's zeroed memory, its elements
// left as that zero instead of written once more, so that the slots of a
// score cost nothing until they are used.
template <class T> struct ZeroedAllocator {
    static_assert(std::is_arithmetic_v<T>, "zero bytes must be the value of an element");
    using value_type = T;
    ZeroedAllocator() = default;
    template <class U> ZeroedAllocator(const ZeroedAllocator<U>&) noexcept {}
    T* allocate(std::size_t n) {
        void* p = std::calloc(n == 0 ? 1 : n, sizeof(T));
        if (!p) throw std::bad_alloc();
        return static_cast<T*>(p);
    }
    void deallocate(T* p, std::size_t) noexcept { std::free(p); }
    // A value-initialised element is the zero the memory holds.
    template <class U> void construct(U*) noexcept {}
    template <class U, class... A> void construct(U* p, A&&... a) {
        ::new (static_cast<void*>(p)) U(std::forward<A>(a)...);
    }
    friend bool operator==(const ZeroedAllocator&, const ZeroedAllocator&) { return true; }
};

// One dimension, indices 0..Upper().
template <class T> class Array1 {
public:
    Array1() = default;
    explicit Array1(int upper) { ReDim(upper); }

    // Sizes the array for 0..upper, discarding the contents.
    void ReDim(int upper) {
        if (upper < 0) throw VbError(err::SubscriptOutOfRange);
        std::vector<T>(static_cast<std::size_t>(upper) + 1).swap(data_);
    }
    void Erase() { std::vector<T>().swap(data_); }
    bool Allocated() const { return !data_.empty(); }
    int Upper() const { return static_cast<int>(data_.size()) - 1; }

    T& operator()(int i) { return data_[Index(i)]; }
    const T& operator()(int i) const { return data_[Index(i)]; }

    void Fill(const T& v) { std::fill(data_.begin(), data_.end(), v); }

private:
    std::size_t Index(int i) const {
        if (i < 0 || static_cast<std::size_t>(i) >= data_.size())
            throw VbError(err::SubscriptOutOfRange);
        return static_cast<std::size_t>(i);
    }
    std::vector<T> data_;
};

// Two dimensions, (0..Upper1(), 0..Upper2()), stored row by row.
template <class T> class Array2 {
public:
    Array2() = default;
    Array2(int upper1, int upper2) { ReDim(upper1, upper2); }

    void ReDim(int upper1, int upper2) {
        if (upper1 < 0 || upper2 < 0) throw VbError(err::SubscriptOutOfRange);
        Storage((static_cast<std::size_t>(upper1) + 1) * (static_cast<std::size_t>(upper2) + 1))
            .swap(data_);
        u1_ = upper1;
        u2_ = upper2;
    }
    void Erase() {
        Storage().swap(data_);
        u1_ = u2_ = -1;
    }
    bool Allocated() const { return !data_.empty(); }
    int Upper1() const { return u1_; }
    int Upper2() const { return u2_; }
    // Whether row i holds the slots 0..last: those are then read or
    // written in place from &(*this)(i, 0) without a check each.
    bool HoldsRow(int i, int last) const {
        return i >= 0 && i <= u1_ && last >= 0 && last <= u2_;
    }

    T& operator()(int i, int j) { return data_[Index(i, j)]; }
    const T& operator()(int i, int j) const { return data_[Index(i, j)]; }

    void Fill(const T& v) { std::fill(data_.begin(), data_.end(), v); }

    // Bytes a ReDim to these bounds needs.
    static std::size_t BytesFor(int upper1, int upper2) {
        return (static_cast<std::size_t>(upper1) + 1) * (static_cast<std::size_t>(upper2) + 1) *
               sizeof(T);
    }

    // Grows or shrinks the second dimension keeping the contents that fit.
    void ReDimPreserve(int upper2) {
        Array2 n(u1_, upper2);
        for (int i = 0; i <= u1_; ++i)
            for (int j = 0; j <= std::min(u2_, upper2); ++j) n(i, j) = (*this)(i, j);
        *this = std::move(n);
    }

private:
    std::size_t Index(int i, int j) const {
        if (i < 0 || j < 0 || i > u1_ || j > u2_) throw VbError(err::SubscriptOutOfRange);
        return static_cast<std::size_t>(i) * (static_cast<std::size_t>(u2_) + 1) +
               static_cast<std::size_t>(j);
    }
    using Storage = std::vector<T, ZeroedAllocator<T>>;
    Storage data_;
    int u1_ = -1, u2_ = -1;
};

} // namespace tnq
