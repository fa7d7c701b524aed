// Setting up a piece driven headless as a new user would: File > New with
// the automatic initialization (port question, settings dialog, grid of four
// tracks, set-up sheet printed), Maintain Track Descriptions, and an .AWE
// piece converted and written as a .MID file.
#include "core/piece_paths.h"
#include "editing/ui/frm_copy_by_bar.h"
#include "entry/ui/entry_window.h"
#include "midifile/mid_fixture.h"
#include "midifile/ui/frm_mid_file.h"
#include "misc/ui/frm_grid1.h"
#include "misc/ui/frm_misc.h"
#include "misc/ui/frm_track_desc.h"
#include "platform/ui/qt_file_dialogs.h"
#include "platform/ui/qt_printer.h"
#include "support/fake_printer.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPointer>
#include <QPrintDialog>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace tnq {
namespace {

namespace fs = std::filesystem;
using test::Settle;

using test::WhenShown;

class SetUpRoad : public test::EntryWindowBase {
protected:
    void SetUp() override {
        c.files = &p.files;
        c.printer = &printer;
        EntryWindowBase::SetUp();
        p.ini.SetIniSetting(IniSettings, "Tracks", "4");
        Load();
    }
    fs::path PieceDir() const { return PieceDirectory(p.s); }
    // A track file's bytes: the records, then the END record.
    static std::string TrackBytes(const std::vector<TrackItemRecord>& items) {
        std::string bytes;
        for (const auto& r : items) bytes += EncodeRecord(r);
        return bytes + EncodeRecord(kEndRecord);
    }

    // Types text into the grid cell (row, col) as a user does: the first
    // character opens the box over the cell, Enter commits.
    static void Entry(FrmGrid1* g, int row, int col, const QString& text) {
        g->Grid1->setCurrentCell(row, col);
        g->Grid1->setFocus();
        Settle();
        QTest::keyClicks(g->Grid1, text.left(1));
        Settle();
        if (text.size() > 1) QTest::keyClicks(g->txtEdit, text.mid(1));
        QTest::keyClick(g->txtEdit, Qt::Key_Return);
        Settle();
    }
    static QString CellOf(FrmGrid1* g, int row, int col) { return g->Grid1->item(row, col)->text(); }
    // File > New of title with Yes to the automatic initialization, the port
    // question answered portAnswer (Yes keeps the single port).
    void NewPieceInitialised(const char* title, int portAnswer) {
        OpenMenu(w, "mnuFile");
        p.msg.AnswerInput(title);
        p.msg.Answer(mb::Yes);
        p.msg.Answer(portAnswer);
        Choose(w, "mnuFilNew");
    }

