// Apply Staccato and Reverse Staccato.
#include "editing/staccato.h"

#include "core/delete_items.h"
#include "core/edit_fields.h"
#include "core/item_space.h"
#include "core/startup.h"
#include "core/track_files.h"
#include "core/vocabulary.h"
#include "editing/dash_runs.h"
#include "editing/edit_frame.h"
#include "platform/vb.h"

#include <algorithm>
#include <vector>

namespace tnq {

namespace {

// The keyword items each command passes over, by their Note field.
constexpr std::string_view kStaccatoKeywords[] = {"LOCAT", "PROGR", "PORTS", "CNTRL", "LEGON", "LEGO1",
                                                  "LEGOF", "RESET", "TEMPO", "METER", "AFTER", "NRPN1",
                                                  "PBEND", "LFO_2", "FILT1", "FILT2"};
constexpr std::string_view kReverseKeywords[] = {"PROGR", "PORTS", "CNTRL", "LEGON", "LEGO1",
                                                 "LEGOF", "TEMPO", "METER", "AFTER", "NRPN1",
                                                 "PBEND", "LFO_2", "FILT1", "FILT2"};

// The Note field of a record (as stored, 5 characters) holds exactly one
// of the keywords.
template <std::size_t N> bool IsListed(const std::string_view (&list)[N], std::string_view note) {
    // The last characters first: a note's field ends in blanks.
    return std::any_of(std::begin(list), std::end(list), [note](std::string_view k) {
        return !note.empty() && k.back() == note.back() && k == note;
    });
}

// SplitDuration of the trimmed Duration fields of a span, each text split
// once: a track holds few different durations.
class Splits {
public:
    explicit Splits(Proportion part) : part_(part) {}
    const std::optional<StaccatoSplit>& Of(std::string_view field) {
        for (const Entry& e : seen_)
            if (e.Field == field) return e.Split;
        if (seen_.size() == kKept) seen_.erase(seen_.begin());
        seen_.push_back({std::string(field), SplitDuration(Trim(field), part_)});
        return seen_.back().Split;
    }

private:
    static constexpr std::size_t kKept = 16;
    struct Entry {
        std::string Field;
        std::optional<StaccatoSplit> Split;
    };
    Proportion part_;
    std::vector<Entry> seen_;
};

// The letter at place i of "xwhqestzy" (1..9).
std::string Letter(int i) { return std::string(1, kNoteLetters[static_cast<std::size_t>(i) - 1]); }

// A note value of tied terms: a letter after the first character.
bool Tied(const std::string& w) {
    return w.find_first_of(kNoteLetters, 1) != std::string::npos;
}

// The whole number the digits after the letter make ("q6." gives 6), or
// nothing when no digit follows the letter.
std::optional<long long> Divisor(const std::string& w) {
    long long n = 0;
    std::size_t i = 1;
    for (; i < w.size() && w[i] >= '0' && w[i] <= '9' && n < 100000; ++i) n = n * 10 + (w[i] - '0');
    if (i == 1) return std::nullopt;
    return n;
}

// Durations the recalculation takes and a record holds.
bool Valid(const std::string& a, const std::string& b) {
    return DurationTextValid(a) && DurationTextValid(b);
}

// The span's first item after its leading keywords of list; past last when
// they fill it.
template <std::size_t N>
int AfterKeywords(State& s, const std::string_view (&list)[N], int first, int last) {
    // Every record of the span is read, or error 62 before anything changes.
    if (first <= last && s.File2.Record(last).size() != kRecordLength) throw VbError(err::InputPastEnd);
    int i = first;
    while (i <= last && IsListed(list, RecordField(s.File2.Record(i), 0))) ++i;
    return i;
}

// The span RangeFrom..RangeTo lies among the items of CurrentTrack.
bool SpanInTrack(const State& s) {
    const int t = s.CurrentTrack;
    return TrackInScore(s, t) && s.RangeFrom >= 1 && s.RangeTo >= s.RangeFrom &&
           s.RangeTo <= s.ItemCount(t);
}

EditCommand StaccatoCommand(const char* menuMode, const char* progress, StaccatoDialog& dialog) {
    EditCommand cmd;
    cmd.MenuMode = menuMode;
    cmd.Progress = progress;
    cmd.ShowDialog = [&dialog](Context& c) { return dialog.Show(c); };
    cmd.Range = [&dialog] {
        const StaccatoTexts t = dialog.Texts();
        return EditRangeTexts{t.From, t.To, t.StartingBeat, t.NoBeats, t.BeatValue, t.Repeats};
    };
    cmd.ByItem = [&dialog] { return dialog.Texts().ByItem; };
    return cmd;
}

} // namespace

StaccatoField StaccatoOK(Context& c, const StaccatoTexts& t) {
    const State& s = c.s;
    if (!t.ByBar && !t.ByItem) return StaccatoField::Silent;
    if (t.ByItem) {
        const auto chosen = std::count(s.SelectedTracks.begin(), s.SelectedTracks.end(), '1');
        if (chosen == 0) return StaccatoField::Silent;
        if (chosen > 1) {
            ItemSelectionWarning(c);
            return StaccatoField::Silent;
        }
    }
    if (t.Part == Proportion::None) return StaccatoField::Silent;
    if (!IsNumeric(t.Repeats) || Val(t.Repeats) < 1 || Val(t.Repeats) > 4) return StaccatoField::Repeats;
    // From and To are left to the command: the bar check, or the item range
    // of By Item, refuses what is no passage.
    // A No. of Beats given alone still narrows the span.
    if (t.StartingBeat.empty() || t.NoBeats.empty())
        return FieldValue(t.NoBeats) < 0 ? StaccatoField::NoBeats : StaccatoField::None;
    if (t.BeatValue.size() != 1 || NoteLetterIndex(t.BeatValue[0]) == 0) return StaccatoField::BeatValue;
    if (!BeatCountValid(t.StartingBeat)) return StaccatoField::StartingBeat;
    if (!BeatCountValid(t.NoBeats)) return StaccatoField::NoBeats;
    return StaccatoField::None;
}

std::optional<StaccatoSplit> SplitDuration(const std::string& w, Proportion part) {
    if (w.empty() || part == Proportion::None) return std::nullopt;
    const int l = NoteLetterIndex(w[0]);
    if (l == 0 || Tied(w) || w == "y" || w.rfind("y.", 0) == 0) return std::nullopt;
    StaccatoSplit split;
    if (w.size() > 1 && w[1] != '.') {
        // A tuplet splits in halves: twice the divisor.
        const auto n = Divisor(w);
        if (!n || *n * 2 > 32767) return std::nullopt;
        split.Note = split.Rest = Letter(l) + std::to_string(*n * 2);
    } else if (part == Proportion::OneHalf || w[0] == 'z' || w.size() > 1) {
        split.Note = split.Rest = Letter(l + 1) + w.substr(1);
    } else if (part == Proportion::OneQuarter) {
        split = {Letter(l + 2), Letter(l + 1) + "."};
    } else {
        split = {Letter(l + 1) + ".", Letter(l + 2)};
    }
    if (!Valid(split.Note, split.Rest)) return std::nullopt;
    return split;
}

std::optional<std::string> JoinedDuration(const std::string& d, const std::string& e) {
    if (d.empty() || e.empty()) return std::nullopt;
    const int a = NoteLetterIndex(d[0]);
    const int b = NoteLetterIndex(e[0]);
    // A rest without a note value has no length to give back.
    if (a == 0 || b == 0) return std::nullopt;
    std::string joined;
    if (e == d) {
        if (d.size() == 1 || d[1] == '.') {
            if (a == 1) return std::nullopt;
            joined = Letter(a - 1) + d.substr(1);
        } else {
            // Half the divisor; a pair whose half is no divisor stays apart.
            const auto n = Divisor(d);
            if (!n || *n / 2 < 1) return std::nullopt;
            joined = Letter(a) + std::to_string(*n / 2);
        }
    } else {
        const int m = std::max(a, b) - 2;
        if (m < 1) return std::nullopt;
        joined = Letter(m);
    }
    if (!DurationTextValid(joined)) return std::nullopt;
    return joined;
}

void StaccatoSpan(Context& c, Proportion part) {
    State& s = c.s;
    if (!SpanInTrack(s)) return;
    const int t = s.CurrentTrack;
    const int last = s.RangeTo;
    const int first = AfterKeywords(s, kStaccatoKeywords, s.RangeFrom, last);
    if (first > last) return;
    const int n = last - first + 1;
    // The span's records, kept while room is opened behind them.
    std::string span;
    span.reserve(static_cast<std::size_t>(n) * kRecordLength);
    // A note with a dash adjustment, and a note one takes off the length of,
    // stay whole: a rest after them would change what the dashes take off.
    std::vector<bool> whole = DashesAcross(c, t, first + 1, last + 1);
    for (int i = first; i <= last; ++i) {
        const std::string_view record = s.File2.Record(i);
        span.append(record);
        if (DashCount(RecordField(record, 3)) > 0) whole[static_cast<std::size_t>(i - first)] = true;
    }

    // Room for a rest after every note; a track without it stays as it was.
    s.CurrentItem(t) = static_cast<Integer>(last + 1);
    if (!InsertSpace(c, n)) return;

    // The records from first on: each note split is followed by its rest.
    std::string out;
    out.reserve(2 * span.size());
    Splits splits(part);
    for (std::size_t k = 0; k < whole.size(); ++k) {
        const std::string_view r = std::string_view(span).substr(k * kRecordLength, kRecordLength);
        const std::string_view note = RecordField(r, 0);
        const bool plain = note[0] != 'R' && !IsListed(kStaccatoKeywords, note) && !whole[k];
        const std::size_t at = out.size();
        out.append(r);
        if (!plain) continue;
        const std::optional<StaccatoSplit>& split = splits.Of(RecordField(r, 2));
        if (!split) continue;
        PutRecordField(out.data() + at, 2, split->Note);
        out.append(r);
        const std::size_t rest = at + kRecordLength;
        PutRecordField(out.data() + rest, 0, "R");
        PutRecordField(out.data() + rest, 1, "0");
        PutRecordField(out.data() + rest, 2, split->Rest);
        PutRecordField(out.data() + rest, 3, "0");
        PutRecordField(out.data() + rest, 4, "0");
    }
    s.PieceChanged = 1;
    s.RecalcDone = 0;
    s.File2.WriteRecords(first, out);
    // The room not taken by rests goes again.
    const int used = static_cast<int>(out.size() / kRecordLength);
    if (used < 2 * n) {
        s.CurrentItem(t) = static_cast<Integer>(first + used);
        DeleteItems(c, 2 * n - used);
    }
}

void ReverseStaccatoSpan(Context& c) {
    State& s = c.s;
    if (!SpanInTrack(s)) return;
    const int t = s.CurrentTrack;
    int last = s.RangeTo;
    const int first = AfterKeywords(s, kReverseKeywords, s.RangeFrom, last);
    // A pair stays apart when its rest has a dash adjustment or a later
    // item's dashes reach back to the rest or before it: without the rest
    // they would take off other lengths. Judged on the items as they stand
    // before any join (positions from first on).
    std::vector<bool> apart = DashesAcross(c, t, first + 2, last + 2);
    for (int i = first; i <= last; ++i) {
        if (i + 1 > s.ItemCount(t)) continue;
        const std::string_view rest = s.File2.Record(i + 1);
        if (rest.size() == kRecordLength && !IsEndRecord(rest) && DashCount(RecordField(rest, 3)) > 0)
            apart[static_cast<std::size_t>(i - first)] = true;
    }
    int joined = 0;
    for (int i = first; i <= last; ++i) {
        if (apart[static_cast<std::size_t>(i + joined - first)]) continue;
        s.CurrentItem(t) = static_cast<Integer>(i);
        if (!ReadItem(c, 2)) return;
        const std::string note = c.screen.Text(Box::Note);
        if (note.rfind("END", 0) == 0) return;
        const std::string d = Trim(c.screen.Text(Box::Dur));
        if (d.empty() || NoteLetterIndex(d[0]) == 0 || note.rfind('R', 0) == 0 || note == "TEMPO" ||
            Tied(d))
            continue;
        // The rest after the note, also behind the span, but one of the
        // track's items.
        if (i + 1 > s.ItemCount(t)) return;
        std::string bytes;
        if (!s.File2.Read(i + 1, bytes) || IsEndRecord(bytes)) return;
        const TrackItemRecord rest = DecodeRecord(bytes);
        if (rest.Note[0] != 'R') continue;
        const auto duration = JoinedDuration(d, Trim(rest.Duration));
        if (!duration) continue;
        c.screen.SetText(Box::Dur, *duration);
        WriteItem(c);
        s.CurrentItem(t) = static_cast<Integer>(i + 1);
        DeleteItems(c, 1);
        --last;
        ++joined;
    }
}

bool ApplyStaccato(Context& c, TrackSelectionDialog& tracks, StaccatoDialog& dialog) {
    Proportion part = Proportion::None;
    EditCommand cmd = StaccatoCommand("mnuEdtStaccato", "Updating staccato...", dialog);
    cmd.ReadParameters = [&](Context&) { part = dialog.Texts().Part; };
    cmd.ApplySpan = [&part](Context& cc) {
        return ReportingErrors(cc, [&] {
            StaccatoSpan(cc, part);
            return true;
        });
    };
    return RunEditCommand(c, tracks, cmd);
}

bool ReverseStaccato(Context& c, TrackSelectionDialog& tracks, StaccatoDialog& dialog) {
    EditCommand cmd = StaccatoCommand("mnuEdtReverseStac", "Reversing staccato...", dialog);
    cmd.ShowDialog = [&dialog](Context& cc) {
        cc.msg.MsgBox("Parameters selected must be exactly the same as originally entered, or the "
                      "results may not be accurate",
                      mb::Exclamation, std::string("Reverse Staccato"));
        return dialog.Show(cc);
    };
    cmd.ApplySpan = [](Context& cc) {
        return ReportingErrors(cc, [&] {
            ReverseStaccatoSpan(cc);
            return true;
        });
    };
    return RunEditCommand(c, tracks, cmd);
}

} // namespace tnq
