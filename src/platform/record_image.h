// A file of fixed-length records held in memory: read and changed exactly as
// positioned writes would change the file, with the record-by-record moves
// that open and close room for items done in bulk, cheaply when a run of them
// walks along the file. It keeps its own gaps beside the score rows'
// (GapArray2) because a file's bytes grow and keep what its moves leave
// behind its end, while a score row is a fixed number of slots reading 0
// above its content.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tnq {

// The bytes of a file of fixed-length records held in memory, read and changed exactly as
// positioned writes would change the file (record n, from 1, at offset (n - 1) * length).
// Record numbers run from 1 to 2147483647; one outside raises VbError(err::BadRecordNumber).
class RecordImage {
public:
    RecordImage() = default; // empty, record length 0 (only assignable)
    // The file's bytes as read; a record length of 0 raises VbError(59).
    RecordImage(std::size_t recordLength, std::string_view bytes);
    // The bytes of the file at path, read straight into the image (VbError as
    // ReadWholeFile raises).
    static RecordImage OfFile(std::size_t recordLength, const std::string& path);

    std::size_t RecordLength() const { return length_; }
    // Bytes in the image.
    long long Length() const { return static_cast<long long>(Size()); }

    // Record n: false when it lies wholly or partly past the end (record then holds the bytes
    // that are there, possibly none).
    bool Read(long long n, std::string& record) const;
    // The bytes Read gives for record n, in place: valid until the next change or View.
    std::string_view Record(long long n) const;
    // Writes record n, padded with blanks or cut to the record length. Past the end the image
    // grows; bytes between the old end and the record that were never written are NUL ('\0'),
    // as a positioned write past a file's end leaves them.
    void Write(long long n, std::string_view record);
    // Writes the records back to back in records from record n on, as Write writes each in
    // turn (a short last one padded). A record number past the last raises the error before
    // anything is written.
    void WriteRecords(long long n, std::string_view records);
    // Writes record as records n .. n + count - 1 (none when count < 1), as WriteRecords does.
    void FillRecords(long long n, long long count, std::string_view record);

    // The moves that open room: for i = last down to first, record i + n = record i. Records
    // first .. first + n - 1 keep their bytes (callers overwrite them). n >= 1, first >= 1;
    // nothing to move when last < first. A record of first..last that is not whole in the image
    // raises VbError(err::InputPastEnd) with nothing changed. Records past last + n keep theirs.
    void MoveUp(long long first, long long last, long long n);
    // The moves that close room: for j = first up to last, record j - n = record j (n >= 1,
    // first - n >= 1, else VbError(err::BadRecordNumber)); records last - n + 1 .. last keep
    // their bytes unless overwritten by the moves. Same rule for records that are not whole.
    void MoveDown(long long first, long long last, long long n);

    // The bytes as the file would hold them (into out, whose room is kept).
    std::string Bytes() const;
    void Bytes(std::string& out) const;
    // The same bytes as a few contiguous pieces in order (for one writev); valid until the
    // next change or View.
    std::vector<std::string_view> Pieces() const;
    // The same bytes in one piece, the runs moved together within the buffer first when they
    // lie apart, so that earlier views of records and pieces go stale; valid until the next
    // change.
    std::string_view View();

private:
    // The buffer holds the image as three runs with room between them:
    //   [front before the cursor][room][front after it][room][back][room]
    // The front is whole records up to about the last record moved; the cursor is where room
    // is opened or closed. The back is the rest of the file, often stale records left by
    // deletes, or nothing. Every boundary of the image lies on a record boundary, except the
    // end of a partial last record.
    enum class Room { Cursor, Back, End };

    std::size_t Size() const { return FrontSize() + (backEnd_ - backBegin_); }
    std::size_t FrontSize() const { return cursor_ + (frontEnd_ - afterCursor_); }
    // Where in the buffer the record at image offset offset begins.
    std::size_t At(std::size_t offset) const;
    // Byte offset of record n, checked.
    std::size_t Offset(long long n) const;
    // The image bytes [offset, offset + count) appended to out.
    void CopyOut(std::size_t offset, std::size_t count, std::string& out) const;

    // Copies count bytes inside the buffer (the runs may overlap).
    void Shift(std::size_t to, std::size_t from, std::size_t count);
    void MoveCursor(std::size_t offset);
    void SetFrontEnd(std::size_t offset);
    // At least need bytes of the given room, in a larger buffer when it lacks them.
    void Reserve(Room room, std::size_t need);
    // Records n .. n + count - 1 numbered (VbError otherwise) and room for those past the end.
    void RoomFor(long long n, long long count);
    // The records first..last written again from record to on, when the two runs do not overlap.
    void CopyRecords(long long first, long long last, long long to);

    std::size_t length_ = 0;
    // Bytes that hold anything until written.
    std::unique_ptr<char[]> buf_;
    std::size_t capacity_ = 0;
    // Buffer positions: the front before the cursor is [0, cursor_), the front after it
    // [afterCursor_, frontEnd_), the back [backBegin_, backEnd_); capacity_ is the end.
    std::size_t cursor_ = 0;
    std::size_t afterCursor_ = 0;
    std::size_t frontEnd_ = 0;
    std::size_t backBegin_ = 0;
    std::size_t backEnd_ = 0;
};

} // namespace tnq
