// The special-item picker frmNoteOptions (F7 in the note box): its rows,
// the keyword OK hands back for the selected row, and where it is placed.
#pragma once

#include "platform/placement.h"

#include <optional>
#include <string>

namespace tnq {

// One row of the picker: its option button (control name and caption, an
// ampersand before the access key), the explanation beside it, and the
// keyword OK hands back ("" for a row that cannot be chosen).
struct NoteOption {
    const char* Control;
    const char* Caption;
    const char* Explanation;
    const char* Keyword;
};

inline constexpr int kNoteOptionRows = 16;
// Rows 1..16 from the top (index 0 is row 1). Row 16, NRPN1, is switched
// off and cannot be chosen.
extern const NoteOption kNoteOptions[kNoteOptionRows];
inline constexpr int kNoteOptionsDisabledRow = 16;

// The keyword of the selected row (1..16), nothing when no row is
// selected (0) or the row cannot be chosen: OK then does nothing.
std::optional<std::string> NoteOptionsKeyword(int selectedRow);

// Centred on the screen, moved 1000 twips to the right; scaled from there
// when the screen is not 640 pixels wide and resolution is not 0.
void PlaceNoteOptions(PlaceableForm& form, const ScreenMetrics& screen, int resolution);

} // namespace tnq
