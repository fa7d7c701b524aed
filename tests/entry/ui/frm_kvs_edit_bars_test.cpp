// Renumber Bars, Delete by Bar, Punch In/Out, the rests, the two-note
// pattern and staccato through the Edit menu of the main window, driven headless as a user drives them: the track
// selection, the commands' own dialogs, the track files and the .MID file
// written afterwards.
#include "core/track_files.h"
#include "core/ui/frm_track_sel.h"
#include "editing/ui/frm_cc_prep.h"
#include "editing/ui/frm_delete_by_bar.h"
#include "editing/ui/frm_punch.h"
#include "editing/ui/frm_staccato.h"
#include "editing/ui/frm_two_note.h"
#include "entry/ui/entry_window.h"
#include "midifile/mid_fixture.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <string>
#include <vector>

namespace tnq {
namespace {

using test::Settle;

// Runs act on the modal dialog of class F once it is up (polled: the
// command that shows it may show another window first).
template <class F> void WhenUp(std::function<void(F&)> act) {
    auto* timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, act, tries = 0]() mutable {
        auto* d = qobject_cast<F*>(QApplication::activeModalWidget());
        if (!d && ++tries < 250) return;
        timer->stop();
        timer->deleteLater();
        if (!d) {
            ADD_FAILURE() << "the dialog is not shown";
            return;
        }
        if (!QTest::qWaitForWindowActive(d)) qWarning("dialog not active");
        Settle();
        act(*d);
    });
    timer->start();
}

class EditBars : public test::MovedPieceRoad {
protected:
    // Two half notes a bar, for the bars given in turn.
    static std::vector<TrackItemRecord> Halves(std::vector<int> bars, const char* a,
                                               const char* b, const char* channel) {
        std::vector<TrackItemRecord> r;
        for (int bar : bars)
            for (const char* n : {a, b})
                r.push_back({n, "4", "h", "0", "64", std::to_string(bar), channel, "0"});
        return r;
    }
    // Chooses tracks in the track-selection dialog and presses OK.
    void ChooseTracks(std::vector<int> tracks) {
        WhenUp<FrmTrackSel>([tracks](FrmTrackSel& f) {
            f.chkClear->click();
            for (int t : tracks) f.chkTrack(t)->click();
            f.btnSelTrkOK->click();
        });
    }
    // Make .MID writes a file that sounds notes, none of them key 0.
    void ExpectMidWithoutKeyZero() {
        ASSERT_TRUE(MakeMidWithOk());
        const test::CsvResult csv = test::ExpectReadable(MidFilePath(p.s));
        int notes = 0;
        for (const auto& r : csv.Records) {
            if (r.Type != "Note_on_c") continue;
            ++notes;
            EXPECT_NE(r.Fields.at(1), "0") << "chunk " << r.Track;
        }
        EXPECT_GT(notes, 0);
    }
    static void Field(QWidget* dialog, const char* text) {
        QTest::keyClicks(dialog->focusWidget(), text);
        test::Key(dialog, Qt::Key_Return);
    }
};

