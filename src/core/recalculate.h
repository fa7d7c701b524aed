// Rebuilding the score arrays of the selected tracks from their track files.
#pragma once

#include "core/context.h"
#include "core/track_files.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tnq {

// For every track whose character in SelectedTracks is "1": reads its item
// records up to the END record (or the end of the file), converts each into
// the item's numbers and stores them, leaving ItemCount(t) = the number of
// items, CurrentItem(t) = ItemCount(t) + 1 and the slots above the count 0.
// Sets Tempo to "60" when it holds no number, BeatUnit to 8 at every track,
// fills ValidControllers and marks the piece changed; the track figures show
// the counts.
//
// Returns true when every selected track was rebuilt. Returns false, after
// its message, at the first record it cannot convert ("Data Error"; the
// track keeps its real item count and its cursor on the item at fault), at
// a full track ("Space Limitation"; ItemCount = MaxItems - 1 and the cursor
// behind it), and when a track file cannot be opened or read (the run-time
// error's message). It never raises an error; callers stop when it fails.
bool Recalculate(Context& c);
// The same, telling besides what it found of each track it read (tracks
// 1..NumTracks of tracks, sized here): Changed when the track's count, or
// any value of its slots 1..count, is not what it was before, and the
// length of its file. A track that fails (CurrentTrack) is left to the
// caller.
struct TrackReading {
    bool Changed = false;
    std::size_t FileBytes = 0;
};
bool RecalculateComparing(Context& c, std::vector<TrackReading>& tracks);
// Recalculate with nothing told: its messages are not shown.
bool RecalculateSilently(Context& c);

// The state a reading of records leaves behind, kept to be put back.
struct ReadingState {
    explicit ReadingState(const State& s);
    void PutBack(State& s) const;
    Integer CurrentTrack, ItemCode, ItemDynamics, ItemBar, ItemChannel, ItemPitchBend, NoteIndex,
        CapacityReached;
    Single ItemTicks, ItemAdjust, BeatUnit, TermTicks, TickFraction;
    std::string Scratch;
};

// What a recalculation leaves behind besides the rows, counts and cursors
// of the tracks it reads: the reading state, Tempo and file 2, kept (file 2
// taken as it is, open or closed) to be put back.
class RecalculationKept {
public:
    explicit RecalculationKept(State& s);
    void PutBack(State& s);

private:
    ReadingState reading_;
    std::string tempo_;
    RecordFile file2_;
    Integer file2Open_;
};

// Whether a track's records would be read by Recalculate: its rules and
// its ends, applied to bytes as track t's file, with nothing shown and the
// state and the track's rows left as they were. Not Reads: at a record
// that does not convert (Item, from 1), or with the track full (Full).
struct TrackCheck {
    bool Reads = true;
    bool Full = false;
    int Item = 0;
};
// converter, when given, serves several checks in a row, so that a text
// met on one track is converted once for all of them.
class RecordConverter;
TrackCheck CheckTrackBytes(Context& c, int t, std::string_view bytes,
                           RecordConverter* converter = nullptr);

// Converts one stored record into the item being stored (ItemCode,
// ItemTicks, ItemAdjust, ItemDynamics, ItemBar, ItemChannel, ItemPitchBend,
// NoteIndex, and BeatUnit after a TEMPO item) for the slot at the cursor of
// CurrentTrack. Returns false for a record that is no valid item, after the
// "Error on adjustment" message where that applies.
bool ConvertRecord(Context& c, const TrackItemRecord& record);

// Converts records exactly as ConvertRecord does, remembering what the
// texts of each group of fields (Note, Octave and Duration; Adjustment and
// Dynamics; Bar; Channel and PitchBend) of a track file's record converted
// to, so that a text is converted once however many records hold it.
// Serves one run over records: the note-name tables and PowerOfTwo must
// not change while it is used.
class RecordConverter {
public:
    RecordConverter();
    ~RecordConverter();
    RecordConverter(const RecordConverter&) = delete;
    RecordConverter& operator=(const RecordConverter&) = delete;

    bool Convert(Context& c, const TrackItemRecord& record);
    // A record of a track file (a shorter text reads as if padded with
    // blanks).
    bool Convert(Context& c, std::string_view record);

    struct Memos; // the remembered conversions, defined with the converter

private:
    std::unique_ptr<Memos> m_;
};

} // namespace tnq
