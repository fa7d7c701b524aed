// CommitFiles and RecoverDirectory on POSIX calls: temporary files, the
// journal, renames.
#include "platform/file_commit.h"

#include "platform/vb.h"
#include "platform/whole_file.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>
#include <utility>

namespace tnq {

namespace fs = std::filesystem;

namespace {

constexpr const char* kJournalName = ".tnq-change";
constexpr const char* kNewSuffix = ".tnq-new";
constexpr const char* kJournalHead = "tonquill change";

std::string DirOf(const std::string& path) {
    const fs::path p(path);
    return p.parent_path().empty() ? std::string(".") : p.parent_path().string();
}

std::string NameOf(const std::string& path) {
    return fs::path(path).filename().string();
}

std::string JoinPath(const std::string& dir, const std::string& name) {
    return (fs::path(dir) / name).string();
}

bool EndsWith(std::string_view s, std::string_view end) {
    return s.size() >= end.size() && s.substr(s.size() - end.size()) == end;
}

// A step of the commit: the hook first, then the call; 0 or an errno value.
template <class Call>
int Step(const CommitHooks& hooks, CommitStep step, const std::string& path, Call call) {
    if (hooks.Before) {
        if (const int e = hooks.Before(step, path); e != 0) return e;
    }
    return call();
}

[[noreturn]] void Fail(int e, const std::string& path) {
    throw VbError(ErrorFromErrno(e), ErrorText(ErrorFromErrno(e)), path);
}

int Rename(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

int Remove(const std::string& path) {
    return ::unlink(path.c_str()) == 0 || errno == ENOENT ? 0 : errno;
}

// A new file under its temporary name, open from its writing to its flush.
class NewFileFd {
public:
    NewFileFd() = default;
    NewFileFd(const NewFileFd&) = delete;
    NewFileFd& operator=(const NewFileFd&) = delete;
    ~NewFileFd() { Close(); }

    // Makes the file at path afresh, with the mode of like (0644 when like
    // does not exist), and writes pieces into it; 0 or an errno value. A
    // file of the name left by a replacement cut short goes first.
    int Write(const std::string& path, const std::vector<std::string_view>& pieces,
              const std::string& like) {
        struct stat st {};
        const mode_t mode = ::stat(like.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0644;
        if (const int e = Remove(path)) return e;
        fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_TRUNC | O_CLOEXEC, 0644);
        if (fd_ < 0) return errno;
        struct stat made {};
        if (::fstat(fd_, &made) != 0) return errno;
        if ((made.st_mode & 07777) != mode && ::fchmod(fd_, mode) != 0) return errno;
        return WriteAll(pieces);
    }
    // Has the system start writing the file out, so that the flushes of
    // several files overlap.
    void StartWriteBack() const {
        if (fd_ >= 0) ::sync_file_range(fd_, 0, 0, SYNC_FILE_RANGE_WRITE);
    }
    // Waits until the file is on the disk, and closes it; 0 or an errno value.
    int Sync() {
        int e = ::fsync(fd_) == 0 ? 0 : errno;
        if (::close(std::exchange(fd_, -1)) != 0 && e == 0) e = errno;
        return e;
    }
    void Close() {
        if (fd_ >= 0) ::close(std::exchange(fd_, -1));
    }

private:
    int WriteAll(const std::vector<std::string_view>& pieces) {
        std::vector<iovec> io;
        for (const std::string_view p : pieces)
            if (!p.empty()) io.push_back({const_cast<char*>(p.data()), p.size()});
        std::size_t first = 0;
        while (first < io.size()) {
            const int count = static_cast<int>(std::min<std::size_t>(io.size() - first, IOV_MAX));
            const ssize_t n = ::writev(fd_, io.data() + first, count);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) return errno;
            if (n == 0) return ENOSPC;
            // Past the pieces written whole, into the one written in part.
            auto left = static_cast<std::size_t>(n);
            while (left > 0 && left >= io[first].iov_len) left -= io[first++].iov_len;
            if (left > 0) {
                io[first].iov_base = static_cast<char*>(io[first].iov_base) + left;
                io[first].iov_len -= left;
            }
        }
        return 0;
    }

    int fd_ = -1;
};

// The journal's text: its state, the change, a line per file.
std::string JournalText(const char* state, const std::string& change,
                        const std::vector<std::string>& names) {
    std::string text = std::string(kJournalHead) + "\n" + state + "\n" + change + "\n";
    for (const std::string& name : names) text += "file " + name + "\n";
    return text + "end\n";
}

// A file of a journal: its target's name. Journals of earlier versions named
// each file with the inode number of its new file, which told the new
// contents from the old after an exchange of the two.
struct JournalFile {
    std::string Name;
    unsigned long long Inode = 0; // 0: the temporary name holds the new contents
};

// What the journal's name of a directory holds.
struct Journal {
    enum class Kind {
        None,    // nothing
        Undo,    // pending, or cut short before its end line
        Finish,  // committed, whole, and trusted
        Refused, // anything else
    };
    Kind What = Kind::None;
    std::string Change;
    std::vector<JournalFile> Files;
    std::string Why; // Refused: what is wrong
};

bool HasControlCharacter(std::string_view s) {
    return std::any_of(s.begin(), s.end(), [](char ch) {
        const auto u = static_cast<unsigned char>(ch);
        return u < 0x20 || u == 0x7F;
    });
}

bool AllDigits(std::string_view s) {
    return !s.empty() &&
           std::all_of(s.begin(), s.end(), [](char ch) { return ch >= '0' && ch <= '9'; });
}

// The journal held by text. A committed one is trusted only as the program
// writes it: every line after the change "file NAME" (or an earlier
// version's "INODE NAME") naming a file owned calls its own, each once, then
// "end" and nothing after it, and no control character anywhere.
Journal ParseJournal(std::string_view text, const OwnedName& owned) {
    Journal j;
    j.What = Journal::Kind::Undo;
    std::vector<std::string_view> lines;
    std::size_t at = 0;
    bool ended = false;
    while (at < text.size() && !ended) {
        const std::size_t nl = text.find('\n', at);
        if (nl == std::string_view::npos) break; // a line cut short is no line
        lines.push_back(text.substr(at, nl - at));
        ended = lines.size() > 3 && lines.back() == "end";
        at = nl + 1;
    }
    if (lines.size() < 3 || lines[0] != kJournalHead) return j;
    j.Change = std::string(lines[2]);
    // Pending, or not whole: nothing was replaced yet, whatever it holds.
    if (lines[1] != "committed" || !ended) return j;

    auto refuse = [&j](std::string why) {
        j.What = Journal::Kind::Refused;
        j.Why = std::move(why);
        j.Files.clear();
        return j;
    };
    if (at != text.size()) return refuse("holds more after its end line");
    if (HasControlCharacter(j.Change)) return refuse("holds a control character in line 3");
    for (std::size_t i = 3; i + 1 < lines.size(); ++i) {
        const std::string line = " in line " + std::to_string(i + 1);
        if (HasControlCharacter(lines[i])) return refuse("holds a control character" + line);
        const std::size_t space = lines[i].find(' ');
        const std::string_view head = lines[i].substr(0, space);
        if (space == std::string_view::npos || (head != "file" && !AllDigits(head)))
            return refuse("holds a line that names no file" + line);
        const std::string name(lines[i].substr(space + 1));
        if (name.empty() || name.find('/') != std::string::npos || name == "." || name == ".." ||
            !owned || !owned(name))
            return refuse("names a file that is not one of the piece's" + line);
        for (const JournalFile& f : j.Files)
            if (f.Name == name) return refuse("names the file " + name + " twice");
        j.Files.push_back(
            {name, head == "file" ? 0 : std::strtoull(std::string(head).c_str(), nullptr, 10)});
    }
    if (j.Files.empty()) return refuse("names no file");
    j.What = Journal::Kind::Finish;
    return j;
}

// What is at the journal's name of dir, read without following a link,
// without waiting on a FIFO or a device, and to kJournalMost bytes at most.
Journal ReadJournal(const std::string& dir, const OwnedName& owned) {
    Journal j;
    const std::string path = JoinPath(dir, kJournalName);
    auto refuse = [&j](std::string why) {
        j.What = Journal::Kind::Refused;
        j.Why = std::move(why);
        return j;
    };
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) return j;
        if (errno == ELOOP) return refuse("is a symbolic link");
        return refuse("cannot be read (" + ErrorText(ErrorFromErrno(errno)) + ")");
    }
    std::string text;
    std::string why;
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        why = "cannot be read (" + ErrorText(ErrorFromErrno(errno)) + ")";
    else if (S_ISDIR(st.st_mode))
        why = "is a directory";
    else if (!S_ISREG(st.st_mode))
        why = S_ISFIFO(st.st_mode) ? "is a FIFO" : "is not a regular file";
    else if (static_cast<unsigned long long>(st.st_size) > kJournalMost)
        why = "is larger than any journal of the program";
    else {
        // One byte more than the most, to see a file that grew meanwhile.
        text.resize(kJournalMost + 1);
        std::size_t got = 0;
        while (got < text.size()) {
            const ssize_t n = ::read(fd, text.data() + got, text.size() - got);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) {
                why = "cannot be read (" + ErrorText(ErrorFromErrno(errno)) + ")";
                break;
            }
            if (n == 0) break;
            got += static_cast<std::size_t>(n);
        }
        if (why.empty() && got > kJournalMost) why = "is larger than any journal of the program";
        text.resize(got);
    }
    ::close(fd);
    if (!why.empty()) return refuse(why);
    return ParseJournal(text, owned);
}

