// flock on a directory's own descriptor.
#include "platform/directory_lock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace tnq {

DirectoryLock::~DirectoryLock() {
    Release();
}

DirectoryLock::DirectoryLock(DirectoryLock&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

DirectoryLock& DirectoryLock::operator=(DirectoryLock&& other) noexcept {
    if (this != &other) {
        Release();
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

DirectoryLock::Outcome DirectoryLock::Take(const std::string& dir) {
    Release();
    // Not passed on to the programs this one starts: they would hold the
    // lock after it ends.
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return Outcome::NotLockable;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int e = errno;
        ::close(fd);
        return e == EWOULDBLOCK ? Outcome::HeldElsewhere : Outcome::NotLockable;
    }
    fd_ = fd;
    return Outcome::Taken;
}

void DirectoryLock::Release() {
    // Closing the last descriptor of the open releases its lock.
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

bool DirectoryLock::Holds(const std::string& dir) const {
    struct stat held {};
    struct stat named {};
    return fd_ >= 0 && ::fstat(fd_, &held) == 0 && ::stat(dir.c_str(), &named) == 0 &&
           held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

DirectoryLock DirectoryLock::Share() const {
    DirectoryLock shared;
    if (fd_ >= 0) shared.fd_ = ::fcntl(fd_, F_DUPFD_CLOEXEC, 0);
    return shared;
}

} // namespace tnq
