// Recalculate: the score arrays from the track files.
#include "core/recalculate.h"

#include "core/item_checks.h"
#include "core/startup.h"
#include "entry/duration_parse.h"
#include "entry/screen_procs.h"
#include "entry/vocabulary.h"
#include "platform/vb.h"

#include <algorithm>
#include <cmath>

namespace tnq {

namespace {

bool FitsInteger(double v) {
    const double r = RoundHalfEven(v);
    return r >= -32768 && r <= 32767;
}

bool InRange(double v, double lo, double hi) {
    return v >= lo && v <= hi;
}

// The number of items before the END record (or the end of the file), from
// item `from` on, without converting them; at most MaxItems - 1.
int CountItemsToEnd(const State& s, int from) {
    const int limit = std::max(0, s.MaxItems - 1);
    int count = from - 1;
    std::string bytes;
    while (count < limit && s.File2.Read(count + 1, bytes) && !IsEndRecord(bytes)) ++count;
    return std::min(count, limit);
}

void DataError(Context& c, int track, int item) {
    c.msg.MsgBox("Error in data on Track" + Str(track) + ", Item" + Str(item), mb::Exclamation,
                 std::string("Data Error"));
    SwitchOffStatus(c);
}

} // namespace

bool ConvertRecord(Context& c, const TrackItemRecord& record) {
    State& s = c.s;
    const int t = s.CurrentTrack;

    // Bar, channel and pitch bend.
    const double bar = Val(record.Bar), chan = Val(record.Channel), bend = Val(record.PitchBend);
    if (!FitsInteger(bar) || !InRange(chan, 1, 16) || !InRange(bend, -8192, 8191)) return false;
    s.ItemBar = CInt(bar);
    s.ItemChannel = CInt(chan);
    s.ItemPitchBend = CInt(bend);

    // Code.
    const std::string N = Trim(record.Note);
    s.Scratch = N;
    if (N == "R") {
        s.ItemCode = code::Rest;
    } else if (const int k = KeywordCode(N)) {
        s.ItemCode = static_cast<Integer>(k);
        s.ItemTicks = 0;
        s.ItemDynamics = 0;
        s.ItemPitchBend = 0;
    } else {
        // A five-character text that is no keyword, or an END that is not
        // at the start of the field, is no item.
        if (N.size() == 5 || N == "END") return false;
        const int index = NoteIndexOf(s, N);
        if (index == 0) return false;
        s.NoteIndex = static_cast<Integer>(index);
        const double octave = Val(Trim(record.Octave));
        if (!InRange(octave, 0, 8)) return false;
        s.ItemCode = static_cast<Integer>(NoteNumber(index, CInt(octave)));
    }

    // Length.
    s.ItemTicks = 0;
    const std::string D = Trim(record.Duration);
    if (!IsDurationlessKeyword(N)) {
        if (N == "TEMPO") {
            if (!TempoBeatUnit(s, D)) return false;
        } else {
            s.Scratch = D;
            DurationParse(s, s.Scratch, "mnuFilRecalc");
            if (s.Scratch == "error") return false;
        }
    }

    // Value field: a keyword's first number, or the adjustment.
    const std::string A = Trim(record.Adjustment);
    const double a = Val(A);
    if (N == "CNTRL") {
        if (s.AWESelectChecked ? !IsValidController(s, a) : !InRange(a, 0, 127)) return false;
        s.ItemTicks = static_cast<Single>(a);
    } else if (N == "METER") {
        if (!InRange(a, 1, 99)) return false;
        s.ItemTicks = static_cast<Single>(a);
    } else if (N == "LFO_2" || N == "FILT1" || N == "FILT2") {
        if (!InRange(a, 0, 127)) return false;
        s.ItemTicks = static_cast<Single>(a);
    } else if (N == "NRPN1") {
        if (!InRange(a, 0, 26)) return false;
        s.ItemTicks = static_cast<Single>(a);
    } else {
        const Adjustment adj = ClassifyAdjustment(A);
        switch (adj.Form) {
        case AdjustmentForm::Zero:
            s.ItemAdjust = 0;
            break;
        case AdjustmentForm::Numeric:
            s.ItemAdjust = static_cast<Single>(adj.Value);
            if (double(s.ItemTicks) > kMaxItemTicks) {
                c.msg.MsgBox("Error on adjustment; Adjustment Factor probably set too high",
                             mb::OKOnly, std::string("Recalculate"));
                return false;
            }
            break;
        case AdjustmentForm::Dashes: {
            const auto removed =
                DashRemoval(s.CurrentItem(t), adj.Dashes,
                            [&s, t](int p) -> long long { return s.ItemTime(t, p); });
            if (!removed) return false;
            s.ItemAdjust = static_cast<Single>(-static_cast<double>(*removed));
            s.ItemTicks = static_cast<Single>(double(s.ItemTicks) + double(s.ItemAdjust));
            if (!(s.ItemTicks > 0)) return false;
            break;
        }
        case AdjustmentForm::Invalid:
            return false;
        }
    }

    // Dynamics: digits (a leading "-" where the kind has negative values),
    // an even METER bottom number, and the kind's range.
    const std::string Y = Trim(record.Dynamics);
    const int parameter =
        s.ItemCode == code::NRPN1 ? static_cast<int>(std::floor(double(s.ItemTicks) + 0.5)) : 0;
    const auto range = DynamicsRange(s.ItemCode, parameter);
    if (!DynamicsTextWellFormed(Y, range && range->Min < 0)) return false;
    const double y = Val(Y);
    if (!FitsInteger(y)) return false;
    if (N == "METER" && std::fmod(y, 2.0) != 0) return false;
    if (range && !InRange(y, range->Min, range->Max)) return false;
    s.ItemDynamics = CInt(y);

    // A TEMPO item's beat unit holds for the rest of the track.
    if (N == "TEMPO") s.BeatUnit = *TempoBeatUnit(s, D);
    return true;
}

bool Recalculate(Context& c) {
    State& s = c.s;
    // The main window fills these tables when it loads.
    if (s.PowerOfTwo[1] == 0) FillNoteTables(s);
    FillValidControllers(s);
    s.PieceChanged = 1;
    try {
        for (int t = 1; t <= s.NumTracks; ++t) {
            if (Val(s.Tempo) == 0) s.Tempo = "60";
            s.BeatUnit = 8;
            if (static_cast<std::size_t>(t) > s.SelectedTracks.size() ||
                s.SelectedTracks[static_cast<std::size_t>(t) - 1] != '1')
                continue;

            c.screen.SetTrackFigure(t - 1, "0");
            s.CurrentTrack = static_cast<Integer>(t);
            s.ItemCount(t) = 0;
            s.CurrentItem(t) = 1;
            for (int i = 1; i <= s.MaxItems; ++i) {
                s.NoteCode(t, i) = 0;
                s.ItemTime(t, i) = 0;
                s.ItemDyn(t, i) = 0;
                s.BarNo(t, i) = 0;
                s.ItemChan(t, i) = 0;
                s.ItemBend(t, i) = 0;
            }
            s.TickFraction = 0;

            TrackFileOpen(c);
            if (s.File2.Length() == 0) continue;

            std::string bytes;
            for (;;) {
                const int n = s.CurrentItem(t);
                // The END record, or the end of a file that has none.
                if (!s.File2.Read(n, bytes) || IsEndRecord(bytes)) break;
                if (!ConvertRecord(c, DecodeRecord(bytes))) {
                    // The track keeps its real length, so that correcting
                    // the item rewrites it instead of cutting the track.
                    s.ItemCount(t) = static_cast<Integer>(CountItemsToEnd(s, n));
                    c.screen.SetTrackFigure(t - 1, std::to_string(s.ItemCount(t)));
                    DataError(c, t, n);
                    return false;
                }
                if (!StoreItemTimes(c)) {
                    // Full track: the item in the last slot is stored but
                    // not counted.
                    s.CapacityReached = 0;
                    s.CurrentItem(t) = static_cast<Integer>(s.ItemCount(t) + 1);
                    c.screen.SetHourglass(false);
                    return false;
                }
                s.ItemCount(t) = static_cast<Integer>(s.ItemCount(t) + 1);
                c.screen.SetTrackFigure(t - 1, std::to_string(s.ItemCount(t)));
            }
        }
    } catch (const VbError& e) {
        DisplayError(c, e.Number());
        SwitchOffStatus(c);
        return false;
    }
    if (s.MenuMode == "mnuFilRecalc") SwitchOffStatus(c);
    return true;
}

} // namespace tnq
