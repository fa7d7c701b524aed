// Deleting items at the cursor of the current track: F10 in the bar box,
// and the deleter the bulk edits share.
#pragma once

#include "core/context.h"

#include <string>

namespace tnq {

// The controls of the Delete by Bar dialog that DeleteItems reads while
// MenuMode is "mnuEdtDelete": the box "Adjust bar Numbers" and the first
// and last bar of the range deleted (texts as typed).
class DeleteByBarControls {
public:
    virtual ~DeleteByBarControls() = default;
    virtual bool AdjustTicked() const = 0;
    virtual std::string FromBar() const = 0;
    virtual std::string ToBar() const = 0;
};

// Deletes n items of CurrentTrack starting at its cursor, on file 2: the
// items behind them move n records back (in the file and in the score
// arrays), the count drops by n, the END record follows the last item, the
// track figures are redrawn and the record boxes show the item now at the
// cursor. Records behind the new END record keep their old contents.
//
// By MenuMode:
// - "mnuEdtDelete" with "Adjust bar Numbers" ticked in dialog: every item
//   moved has its bar lowered by ToBar - FromBar + 1, in the file (written
//   as digits, without a leading blank) and in BarNo;
// - "mnuEdtCC" on track 1: a METER item at the cursor stays; one item fewer
//   is deleted and the cursor moves onto the item behind the METER;
// - any other: plain deletion (n = 0 only rewrites the END record).
//
// Returns false and changes nothing when n is below 0 or above the items
// from the cursor to the last (count - cursor + 1). Every record moved is
// read before the first is written; a track-file failure raises VbError.
bool DeleteItems(Context& c, int n, const DeleteByBarControls* dialog = nullptr);

// F10 in the bar box: asks "How many items ?" (title "Delete Items") and
// deletes that many items at the cursor, in the current track's file (file
// 2 reopened when it holds another track). Does nothing unless an item
// follows the cursor and the file holds records. Ends an insert run. An empty
// answer ends; an answer that is no whole number from 1 to the items from
// the cursor to the last is asked again. When an item behind the items asked
// for takes off the length of any of them (or of items before them), nothing
// is deleted: ShowDashInTheWay ("deleted", title "Delete Items"). Raises
// VbError when the track file fails.
void DeleteItemPrompt(Context& c);

} // namespace tnq
