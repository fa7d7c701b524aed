// Whole-file reads and replacements for the program's files, and their
// lines read in pieces. A replacement writes a temporary file beside the
// target and puts it in the target's place only after every byte is written
// and flushed, so neither a failure nor a power cut leaves a half-written
// file behind. A replacement writes through a symbolic link to the file it
// names, at the end of the chain of links and beside that file, so a link
// stays a link; CommitFiles, whose journal speaks only for files of its own
// directory, refuses a link among its targets. Failures raise VbError with
// the classic numbers (53 file not found, 61 disk full, 70 permission
// denied, 76 path not found, ...).
#pragma once

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tnq {

// The bytes of the file at path.
std::string ReadWholeFile(const std::string& path);
// The same bytes read into buffer (for reading many files one after the
// other): they are its first bytes and hold until the buffer is changed.
std::string_view ReadWholeFile(const std::string& path, std::string& buffer);
// The same bytes read into memory room(n) hands out: the first of n bytes at
// least, which hold the bytes read so far (n is the file's size and one more,
// and grows while the file does). Returns how many bytes were read.
std::size_t ReadWholeFile(const std::string& path, const std::function<char*(std::size_t)>& room);
// Whether the file at path holds exactly the bytes of pieces, one after the
// other (a missing file holds none; one that cannot be read, no bytes at
// all), read a piece at a time into buffer up to the first that differs.
bool FileHolds(const std::string& path, const std::vector<std::string_view>& pieces,
               std::string& buffer);

// Calls line(text) for each line of bytes, in order: a line ends at CR LF,
// LF or CR (the line end is not passed). With atEnd, the text after the
// last line end is a line of its own when it is not empty; without, it is
// left for more bytes to follow, and so is a CR that ends the bytes (its LF
// may follow). Returns the number of bytes used.
template <class F> std::size_t ForEachLine(std::string_view bytes, bool atEnd, F&& line) {
    const char* const first = bytes.data();
    const char* const end = first + bytes.size();
    const char* start = first;
    auto next = [end](const char* from, char ch) {
        const void* at =
            from < end ? std::memchr(from, ch, static_cast<std::size_t>(end - from)) : nullptr;
        return at ? static_cast<const char*>(at) : end;
    };
    // The next LF and CR at or after start (end: none), each searched for
    // again only once passed, however the other ends lines.
    const char* lf = next(first, '\n');
    const char* cr = next(first, '\r');
    while (start < end) {
        if (lf < start) lf = next(start, '\n');
        if (cr < start) cr = next(start, '\r');
        const char* const stop = std::min(lf, cr);
        if (stop == end || (!atEnd && stop + 1 == end && *stop == '\r')) {
            if (!atEnd) break;
            line(std::string_view(start, static_cast<std::size_t>(end - start)));
            start = end;
            break;
        }
        line(std::string_view(start, static_cast<std::size_t>(stop - start)));
        start = stop + 1;
        if (*stop == '\r' && start < end && *start == '\n') ++start;
    }
    return static_cast<std::size_t>(start - first);
}

// Reads the file at path in large pieces, calling line(text) for each of
// its lines as ForEachLine splits them; a line stays whole however long.
void ReadLines(const std::string& path, const std::function<void(std::string_view)>& line);

// Where the new file of a replacement is written before it takes the
// target's place: under the target's fixed temporary name, in a directory the
// program holds (a piece directory, locked while it is open), or under a name
// of its own, in a directory other programs may write at the same time.
enum class Beside { FixedName, UniqueName };

// Replaces the file at path (created when missing) by bytes. When it returns
// the new file is on the disk under path.
void ReplaceWholeFile(const std::string& path, const std::string& bytes,
                      Beside beside = Beside::FixedName);

// Where a file's bytes are handed, piece by piece.
using ByteSink = std::function<void(std::string_view)>;
// The same with the bytes fill hands to its sink in turn, so that a large
// file is never built whole first. When fill raises an exception, the file
// is left as it was and the exception goes on.
void ReplaceWholeFile(const std::string& path, const std::function<void(const ByteSink&)>& fill,
                      Beside beside = Beside::FixedName);

} // namespace tnq
