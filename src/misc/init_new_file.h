// Initialize New File: from the settings dialog and the initialization
// grid, a new piece gets its descriptions file, seven opening controller
// and program items on every primary track, a port item on every track in
// multiple-port mode, and optionally a printed set-up sheet; the piece is
// then marked initialised.
#pragma once

#include "core/context.h"
#include "core/track_files.h"
#include "misc/init_grid.h"
#include "misc/settings.h"

#include <string>
#include <vector>

namespace tnq {

// frmGrid1 as the command sees it: shown modally for the state's piece and
// port mode, it sets DialogResult ("okay" after Initialize File, "" after
// Cancel) and keeps its cells for reading afterwards.
class InitGridDialog {
public:
    virtual ~InitGridDialog() = default;
    virtual void Show(Context& c) = 0;
    virtual GridCells Cells() const = 0;
};

// The dialogs the command shows.
struct InitDialogs {
    SettingsDialog& Settings;
    InitGridDialog& Grid;
};

// The command. The sheet goes to c.printer after the print dialog (a
// cancelled or failed dialog prints nothing; a printer failure is reported
// and the command goes on). Whether a track already holds items is taken
// from its track file: a track whose file holds another count than the
// score is recalculated first. Room for the opening items of a track that
// holds items is opened item by item; when the track cannot take them
// (Space Limitation) its remaining opening items are not written, so no
// stored item is overwritten.
void mnuMiscInit_Click(Context& c, InitDialogs dialogs);

// ---- The set-up sheet --------------------------------------------------

// Pages per copy: 1 up to 32 tracks, 2 up to 64, else 3.
int SheetPages(int numTracks);

// The heading line of a page.
std::string SheetHeading(const State& s);

// Row n of the sheet (1..offset + 32); lastChannel is the last channel
// printed, carried from row to row.
std::string SheetRow(const State& s, const GridCells& cells, int n, int& lastChannel);

// Prints one page (offset 0, 32 or 64) on printer.
void PrintSheetPage(const State& s, Printer& printer, const GridCells& cells, int offset,
                    int& lastChannel);

// The opening items of a primary track (Note, Octave, Duration, Adjustment,
// Dynamics, Bar, Channel, PitchBend each).
std::vector<TrackItemRecord> OpeningItems(const std::string& channel,
                                          const std::string& instrument);

} // namespace tnq
