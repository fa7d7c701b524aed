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
//
// One change at a time: a commit that finds a journal in its directory
// finishes that change (or undoes a pending one) before it writes anything
// of its own, and fails with nothing written when it cannot. A step refused
// past the commit point is tried again at once, as recovery would.
//
// Only a journal as the program writes it is trusted: a regular file no
// larger than kJournalMost, whose committed form names each file once, by a
// name the directory's owner calls its own and with no control character.
// Anything else at the journal's name is refused (JournalRefused), by Open
// and by every commit alike, with nothing renamed or removed; a pending
// journal, or one cut short before its end line, is undone whatever it holds.
//
// A symbolic link among the targets is refused, where ReplaceWholeFile would
// write through it (the rule in whole_file.h): the journal speaks only for
// files of this directory.
#pragma once

#include "platform/vb.h"

#include <cstddef>
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

// A commit that passed its commit point but could not be finished, even
// when its refused steps were tried again: the change stands and the next
// RecoverDirectory finishes it. Until then nothing may read or write the
// directory's files.
class CommitUnfinished : public VbError {
public:
    CommitUnfinished(int number, const std::string& where)
        : VbError(number, ErrorText(number), where) {}
};

// The most bytes a journal the program writes can hold (a change of a
// piece's 99 files with names of a few characters holds under 4 KB).
inline constexpr std::size_t kJournalMost = std::size_t{64} << 10;

// Something at the journal's name that the program did not write as it
// stands (Path/File access error, Where naming the journal and what is
// wrong with it). Nothing is renamed or removed.
class JournalRefused : public VbError {
public:
    JournalRefused(const std::string& journal, const std::string& why)
        : VbError(err::PathFileAccessError, ErrorText(err::PathFileAccessError), journal + " " + why), journal_(journal), why_(why) {}
    const std::string& Journal() const { return journal_; }
    // What is wrong: "is a directory", "names a file twice (SONG02)" ...
    const std::string& Why() const { return why_; }

private:
    std::string journal_, why_;
};

// Whether a file name of the directory names one of the files the program
// writes there (a piece's data file, track files, NAME.DAT, NAME.MID): only
// those may a journal name, and only the temporary names of those files are
// the program's own.
using OwnedName = std::function<bool(const std::string& name)>;

// Replaces every file of files (all in one directory, each a name owned
// calls its own when there are several), all or nothing; change names the
// change in the journal. A change left in the directory is finished first.
// A failure before the commit point raises VbError with its number and the
// file it concerns as Where, every target as before and no temporary file of
// this change left. Refused that way before anything is written: a target
// this user may not write (error 70), a target that is a symbolic link
// (error 75, Where naming it as one), a file owned does not call its own
// (error 52), and a journal
// left in the directory that is refused (JournalRefused) or cannot be
// finished. A failure after the commit point (a rename or a flush the system
// refuses again when tried again) raises CommitUnfinished, with the journal
// kept for RecoverDirectory to finish.
void CommitFiles(const std::vector<NewFile>& files, const std::string& change,
                 const OwnedName& owned, const CommitHooks& hooks = {});

// What RecoverDirectory found.
struct Recovery {
    enum class Outcome { Nothing, Completed, Undone };
    Outcome What = Outcome::Nothing;
    std::string Change; // the change named in the journal
};

// Finishes a committed change cut short in dir, undoes a pending one, and
// removes the temporary files a replacement cut short left behind (those of
// the files owned names and of the journal, nothing else). Raises
// JournalRefused, having changed nothing, for a journal it cannot trust,
// and VbError when a rename it needs to finish fails. Only the program that
// holds the directory's lock may call it.
Recovery RecoverDirectory(const std::string& dir, const OwnedName& owned);

// Whether dir holds the journal of a change cut short that RecoverDirectory
// would finish or undo (one it would refuse is not counted).
bool JournalIn(const std::string& dir, const OwnedName& owned);

// Removes the temporary files replacements cut short left in dir (of the
// files owned names), and a pending journal with them; with a committed
// journal, or anything at the journal's name that is refused, nothing goes.
void RemoveStrayTemporaryFiles(const std::string& dir, const OwnedName& owned);

// The fixed temporary name under which a new file is written beside path.
std::string TemporaryPathFor(const std::string& path);

// Flushes the names of the directory dir to the disk; 0 or an errno value.
int SyncDirectory(const std::string& dir);

} // namespace tnq
