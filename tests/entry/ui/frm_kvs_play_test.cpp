// The Play menu and File > Recalc driven headless as a new user drives
// them: tracks recalculated, checked for balance, suppressed, written as a
// modified .MID file, reinstated, measured over a bar range, and the file
// handed to the player.
#include "core/track_files.h"
#include "core/ui/frm_track_sel.h"
#include "entry/ui/entry_window.h"
#include "midifile/mid_fixture.h"
#include "midifile/ui/frm_balance.h"
#include "midifile/ui/frm_mid_file.h"
#include "platform/ui/qt_launcher.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include <filesystem>
#include <string>
#include <vector>

namespace tnq {
namespace {

namespace fs = std::filesystem;
using test::WhenShownModal;

class PlayMenu : public test::EntryWindowBase {
protected:
    void SetUp() override {
        test::EntryWindowBase::SetUp();
        c.launcher = &p.launcher;
    }
    // Writes a track file of the open piece.
    void WriteTrack(int t, const std::vector<TrackItemRecord>& items) {
        std::string bytes;
        for (const auto& r : items) bytes += EncodeRecord(r);
        bytes += EncodeRecord(kEndRecord);
        test::WriteFile(TrackFilePath(p.s, p.s.PieceTitle, t), bytes);
    }
    // n notes or rests of a duration, in bars of four quarters from bar 1.
    static std::vector<TrackItemRecord> Notes(const char* note, int n, const char* dur = "q") {
        std::vector<TrackItemRecord> items;
        for (int k = 0; k < n; ++k)
            items.push_back({note, "4", dur, "0", note[0] == 'R' ? "0" : "90",
                             std::to_string(k / 4 + 1), "2", "0"});
        return items;
    }
    // Chooses tracks in the track-selection dialog and presses OK; the
    // caption it was shown with is kept.
    void ChooseTracks(std::vector<int> tracks) {
        WhenShownModal([this, tracks](QWidget* d) {
            auto* f = qobject_cast<FrmTrackSel*>(d);
            ASSERT_NE(f, nullptr);
            selCaption = f->windowTitle().toStdString();
            // The boxes keep their marks from the last use: cleared first.
            f->chkClear->click();
            for (int t : tracks) f->chkTrack(t)->click();
            f->btnSelTrkOK->click();
        });
    }
    std::string Figure(int t) const { return w.lblTrkDat(t - 1)->text().toStdString(); }
    std::string Active() const { return p.s.ActiveTracks.substr(0, 4); }

