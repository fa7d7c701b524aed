// A handle on a file of fixed-length records (record 1 at offset 0),
// read and written by record number. The records live in the file's image
// (FileImages), which every handle on the file shares: a write changes the
// image, and the change reaches the disk when the open change is committed
// (at once when none is open). Failures raise run-time errors with their
// classic numbers.
#pragma once

#include "platform/file_images.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace tnq {

class RecordFile {
public:
    RecordFile() = default;
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;
    RecordFile(RecordFile&& other) noexcept = default;
    RecordFile& operator=(RecordFile&& other) noexcept = default;

    // Opens path for reading and writing (tag: the owner's number for it);
    // closes a file that was open first. A missing file reads as empty and
    // is made by the first commit that writes it; its directory must exist
    // (error 76 otherwise). A file that may not be read is error 70; one
    // that may not be written fails when a change to it is committed.
    void Open(FileImages& images, const std::string& path, std::size_t recordLength,
              int tag = 0);
    // Opens an existing file for reading only: a write raises error 54 (Bad
    // file mode). A missing file is error 53.
    void OpenForReading(FileImages& images, const std::string& path, std::size_t recordLength,
                        int tag = 0);
    void Close();
    bool IsOpen() const { return file_ != nullptr; }
    const std::string& Path() const;
    bool ReadOnly() const { return readOnly_; }
    std::size_t RecordLength() const;
    int Tag() const;

    // Length of the file in bytes.
    long long Length() const;

    // Reads record n (from 1). Returns false when the record lies wholly or
    // partly past the end of the file; record then holds what was there.
    bool Read(long long n, std::string& record) const;
    // The bytes Read gives for record n, without a copy: valid while the file
    // is open, until its image is changed or viewed whole (View, Bytes).
    std::string_view Record(long long n) const;
    // Writes record n (from 1), padded with blanks or cut to the length.
    void Write(long long n, const std::string& record);
    // Writes the records back to back in records from record n on, as Write
    // writes each in turn, in one change.
    void WriteRecords(long long n, std::string_view records);
    // Writes record as records n .. n + count - 1, in one change.
    void FillRecords(long long n, long long count, std::string_view record);
    // The moves of an insert and a delete (RecordImage::MoveUp, MoveDown),
    // as one change.
    void MoveUp(long long first, long long last, long long n);
    void MoveDown(long long first, long long last, long long n);

    // The whole file, as its image holds it (read into buffer when it has
    // not been read yet and no change is open); an image's bytes are valid
    // until its next change. Like View, it may leave earlier views stale.
    std::string_view Bytes(std::string& buffer) const;
    // The whole file as its image holds it, without a copy: valid while the
    // file is open, until its image is changed. Though const, it may move the
    // image's bytes together, so that earlier views of its records go stale.
    std::string_view View() const;

private:
    void OpenWith(FileImages& images, const std::string& path, std::size_t recordLength,
                  int tag, bool readOnly);
    FileImage& File() const; // error 52 when not open
    template <class Change> void Changing(Change change);

    FileImages* images_ = nullptr;
    std::shared_ptr<FileImage> file_;
    bool readOnly_ = false;
};

} // namespace tnq
