// The Play menu's commands on track lengths and suppression: Check Tracks
// for Balance, Balance Tracks, Suppress and Reinstate.
#pragma once

#include "core/context.h"
#include "core/track_selection.h"
#include "midifile/make_mid.h"

#include <optional>
#include <string>

namespace tnq {

// mnuPlyMusic_Click, "&Check Tracks for Balance": recalculates every track,
// shows each track's total (a suppressed track "0"), applies the balance
// rule of the modified writer and reports "Tracks out of balance" or
// "Tracks are in balance". In balance with no track suppressed, RecalcDone
// becomes -1 so that the next writer skips its recalculation once.
// Without an open piece: NoFileOpenMsg. A failed recalculation stops the
// command after its own message, before any figure is shown, RecalcDone 0.
// True when the piece is in balance.
bool CheckTracksForBalance(Context& c, const RecalculateFn& recalc = Recalculate);

// What the user entered in frmBalance, the texts as typed.
struct BalanceEntry {
    bool ByItem = false; // From and To are item numbers of the one active track
    std::string From, To;
    std::string Repeats = "1";
    std::string BeatValue = "q";
    std::string StartingBeat, NoBeats;
};

// Why frmBalance's OK does not accept, in the order the boxes are checked.
enum class BalanceRefusal {
    None,         // accepted
    NoTrack,      // By Item without an active track: OK does nothing
    SecondTrack,  // By Item with two active tracks: ItemSelectionWarning
    Repeats,      // not a number from 1 to 4: focus back to the box
    BeatValue,    // not one letter of "xwhqestzy": focus back
    StartingBeat, // not a number: focus back
    NoBeats,      // not a number: focus back
};
// The checks of frmBalance's OK on SelectedTracks and the entry. An empty
// Starting Beat or No. of Beats box accepts without looking at the beat
// boxes.
BalanceRefusal CheckBalanceEntry(const State& s, const BalanceEntry& e);

// frmBalance. Show is modal: DialogResult is "okay" after OK and "" after
// Cancel; the entry is returned after OK only.
class BalanceDialog {
public:
    virtual ~BalanceDialog() = default;
    virtual std::optional<BalanceEntry> Show(Context& c) = 0;
};

// mnuPlyBalance_Click, "&Balance Tracks...": the active tracks are chosen
// (SelectedTracks := ActiveTracks), frmBalance asks for the range, and each
// track row shows the ticks of the notes and rests of its active track
// within it ("0" for suppressed and empty tracks). By Bar the range is
// validated on every active track (its message ends the command) and
// narrowed to the beats when a number of beats is given; By Item it is the
// items From to To of the one active track, as far as the track has them
// (the repeat number plays no part). Without an open piece: NoFileOpenMsg.
// True when the figures were shown.
bool BalanceTracks(Context& c, BalanceDialog& dialog);

// mnuPlySuppress_Click (suppress true) and mnuPlyReinstate_Click: the
// track-selection dialog, captioned "Suppress" or "Reinstate", marks the
// chosen tracks suppressed or active; its caption is put back afterwards.
// Without an open piece: NoFileOpenMsg.
void SuppressTracks(Context& c, TrackSelectionDialog& tracks, bool suppress);

// Sets character t of ActiveTracks to mark ('0' suppressed, '1' active) for
// every track SelectedTracks chooses; the others keep their state.
void MarkSelectedTracks(State& s, char mark);

} // namespace tnq