// A temporary name of the program's own in dir: the journal's, or that of
// a file owned names.
bool IsTemporaryName(const std::string& name, const OwnedName& owned) {
    if (name == "." + std::string(kJournalName) + kNewSuffix) return true;
    if (name.size() <= 1 + std::strlen(kNewSuffix) || name[0] != '.' || !EndsWith(name, kNewSuffix))
        return false;
    const std::string target = name.substr(1, name.size() - 1 - std::strlen(kNewSuffix));
    return target != kJournalName && owned && owned(target);
}

// A file this user may not write (only for files that exist).
bool WriteRefused(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return false;
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0 && errno == EACCES;
}

bool IsSymbolicLink(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

// Puts in place what is left of a committed change of dir: each temporary
// file still there renamed over its target, then the directory flushed.
// 0, or the errno value of the step refused with the path it concerns in
// where; renamed tells whether a file was renamed.
int FinishChange(const std::string& dir, const std::vector<JournalFile>& files,
                 const CommitHooks& hooks, bool& renamed, std::string& where) {
    for (const JournalFile& f : files) {
        const std::string target = JoinPath(dir, f.Name);
        const std::string tmp = TemporaryPathFor(target);
        where = target;
        struct stat st {};
        if (::lstat(tmp.c_str(), &st) != 0) {
            if (errno == ENOENT) continue;
            return errno;
        }
        if (!S_ISREG(st.st_mode)) continue;
        // An earlier version's journal: after an exchange the temporary
        // name held the old contents.
        const bool isNew = f.Inode == 0 || static_cast<unsigned long long>(st.st_ino) == f.Inode;
        const int e =
            isNew ? Step(hooks, CommitStep::Rename, target, [&] { return Rename(tmp, target); })
                  : Remove(tmp);
        if (e != 0) return e;
        renamed = renamed || isNew;
    }
    where = dir;
    return Step(hooks, CommitStep::SyncDirectory, dir, [&] { return SyncDirectory(dir); });
}

// A change left in dir put in place, or a pending one undone, before a new
// change begins; VbError, with nothing of the new change written, when it
// cannot be.
void SettleLeftChange(const std::string& dir, const OwnedName& owned, const CommitHooks& hooks) {
    const Journal j = ReadJournal(dir, owned);
    const std::string journal = JoinPath(dir, kJournalName);
    if (j.What == Journal::Kind::None) return;
    if (j.What == Journal::Kind::Refused) throw JournalRefused(journal, j.Why);
    if (j.What == Journal::Kind::Finish) {
        bool renamed = false;
        std::string where;
        if (const int e = FinishChange(dir, j.Files, hooks, renamed, where)) Fail(e, where);
    }
    if (const int e =
            Step(hooks, CommitStep::RemoveJournal, journal, [&] { return Remove(journal); }))
        Fail(e, journal);
}

// Removes the temporary files of dir's files owned names, and the journal's.
void RemoveTemporaryFiles(const std::string& dir, const OwnedName& owned) {
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (IsTemporaryName(name, owned) && it->is_regular_file(ec)) Remove(it->path().string());
    }
}

} // namespace