TEST_P(EditBars, RenumberDeleteAndPunchFromTheEditMenu) {
    Load();
    NewPiece("BARS");
    if (HasFatalFailure()) return;
    Press(Qt::Key_Escape);
    // Bars 1 2 3 4, then 3 4 again.
    WriteTrackFile(2, Halves({1, 2, 3, 4, 3, 4}, "C", "G", "2"));
    WriteTrackFile(3, Halves({1, 2, 3, 4, 3, 4}, "E", "B", "3"));
    OpenMenu(w, "mnuFile");
    ChooseTracks({2, 3});
    Choose(w, "mnuFilRecalc");
    ASSERT_EQ(Count(3), 12);

    // Edit > Renumber Bars, Yes to the question.
    OpenMenu(w, "mnuEdit");
    p.msg.Answer(mb::Yes);
    Choose(w, "mnuEdtRenumber");
    EXPECT_EQ(p.msg.Last().Title, "Renumber bars");
    EXPECT_EQ(TrackRecords(2), Halves({1, 2, 3, 4, 5, 6}, "C", "G", "2"));
    EXPECT_EQ(TrackRecords(3), Halves({1, 2, 3, 4, 5, 6}, "E", "B", "3"));

    // Edit > Delete by Bar: bars 3-4 of both tracks, the numbers closed up.
    OpenMenu(w, "mnuEdit");
    ChooseTracks({2, 3});
    bool deleteShown = false;
    WhenUp<FrmDeletebyBar>([&](FrmDeletebyBar& d) {
        deleteShown = true;
        Field(&d, "3");
        Field(&d, "4");
        d.chkAdjust->click();
        Settle();
        d.btnOK->click();
    });
    Choose(w, "MnuEdtDelete");
    EXPECT_TRUE(deleteShown);
    EXPECT_EQ(TrackRecords(2), Halves({1, 2, 3, 4}, "C", "G", "2"));
    EXPECT_EQ(TrackRecords(3), Halves({1, 2, 3, 4}, "E", "B", "3"));
    EXPECT_EQ(Count(2), 8);
    EXPECT_EQ(w.StatusBar2->Line(), "Select a menu item");

    // Edit > Punch In/Punch Out: an A in at bar 2, beat 2 in half notes,
    // then out again from track 3 only.
    OpenMenu(w, "mnuEdit");
    ChooseTracks({2, 3});
    WhenUp<FrmPunch>([&](FrmPunch& d) {
        d.optPunchIn->click();
        Settle();
        Field(&d, "2"); // At Bar
        Field(&d, "1");
        Field(&d, "2");
        Field(&d, "h");
        Field(&d, "2"); // Measure
        Field(&d, "a");
        Field(&d, "3");
        Field(&d, "q");
        d.btnOK->click();
    });
    Choose(w, "mnuEdtPunch");
    auto two = Halves({1, 2, 3, 4}, "C", "G", "2");
    auto three = Halves({1, 2, 3, 4}, "E", "B", "3");
    two.insert(two.begin() + 3, {"A", "3", "q", "0", "64", "2", "2", "0"});
    auto threeWithA = three;
    threeWithA.insert(threeWithA.begin() + 3, {"A", "3", "q", "0", "64", "2", "3", "0"});
    EXPECT_EQ(TrackRecords(2), two);
    EXPECT_EQ(TrackRecords(3), threeWithA);
    EXPECT_EQ(p.s.SelectedTracks.substr(0, 4), "1111");

    OpenMenu(w, "mnuEdit");
    ChooseTracks({3});
    WhenUp<FrmPunch>([&](FrmPunch& d) {
        d.optPunchOut->click();
        Settle();
        test::Key(&d, Qt::Key_Return); // At Bar kept: Measure follows it
        d.btnOK->click();
    });
    Choose(w, "mnuEdtPunch");
    EXPECT_EQ(TrackRecords(3), three);
    EXPECT_EQ(TrackRecords(2), two);

    // Track 3 made as long as track 2 for the .MID file: no note of key 0.
    WriteTrackFile(3, threeWithA);
    OpenMenu(w, "mnuFile");
    ChooseTracks({3});
    Choose(w, "mnuFilRecalc");
    ExpectMidWithoutKeyZero();
}

