// Putting a complete new NAME.MID in place of the old one.
#include "midifile/mid_file_replace.h"

#include "platform/record_file.h"
#include "platform/vb.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tnq {

namespace {

// Puts the complete file temp in path's place; 0 or the error number. An
// existing file is exchanged with temp in one step and then removed: a
// plain rename over it would make the file system write the new file out
// at once (its guard for files replaced without a flush), which costs more
// than the whole command. Where path is no regular file (or none at all)
// or exchanging is not supported, temp is renamed.
int PutInPlace(const std::string& temp, const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
        ::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, path.c_str(), RENAME_EXCHANGE) == 0) {
        ::unlink(temp.c_str()); // the old contents; a leftover harms nothing
        return 0;
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) return ErrorFromErrno(errno);
    return 0;
}

} // namespace

void ReplaceFileContents(const std::string& path, const std::string& bytes, Integer& fileOpen) {
    // A new file beside the old one, under a name no other file has.
    std::string temp;
    int fd = -1;
    for (int n = 0; n < 100 && fd < 0; ++n) {
        temp = path + ".tmp" + (n == 0 ? std::string() : std::to_string(n));
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) throw VbError(ErrorFromErrno(errno));
    }
    if (fd < 0) throw VbError(err::FileAlreadyExists);
    fileOpen = 1;
    int error = 0;
    std::size_t done = 0;
    while (done < bytes.size() && error == 0) {
        const ssize_t w = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (w < 0 && errno == EINTR) continue;
        if (w < 0)
            error = ErrorFromErrno(errno);
        else if (w == 0)
            error = err::DiskFull;
        else
            done += static_cast<std::size_t>(w);
    }
    // No wait for the disk here: NAME.MID is made from the piece and can be
    // made again at any time, and waiting for the disk would cost the
    // command more than making the file. The exchange below still puts only
    // a complete file in the old one's place.
    if (::close(fd) != 0 && error == 0) error = ErrorFromErrno(errno);
    fileOpen = 0;
    if (error == 0) error = PutInPlace(temp, path);
    if (error != 0) {
        ::unlink(temp.c_str());
        throw VbError(error);
    }
}

} // namespace tnq
