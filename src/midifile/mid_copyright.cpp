// Reading back the copyright text of an existing .MID file.
#include "midifile/mid_copyright.h"

#include "midifile/var_len.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tnq {

namespace {

// Reads up to n bytes from offset; fewer at the end of the file.
std::string ReadAt(int fd, std::int64_t offset, std::size_t n) {
    std::string buf(n, '\0');
    std::size_t got = 0;
    while (got < n) {
        const ssize_t r = ::pread(fd, buf.data() + got, n - got, static_cast<off_t>(offset + got));
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) break;
        got += static_cast<std::size_t>(r);
    }
    buf.resize(got);
    return buf;
}

} // namespace

std::string ReadBackCopyright(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return "";
    // The first 200 bytes, blank where the file is shorter.
    std::string head = ReadAt(fd, 0, 200);
    head.resize(200, ' ');
    std::string text;
    if (head[22] == '\x00' && head[23] == '\xFF' && head[24] == '\x02') {
        int lengthBytes = 0;
        const std::int32_t length = TicksFromVarLen(head, 26, &lengthBytes);
        // The text follows the length field, as far as the file goes.
        const std::int64_t from = 25 + lengthBytes;
        struct stat st {};
        const std::int64_t size = ::fstat(fd, &st) == 0 ? st.st_size : 200;
        const std::int64_t n = std::min<std::int64_t>(length, size > from ? size - from : 0);
        text = ReadAt(fd, from, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return text;
}

} // namespace tnq
