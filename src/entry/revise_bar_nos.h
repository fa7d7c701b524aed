// Revise Bar Numbers, F6 in the bar box: gives a run of items of the
// current track one bar number, or adds an offset to their bar numbers.
// Here are the dialog's rules without its widgets (labels by mode, the
// checks of OK) and AssignBarNumbers, which applies a valid OK.
#pragma once

#include "core/context.h"

#include <optional>
#include <string>

namespace tnq {

// The dialog's option buttons: "Bar No." (optBarno) or "Offset" (optOffset).
enum class ReviseMode { BarNumber, Offset };

// Captions of the labels of the second and third text boxes: "No. of
// Items" and "Bar Number" for a bar number, "To Item" and "Offset" for an
// offset.
struct ReviseLabels {
    const char* Items;
    const char* Bar;
};
ReviseLabels ReviseBarNosLabels(ReviseMode mode);

// What the dialog holds when OK is pressed: the selected option (none when
// neither is) and the texts of txtFromItem, txtNoItems, txtBarNumber.
struct ReviseBarNosEntry {
    std::optional<ReviseMode> Mode;
    std::string FromItem, NoItems, BarNumber;
};

// Okay: every check passed; RangeFrom, RangeTo, FoundBar hold the numbers
// and DialogResult is "okay". Refused: a field failed its check (the
// dialog stays, the focus where it was). OutOfRange: the bar number, or a
// bar the offset would give, lies outside 0..9999 (the focus goes to the
// bar number).
enum class ReviseCheck { Okay, Refused, OutOfRange };

// The checks of OK on the current track, in screen order: an option is
// selected; From Item is numeric and lies in 1..ItemCount; the second
// number is numeric, with "Bar No." at least 1 and the run ending at or
// before the last item, with "Offset" a last item from From Item to the
// item count; the third number is numeric, -9999..9999; and every bar the
// run gets lies in 0..9999. RangeFrom, RangeTo and FoundBar keep what the
// checks stored, also when a later check fails.
ReviseCheck ReviseBarNosOK(Context& c, const ReviseBarNosEntry& entry);

// For every item of the run of the current track (RangeFrom and RangeTo
// as OK left them: a count with a bar number, the last item with an
// offset): the cursor on it, its record loaded into the boxes, the bar
// number set to FoundBar or raised by it in the bar box and in BarNo, the
// record written back. The cursor and the boxes end on the last item of
// the run; nothing is recalculated. A run outside the track or one that
// would leave 0..9999 changes nothing and gives false; so does a failure
// to read or write, after its message, with the cursor on the last item
// whose record the boxes hold.
bool AssignBarNumbers(Context& c, ReviseMode mode);

} // namespace tnq
