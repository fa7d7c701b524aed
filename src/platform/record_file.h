// A random-access file of fixed-length records, read and written without
// buffering at positions computed from the record number (record 1 at
// offset 0). Failures raise run-time errors with their classic numbers.
#pragma once

#include <cstddef>
#include <string>

namespace tnq {

class RecordFile {
public:
    RecordFile() = default;
    ~RecordFile();
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;
    RecordFile(RecordFile&& other) noexcept;
    RecordFile& operator=(RecordFile&& other) noexcept;

    // Opens path for reading and writing; closes a file that was open
    // first. A missing file reads as empty and is created by the first
    // write, so that reading never leaves a file behind; its directory must
    // exist (error 76 otherwise).
    void Open(const std::string& path, std::size_t recordLength);
    // Opens an existing file for reading only: nothing is created, and a
    // write raises error 54 (Bad file mode). A missing file is error 53.
    void OpenForReading(const std::string& path, std::size_t recordLength);
    void Close();
    bool IsOpen() const { return open_; }
    const std::string& Path() const { return path_; }
    bool ReadOnly() const { return readOnly_; }
    std::size_t RecordLength() const { return recordLength_; }

    // Length of the file in bytes.
    long long Length() const;

    // Reads record n (from 1). Returns false when the record lies wholly or
    // partly past the end of the file; record then holds what was there.
    bool Read(long long n, std::string& record) const;
    // Writes record n (from 1), padded with blanks or cut to the length.
    void Write(long long n, const std::string& record);

private:
    void OpenWith(const std::string& path, std::size_t recordLength, int flags);
    // The descriptor; -1 while a missing file has not been written.
    int Descriptor() const;
    // The descriptor for a write: a missing file is created first.
    int WritableDescriptor();

    bool open_ = false;
    int fd_ = -1;
    std::string path_;
    std::size_t recordLength_ = 0;
    bool readOnly_ = false;
};

// The classic error number for an errno value.
int ErrorFromErrno(int e);

} // namespace tnq
