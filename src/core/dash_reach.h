// An item whose adjustment is a run of dashes takes off the length of the
// items just before it. A command that puts items in, or takes them out,
// between such an item and the items it takes off would change its length
// or leave it none: these find such an item before anything is changed.
#pragma once

#include "core/context.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tnq {

// The number of dashes of an adjustment text in the dash form, else 0.
int DashCount(std::string_view adjustment);

// The first item of track t from `behind` on whose dashes take off the
// length of an item before `behind`, or 0. The adjustments are read from
// the track's file open as file 2, the lengths are those of ItemTime.
int DashAcross(Context& c, int t, int behind);
// Whether DashAcross(c, t, behind) finds an item, for behind = first..last
// (element behind - first), each record read once.
std::vector<bool> DashesAcross(Context& c, int t, int first, int last);

struct TrackItem {
    int Track = 0, Item = 0; // Item 0: none
};

// find(t) on every track t for which wanted(t), in ascending order, with
// CurrentTrack = t and its file open as file 2: the first item it gives
// (not 0), or none. CurrentTrack and its file are put back afterwards.
TrackItem FindOnTracks(Context& c, const std::function<bool(int)>& wanted,
                       const std::function<int(int)>& find);

// "Item <i> on Track <t> takes off the length of the items before it, which
// this would change; nothing has been <done>", exclamation icon, title.
void ShowDashInTheWay(Context& c, const TrackItem& at, const std::string& done,
                      const std::string& title);

// DashAcross on the current track (file 2 open on it) from `behind`: when an
// item's dashes reach across, ShowDashInTheWay tells it and the answer is
// false.
bool ClearOfDashes(Context& c, int behind, const std::string& done, const std::string& title);

} // namespace tnq
