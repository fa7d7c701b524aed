// Bar ranges across tracks: a passage named by bar numbers (RangeFrom to
// RangeTo, occurrence Repeats of that range, optionally narrowed to
// NumberOfBeats beats from beat StartingBeat) turned into one item span per
// selected track, SpanFirst/SpanLast(track, occurrence), and the walk over
// the tracks that hold a span.
//
// How a bulk command uses them: its dialog fills RangeFrom, RangeTo,
// Repeats, StartingBeat, NumberOfBeats and BeatTicks; it validates
// (ValidateBarNumbers, or ValidateBarNumbers2 when copying from another
// piece) and stops on false; when beats were given it narrows the spans
// (SpanSelectedBars with file 2, or 3 for another piece) and stops on false;
// then it sets CurrentTrack to 0, RepeatCounter to Repeats and Scratch to ""
// and calls TrackNext until Scratch is "end", working on items
// RangeFrom..RangeTo of file 2 after each call. RangeFrom and RangeTo hold
// bar numbers before the first TrackNext and item numbers after it.
#pragma once

#include "core/context.h"

namespace tnq {

// Titles of the validation messages.
inline constexpr const char* kValidateTitle = "Validate Bar Numbers";
inline constexpr const char* kRestsOnlyTitle = "CC and PB Prep";

// Finds the spans of occurrences 1..Repeats of bars RangeFrom..RangeTo in
// the score arrays of the open piece, for every track selected in
// SelectedTracks that has items. Occurrence n is searched from the item
// after the span of occurrence n - 1; a span runs from the first item of
// bar RangeFrom to the last item before the first bar above RangeTo (or to
// the track's last item), and its bar numbers never decrease. While MenuMode
// is "mnuEdtCC", every item of a span off track 1 must be a rest.
//
// Returns true when every span was found. At the first fault it shows its
// message ("Bar number <b> Track <t> not found", "Bar number <b> Item  <i>
// Track <t> invalid", "Selection must contain only rests") and returns
// false; the spans found so far are left in the arrays. A Repeats outside
// 1..4 or an unallocated score is reported as a run-time error.
bool ValidateBarNumbers(Context& c);

// The same on the piece SourceTitle, reading each selected track's file
// (SourceTrack := the track, opened read-only as file 3; the piece is not
// changed). A track without items in that piece is skipped. Items are read
// through the record boxes, so the boxes hold the last record read and the
// open piece's CurrentItem of each visited track points at it. The walk ends
// at the END record or at the end of a file that has none.
bool ValidateBarNumbers2(Context& c);

// Narrows the span of occurrence Repeats of every track to NumberOfBeats
// beats from beat StartingBeat (0 counts as 1), counted in beats of the note
// value BeatTicks from the span's first item: the span then starts with the
// item sounding when beat StartingBeat begins (the item after the one that
// ends exactly there) and ends with the item in which beat
// StartingBeat + NumberOfBeats - 1 is completed. Keyword items and items
// whose duration does not parse take no time. A track whose items run out
// before the last beat keeps its span's end; one whose items end before beat
// StartingBeat gets no span. fileNumber 2 reads the open piece's tracks, 3
// the tracks of SourceTitle (each opened read-only in turn).
//
// Moves CurrentTrack and RepeatCounter and leaves "end" in Scratch. Returns
// false after a message when a track cannot be read.
bool SpanSelectedBars(Context& c, int fileNumber);

// Steps CurrentTrack on to the next track with a span in occurrence
// Repeats, sets RangeFrom/RangeTo to that span and opens the track's file as
// file 2: the open piece's, or, while MenuMode is "mnuEdtCopy" or
// "mnuEdtVertical", that of the piece SourceTitle copied from, opened for
// reading only. Sets Scratch to "end" when no track is left (CurrentTrack
// then 1, RepeatCounter Repeats + 1). Raises VbError when the file cannot be
// opened or the spans are not allocated.
void TrackNext(Context& c);

} // namespace tnq
