// Sizing the score for the piece's tracks and items, and loading the limits
// from the settings.
#pragma once

#include "core/context.h"

#include <optional>
#include <string_view>

namespace tnq {

// The arrays a score is made of, out of the state: a score built apart, or
// the open piece's score kept while another piece is read in its place.
struct ScoreArrays {
    GapArray2<Integer> NoteCode, ItemDyn, ItemChan, ItemBend, BarNo;
    GapArray2<Long> ItemTime;
    Array1<Integer> ItemCount, CurrentItem;
    Array2<Integer> SpanFirst, SpanLast;
    Array1<Long> TrackTotal;
    Array2<Integer> LocationItem;
    Array1<Integer> WorkCount;
    Array2<Integer> WorkCode, WorkDyn, WorkChan, WorkBend;
    Array2<Long> WorkTime;
};

// Exchanges the state's score arrays with those of score: with an empty
// score, takes the state's out; again, puts them back.
void SwapScore(State& s, ScoreArrays& score);

// Allocates the score arrays, the per-track arrays and the work arrays for
// NumTracks and MaxItems, discarding their contents; every track gets 0
// items and its cursor at item 1. Either the whole new score is in place or
// (after the message) the old one is kept. Returns false on failure.
bool MemorySetUp(Context& c);

// Loads "Nts", "Tracks", "Actsen", "Reverb" and "Chorus" into the Default
// variables and the working limits, and resets the selection strings.
void SystemDefaults(Context& c);

// Ranges a stored limit must lie in to be used.
struct LimitRange {
    int Min, Max;
};
inline constexpr LimitRange kTracksRange{1, 96};
inline constexpr LimitRange kItemsRange{1, 32766};
inline constexpr LimitRange kTicksRange{1, 32767};
inline constexpr LimitRange kEffectRange{0, 7};

// A stored limit (a setting, a piece header value): the text's number
// rounded halves to even, when the text is a number that rounds into the
// range; nothing otherwise.
std::optional<Integer> LimitValue(std::string_view text, LimitRange range);

} // namespace tnq
