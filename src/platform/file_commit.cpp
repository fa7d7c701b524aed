// CommitFiles and RecoverDirectory on POSIX calls: temporary files, the
// journal, renames.
#include "platform/file_commit.h"

#include <climits> // IOV_MAX
#include "platform/vb.h"
#include "platform/whole_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

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

// Writes pieces as the new file at path (created, or emptied when it holds
// bytes) with the mode of like (0644 when like does not exist); 0 or an
// errno value. inode gets the new file's.
int WriteNew(const std::string& path, const std::vector<std::string_view>& pieces,
             const std::string& like, unsigned long long* inode = nullptr) {
    struct stat st {};
    const mode_t mode = ::stat(like.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0644;
    // No O_TRUNC: a file made empty ahead (FileMaker) and emptied again
    // would be written out to the disk when it is closed, as the file
    // system does with a file it sees replaced by truncation.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return errno;
    int error = 0;
    struct stat made {};
    if (::fstat(fd, &made) != 0)
        error = errno;
    else if (made.st_size > 0 && ::ftruncate(fd, 0) != 0)
        error = errno;
    else if ((made.st_mode & 07777) != mode && ::fchmod(fd, mode) != 0)
        error = errno;
    else if (inode)
        *inode = static_cast<unsigned long long>(made.st_ino);
    std::vector<iovec> io;
    for (const std::string_view p : pieces)
        if (!p.empty()) io.push_back({const_cast<char*>(p.data()), p.size()});
    std::size_t first = 0;
    while (error == 0 && first < io.size()) {
        const int count = static_cast<int>(std::min<std::size_t>(io.size() - first, IOV_MAX));
        const ssize_t n = ::writev(fd, io.data() + first, count);
        if (n < 0) {
            if (errno != EINTR) error = errno;
            continue;
        }
        if (n == 0) {
            error = ENOSPC;
            continue;
        }
        // Past the pieces written whole, into the one written in part.
        auto left = static_cast<std::size_t>(n);
        while (left > 0 && left >= io[first].iov_len) left -= io[first++].iov_len;
        if (left > 0) {
            io[first].iov_base = static_cast<char*>(io[first].iov_base) + left;
            io[first].iov_len -= left;
        }
    }
    if (::close(fd) != 0 && error == 0) error = errno;
    return error;
}

int Rename(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

int Remove(const std::string& path) {
    return ::unlink(path.c_str()) == 0 || errno == ENOENT ? 0 : errno;
}

// A file of the change: its target's name, and the inode of its new file
// (what tells, after an exchange, the new contents from the old).
struct JournalFile {
    std::string Name;
    unsigned long long Inode = 0;
};

// The journal's text: its state, the change, a line per file.
std::string JournalText(const char* state, const std::string& change,
                        const std::vector<JournalFile>& files) {
    std::string text = std::string(kJournalHead) + "\n" + state + "\n" + change + "\n";
    for (const JournalFile& f : files) text += std::to_string(f.Inode) + " " + f.Name + "\n";
    return text + "end\n";
}

struct Journal {
    bool Whole = false; // read to its "end" line
    bool Committed = false;
    std::string Change;
    std::vector<JournalFile> Files;
};

Journal ParseJournal(const std::string& text) {
    Journal j;
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t nl = text.find('\n', at);
        if (nl == std::string::npos) break; // a line cut short is no line
        lines.push_back(text.substr(at, nl - at));
        at = nl + 1;
    }
    if (lines.size() < 3 || lines[0] != kJournalHead) return j;
    j.Committed = lines[1] == "committed";
    j.Change = lines[2];
    for (std::size_t i = 3; i < lines.size(); ++i) {
        if (lines[i] == "end") {
            j.Whole = true;
            break;
        }
        // "inode name", a name of this directory only.
        const std::size_t space = lines[i].find(' ');
        if (space == std::string::npos) continue;
        const std::string name = lines[i].substr(space + 1);
        if (name.empty() || name.find('/') != std::string::npos || name == "." || name == "..")
            continue;
        j.Files.push_back({name, std::strtoull(lines[i].c_str(), nullptr, 10)});
    }
    return j;
}

bool IsTemporaryName(const std::string& name) {
    // "NAME.MID.tmp", "NAME.MID.tmp1": the .MID writer's new file.
    if (const std::size_t tmp = name.rfind(".MID.tmp"); tmp != std::string::npos && tmp > 0) {
        const std::string_view digits = std::string_view(name).substr(tmp + 8);
        return std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
    }
    if (name.size() < 2 || name[0] != '.') return false;
    if (EndsWith(name, kNewSuffix)) return true;
    // ".NAME.tnq-XXXXXX", from mkstemp.
    const std::size_t dash = name.rfind(".tnq-");
    if (dash == std::string::npos || dash == 0 || name.size() - dash != 11) return false;
    for (std::size_t i = dash + 5; i < name.size(); ++i) {
        const char c = name[i];
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')))
            return false;
    }
    return true;
}

// A file this user may not write (only for files that exist).
bool WriteRefused(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return false;
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0 && errno == EACCES;
}

} // namespace