    test::FakePrinter printer;
};

TEST_F(SetUpRoad, NewPieceInitialisedFromTheGridWithItsSheetPrinted) {
    QString gridCaption;
    WhenShown<FrmMisc>([&](FrmMisc* m) {
        EXPECT_EQ(m->txtTracks->text(), " 4");
        EXPECT_EQ(m->txtDescription->text(), "Settings for QUARTET");
        m->txtDescription->setFocus();
        m->txtDescription->selectAll();
        QTest::keyClicks(m->txtDescription, "String quartet");
        WhenShown<FrmGrid1>([&](FrmGrid1* g) {
            gridCaption = g->windowTitle();
            EXPECT_EQ(g->Grid1->rowCount(), 5);
            EXPECT_NEAR(g->x(), (p.sys.screen.WidthPixels() - g->width()) / 2, 2) << "centred";
            EXPECT_EQ(CellOf(g, 0, 1), "Channel #");
            EXPECT_EQ(CellOf(g, 1, 2), "--------");
            EXPECT_EQ(g->Grid1->currentRow(), 2);
            // Refused entries leave their cells empty; channel 10 shows the drum kits.
            Entry(g, 2, 1, "17");
            EXPECT_EQ(CellOf(g, 2, 1), "");
            Entry(g, 2, 1, "10");
            EXPECT_EQ(g->cboGMNames->currentText(), "Drum Kits");
            Entry(g, 2, 2, "Yes");
            EXPECT_EQ(CellOf(g, 2, 2), "");
            const char* rows[][4] = {{"1", "y", "41", "Violin, first"},
                                     {"2", "Y", "42", "Viola"},
                                     {"3", "Y", "", "Cello"}};
            for (int r = 0; r < 3; ++r)
                for (int col = 0; col < 4; ++col)
                    if (*rows[r][col]) Entry(g, r + 2, col + 1, rows[r][col]);
            EXPECT_EQ(g->cboGMNames->currentText(), "Instruments");
            EXPECT_EQ(CellOf(g, 2, 2), "Y");
            // The cello has no instrument yet: refused, the focus on its cell.
            p.msg.AnswerOk();
            QTest::mouseClick(g->btnUpdate, Qt::LeftButton);
            Settle();
            EXPECT_TRUE(g->isVisible());
            EXPECT_EQ(p.msg.Last().Text, "Track 4 is a primary track: enter its Instrument #");
            EXPECT_EQ(g->Grid1->currentRow(), 4);
            EXPECT_EQ(g->Grid1->currentColumn(), 3);
            Entry(g, 4, 3, "43");
            p.msg.Answer(mb::Yes); // print the form
            p.files.ChoosePrint({false, 1, 1, 2});
            QTest::mouseClick(g->btnUpdate, Qt::LeftButton);
        });
        QTest::mouseClick(m->btnOK, Qt::LeftButton);
    });
    NewPieceInitialised("Quartet", mb::Yes);
    Settle();

    State& s = p.s;
    EXPECT_EQ(gridCaption, "Initialize New File QUARTET");
    EXPECT_EQ(s.PieceDescription, "String quartet");
    for (int t = 2; t <= 4; ++t) {
        EXPECT_EQ(s.ItemCount(t), 7) << t;
        EXPECT_EQ(w.lblTrkDat(t - 1)->text(), "7");
        EXPECT_EQ(s.NoteCode(t, 3), 128) << "item 3 is the program change";
    }
    EXPECT_EQ(s.ItemDyn(3, 3), 42);
    EXPECT_EQ(s.ItemChan(4, 1), 3);
    EXPECT_EQ(test::ReadFile(PieceDir() / "QUARTET.DAT"),
              "02Violin, first\r\n03Viola\r\n04Cello\r\n");
    EXPECT_EQ(w.cboTracks->count(), 4);
    EXPECT_FALSE(w.Menus().Item("mnuMiscInit")->isEnabled());
    EXPECT_TRUE(w.Menus().Item("mnuMiscTrack")->isEnabled());
    // Two copies of the one-page sheet.
    ASSERT_EQ(printer.pages.size(), 2u);
    EXPECT_EQ(printer.pages[0][3].Text.substr(0, 21), " Title String quartet");
    EXPECT_EQ(printer.pages[0][9].Text, "2             1" + std::string(25, ' ') + "Violin, first");

    // Maintain Track Descriptions: tracks outside 2..4 keep the focus in the
    // track box; track 3 renamed with Enter, track 4 with Update clicked
    // while its description box still has the focus; Cancel rewrites nothing.
    const auto typeTrack = [](FrmTrackDesc* d, const char* track) {
        QTest::keyClicks(d->txtTrack, track);
        QTest::keyClick(d->txtTrack, Qt::Key_Return);
        Settle();
    };
    WhenShown<FrmTrackDesc>([&](FrmTrackDesc* d) {
        EXPECT_EQ(d->lblLimitation->text(), " 2 to  4");
        EXPECT_EQ(QApplication::focusWidget(), d->txtTrack);
        for (const char* refused : {"5", "1", "x"}) {
            typeTrack(d, refused);
            EXPECT_EQ(QApplication::focusWidget(), d->txtTrack) << refused;
            d->txtTrack->clear();
        }
        typeTrack(d, "3");
        EXPECT_EQ(d->txtDescription->text(), "Viola");
        d->txtDescription->selectAll();
        QTest::keyClicks(d->txtDescription, "Viola, muted");
        QTest::keyClick(d->txtDescription, Qt::Key_Return);
        Settle();
        EXPECT_EQ(QApplication::focusWidget(), d->txtTrack);
        EXPECT_EQ(d->txtTrack->text(), "");
        typeTrack(d, "4");
        EXPECT_EQ(QApplication::focusWidget(), d->txtDescription);
        d->txtDescription->selectAll();
        QTest::keyClicks(d->txtDescription, "Cello, solo");
        QTest::mouseClick(d->btnOK, Qt::LeftButton);
    });
    OpenMenu(w, "mnuMisc");
    Choose(w, "mnuMiscTrack");
    const std::string described = "02Violin, first\r\n03Viola, muted\r\n04Cello, solo\r\n";
    EXPECT_EQ(test::ReadFile(PieceDir() / "QUARTET.DAT"), described);
    EXPECT_EQ(w.cboTracks->itemText(3).toStdString(), "04 Cello, solo");

    WhenShown<FrmTrackDesc>([&](FrmTrackDesc* d) {
        typeTrack(d, "2");
        QTest::keyClicks(d->txtDescription, "Fiddle");
        QTest::keyClick(d->txtDescription, Qt::Key_Escape);
    });
    Choose(w, "mnuMiscTrack");
    EXPECT_EQ(test::ReadFile(PieceDir() / "QUARTET.DAT"), described);
}

// Set Parameters from the Miscellaneous menu: a number outside its range
// takes the focus back with nothing stored; typing a number clears its
// default box; OK stores, a ticked default is written as plain digits;
// Esc is Cancel, and the next showing shows the stored values again.
TEST_F(SetUpRoad, SetParametersRefusesNumbersOutOfRangeAndStoresTheRest) {
    State& s = p.s;
    const Integer tracks = s.NumTracks, ticks = s.TicksPerQuarter, items = s.MaxItems;
    ASSERT_EQ(tracks, 4);
    const struct {
        const char* box;
        const char* text;
    } refused[] = {{"txtTracks", "97"}, {"txtTracks", "0"},     {"txtTracks", "four"},
                   {"txtActsen", "0"},  {"txtActsen", "32768"}, {"txtActsen", "x"},
                   {"txtNts", "0"},     {"txtNts", "32767"},    {"txtNts", "many"}};
    WhenShown<FrmMisc>([&](FrmMisc* m) {
        EXPECT_EQ(m->windowTitle(), "Miscellaneous");
        EXPECT_EQ(m->txtDescription->text(), "System default settings");
        EXPECT_EQ(m->txtActsen->text(), " 480");
        EXPECT_EQ(m->txtTracks->text(), " 4");
        EXPECT_TRUE(m->chkDefaultTracks->isChecked());
        for (const auto& r : refused) {
            auto* box = m->findChild<QLineEdit*>(r.box);
            ASSERT_NE(box, nullptr) << r.box;
            const QString before = box->text();
            box->setFocus();
            box->selectAll();
            QTest::keyClicks(box, r.text);
            Click(m->btnOK);
            EXPECT_TRUE(m->isVisible()) << r.box << " " << r.text;
            EXPECT_EQ(QApplication::focusWidget(), box) << r.box << " " << r.text;
            EXPECT_EQ(s.NumTracks, tracks) << r.text;
            EXPECT_EQ(s.TicksPerQuarter, ticks) << r.text;
            EXPECT_EQ(s.MaxItems, items) << r.text;
            box->setText(before);
        }
        EXPECT_FALSE(m->chkDefaultTracks->isChecked()) << "typing cleared it";
        m->txtTracks->setText("6");
        m->chkDefaultTracks->setChecked(true);
        m->txtNts->setText(" 300");
        p.msg.AnswerOk();
        Click(m->btnOK);
        EXPECT_FALSE(m->isVisible());
    });
    OpenMenu(w, "mnuMisc");
    Choose(w, "mnuMisParameters");
    EXPECT_EQ(p.msg.Last().Text,
              "A Recalc may have to be run, because the number of Tracks has been changed");
    EXPECT_EQ(s.NumTracks, 6);
    EXPECT_EQ(s.MaxItems, 300);
    EXPECT_EQ(p.ini.GetIniSetting(IniSettings, "Tracks"), "6");
    EXPECT_EQ(s.PieceChanged, 1);

    WhenShown<FrmMisc>([&](FrmMisc* m) {
        EXPECT_EQ(m->txtTracks->text(), " 6");
        EXPECT_EQ(m->txtNts->text(), " 300");
        m->txtTracks->setFocus();
        QTest::keyClicks(m->txtTracks, "9");
        QTest::keyClick(m->txtTracks, Qt::Key_Escape);
        Settle();
    });
    Choose(w, "mnuMisParameters");
    EXPECT_EQ(s.NumTracks, 6);
    WhenShown<FrmMisc>([&](FrmMisc* m) {
        EXPECT_EQ(m->txtTracks->text(), " 6");
        Click(m->btnCancel);
    });
    Choose(w, "mnuMisParameters");
}

// The grid's keys in multiple-port mode: Down fills the next row's empty
// port with the last port accepted, Esc drops an entry, the arrows never
// leave the data cells; Cancel ends the initialization with nothing made.
TEST_F(SetUpRoad, GridKeysInMultiplePortMode) {
    const auto type = [](FrmGrid1* g, const char* text, Qt::Key key) {
        QTest::keyClicks(g->Grid1, QString(text).left(1));
        Settle();
        QTest::keyClicks(g->txtEdit, QString(text).mid(1));
        QTest::keyClick(g->txtEdit, key);
        Settle();
    };
    const auto at = [](FrmGrid1* g) {
        return std::pair(g->Grid1->currentRow(), g->Grid1->currentColumn());
    };
    WhenShown<FrmMisc>([&](FrmMisc* m) {
        WhenShown<FrmGrid1>([&](FrmGrid1* g) {
            EXPECT_EQ(g->Grid1->columnCount(), 6);
            const ScreenMetrics screen = p.sys.screen;
            EXPECT_NEAR(g->x(), (screen.WidthPixels() - g->width()) / 2, 2) << "centred";
            EXPECT_EQ(CellOf(g, 0, 1), "Port #");
            EXPECT_EQ(at(g), std::pair(2, 1));
            g->Grid1->setFocus();
            Settle();
            type(g, "10", Qt::Key_Return);
            EXPECT_EQ(CellOf(g, 2, 1), "") << "port 10 is refused";
            type(g, "3", Qt::Key_Right);
            EXPECT_EQ(CellOf(g, 2, 1), "3");
            EXPECT_EQ(at(g), std::pair(2, 2));
            type(g, "5", Qt::Key_Down);
            EXPECT_EQ(CellOf(g, 2, 2), "5");
            EXPECT_EQ(at(g), std::pair(3, 2));
            EXPECT_EQ(CellOf(g, 3, 1), "3") << "the last port";
            type(g, "7", Qt::Key_Escape);
            EXPECT_EQ(CellOf(g, 3, 2), "") << "Esc drops the entry";
            type(g, "8", Qt::Key_Up);
            EXPECT_EQ(CellOf(g, 3, 2), "8");
            EXPECT_EQ(at(g), std::pair(2, 2));
            type(g, "5", Qt::Key_Up);
            EXPECT_EQ(at(g), std::pair(2, 2)) << "never into track 1";
            type(g, "5", Qt::Key_Left);
            type(g, "3", Qt::Key_Left);
            EXPECT_EQ(at(g), std::pair(2, 1)) << "never into the track numbers";
            // A double click edits the cell's text.
            const QPoint cell = g->Grid1->visualItemRect(g->Grid1->item(3, 2)).center();
            QTest::mouseClick(g->Grid1->viewport(), Qt::LeftButton, {}, cell);
            QTest::mouseDClick(g->Grid1->viewport(), Qt::LeftButton, {}, cell);
            Settle();
            ASSERT_TRUE(g->txtEdit->isVisible());
            EXPECT_EQ(g->txtEdit->text(), "8");
            QTest::keyClicks(g->txtEdit, "1");
            QTest::keyClick(g->txtEdit, Qt::Key_Return);
            Settle();
            EXPECT_EQ(CellOf(g, 3, 2), "") << "81 is refused";
            g->Grid1->setCurrentCell(4, 5);
            type(g, "Bass, plucked", Qt::Key_Right);
            EXPECT_EQ(at(g), std::pair(4, 5));
            EXPECT_EQ(CellOf(g, 4, 5), "Bass, plucked");
            type(g, "x", Qt::Key_Down);
            EXPECT_EQ(at(g), std::pair(4, 5)) << "the last track";
            EXPECT_EQ(CellOf(g, 4, 1), "3") << "its empty port still filled";
            Click(g->btnCancel);
        });
        Click(m->btnOK);
    });
    NewPieceInitialised("Trio", mb::No);
    EXPECT_EQ(p.s.MultiplePorts, -1);
    for (int t = 2; t <= 4; ++t) EXPECT_EQ(p.s.ItemCount(t), 0) << t;
    EXPECT_TRUE(w.Menus().Item("mnuMiscInit")->isEnabled());
}

// Keys typed over a cell: a control key, the space and Enter edit the cell's
// text, a printable character starts a new entry with itself.
TEST_F(SetUpRoad, KeysTypedOverACellOpenItsBox) {
    struct Case {
        Qt::Key key;
        const char* box;
    };
    const Case cases[] = {{Qt::Key_Backspace, "Oboe"},
                          {Qt::Key_Space, "Oboe"},
                          {Qt::Key_Return, "Oboe"},
                          {Qt::Key_F, "f"}};
    WhenShown<FrmMisc>([&](FrmMisc* m) {
        WhenShown<FrmGrid1>([&](FrmGrid1* g) {
            for (const Case& k : cases) {
                g->Grid1->item(2, 4)->setText("Oboe");
                g->Grid1->setCurrentCell(2, 4);
                g->Grid1->setFocus();
                Settle();
                QTest::keyClick(g->Grid1, k.key);
                Settle();
                ASSERT_TRUE(g->txtEdit->isVisible()) << k.box;
                EXPECT_EQ(g->txtEdit->text(), k.box);
                EXPECT_EQ(g->txtEdit->cursorPosition(), g->txtEdit->text().size());
                QTest::keyClick(g->txtEdit, Qt::Key_Escape);
                Settle();
                EXPECT_EQ(CellOf(g, 2, 4), "Oboe");
            }
            Click(g->btnCancel);
        });
        Click(m->btnOK);
    });
    NewPieceInitialised("Keys", mb::Yes);
}

// A piece of 40 tracks: the grid keeps its designed height and scrolls under
// its fixed titles and track numbers, and the box over the cell being edited
// stays on its cell.
TEST_F(SetUpRoad, TheGridOfManyTracksScrollsWithItsOverlay) {
    WhenShown<FrmMisc>([&](FrmMisc* m) {
        m->txtTracks->setText("40");
        WhenShown<FrmGrid1>([&](FrmGrid1* g) {
            QTableWidget* grid = g->Grid1;
            EXPECT_EQ(grid->rowCount(), 41);
            EXPECT_LT(grid->height(), grid->rowHeight(2) * 41) << "it scrolls";
            grid->setCurrentCell(40, 4);
            grid->setFocus();
            Settle();
            QTest::keyClicks(grid, "4");
            Settle();
            ASSERT_TRUE(g->txtEdit->isVisible());
            EXPECT_EQ(g->txtEdit->geometry(), grid->visualItemRect(grid->item(40, 4)));
            grid->verticalScrollBar()->setValue(grid->verticalScrollBar()->value() - 3);
            Settle();
            EXPECT_EQ(g->txtEdit->geometry(), grid->visualItemRect(grid->item(40, 4)));
            QTest::keyClick(g->txtEdit, Qt::Key_Return);
            Settle();
            EXPECT_EQ(CellOf(g, 40, 4), "4");
            // Scrolled to the last track and to the right, the column titles
            // and the track numbers stay in view.
            grid->verticalScrollBar()->setValue(grid->verticalScrollBar()->maximum());
            grid->horizontalScrollBar()->setValue(grid->horizontalScrollBar()->maximum());
            Settle();
            EXPECT_GT(grid->rowAt(0), 2) << "scrolled down";
            EXPECT_TRUE(grid->horizontalHeader()->isVisible());
            EXPECT_EQ(grid->model()->headerData(1, Qt::Horizontal).toString().toStdString(), "Channel #");
            EXPECT_TRUE(grid->verticalHeader()->isVisible());
            EXPECT_EQ(grid->model()->headerData(40, Qt::Vertical).toString().toStdString(), "40");
            EXPECT_EQ(CellOf(g, 0, 1), "Channel #") << "row 0 still holds the titles";
            Click(g->btnCancel);
        });
        p.msg.AnswerOk(); // a Recalc may have to be run
        Click(m->btnOK);
    });
    NewPieceInitialised("Tutti", mb::Yes);
    EXPECT_EQ(p.s.NumTracks, 40);
}

TEST_F(SetUpRoad, AnAwePieceIsConvertedAndWrittenAsAMidFile) {
    const fs::path old = p.dir.Path() / "old" / "TUNE.AWE";
    test::WriteFile(old / "TUNE.AWE", "\"90\",96,\"C:\\OLD\",\"Old tune\",0,\"4\",\"4\",2,300,0,3,2\r\n");
    const auto track = TrackBytes;
    test::WriteFile(old / "TUNE01", track({{"TEMPO", "0", "", "0", "120", "1", "1", "0"},
                                           {"C", "4", "q", "7", "100", "1", "1", "0"},
                                           {"E", "4", "q", "0", "100", "1", "1", "0"},
                                           {"G", "4", "h", "0", "100", "1", "1", "0"}}));
    test::WriteFile(old / "TUNE02", track({{"C", "3", "w", "0", "80", "1", "2", "0"}}));
    p.files.Choose((old / "TUNE.AWE").string());
    p.msg.AnswerOk(); // the conversion warning
    p.msg.Answer(mb::No);
    OpenMenu(w, "mnuMisc");
    Choose(w, "ConvKVOtoKVS");
    State& s = p.s;
    ASSERT_EQ(s.PieceTitle, "TUNE");
    EXPECT_EQ(s.NumTracks, 3);
    EXPECT_EQ(s.ItemCount(2), 3);
    EXPECT_EQ(s.ItemCount(3), 1);
    EXPECT_EQ(w.lblTitle->text(), "TUNE");
    // Track 1 takes the tempo, as any piece of the program has it.
    test::WriteFile(PieceDir() / TrackFileName("TUNE", 1),
                    track({{"TEMPO", "", "q", "0", "90", "1", "1", "0"},
                           {"R", "", "w", "0", "0", "1", "1", "0"}}));

    w.EnableMenus();
    WhenShown<FrmMidFile>([](FrmMidFile* f) { QTest::mouseClick(f->btnOK, Qt::LeftButton); });
    OpenMenu(w, "mnuFile");
    Choose(w, "mnuFilMid");
    const test::CsvResult r = test::ExpectReadable(PieceDir() / "TUNE.MID");
    std::vector<std::string> notes;
    for (const auto& x : r.Of(2, "Note_on_c"))
        if (x.Fields.at(2) != "0") notes.push_back(x.Fields.at(1));
    EXPECT_EQ(notes, (std::vector<std::string>{"60", "64", "67"}));
    EXPECT_EQ(r.Of(3, "Note_on_c").size(), 2u);
}

// Change Directory with a piece open: the copies, Save, Make .MID and
// Initialize work on the piece where it lives; a conversion then makes its
// piece in the new directory and saves it there, leaving a piece of that
// name in the previous one alone.
TEST_F(SetUpRoad, ThePieceKeepsItsDirectoryWhenThePiecesDirectoryChanges) {
    NewPiece("HOME");
    if (HasFatalFailure()) return;
    const fs::path home = PieceDir();
    const TrackItemRecord c{"C", "4", "q", "0", "64", "1", "2", "0"};
    WriteTrackFile(2, {c, c, c, c});
    OpenMenu(w, "mnuFile");
    ChooseTracks({2});
    Choose(w, "mnuFilRecalc");
    const fs::path elsewhere = ChangeDirectory("Elsewhere");

    // Bar 1 of track 2 copied to track 3, then behind both.
    const auto bar1 = [](FrmCopyByBar* d) {
        d->txtFromBar->setText("1");
        d->txtToBar->setText("1");
        d->btnOK->click();
    };
    OpenMenu(w, "mnuEdit");
    p.msg.AnswerInput("2");
    ChooseTracks({3});
    WhenShown<FrmCopyByBar>(bar1);
    Choose(w, "mnuEdtVertical");
    ChooseTracks({2, 3});
    WhenShown<FrmCopyByBar>(bar1);
    Choose(w, "mnuEdtCopy");
    EXPECT_EQ(TrackRecords(2).size(), 8u);
    EXPECT_EQ(TrackRecords(3).size(), 8u);
    EXPECT_EQ(w.StatusBar2->Line(), "Select a menu item");
    OpenMenu(w, "mnuFile");
    Choose(w, "mnuFilSave");
    EXPECT_TRUE(MakeMidWithOk());
    EXPECT_TRUE(fs::exists(home / "HOME.TNQ") && fs::exists(home / "HOME.MID"));

    // Initialize: track 4's file holds items the score has not counted yet.
    WriteTrackFile(4, {c, c});
    WhenShown<FrmMisc>([&](FrmMisc* m) {
        WhenShown<FrmGrid1>([&](FrmGrid1* g) {
            Entry(g, 4, 1, "4");
            Entry(g, 4, 2, "Y");
            Entry(g, 4, 3, "1");
            p.msg.Answer(mb::No); // no sheet
            QTest::mouseClick(g->btnUpdate, Qt::LeftButton);
        });
        QTest::mouseClick(m->btnOK, Qt::LeftButton);
    });
    p.msg.Answer(mb::Yes); // the single port
    OpenMenu(w, "mnuMisc");
    Choose(w, "mnuMiscInit");
    EXPECT_EQ(TrackRecords(4).size(), 9u) << "the opening items before the two";
    EXPECT_TRUE(fs::exists(home / "HOME.DAT"));
    EXPECT_TRUE(fs::is_empty(elsewhere));

    const fs::path other = home.parent_path() / "TUNE.TNQ" / "TUNE.TNQ";
    test::WriteFile(other, "kept");
    const fs::path old = p.dir.Path() / "old" / "TUNE.AWE";
    test::WriteFile(old / "TUNE.AWE", "\"90\",96,\"\",\"\",0,\"4\",\"4\",1,300,0,3,2\r\n");
    test::WriteFile(old / "TUNE01", TrackBytes({c}));
    p.files.Choose((old / "TUNE.AWE").string());
    p.msg.AnswerOk();     // the conversion warning
    p.msg.Answer(mb::No); // no Save first
    p.msg.Answer(mb::No); // no initialization
    OpenMenu(w, "mnuMisc");
    Choose(w, "ConvKVOtoKVS");
    ASSERT_EQ(p.s.PieceTitle, "TUNE");
    EXPECT_EQ(p.s.ItemCount(2), 1);
    OpenMenu(w, "mnuFile");
    Choose(w, "mnuFilSave");
    EXPECT_EQ(test::ReadFile(other), "kept");
    EXPECT_NE(test::ReadFile(elsewhere / "TUNE.TNQ" / "TUNE.TNQ").find("\r\n02060"), std::string::npos);
}

TEST(SetUpSheet, PrintsToAPdfFileChosenInThePrintDialog) {
    test::TempDir dir;
    const fs::path pdf = dir.Path() / "sheet.pdf";
    // The print dialog as the user sees it: the file entry of its printer
    // list (there with or without printers), a file name, Print.
    QtFileDialogs files;
    test::WhenDialogShown<QPrintDialog>(
        [&](QPrintDialog& d) {
            auto* printers = d.findChild<QComboBox*>("printers");
            ASSERT_NE(printers, nullptr);
            const int toFile = printers->findText("Print to File (PDF)");
            ASSERT_GE(toFile, 0) << "no file entry in the printer list";
            printers->setCurrentIndex(toFile);
            Settle();
            auto* name = d.findChild<QLineEdit*>("filename");
            auto* buttons = d.findChild<QDialogButtonBox*>();
            ASSERT_TRUE(name && buttons);
            name->setText(QString::fromStdString(pdf.string()));
            buttons->button(QDialogButtonBox::Ok)->click();
            Settle();
        },
        [](QPrintDialog& d) { d.reject(); });
    ASSERT_TRUE(files.Print(2).has_value());
    State s;
    s.NumTracks = 40;
    s.PieceTitle = "BIG";
    s.PieceDescription = "Symphony";
    s.TicksPerQuarter = 480;
    State& st = s;
    GridCells cells = EmptyGrid(st, false);
    cells[2] = {"2", "1", "Y", "41", "Violin"};
    QtPrinter out(files.Printer());
    int last = 0;
    PrintSheetPage(s, out, cells, 0, last);
    PrintSheetPage(s, out, cells, 32, last);
    out.EndDoc();
    const std::string bytes = test::ReadFile(pdf);
    ASSERT_GT(bytes.size(), 1000u);
    EXPECT_EQ(bytes.substr(0, 5), "%PDF-");
    EXPECT_NE(bytes.find("/Count 2"), std::string::npos) << "two pages";
}

} // namespace
} // namespace tnq
