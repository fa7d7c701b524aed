// The in-memory record file: a buffer of three runs with room between them.
#include "platform/record_image.h"

#include "platform/vb.h"
#include "platform/whole_file.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace tnq {

namespace {

// The highest record number (a record number is a Long).
constexpr long long kLastRecord = 2147483647;

// Whichever of a <= b lies nearer at.
std::size_t Nearest(std::size_t at, std::size_t a, std::size_t b) {
    if (at <= a) return a;
    if (at >= b) return b;
    return at - a <= b - at ? a : b;
}

} // namespace

RecordImage::RecordImage(std::size_t recordLength, std::string_view bytes)
    : length_(recordLength), buf_(std::make_unique_for_overwrite<char[]>(bytes.size())),
      capacity_(bytes.size()) {
    if (recordLength == 0) throw VbError(59);
    if (!bytes.empty()) std::memcpy(buf_.get(), bytes.data(), bytes.size());
    // All whole records in the front; a partial last record is the back.
    cursor_ = afterCursor_ = frontEnd_ = backBegin_ = bytes.size() - bytes.size() % length_;
    backEnd_ = bytes.size();
}

RecordImage RecordImage::OfFile(std::size_t recordLength, const std::string& path) {
    if (recordLength == 0) throw VbError(59);
    RecordImage image;
    image.length_ = recordLength;
    const std::size_t got = ReadWholeFile(path, [&image](std::size_t n) {
        image.buf_ = std::make_unique_for_overwrite<char[]>(n);
        image.capacity_ = n;
        return image.buf_.get();
    });
    image.cursor_ = image.afterCursor_ = image.frontEnd_ = image.backBegin_ =
        got - got % recordLength;
    image.backEnd_ = got;
    return image;
}

std::size_t RecordImage::Offset(long long n) const {
    if (n < 1 || n > kLastRecord) throw VbError(err::BadRecordNumber);
    return static_cast<std::size_t>(n - 1) * length_;
}

std::size_t RecordImage::At(std::size_t offset) const {
    if (offset < cursor_) return offset;
    const std::size_t front = FrontSize();
    if (offset < front) return offset - cursor_ + afterCursor_;
    return offset - front + backBegin_;
}

bool RecordImage::Read(long long n, std::string& record) const {
    const std::string_view there = Record(n);
    record.assign(there);
    return there.size() == length_;
}

std::string_view RecordImage::Record(long long n) const {
    const std::size_t offset = Offset(n), size = Size();
    if (offset >= size) return {};
    // Only the last record can be partial, and it lies in one run like any other.
    return {buf_.get() + At(offset), std::min(length_, size - offset)};
}

void RecordImage::Write(long long n, std::string_view record) {
    const std::size_t offset = Offset(n);
    const std::size_t front = FrontSize();
    std::size_t at = 0;
    if (offset < front) {
        at = At(offset);
    } else {
        const std::size_t inBack = offset - front;
        const std::size_t backSize = backEnd_ - backBegin_;
        if (inBack + length_ > backSize) {
            Reserve(Room::End, inBack + length_ - backSize);
            // Never written: NUL, as in a file written past its end.
            if (inBack > backSize)
                std::fill(buf_.get() + backEnd_, buf_.get() + backBegin_ + inBack, '\0');
            backEnd_ = backBegin_ + inBack + length_;
        }
        at = backBegin_ + inBack;
    }
    const std::size_t given = std::min(record.size(), length_);
    char* const to = buf_.get() + at;
    std::fill(std::copy_n(record.begin(), given, to), to + length_, ' ');
}

void RecordImage::WriteRecords(long long n, std::string_view records) {
    if (records.empty()) return;
    const long long count = static_cast<long long>((records.size() - 1) / length_) + 1;
    RoomFor(n, count);
    for (long long i = 0; i < count; ++i)
        Write(n + i, records.substr(static_cast<std::size_t>(i) * length_, length_));
}

void RecordImage::FillRecords(long long n, long long count, std::string_view record) {
    if (count < 1) return;
    RoomFor(n, count);
    for (long long i = 0; i < count; ++i) Write(n + i, record);
}

void RecordImage::RoomFor(long long n, long long count) {
    Offset(n);
    if (n + count - 1 > kLastRecord) throw VbError(err::BadRecordNumber);
    // The room past the end at once, not record by record.
    const std::size_t end = Offset(n + count - 1) + length_;
    if (end > Size()) Reserve(Room::End, end - Size());
}

void RecordImage::MoveUp(long long first, long long last, long long n) {
    if (n < 1 || n > kLastRecord) throw VbError(err::BadRecordNumber);
    Offset(first);
    if (last < first) return;
    Offset(last);
    Offset(last + n);
    const std::size_t end = Offset(last) + length_;
    if (end > Size()) throw VbError(err::InputPastEnd);
    if (n > last - first + 1) return CopyRecords(first, last, first + n);

    // The moved run and its new place overlap: the records first..first + n - 1 appear twice
    // (once where they were, once moved on), and the n records behind last are overwritten.
    SetFrontEnd(end);
    const std::size_t bytes = static_cast<std::size_t>(n) * length_;
    const std::size_t before = Offset(first), after = before + bytes;
    MoveCursor(Nearest(cursor_, before, after));
    Reserve(Room::Cursor, bytes);
    // The twice-held records lie just behind the cursor, or just before it.
    Shift(cursor_, cursor_ == before ? afterCursor_ : cursor_ - bytes, bytes);
    cursor_ += bytes;
    backBegin_ += std::min(bytes, backEnd_ - backBegin_);
}

