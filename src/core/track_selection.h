// The track-selection dialog frmTrackSel: the tracks a command works on,
// left in SelectedTracks ("1" chosen, "0" not, one character per track).
// Commands see it through TrackSelectionDialog; its rules (All Tracks,
// Except, Clear Selection, OK, Cancel, activation and geometry) are plain
// logic here, and the form only shows the marks they keep.
#pragma once

#include "core/context.h"

#include <array>
#include <string>

namespace tnq {

inline constexpr const char* kTrackSelCaption = "Select Tracks";

// What a command sees of the dialog.
class TrackSelectionDialog {
public:
    virtual ~TrackSelectionDialog() = default;
    // Shows the dialog modally. Afterwards SelectedTracks holds NumTracks
    // characters: the choice after OK, all "0" after Cancel or the close box.
    virtual void Show(Context& c) = 0;
    // The caption: Suppress and Reinstate show theirs and put
    // kTrackSelCaption back afterwards; the dialog never changes it itself.
    virtual void SetCaption(const std::string& caption) = 0;
};

// The marks of the dialog's boxes and the rules that keep SelectedTracks
// (and, on one path of OK, ActiveTracks) in step with them. Setting a box
// from code runs its click rule exactly as a user's click does.
class TrackSelRules {
public:
    static constexpr int kBoxes = 96; // chkTrack(1..96); chkTrack(0) is "All Tracks"

    bool Track(int i) const { return track_.at(static_cast<std::size_t>(i)); }
    bool Except() const { return except_; }
    bool Clear() const { return clear_; }
    Integer AllTracksTicked() const { return allTracksTicked_; }

    // A change of chkTrack(i) (0..96), by the user or by code: the mark
    // changes and, when it did, the box's click rule runs.
    void SetTrack(State& s, int i, bool ticked);
    // chkExcept has no rule of its own.
    void SetExcept(bool ticked) { except_ = ticked; }
    // Ticking chkClear clears the selection and every mark, its own too.
    void SetClear(State& s, bool ticked);

    // Each showing: SelectedTracks rebuilt from the marks left by the
    // previous use.
    void Activate(State& s);
    // OK: with All Tracks and Except ticked, every track but the ticked
    // ones, and no track suppressed; otherwise the selection as it stands.
    void OK(State& s);
    // Cancel (and the close box): no track selected.
    void Cancel(State& s);

private:
    void TrackClick(State& s, int i);

    std::array<bool, kBoxes + 1> track_{};
    bool except_ = false;
    bool clear_ = false;
    Integer allTracksTicked_ = 0;
};

// Geometry of the dialog for a number of tracks, in twips: only the
// columns of sixteen boxes that the tracks need show (at least two).
struct TrackSelGeometry {
    int Columns = 2;
    int FormWidth = 0, FormLeft = 0, FormTop = 0;
    int AllTracksLeft = 0; // Clear Selection and All Tracks
    int ExceptLeft = 0;
    int ButtonsLeft = 0; // OK and Cancel
};
TrackSelGeometry TrackSelGeometryFor(int numTracks);

// Design place of chkTrack(i), i = 1..96, in twips: six columns of sixteen.
struct TwipsBox {
    int Left, Top, Width, Height;
};
TwipsBox TrackBoxPlace(int i);

} // namespace tnq
