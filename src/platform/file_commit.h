// Several files of one directory replaced all or nothing, and on the disk
// when the replacement returns. Every new file is written in full beside its
// target under a fixed temporary name of its own (".NAME.tnq-new"; the
// directory is the program's alone while it holds the piece's lock), and
// flushed to the disk, the files of a change together. For more than one
// file a journal in the directory names the change and its files; written
// first as "pending", it is switched to "committed" by the rename of a
// flushed "committed" copy over it (the commit point), the directory is
// flushed, and only then are the temporary files renamed over their targets,
// the directory flushed again and the journal removed. One file needs no
// journal: its rename is the commit point.
//
// A program stopped anywhere, by a kill or a power cut, leaves either the
// targets as they were, with a pending journal or temporary files that
// RecoverDirectory removes, or a committed journal whose remaining renames
// RecoverDirectory finishes: a temporary name holds the new contents for as
// long as it exists, so recovery needs nothing but the names.
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
    SyncFile,       // one new file flushed to the disk
    SyncJournal,    // the committed journal written and flushed under its temporary name
    MarkCommitted,  // its rename over the pending journal: the commit point
    SyncDirectory,  // the directory's names flushed to the disk
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
// every target as before and no temporary file left. Refused that way
// before anything is written: a target this user may not write (error 70),
// and a target that is a symbolic link (error 75, Where naming it as one),
// which a rename would replace by a plain file. A failure after the commit
// point (a rename or a flush the system refuses) raises CommitUnfinished,
// with the journal kept for RecoverDirectory to finish.
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

// Whether dir holds the journal of a change cut short, for RecoverDirectory
// to finish or undo.
bool JournalIn(const std::string& dir);

// Removes the temporary files replacements cut short left in dir (of the
// files owned names), and a pending journal with them; a committed journal
// is left for RecoverDirectory.
void RemoveStrayTemporaryFiles(const std::string& dir, const OwnedName& owned);

// The fixed temporary name under which a new file is written beside path.
std::string TemporaryPathFor(const std::string& path);

// Flushes the names of the directory dir to the disk; 0 or an errno value.
int SyncDirectory(const std::string& dir);

} // namespace tnq
