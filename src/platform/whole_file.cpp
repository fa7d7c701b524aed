// ReadWholeFile and ReplaceWholeFile on POSIX calls, for their errno.
#include "platform/whole_file.h"

#include "platform/file_commit.h"
#include "platform/vb.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace tnq {

namespace {

// A missing file is "File not found"; a missing directory above it stays
// "Path not found".
int OpenErrorFor(const std::string& path, int e) {
    if (e != ENOENT) return ErrorFromErrno(e);
    std::error_code ec;
    const auto parent = std::filesystem::path(path).parent_path();
    if (parent.empty() || std::filesystem::is_directory(parent, ec)) return err::FileNotFound;
    return err::PathNotFound;
}

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int Get() const { return fd_; }
    int Release() {
        int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_;
};

// The file at path opened for reading, and its status.
Fd OpenForReading(const std::string& path, struct stat& st) {
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.Get() < 0) throw VbError(OpenErrorFor(path, errno));
    if (::fstat(fd.Get(), &st) != 0) throw VbError(ErrorFromErrno(errno));
    if (S_ISDIR(st.st_mode)) throw VbError(err::PathFileAccessError);
    return Fd(fd.Release());
}

// Reads into room bytes at to; 0 at the end of the file.
std::size_t ReadSome(int fd, char* to, std::size_t room) {
    for (;;) {
        const ssize_t n = ::read(fd, to, room);
        if (n >= 0) return static_cast<std::size_t>(n);
        if (errno != EINTR) throw VbError(ErrorFromErrno(errno));
    }
}

// The pieces ReadLines reads a file in, and FileHolds compares it in: small
// enough to be memory the program already holds (a fresh page costs more to
// touch the first time than its bytes cost to read) and to stay in the cache
// while its lines are used, large enough that each read brings many lines.
constexpr std::size_t kLinePiece = std::size_t{64} << 10;
constexpr std::size_t kFirstComparedPiece = std::size_t{4} << 10;

// The most symbolic links followed from one path, as the system does.
constexpr int kMostLinks = 40;

// The file path names at the end of its chain of symbolic links (path itself
// when it is no link); a relative link is taken from the link's directory.
std::string FileNamedBy(const std::string& path) {
    std::filesystem::path at = path;
    for (int hop = 0;; ++hop) {
        std::error_code notALink;
        const std::filesystem::path link = std::filesystem::read_symlink(at, notALink);
        // No link (or none that reads): the file's own open tells the rest.
        if (notALink) return at.string();
        if (hop == kMostLinks) throw VbError(ErrorFromErrno(ELOOP));
        at = link.is_absolute() ? link : at.parent_path() / link;
    }
}

} // namespace

std::size_t ReadWholeFile(const std::string& path, const std::function<char*(std::size_t)>& room) {
    struct stat st {};
    const Fd fd = OpenForReading(path, st);
    // Read straight into the room, as large as the file as its size says and
    // one byte more, to see its end in the same read; a file that grows
    // meanwhile is read to its new end.
    std::size_t size = static_cast<std::size_t>(std::max<off_t>(st.st_size, 0)) + 1;
    char* to = room(size);
    std::size_t got = 0;
    for (;;) {
        if (got == size) to = room(size *= 2);
        const std::size_t n = ReadSome(fd.Get(), to + got, size - got);
        if (n == 0) break;
        got += n;
    }
    return got;
}

bool FileHolds(const std::string& path, const std::vector<std::string_view>& pieces,
               std::string& buffer) {
    std::size_t size = 0;
    for (const std::string_view p : pieces) size += p.size();
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return errno == ENOENT && size == 0;
    if (!S_ISREG(st.st_mode) || static_cast<std::size_t>(st.st_size) != size) return false;
    try {
        const Fd fd = OpenForReading(path, st);
        const std::size_t most = std::min(size + 1, kLinePiece);
        if (buffer.size() < most) buffer.resize(most);
        // A changed file mostly differs early: small reads first.
        std::size_t piece = std::min(most, kFirstComparedPiece);
        std::size_t done = 0, i = 0, at = 0; // bytes compared; where in which piece
        for (;; piece = std::min(most, piece * 4)) {
            const std::size_t n = ReadSome(fd.Get(), buffer.data(), piece);
            if (n == 0) return done == size;
            if (n > size - done) return false;
            for (std::size_t used = 0; used < n;) {
                while (at == pieces[i].size()) ++i, at = 0;
                const std::size_t k = std::min(n - used, pieces[i].size() - at);
                if (std::memcmp(buffer.data() + used, pieces[i].data() + at, k) != 0) return false;
                used += k;
                at += k;
            }
            done += n;
        }
    } catch (const VbError&) {
        return false;
    }
}