    std::string selCaption;
};

TEST_F(PlayMenu, SuppressWriteReinstateBalanceAndPlay) {
    Load();
    NewPiece("DUO");
    if (HasFatalFailure()) return;
    Press(Qt::Key_Escape); // back to the menus
    // Three tracks typed elsewhere: track 3's bar 2 a half note longer.
    WriteTrack(1, Notes("R", 8));
    WriteTrack(2, Notes("C", 8));
    auto longer = Notes("E", 8);
    longer.push_back({"G", "4", "h", "0", "90", "2", "2", "0"});
    WriteTrack(3, longer);

    // File > Recalc on the three tracks.
    OpenMenu(w, "mnuFile");
    ChooseTracks({1, 2, 3});
    Choose(w, "mnuFilRecalc");
    EXPECT_EQ(selCaption, "Select Tracks");
    EXPECT_EQ(p.s.ItemCount(3), 9);
    EXPECT_EQ(Figure(3), "9");
    EXPECT_EQ(w.StatusBar2->Line(), "Select a menu item");

    // Play > Check Tracks for Balance: out.
    OpenMenu(w, "mnuPlay");
    EXPECT_EQ(w.Label3->text(), "Durations");
    p.msg.AnswerOk();
    Choose(w, "mnuPlyMusic");
    EXPECT_EQ(p.msg.Last().Text, "Tracks out of balance");
    EXPECT_EQ(p.msg.Last().Title, std::optional<std::string>("Tonquill"));
    EXPECT_EQ(Figure(2), "3840");
    EXPECT_EQ(Figure(3), "4800");

    // Suppress track 3; now in balance.
    OpenMenu(w, "mnuPlay");
    ChooseTracks({3});
    Choose(w, "mnuPlySuppress");
    EXPECT_EQ(selCaption, "Suppress");
    EXPECT_EQ(FrmTrackSel::Of(&w).windowTitle(), "Select Tracks");
    EXPECT_EQ(Active(), "1101");
    OpenMenu(w, "mnuPlay");
    p.msg.AnswerOk();
    Choose(w, "mnuPlyMusic");
    EXPECT_EQ(p.msg.Last().Text, "Tracks are in balance");
    EXPECT_EQ(Figure(3), "0");
    EXPECT_EQ(p.s.RecalcDone, 0); // a track is suppressed

    // Play > Make (Modified) .mid File: track 3 silent, as long as it is.
    OpenMenu(w, "mnuPlay");
    std::string caption;
    WhenShownModal([&](QWidget* d) {
        caption = d->windowTitle().toStdString();
        qobject_cast<FrmMidFile*>(d)->btnOK->click();
    });
    Choose(w, "mnuModPlayMid");
    EXPECT_EQ(caption, "Create (Modified) .Mid File");
    const fs::path mid = fs::path(p.s.FilePath) / "DUO.TNQ" / "DUO.MID";
    ASSERT_TRUE(fs::exists(mid));
    const test::CsvResult csv = test::ExpectReadable(mid);
    EXPECT_EQ(csv.Of(2, "Note_on_c").size(), 16u);
    EXPECT_TRUE(csv.Of(3, "Note_on_c").empty());
    ASSERT_EQ(csv.Of(3, "End_track").size(), 1u);
    EXPECT_EQ(csv.Of(3, "End_track")[0].Time, 4800);
    EXPECT_EQ(csv.Of(2, "End_track")[0].Time, 3840);

    // Reinstate track 3.
    OpenMenu(w, "mnuPlay");
    ChooseTracks({3});
    Choose(w, "mnuPlyReinstate");
    EXPECT_EQ(selCaption, "Reinstate");
    EXPECT_EQ(Active(), "1111");

    // Balance Tracks over bar 2, typed into the dialog.
    OpenMenu(w, "mnuPlay");
    WhenShownModal([&](QWidget* d) {
        auto* f = qobject_cast<FrmBalance*>(d);
        ASSERT_NE(f, nullptr);
        QTest::keyClicks(f->txtFrom, "2");
        QTest::keyClick(f->txtFrom, Qt::Key_Return);
        QTest::keyClicks(f->txtTo, "2");
        f->btnOK->click();
    });
    Choose(w, "mnuPlyBalance");
    EXPECT_EQ(w.StatusBar1->Line(), "Checking from bar 2 to bar 2");
    EXPECT_EQ(Figure(1), "1920");
    EXPECT_EQ(Figure(2), "1920");
    EXPECT_EQ(Figure(3), "2880");
    EXPECT_EQ(Figure(4), "0");

    // Play .MID File: the player gets the file's path.
    OpenMenu(w, "mnuPlay");
    Choose(w, "mnuPlayMid");
    ASSERT_EQ(p.launcher.started.size(), 1u);
    EXPECT_EQ(p.launcher.started[0].Program, "xdg-open");
    EXPECT_EQ(p.launcher.started[0].Arguments, std::vector<std::string>{mid.string()});
    EXPECT_TRUE(p.msg.AllAnswersUsed());
}

TEST_F(PlayMenu, APlayerThatFailsAtOnceIsNotAvailable) {
    Load();
    NewPiece("DUO");
    if (HasFatalFailure()) return;
    Press(Qt::Key_Escape);
    QtLauncher launcher;
    c.launcher = &launcher;
    // A player that ends well says nothing; one that ends with a failure (a
    // file opener finding no program for .MID files) is reported once it has
    // ended, the command not waiting for it.
    p.s.DefaultPlayer = "true";
    OpenMenu(w, "mnuPlay");
    Choose(w, "mnuPlayMid");
    QTest::qWait(500);
    EXPECT_EQ(Boxes(), 0u);
    p.s.DefaultPlayer = "false";
    OpenMenu(w, "mnuPlay");
    p.msg.AnswerOk();
    Choose(w, "mnuPlayMid");
    EXPECT_TRUE(QTest::qWaitFor([&] { return Boxes() > 0; }, 3000));
    ASSERT_EQ(Boxes(), 1u);
    EXPECT_EQ(p.msg.Last().Text, "Program false is not available. Check if you have this program "
                                 "or select another one (Miscellaneous; Select Default Player");
    EXPECT_EQ(p.msg.Last().Code, 64);
    EXPECT_EQ(p.msg.Last().Title, std::optional<std::string>("Play .MID File"));
}

TEST_F(PlayMenu, WithoutAPieceEveryCommandSaysSo) {
    Load();
    // Opening the Play menu says so too, and the menu opens all the same.
    const QString heading = w.Label3->text();
    p.msg.AnswerOk();
    bool opened = false;
    QObject::connect(w.Menus().Menu("mnuPlay"), &QMenu::aboutToShow, [&] { opened = true; });
    OpenMenu(w, "mnuPlay");
    EXPECT_TRUE(opened);
    EXPECT_EQ(p.msg.Last().Text, "No file has yet been opened");
    EXPECT_EQ(w.Label3->text(), heading);
    for (const char* item : {"mnuPlyMusic", "mnuPlyBalance", "mnuPlySuppress", "mnuPlyReinstate",
                             "mnuModPlayMid", "mnuPlayMid"}) {
        p.msg.AnswerOk();
        Choose(w, item);
        EXPECT_EQ(p.msg.Last().Text, "No file has yet been opened") << item;
    }
    p.msg.AnswerOk();
    Choose(w, "mnuFilRecalc");
    EXPECT_EQ(p.msg.Last().Text, "No file has yet been opened");
    EXPECT_TRUE(p.launcher.started.empty());
    // The auxiliary program needs no piece.
    p.s.AuxiliaryProgram = "/usr/bin/my tool";
    Choose(w, "mnuPlayAuxiliary");
    ASSERT_EQ(p.launcher.started.size(), 1u);
    EXPECT_EQ(p.launcher.started[0].Program, "/usr/bin/my tool");
}

} // namespace
} // namespace tnq
