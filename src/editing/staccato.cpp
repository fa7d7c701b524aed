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
template <std::size_t N> bool IsListed(const std::string_view (&list)[N], const std::string& note) {
    return std::find(std::begin(list), std::end(list), std::string_view(note)) != std::end(list);
}

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
    const std::vector<std::string> records = ReadTrackRecords(s.File2, first, last);
    int i = first;
    while (i <= last && IsListed(list, DecodeRecord(records[static_cast<std::size_t>(i - first)]).Note))
        ++i;
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
    const std::vector<std::string> span = ReadTrackRecords(s.File2, first, last);
    // A note with a dash adjustment, and a note one takes off the length of,
    // stay whole: a rest after them would change what the dashes take off.
    std::vector<bool> whole;
    for (int i = first; i <= last; ++i) {
        const bool dashed =
            DashCount(DecodeRecord(span[static_cast<std::size_t>(i - first)]).Adjustment) > 0;
        whole.push_back(dashed || DashAcross(c, t, i + 1) != 0);
    }

    // Room for a rest after every note; a track without it stays as it was.
    s.CurrentItem(t) = static_cast<Integer>(last + 1);
    if (!InsertSpace(c, n)) return;

    std::vector<TrackItemRecord> out;
    for (std::size_t k = 0; k < span.size(); ++k) {
        TrackItemRecord r = DecodeRecord(span[k]);
        const bool plain = r.Note[0] != 'R' && !IsListed(kStaccatoKeywords, r.Note) && !whole[k];
        const auto split = plain ? SplitDuration(Trim(r.Duration), part) : std::nullopt;
        if (!split) {
            out.push_back(r);
            continue;
        }
        r.Duration = split->Note;
        out.push_back(r);
        r.Note = "R";
        r.Octave = "0";
        r.Duration = split->Rest;
        r.Adjustment = "0";
        r.Dynamics = "0";
        out.push_back(r);
    }
    s.PieceChanged = 1;
    s.RecalcDone = 0;
    for (std::size_t i = 0; i < out.size(); ++i)
        s.File2.Write(first + static_cast<long long>(i), EncodeRecord(out[i]));
    // The room not taken by rests goes again.
    const int used = static_cast<int>(out.size());
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
    std::vector<bool> apart;
    for (int i = first; i <= last; ++i) {
        std::string bytes;
        const bool dashed = i + 1 <= s.ItemCount(t) && s.File2.Read(i + 1, bytes) &&
                            !IsEndRecord(bytes) && DashCount(DecodeRecord(bytes).Adjustment) > 0;
        apart.push_back(dashed || DashAcross(c, t, i + 2) != 0);
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
