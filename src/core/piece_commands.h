// New, Open and Save of the File menu, the rebuild of a data file from the
// track files, and the check that a piece exists.
//
// A piece is open (PieceOpen 1) from a successful New or Open until the next
// one replaces it; its data file is opened only while a command reads or
// writes it. Every piece file is opened by full path under the piece
// directory FilePath/TITLE.TNQ (the pieces directory it was opened from,
// should the pieces directory change meanwhile); the process's current
// directory is never changed.
#pragma once

#include "core/context.h"

#include <string>

namespace tnq {

// The main window's caption before the pieces directory.
inline constexpr const char* kCaptionPrefix = "Tonquill - Current File Directory: ";

// File > New: the save question, the title (asked again while it cannot be
// a piece name or the piece exists), the piece directory, an empty score
// with the settings' limits, item-entry mode, and the offer of the automatic
// tracks initialization. Returns true when the new piece is open.
bool mnuFilNew_Click(Context& c);

// File > Open: the save question, the file dialog, then the piece of the
// chosen file. The data file is read and checked whole before it replaces
// the open piece; on any failure (message shown) the previous piece, its
// state and its directory stay as they were. A cancelled dialog changes
// nothing. Returns true when the piece is open.
bool mnuFilOpen_Click(Context& c);

// Opens the piece of path without a question or dialog (the dialog's
// choice, a recent-piece entry). The piece directory is locked before
// anything in it is looked at; a piece another copy holds, a directory that
// cannot be locked, or a change cut short in a directory that may not be
// written is refused with its message and nothing in the directory changes.
// The score comes from the data file's snapshot, except for a track whose
// file holds another number of items (written after the last Save): that
// track is read from its file and the opened piece is changed (PieceChanged
// 1); otherwise it is unchanged (PieceChanged 0). Where a track file holds
// fewer items than the snapshot, a question names each such track and No
// leaves the piece unopened. On failure everything stays as it was.
bool OpenPieceFile(Context& c, const std::string& path);

// File > Save: writes the data file of the open piece through a temporary
// file that replaces it only when it is complete. A failure is reported
// (title "Save File") and the piece stays open and changed. Returns true
// when the data file is written.
bool mnuFilSave_Click(Context& c);

// Closes the open piece without saving it: its track files and its lock are
// let go, and the window shows no piece, in menu mode. For a change that
// passed its commit point but could not be finished: nothing of the session
// reads or writes the piece's files until the next Open finishes the change.
void ClosePiece(Context& c);

// Writes the data file of piece title under filePath from its track files
// (the open piece is not touched). The header values of an existing data
// file that reads are kept; otherwise they are the defaults (tempo "60", no
// description). The piece has at least as many tracks as its highest track
// file and room for its longest track. Returns false after its message.
bool RebuildDataFile(Context& c, const std::string& filePath, const std::string& title);

// name when the data file of piece name exists and can be read, else
// "error".
std::string CheckPieceExists(Context& c, const std::string& name);

} // namespace tnq