TEST_F(EditBars, ReopenedWithoutSavingDeleteByBarTakesTheBarsTheFileHolds) {
    Load();
    NewPiece("BARS");
    if (HasFatalFailure()) return;
    Press(Qt::Key_Escape);
    // Bars 1 to 3, then 2 to 5, recalculated and saved.
    WriteTrackFile(2, Halves({1, 2, 3, 2, 3, 4, 5}, "C", "G", "2"));
    OpenMenu(w, "mnuFile");
    ChooseTracks({2});
    Choose(w, "mnuFilRecalc");
    OpenMenu(w, "mnuFile");
    Choose(w, "mnuFilSave");

    // Edit > Renumber Bars: the file's bars run 1 to 7, and what the saved
    // piece calls bar 5 the file calls bar 7.
    OpenMenu(w, "mnuEdit");
    p.msg.Answer(mb::Yes);
    Choose(w, "mnuEdtRenumber");
    ASSERT_EQ(TrackRecords(2), Halves({1, 2, 3, 4, 5, 6, 7}, "C", "G", "2"));

    // File > Exit, No to saving the changes; a fresh start reopens the
    // piece from the File menu.
    OpenMenu(w, "mnuFile");
    p.msg.Answer(mb::No);
    Choose(w, "mnuFilExit");
    ASSERT_FALSE(w.isVisible());
    p.s.PieceLock.Release(); // the first run ended
    State s2;
    FrmKVS w2;
    Context c2{s2, p.msg, p.ini, w2, p.sys};
    w2.Attach(&c2);
    w2.Form_Load();
    ASSERT_TRUE(test::ShowActive(&w2));
    OpenMenu(w2, "mnuFile");
    Choose(w2, "mnuFileArray(1)");
    ASSERT_EQ(s2.PieceTitle, "BARS");
    EXPECT_EQ(s2.PieceChanged, 1) << "the snapshot saved is not the piece's";

    // Edit > Delete by Bar 5: what the file calls bar 5 goes.
    OpenMenu(w2, "mnuEdit");
    ChooseTracks({2});
    WhenUp<FrmDeletebyBar>([&](FrmDeletebyBar& d) {
        Field(&d, "5");
        Field(&d, "5");
        d.btnOK->click();
    });
    Choose(w2, "MnuEdtDelete");
    EXPECT_EQ(TrackRecords(2), Halves({1, 2, 3, 4, 6, 7}, "C", "G", "2"));
    EXPECT_TRUE(p.msg.AllAnswersUsed());
}

TEST_F(EditBars, PunchInARestTwiceKeepsItSilent) {
    Load();
    NewPiece("HUSH");
    if (HasFatalFailure()) return;
    Press(Qt::Key_Escape);
    WriteTrackFile(2, Halves({1}, "C", "G", "2"));
    OpenMenu(w, "mnuFile");
    ChooseTracks({2});
    Choose(w, "mnuFilRecalc");
    // A rest at the end of track 2, twice: the second time Note Name keeps
    // its "R" and OK is pressed without going through it.
    for (int time = 0; time < 2; ++time) {
        OpenMenu(w, "mnuEdit");
        ChooseTracks({2});
        WhenUp<FrmPunch>([&](FrmPunch& d) {
            d.optPunchIn->click();
            d.chkLastItem->click();
            Settle();
            Field(&d, "2"); // Measure
            if (time == 0) {
                Field(&d, "r");
                Field(&d, "q");
            }
            d.btnOK->click();
        });
        Choose(w, "mnuEdtPunch");
    }
    auto want = Halves({1}, "C", "G", "2");
    want.insert(want.end(), 2, {"R", "0", "q", "0", "0", "2", "2", "0"});
    EXPECT_EQ(TrackRecords(2), want);
    ExpectMidWithoutKeyZero();
}

