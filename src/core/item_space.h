// Room and search on the current track at its cursor: blank items opened in
// the track file (file 2, or file 3 for the vertical copy), and the moves of
// the cursor to the first item of a bar or to the next item of a keyword.
// t = CurrentTrack, the cursor = CurrentItem(t), the count = ItemCount(t).
#pragma once

#include "core/context.h"

#include <optional>
#include <string>
#include <vector>

namespace tnq {

// The blank items a track can still take: a track holds at most
// MaxItems - 1 items (slot MaxItems stays free), as Accept Item keeps it.
int InsertCapacity(const State& s, int track);

// Track t lies in the allocated score (1..NumTracks).
bool TrackInScore(const State& s, int t);

// The bytes of records first..last of a track file, every one read before
// the caller writes any; error 62 when one lies past the end of the file.
std::vector<std::string> ReadTrackRecords(const RecordFile& f, int first, int last);
// The score slots of items first..last of track t moved shift places on
// (shift > 0) or back (shift < 0), in an order that overwrites none before
// it is moved. The slots behind the new last item (last + shift) read 0
// afterwards; after a move on, slots first..first + shift - 1 keep the
// values they had.
void MoveItemSlots(State& s, int t, int first, int last, int shift);

// A count typed into an input box: a whole number of at least 1 (blanks
// around it allowed), or nothing.
std::optional<int> CountAnswer(const std::string& text);

// Opens room for n blank items at the cursor of file 2: the items from the
// cursor to the last move n records on (in the file and in the score
// arrays), the n records from the cursor become blank items, the count
// grows by n, the END record follows and the track figures are redrawn.
// The cursor stays on the first blank item; the score slots of the blanks
// keep their former values until items are stored there. Returns true when
// the room was made. Changes nothing and returns false when n is below 1,
// when the cursor lies outside 1..count + 1, and (after the "Space
// Limitation" message) when count + n would reach MaxItems. Every record
// moved is read before the first is written: a track file shorter than its
// count raises error 62 with the file unchanged. Write failures raise
// VbError.
bool InsertSpace(Context& c, int n);

// The same on the track file open as file 3, for the count and score of t;
// its END record carries "0" in the pitch-bend field and the piece is not
// marked changed.
bool InsertSpaceTarget(Context& c, int n);

// F11 in the bar box: asks "How may items ?" (title "Insert Items") and
// opens room for that many blank items in the current track's file (file 2
// reopened when it holds another track). Does nothing when the cursor lies
// behind the last item or the file is empty. When an item from the cursor on
// takes off the length of items before the cursor, nothing is asked:
// ShowDashInTheWay ("inserted", title "Insert Items"). An empty answer ends; an answer
// that is no whole number of at least 1 is asked again; more than the track
// can take shows the "Space Limitation" message and ends. A count carried
// out starts the insert run (InsertRemaining) and empties the bar and note
// boxes. Raises VbError when the track file fails.
void InsertItems(Context& c);

// Moves the cursor to the first item of bar ItemBar: an item of the bar
// counts when an item of another, non-zero bar came before it in the scan
// (bar 1 counts at once). The scan starts at the cursor (item 1 behind the
// last item), wraps once to item 1 and ends at its start. Found (also when
// the scan started inside the bar and found no other start): the item box,
// the track box and the record boxes show the item at the cursor; returns
// 0. Not found: "Bar number <b> on Track <t> not found" (title "Find Bar"),
// the cursor stays; returns 1. Uses PreviousBar, FoundBar, Scratch ("1"
// when the scan passed through the wanted bar) and SpanFirst/SpanLast
// (0, 0) for the scan position and its start.
int LocateBar(Context& c);

// Moves the cursor to the next item whose note text is Scratch, wrapping
// once at the END record (or behind the last item); the item the search
// starts on is never matched. Found: the item box shows the cursor as Str$
// writes it (with its leading blank), the record boxes the item. Not found:
// "No '<key>' was found on this track" (title "Find next '<key>'"); the
// cursor is back on its start, or on the END record when the search began
// at item 1, and the boxes show the record there.
void LocateNote(Context& c);

// Before a search of the current track: file 2 is that track's file, opened
// afresh so that it reads what the file holds now (or what the open change
// made of it). Raises VbError when the file cannot be opened.
void UseCurrentTrackFile(Context& c);

// After a search or scan: the track box names CurrentTrack, the item box
// shows itemText and the record boxes the record at the cursor, so that the
// next Accept Item writes what the screen shows where it shows it. A cursor
// behind the last item keeps the boxes' texts (they are the next item's).
// Returns false when the record cannot be read (ReadItem's message).
bool ShowCursorItem(Context& c, const std::string& itemText);

} // namespace tnq
