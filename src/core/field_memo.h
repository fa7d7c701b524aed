// A memo of conversions of fixed-width fields: the same few field texts
// stand in thousands of records (a duration "q", a dynamics "64"), and the
// conversion of a field is a function of its bytes and a few numbers only.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace tnq {

// The key of a conversion: a field's bytes and the numbers it depends on,
// packed into whole words, so that two keys are equal exactly when their
// words are.
template <std::size_t Words> using MemoKey = std::array<std::uint64_t, Words>;

// The Width bytes from p in a word, the other bytes 0. Reads the eight
// bytes from p in one load: they must all lie in the buffer.
template <std::size_t Width> std::uint64_t FieldWord(const char* p) {
    static_assert(Width >= 1 && Width <= 8);
    std::uint64_t v;
    std::memcpy(&v, p, 8);
    if constexpr (Width < 8) {
        if constexpr (std::endian::native == std::endian::little)
            v &= (std::uint64_t{1} << (8 * Width)) - 1;
        else
            v >>= 8 * (8 - Width);
    }
    return v;
}

// Remembers the values computed for up to Slots / 2 keys in an open
// hash table (a key is looked for from the slot its hash names onwards, up
// to the first empty slot); when that many are held, the table starts
// afresh. The value given for a key is always the one its computation gave.
template <std::size_t Words, class Value, std::size_t Slots = 512, bool LookAtLast = true>
class FieldMemo {
    static_assert(Slots >= 2 && (Slots & (Slots - 1)) == 0, "a power of two");

public:
    FieldMemo() : table_(Slots) {}
    FieldMemo(const FieldMemo&) = delete; // last_ points into the table
    FieldMemo& operator=(const FieldMemo&) = delete;

    // The value for key: compute() unless it is held. The entry asked for
    // last is looked at first (the records of a track often repeat a field),
    // unless LookAtLast is false (for fields that seldom repeat).
    template <class Compute> const Value& Get(const MemoKey<Words>& key, Compute&& compute) {
        if constexpr (LookAtLast)
            if (last_ && Same(last_->Key, key)) return last_->Val;
        std::size_t i = Slot(key);
        for (; table_[i].Used; i = (i + 1) & (Slots - 1)) {
            if (Same(table_[i].Key, key)) {
                last_ = &table_[i];
                return last_->Val;
            }
        }
        if (held_ == Slots / 2) {
            Clear();
            i = Slot(key);
        }
        Entry& e = table_[i];
        e.Val = compute();
        e.Key = key;
        e.Used = true;
        ++held_;
        ++computed_;
        last_ = &e;
        return e.Val;
    }

    // Forgets every value held.
    void Clear() {
        for (Entry& e : table_) e.Used = false;
        held_ = 0;
        last_ = nullptr;
    }

    // Values computed so far.
    long Computed() const { return computed_; }

private:
    struct Entry {
        MemoKey<Words> Key{};
        bool Used = false;
        Value Val{};
    };
    static bool Same(const MemoKey<Words>& a, const MemoKey<Words>& b) {
        for (std::size_t i = 0; i < Words; ++i)
            if (a[i] != b[i]) return false;
        return true;
    }
    // The top bits of a multiplicative hash, which every bit of the key
    // reaches.
    static std::size_t Slot(const MemoKey<Words>& key) {
        std::uint64_t h = 0;
        for (std::uint64_t x : key) h = (h ^ x) * 0x9E3779B97F4A7C15ull;
        return static_cast<std::size_t>(h >> (64 - std::countr_zero(Slots)));
    }
    std::vector<Entry> table_;
    const Entry* last_ = nullptr; // an entry in use, or none
    std::size_t held_ = 0;
    long computed_ = 0;
};

} // namespace tnq
