// Finding the items whose dashes reach back across a place a command
// changes.
#include "core/dash_reach.h"

#include "core/track_files.h"
#include "core/vocabulary.h"
#include "platform/vb.h"

#include <algorithm>

namespace tnq {

namespace {

// The first item a run of dashes on item j looks at: j - dashes, or the
// item before it when that one has no length (DashRemoval's rule).
int DashReach(const State& s, int t, int j, int dashes) {
    const int p = j - dashes;
    return p >= 1 && s.ItemTime(t, p) == 0 ? p - 1 : p;
}

} // namespace

int DashCount(std::string_view adjustment) {
    // The dash form is dashes alone: a text without one is none (most are).
    if (adjustment.find('-') == std::string_view::npos) return 0;
    const Adjustment adj = ClassifyAdjustment(Trim(adjustment));
    return adj.Form == AdjustmentForm::Dashes ? adj.Dashes : 0;
}

namespace {

// The dashes of item j of track t, read from file 2: 0 for a keyword item
// (only notes and rests take a run; a keyword's field holds a value), -1
// when its record is not whole.
int ItemDashes(State& s, int t, int j) {
    if (s.NoteCode(t, j) >= code::PROGR) return 0;
    const std::string_view bytes = s.File2.Record(j);
    if (bytes.size() != s.File2.RecordLength()) return -1;
    return DashCount(RecordField(bytes, 3));
}

} // namespace

int DashAcross(Context& c, int t, int behind) {
    State& s = c.s;
    // A run holds at most four dashes and looks at most one item further.
    const int last = std::min<int>(s.ItemCount(t), behind + static_cast<int>(kFieldWidths[3]));
    for (int j = std::max(behind, 1); j <= last; ++j) {
        const int dashes = ItemDashes(s, t, j);
        if (dashes < 0) break;
        if (dashes > 0 && DashReach(s, t, j, dashes) < behind) return j;
    }
    return 0;
}

std::vector<bool> DashesAcross(Context& c, int t, int first, int last) {
    State& s = c.s;
    std::vector<bool> across(static_cast<std::size_t>(std::max(last - first + 1, 0)));
    // DashAcross from behind looks at the items behind .. behind + width.
    const int width = static_cast<int>(kFieldWidths[3]);
    const int end = std::min<int>(s.ItemCount(t), last + width);
    for (int j = std::max(first, 1); j <= end; ++j) {
        const int dashes = ItemDashes(s, t, j);
        if (dashes < 0) break;
        if (dashes == 0) continue;
        // Item j is found from every place after its reach that looks at it.
        const int from = std::max({DashReach(s, t, j, dashes) + 1, j - width, first});
        for (int b = from; b <= std::min(j, last); ++b) across[static_cast<std::size_t>(b - first)] = true;
    }
    return across;
}

TrackItem FindOnTracks(Context& c, const std::function<bool(int)>& wanted,
                       const std::function<int(int)>& find) {
    State& s = c.s;
    const Integer current = s.CurrentTrack;
    TrackItem found;
    for (int t = 1; t <= s.NumTracks && found.Item == 0; ++t) {
        if (!wanted(t)) continue;
        s.CurrentTrack = static_cast<Integer>(t);
        TrackFileOpen(c);
        found = {t, find(t)};
    }
    if (s.CurrentTrack != current) {
        s.CurrentTrack = current;
        if (current >= 1) TrackFileOpen(c);
    }
    return found.Item != 0 ? found : TrackItem{};
}

void ShowDashInTheWay(Context& c, const TrackItem& at, const std::string& done,
                      const std::string& title) {
    c.msg.MsgBox("Item " + std::to_string(at.Item) + " on Track " + std::to_string(at.Track) +
                     " takes off the length of the items before it, which this would change; "
                     "nothing has been " +
                     done,
                 mb::Exclamation, title);
}

bool ClearOfDashes(Context& c, int behind, const std::string& done, const std::string& title) {
    const int t = c.s.CurrentTrack;
    const int item = DashAcross(c, t, behind);
    if (item != 0) ShowDashInTheWay(c, {t, item}, done, title);
    return item == 0;
}

} // namespace tnq
