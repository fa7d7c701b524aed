// Rests: "Set aTrac&k to Rests" silences one whole track, and "Set &Up Rests
// for Tempos, PB, CC" replaces a bar range of the chosen tracks by an even
// grid of rests, the places where the tempo and controller series put their
// items. The grid's way of replacing a range (room opened in the track, the
// channel taken from the item before it) is shared by the two-note pattern.
#pragma once

#include "core/context.h"
#include "core/track_files.h"
#include "core/track_selection.h"

#include <functional>
#include <string>
#include <vector>

namespace tnq {

// ---- Fields of the grid dialogs ---------------------------------------------

// Where OK stops: None = every check passed; Silent = OK does nothing;
// otherwise the field that gets the focus.
enum class GridField { None, Silent, Value, PerBar, Note1, Note2, Octave1, Octave2 };

// The note value of every item of a grid ("q", "q.", "e3"): its first
// letter is lower-cased in text; then it must be a letter of "xwhqestzy",
// either alone, with one dot, or followed by a divisor, and a duration the
// recalculation takes.
bool GridValueOK(std::string& text);
// The number of items per bar: a number from 0 to 32767 (0 deletes the
// range and writes nothing).
bool PerBarOK(const std::string& text);

// ---- Replacing a span by a grid ---------------------------------------------

// The item at position k (0, 1, ...) of its bar, in bar bar, on channel
// channel (text).
using GridItem = std::function<TrackItemRecord(int k, int bar, const std::string& channel)>;

// Replaces items RangeFrom..RangeTo of CurrentTrack (file 2 open on it) by
// (lastBar - firstBar + 1) x perBar items, perBar to a bar from firstBar on.
// While MenuMode is "mnuEdtCC", a METER item first in the span of track 1
// stays in front of them. The channel is that of the item before them when
// it holds one of 1..16, else the track number (16 at most).
//
// A track that cannot hold the new items keeps its range: the "Space
// Limitation" message, nothing changed. A perBar below 0 changes nothing.
// Returns true when the span was replaced (perBar 0: deleted).
bool ReplaceSpanWithGrid(Context& c, int firstBar, int lastBar, int perBar, const GridItem& item);

// A command that replaces the bar range of every chosen track by a grid.
struct GridCommand {
    std::string MenuMode, Progress;
    // The title of its messages.
    std::string Title;
    // Shows the dialog modally; false on Cancel.
    std::function<bool(Context&)> ShowDialog;
    // After OK: the From Bar, To Bar and items-per-bar texts.
    std::function<std::vector<std::string>()> Texts;
    // After OK: the items of the grid.
    std::function<GridItem()> Items;
};
// Runs a grid command through the edit frame; the tracks are recalculated
// afterwards. A range that holds items a later dash adjustment takes off
// the length of is refused before any track is changed (ShowDashInTheWay,
// "replaced"). Returns true when every chosen track was visited.
bool RunGridCommand(Context& c, TrackSelectionDialog& tracks, const GridCommand& cmd);

// ---- Set Up Rests for Tempos, PB, CC ----------------------------------------

// The boxes of frmCCPrep, as typed.
struct CCPrepTexts {
    std::string FromBar, ToBar, RestValue, RestsPerBar;
};

// The OK checks of frmCCPrep, in screen order: From Bar and To Bar (silent),
// Rest Value (its first letter lower-cased in t), # Rests per Bar.
GridField CCPrepOK(CCPrepTexts& t);

class CCPrepDialog {
public:
    virtual ~CCPrepDialog() = default;
    // Shown modally; true after a valid OK.
    virtual bool Show(Context& c) = 0;
    virtual CCPrepTexts Texts() const = 0;
};

// The rest record of the grid: "R", octave "0", the rest value, adjustment
// "0", dynamics "0", the bar, the channel, pitch bend "0".
TrackItemRecord GridRest(const std::string& restValue, int bar, const std::string& channel);

// "Set &Up Rests for Tempos, PB, CC": bars From..To of every chosen track
// become # Rests per Bar rests of Rest Value per bar. Off track 1 the range
// must hold rests only. Returns true when every chosen track was visited.
bool SetUpRests(Context& c, TrackSelectionDialog& tracks, CCPrepDialog& dialog);

// ---- Set a Track to Rests ---------------------------------------------------

// "Set aTrac&k to Rests": after "Okay to continue ?", every note of the one
// chosen track becomes a rest of its length (dynamics and pitch bend "0"),
// every keyword item and every item without length is deleted, but for a
// TEMPO item that changes the beat unit in force (its unit is not the one
// then holding): it stays, so every length after it keeps its meaning and the
// track its timing. So does an item a later dash adjustment looks at (a
// note without length among them becomes a rest). The score is kept in
// step item by item. Returns true when the track was done.
bool SetTrackToRests(Context& c, TrackSelectionDialog& tracks);

} // namespace tnq
