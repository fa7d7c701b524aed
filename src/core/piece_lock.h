// When a piece directory is locked: a piece is open in one copy of the
// program at a time, so two copies never write the same track files. New,
// Open and the .AWE conversion take the lock before the piece is put in
// place and keep it in State while the piece is open.
#pragma once

#include "core/context.h"

#include <optional>
#include <string>

namespace tnq {

// The lock to keep while the piece directory dir is open: the open piece's
// own when dir is the same directory, else a new one (holding nothing when
// the directory cannot be locked at all, as on a system without locks).
// Nothing, after a message box with boxTitle naming the piece title, when
// another copy of the program has the piece open.
std::optional<DirectoryLock> LockPieceDirectory(Context& c, const std::string& dir,
                                                const std::string& title,
                                                const std::string& boxTitle);

// True when another copy of the program has the piece directory dir open.
bool PieceOpenElsewhere(const State& s, const std::string& dir);

// The message of a piece another copy of the program has open.
std::string OpenElsewhereText(const std::string& title);

} // namespace tnq
