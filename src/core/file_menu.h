// The File menu around the pieces: the file and print dialogs, the recent
// pieces, Exit, Delete, and the handlers that run when the File and Edit
// menus are opened.
#pragma once

#include "core/context.h"

#include <string>

namespace tnq {

// Most recent pieces listed under the File menu.
inline constexpr int kMaxRecentPieces = 4;

// Shows a common dialog. kind 1: the open-piece-file dialog, starting in the
// open piece's directory (else the pieces directory); path becomes the
// chosen file. kind 5: the print dialog for PrintPages pages, setting
// PrintFromPage, PrintToPage and PrintCopies. Any other kind does nothing.
// A cancel sets DialogError to 32755 and leaves path alone; a failure of
// the dialog shows "Error <n> <text> Occured" ("Common Dialog Error").
// Returns true when the user made a choice.
bool CommonDialogOpen(Context& c, Integer& kind, std::string& path);

// Puts PiecePath at the top of the recent pieces (an entry with exactly
// that text moves up; a new one pushes the least recent beyond four off)
// and shows the list. Nothing when PiecePath is empty.
void UpdateFileMenu(Context& c);

// The recent pieces stored in the settings "File1".."File4", up to the
// first empty one, shown in the File menu (the window's set-up).
void LoadRecentPieces(Context& c);

// A recent-piece entry (index 1..RecentCount) chosen: the save question,
// then the piece opens without the dialog. Returns true when it opened.
bool mnuFileArray_Click(Context& c, int index);

// Exit, from the menu or by closing the window: the save question (Cancel,
// or a Save that failed, stops it), the recent pieces stored as "File1"..,
// the help viewer closed. Returns true when the program is to end now.
bool ExitProgram(Context& c);
// File > Exit: ExitProgram.
bool mnuFilExit_Click(Context& c);
// The window is being closed: returns the cancel flag (true = keep running).
bool Form_QueryUnload(Context& c);

// File > Delete: explains how to delete piece files (nothing is deleted).
void mnuFilDelete_Click(Context& c);

// The File menu is opened.
void mnuFile_Click(Context& c);
// The Edit menu is opened: as the File menu with a piece open (status line
// kept), otherwise the no-file message. False when the menu is to stay
// closed (no piece).
bool mnuEdit_Click(Context& c);

} // namespace tnq