std::string TemporaryPathFor(const std::string& path) {
    return JoinPath(DirOf(path), "." + NameOf(path) + kNewSuffix);
}

int SyncDirectory(const std::string& dir) {
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return errno;
    int e = ::fsync(fd) == 0 ? 0 : errno;
    // A file system that cannot flush a directory keeps its names anyway.
    if (e == EINVAL) e = 0;
    ::close(fd);
    return e;
}

void CommitFiles(const std::vector<NewFile>& files, const std::string& change,
                 const OwnedName& owned, const CommitHooks& hooks) {
    if (files.empty()) return;
    const std::string dir = DirOf(files.front().Path);
    for (const NewFile& f : files) {
        if (IsSymbolicLink(f.Path))
            throw VbError(err::PathFileAccessError, ErrorText(err::PathFileAccessError),
                          f.Path + " is a symbolic link");
        if (WriteRefused(f.Path)) Fail(EACCES, f.Path);
    }

    const std::string journal = JoinPath(dir, kJournalName);
    const std::string marked = TemporaryPathFor(journal);
    const bool journaled = files.size() > 1;
    std::vector<std::string> names, temporary;
    for (const NewFile& f : files) {
        names.push_back(NameOf(f.Path));
        temporary.push_back(TemporaryPathFor(f.Path));
    }
    // Only a journal that recovery would trust is written.
    const std::string committedText = journaled ? JournalText("committed", change, names) : "";
    const Journal own = journaled ? ParseJournal(committedText, owned) : Journal{};
    if (journaled && (own.What != Journal::Kind::Finish || committedText.size() > kJournalMost))
        throw VbError(err::BadFileNameOrNumber, ErrorText(err::BadFileNameOrNumber),
                      journal + " " + (own.Why.empty() ? "would be too large" : own.Why));
    // One change at a time: what an earlier change left is finished first.
    SettleLeftChange(dir, owned, hooks);

    std::vector<NewFileFd> fds(files.size());
    auto undo = [&](int e, const std::string& path) {
        for (NewFileFd& fd : fds) fd.Close();
        for (const std::string& t : temporary) Remove(t);
        if (journaled) {
            Remove(marked);
            Remove(journal);
        }
        Fail(e, path);
    };

    if (journaled) {
        const std::string text = JournalText("pending", change, names);
        NewFileFd pending;
        if (const int e = Step(hooks, CommitStep::WriteJournal, journal,
                               [&] { return pending.Write(journal, {text}, journal); }))
            undo(e, journal);
    }
    // Every new file written, then each flushed: the disk writes them all
    // out together.
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (const int e = Step(hooks, CommitStep::WriteFile, files[i].Path, [&] {
                return fds[i].Write(temporary[i], files[i].Pieces, files[i].Path);
            }))
            undo(e, files[i].Path);
        fds[i].StartWriteBack();
    }
    for (std::size_t i = 0; i < files.size(); ++i)
        if (const int e =
                Step(hooks, CommitStep::SyncFile, files[i].Path, [&] { return fds[i].Sync(); }))
            undo(e, files[i].Path);

    const auto syncDirectory = [&] {
        return Step(hooks, CommitStep::SyncDirectory, dir, [&] { return SyncDirectory(dir); });
    };
    if (!journaled) {
        if (const int e = Step(hooks, CommitStep::Rename, files.front().Path,
                               [&] { return Rename(temporary.front(), files.front().Path); }))
            undo(e, files.front().Path);
        // The new name on the disk: the change is stored. A refused flush
        // is tried once more.
        if (syncDirectory() != 0) {
            if (const int e = syncDirectory()) throw CommitUnfinished(ErrorFromErrno(e), dir);
        }
        return;
    }

    // The commit point: the flushed committed journal renamed over the
    // pending one, and the directory flushed, before any target changes.
    NewFileFd committed;
    if (const int e = Step(hooks, CommitStep::SyncJournal, journal, [&] {
            const int w = committed.Write(marked, {committedText}, journal);
            return w != 0 ? w : committed.Sync();
        }))
        undo(e, journal);
    if (const int e = Step(hooks, CommitStep::MarkCommitted, journal,
                           [&] { return Rename(marked, journal); }))
        undo(e, journal);

    // From here the change stands: a step the system refuses is tried again
    // at once, as recovery would, and what is still refused is left to the
    // next recovery, and told.
    int failed = syncDirectory();
    for (std::size_t i = 0; failed == 0 && i < files.size(); ++i)
        failed = Step(hooks, CommitStep::Rename, files[i].Path,
                      [&] { return Rename(temporary[i], files[i].Path); });
    if (failed == 0) failed = syncDirectory();
    if (failed != 0) {
        bool renamed = false;
        std::string where;
        if (const int e = FinishChange(dir, own.Files, hooks, renamed, where))
            throw CommitUnfinished(ErrorFromErrno(e), where);
    }
    // Every file is stored. A journal that outlives its removal (refused,
    // or cut short by a power cut) finds nothing left to do, and the next
    // commit or recovery removes it.
    Step(hooks, CommitStep::RemoveJournal, journal, [&] { return Remove(journal); });
}

