// The copies and dash adjustments: before a copy writes anything, no item
// with dashes may be carried away from the items it takes off, and no item
// of a destination may have its dashes reach across the place the copy
// writes at (INSERT), or take off other lengths after the copy (REPLACE).
#pragma once

#include "core/context.h"
#include "core/dash_reach.h"
#include "editing/copy_items.h"

#include <string>
#include <vector>

namespace tnq {

// A run a copy reads: items First.. of Track of the piece it comes from.
struct CopySource {
    int Track = 0, First = 0;
    std::vector<CopiedItem> Items;
    bool OpenPiece = true; // the lengths of Items are known (CopiedItem::Ticks)
    bool Vertical = false; // only the items KeptInVerticalCopy are written
};

// The item in the way of copying src into track t at cursor by CopyMode
// (file 2 open on t), or none: a copied item whose dashes would take off
// other items than where it was read (named on the source track), or an
// item of t whose dashes the copy would change.
TrackItem CopyDashInTheWay(Context& c, const CopySource& src, int t, int cursor);

// The item a copy's cursor stands on in track t for bar `bar`, as LocateBar
// finds it from item 1; 0 when the bar is not found.
int BarStart(const State& s, int t, int bar);

// The checks of each copy before its first write; false after the message
// (ShowDashInTheWay, "copied") or a failing track file's.
// Copy a Section: every track with a span, from its namesake in SourceTitle,
// at bar atBar (ADD: behind the last item).
bool SectionClearOfDashes(Context& c, Integer atBar);
// Vertical Copy: src into every track chosen in destinations.
bool VerticalClearOfDashes(Context& c, const CopySource& src, const std::string& destinations,
                           Integer atBar);
// Copy by Item: RangeTo items from RangeFrom of SourceTrack of SourceTitle
// into the current track at its cursor.
bool ItemCopyClearOfDashes(Context& c);

} // namespace tnq
