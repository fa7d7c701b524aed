// "D&elete by Bar": a range of bars, or some beats of it, removed from every
// chosen track; the items behind it close up, and with "Adjust bar Numbers"
// their bar numbers drop by the number of bars typed.
#pragma once

#include "core/context.h"
#include "core/delete_items.h"
#include "core/edit_fields.h"
#include "core/track_selection.h"

#include <string>

namespace tnq {

// The boxes of the Delete by Bar dialog, as typed, and its check box.
struct DeleteByBarTexts {
    std::string FromBar, ToBar, BeatValue, StartingBeat, NoBeats;
    bool Adjust = false;
};

// The Delete by Bar dialog as the command sees it; the deleter reads the
// check box and the bar boxes through DeleteByBarControls.
class DeleteByBarDialog : public DeleteByBarControls {
public:
    // Shown modally; true after a valid OK.
    virtual bool Show(Context& c) = 0;
    // The boxes' texts after it was shown.
    virtual DeleteByBarTexts Texts() const = 0;

    bool AdjustTicked() const override { return Texts().Adjust; }
    std::string FromBar() const override { return Texts().FromBar; }
    std::string ToBar() const override { return Texts().ToBar; }
};

// The checks of OK, in screen order, without a message: From Bar and To Bar
// whole numbers 0..9999 with To Bar not below From Bar (else Silent); when
// both beat boxes hold text, the Beat Value letter, then Starting Beat and
// No. of Beats whole numbers from 0 (else that box), both 0 or both not
// (else Silent); a No. of Beats given alone not below 0. The check box is
// not examined.
BarField DeleteByBarOK(const DeleteByBarTexts& t);

// The command. Every item of the range goes, keywords included. With
// "Adjust bar Numbers" ticked, a track on which an item behind the range
// would get a bar number below 0 (a repeat with lower bars) is refused
// before any track is changed: "Adjusting the bar numbers would take Track
// <t> below bar 0; nothing has been deleted" (title "Delete by Bar"). So is
// a range that holds items a later dash adjustment takes off the length of
// (ShowDashInTheWay, "deleted").
// Returns true when every chosen track was done.
bool DeleteByBar(Context& c, TrackSelectionDialog& tracks, DeleteByBarDialog& dialog);

} // namespace tnq
