// Recalculate: the score arrays from the track files.
#include "core/recalculate.h"

#include "core/item_checks.h"
#include "core/startup.h"
#include "core/duration_parse.h"
#include "core/screen_procs.h"
#include "core/vocabulary.h"
#include "platform/vb.h"
#include "platform/whole_file.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

namespace tnq {

namespace {

// Recalculation converts several fields of every record of every track, so
// the conversions below take a short way for the common case (a whole
// number) and leave every other text to the general rules, with the same
// results.

// Val of a field. A text of blanks, digits and one leading sign (nearly
// every field) is converted here, exactly as Val would; anything else goes
// to Val.
double FieldVal(std::string_view text) {
    double v = 0;
    int digits = 0;
    bool sign = false, negative = false;
    for (const char ch : text) {
        if (ch == ' ' || ch == '\t' || ch == '\n') continue; // Val skips these anywhere
        if (ch >= '0' && ch <= '9') {
            if (++digits > 15) return Val(text); // beyond exact whole doubles
            v = v * 10 + (ch - '0');
        } else if ((ch == '-' || ch == '+') && !sign && digits == 0) {
            sign = true;
            negative = ch == '-';
        } else {
            return Val(text);
        }
    }
    if (digits == 0) return 0;
    return negative ? -v : v;
}

// DurationParse's caller for a recalculation.
const std::string kRecalcCaller = "mnuFilRecalc";

// CInt; a whole number in range needs no rounding.
Integer FieldInteger(double v) {
    if (v >= -32768 && v <= 32767) {
        const auto i = static_cast<Integer>(v);
        if (i == v) return i;
    }
    return CInt(v);
}

// NoteIndexOf, comparing the one or two letters of a name in place.
int NoteIndexIn(const State& s, std::string_view name) {
    auto same = [name](const std::string& table) {
        if (table.size() != name.size()) return false;
        for (std::size_t k = 0; k < name.size(); ++k)
            if (table[k] != name[k]) return false;
        return true;
    };
    for (int i = 1; i <= 12; ++i)
        if (same(s.NoteSharp[i]) || same(s.NoteFlat[i])) return i;
    return 0;
}

// The text without leading and trailing blanks, as Trim gives it.
std::string_view TrimView(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

bool FitsInteger(double v) {
    if (v >= -32768 && v <= 32767 && static_cast<Integer>(v) == v) return true; // whole
    const double r = RoundHalfEven(v);
    return r >= -32768 && r <= 32767;
}

bool InRange(double v, double lo, double hi) {
    return v >= lo && v <= hi;
}

// Slots 1..last of a track's row set to 0 (a row is stored in one piece;
// both ends are bounds-checked).
template <class T> void ClearSlots(Array2<T>& a, int track, int last) {
    if (last < 1) return;
    T* const first = &a(track, 1);
    std::fill(first, &a(track, last) + 1, T{});
}

// Messages shown while a track is read, with the track's figure brought up
// to date first. The figure shows the items read so far; it is written when
// the track is done and before a message (the only moments the screen can
// be seen while a recalculation runs), not after every item: on the window
// each write is a label update, and a track may hold 32000 items.
class FigureFirst : public MessageBoxes {
public:
    explicit FigureFirst(Context& c) : c_(c) {}
    void SetTrack(int track) { track_ = track; }
    void ShowFigure() const {
        if (track_ > 0)
            c_.screen.SetTrackFigure(track_ - 1, std::to_string(c_.s.ItemCount(track_)));
    }
    int MsgBox(const std::string& text, int code,
               const std::optional<std::string>& title) override {
        ShowFigure();
        return c_.msg.MsgBox(text, code, title);
    }
    std::string InputBox(const std::string& prompt, const std::optional<std::string>& title,
                         const std::string& defaultText) override {
        ShowFigure();
        return c_.msg.InputBox(prompt, title, defaultText);
    }

private:
    Context& c_;
    int track_ = 0;
};

void DataError(Context& c, int track, int item) {
    c.msg.MsgBox("Error in data on Track" + Str(track) + ", Item" + Str(item), mb::Exclamation,
                 std::string("Data Error"));
    SwitchOffStatus(c);
}

// The eight fields of a stored record as they stand, blanks kept.
struct RecordFields {
    std::string_view Note, Octave, Duration, Adjustment, Dynamics, Bar, Channel, PitchBend;
};

RecordFields FieldsOf(const TrackItemRecord& r) {
    return {r.Note, r.Octave, r.Duration, r.Adjustment, r.Dynamics, r.Bar, r.Channel, r.PitchBend};
}

// The fields of a whole record of a track file, read in place: the same
// texts DecodeRecord gives, without copying them.
RecordFields FieldsOf(std::string_view record) {
    std::string_view f[8];
    std::size_t pos = 0;
    for (int i = 0; i < 8; ++i) {
        f[i] = record.substr(pos, kFieldWidths[i]);
        pos += kFieldWidths[i];
    }
    return {f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7]};
}

bool Convert(Context& c, const RecordFields& record);

} // namespace

bool ConvertRecord(Context& c, const TrackItemRecord& record) {
    return Convert(c, FieldsOf(record));
}

namespace {

bool Convert(Context& c, const RecordFields& record) {
    State& s = c.s;
    const int t = s.CurrentTrack;

    // Bar, channel and pitch bend.
    const double bar = FieldVal(record.Bar), chan = FieldVal(record.Channel),
                 bend = FieldVal(record.PitchBend);
    if (!FitsInteger(bar) || !InRange(chan, 1, 16) || !InRange(bend, -8192, 8191)) return false;
    s.ItemBar = FieldInteger(bar);
    // The bar must fit the data file's four-digit field, as Accept Item asks.
    if (s.ItemBar < 0 || s.ItemBar > kMaxBar) return false;
    s.ItemChannel = FieldInteger(chan);
    s.ItemPitchBend = FieldInteger(bend);

    // Code.
    const std::string_view N = TrimView(record.Note);
    s.Scratch = N;
    if (N == "R") {
        s.ItemCode = code::Rest;
    } else if (const int k = N.size() == 5 ? KeywordCode(N) : 0) { // keywords have 5 letters
        s.ItemCode = static_cast<Integer>(k);
        s.ItemTicks = 0;
        s.ItemDynamics = 0;
        s.ItemPitchBend = 0;
    } else {
        // A five-character text that is no keyword, or an END that is not
        // at the start of the field, is no item.
        if (N.size() == 5 || N == "END") return false;
        const int index = NoteIndexIn(s, N);
        if (index == 0) return false;
        s.NoteIndex = static_cast<Integer>(index);
        const double octave = FieldVal(TrimView(record.Octave));
        if (!InRange(octave, 0, 8)) return false;
        s.ItemCode = static_cast<Integer>(NoteNumber(index, FieldInteger(octave)));
    }

    // The kind of item, for the rules below: a keyword's code is the code
    // of its text, and no note or rest has one of those codes.
    const int kind = s.ItemCode;

    // Length.
    s.ItemTicks = 0;
    const std::string_view D = TrimView(record.Duration);
    // Every keyword but TEMPO is without a duration; the keyword was looked
    // up above, so its code tells.
    const bool durationless = kind >= code::PROGR && kind != code::TEMPO;
    if (!durationless) {
        if (kind == code::TEMPO) {
            if (!TempoBeatUnit(s, D)) return false;
        } else {
            s.Scratch = D;
            DurationParse(s, s.Scratch, kRecalcCaller);
            if (s.Scratch == "error") return false;
        }
    }

    // Value field: a keyword's first number, or the adjustment.
    const std::string_view A = TrimView(record.Adjustment);
    const double a = FieldVal(A);
    if (kind == code::CNTRL) {
        if (s.AWESelectChecked ? !IsValidController(s, a) : !InRange(a, 0, 127)) return false;
        s.ItemTicks = static_cast<Single>(a);
    } else if (kind == code::METER) {
        if (!InRange(a, 1, 99)) return false;
        s.ItemTicks = static_cast<Single>(a);
    } else if (kind == code::LFO_2 || kind == code::FILT1 || kind == code::FILT2) {
        if (!InRange(a, 0, 127)) return false;
        s.ItemTicks = static_cast<Single>(a);
    } else if (kind == code::NRPN1) {
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
    const std::string_view Y = TrimView(record.Dynamics);
    const int parameter =
        s.ItemCode == code::NRPN1 ? static_cast<int>(std::floor(double(s.ItemTicks) + 0.5)) : 0;
    const auto range = DynamicsRange(s.ItemCode, parameter);
    if (!DynamicsTextWellFormed(Y, range && range->Min < 0)) return false;
    const double y = FieldVal(Y);
    if (!FitsInteger(y)) return false;
    if (kind == code::METER && std::fmod(y, 2.0) != 0) return false;
    if (range && !InRange(y, range->Min, range->Max)) return false;
    s.ItemDynamics = FieldInteger(y);

    // A TEMPO item's beat unit holds for the rest of the track.
    if (kind == code::TEMPO) s.BeatUnit = *TempoBeatUnit(s, D);
    return true;
}

} // namespace

bool Recalculate(Context& c) {
    State& s = c.s;
    // The main window fills these tables when it loads.
    if (s.PowerOfTwo[1] == 0) FillNoteTables(s);
    FillValidControllers(s);
    s.PieceChanged = 1;
    FigureFirst figures(c);
    Context rc{s, figures, c.ini, c.screen, c.sys, c.files};
    try {
        for (int t = 1; t <= s.NumTracks; ++t) {
            if (Val(s.Tempo) == 0) s.Tempo = "60";
            s.BeatUnit = 8;
            if (static_cast<std::size_t>(t) > s.SelectedTracks.size() ||
                s.SelectedTracks[static_cast<std::size_t>(t) - 1] != '1')
                continue;

            c.screen.SetTrackFigure(t - 1, "0");
            figures.SetTrack(t);
            s.CurrentTrack = static_cast<Integer>(t);
            s.ItemCount(t) = 0;
            s.CurrentItem(t) = 1;
            ClearSlots(s.NoteCode, t, s.MaxItems);
            ClearSlots(s.ItemTime, t, s.MaxItems);
            ClearSlots(s.ItemDyn, t, s.MaxItems);
            ClearSlots(s.BarNo, t, s.MaxItems);
            ClearSlots(s.ItemChan, t, s.MaxItems);
            ClearSlots(s.ItemBend, t, s.MaxItems);
            s.TickFraction = 0;

            TrackFileOpen(c);
            if (s.File2.Length() == 0) continue;

            // The whole track file in one read rather than one read per
            // record: a long track has tens of thousands of records.
            const std::string file = ReadWholeFile(s.File2.Path());
            for (;;) {
                const int n = s.CurrentItem(t);
                // The END record, or the end of a file that has none (a
                // record cut short by the end of the file is no record).
                const std::size_t at = static_cast<std::size_t>(n - 1) * kRecordLength;
                if (at + kRecordLength > file.size()) break;
                const std::string_view bytes(file.data() + at, kRecordLength);
                if (IsEndRecord(bytes)) break;
                if (!Convert(rc, FieldsOf(bytes))) {
                    // The track keeps its real length (at most what it can
                    // hold), so that correcting the item rewrites it instead
                    // of cutting the track; the message shows that figure.
                    s.ItemCount(t) = static_cast<Integer>(
                        std::min(ItemsBeforeEnd(file), std::max(0, s.MaxItems - 1)));
                    DataError(rc, t, n);
                    return false;
                }
                if (!StoreItemTimes(rc)) {
                    // Full track: the item in the last slot is stored but
                    // not counted.
                    s.CapacityReached = 0;
                    s.CurrentItem(t) = static_cast<Integer>(s.ItemCount(t) + 1);
                    c.screen.SetHourglass(false);
                    return false;
                }
                s.ItemCount(t) = static_cast<Integer>(s.ItemCount(t) + 1);
            }
            figures.ShowFigure();
        }
    } catch (const VbError& e) {
        DisplayError(rc, e.Number());
        SwitchOffStatus(c);
        return false;
    }
    if (s.MenuMode == "mnuFilRecalc") SwitchOffStatus(c);
    return true;
}

} // namespace tnq
