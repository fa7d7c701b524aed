// The frame every Edit-menu command runs through: the command names itself
// in MenuMode, the user chooses tracks and fills in the command's dialog,
// the dialog's texts become the shared edit parameters, the bar range is
// validated on every chosen track (and narrowed to beats when asked), and
// the command's work is applied to one span after another through the
// record boxes; afterwards the changed tracks are recalculated and the
// status lines return to idle.
#pragma once

#include "core/context.h"
#include "core/startup.h"
#include "core/track_selection.h"
#include "platform/vb.h"

#include <functional>
#include <string>

namespace tnq {

// The bar-range texts of a dialog, as typed. Dialogs without beat fields
// leave them empty; RepeatNumber "" counts as 1.
struct EditRangeTexts {
    std::string FromBar, ToBar, StartingBeat, NumberOfBeats, BeatValue, RepeatNumber;
};

struct EditCommand {
    // The command's control name ("mnuEdtCopy") and its progress text
    // ("Copy in progress...").
    std::string MenuMode;
    std::string Progress;
    // Chooses the tracks itself instead of the track-selection dialog
    // (commands on one track taken from their own dialog); false ends.
    std::function<bool(Context&)> ChooseTracks;
    // Shows the command's dialog modally; false on Cancel.
    std::function<bool(Context&)> ShowDialog;
    // After OK: the dialog's bar-range texts (or, By Item, the From and To
    // item numbers in FromBar and ToBar).
    std::function<EditRangeTexts()> Range;
    // After OK: true when the dialog asked for By Item.
    std::function<bool()> ByItem;
    // After OK: true when the range lies in the piece SourceTitle
    // (validated there; the spans narrowed on its tracks).
    std::function<bool()> FromOtherPiece;
    // After the range: the command's own fields into the shared parameters.
    std::function<void(Context&)> ReadParameters;
    // The work on one span: RangeFrom..RangeTo of CurrentTrack, its file open
    // as file 2. False stops the walk (the command has told why).
    std::function<bool(Context&)> ApplySpan;
    // Whether the command changes the number or timing of items, so that
    // the chosen tracks (SelectedTracks; a command that writes to other
    // tracks marks them there) are recalculated afterwards.
    bool Recalculates = true;
};

// Runs cmd. Returns true when the walk ran to its end.
//
// No piece open: only "No file has yet been opened". No track chosen, or
// Cancel: nothing is changed or shown. A range that does not validate: the
// validation's message, status lines back to idle, nothing changed. By Item
// needs exactly one chosen track ("Selection by Item can only be for one
// track") and a range within its items. The walk is one change to the track
// files (TrackChange): a span that stops the walk on purpose keeps what the
// walk did before it, stored and recalculated; a run-time error anywhere
// (a track file that cannot be read, a full disk when the change is
// written) leaves every track as before, told with the command's name and
// the file. The status lines and the pointer return to idle.
bool RunEditCommand(Context& c, TrackSelectionDialog& tracks, const EditCommand& cmd);

// Runs a command's work (returning bool); a run-time error raised inside is
// shown ("Error <n> ...", or told by the open change when it ends) and
// counts as false.
template <class F> bool ReportingErrors(Context& c, F work) {
    try {
        return work();
    } catch (const VbError& e) {
        DisplayError(c, e);
        return false;
    }
}

} // namespace tnq
