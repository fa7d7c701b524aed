// Revise Bar Numbers: the checks of its OK and the worker that applies it.
#include "entry/revise_bar_nos.h"

#include "core/track_change.h"
#include "core/item_space.h"
#include "core/track_files.h"
#include "entry/entry_fields.h"
#include "platform/vb.h"

#include <string>

namespace tnq {

namespace {

constexpr int kLowestBar = 0, kHighestBar = 9999;

bool BarFits(double bar) {
    return bar >= kLowestBar && bar <= kHighestBar;
}

// A numeric text as a 16-bit value (rounded, halves to even); nothing for
// a text that is not numeric or a number beyond 16 bits.
std::optional<Integer> Value16(const std::string& text) {
    if (!IsNumeric(text)) return std::nullopt;
    const double v = RoundHalfEven(Val(text));
    if (v < -32768 || v > 32767) return std::nullopt;
    return static_cast<Integer>(v);
}

// The first and the last item of the run as RangeFrom and RangeTo give it.
struct Run {
    int First, Last;
};
Run RunOf(const State& s, ReviseMode mode) {
    const int last = mode == ReviseMode::BarNumber ? s.RangeFrom + s.RangeTo - 1 : s.RangeTo;
    return {s.RangeFrom, last};
}

bool RunOnTrack(const State& s, const Run& run) {
    return HasCurrentTrack(s) && run.First >= 1 && run.Last >= run.First &&
           run.Last <= s.ItemCount(s.CurrentTrack);
}

// The bar of a record of the current track's file as the offset raises it;
// nothing when the record cannot be read.
std::optional<double> RecordBar(Context& c, int item) {
    try {
        UseCurrentTrackFile(c);
        std::string bytes;
        if (!TrackFile(c.s, 2).Read(item, bytes)) return std::nullopt;
        return RoundHalfEven(Val(Trim(DecodeRecord(bytes).Bar)));
    } catch (const VbError&) {
        return std::nullopt;
    }
}

// Every bar the run gets lies in 0..9999: the bar number itself, or each
// item's bar raised by the offset, in its record and in BarNo.
bool BarsFit(Context& c, ReviseMode mode, const Run& run) {
    const State& s = c.s;
    if (mode == ReviseMode::BarNumber) return BarFits(s.FoundBar);
    const int t = s.CurrentTrack;
    for (int i = run.First; i <= run.Last; ++i) {
        if (!BarFits(double(s.BarNo(t, i)) + s.FoundBar)) return false;
        const std::optional<double> bar = RecordBar(c, i);
        if (bar && !BarFits(*bar + s.FoundBar)) return false;
    }
    return true;
}

} // namespace

ReviseLabels ReviseBarNosLabels(ReviseMode mode) {
    if (mode == ReviseMode::BarNumber) return {"No. of Items", "Bar Number"};
    return {"To Item", "Offset"};
}

ReviseCheck ReviseBarNosOK(Context& c, const ReviseBarNosEntry& entry) {
    State& s = c.s;
    if (!entry.Mode) return ReviseCheck::Refused;
    const ReviseMode mode = *entry.Mode;
    const int count = HasCurrentTrack(s) ? s.ItemCount(s.CurrentTrack) : 0;

    const std::optional<Integer> from = Value16(entry.FromItem);
    if (!from) return ReviseCheck::Refused;
    s.RangeFrom = *from;
    if (*from < 1 || *from > count) return ReviseCheck::Refused;

    const std::optional<Integer> to = Value16(entry.NoItems);
    if (!to) return ReviseCheck::Refused;
    s.RangeTo = *to;
    const bool runFits = mode == ReviseMode::BarNumber
                             ? *to >= 1 && *from + *to - 1 <= count
                             : *from <= *to && *to <= count;
    if (!runFits) return ReviseCheck::Refused;

    const std::optional<Integer> bar = Value16(entry.BarNumber);
    if (!bar) return ReviseCheck::Refused;
    s.FoundBar = *bar;
    if (*bar < -kHighestBar || *bar > kHighestBar) return ReviseCheck::Refused;

    if (!BarsFit(c, mode, RunOf(s, mode))) return ReviseCheck::OutOfRange;
    s.DialogResult = "okay";
    return ReviseCheck::Okay;
}

bool AssignBarNumbers(Context& c, ReviseMode mode) {
    State& s = c.s;
    const Run run = RunOf(s, mode);
    if (!RunOnTrack(s, run)) return false;
    try {
        UseCurrentTrackFile(c);
    } catch (const VbError& e) {
        c.msg.MsgBox(ErrorOccuredText(e));
        return false;
    }
    if (!BarsFit(c, mode, run)) return false;
    // All the run's items or none.
    TrackChange change(c, "Revise Bar Numbers");
    const int t = s.CurrentTrack;
    Integer& cursor = s.CurrentItem(t);
    // The item whose record the boxes hold, should a read fail.
    Integer shown = cursor;
    for (int i = run.First; i <= run.Last; ++i) {
        cursor = static_cast<Integer>(i);
        if (!ReadItem(c, 2)) {
            cursor = shown;
            return false;
        }
        shown = cursor;
        double bar = s.FoundBar;
        if (mode == ReviseMode::BarNumber) {
            s.BarNo(t, i) = s.FoundBar;
        } else {
            s.BarNo(t, i) = static_cast<Integer>(s.BarNo(t, i) + s.FoundBar);
            bar += RoundHalfEven(Val(c.screen.Text(Box::Bar)));
        }
        c.screen.SetText(Box::Bar, std::to_string(static_cast<int>(bar)));
        try {
            WriteItem(c);
        } catch (const VbError& e) {
            change.Fail(e);
            break;
        }
    }
    return change.Store();
}

} // namespace tnq
