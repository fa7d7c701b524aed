// Work arrays and the balance rule of the .MID writers.
#include "midifile/work_arrays.h"

#include "core/vocabulary.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <string>

namespace tnq {

namespace {

bool IsSuppressed(const TrackTest& suppressed, int t) {
    return suppressed && suppressed(t);
}

// Slots of a track that compaction looks at.
int LastSlot(const State& s) {
    return std::min<int>(s.MaxItems, s.NoteCode.Upper2());
}

// The slots of a track in the score arrays, each read checked.
struct CheckedScore {
    const State& s;
    int t;
    int Code(int i) const { return s.NoteCode(t, i); }
    Long Time(int i) const { return s.ItemTime(t, i); }
    int Dyn(int i) const { return s.ItemDyn(t, i); }
    int Chan(int i) const { return s.ItemChan(t, i); }
    int Bend(int i) const { return s.ItemBend(t, i); }
};
// The same read in place from the rows, where every array holds them.
struct ScoreRows {
    const Integer *code, *dyn, *chan, *bend;
    const Long* time;
    int Code(int i) const { return code[i]; }
    Long Time(int i) const { return time[i]; }
    int Dyn(int i) const { return dyn[i]; }
    int Chan(int i) const { return chan[i]; }
    int Bend(int i) const { return bend[i]; }
};

// The slots of a track in the work arrays, each written checked.
struct CheckedWork {
    State& s;
    int t;
    void Put(int p, int code, Long time, int dyn, int chan, int bend) const {
        s.WorkCode(t, p) = static_cast<Integer>(code);
        s.WorkTime(t, p) = time;
        s.WorkDyn(t, p) = static_cast<Integer>(dyn);
        s.WorkChan(t, p) = static_cast<Integer>(chan);
        s.WorkBend(t, p) = static_cast<Integer>(bend);
    }
};
// The same written in place into the rows.
struct WorkRows {
    Integer *code, *dyn, *chan, *bend;
    Long* time;
    void Put(int p, int c, Long tm, int d, int ch, int b) const {
        code[p] = static_cast<Integer>(c);
        time[p] = tm;
        dyn[p] = static_cast<Integer>(d);
        chan[p] = static_cast<Integer>(ch);
        bend[p] = static_cast<Integer>(b);
    }
};

// A slot compaction copies: not LOCAT and not an empty slot.
template <class Score> bool IsCopied(const Score& in, int i) {
    const int c = in.Code(i);
    if (c == code::LOCAT) return false;
    return !(c == 0 && in.Time(i) == 0 && in.Dyn(i) == 0);
}

// Copies the slots 1..last of track t that compaction keeps to the work
// positions from 1 on, adding the lengths of notes and rests to total and
// noting where each location number falls; the position after the last.
template <class Score, class Work>
int CompactTrack(State& s, int t, int last, bool silent, const Score& in, const Work& out,
                 std::int64_t& total) {
    int p = 1;
    for (int i = 1; i <= last; ++i) {
        const int c = in.Code(i);
        if (c == code::LOCAT) {
            // A location number without a slot is passed over.
            const int n = in.Dyn(i);
            if (n >= 0 && n <= s.LocationItem.Upper2())
                s.LocationItem(t, n) = static_cast<Integer>(p);
        }
        if (c <= 127) total += in.Time(i);
        if (!IsCopied(in, i)) continue;
        if (silent) {
            // A rest as long as the note or rest, without pitch bend; a
            // keyword item's first number is no length.
            out.Put(p, 0, c <= 127 ? in.Time(i) : 0, 0, in.Chan(i), 0);
        } else {
            out.Put(p, c, in.Time(i), in.Dyn(i), in.Chan(i), in.Bend(i));
        }
        ++p;
    }
    return p;
}

// A work array of the given bounds. One that already has them is kept, with
// only the slots an earlier run may have set cleared: the five work arrays
// of a long piece are tens of megabytes, which clearing whole would write
// over again on every run, and memory that is newly had is clear already.
// Compaction counts the slots of a row before it writes any of them and
// writes none beyond its count, so that earlier counts (of tracks
// 0..earlier.Upper(); every slot of any other row) bound what is set.
template <class T>
void SizedAndClear(Array2<T>& a, int upper1, int upper2, const Array1<Integer>& earlier) {
    if (!a.Allocated() || a.Upper1() != upper1 || a.Upper2() != upper2) {
        a.ReDim(upper1, upper2);
        return;
    }
    for (int t = 0; t <= upper1; ++t) {
        const int count = t <= earlier.Upper() ? earlier(t) : upper2 + 1;
        const int to = std::min(count - 1, upper2);
        if (to >= 0) std::fill(&a(t, 0), &a(t, to) + 1, T{});
    }
}

} // namespace

int PlainBalanceTolerance(int ticksPerQuarter) {
    return ticksPerQuarter / 32 + 50;
}

void AllocateWorkArrays(State& s) {
    const int tracks = s.NumTracks, items = s.MaxItems;
    const Array1<Integer> earlier = std::move(s.WorkCount);
    s.TrackTotal.ReDim(tracks);
    s.WorkCount.ReDim(tracks);
    s.NoteSounding.ReDim(tracks);
    s.SoundingKey.ReDim(tracks);
    s.BendActive.ReDim(tracks);
    s.LegatoOn.ReDim(tracks);
    s.LastStatus.ReDim(tracks);
    s.LocationItem.ReDim(tracks, kLocateSlots);
    SizedAndClear(s.WorkCode, tracks, items, earlier);
    SizedAndClear(s.WorkTime, tracks, items, earlier);
    SizedAndClear(s.WorkDyn, tracks, items, earlier);
    SizedAndClear(s.WorkChan, tracks, items, earlier);
    SizedAndClear(s.WorkBend, tracks, items, earlier);
}

int CompactTracks(State& s, const TrackTest& suppressed) {
    int tooLong = 0;
    const int last = LastSlot(s);
    for (int t = 1; t <= s.NumTracks; ++t) {
        if (s.ItemCount(t) == 0) continue;
        // Counted before any slot is written, for a compaction cut short.
        s.WorkCount(t) = static_cast<Integer>(std::max(last, 0) + 1);
        const bool silent = IsSuppressed(suppressed, t);
        std::int64_t total = 0;
        // The rows are used in place when every array holds slots 0..last
        // of the track (as they do once the piece and the work arrays are
        // set up), else slot by slot.
        const bool inPlace =
            last >= 0 && s.NoteCode.HoldsRow(t, last) && s.ItemTime.HoldsRow(t, last) &&
            s.ItemDyn.HoldsRow(t, last) && s.ItemChan.HoldsRow(t, last) &&
            s.ItemBend.HoldsRow(t, last) && s.WorkCode.HoldsRow(t, last) &&
            s.WorkTime.HoldsRow(t, last) && s.WorkDyn.HoldsRow(t, last) &&
            s.WorkChan.HoldsRow(t, last) && s.WorkBend.HoldsRow(t, last);
        const int p =
            inPlace
                ? CompactTrack(s, t, last, silent,
                               ScoreRows{s.NoteCode.Row(t), s.ItemDyn.Row(t), s.ItemChan.Row(t),
                                         s.ItemBend.Row(t), s.ItemTime.Row(t)},
                               WorkRows{&s.WorkCode(t, 0), &s.WorkDyn(t, 0), &s.WorkChan(t, 0),
                                        &s.WorkBend(t, 0), &s.WorkTime(t, 0)},
                               total)
                : CompactTrack(s, t, last, silent, CheckedScore{s, t}, CheckedWork{s, t}, total);
        s.WorkCount(t) = static_cast<Integer>(p);
        if (total > std::numeric_limits<Long>::max() || total < std::numeric_limits<Long>::min()) {
            if (tooLong == 0) tooLong = t;
            total = std::numeric_limits<Long>::max();
        }
        s.TrackTotal(t) = static_cast<Long>(total);
    }
    return tooLong;
}

std::int64_t SpanTotal(const State& s, int t, int first, int last) {
    first = std::max(first, 1);
    last = std::min(last, std::min<int>(s.NoteCode.Upper2(), s.ItemTime.Upper2()));
    std::int64_t total = 0;
    for (int i = first; i <= last; ++i)
        if (s.NoteCode(t, i) <= 127) total += s.ItemTime(t, i);
    return total;
}

Long TotalValue(std::int64_t total) {
    if (total > std::numeric_limits<Long>::max() || total < std::numeric_limits<Long>::min())
        return std::numeric_limits<Long>::max();
    return static_cast<Long>(total);
}

void TotalTracks(State& s) {
    const int last = LastSlot(s);
    for (int t = 1; t <= s.NumTracks; ++t)
        s.TrackTotal(t) = s.ItemCount(t) == 0 ? 0 : TotalValue(SpanTotal(s, t, 1, last));
}

Long ShowTotalsAndReference(Context& c, const TrackTest& suppressed) {
    State& s = c.s;
    Long reference = 0;
    for (int t = 1; t <= s.NumTracks; ++t) {
        if (IsSuppressed(suppressed, t)) {
            c.screen.SetTrackFigure(t - 1, "0");
            continue;
        }
        if (reference == 0) reference = s.TrackTotal(t);
        c.screen.SetTrackFigure(t - 1, std::to_string(s.TrackTotal(t)));
    }
    return reference;
}

bool TrackDiffers(const State& s, int t, Long reference, const TrackTest& suppressed) {
    if (IsSuppressed(suppressed, t)) return false;
    return s.TrackTotal(t) != 0 && s.TrackTotal(t) != reference;
}

bool AnyTrackDiffers(const State& s, Long reference, const TrackTest& suppressed) {
    for (int t = 1; t <= s.NumTracks; ++t)
        if (TrackDiffers(s, t, reference, suppressed)) return true;
    return false;
}

bool OutOfBalance(const State& s, Long reference, int tolerance, const TrackTest& suppressed) {
    for (int t = 1; t <= s.NumTracks; ++t) {
        if (!TrackDiffers(s, t, reference, suppressed)) continue;
        const std::int64_t diff = std::int64_t{reference} - s.TrackTotal(t);
        if (std::llabs(diff) > tolerance) return true;
    }
    return false;
}

void SpreadDifferences(State& s, Long reference, const TrackTest& suppressed) {
    for (int t = 1; t <= s.NumTracks; ++t) {
        if (!TrackDiffers(s, t, reference, suppressed)) continue;
        const std::int64_t diff = std::int64_t{reference} - s.TrackTotal(t);
        // The balance test has kept the difference within the tolerance.
        SpreadTrack(s, t, static_cast<int>(std::clamp<std::int64_t>(diff, -32768, 32767)));
    }
}

void SpreadTrack(State& s, int t, int diff) {
    if (diff == 0) return;
    const int sign = diff > 0 ? 1 : -1;
    const int count = s.ItemCount(t);
    // Positions the search visits: 1 .. the track's item count.
    const int last = std::min<int>(count, s.WorkCode.Upper2());
    if (last < 1) return;
    const int step = count / std::abs(diff);

    auto eligible = [&](int p) { return s.WorkCode(t, p) < 128 && s.WorkTime(t, p) != 0; };
    int w = 1; // current position
    int r = 2; // restart position
    // Past the last position the search goes on at the restart position;
    // once that too lies past the last position it starts again from 1.
    auto restart = [&] {
        w = r;
        ++r;
        if (w > last) {
            w = 1;
            r = 2;
        }
    };

    while (diff != 0) {
        int sweepStart = w;
        while (!eligible(w)) {
            ++w;
            if (w <= last) continue;
            if (r >= sweepStart) {
                // Every restart from here on lies inside the sweep that just
                // found nothing, so they would all fail until the search
                // starts again from position 1.
                if (sweepStart == 1) return; // no note or rest to change
                w = 1;
                r = 2;
            } else {
                restart();
            }
            sweepStart = w;
        }
        s.WorkTime(t, w) += sign;
        diff -= sign;
        w += step;
        if (w > last) restart();
    }
}

int WorkPositionItem(const State& s, int t, int position) {
    const int last = LastSlot(s);
    int p = 0;
    for (int i = 1; i <= last; ++i) {
        if (!IsCopied(CheckedScore{s, t}, i)) continue;
        if (++p == position) return i;
    }
    return 0;
}

} // namespace tnq
