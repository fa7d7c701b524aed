// Track files: one random-access file of 34-byte item records per track,
// record n = item n, the END record behind the last item. The main window's
// eight record boxes are the buffer every reader and writer goes through.
//
// Failures: TrackFileOpen, TrackFileOpen2, WriteItem and WriteEndRecord
// raise VbError with the classic number (52 file not open, 61 disk full,
// 70 permission denied, 76 piece directory missing, ...); every caller
// catches it in its own handler (Accept Item, the track box, the bulk edits,
// Initialize New File, the conversion, the legato and channel scans).
// ReadItem and StoreItemTimes report their own failures and tell the caller.
#pragma once

#include "core/context.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tnq {

inline constexpr std::size_t kRecordLength = 34;

// The fields of an item record, in record order, as texts.
struct TrackItemRecord {
    std::string Note, Octave, Duration, Adjustment, Dynamics, Bar, Channel, PitchBend;
    bool operator==(const TrackItemRecord&) const = default;
};

// Widths of the fields in record order: Note 5, Octave 1, Duration 10,
// Adjustment 4, Dynamics 3, Bar 4, Channel 2, PitchBend 5.
inline constexpr std::size_t kFieldWidths[8] = {5, 1, 10, 4, 3, 4, 2, 5};
// Where field f (0 = Note .. 7 = PitchBend; 8: the record's end) starts.
constexpr std::size_t RecordFieldAt(int f) {
    std::size_t at = 0;
    for (int i = 0; i < f; ++i) at += kFieldWidths[i];
    return at;
}

// Field f of a whole record, as stored (blanks kept).
inline std::string_view RecordField(std::string_view record, int f) {
    return record.substr(RecordFieldAt(f), kFieldWidths[f]);
}
// Puts text as field f of the record at `record`, as EncodeRecord stores a
// field: left-aligned, padded with blanks, cut to the field's width.
void PutRecordField(char* record, int f, std::string_view text);

// The item the insert procedures write into the room they open.
inline const TrackItemRecord kBlankItem{"", "", "", "0", "64", "", "", "0"};
// The record behind a track's last item: "END" and 31 blanks.
inline const TrackItemRecord kEndRecord{"END", "", "", "", "", "", "", ""};

// The 34 bytes of a record: each field left-aligned, padded with blanks,
// cut on the right when longer than its width. Bytes are kept as they are.
std::string EncodeRecord(const TrackItemRecord& record);
// The fields of 34 bytes as stored (blanks kept); a shorter text reads as if
// padded with blanks.
TrackItemRecord DecodeRecord(std::string_view bytes);
// Every field without its leading and trailing blanks.
TrackItemRecord Trimmed(const TrackItemRecord& record);
// The END record: the first three bytes of the Note field are "END".
bool IsEndRecord(std::string_view bytes);
// The items of a track file's bytes: the whole records before the first END
// record, or every whole record when there is none.
int ItemsBeforeEnd(std::string_view fileBytes);

// The record buffer: the eight boxes' texts as a record, and a record shown
// in them (each field trimmed, in record order).
TrackItemRecord BoxesRecord(const MainScreen& screen);
void ShowRecord(MainScreen& screen, const TrackItemRecord& record);

// Opens the file of CurrentTrack of the open piece as file 2 (File2Open),
// by its full path in the piece's own directory (PieceDirectory); a missing
// file reads as an empty track and is created by the first record written, a
// missing piece directory is error 76. File 2 is closed first, also when the
// open then fails, so no later write reaches the previous track.
void TrackFileOpen(Context& c);
// Opens the file of SourceTrack of the piece SourceTitle as file 3
// (File3Open), in PieceDirectoryFor(SourceTitle).
void TrackFileOpen2(Context& c);

// Opens track's file of the piece title (the open piece or another) as file
// 2 or 3 for reading only, creating nothing in that piece. Returns false,
// with that file closed, when the piece directory holds no file for the
// track; a missing piece directory is error 76.
bool OpenTrackForReading(Context& c, int fileNumber, const std::string& title, int track);

