// The work arrays of the .MID writers and the balance rule: allocation,
// compaction of every track's items, the track totals and their reference,
// the balance test and the spreading of small differences.
#pragma once

#include "core/context.h"

#include <cstdint>
#include <functional>

namespace tnq {

// Tells whether a track is suppressed (its items are written as silence and
// it stays out of the balance test). An empty test: no track is.
using TrackTest = std::function<bool(int track)>;

// Tolerance of the plain writer: Int(ticks per quarter / 32) + 50.
int PlainBalanceTolerance(int ticksPerQuarter);

// Sizes the work arrays, LocationItem, TrackTotal, WorkCount and the
// encoder state for NumTracks and MaxItems, all zero.
void AllocateWorkArrays(State& s);

// Copies the items of every track that has items into the work arrays,
// dropping LOCAT items (LocationItem records the position that follows
// them) and empty slots, and totals the notes and rests in TrackTotal. The
// items of a suppressed track are stored as rests of dynamics 0 without
// pitch bend, as long as the note or rest (a keyword item as 0 ticks), so
// its chunk lasts exactly its total. Returns 0,
// or the first track whose total does not fit 32 bits (its total is then
// the largest 32-bit value).
int CompactTracks(State& s, const TrackTest& suppressed = {});

// Ticks of the notes and rests among items first..last of a track (items
// outside the score are passed over).
std::int64_t SpanTotal(const State& s, int track, int first, int last);

// A total as TrackTotal holds it: one beyond 32 bits is the largest 32-bit
// value.
Long TotalValue(std::int64_t total);

// TrackTotal of every track as compaction totals it (0 for a track without
// items), without touching the work arrays.
void TotalTracks(State& s);

// Shows every track's total in its figure (a suppressed track shows "0")
// and returns the reference: the first non-zero total of a track that is
// not suppressed, 0 when there is none.
Long ShowTotalsAndReference(Context& c, const TrackTest& suppressed = {});

// A track differs when it is not suppressed and its total is neither 0 nor
// the reference.
bool TrackDiffers(const State& s, int track, Long reference, const TrackTest& suppressed = {});
bool AnyTrackDiffers(const State& s, Long reference, const TrackTest& suppressed = {});

// True when some differing track is further from the reference than the
// tolerance.
bool OutOfBalance(const State& s, Long reference, int tolerance, const TrackTest& suppressed = {});

// Spreads the difference of every differing track over its notes and rests.
void SpreadDifferences(State& s, Long reference, const TrackTest& suppressed = {});

// Adds diff ticks (one at a time, sign of diff) to the notes and rests of
// a track, from position 1 in steps of Int(ItemCount / |diff|).
void SpreadTrack(State& s, int track, int diff);

// The item number (slot of the score) that work position of a track was
// copied from; 0 when there is none.
int WorkPositionItem(const State& s, int track, int position);

} // namespace tnq
