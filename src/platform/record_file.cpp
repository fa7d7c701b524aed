// Positioned, unbuffered record I/O.
#include "platform/record_file.h"

#include "platform/vb.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace tnq {

int ErrorFromErrno(int e) {
    switch (e) {
    case ENOENT:
    case ENOTDIR:
        return err::PathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
        return err::PermissionDenied;
    case ENOSPC:
    case EDQUOT:
        return err::DiskFull;
    case EISDIR:
        return err::PathFileAccessError;
    case EMFILE:
    case ENFILE:
        return 67;
    case EBADF:
        return err::BadFileNameOrNumber;
    default:
        return err::DeviceIOError;
    }
}

RecordFile::~RecordFile() {
    Close();
}

RecordFile::RecordFile(RecordFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), path_(std::move(other.path_)),
      recordLength_(other.recordLength_), readOnly_(other.readOnly_) {}

RecordFile& RecordFile::operator=(RecordFile&& other) noexcept {
    if (this != &other) {
        Close();
        fd_ = std::exchange(other.fd_, -1);
        path_ = std::move(other.path_);
        recordLength_ = other.recordLength_;
        readOnly_ = other.readOnly_;
    }
    return *this;
}

void RecordFile::Open(const std::string& path, std::size_t recordLength) {
    OpenWith(path, recordLength, O_RDWR | O_CREAT);
}

void RecordFile::OpenForReading(const std::string& path, std::size_t recordLength) {
    OpenWith(path, recordLength, O_RDONLY);
}

void RecordFile::OpenWith(const std::string& path, std::size_t recordLength, int flags) {
    Close();
    if (recordLength == 0) throw VbError(59);
    int fd = ::open(path.c_str(), flags | O_CLOEXEC, 0644);
    const bool readOnly = (flags & O_ACCMODE) == O_RDONLY;
    if (fd < 0) {
        const int e = errno;
        if (e == ENOENT && readOnly) throw VbError(err::FileNotFound);
        throw VbError(ErrorFromErrno(e));
    }
    fd_ = fd;
    path_ = path;
    recordLength_ = recordLength;
    readOnly_ = readOnly;
}

void RecordFile::Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    path_.clear();
    readOnly_ = false;
}

long long RecordFile::Length() const {
    if (fd_ < 0) throw VbError(err::BadFileNameOrNumber);
    struct stat st {};
    if (::fstat(fd_, &st) != 0) throw VbError(ErrorFromErrno(errno));
    return static_cast<long long>(st.st_size);
}

bool RecordFile::Read(long long n, std::string& record) const {
    if (fd_ < 0) throw VbError(err::BadFileNameOrNumber);
    if (n < 1) throw VbError(err::BadRecordNumber);
    record.assign(recordLength_, ' ');
    const off_t off = static_cast<off_t>((n - 1) * static_cast<long long>(recordLength_));
    std::size_t got = 0;
    while (got < recordLength_) {
        ssize_t r =
            ::pread(fd_, record.data() + got, recordLength_ - got, off + static_cast<off_t>(got));
        if (r < 0) {
            if (errno == EINTR) continue;
            throw VbError(ErrorFromErrno(errno));
        }
        if (r == 0) break;
        got += static_cast<std::size_t>(r);
    }
    if (got < recordLength_) {
        record.resize(got);
        return false;
    }
    return true;
}

void RecordFile::Write(long long n, const std::string& record) {
    if (fd_ < 0) throw VbError(err::BadFileNameOrNumber);
    if (readOnly_) throw VbError(err::BadFileMode);
    if (n < 1) throw VbError(err::BadRecordNumber);
    std::string buf = record.substr(0, recordLength_);
    buf.resize(recordLength_, ' ');
    const off_t off = static_cast<off_t>((n - 1) * static_cast<long long>(recordLength_));
    std::size_t done = 0;
    while (done < buf.size()) {
        ssize_t w =
            ::pwrite(fd_, buf.data() + done, buf.size() - done, off + static_cast<off_t>(done));
        if (w < 0) {
            if (errno == EINTR) continue;
            throw VbError(ErrorFromErrno(errno));
        }
        done += static_cast<std::size_t>(w);
    }
}

} // namespace tnq
