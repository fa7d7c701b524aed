// The copy commands: Copy a Section and Vertical Copy of the Edit menu
// (bar ranges, through the edit command frame) and Copy by Item (F8 in the
// bar box: a counted run of items to the current track at its cursor), and
// the checks their dialogs make on OK.
#pragma once

#include "core/context.h"
#include "core/track_selection.h"

#include <optional>
#include <string>

namespace tnq {

// ---- Copy by Bar ------------------------------------------------------------

// The boxes of the Copy by Bar dialog, as typed.
struct CopyByBarTexts {
    std::string Title, FromBar, ToBar, BeatValue, StartingBeat, NoBeats, AtBar, Offset;
};

// The Copy by Bar dialog as the commands see it.
class CopyByBarDialog {
public:
    virtual ~CopyByBarDialog() = default;
    // Shown modally, captioned by MenuMode; true after a valid OK, which
    // has stored CopyMode, SourceTitle, CopySemitones and CopyOctaves.
    virtual bool Show(Context& c) = 0;
    // The boxes' texts after it was shown.
    virtual CopyByBarTexts Texts() const = 0;
};

// Where OK stops: None = every check passed; Silent = OK does nothing;
// otherwise the field that gets the focus.
enum class CopyField {
    None, Silent, Title, BeatValue, StartingBeat, NoBeats, Offset, Channel, Track, Item, NoItems
};

// The destination options: "ADD", "INSERT", "REPLACE", or "" for none.
// The OK checks of Copy by Bar, in screen order: an option ("No option
// selected"), the title (another piece must exist: "File  <title>does not
// exist", title "Validate File Name"), From Bar and To Bar, At Bar 0..9999
// unless ADD, a numeric Bar No. Offset that keeps bars From..To inside
// 0..9999, then the beat fields. Stores CopyMode, SourceTitle,
// CopySemitones and CopyOctaves as it goes.
CopyField CopyByBarOK(Context& c, const std::string& mode, const CopyByBarTexts& t,
                      int pitchIndex, int octaveIndex);

// The piece a typed title names: the open piece, or an existing piece whose
// title New would take. Otherwise "File  <title>does not exist" (title
// "Validate File Name") and nothing.
std::optional<std::string> CheckSourceTitle(Context& c, const std::string& typed);

// "&Copy a Section...": the bars of every chosen track, from the open piece
// or the piece SourceTitle, copied into the same track of the open piece.
// Returns true when every chosen track was visited. Before the first track
// is written the copy of every track is checked for dash adjustments
// (SectionClearOfDashes); one in the way is told and nothing is copied.
bool CopySection(Context& c, TrackSelectionDialog& tracks, CopyByBarDialog& dialog);

// "&Vertical Copy": the bars of one track (asked for first) copied into
// every chosen track. The source run is read once, before any track is
// written, and checked for dash adjustments against every destination
// (VerticalClearOfDashes) before the first is written.
bool VerticalCopy(Context& c, TrackSelectionDialog& tracks, CopyByBarDialog& dialog);

// ---- Copy by Item -----------------------------------------------------------

// The boxes of the Copy by Item dialog, as typed.
struct CopyByItemTexts {
    std::string Title, Track, Item, NoItems, Offset, Channel;
    bool BarNumbers = false;
};

// Whether the current track's cursor stands behind its last item: Add is
// the only option there, Insert and Replace the options elsewhere.
bool CursorAtTrackEnd(const State& s);

// The OK checks of Copy by Item, in screen order: an option, the channel
// 1..16 ("Enter a destination Channel Number (1-16)", title "Copy by
// Item"), the title, the offset when bar numbers are copied (-9999..9999),
// the track 1..NumTracks, Item from 1 and No. of Items from 1 with the run
// inside the source track (up to its END record, also in another piece).
// Stores CopyChannel, CopyMode, SourceTitle, CopyBarNumbers, CopyOffset,
// SourceTrack, RangeFrom, RangeTo (the count), CopySemitones, CopyOctaves.
CopyField CopyByItemOK(Context& c, const std::string& mode, const CopyByItemTexts& t,
                       int pitchIndex, int octaveIndex);

// The copy after a valid OK: into the current track at its cursor (file 2
// reopened on it when needed). A copy from another piece, and one a full
// track stopped, is followed by the recalculation of the current track,
// which keeps its cursor behind the last item copied. Returns false when
// nothing could be copied, also when a dash adjustment stands in the way
// (ItemCopyClearOfDashes).
bool CopyByItem(Context& c);

} // namespace tnq
