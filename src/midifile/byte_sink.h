// The bytes of a file being built, written through a pointer: the writer
// makes room for a whole event (or item) at once and then puts its bytes
// without a check each.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tnq {

// Where the next bytes go, inside room a ByteSink has made: the bytes are
// put without a check each. Kept in a local while an event is written, so
// that the compiler holds it in a register.
struct ByteCursor {
    char* p;

    // One byte (the low eight bits of b).
    void Put(std::int64_t b) { *p++ = static_cast<char>(b & 0xFF); }
    void Put(std::initializer_list<int> bytes) {
        for (int b : bytes) Put(b);
    }
    // value 0..2^28-1 as a variable-length quantity, at most 4 bytes (the
    // caller checks the range).
    void PutVarLen(std::int64_t value) {
        if (value >= (std::int64_t{1} << 21)) Put(0x80 | (value >> 21));
        if (value >= (std::int64_t{1} << 14)) Put(0x80 | (value >> 14));
        if (value >= (std::int64_t{1} << 7)) Put(0x80 | (value >> 7));
        Put(value & 0x7F);
    }
};

class ByteSink {
public:
    // Room for `expected` bytes made at once; more is made when asked for.
    explicit ByteSink(std::size_t expected) {
        buf_.resize(std::max<std::size_t>(expected, 64));
        p_ = buf_.data();
        end_ = p_ + buf_.size();
    }
    ByteSink(const ByteSink&) = delete;
    ByteSink& operator=(const ByteSink&) = delete;

    // Makes sure the next n bytes can be put.
    void Room(std::size_t n) {
        if (static_cast<std::size_t>(end_ - p_) < n) Grow(n);
    }
    // A cursor for at most n bytes, taken back by Close.
    ByteCursor Open(std::size_t n) {
        Room(n);
        return {p_};
    }
    void Close(ByteCursor c) { p_ = c.p; }

    // Bytes of any length; makes its own room.
    void Append(std::string_view bytes) {
        Room(bytes.size());
        p_ = std::copy(bytes.begin(), bytes.end(), p_);
    }

    // Bytes put so far.
    std::size_t Size() const { return static_cast<std::size_t>(p_ - buf_.data()); }
    // Overwrites bytes already put, from position at.
    void Patch(std::size_t at, std::string_view bytes) {
        std::copy(bytes.begin(), bytes.end(), buf_.data() + at);
    }
    // The bytes put; the sink is empty afterwards.
    std::string Take() {
        buf_.resize(Size());
        std::string out = std::move(buf_);
        buf_.clear();
        p_ = end_ = buf_.data();
        return out;
    }

private:
    void Grow(std::size_t n) {
        const std::size_t used = Size();
        buf_.resize(std::max(buf_.size() * 2, used + n));
        p_ = buf_.data() + used;
        end_ = buf_.data() + buf_.size();
    }
    std::string buf_;
    char* p_ = nullptr;
    char* end_ = nullptr;
};

} // namespace tnq
