// Positioned, unbuffered record I/O.
#include "platform/record_file.h"

#include "platform/vb.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
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
    : open_(std::exchange(other.open_, false)), fd_(std::exchange(other.fd_, -1)),
      path_(std::move(other.path_)), recordLength_(other.recordLength_),
      readOnly_(other.readOnly_) {}

RecordFile& RecordFile::operator=(RecordFile&& other) noexcept {
    if (this != &other) {
        Close();
        open_ = std::exchange(other.open_, false);
        fd_ = std::exchange(other.fd_, -1);
        path_ = std::move(other.path_);
        recordLength_ = other.recordLength_;
        readOnly_ = other.readOnly_;
    }
    return *this;
}

void RecordFile::Open(const std::string& path, std::size_t recordLength) {
    OpenWith(path, recordLength, O_RDWR);
}

void RecordFile::OpenForReading(const std::string& path, std::size_t recordLength) {
    OpenWith(path, recordLength, O_RDONLY);
}

void RecordFile::OpenWith(const std::string& path, std::size_t recordLength, int flags) {
    Close();
    if (recordLength == 0) throw VbError(59);
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC);
    const bool readOnly = (flags & O_ACCMODE) == O_RDONLY;
    if (fd < 0) {
        const int e = errno;
        if (e != ENOENT) throw VbError(ErrorFromErrno(e));
        if (readOnly) throw VbError(err::FileNotFound);
        // Missing: it is made by the first write, in a directory that exists.
        const std::filesystem::path dir = std::filesystem::path(path).parent_path();
        struct stat st {};
        if (::stat(dir.empty() ? "." : dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
            throw VbError(err::PathNotFound);
    }
    open_ = true;
    fd_ = fd;
    path_ = path;
    recordLength_ = recordLength;
    readOnly_ = readOnly;
}

void RecordFile::Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    open_ = false;
    path_.clear();
    readOnly_ = false;
}

int RecordFile::Descriptor() const {
    if (!open_) throw VbError(err::BadFileNameOrNumber);
    return fd_;
}

int RecordFile::WritableDescriptor() {
    if (Descriptor() < 0) {
        const int fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0) throw VbError(ErrorFromErrno(errno));
        fd_ = fd;
    }
    return fd_;
}

long long RecordFile::Length() const {
    const int fd = Descriptor();
    if (fd < 0) return 0; // not yet written
    struct stat st {};
    if (::fstat(fd, &st) != 0) throw VbError(ErrorFromErrno(errno));
    return static_cast<long long>(st.st_size);
}

bool RecordFile::Read(long long n, std::string& record) const {
    const int fd = Descriptor();
    if (n < 1) throw VbError(err::BadRecordNumber);
    if (fd < 0) { // not yet written: empty
        record.clear();
        return false;
    }
    record.assign(recordLength_, ' ');
    const off_t off = static_cast<off_t>((n - 1) * static_cast<long long>(recordLength_));
    std::size_t got = 0;
    while (got < recordLength_) {
        ssize_t r =
            ::pread(fd, record.data() + got, recordLength_ - got, off + static_cast<off_t>(got));
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
    Descriptor(); // error 52 when not open
    if (readOnly_) throw VbError(err::BadFileMode);
    if (n < 1) throw VbError(err::BadRecordNumber);
    const int fd = WritableDescriptor();
    std::string buf = record.substr(0, recordLength_);
    buf.resize(recordLength_, ' ');
    const off_t off = static_cast<off_t>((n - 1) * static_cast<long long>(recordLength_));
    std::size_t done = 0;
    while (done < buf.size()) {
        ssize_t w =
            ::pwrite(fd, buf.data() + done, buf.size() - done, off + static_cast<off_t>(done));
        if (w < 0) {
            if (errno == EINTR) continue;
            throw VbError(ErrorFromErrno(errno));
        }
        done += static_cast<std::size_t>(w);
    }
}

} // namespace tnq