TEST_P(EditBars, RestsPatternAndStaccatoFromTheEditMenu) {
    Load();
    NewPiece("GRID");
    if (HasFatalFailure()) return;
    Press(Qt::Key_Escape);
    WriteTrackFile(2, Halves({1, 2, 3, 4}, "C", "G", "2"));
    WriteTrackFile(3, Halves({1, 2, 3, 4}, "E", "B", "3"));
    OpenMenu(w, "mnuFile");
    ChooseTracks({2, 3});
    Choose(w, "mnuFilRecalc");
    ASSERT_EQ(Count(3), 8);

    // Edit > Set Up a 2 Note Pattern: bar 2 of track 2, C4 and E4 in eighths.
    OpenMenu(w, "mnuEdit");
    ChooseTracks({2});
    bool patternShown = false;
    WhenUp<FrmTwoNote>([&](FrmTwoNote& d) {
        patternShown = true;
        Field(&d, "2");
        Field(&d, "2");
        Field(&d, "c");
        Field(&d, "4"); // Octave 2 follows
        Field(&d, "e");
        Field(&d, "");
        Field(&d, "e");
        Field(&d, "8");
        d.btnOK->click();
    });
    Choose(w, "mnuEdtTwoNote");
    EXPECT_TRUE(patternShown);
    auto two = Halves({1}, "C", "G", "2");
    for (int k = 0; k < 8; ++k)
        two.push_back({k % 2 ? "E" : "C", "4", "e", "0", "64", "2", "2", "0"});
    for (const auto& r : Halves({3, 4}, "C", "G", "2")) two.push_back(r);
    EXPECT_EQ(TrackRecords(2), two);
    EXPECT_EQ(Count(2), 14);

    // Edit > Apply Staccato, bar 1 of track 3 in halves, then reversed.
    OpenMenu(w, "mnuEdit");
    ChooseTracks({3});
    WhenUp<FrmStaccato>([&](FrmStaccato& d) {
        Field(&d, "1");
        Field(&d, "1");
        d.btnOK->click();
    });
    Choose(w, "mnuEdtStaccato");
    auto three = Halves({1, 2, 3, 4}, "E", "B", "3");
    std::vector<TrackItemRecord> split = {{"E", "4", "q", "0", "64", "1", "3", "0"},
                                          {"R", "0", "q", "0", "0", "1", "3", "0"},
                                          {"B", "4", "q", "0", "64", "1", "3", "0"},
                                          {"R", "0", "q", "0", "0", "1", "3", "0"}};
    split.insert(split.end(), three.begin() + 2, three.end());
    EXPECT_EQ(TrackRecords(3), split);

    OpenMenu(w, "mnuEdit");
    ChooseTracks({3});
    p.msg.AnswerOk();
    WhenUp<FrmStaccato>([&](FrmStaccato& d) {
        EXPECT_EQ(d.txtFrom->text(), "1");
        d.btnOK->click();
    });
    Choose(w, "mnuEdtReverseStac");
    EXPECT_EQ(p.msg.Last().Title, "Reverse Staccato");
    EXPECT_EQ(TrackRecords(3), three);

    // Edit > Set a Track to Rests on track 3, then a grid of quarter rests
    // over its bars 3 and 4.
    OpenMenu(w, "mnuEdit");
    ChooseTracks({3});
    p.msg.Answer(mb::Yes);
    Choose(w, "mnuEdtRests");
    EXPECT_EQ(p.msg.Last().Title, "Set Track to Rests");
    std::vector<TrackItemRecord> rests;
    for (auto r : three) {
        r.Note = "R";
        r.Dynamics = "0";
        rests.push_back(r);
    }
    EXPECT_EQ(TrackRecords(3), rests);

    OpenMenu(w, "mnuEdit");
    ChooseTracks({3});
    WhenUp<FrmCCPrep>([&](FrmCCPrep& d) {
        Field(&d, "3");
        Field(&d, "4");
        Field(&d, "Q");
        Field(&d, "4");
        d.btnOK->click();
    });
    Choose(w, "mnuEdtCC");
    rests.resize(4);
    for (int bar : {3, 4})
        for (int k = 0; k < 4; ++k)
            rests.push_back({"R", "0", "q", "0", "0", std::to_string(bar), "3", "0"});
    EXPECT_EQ(TrackRecords(3), rests);
    EXPECT_EQ(Count(3), 12);
    EXPECT_EQ(w.StatusBar2->Line(), "Select a menu item");

    ExpectMidWithoutKeyZero();
}

INSTANTIATE_TEST_SUITE_P(Road, EditBars, ::testing::Bool(), test::MovedPieceName);

} // namespace
} // namespace tnq
