// The initialization grid's rules.
#include "misc/init_grid.h"

#include "core/edit_fields.h"
#include "core/instrument_lists.h"
#include "platform/vb.h"

#include <algorithm>

namespace tnq {

namespace {

constexpr GridColumn kSingle[] = {GridColumn::Channel, GridColumn::Primary, GridColumn::Instrument,
                                  GridColumn::Description};
constexpr GridColumn kMultiple[] = {GridColumn::Port, GridColumn::Channel, GridColumn::Primary,
                                    GridColumn::Instrument, GridColumn::Description};

const char* KindTitle(GridColumn kind) {
    switch (kind) {
    case GridColumn::Port:
        return "Port #";
    case GridColumn::Channel:
        return "Channel #";
    case GridColumn::Primary:
        return "Primary Y/N";
    case GridColumn::Instrument:
        return "Instrument #";
    case GridColumn::Description:
        return "Description";
    }
    return "";
}

std::optional<std::string> Whole(const std::string& text, int lo, int hi) {
    const std::optional<int> v = TrimmedWholeNumber(text, lo, hi);
    if (!v) return std::nullopt;
    return NumberText(*v);
}

} // namespace

int GridColumns(bool multiplePorts) {
    return multiplePorts ? 6 : 5;
}

GridColumn ColumnKind(int col, bool multiplePorts) {
    if (multiplePorts) return kMultiple[std::clamp(col, 1, 5) - 1];
    return kSingle[std::clamp(col, 1, 4) - 1];
}

int ColumnOf(GridColumn kind, bool multiplePorts) {
    for (int col = 1; col < GridColumns(multiplePorts); ++col)
        if (ColumnKind(col, multiplePorts) == kind) return col;
    return -1;
}

std::vector<std::string> GridHeadings(bool multiplePorts) {
    std::vector<std::string> titles{"Track #"};
    for (int col = 1; col < GridColumns(multiplePorts); ++col)
        titles.push_back(KindTitle(ColumnKind(col, multiplePorts)));
    return titles;
}

GridCells EmptyGrid(const State& s, bool multiplePorts) {
    const int cols = GridColumns(multiplePorts);
    GridCells cells(static_cast<std::size_t>(std::max<int>(s.NumTracks, 0)) + 1,
                    std::vector<std::string>(static_cast<std::size_t>(cols)));
    cells[0] = GridHeadings(multiplePorts);
    for (int r = 1; r <= s.NumTracks; ++r) {
        cells[static_cast<std::size_t>(r)][0] = std::to_string(r);
        if (r == 1)
            for (int col = 1; col < cols; ++col)
                cells[1][static_cast<std::size_t>(col)] = "--------";
    }
    return cells;
}

std::optional<std::string> CheckGridEntry(GridColumn kind, const std::string& text) {
    switch (kind) {
    case GridColumn::Port:
        return Whole(text, 0, 9);
    case GridColumn::Channel:
        return Whole(text, 1, 16);
    case GridColumn::Instrument:
        return Whole(text, 1, 127);
    case GridColumn::Primary: {
        const std::string up = UCase(text);
        if (up == "Y" || up == "N") return up;
        return std::nullopt;
    }
    case GridColumn::Description:
        return text;
    }
    return std::nullopt;
}

bool WantsDrumKits(const std::string& text) {
    return IsNumeric(text) && Val(text) == 10;
}

std::vector<std::string> InstrumentLookupRows() {
    std::vector<std::string> rows{"Instruments"};
    for (std::string& r : ProgramListRows()) rows.push_back(std::move(r));
    return rows;
}

std::vector<std::string> DrumKitRows() {
    return {"Drum Kits",      "Standard GM #1", "Room #9",       "Power #17",
            "Electronic #25", "TR-808 #26",     "Jazz #33",      "Brush #41",
            "Orchestra #49",  "SFX #57",        "CM-64/32L #128"};
}

std::string CellText(const GridCells& cells, int row, int col) {
    if (row < 0 || col < 0 || static_cast<std::size_t>(row) >= cells.size()) return "";
    const std::vector<std::string>& r = cells[static_cast<std::size_t>(row)];
    if (static_cast<std::size_t>(col) >= r.size()) return "";
    return r[static_cast<std::size_t>(col)];
}

std::optional<GridProblem> FindGridProblem(const GridCells& cells, int numTracks,
                                           bool multiplePorts) {
    const int cols = GridColumns(multiplePorts);
    for (int r = 2; r <= numTracks; ++r) {
        const bool primary =
            CellText(cells, r, ColumnOf(GridColumn::Primary, multiplePorts)) == "Y";
        for (int col = 1; col < cols; ++col) {
            const GridColumn kind = ColumnKind(col, multiplePorts);
            const std::string text = CellText(cells, r, col);
            if (text.empty()) {
                const bool needed =
                    primary && (kind == GridColumn::Channel || kind == GridColumn::Instrument ||
                                kind == GridColumn::Port);
                if (!needed) continue;
                return GridProblem{r, col,
                                   "Track " + std::to_string(r) +
                                       " is a primary track: enter its " + KindTitle(kind)};
            }
            const std::optional<std::string> checked = CheckGridEntry(kind, text);
            if (!checked || *checked != text)
                return GridProblem{r, col,
                                   "Track " + std::to_string(r) + ": \"" + text +
                                       "\" is not a valid " + KindTitle(kind)};
        }
    }
    return std::nullopt;
}

} // namespace tnq
