// The main window driven headless: set-up, modes, track rows, menus and
// the screen procedures on the real widgets.
#include "core/memory.h"
#include "core/screen_procs.h"
#include "entry/ui/frm_kvs.h"
#include "platform/sorted_text.h"
#include "platform/ui/qt_placement.h"
#include "support/fakes.h"
#include "support/ui/settle.h"

#include <QDialog>
#include <QGuiApplication>
#include <QImage>
#include <gtest/gtest.h>

#include <filesystem>
#include <utility>

namespace tnq {
namespace {

using test::Settle;
using test::ShowActive;
using test::WhenModal;

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override { w.Attach(&c); }

    void Load() {
        w.Form_Load();
        ASSERT_TRUE(ShowActive(&w));
    }
    // A piece with the given tracks, open and empty but for the counts.
    void OpenPiece(int tracks) {
        p.s.NumTracks = static_cast<Integer>(tracks);
        p.s.MaxItems = 100;
        ASSERT_TRUE(MemorySetUp(c));
        p.s.PieceOpen = 1;
        p.s.PieceTitle = "SONG";
        p.s.Tempo = "96";
        Settle();
    }
    // Opens a top menu as the user does and closes it again.
    void OpenMenu(const char* name) {
        QMenu* m = w.Menus().Menu(name);
        m->popup(w.mapToGlobal(QPoint(10, 10)));
        Settle();
        m->hide();
        Settle();
    }
    void Choose(const char* item) {
        w.Menus().Item(item)->trigger();
        Settle();
    }
    std::vector<std::string> VisibleItems(const char* menu) {
        std::vector<std::string> names;
        for (QAction* a : w.Menus().Menu(menu)->actions())
            if (a->isVisible()) names.push_back(a->objectName().toStdString());
        return names;
    }
    // Rows of the track labels shown, as ranges "first-last".
    std::vector<int> VisibleRows() {
        std::vector<int> rows;
        for (int r = 0; r < kMaxTracks; ++r) {
            const bool num = w.lblTrkNum(r)->isVisibleTo(&w);
            EXPECT_EQ(num, w.lblTrkDat(r)->isVisibleTo(&w)) << r;
            if (num) rows.push_back(r);
        }
        return rows;
    }
    static std::vector<int> Range(int from, int to) {
        std::vector<int> v;
        for (int r = from; r <= to; ++r) v.push_back(r);
        return v;
    }
    bool EntryBoxesShown() {
        for (int b = 0; b < 11; ++b)
            if (!w.BoxControl(static_cast<Box>(b))->isVisibleTo(&w)) return false;
        return true;
    }
    bool EntryBoxesHiddenAndEmpty() {
        for (int b = 0; b < 11; ++b) {
            QLineEdit* e = w.BoxControl(static_cast<Box>(b));
            if (e->isVisibleTo(&w) || !e->text().isEmpty()) return false;
        }
        return true;
    }