std::string_view ReadWholeFile(const std::string& path, std::string& buffer) {
    // The buffer is never made smaller, so that reading file after file
    // fills its room only once.
    const std::size_t got = ReadWholeFile(path, [&buffer](std::size_t n) {
        if (buffer.size() < n) buffer.resize(n);
        return buffer.data();
    });
    return std::string_view(buffer.data(), got);
}

void ReadLines(const std::string& path, const std::function<void(std::string_view)>& line) {
    struct stat st {};
    const Fd fd = OpenForReading(path, st);
    std::string buffer(kLinePiece, '\0');
    std::size_t held = 0; // bytes of a line not yet ended, at the start
    for (;;) {
        // A line longer than the buffer makes it larger.
        if (held == buffer.size()) buffer.resize(buffer.size() * 2);
        const std::size_t n = ReadSome(fd.Get(), buffer.data() + held, buffer.size() - held);
        held += n;
        const std::size_t used = ForEachLine(std::string_view(buffer.data(), held), n == 0, line);
        if (n == 0) return;
        held -= used;
        std::memmove(buffer.data(), buffer.data() + used, held);
    }
}

std::string ReadWholeFile(const std::string& path) {
    std::string bytes;
    bytes.resize(ReadWholeFile(path, bytes).size());
    return bytes;
}

void ReplaceWholeFile(const std::string& path, const std::string& bytes, Beside beside) {
    ReplaceWholeFile(path, [&bytes](const ByteSink& put) { put(bytes); }, beside);
}

void ReplaceWholeFile(const std::string& named, const std::function<void(const ByteSink&)>& fill,
                      Beside beside) {
    const std::string path = FileNamedBy(named);
    const std::filesystem::path target(path);
    const std::string dir = target.parent_path().empty() ? "." : target.parent_path().string();
    std::string name = TemporaryPathFor(path);
    int made = -1;
    if (beside == Beside::FixedName) {
        // Left over from a replacement cut short, or written now.
        ::unlink(name.c_str());
        made = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_TRUNC | O_CLOEXEC, 0644);
    } else {
        std::vector<char> unique(name.begin(), name.end());
        const std::string_view xs = "XXXXXX";
        unique.insert(unique.end() - 3, xs.begin(), xs.end()); // ".tnq-XXXXXXnew"
        unique.push_back('\0');
        made = ::mkstemps(unique.data(), 3);
        name = unique.data();
    }
    if (made < 0) throw VbError(ErrorFromErrno(errno));
    Fd fd(made);
    int error = 0;
    const ByteSink put = [&](std::string_view bytes) {
        for (std::size_t off = 0; error == 0 && off < bytes.size();) {
            const ssize_t n = ::write(fd.Get(), bytes.data() + off, bytes.size() - off);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0)
                error = ErrorFromErrno(n < 0 ? errno : ENOSPC);
            else
                off += static_cast<std::size_t>(n);
        }
    };
    try {
        fill(put);
    } catch (...) {
        ::unlink(name.c_str());
        throw;
    }
    // The new file keeps the mode of the one it replaces.
    struct stat old {};
    const mode_t mode = ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    if (error == 0 && ::fchmod(fd.Get(), mode) != 0) error = ErrorFromErrno(errno);
    if (error == 0 && ::fsync(fd.Get()) != 0) error = ErrorFromErrno(errno);
    if (::close(fd.Release()) != 0 && error == 0) error = ErrorFromErrno(errno);
    if (error == 0 && ::rename(name.c_str(), path.c_str()) != 0) error = ErrorFromErrno(errno);
    if (error != 0) {
        ::unlink(name.c_str());
        throw VbError(error);
    }
    // The new name reaches the disk with the directory.
    if (const int e = SyncDirectory(dir)) throw VbError(ErrorFromErrno(e));
}

} // namespace tnq
