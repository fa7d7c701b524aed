// The settings dialog frmMisc as the commands see it, and the rules its form
// follows: the boxes filled from the program state at every showing, and OK
// storing them (resolution, description, tracks, items per track, and the
// three "Default for all titles" settings).
#pragma once

#include "core/context.h"

#include <string>

namespace tnq {

// The boxes of the dialog, as typed (program's one-byte encoding).
struct SettingsBoxes {
    std::string Actsen, Description, Tracks, Nts;
    bool DefaultActsen = false, DefaultTracks = false, DefaultNts = false;
    bool operator==(const SettingsBoxes&) const = default;
};

// frmMisc, shown modally; it sets no result.
class SettingsDialog {
public:
    virtual ~SettingsDialog() = default;
    virtual void Show(Context& c) = 0;
};

// The boxes at a showing: the numbers with their leading blank (" 480"), a
// default box ticked when its number equals the stored default, and the
// description, which becomes "System default settings" without a piece and
// "Settings for <title>" for an open piece without one (PieceDescription
// takes that text).
SettingsBoxes SettingsShowing(State& s);

// Where OK stopped: the box that takes the focus back, or None when the
// values are stored and the dialog closes.
enum class SettingsFocus { None, Actsen, Tracks, Nts };

// OK. Every box is checked before anything changes: the tracks box must
// hold a whole number 1..96, the PPQN box 1..32767 and the items box
// 1..32766 (for an open piece also above the longest track's items, so
// that the piece can be opened again). Then: the resolution, the
// description, the items per track (the score grows keeping its items when
// a piece is open and the track count stays), the track count (descriptions
// kept when it grows, emptied when it shrinks; the message "A Recalc may
// have to be run, ..."; the score allocated afresh and, for an open piece,
// rebuilt from the track files), the ticked defaults written as plain
// digits, and PieceChanged := 1.
SettingsFocus SettingsOK(Context& c, const SettingsBoxes& b);

} // namespace tnq
