// Items with a dash adjustment that a bulk edit would cut off from the
// items they take off.
#include "editing/dash_runs.h"

#include "editing/edit_frame.h"

namespace tnq {

bool TracksClearOfDashes(Context& c, const std::function<bool(int)>& wanted,
                         const std::function<TrackItem(int)>& find, const std::string& done,
                         const std::string& title) {
    TrackItem at;
    const bool read = ReportingErrors(c, [&] {
        FindOnTracks(c, wanted, [&](int t) {
            at = find(t);
            return at.Item;
        });
        return true;
    });
    if (read && at.Item != 0) ShowDashInTheWay(c, at, done, title);
    return read && at.Item == 0;
}

bool SpansClearOfDashes(Context& c, const std::string& done, const std::string& title) {
    State& s = c.s;
    return TracksClearOfDashes(
        c, [&s](int t) { return s.SpanFirst(t, 1) != 0; },
        [&c, &s](int t) {
            return TrackItem{t, DashAcross(c, t, s.SpanLast(t, 1) + 1)};
        },
        done, title);
}

} // namespace tnq
