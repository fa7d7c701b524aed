// Copying runs of items: the transposition of one item, the reading of a
// source run into memory and the two copy workers that write it into a
// destination track at its cursor, by ADD (after the last item), REPLACE
// (over the items from the cursor on) or INSERT (room opened at the cursor).
//
// The whole source run, its records and (from the open piece) its numbers
// in the score arrays, is read before anything is written, so a run copied
// onto its own track, or onto tracks it is read from, copies what the
// source held when the copy began.
#pragma once

#include "core/context.h"
#include "core/track_files.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tnq {

// Texts of the transposition lists and what their entries mean: the pitch
// list gives semitones (entries 0..11 up, 12..22 down), the octave list
// octaves (1..7 up, 8..14 down).
inline constexpr int kPitchEntries = 23;
inline constexpr int kOctaveEntries = 15;
extern const char* const kPitchTexts[kPitchEntries];
extern const char* const kOctaveTexts[kOctaveEntries];
int SemitonesOf(int pitchIndex);
int OctavesOf(int octaveIndex);

// The note name's position 1..12 in NoteSharp, else in NoteFlat (sharp
// false), 0 when it is in neither.
int NotePosition(const State& s, std::string_view note, bool* sharp = nullptr);

// A note (trimmed) and an octave text transposed by CopySemitones and
// CopyOctaves: a note name moves by the semitones in its own spelling
// (naturals are spelled sharp), carrying into the octave; the octaves are
// added to every item's octave (a text that is no number counts 0); an
// octave left outside 0..8 is brought back by 8 (9 -> 1, -1 -> 7). Note
// views the note given or an entry of NoteSharp or NoteFlat.
struct TransposedPitch {
    std::string_view Note;
    int Octave = 0;
};
TransposedPitch TransposePitch(const State& s, std::string_view note, std::string_view octave);

// Transposes a record's note and octave by TransposePitch: the note is
// written trimmed, the octave as its plain number ("" -> "0").
void Transpose(const State& s, TrackItemRecord& record);
// The score's note code of a copied item: the source's code, recomputed
// from the transposed record when it is a note and a transposition applies.
Integer TransposedCode(const State& s, const TrackItemRecord& transposed, Integer sourceCode);
Integer TransposedCode(const State& s, std::string_view note, double octave, Integer sourceCode);

// One item of a source run: its record's bytes as stored and, when it comes
// from the open piece, its numbers in the score arrays.
struct CopiedItem {
    std::array<char, kRecordLength> Bytes{};
    Integer Code = 0;
    Long Ticks = 0;
    Integer Dynamics = 0;
    Integer Bend = 0;
    // Field f of the record (0 = Note .. 7 = PitchBend) without its leading
    // and trailing blanks.
    std::string_view Field(int f) const;
};

// Items first..last of track of piece title, read from its track file
// opened for reading only (file 3, closed again), with their numbers when
// title is the open piece. Nothing when the run reaches the END record or
// the end of the file, when first is below 1, or when the file is missing.
std::optional<std::vector<CopiedItem>> ReadCopySource(Context& c, const std::string& title,
                                                      int track, int first, int last);

// The items before the END record of track of piece title (the open piece:
// its item count).
int SourceItemCount(Context& c, const std::string& title, int track);

// How a worker writes: bars kept and shifted by BarOffset, or all "1";
// every item's own channel, or one channel text for all.
struct CopyRules {
    bool KeepBars = true;
    int BarOffset = 0;
    std::optional<std::string> Channel;
};

enum class CopyResult {
    Copied,  // every item written
    Stopped, // a full track stopped the copy (told); what was written stays
    Refused, // nothing written (told)
};

// Writes items into CurrentTrack from its cursor (file 2 open on it) by
// CopyMode, transposed, with bars and channels by rules; from the open piece
// (SourceTitle = PieceTitle) the score arrays follow item by item, otherwise
// only the item count does (the caller recalculates). A bar that would leave
// 0..9999 refuses the copy before the first write. A track holds at most
// MaxItems - 1 items: INSERT opens its room all at once or not at all, ADD
// and REPLACE stop at the item that would pass it ("Space Limitation").
// The item count, the END record and the track figures follow what was
// written; the cursor ends behind the last item written.
CopyResult WriteCopy(Context& c, const std::vector<CopiedItem>& items, const CopyRules& rules);

// Copy a Section and Copy by Item: RangeTo items from item RangeFrom of
// track SourceTrack of piece SourceTitle into CurrentTrack at its cursor.
// While MenuMode is "mnuEdtCopy" bars are shifted by CopyOffset and items
// keep their channels; otherwise (Copy by Item) bars are shifted by
// CopyOffset when CopyBarNumbers is "Y" and are "1" otherwise, and every
// item gets CopyChannel. A run that does not lie within the source track
// is refused silently.
CopyResult DoCopy(Context& c);

// Whether Vertical Copy writes an item of its source run: all but TEMPO and
// METER items.
bool KeptInVerticalCopy(const CopiedItem& item);

// Vertical Copy into CurrentTrack at its cursor: the source run without its
// TEMPO and METER items, bars shifted by CopyOffset, every item with the
// channel of the item before the cursor (at item 1: the track's number, 16
// above 16). Room for INSERT is exactly the items written; a run with none
// writes nothing.
CopyResult DoVerticalCopy(Context& c, const std::vector<CopiedItem>& source);

} // namespace tnq
