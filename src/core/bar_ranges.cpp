// ValidateBarNumbers, ValidateBarNumbers2, SpanSelectedBars, TrackNext.
#include "core/bar_ranges.h"

#include "core/duration_parse.h"
#include "core/track_files.h"
#include "core/vocabulary.h"
#include "platform/vb.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>
#include <string>

namespace tnq {

namespace {

// A fault that has been reported: the procedure ends with false.
struct Reported {};

// Highest item number a track can have (the cursor is a 16-bit number).
constexpr int kLastItemNumber = 32766;

// Parts of a beat below this are rounding, not time.
constexpr double kBeatTolerance = 0.001;

bool Selected(const State& s, int track) {
    return static_cast<std::size_t>(track) <= s.SelectedTracks.size() &&
           s.SelectedTracks[static_cast<std::size_t>(track) - 1] == '1';
}

[[noreturn]] void Fail(Context& c, const std::string& text, const char* title = kValidateTitle) {
    c.msg.MsgBox(text, mb::Exclamation, std::string(title));
    throw Reported{};
}

[[noreturn]] void NotFound(Context& c, int bar, int track) {
    Fail(c, "Bar number" + Str(bar) + " Track" + Str(track) + " not found");
}

// The bar of item p of a track, nothing past its last item.
using BarAt = std::function<std::optional<Integer>(int p)>;
// Checks an item of the span being walked; reports and throws on a fault.
using CheckItem = std::function<void(int p)>;

// Finds the span of occurrence RepeatCounter of bars RangeFrom..RangeTo on
// track t, searching from the item after the previous occurrence's span.
// withItem: the "invalid" message names the item.
void FindSpan(Context& c, int t, const BarAt& barAt, const CheckItem& check, bool withItem) {
    State& s = c.s;
    const int occurrence = s.RepeatCounter;
    int p = occurrence == 1 ? 0 : s.SpanLast(t, occurrence - 1);

    // The start: the first item of bar RangeFrom. The bars before it are
    // not examined for order.
    for (;;) {
        ++p;
        const std::optional<Integer> bar = barAt(p);
        if (!bar) NotFound(c, s.RangeFrom, t);
        s.FoundBar = *bar;
        if (*bar == s.RangeFrom) break;
    }
    s.SpanFirst(t, occurrence) = static_cast<Integer>(p);

    // The walk: on while the bars do not pass RangeTo; a lower bar than the
    // one before it is a fault, never the end of the span.
    Integer previous = s.RangeFrom;
    s.Scratch = s.RangeFrom == s.RangeTo ? "found" : "";
    for (;;) {
        check(p);
        ++p;
        const std::optional<Integer> bar = barAt(p);
        if (!bar) break;
        s.FoundBar = *bar;
        if (s.Scratch.empty() && *bar == s.RangeTo) s.Scratch = "found";
        if (*bar > s.RangeTo) break;
        if (*bar < previous) {
            Fail(c, "Bar number" + Str(*bar) + (withItem ? " Item " + Str(p) : std::string()) +
                        " Track" + Str(t) + " invalid");
        }
        previous = *bar;
    }
    if (s.Scratch != "found") NotFound(c, s.RangeTo, t);
    s.SpanLast(t, occurrence) = static_cast<Integer>(p - 1);
}

// The frame both validations share: fresh spans, then occurrence by
// occurrence every track in turn (perTrack finds its span or skips it).
bool Validate(Context& c, const std::function<void(int t)>& perTrack) {
    State& s = c.s;
    try {
        s.SpanFirst.ReDim(s.NumTracks, 4);
        s.SpanLast.ReDim(s.NumTracks, 4);
        s.RepeatCounter = 1;
        // The span arrays hold four occurrences.
        if (s.Repeats < 1 || s.Repeats > 4) throw VbError(err::SubscriptOutOfRange);
        for (;;) {
            const int tracks = s.NumTracks;
            for (int t = 1; t <= tracks; ++t) {
                s.CurrentTrack = static_cast<Integer>(t);
                perTrack(t);
            }
            if (s.RepeatCounter == s.Repeats) return true;
            ++s.RepeatCounter;
        }
    } catch (const Reported&) {
        return false;
    } catch (const VbError& e) {
        c.msg.MsgBox(ErrorOccuredText(e), mb::Exclamation, std::string(kValidateTitle));
        return false;
    }
}

// Reads item p of the track open as file f into the record boxes (the
// cursor of CurrentTrack left on it). False at the END record or past the
// end of the file.
bool ReadTrackItem(Context& c, int f, int p) {
    State& s = c.s;
    if (p > kLastItemNumber) return false;
    s.CurrentItem(s.CurrentTrack) = static_cast<Integer>(p);
    if (AtTrackEnd(c, f)) return false;
    if (!ReadItem(c, f)) throw Reported{}; // its message is shown
    return true;
}

// Narrows the span of occurrence Repeats of track t (RangeFrom..RangeTo,
// loaded by TrackNext) to the chosen beats, reading file f.
void NarrowSpan(Context& c, int f, int t) {
    State& s = c.s;
    const int occurrence = s.Repeats;
    const int startBeat = std::max<int>(s.StartingBeat, 1);
    const int lastBeat = s.NumberOfBeats + startBeat - 1;
    int beat = 1;
    Single open = 1; // the part of the current beat still open
    bool started = startBeat == 1;

    for (int i = s.RangeFrom; i <= s.RangeTo; ++i) {
        if (!ReadTrackItem(c, f, i)) break;
        // Keyword items take no time.
        if (KeywordCode(c.screen.Text(Box::Note)) != 0) continue;
        s.Scratch = c.screen.Text(Box::Dur);
        s.TermTicks = 0;
        DurationParse(s, s.Scratch, "StitRtn");
        if (s.Scratch == "error") continue;

        Single x = s.TermTicks; // the item's length in beats
        // Counts a beat completed within item i (inside: the item runs on
        // past its end); true when it is past the last beat. The start beat
        // begins where the beat before it ends: an item that runs on into
        // it is the span's first, else the item after it.
        const auto countBeat = [&](bool inside) {
            if (++beat > lastBeat) return true;
            if (!started && beat == startBeat) {
                s.SpanFirst(t, occurrence) = static_cast<Integer>(inside ? i : i + 1);
                started = true;
            }
            return false;
        };
        bool passed = false; // the last beat is completed
        while (x > open) {
            x = static_cast<Single>(double(x) - double(open));
            open = 1;
            if (countBeat(double(x) >= kBeatTolerance)) {
                passed = true;
                break;
            }
        }
        if (!passed) {
            open = static_cast<Single>(double(open) - double(x));
            if (std::fabs(double(open)) < kBeatTolerance) {
                open = 0;
                if (countBeat(false))
                    passed = true;
                else
                    open = 1;
            }
        }
        if (passed) {
            // A start beat past the last one: the span is this item.
            if (!started) s.SpanFirst(t, occurrence) = static_cast<Integer>(i);
            s.SpanLast(t, occurrence) = static_cast<Integer>(i);
            return;
        }
    }
    // The items ran out before the last beat: the span keeps its end, or,
    // when they ended before the start beat, the track has no span.
    if (!started) {
        s.SpanFirst(t, occurrence) = 0;
        s.SpanLast(t, occurrence) = 0;
    }
}

} // namespace

bool ValidateBarNumbers(Context& c) {
    State& s = c.s;
    return Validate(c, [&c, &s](int t) {
        if (!Selected(s, t) || s.ItemCount(t) == 0) return;
        const int count = s.ItemCount(t);
        const bool restsOnly = s.MenuMode == "mnuEdtCC" && t != 1;
        FindSpan(
            c, t,
            [&s, t, count](int p) -> std::optional<Integer> {
                if (p > count) return std::nullopt;
                return s.BarNo(t, p);
            },
            [&c, &s, t, restsOnly](int p) {
                if (restsOnly && s.NoteCode(t, p) != code::Rest)
                    Fail(c, "Selection must contain only rests", kRestsOnlyTitle);
            },
            true);
    });
}

bool ValidateBarNumbers2(Context& c) {
    State& s = c.s;
    return Validate(c, [&c, &s](int t) {
        if (!Selected(s, t)) return;
        s.SourceTrack = static_cast<Integer>(t);
        if (!OpenTrackForReading(c, 3, s.SourceTitle, t)) return; // no file: no items
        std::string first;
        if (!s.File3.Read(1, first) || IsEndRecord(first)) return;
        FindSpan(
            c, t,
            [&c](int p) -> std::optional<Integer> {
                if (!ReadTrackItem(c, 3, p)) return std::nullopt;
                return CInt(Val(c.screen.Text(Box::Bar)));
            },
            [](int) {}, false);
    });
}

bool SpanSelectedBars(Context& c, int fileNumber) {
    State& s = c.s;
    try {
        s.CurrentTrack = 0;
        s.RepeatCounter = s.Repeats;
        for (;;) {
            s.Scratch.clear();
            TrackNext(c);
            if (s.Scratch == "end") return true;
            const int t = s.CurrentTrack;
            if (fileNumber == 3) {
                // The beats of each track are counted on its namesake in the
                // piece copied from.
                s.SourceTrack = static_cast<Integer>(t);
                if (!OpenTrackForReading(c, 3, s.SourceTitle, t)) throw VbError(err::FileNotFound);
            }
            NarrowSpan(c, fileNumber, t);
        }
    } catch (const Reported&) {
        return false;
    } catch (const VbError& e) {
        c.msg.MsgBox(ErrorOccuredText(e), mb::Exclamation, std::string(kValidateTitle));
        return false;
    }
}

void TrackNext(Context& c) {
    State& s = c.s;
    s.RepeatCounter = s.Repeats;
    for (;;) {
        ++s.CurrentTrack;
        if (s.CurrentTrack > s.NumTracks) {
            ++s.RepeatCounter;
            s.CurrentTrack = 1;
        }
        if (s.RepeatCounter > s.Repeats) {
            s.Scratch = "end";
            return;
        }
        if (s.SpanFirst(s.CurrentTrack, s.RepeatCounter) != 0) break;
    }
    s.RangeFrom = s.SpanFirst(s.CurrentTrack, s.RepeatCounter);
    s.RangeTo = s.SpanLast(s.CurrentTrack, s.RepeatCounter);
    if (s.MenuMode == "mnuEdtCopy" || s.MenuMode == "mnuEdtVertical") {
        // The track copied from: read, never created or written.
        if (!OpenTrackForReading(c, 2, s.SourceTitle, s.CurrentTrack))
            throw VbError(err::FileNotFound);
    } else {
        TrackFileOpen(c);
    }
}

} // namespace tnq
