// Initialize New File and its set-up sheet.
#include "misc/init_new_file.h"

#include "core/track_change.h"
#include "core/descriptions_file.h"
#include "core/file_menu.h"
#include "core/item_space.h"
#include "core/piece_paths.h"
#include "core/recalculate.h"
#include "core/screen_procs.h"
#include "platform/vb.h"
#include "platform/whole_file.h"

#include <algorithm>

namespace tnq {

namespace {

constexpr const char* kTitle = "Initialize New File";
constexpr const char* kColumnLineSingle =
    "Track Channel Instrument                                   Volume     Expression     Pan      "
    " Reverb       Chorus     Last Bar #_______";
constexpr const char* kColumnLineMultiple =
    "Track Port Channel Instrument                                   Volume     Expression     Pan "
    "      Reverb       Chorus     Last Bar #_______";
constexpr int kRowsPerPage = 32;

bool Multiple(const State& s) {
    return s.MultiplePorts == -1;
}

std::string Cell(const GridCells& cells, int row, GridColumn kind, bool multiple) {
    return CellText(cells, row, ColumnOf(kind, multiple));
}

std::string PadOrCut(const std::string& text, std::size_t width) {
    std::string t = text.substr(0, std::min(text.size(), width));
    t.resize(width, ' ');
    return t;
}

// Items the track file of t holds; a missing or unreadable file holds none.
int FileItems(const State& s, int t) {
    try {
        return ItemsBeforeEnd(ReadWholeFile(TrackFilePath(s, s.PieceTitle, t)));
    } catch (const VbError&) {
        return 0;
    }
}

// The score's item counts as the track files hold them: tracks whose file
// holds another count are read again. False after Recalculate's message.
bool CountsFromFiles(Context& c) {
    State& s = c.s;
    std::string marks(static_cast<std::size_t>(s.NumTracks), '0');
    bool any = false;
    for (int t = 1; t <= s.NumTracks; ++t) {
        if (FileItems(s, t) == s.ItemCount(t)) continue;
        marks[static_cast<std::size_t>(t - 1)] = '1';
        any = true;
    }
    if (!any) return true;
    const std::string kept = s.SelectedTracks;
    s.SelectedTracks = marks;
    const bool ok = Recalculate(c);
    s.SelectedTracks = kept;
    return ok;
}

// Step 2: the port mode confirmed or switched. False on Cancel.
bool ConfirmPortMode(Context& c) {
    State& s = c.s;
    const std::string text =
        Multiple(s) ? "The system is set up for multiple ports. Is this what you want ? "
                    : "The system is set up for a single port. Is this what you want ? ";
    const int answer =
        c.msg.MsgBox(text, mb::YesNoCancel | mb::Question, std::string("Initialization Function"));
    if (answer == mb::Cancel) return false;
    if (answer == mb::No) {
        const bool multiple = !Multiple(s);
        c.screen.SetMenuChecked("mnuMiscPorts", multiple);
        c.screen.SetMenuEnabled("mnuMiscMidiMapper", !multiple);
        s.MultiplePorts = multiple ? -1 : 0;
    }
    return true;
}

void PrintSheet(Context& c, const GridCells& cells) {
    State& s = c.s;
    s.FileDialogKind = 5;
    s.PrintPages = static_cast<Integer>(SheetPages(s.NumTracks));
    std::string unused;
    // A cancelled dialog, or one that failed (its message shown), prints
    // nothing.
    if (!CommonDialogOpen(c, s.FileDialogKind, unused) || c.printer == nullptr) return;
    int lastChannel = 0;
    try {
        do {
            for (int page = 0; page < s.PrintPages; ++page)
                PrintSheetPage(s, *c.printer, cells, page * kRowsPerPage, lastChannel);
            --s.PrintCopies;
        } while (s.PrintCopies > 0);
        c.printer->EndDoc();
    } catch (const VbError& e) {
        try {
            c.printer->EndDoc();
        } catch (const VbError&) {}
        c.msg.MsgBox("The set-up sheet could not be printed: " + e.Description(), mb::Exclamation,
                     std::string(kTitle));
    }
    s.PrintCopies = 0;
}

// Writes rec as item CurrentItem of the current track.
void WriteRecord(Context& c, const TrackItemRecord& rec) {
    ShowRecord(c.screen, rec);
    WriteItem(c);
}

// Puts rec at item position 1..n of track t as the first of its items: on
// a track that holds items room is opened first. False when the track
// cannot take it (nothing written).
bool PlaceItem(Context& c, int t, int position, bool held, const TrackItemRecord& rec) {
    State& s = c.s;
    s.CurrentItem(t) = static_cast<Integer>(position);
    if (held && !InsertSpace(c, 1)) return false;
    WriteRecord(c, rec);
    return true;
}

// Step 9 for one primary track.
void WriteOpeningItems(Context& c, int t, const GridCells& cells) {
    State& s = c.s;
    const bool multiple = Multiple(s);
    s.CurrentTrack = static_cast<Integer>(t);
    TrackFileOpen(c);
    const bool held = s.ItemCount(t) != 0;
    const std::vector<TrackItemRecord> items =
        OpeningItems(Cell(cells, t, GridColumn::Channel, multiple),
                     Trim(Cell(cells, t, GridColumn::Instrument, multiple)));
    if (!held && static_cast<int>(items.size()) > InsertCapacity(s, t)) {
        ShowCapacityMessage(c, t);
        return;
    }
    for (std::size_t j = 0; j < items.size(); ++j)
        if (!PlaceItem(c, t, static_cast<int>(j) + 1, held, items[j])) return;
    if (!held) {
        s.ItemCount(t) = s.CurrentItem(t);
        WriteEndRecord(c);
    }
}

// Step 10: the port item of every track 2..NumTracks.
void WritePortItems(Context& c, const GridCells& cells) {
    State& s = c.s;
    int carried = 0; // 0 = none
    for (int t = 2; t <= s.NumTracks; ++t) {
        s.CurrentTrack = static_cast<Integer>(t);
        TrackFileOpen(c);
        const bool held = s.ItemCount(t) != 0;
        if (held) {
            // Item 3: the program item of a primary track; on a shorter
            // track the END record.
            s.CurrentItem(t) = static_cast<Integer>(std::min(3, s.ItemCount(t) + 1));
            if (!ReadItem(c, 2)) return;
            const std::optional<std::string> read =
                CheckGridEntry(GridColumn::Channel, c.screen.Text(Box::Channel));
            carried = read ? std::stoi(*read) : 0;
        }
        // A blank channel (an END record's) is no channel to carry: the port
        // item then takes one as a track without items does.
        const std::string channel = std::to_string(carried != 0 ? carried : std::min(t, 16));
        const TrackItemRecord port{
            "PORTS", "0", "", "0", Trim(Cell(cells, t, GridColumn::Port, true)), "0", channel, "0"};
        if (!held && InsertCapacity(s, t) < 1) {
            ShowCapacityMessage(c, t);
            continue;
        }
        if (!PlaceItem(c, t, 1, held, port)) continue;
        if (!held) {
            s.ItemCount(t) = 1;
            WriteEndRecord(c);
        }
    }
}

bool InitialiseTracks(Context& c, const GridCells& cells) {
    State& s = c.s;
    const bool multiple = Multiple(s);
    // The descriptions and every track's opening items, all or none.
    TrackChange change(c, kTitle);
    try {
        // The descriptions file, every track 2.. with its line.
        std::vector<DescriptionLine> lines;
        for (int t = 2; t <= s.NumTracks; ++t)
            lines.push_back({t, Cell(cells, t, GridColumn::Description, multiple)});
        s.TrackImages.Replace(PieceFilePath(s, s.PieceTitle + ".DAT"), DescriptionsText(lines));

        if (!CountsFromFiles(c)) return false;
        for (int t = 2; t <= s.NumTracks; ++t)
            if (UCase(Cell(cells, t, GridColumn::Primary, multiple)) == "Y")
                WriteOpeningItems(c, t, cells);
        if (multiple) WritePortItems(c, cells);
    } catch (const VbError& e) {
        change.Fail(e);
    }
    return change.Store();
}

} // namespace

std::vector<TrackItemRecord> OpeningItems(const std::string& channel,
                                          const std::string& instrument) {
    const auto item = [&](const char* note, const char* adj, const std::string& dyn) {
        return TrackItemRecord{note, "0", "", adj, dyn, "0", channel, "0"};
    };
    return {item("CNTRL", "0", "0"),   item("CNTRL", "121", "0"), item("PROGR", "0", instrument),
            item("CNTRL", "7", "127"), item("CNTRL", "11", "64"), item("CNTRL", "10", "64"),
            item("CNTRL", "91", "32")};
}

int SheetPages(int numTracks) {
    if (numTracks <= 32) return 1;
    return numTracks <= 64 ? 2 : 3;
}

std::string SheetHeading(const State& s) {
    return " Title " + PadOrCut(s.PieceDescription, 60) + " Filename " + s.PieceTitle +
           " Time_______ Tempo______ PPQN " + Str(s.TicksPerQuarter);
}

std::string SheetRow(const State& s, const GridCells& cells, int n, int& lastChannel) {
    const bool multiple = Multiple(s);
    std::string row = std::to_string(n) + std::string(n < 10 ? 13 : 11, ' ');
    if (n == 1) row += "n/a      reserved for meter and tempo";
    if (n == 1 || n > s.NumTracks) return row;
    if (multiple) row += Cell(cells, n, GridColumn::Port, true) + std::string(10, ' ');
    const std::string channel = Cell(cells, n, GridColumn::Channel, multiple);
    bool printed = false;
    if (IsNumeric(channel) && Val(channel) > 0) {
        row += channel;
        lastChannel = static_cast<int>(Val(channel));
        printed = true;
    } else {
        row += lastChannel < 10 ? " " : "  ";
    }
    row = PadOrCut(row, 40);
    const std::string description = Cell(cells, n, GridColumn::Description, multiple);
    if (n > 9 && printed) row = Left(row, Val(description) < 10 ? 39 : 36);
    return row + description;
}

void PrintSheetPage(const State& s, Printer& printer, const GridCells& cells, int offset,
                    int& lastChannel) {
    for (int i = 0; i < 3; ++i) printer.PrintLine("");
    const std::string heading = SheetHeading(s);
    printer.SetFontName("Times New Roman");
    printer.SetBold(true);
    printer.SetFontSize(10);
    printer.PrintLine(heading);
    printer.PrintLine("");
    printer.PrintLine(Multiple(s) ? kColumnLineMultiple : kColumnLineSingle);
    printer.PrintLine(std::string(160, '-'));
    printer.SetFontSize(8);
    for (int n = offset + 1; n <= offset + kRowsPerPage; ++n) {
        printer.PrintLine(SheetRow(s, cells, n, lastChannel));
        printer.SetBold(false);
        printer.PrintLine(std::string(400, '.'));
        printer.SetBold(true);
    }
    printer.EndPage();
}

void mnuMiscInit_Click(Context& c, InitDialogs dialogs) {
    State& s = c.s;
    if (s.PieceOpen == 0) {
        NoFileOpenMsg(c);
        return;
    }
    if (!ConfirmPortMode(c)) return;
    dialogs.Settings.Show(c);
    s.DialogResult.clear();
    dialogs.Grid.Show(c);
    if (s.DialogResult.empty()) return;
    const GridCells cells = dialogs.Grid.Cells();
    if (const std::optional<GridProblem> p = FindGridProblem(cells, s.NumTracks, Multiple(s))) {
        c.msg.MsgBox(p->Message, mb::Exclamation, std::string(kTitle));
        return;
    }

    const int print =
        c.msg.MsgBox("Do you wish to print out the form ?", mb::YesNoCancel, std::string(kTitle));
    if (print == mb::Cancel) return;
    if (print == mb::Yes) PrintSheet(c, cells);

    // Not done: told, and nothing has been changed.
    if (!InitialiseTracks(c, cells)) {
        SwitchOffStatus(c);
        return;
    }

    // The descriptions read back as any later Open reads them.
    try {
        LoadTrackDescriptions(c, kDescriptionsHeading, false);
    } catch (const VbError&) {}

    c.SetIniSetting(s.PieceTitle + "-init", "done");
    c.screen.SetMenuEnabled("mnuMiscInit", false);
    c.screen.SetMenuEnabled("mnuMiscTrack", true);
    s.SelectedTracks.assign(static_cast<std::size_t>(s.NumTracks), '1');
    if (s.NumTracks >= 1) s.SelectedTracks[0] = '0';
    Recalculate(c);
    ShowTrackCounts(c);
    SwitchOffStatus(c);
}

} // namespace tnq