Recovery RecoverDirectory(const std::string& dir, const OwnedName& owned) {
    Recovery r;
    const Journal j = ReadJournal(dir, owned);
    const std::string journal = JoinPath(dir, kJournalName);
    if (j.What == Journal::Kind::Refused) throw JournalRefused(journal, j.Why);
    if (j.What != Journal::Kind::None) {
        r.Change = j.Change;
        if (j.What == Journal::Kind::Finish) {
            // A temporary name still there holds new contents: its rename
            // is what is left of the change.
            bool renamed = false;
            std::string where;
            if (const int e = FinishChange(dir, j.Files, {}, renamed, where)) Fail(e, where);
            r.What = renamed ? Recovery::Outcome::Completed : Recovery::Outcome::Nothing;
        } else {
            // Pending, or cut short while it was written: nothing was
            // replaced yet.
            r.What = Recovery::Outcome::Undone;
        }
        if (const int e = Remove(journal)) Fail(e, journal);
    }
    RemoveTemporaryFiles(dir, owned);
    return r;
}

bool JournalIn(const std::string& dir, const OwnedName& owned) {
    const Journal::Kind k = ReadJournal(dir, owned).What;
    return k == Journal::Kind::Undo || k == Journal::Kind::Finish;
}

void RemoveStrayTemporaryFiles(const std::string& dir, const OwnedName& owned) {
    const Journal j = ReadJournal(dir, owned);
    // A committed journal still needs its temporary files, and what is
    // refused is left as it is.
    if (j.What == Journal::Kind::Finish || j.What == Journal::Kind::Refused) return;
    if (j.What == Journal::Kind::Undo) Remove(JoinPath(dir, kJournalName));
    RemoveTemporaryFiles(dir, owned);
}

} // namespace tnq
