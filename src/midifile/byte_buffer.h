// The bytes of a file being built, written through a pointer: the writer
// makes room for a whole event (or item) at once and then puts its bytes
// without a check each. The room is not cleared beforehand, and stays when
// the bytes put are handed on and the buffer starts again.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <utility>
#include <string_view>

namespace tnq {

// Where the next bytes go, inside room a ByteBuffer has made: the bytes are
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

class ByteBuffer {
public:
    // Room for `expected` bytes made at once; more is made when asked for.
    explicit ByteBuffer(std::size_t expected) { Grow(std::max<std::size_t>(expected, 64)); }
    ByteBuffer(const ByteBuffer&) = delete;
    ByteBuffer& operator=(const ByteBuffer&) = delete;

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
    std::size_t Size() const { return static_cast<std::size_t>(p_ - buf_.get()); }
    std::string_view Bytes() const { return {buf_.get(), Size()}; }
    // Overwrites bytes already put, from position at.
    void Patch(std::size_t at, std::string_view bytes) {
        std::copy(bytes.begin(), bytes.end(), buf_.get() + at);
    }
    // Empties the buffer, keeping its room.
    void Clear() { p_ = buf_.get(); }

private:
    // Out of line: the room is nearly always there.
    [[gnu::noinline]] void Grow(std::size_t n) {
        const std::size_t used = Size();
        const std::size_t size = std::max(static_cast<std::size_t>(end_ - buf_.get()) * 2, used + n);
        auto more = std::make_unique_for_overwrite<char[]>(size);
        std::copy(buf_.get(), p_, more.get());
        buf_ = std::move(more);
        p_ = buf_.get() + used;
        end_ = buf_.get() + size;
    }
    std::unique_ptr<char[]> buf_;
    char* p_ = nullptr;
    char* end_ = nullptr;
};

} // namespace tnq
