// The Edit menu's checks that no item's dashes reach back across what a
// command changes (the finding itself is core/dash_reach).
#pragma once

#include "core/context.h"
#include "core/dash_reach.h"

#include <functional>
#include <string>

namespace tnq {

// Before a command changes any track: find(t) on every track t for which
// wanted(t), as FindOnTracks takes them, until one gives an item (Item not
// 0). That item is told (ShowDashInTheWay with done and title), a failing
// track file is reported; both give false.
bool TracksClearOfDashes(Context& c, const std::function<bool(int)>& wanted,
                         const std::function<TrackItem(int)>& find, const std::string& done,
                         const std::string& title);

// Before a command changes the span it chose on each track: whether no item
// behind a span takes off the length of items in it. Such an item is told
// (ShowDashInTheWay with done and title), a failing track file is reported;
// both give false.
bool SpansClearOfDashes(Context& c, const std::string& done, const std::string& title);

} // namespace tnq
