// The initialization grid frmGrid1: its layout by port mode, the checks of
// an entry by column, the look-up lists, and the check of the whole grid
// before the piece is initialised from it.
#pragma once

#include "core/state.h"

#include <optional>
#include <string>
#include <vector>

namespace tnq {

// The cells: row r (0 heading, 1..NumTracks) and column c (0 the track
// number), as the grid holds them.
using GridCells = std::vector<std::vector<std::string>>;

// What a data column holds.
enum class GridColumn { Port, Channel, Primary, Instrument, Description };

// The columns of a mode: 5 (single port) or 6 (multiple ports).
int GridColumns(bool multiplePorts);
// The kind of data column col (1..GridColumns - 1).
GridColumn ColumnKind(int col, bool multiplePorts);
// The column of a kind; -1 for the port column in single-port mode.
int ColumnOf(GridColumn kind, bool multiplePorts);
// The column titles, column 0 first ("Track #", ...).
std::vector<std::string> GridHeadings(bool multiplePorts);

// An empty grid for s: the headings, the track numbers in column 0 and
// "--------" in every data cell of track 1.
GridCells EmptyGrid(const State& s, bool multiplePorts);

// The check of an entry left in a cell of kind: a whole number 0..9 for a
// port, 1..16 for a channel, 1..127 for an instrument (blanks around it
// allowed), Y or N in either case for Primary; a description is anything.
// The text the cell takes (canonical digits, Y or N), or nothing when the
// entry is refused.
std::optional<std::string> CheckGridEntry(GridColumn kind, const std::string& text);

// An entry in the channel column asks for the drum kits when its value is
// exactly 10, for the instruments otherwise.
bool WantsDrumKits(const std::string& text);

// The look-up lists, heading first.
std::vector<std::string> InstrumentLookupRows();
std::vector<std::string> DrumKitRows();

// A cell the piece cannot be initialised from: an entry that its column
// refuses, or a primary track without its channel, its instrument or (with
// several ports) its port. The first one in row order, with its message.
struct GridProblem {
    int Row = 0, Col = 0;
    std::string Message;
};
std::optional<GridProblem> FindGridProblem(const GridCells& cells, int numTracks,
                                           bool multiplePorts);

// The cell text at (row, col), "" outside the grid.
std::string CellText(const GridCells& cells, int row, int col);

} // namespace tnq
