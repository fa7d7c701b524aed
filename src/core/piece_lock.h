// When a piece directory is locked: a piece is open in one copy of the
// program at a time, so two copies never write the same track files. New,
// Open and the .AWE conversion take the lock before they look at or change
// anything in the piece directory, and keep it in State while the piece is
// open; a program refused the lock leaves the directory alone.
#pragma once

#include "core/context.h"

#include <optional>
#include <string>

namespace tnq {

// The lock to keep while the piece directory dir is open: the open piece's
// own when dir is the same directory, else a new one. Nothing, after a
// message box with boxTitle, when another copy of the program has the piece
// open (the piece title named) or the directory cannot be locked at all (the
// directory named); refused, when given, tells which.
std::optional<DirectoryLock> LockPieceDirectory(Context& c, const std::string& dir,
                                                const std::string& title,
                                                const std::string& boxTitle,
                                                DirectoryLock::Outcome* refused = nullptr);

// True when another copy of the program has the piece directory dir open.
bool PieceOpenElsewhere(const State& s, const std::string& dir);

// The message of a piece another copy of the program has open.
std::string OpenElsewhereText(const std::string& title);

// The message of a piece directory that cannot be locked.
std::string NotLockableText(const std::string& dir);

} // namespace tnq