    test::Program p;
    FrmKVS w;
    Context c{p.s, p.msg, p.ini, w, p.sys};
};

TEST_F(MainWindow, FirstStartCentresStoresResolutionAndEndsInMenuMode) {
    Load();
    State& s = p.s;
    EXPECT_NE(test::ReadFile(p.ini.File()).find("Resolution= 0"), std::string::npos);
    EXPECT_EQ(s.Resolution, 0);
    const std::string home = (std::filesystem::path(p.sys.home) / "Tonquill").string();
    EXPECT_EQ(w.windowTitle().toStdString(), "Tonquill - Current File Directory: " + home);
    EXPECT_EQ(s.FilePath, home);
    EXPECT_EQ(s.DefaultPlayer, "xdg-open");
    EXPECT_EQ(s.AuxiliaryProgram, "");
    EXPECT_NEAR(w.x(), (1024 - w.width()) / 2, 1);
    EXPECT_NEAR(w.y(), (768 - w.height()) / 2, 1);

    // Menu mode: no recent pieces, File ends with Exit and no separator.
    EXPECT_EQ(VisibleItems("mnuFile"),
              (std::vector<std::string>{"mnuFilNew", "mnuFilOpen", "mnuFilRecalc", "mnuFilDelete",
                                        "mnuFilSave", "mnuFilMid", "mnuFilLine", "mnuFilExit"}));
    EXPECT_EQ(s.RecentCount, 0);
    EXPECT_EQ(w.StatusBar1->Line(), "");
    EXPECT_EQ(w.StatusBar2->Line(), "Select a Menu Item");
    EXPECT_TRUE(EntryBoxesHiddenAndEmpty());
    EXPECT_FALSE(w.btnAccept->isEnabled());
    EXPECT_FALSE(w.btnExitKVSfrm->isEnabled());
    EXPECT_EQ(s.MenuActive, 1);
    for (const char* m : {"mnuFile", "mnuEdit", "mnuPlay", "mnuMisc", "mnuHelp"})
        EXPECT_TRUE(w.Menus().Enabled(m)) << m;

    // Tables, limits and lists loaded; no piece, rows on page 0.
    EXPECT_EQ(s.NoteFlat[4], "Eb");
    EXPECT_EQ(s.PowerOfTwo[9], 256);
    EXPECT_EQ(s.NumTracks, 32);
    EXPECT_EQ(s.MaxItems, 2000);
    EXPECT_EQ(s.PieceChanged, 0);
    EXPECT_EQ(s.TrackPage, 0);
    EXPECT_FALSE(w.btnFlip->isVisibleTo(&w));
    EXPECT_EQ(VisibleRows(), Range(0, 31));
    EXPECT_EQ(w.cboGMNames->count(), 128);
    EXPECT_EQ(w.cboGMNames->itemText(127), "Gunshot #128");
    EXPECT_EQ(w.cboDrumLookup->currentText(), "  Drum Kit Lookup");
    EXPECT_FALSE(w.cboDrumLookup->isVisibleTo(&w));
    EXPECT_FALSE(w.cboTracks->isVisibleTo(&w));
    EXPECT_FALSE(w.cboGMNames->isVisibleTo(&w));
}

TEST_F(MainWindow, ControlsStandAtTheirDesignPlacesInTabOrder) {
    Load();
    const float tpp = TwipsPerPixel(&w);
    EXPECT_EQ(w.Client()->size(), QSize(TwipsToPixels(9600, tpp), TwipsToPixels(6285, tpp)));
    EXPECT_EQ(w.txtTempo->geometry(), TwipsRect(2160, 840, 495, 285, tpp));
    EXPECT_EQ(w.txtDur->geometry(), TwipsRect(2160, 3480, 1455, 285, tpp));
    EXPECT_EQ(w.btnExitKVSfrm->geometry(), TwipsRect(4560, 4680, 1335, 375, tpp));
    EXPECT_EQ(w.lblTrkNum(17)->geometry(), TwipsRect(8160, 840 + 240, 255, 255, tpp));
    EXPECT_EQ(w.lblTrkDat(47)->geometry(), TwipsRect(7080, 840 + 240 * 15, 975, 255, tpp));
    EXPECT_EQ(w.lblTrkDat(63)->geometry(), TwipsRect(8520, 840 + 240 * 15, 975, 255, tpp));
    EXPECT_EQ(w.StatusBar2->geometry(), TwipsRect(120, 720, 9375, 375, tpp));
    EXPECT_EQ(w.StatusBar2->parentWidget(), w.Frame1);
    EXPECT_EQ(w.Client()->findChild<QLabel*>("lblTrkNum(95)")->text(), "96");
    EXPECT_EQ(w.Label9->text(), "Note Name (or Rest)");
    EXPECT_EQ(w.btnAccept->text(), "Accept &Item");
    EXPECT_EQ(w.txtNote->property("HelpContextID").toInt(), 6);

    // Tab walks the boxes and buttons in tab order, never a label (with
    // texts that pass every guard; the checks are off in menu mode).
    OpenPiece(32);
    p.s.CurrentTrack = 1;
    p.s.CurrentItem(1) = 1;
    w.ShowEntryHelp();
    w.SetText(Box::Tempo, "60");
    w.SetText(Box::Track, "1");
    w.SetText(Box::Item, "1");
    w.SetFocus(Box::Tempo);
    Settle();
    QWidget* order[] = {w.txtTempo,     w.txtTrack,  w.txtItem,       w.txtChannel, w.txtBar,
                        w.txtNote,      w.txtOcta,   w.txtDur,        w.txtAdj,     w.txtDyn,
                        w.txtPitchBend, w.btnAccept, w.btnExitKVSfrm, w.txtTempo};
    for (std::size_t i = 0; i < std::size(order); ++i) {
        EXPECT_EQ(w.focusWidget(), order[i]) << i;
        test::Key(&w, Qt::Key_Tab);
    }
}

TEST_F(MainWindow, PlacementByScreenWidthAndResolution) {
    // A screen exactly 640 pixels wide: no placement, nothing stored.
    p.sys.screen = ScreenMetrics::FromPixels(640, 480);
    p.ini.SetIniSetting(IniSettings, "Resolution", "3");
    w.move(7, 9);
    w.Form_Load();
    EXPECT_EQ(p.s.Resolution, 0);
    EXPECT_EQ(w.pos(), QPoint(7, 9));
    EXPECT_EQ(p.ini.GetIniSetting(IniSettings, "Resolution"), "3");
}

TEST_F(MainWindow, ResolutionScalesTheWindowToTheScreen) {
    if (TwipsPerPixel(&w) != 15.0f) GTEST_SKIP() << "screen not at 96 dots per inch";
    p.sys.screen = ScreenMetrics::FromPixels(800, 600);
    p.ini.SetIniSetting(IniSettings, "Resolution", "1.4"); // rounds to 1
    const QRect tempo = w.txtTempo->geometry();
    const int width = w.width();
    w.Form_Load();
    EXPECT_EQ(p.s.Resolution, 1);
    EXPECT_NEAR(w.width(), width * 1.25, 1);
    EXPECT_NEAR(w.txtTempo->x(), tempo.x() * 1.25, 1);
    EXPECT_NEAR(w.txtTempo->width(), tempo.width() * 1.25, 1);
    EXPECT_NEAR(w.x(), (800 - w.width()) / 2, 1);
}

TEST_F(MainWindow, RecentPiecesEndAtTheFirstEmptySetting) {
    p.ini.SetIniSetting(IniSettings, "File1", "/m/A.TNQ/A.TNQ");
    p.ini.SetIniSetting(IniSettings, "File2", "/m/B & C.TNQ/B & C.TNQ");
    p.ini.SetIniSetting(IniSettings, "File4", "/m/D.TNQ/D.TNQ");
    Load();
    EXPECT_EQ(p.s.RecentCount, 2);
    EXPECT_EQ(VisibleItems("mnuFile").size(), 8u + 3u);
    EXPECT_TRUE(w.Menus().Item("mnuFileArray(0)")->isVisible());
    EXPECT_EQ(w.Caption("mnuFileArray(1)"), "/m/A.TNQ/A.TNQ");
    EXPECT_EQ(w.Caption("mnuFileArray(2)"), "/m/B & C.TNQ/B & C.TNQ");
    EXPECT_EQ(w.Menus().Item("mnuFileArray(3)"), nullptr);
}

TEST_F(MainWindow, FlipPagesByTheNumberOfTracks) {
    struct Case {
        int tracks;
        bool flipShown;
        std::vector<int> pages; // TrackPage after each click
    } cases[] = {{32, false, {0, 0}},
                 {33, true, {1, 0, 1}},
                 {64, true, {1, 0}},
                 {65, true, {1, 2, 0}},
                 {96, true, {1, 2, 0, 1}}};
    Load();
    for (const Case& k : cases) {
        p.s.NumTracks = static_cast<Integer>(k.tracks);
        w.ArrangeTrackLabels();
        EXPECT_EQ(w.btnFlip->isVisibleTo(&w), k.flipShown) << k.tracks;
        for (int page : k.pages) {
            w.btnFlip_Click();
            EXPECT_EQ(p.s.TrackPage, page) << k.tracks;
            // A page shows all 32 rows of its group, existing tracks or not.
            EXPECT_EQ(VisibleRows(), Range(32 * page, 32 * page + 31)) << k.tracks;
        }
    }
    // The button itself, clicked with the mouse.
    p.s.NumTracks = 96;
    w.ArrangeTrackLabels();
    QTest::mouseClick(w.btnFlip, Qt::LeftButton);
    Settle();
    EXPECT_EQ(p.s.TrackPage, 1);
    EXPECT_EQ(w.lblTrkNum(32)->text(), "33");
}

TEST_F(MainWindow, LongHelpLinesAreShownWholeInTheStatusLines) {
    if (TwipsPerPixel(&w) != 15.0f) GTEST_SKIP() << "screen not at 96 dots per inch";
    Load();
    ASSERT_EQ(w.width(), 640); // the window at its design size
    const char* lines[] = {
        "Press F9 to go to a Bar; Find Next: "
        "F2=PROGR;F3=CNTRL;F4=TEMPO;F5=METER;F6=LEGON;F8=Channel change;F10=PBEND",
        "Enter note names C Eb F# etc.; F2=Prog. Change, F3=Control Change,F4=Legato On, "
        "F5=Legato Off F6=TEMPO, F8=METER, or F7",
        "Press F11 to insert item(s); F10 to delete Item(s); F6=revise bar nos.; F8=copy items",
        "w=whole note h=half note q, e, s, t for others, z=sixty fourth; q.=dotted quarter, "
        "q3=quarter triplet etc.\"",
        "Accept=F12 or Alt + i; Exit=Esc or Alt + x ;Next input=Enter or Tab;Previous input=up "
        "arrow or Shift+Tab",
    };
    for (StatusLine* bar : {w.StatusBar1, w.StatusBar2}) {
        for (const char* line : lines) {
            bar->SetLine(line);
            const StatusLine::Fit fit = bar->Fitted();
            const QRect room = bar->TextRect();
            ASSERT_TRUE(room.isValid());
            const QFontMetrics fm(fit.Font);
            const QRect need = fm.boundingRect(QRect(0, 0, room.width(), 1000),
                                               fit.TwoLines ? int(Qt::TextWordWrap) : 0, line);
            EXPECT_LE(need.width(), room.width()) << line;
            EXPECT_LE(need.height(), room.height()) << line;
            EXPECT_GE(fit.Font.pointSizeF(), 6.0) << line; // still readable
        }
        // A short line keeps the strip's own face.
        bar->SetLine("Select a Menu Item");
        EXPECT_EQ(bar->Fitted().Font, bar->font());
        EXPECT_FALSE(bar->Fitted().TwoLines);
    }
}

TEST_F(MainWindow, AltFOpensTheFileMenuEveryTimeWithTheFlipButtonShown) {
    Load();
    OpenPiece(96);
    w.ArrangeTrackLabels();
    ASSERT_TRUE(w.btnFlip->isVisibleTo(&w));
    QMenu* file = w.Menus().Menu("mnuFile");
    for (int i = 0; i < 4; ++i) {
        QWidget* target = w.focusWidget() ? w.focusWidget() : &w;
        QTest::keyClick(target, Qt::Key_F, Qt::AltModifier);
        QTest::qWait(300);
        Settle();
        EXPECT_TRUE(file->isVisible()) << i;
        EXPECT_EQ(p.s.TrackPage, 0) << i;
        file->hide();
        Settle();
    }
    // Flip keeps its caption and still works by mouse and tab order.
    EXPECT_EQ(w.btnFlip->text(), "&Flip");
    QTest::mouseClick(w.btnFlip, Qt::LeftButton);
    Settle();
    EXPECT_EQ(p.s.TrackPage, 1);
    EXPECT_EQ(w.btnExitKVSfrm->nextInFocusChain(), w.btnFlip);
    w.btnFlip->setFocus();
    test::Key(&w, Qt::Key_Space);
    EXPECT_EQ(p.s.TrackPage, 2);
}

TEST_F(MainWindow, EditMenuStaysClosedAndPlayOpensAfterTheNoFileMessage) {
    Load();
    auto altKey = [&](Qt::Key key) {
        QTest::keyClick(&w, key, Qt::AltModifier);
        QTest::qWait(100);
        Settle();
    };
    // By its access key, as the user opens it, and by the mouse.
    QMenu* edit = w.Menus().Menu("mnuEdit");
    p.msg.AnswerOk();
    altKey(Qt::Key_E);
    EXPECT_EQ(p.msg.shown.size(), 1u);
    EXPECT_FALSE(edit->isVisible());
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    // Play opens all the same: the auxiliary program needs no piece.
    const std::pair<const char*, bool> opensAfter[] = {{"mnuEdit", false}, {"mnuPlay", true}};
    for (const auto& [menu, opens] : opensAfter) {
        p.msg.AnswerOk();
        w.Menus().Menu(menu)->popup(w.mapToGlobal(QPoint(10, 10)));
        Settle();
        EXPECT_EQ(p.msg.Last().Text, "No file has yet been opened");
        EXPECT_EQ(w.Menus().Menu(menu)->isVisible(), opens) << menu;
        w.Menus().Menu(menu)->hide();
        Settle();
    }
    EXPECT_EQ(p.msg.shown.size(), 3u);
    // With a piece open it opens as always. (The headless platform leaves
    // the activation with a menu closed as soon as it showed.)
    OpenPiece(4);
    ASSERT_TRUE(ShowActive(&w));
    altKey(Qt::Key_E);
    EXPECT_TRUE(edit->isVisible());
    edit->hide();
    Settle();
    EXPECT_EQ(p.msg.shown.size(), 3u);
}

TEST_F(MainWindow, ClosingADialogBringsTheRowsBackToPageZero) {
    Load();
    p.s.NumTracks = 96;
    w.ArrangeTrackLabels();
    w.btnFlip_Click();
    w.btnFlip_Click();
    ASSERT_EQ(p.s.TrackPage, 2);

    // Switching from another program changes nothing.
    test::ActivateOtherProgram();
    w.activateWindow();
    Settle();
    EXPECT_EQ(p.s.TrackPage, 2);

    QDialog dialog(&w);
    WhenModal([](QWidget* d) { static_cast<QDialog*>(d)->accept(); });
    dialog.exec();
    Settle();
    EXPECT_TRUE(w.isActiveWindow());
    EXPECT_EQ(p.s.TrackPage, 0);
    EXPECT_EQ(VisibleRows(), Range(0, 31));
    EXPECT_TRUE(w.btnFlip->isVisibleTo(&w));
}

TEST_F(MainWindow, AddEditScanNotesAndExitToMenu) {
    Load();
    OpenPiece(4);
    p.s.ItemCount(2) = 5;
    OpenMenu("mnuEdit");
    EXPECT_EQ(p.s.MenuActive, 0);
    Choose("mnuEdtNotes");

    // Item-entry mode: only Help in the menu bar, the boxes shown, the
    // tempo in its box with the focus, every cursor after its track's end.
    EXPECT_EQ(p.s.MenuMode, "mnuEdtNotes");
    EXPECT_TRUE(EntryBoxesShown());
    EXPECT_TRUE(w.btnAccept->isEnabled());
    EXPECT_TRUE(w.btnExitKVSfrm->isEnabled());
    for (const char* m : {"mnuFile", "mnuEdit", "mnuPlay", "mnuMisc"})
        EXPECT_FALSE(w.Menus().Enabled(m)) << m;
    EXPECT_TRUE(w.Menus().Enabled("mnuHelp"));
    EXPECT_EQ(w.StatusBar2->Line(),
              "Accept=F12 or Alt + i; Exit=Esc or Alt + x ;Next input=Enter or Tab;Previous "
              "input=up arrow or Shift+Tab");
    EXPECT_EQ(w.txtTempo->text(), "96");
    EXPECT_EQ(w.focusWidget(), w.txtTempo);
    EXPECT_EQ(p.s.CurrentItem(1), 1);
    EXPECT_EQ(p.s.CurrentItem(2), 6);
    EXPECT_EQ(w.lblTrkDat(1)->text(), "5");
    EXPECT_EQ(w.lblTrkDat(3)->text(), "0");

    // Typing into the boxes, then Esc: back to menu mode with empty boxes.
    QTest::keyClicks(w.txtTempo, "120");
    p.msg.Answer(mb::No); // the tempo question when the box is left
    w.txtNote->setFocus();
    Settle();
    QTest::keyClicks(w.txtNote, "Eb");
    w.SetCaption("lblTrackDesc", "Strings");
    test::Key(&w, Qt::Key_Escape);
    EXPECT_TRUE(EntryBoxesHiddenAndEmpty());
    EXPECT_EQ(w.lblTrackDesc->text(), "");
    EXPECT_EQ(p.s.MenuActive, 1);
    EXPECT_EQ(w.StatusBar2->Line(), "Select a Menu Item");
    EXPECT_FALSE(w.btnExitKVSfrm->isEnabled());

    // Again: the boxes are empty but for the tempo.
    p.s.ItemCount(2) = 7;
    OpenMenu("mnuEdit");
    Choose("mnuEdtNotes");
    for (int b = 1; b < 11; ++b) EXPECT_EQ(w.BoxControl(static_cast<Box>(b))->text(), "") << b;
    EXPECT_EQ(w.txtTempo->text(), "96");
    EXPECT_EQ(p.s.CurrentItem(2), 8);

    // Alt+X is the button's access key.
    QTest::keyClick(w.focusWidget(), Qt::Key_X, Qt::AltModifier);
    QTest::qWait(300);
    Settle();
    EXPECT_TRUE(EntryBoxesHiddenAndEmpty());
    EXPECT_EQ(p.s.MenuActive, 1);
}

TEST_F(MainWindow, EscInMenuModeDoesNothing) {
    Load();
    w.StatusBar1->SetLine("kept");
    test::Key(&w, Qt::Key_Escape);
    EXPECT_EQ(w.StatusBar1->Line(), "kept");
    EXPECT_TRUE(p.msg.shown.empty());
}

TEST_F(MainWindow, ShowTrackCountsWritesOnlyTheTracksOfThePiece) {
    Load();
    OpenPiece(40);
    for (int r = 0; r < kMaxTracks; ++r) w.SetTrackFigure(r, "x");
    p.s.ItemCount(1) = 12;
    p.s.ItemCount(40) = 3;
    ShowTrackCounts(c);
    EXPECT_EQ(w.lblTrkDat(0)->text(), "12");
    EXPECT_EQ(w.lblTrkDat(1)->text(), "0");
    EXPECT_EQ(w.lblTrkDat(39)->text(), "3");
    EXPECT_EQ(w.lblTrkDat(40)->text(), "x");
    EXPECT_EQ(w.lblTrkDat(95)->text(), "x");
}

TEST_F(MainWindow, DrumListSortedWithItsHeaderFirst) {
    Load();
    const std::vector<std::string>& rows = w.cboDrumLookup->Rows();
    ASSERT_EQ(rows.size(), 62u);
    EXPECT_EQ(rows[0], "  Drum Kit Lookup");
    EXPECT_EQ(rows[1], "Agogo High G4");
    EXPECT_EQ(rows[2], "Agogo Low G#4");
    EXPECT_EQ(rows.back(), "Wood Block Low F5");
    auto at = [&](const char* t) { return std::find(rows.begin(), rows.end(), t) - rows.begin(); };
    EXPECT_LT(at("High Q Eb1"), at("Hi-Hat Closed F#2")); // the hyphen does not count
    EXPECT_LT(at("Kick Drum 1 C2"), at("Kick Drum 2 B1"));
    EXPECT_LT(at("Vibra - slap Bb3"), at("Whistle Long Low C5"));
    for (std::size_t i = 1; i < rows.size(); ++i)
        EXPECT_LE(CompareListText(rows[i - 1], rows[i]), 0) << rows[i];
    EXPECT_EQ(w.cboDrumLookup->itemText(0), "  Drum Kit Lookup");
    EXPECT_EQ(w.cboDrumLookup->currentIndex(), 0);
}

TEST_F(MainWindow, AweItemIsNeverShownAndTogglesItsSetting) {
    Load();
    OpenMenu("mnuMisc");
    EXPECT_FALSE(w.Menus().Item("mnuMiscAWESelect")->isVisible());
    EXPECT_FALSE(w.Menus().Item("mnuMiscAWESelect")->isEnabled());
    EXPECT_EQ(VisibleItems("mnuMisc").size(), 10u);
    EXPECT_FALSE(p.s.AWESelectChecked);

    w.mnuMiscAWESelect_Click();
    EXPECT_TRUE(w.MenuChecked("mnuMiscAWESelect"));
    EXPECT_TRUE(p.s.AWESelectChecked);
    EXPECT_EQ(p.ini.GetIniSetting(IniSettings, "AWE32"), "Yes");
    w.mnuMiscAWESelect_Click();
    EXPECT_FALSE(w.MenuChecked("mnuMiscAWESelect"));
    EXPECT_FALSE(p.s.AWESelectChecked);
    EXPECT_EQ(p.ini.GetIniSetting(IniSettings, "AWE32"), "No");
}

TEST_F(MainWindow, MenuOpenersWithNoPieceOpen) {
    Load();
    w.lblTimeElapsed->setText("1:00");
    w.StatusBar1->SetLine("help");

    // Edit and Play warn with a title of three blanks and keep MenuActive.
    for (const char* menu : {"mnuEdit", "mnuPlay"}) {
        p.msg.AnswerOk();
        OpenMenu(menu);
        ASSERT_FALSE(p.msg.shown.empty()) << menu;
        EXPECT_EQ(p.msg.Last().Text, "No file has yet been opened");
        EXPECT_EQ(p.msg.Last().Code, 48);
        EXPECT_EQ(p.msg.Last().Title, std::optional<std::string>("   "));
        EXPECT_EQ(p.s.MenuActive, 1) << menu;
        EXPECT_EQ(w.lblTimeElapsed->text(), "1:00") << menu;
    }
    // Add/Edit/Scan Notes chosen anyway: the warning again, nothing else.
    p.msg.AnswerOk();
    Choose("mnuEdtNotes");
    EXPECT_EQ(p.msg.shown.size(), 3u);
    EXPECT_EQ(p.msg.Last().Title, std::optional<std::string>("   "));
    EXPECT_TRUE(EntryBoxesHiddenAndEmpty());
    EXPECT_EQ(w.StatusBar2->Line(), "Select a Menu Item");
    EXPECT_EQ(p.s.MenuMode, "");

    // Miscellaneous clears MenuActive and the time field without a piece.
    w.Label3->setText("Durations");
    OpenMenu("mnuMisc");
    EXPECT_EQ(p.s.MenuActive, 0);
    EXPECT_EQ(w.Label3->text(), "Items Entered");
    EXPECT_EQ(w.lblTimeElapsed->text(), "");
    EXPECT_EQ(w.StatusBar1->Line(), "help");

    // File clears the help line too.
    OpenMenu("mnuFile");
    EXPECT_EQ(w.StatusBar1->Line(), "");
    EXPECT_EQ(p.msg.shown.size(), 3u);
}

TEST_F(MainWindow, PlayOpenerWithAPieceShowsDurations) {
    Load();
    OpenPiece(4);
    w.lblTimeElapsed->setText("1:00");
    OpenMenu("mnuPlay");
    EXPECT_EQ(w.Label3->text(), "Durations");
    EXPECT_EQ(p.s.MenuActive, 0);
    EXPECT_EQ(w.lblTimeElapsed->text(), "");
}

TEST_F(MainWindow, ScreenServicesWorkOnTheWidgets) {
    Load();
    w.SetText(Box::Note, "\xE9t\xE9"); // one-byte text
    EXPECT_EQ(w.txtNote->text(), QString::fromUtf8("été"));
    EXPECT_EQ(w.Text(Box::Note), "\xE9t\xE9");
    w.SetStatus1("one");
    w.SetStatus2("two");
    EXPECT_EQ(w.StatusBar1->text(), "one");
    EXPECT_EQ(w.StatusBar2->text(), "two");
    w.SetTrackFigure(95, "1920");
    EXPECT_EQ(w.lblTrkDat(95)->text(), "1920");

    w.SetCaption("lblTitle", "SONG");
    EXPECT_EQ(w.lblTitle->text(), "SONG");
    w.SetCaption("frmKVS", "Tonquill - Current File Directory: /x");
    EXPECT_EQ(w.Caption("frmKVS"), "Tonquill - Current File Directory: /x");
    EXPECT_EQ(w.Caption("Label3"), "Items Entered");
    w.SetCaption("lblTrackDesc", "A long description of the track");
    EXPECT_GT(w.lblTrackDesc->width(), 100);
    EXPECT_THROW(w.SetCaption("lblNothing", "x"), VbError);

    w.SetMenuEnabled("mnuMiscInit", false);
    EXPECT_FALSE(w.Menus().Enabled("mnuMiscInit"));

    w.ShowRecentPieces({"/a/A.TNQ/A.TNQ", "/b/B.TNQ/B.TNQ"});
    EXPECT_TRUE(w.Menus().Item("mnuFileArray(0)")->isVisible());
    EXPECT_EQ(w.Caption("mnuFileArray(2)"), "/b/B.TNQ/B.TNQ");
    w.ShowRecentPieces({});
    EXPECT_FALSE(w.Menus().Item("mnuFileArray(0)")->isVisible());
    EXPECT_EQ(w.Menus().Item("mnuFileArray(1)"), nullptr);

    // The heading stays first whatever the other rows begin with.
    w.SetTrackList({"  Track Descriptions", "03 Viola", "\x01\x01 x", "   A", "02 Bass"}, 0);
    EXPECT_EQ(w.cboTracks->Rows(), (std::vector<std::string>{"  Track Descriptions",
                                                             "\x01\x01 x", "   A", "02 Bass",
                                                             "03 Viola"}));
    EXPECT_EQ(w.cboTracks->currentText(), "  Track Descriptions");

    w.SetHourglass(true);
    w.SetHourglass(true);
    EXPECT_NE(QGuiApplication::overrideCursor(), nullptr);
    w.SetHourglass(false);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    // A focus move asked for by a command happens once it has returned.
    w.ShowEntryHelp();
    w.SetFocus(Box::Dur);
    EXPECT_NE(w.focusWidget(), w.txtDur);
    Settle();
    EXPECT_EQ(w.focusWidget(), w.txtDur);
    EXPECT_EQ(w.Forms().Focus().Owner(), w.txtDur);
}

TEST_F(MainWindow, RunTimeErrorOfACommandIsReportedAndTheWindowGoesOn) {
    Load();
    p.s.PieceOpen = 1; // but no score allocated
    p.msg.AnswerOk();
    Choose("mnuEdtNotes");
    ASSERT_EQ(p.msg.shown.size(), 1u);
    EXPECT_EQ(p.msg.Last().Text.rfind("Run-time error '9':", 0), 0u);
    EXPECT_EQ(p.msg.Last().Code, mb::Critical);
}

TEST_F(MainWindow, ScreenshotInMenuMode) {
    p.ini.SetIniSetting(IniSettings, "File1", "/home/user/Tonquill/MINUET.TNQ/MINUET.TNQ");
    Load();
    OpenPiece(32);
    for (int t = 1; t <= 32; ++t) p.s.ItemCount(t) = static_cast<Integer>(t * 37 % 500);
    ShowTrackCounts(c);
    w.SetCaption("lblTitle", "MINUET");
    const QImage image = w.grab().toImage();
    // The window's own colour shows around the controls.
    EXPECT_EQ(image.pixelColor(w.Client()->mapTo(&w, QPoint(3, 3))), QColor(255, 192, 192));
}

} // namespace
} // namespace tnq
