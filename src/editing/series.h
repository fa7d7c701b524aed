// The series commands of the Edit menu: "Set up a series of &Tempos..." puts
// a TEMPO item before every rest of a span of track 1, "Edit C&ontinuous
// Controller..." a CNTRL item before every rest of a span of each chosen
// track; the values step evenly from From Value to To Value. Without the
// insert tick they revise the TEMPO or CNTRL items already in the span: a
// new ramp, or a percentage of each item's value. Both keep the score
// arrays in step with the track files themselves; nothing is recalculated.
#pragma once

#include "core/context.h"
#include "core/track_selection.h"
#include "editing/passage_fields.h"

#include <string>

namespace tnq {

// The series dialog's boxes and ticks, as they stand after OK. From and To
// are bar numbers By Bar and item numbers By Item.
struct SeriesTexts {
    PassageTexts Passage;
    std::string FromValue, ToValue, Percent, Channel;
    bool PercentTicked = false;
    bool Insert = false; // "Insert Tempo Items" / "Insert Control Items"
    bool SpecifyChannel = false;
};

// The controller list: entry 0 "Select Controller", then the seven
// controllers a series can write.
inline constexpr int kControllerEntries = 8;
extern const char* const kControllerTexts[kControllerEntries];
// The controller number of list entry 1..7 ("11", "7", "1", "10", "64",
// "91", "93"); "" for any other entry.
std::string ControllerNumberOf(int entry);

// The OK checks of the series dialog, in screen order, by MenuMode
// ("mnuEdtTempos" for the tempo series): By Item needs exactly one chosen
// track (none: nothing happens; more: the one-track warning); a ticked
// Percent must be a whole percentage other than 0 that fits in 16 bits and
// cannot go with the insert tick (new items would get no value); otherwise
// From Value and To Value lie in 1..999 (tempos) or 0..127 (controller
// values); a controller must be chosen and a specified channel be 1..16;
// the Repeat Number 1..4; the beat fields, unless both are empty, a Beat
// Value letter and numeric beats. None when every check passed, Silent when
// OK does nothing, otherwise the box that gets the focus.
EditField SeriesOK(Context& c, const SeriesTexts& t, int controllerEntry);

// What a valid OK leaves in DialogResult: "Tempos", or in the controller
// series ("mnuEdtVolume") the controller number of the chosen entry.
std::string SeriesResult(const State& s, int controllerEntry);

// The series dialog as the commands see it.
class SeriesDialog {
public:
    virtual ~SeriesDialog() = default;
    // Shown modally in the mode MenuMode names; true after a valid OK,
    // which has left SeriesResult in DialogResult.
    virtual bool Show(Context& c) = 0;
    // The boxes and ticks after it was shown.
    virtual SeriesTexts Texts() const = 0;
};

// "Set up a series of &Tempos..." on track 1 (no track selection shown).
// Returns true when the run reached its end.
//
// Insert mode: a TEMPO item before every rest of the span (METER items are
// passed over; anything else refuses the span with "Tempos can only be
// inserted before rests"); the k-th new item carries From Value + k steps,
// the steps spreading From..To over the rests; each takes the bar of its
// rest and the beat unit of the last TEMPO item before it on the track
// ("q" when none), so the items after it keep their lengths. Revise mode:
// the TEMPO items of the span (and one just before it) get the ramp, or,
// with a percentage, their value times 1 + |Percent| / 100 (its reciprocal
// for a negative one), kept within 1..999. A track without room stops the
// run after the "Space Limitation" message; nothing is overwritten. Before
// any track is changed, an insert where a new item would come between an
// item's dashes and the items they take off is refused (ShowDashInTheWay,
// "inserted").
bool TempoSeries(Context& c, SeriesDialog& dialog);

// "Edit C&ontinuous Controller..." on the chosen tracks: the same for CNTRL
// items of the controller DialogResult names, on the channel typed or, when
// none is specified, the channel of the span's first item of each track;
// values kept within 0..127. Revising CNTRL items of another controller
// asks once whether to change their number; No stops the run.
bool WriteControllerSeries(Context& c, TrackSelectionDialog& tracks, SeriesDialog& dialog);

} // namespace tnq