int PutInPlace(const std::string& from, const std::string& to) {
    struct stat st {};
    if (::lstat(to.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
        ::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_EXCHANGE) == 0) {
        ::unlink(from.c_str()); // the old contents
        return 0;
    }
    return Rename(from, to);
}

std::string TemporaryPathFor(const std::string& path) {
    return JoinPath(DirOf(path), "." + NameOf(path) + kNewSuffix);
}

std::string TemporaryTemplateFor(const std::string& path) {
    return JoinPath(DirOf(path), "." + NameOf(path) + ".tnq-XXXXXX");
}

void CommitFiles(const std::vector<NewFile>& files, const std::string& change,
                 const CommitHooks& hooks) {
    if (files.empty()) return;
    const std::string dir = DirOf(files.front().Path);
    for (const NewFile& f : files)
        if (WriteRefused(f.Path)) Fail(EACCES, f.Path);

    const std::string journal = JoinPath(dir, kJournalName);
    const bool journaled = files.size() > 1;
    std::vector<JournalFile> listed;
    for (const NewFile& f : files) listed.push_back({NameOf(f.Path), 0});
    std::vector<std::string> written;
    auto undo = [&](int e, const std::string& path) {
        for (const std::string& t : written) Remove(t);
        if (journaled) Remove(journal);
        Fail(e, path);
    };

    if (journaled) {
        const std::string text = JournalText("pending", change, listed);
        if (const int e = Step(hooks, CommitStep::WriteJournal, journal,
                               [&] { return WriteNew(journal, {text}, journal); }))
            undo(e, journal);
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::string tmp = TemporaryPathFor(files[i].Path);
        written.push_back(tmp);
        if (const int e = Step(hooks, CommitStep::WriteFile, files[i].Path, [&] {
                return WriteNew(tmp, files[i].Pieces, files[i].Path, &listed[i].Inode);
            }))
            undo(e, files[i].Path);
    }
    if (!journaled) {
        if (const int e = Step(hooks, CommitStep::Rename, files.front().Path,
                               [&] { return PutInPlace(written.front(), files.front().Path); }))
            undo(e, files.front().Path);
        return;
    }

    // The commit point: the journal switches to committed in one rename.
    const std::string text = JournalText("committed", change, listed);
    const std::string marked = TemporaryPathFor(journal);
    written.push_back(marked);
    if (const int e = Step(hooks, CommitStep::MarkCommitted, journal, [&] {
            const int w = WriteNew(marked, {text}, journal);
            return w != 0 ? w : PutInPlace(marked, journal);
        }))
        undo(e, journal);

    // From here the change stands: a rename the system refuses is left to
    // RecoverDirectory, and told.
    int failed = 0;
    std::string failedPath;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const int e = Step(hooks, CommitStep::Rename, files[i].Path,
                           [&] { return PutInPlace(written[i], files[i].Path); });
        if (e != 0 && failed == 0) {
            failed = e;
            failedPath = files[i].Path;
        }
    }
    if (failed != 0) throw CommitUnfinished(ErrorFromErrno(failed), failedPath);
    if (const int e = Step(hooks, CommitStep::RemoveJournal, journal, [&] { return Remove(journal); }))
        throw CommitUnfinished(ErrorFromErrno(e), journal);
}

Recovery RecoverDirectory(const std::string& dir) {
    Recovery r;
    const std::string journal = JoinPath(dir, kJournalName);
    struct stat st {};
    if (::lstat(journal.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
        const Journal j = ParseJournal(ReadWholeFile(journal));
        r.Change = j.Change;
        if (j.Whole && j.Committed) {
            for (const JournalFile& f : j.Files) {
                const std::string target = JoinPath(dir, f.Name);
                const std::string tmp = TemporaryPathFor(target);
                if (::lstat(tmp.c_str(), &st) != 0) continue; // in place already
                // After an exchange the temporary name holds the old contents.
                const bool isNew = static_cast<unsigned long long>(st.st_ino) == f.Inode;
                if (const int e = isNew ? Rename(tmp, target) : Remove(tmp)) Fail(e, target);
            }
            r.What = Recovery::Outcome::Completed;
        } else {
            // Pending, or cut short while it was written: nothing was
            // replaced yet.
            r.What = Recovery::Outcome::Undone;
        }
        if (const int e = Remove(journal)) Fail(e, journal);
    }
    RemoveStrayTemporaryFiles(dir);
    return r;
}

void RemoveStrayTemporaryFiles(const std::string& dir) {
    std::error_code ec;
    const std::string journal = JoinPath(dir, kJournalName);
    struct stat st {};
    if (::lstat(journal.c_str(), &st) == 0) {
        // A committed journal still needs its temporary files.
        try {
            if (ParseJournal(ReadWholeFile(journal)).Committed) return;
        } catch (const VbError&) {
            return;
        }
        Remove(journal);
    }
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (IsTemporaryName(name) && it->is_regular_file(ec)) Remove(it->path().string());
    }
}

} // namespace tnq
