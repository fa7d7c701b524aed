// The dialogs the entry boxes' keys show, as the entry logic sees them:
// the window provides them on the toolkit, tests script them. Each is
// modal and leaves its answer in the program state. The window also runs
// the bulk edit a dialog's OK asks for, so that the entry logic needs none
// of the editing commands.
#pragma once

#include "core/context.h"
#include "entry/revise_bar_nos.h"

namespace tnq {

class EntryDialogs {
public:
    virtual ~EntryDialogs() = default;

    // frmNoteOptions, loaded afresh for each use and unloaded after it:
    // DialogResult holds the chosen keyword, or "" after Cancel or the
    // close box.
    virtual void ShowNoteOptions(Context& c) = 0;

    // frmReviseBarNos, kept between uses: after a valid OK DialogResult is
    // "okay" and RangeFrom, RangeTo and FoundBar hold its numbers; after
    // Cancel it is "". Returns the mode its option buttons were left in.
    virtual ReviseMode ShowReviseBarNos(Context& c) = 0;

    // frmCopyByItem, kept between uses: after a valid OK DialogResult is
    // "okay" and the copy parameters are stored (CopyByItemOK); after Cancel
    // or the close box it is "".
    virtual void ShowCopyByItem(Context& c) { c.s.DialogResult.clear(); }
    // Copies the run Copy by Item stored to the current track at its
    // cursor, the cursor then behind the copied items (the bulk-edit
    // command CopyByItem, with its own messages).
    virtual void RunCopyByItem(Context&) {}
};

} // namespace tnq
