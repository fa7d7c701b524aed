// Renumber Bars.
#include "editing/renumber_bars.h"

#include "core/track_change.h"
#include "core/item_checks.h"
#include "core/screen_procs.h"
#include "core/startup.h"
#include "core/track_files.h"
#include "platform/vb.h"

#include <string>

namespace tnq {

namespace {

constexpr const char* kTitle = "Renumber bars";

std::vector<int> TrackBars(const State& s, int t) {
    std::vector<int> bars;
    for (int i = 1; i <= s.ItemCount(t); ++i) bars.push_back(s.BarNo(t, i));
    return bars;
}

// The first track whose new numbers leave 0..9999, or 0.
int TrackOutOfRange(const State& s) {
    for (int t = 1; t <= s.NumTracks; ++t)
        for (int bar : RenumberedBars(TrackBars(s, t)))
            if (bar < 0 || bar > kMaxBar) return t;
    return 0;
}

// Writes the new numbers of track t through the record boxes. False after
// the message of a record that could not be read.
bool RenumberTrack(Context& c, int t) {
    State& s = c.s;
    s.CurrentTrack = static_cast<Integer>(t);
    TrackFileOpen(c);
    const std::vector<int> bars = RenumberedBars(TrackBars(s, t));
    for (int i = 1; i <= static_cast<int>(bars.size()); ++i) {
        s.CurrentItem(t) = static_cast<Integer>(i);
        if (!ReadItem(c, 2)) return false;
        if (Trim(c.screen.Text(Box::Note)) == "END") return true;
        const int bar = bars[static_cast<std::size_t>(i) - 1];
        s.BarNo(t, i) = static_cast<Integer>(bar);
        c.screen.SetText(Box::Bar, std::to_string(bar));
        WriteItem(c);
    }
    return true;
}

} // namespace

std::vector<int> RenumberedBars(const std::vector<int>& bars) {
    std::vector<int> out;
    out.reserve(bars.size());
    int previous = 0, running = 0;
    for (int b : bars) {
        running += b < previous ? 1 : b - previous;
        previous = b;
        out.push_back(running);
    }
    return out;
}

bool RenumberBars(Context& c) {
    State& s = c.s;
    if (s.PieceOpen == 0) {
        NoFileOpenMsg(c);
        return false;
    }
    s.MenuMode = "mnuEdtRenumber";
    const int answer = c.msg.MsgBox(
        "This function will provide a unique bar number for all bars on all tracks. This will "
        "renumber the repeated sections, where the bar numbers were also repeated. To be on the "
        "safe side, back up your file before running this function.Okay to continue ?",
        mb::YesNo + mb::Question, std::string(kTitle));
    if (answer != mb::Yes) return false;
    c.screen.SetStatus1("");
    c.screen.SetStatus2("Renumbering bars...");
    c.screen.SetHourglass(true);

    // A bar number the record's four digits cannot hold is refused before
    // any track is written.
    if (const int t = TrackOutOfRange(s)) {
        c.msg.MsgBox("Track " + std::to_string(t) +
                         " would get bar numbers outside 0 to 9999; no bar number has been changed",
                     mb::Exclamation, std::string(kTitle));
        SwitchOffStatus(c);
        return false;
    }
    bool done = true;
    TrackChange change(c, kTitle);
    try {
        for (int t = 1; t <= s.NumTracks && done; ++t) done = RenumberTrack(c, t);
    } catch (const VbError& e) {
        change.Fail(e);
        done = false;
    }
    done = change.Store() && done;
    SwitchOffStatus(c);
    return done;
}

} // namespace tnq
