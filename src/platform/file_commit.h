// Several files of one directory replaced all or nothing. Every new file is
// written in full beside its target under a temporary name; for more than
// one file a journal in the directory first names the change and its files
// ("pending"), is then switched in one rename to "committed", and only then
// are the temporary files renamed over their targets and the journal
// removed. A program stopped anywhere (killed, a full disk, a refused
// permission) leaves either the targets as they were, with a pending
// journal or stray temporary files that RecoverDirectory removes, or a
// committed journal whose renames RecoverDirectory finishes.
#pragma once

#include "platform/vb.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tnq {

// The steps of a commit that reach the disk, each named with the file it
// concerns.
enum class CommitStep {
    WriteJournal,   // the pending journal
    WriteFile,      // one new file under its temporary name
    MarkCommitted,  // the switch of the journal to committed
    Rename,         // one temporary file over its target
    RemoveJournal,
};

// A way in for tests: Before runs ahead of every step; a non-zero errno
// value it returns fails the step as the system would (ENOSPC, EACCES ...),
// and it may end the process there to stand for a kill.
struct CommitHooks {
    std::function<int(CommitStep, const std::string& path)> Before;
};

// A file's new contents, in pieces written one after the other.
struct NewFile {
    std::string Path;
    std::vector<std::string_view> Pieces;
};

// A commit that passed its commit point but could not rename every file:
// the change stands and the next RecoverDirectory finishes it.
class CommitUnfinished : public VbError {
public:
    CommitUnfinished(int number, const std::string& where)
        : VbError(number, ErrorText(number), where) {}
};

// Replaces every file of files (all in one directory), all or nothing;
// change names the change in the journal. A failure before the commit
// point raises VbError with its number and the file it concerns as Where,
// every target as before and no temporary file left. A target that may not
// be written (no write permission for this user) is refused that way, with
// error 70, before anything is written. A failure after it (a rename the
// system refuses) raises VbError too, with the journal kept for
// RecoverDirectory to finish.
void CommitFiles(const std::vector<NewFile>& files, const std::string& change,
                 const CommitHooks& hooks = {});

// What RecoverDirectory found.
struct Recovery {
    enum class Outcome { Nothing, Completed, Undone };
    Outcome What = Outcome::Nothing;
    std::string Change; // the change named in the journal
};

// Whether a file name of the directory names one of the files the program
// writes there (a piece's data file, track files, NAME.DAT, NAME.MID): only
// the temporary names of those files are the program's own.
using OwnedName = std::function<bool(const std::string& name)>;

// Finishes a committed change cut short in dir, undoes a pending one, and
// removes the temporary files a replacement cut short left behind (those of
// the files owned names and of the journal, nothing else). Raises VbError
// when a rename it needs to finish fails. Only the program that holds the
// directory's lock may call it.
Recovery RecoverDirectory(const std::string& dir, const OwnedName& owned);

// Removes the temporary files replacements cut short left in dir (of the
// files owned names), and a pending journal with them; a committed journal
// is left for RecoverDirectory.
void RemoveStrayTemporaryFiles(const std::string& dir, const OwnedName& owned);

// The temporary name under which a new file is written beside path, and the
// pattern of temporary names a replacement of a whole file uses (mkstemp's).
std::string TemporaryPathFor(const std::string& path);
std::string TemporaryTemplateFor(const std::string& path);

// Puts the complete new file from in to's place without waiting for the
// disk; 0 or an errno value. An existing regular file is exchanged with
// from in one step and then removed under from's name: a plain rename over
// a file makes the file system write the new one out at once (its guard for
// files replaced without a flush), which costs more than making the file.
// Where to is no regular file (or none) or exchanging is not supported, from
// is renamed.
int PutInPlace(const std::string& from, const std::string& to);

} // namespace tnq