void RecordImage::MoveDown(long long first, long long last, long long n) {
    if (n < 1 || first <= n) throw VbError(err::BadRecordNumber);
    Offset(first);
    if (last < first) return;
    const std::size_t end = Offset(last) + length_;
    if (end > Size()) throw VbError(err::InputPastEnd);
    if (n > last - first + 1) return CopyRecords(first, last, first - n);

    // Overlapping: the records first - n .. first - 1 go, and the last n of the run appear
    // twice (moved back, and where they were, now the head of the back).
    SetFrontEnd(end);
    const std::size_t bytes = static_cast<std::size_t>(n) * length_;
    const std::size_t after = Offset(first), before = after - bytes;
    MoveCursor(Nearest(cursor_, before, after));
    Reserve(Room::Back, bytes);
    // The cursor is at or before first - 1, so the last n records of the run follow it.
    Shift(backBegin_ - bytes, frontEnd_ - bytes, bytes);
    backBegin_ -= bytes;
    if (cursor_ == before)
        afterCursor_ += bytes;
    else
        cursor_ -= bytes;
}

void RecordImage::CopyRecords(long long first, long long last, long long to) {
    std::string run;
    CopyOut(Offset(first), static_cast<std::size_t>(last - first + 1) * length_, run);
    // All the room first, so that a failure leaves the image as it was.
    const std::size_t end = Offset(to) + run.size();
    if (end > Size()) Reserve(Room::End, end - Size());
    for (long long i = 0; i <= last - first; ++i)
        Write(to + i, std::string_view(run).substr(static_cast<std::size_t>(i) * length_, length_));
}

void RecordImage::CopyOut(std::size_t offset, std::size_t count, std::string& out) const {
    const std::size_t end = offset + count;
    const std::size_t front = FrontSize();
    const struct {
        std::size_t begin, end, at;
    } runs[] = {{0, cursor_, 0}, {cursor_, front, afterCursor_}, {front, Size(), backBegin_}};
    for (const auto& r : runs) {
        const std::size_t b = std::max(offset, r.begin), e = std::min(end, r.end);
        if (b < e) out.append(buf_.get() + r.at + (b - r.begin), e - b);
    }
}

void RecordImage::Shift(std::size_t to, std::size_t from, std::size_t count) {
    if (count == 0 || to == from) return;
    std::memmove(buf_.get() + to, buf_.get() + from, count);
}

void RecordImage::MoveCursor(std::size_t offset) {
    if (offset < cursor_) {
        const std::size_t k = cursor_ - offset;
        Shift(afterCursor_ - k, offset, k);
        cursor_ -= k;
        afterCursor_ -= k;
    } else if (offset > cursor_) {
        const std::size_t k = offset - cursor_;
        Shift(cursor_, afterCursor_, k);
        cursor_ += k;
        afterCursor_ += k;
    }
}

void RecordImage::SetFrontEnd(std::size_t offset) {
    const std::size_t front = FrontSize();
    if (offset > front) {
        // The head of the back joins the front.
        const std::size_t k = offset - front;
        Shift(frontEnd_, backBegin_, k);
        frontEnd_ += k;
        backBegin_ += k;
    } else if (offset < front) {
        // The tail of the front, behind the cursor, becomes the head of the back.
        if (cursor_ > offset) MoveCursor(offset);
        const std::size_t k = front - offset;
        Shift(backBegin_ - k, frontEnd_ - k, k);
        frontEnd_ -= k;
        backBegin_ -= k;
    }
}

void RecordImage::Reserve(Room room, std::size_t need) {
    std::size_t rooms[3] = {afterCursor_ - cursor_, backBegin_ - frontEnd_, capacity_ - backEnd_};
    std::size_t& grows = rooms[static_cast<int>(room)];
    if (grows >= need) return;
    // The room grows by the image's size beside the need, so that a run of changes regrows
    // the buffer rarely; the other rooms stay as they are.
    grows = need + Size();
    const std::size_t after = frontEnd_ - afterCursor_, back = backEnd_ - backBegin_;
    const std::size_t newAfter = cursor_ + rooms[0], newBack = newAfter + after + rooms[1];
    const std::size_t capacity = newBack + back + rooms[2];
    std::unique_ptr<char[]> grown = std::make_unique_for_overwrite<char[]>(capacity);
    const auto copy = [&](std::size_t to, std::size_t from, std::size_t count) {
        if (count != 0) std::memcpy(grown.get() + to, buf_.get() + from, count);
    };
    copy(0, 0, cursor_);
    copy(newAfter, afterCursor_, after);
    copy(newBack, backBegin_, back);
    buf_ = std::move(grown);
    capacity_ = capacity;
    afterCursor_ = newAfter;
    frontEnd_ = newAfter + after;
    backBegin_ = newBack;
    backEnd_ = newBack + back;
}

std::string RecordImage::Bytes() const {
    std::string out;
    Bytes(out);
    return out;
}

void RecordImage::Bytes(std::string& out) const {
    out.clear();
    out.reserve(Size());
    CopyOut(0, Size(), out);
}

std::string_view RecordImage::View() {
    // The front in one run, then the back right behind it: the rooms all at the end.
    MoveCursor(FrontSize());
    const std::size_t back = backEnd_ - backBegin_;
    Shift(cursor_, backBegin_, back);
    afterCursor_ = frontEnd_ = backBegin_ = cursor_;
    backEnd_ = cursor_ + back;
    return {buf_.get(), Size()};
}

std::vector<std::string_view> RecordImage::Pieces() const {
    std::vector<std::string_view> pieces;
    const std::string_view all(buf_.get(), capacity_);
    for (auto [b, e] : {std::pair(std::size_t{0}, cursor_), std::pair(afterCursor_, frontEnd_),
                        std::pair(backBegin_, backEnd_)})
        if (b < e) pieces.push_back(all.substr(b, e - b));
    return pieces;
}

} // namespace tnq