// File 2 or 3 of the state; error 52 for any other number.
RecordFile& TrackFile(State& s, int fileNumber);

// Reads record CurrentItem(CurrentTrack) of file 2 or 3 into the eight
// boxes, each trimmed. On failure (file not open, disk error, a record past
// the end of the file: error 62) shows "ReadDisk-Error <n> <text>", leaves
// the boxes as they were and returns false.
bool ReadItem(Context& c, int fileNumber);

// True when the record at CurrentItem(CurrentTrack) of file 2 or 3 is the
// END record or lies past the end of the file: where a scan of the track
// stops. Raises VbError when the file is not open or cannot be read.
bool AtTrackEnd(Context& c, int fileNumber);

// Writes the eight boxes' texts as record CurrentItem(CurrentTrack) of
// file 2. Marks the piece changed and the tables as needing recalculation.
void WriteItem(Context& c);
// Writes the END record as record ItemCount(CurrentTrack) + 1 of file 2;
// marks the piece changed and the tables as needing recalculation.
void WriteEndRecord(Context& c);

// Stores the item being stored (ItemCode, ItemTicks rounded halves up,
// ItemDynamics, ItemBar, ItemChannel, ItemPitchBend) at the cursor of
// CurrentTrack and advances the cursor. Storing into slot MaxItems shows the
// "Space Limitation" message and sets CapacityReached to -1 (the item stays
// stored); any run-time error shows the "Error" box, stores nothing and sets
// CapacityReached to -1. Returns false when it has set CapacityReached.
bool StoreItemTimes(Context& c);

// The slots of one track in NoteCode, ItemTime, ItemDyn, BarNo, ItemChan
// and ItemBend: slot n of the track is Code[n] .. Bend[n] for n in
// 0..Last, the bounds all six arrays share.
struct TrackSlots {
    Integer* Code = nullptr;
    Long* Time = nullptr;
    Integer* Dyn = nullptr;
    Integer* Bar = nullptr;
    Integer* Chan = nullptr;
    Integer* Bend = nullptr;
    int Last = -1;
    Integer* Cursor = nullptr; // the track's CurrentItem
};
// The slots of a track, found once for a run of stores into it; nothing
// when an array does not hold the track. They hold until the arrays are
// dimensioned again.
std::optional<TrackSlots> SlotsOf(State& s, int track);

namespace detail {
bool StoreItemTimesAt(Context& c, const TrackSlots& row);
} // namespace detail

// The item being stored, with its length in ticks, put into slot n (which
// the slots hold).
inline void PutItem(const State& s, const TrackSlots& row, int n, Long ticks) {
    row.Code[n] = s.ItemCode;
    row.Time[n] = ticks;
    row.Dyn[n] = s.ItemDynamics;
    row.Bar[n] = s.ItemBar;
    row.Chan[n] = s.ItemChannel;
    row.Bend[n] = s.ItemPitchBend;
}

// StoreItemTimes into the slots of CurrentTrack found beforehand, with the
// same results: one bounds check instead of one per array. Nearly every
// item (a whole length, a slot before the track's last) is stored here,
// inline; any other goes the whole way.
inline bool StoreItemTimes(Context& c, const TrackSlots& row) {
    State& s = c.s;
    const double ticks = double(s.ItemTicks);
    const int n = *row.Cursor;
    if (ticks >= -2147483648.0 && ticks <= 2147483647.0 && n >= 0 && n <= row.Last &&
        n < s.MaxItems && n < 32767) {
        const auto whole = static_cast<Long>(ticks);
        if (whole == ticks) {
            s.ItemTicks = static_cast<Single>(whole); // -0 becomes 0, as rounding gives
            PutItem(s, row, n, whole);
            *row.Cursor = static_cast<Integer>(n + 1);
            return true;
        }
    }
    return detail::StoreItemTimesAt(c, row);
}

// "MAXIMUM CAPACITY FOR TRACK <t> HAS BEEN REACHED. ..." with the critical
// icon, title "Space Limitation" (also shown by the insert procedures).
void ShowCapacityMessage(Context& c, int track);

} // namespace tnq
