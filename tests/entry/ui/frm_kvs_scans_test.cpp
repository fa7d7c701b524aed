// The scans of the item box, Revise Bar Numbers and the special-item picker
// driven headless as a user drives them, on a copy of a sample piece: the
// dialogs, the screen after each scan, the track file and the .MID file.
#include "core/track_files.h"
#include "entry/ui/entry_window.h"
#include "entry/ui/frm_note_options.h"
#include "entry/ui/frm_revise_bar_nos.h"
#include "entry/ui/kvs_dialogs.h"

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QPushButton>

#include <filesystem>
#include <string>
#include <vector>

namespace tnq {
namespace {

namespace fs = std::filesystem;
using test::Settle;

class ScanKeys : public test::EntryWindowBase {
protected:
    std::string Item() const { return Text(w.txtItem); }
    // Up arrow until the item box has the focus.
    void BackToItem() {
        for (int i = 0; i < 6 && Focus() != w.txtItem; ++i) Press(Qt::Key_Up);
        ASSERT_EQ(Focus(), w.txtItem);
    }
    // Keys typed at the focused control of a dialog.
    static void DialogKey(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), key, mods);
        Settle();
    }
    static void DialogType(const char* text) {
        QTest::keyClicks(QApplication::focusWidget(), text);
        Settle();
    }
    static std::string FocusName() {
        QWidget* f = QApplication::focusWidget();
        return f ? f->objectName().toStdString() : "";
    }
};

TEST_F(ScanKeys, ScansRenumberingAndPickerOnASamplePiece) {
    Load();
    OpenSample("MINUET");
    if (HasFatalFailure()) return;
    const fs::path dir = fs::path(p.s.FilePath) / "MINUET.TNQ";
    const std::string before = test::ReadFile(dir / "MINUET02");
    const std::string track1 = test::ReadFile(dir / "MINUET01");
    const int count = Count(2);
    ASSERT_GE(count, 40);

    // Item 20 moves to channel 3.
    ToTrack("2");
    Field("20");
    ASSERT_EQ(Focus(), w.txtChannel);
    Field("3");
    Press(Qt::Key_F12);
    EXPECT_EQ(Item(), "21");

    // F8 from item 21 goes round the track to item 20; F12 then stores the
    // item the boxes show where they show it.
    BackToItem();
    FKey(8);
    EXPECT_EQ(Item(), " 20");
    EXPECT_EQ(Text(w.txtChannel), "3");
    EXPECT_EQ(Focus(), w.txtItem);
    Press(Qt::Key_F12);
    EXPECT_EQ(Item(), "21");
    EXPECT_EQ(Boxes(), 0u);

    // F7: the legato scan of the whole piece. F12, Esc and a letter typed
    // while it runs do nothing.
    BackToItem();
    for (Qt::Key k : {Qt::Key_F12, Qt::Key_Escape, Qt::Key_X}) {
        QCoreApplication::postEvent(w.txtItem, new QKeyEvent(QEvent::KeyPress, k, Qt::NoModifier,
                                                             k == Qt::Key_X ? "x" : ""));
    }
    p.msg.AnswerOk();
    FKey(7);
    EXPECT_EQ(p.msg.Last().Text, "No missing or duplicate items found");
    EXPECT_EQ(p.msg.Last().Code, 64);
    EXPECT_TRUE(w.txtItem->isVisible()); // still entering items
    EXPECT_FALSE(w.txtChannel->isVisible());
    EXPECT_EQ(Text(w.txtTrack), " 1");
    EXPECT_EQ(Item(), " 1");
    EXPECT_EQ(Text(w.txtNote), "TEMPO");
    EXPECT_EQ(p.s.CurrentTrack, 1);
    EXPECT_EQ(test::ReadFile(dir / "MINUET01"), track1);
    EXPECT_EQ(Count(2), count);
    EXPECT_EQ(Boxes(), 1u);

    // F6 in the bar box of item 30: items 30..32 go to bar 99; a bar of
    // 10000 is refused first.
    ToTrack("2");
    Field("30");
    Enter();
    ASSERT_EQ(Focus(), w.txtBar);
    bool renumbered = false;
    test::WhenDialogShown<FrmReviseBarNos>(
        [&](FrmReviseBarNos& f) {
            Settle(); // its activation has run
            EXPECT_EQ(f.windowTitle(), "Revise Bar Numbers");
            EXPECT_TRUE(f.optBarno->isChecked());
            EXPECT_EQ(f.lblNoItems->text(), "No. of Items");
            EXPECT_EQ(FocusName(), "txtFromItem");
            DialogType("30");
            DialogKey(Qt::Key_Return);
            DialogType("3");
            DialogKey(Qt::Key_Return);
            DialogType("10000");
            DialogKey(Qt::Key_Return);
            EXPECT_EQ(FocusName(), "btnOK");
            DialogKey(Qt::Key_Return);
            EXPECT_TRUE(f.isVisible());
            DialogKey(Qt::Key_Up);
            EXPECT_EQ(FocusName(), "txtBarNumber");
            DialogType("-1"); // in range for an offset, not for a bar
            DialogKey(Qt::Key_Return);
            DialogKey(Qt::Key_Return);
            EXPECT_TRUE(f.isVisible());
            EXPECT_EQ(FocusName(), "txtBarNumber");
            DialogType("99");
            DialogKey(Qt::Key_Return);
            DialogKey(Qt::Key_Return);
            renumbered = !f.isVisible();
        },
        [](FrmReviseBarNos& f) { f.btnCancel->click(); });
    FKey(6);
    EXPECT_TRUE(renumbered);
    EXPECT_EQ(Item(), "32");
    EXPECT_EQ(Text(w.txtBar), "99");
    EXPECT_EQ(Focus(), w.txtBar);
    for (int i = 30; i <= 32; ++i) EXPECT_EQ(p.s.BarNo(2, i), 99) << i;

    // F7 in the note box of item 5 (the LOCAT mark): the picker's PORTS.
    ToTrack("2");
    Field("5");
    Enter();
    Enter();
    ASSERT_EQ(Focus(), w.txtNote);
    EXPECT_EQ(Text(w.txtNote), "LOCAT");
    test::WhenDialogShown<FrmNoteOptions>(
        [&](FrmNoteOptions& f) {
            Settle();
            QTest::mouseClick(f.Option(15), Qt::LeftButton);
            Settle();
            DialogKey(Qt::Key_Return);
        },
        [](FrmNoteOptions& f) { f.btnCancel->click(); });
    FKey(7);
    EXPECT_EQ(Text(w.txtNote), "PORTS");
    EXPECT_EQ(Status(), "Press <ENTER> to accept");
    EXPECT_FALSE(w.Dialogs().frmNoteOptions.Loaded());
    Enter();
    ASSERT_EQ(Focus(), w.txtDyn);
    EXPECT_EQ(Status(), "Ports are 0-9");
    Type("1");
    Press(Qt::Key_F12);
    EXPECT_EQ(Item(), "6");
    EXPECT_EQ(Boxes(), 1u);
    EXPECT_TRUE(p.msg.AllAnswersUsed());

    // Esc, File > Save.
    ExitAndSave();
    EXPECT_EQ(p.s.PieceChanged, 0);

    // The track file: item 5 a port, item 20 on channel 3, items 30..32 in
    // bar 99; every other record as it was.
    const std::string after = test::ReadFile(dir / "MINUET02");
    ASSERT_EQ(after.size(), before.size());
    for (int i = 1; i * kRecordLength <= before.size(); ++i) {
        SCOPED_TRACE("record " + std::to_string(i));
        const std::size_t at = (i - 1) * kRecordLength;
        TrackItemRecord old = DecodeRecord(before.substr(at, kRecordLength));
        const TrackItemRecord now = DecodeRecord(after.substr(at, kRecordLength));
        if (i == 5) {
            EXPECT_EQ(Trim(now.Note), "PORTS");
            EXPECT_EQ(Trim(now.Dynamics), "1");
            EXPECT_EQ(Trim(now.Bar), "1");
            EXPECT_EQ(Trim(now.Channel), "1");
            continue;
        }
        if (i == 20) old.Channel = "3 ";
        if (i >= 30 && i <= 32) old.Bar = "99  ";
        EXPECT_EQ(now, old);
    }

    // File > Make .MID file, OK in the options dialog: the port and the
    // channel change are in it, and the tracks still end together.
    EXPECT_TRUE(MakeMidWithOk());
    EXPECT_EQ(Boxes(), 1u);
    const test::CsvResult r = test::ExpectReadable(dir / "MINUET.MID");
    std::vector<std::string> channels;
    for (const auto& x : r.Of(2, "Note_on_c")) channels.push_back(x.Fields.at(0));
    EXPECT_NE(std::find(channels.begin(), channels.end(), "2"), channels.end()); // channel 3
    ExpectEndTogether(r, 2, 3);
}

TEST_F(ScanKeys, PickerIsLoadedForEachUseAndTellsOnlyAChoice) {
    Load();
    NewPiece("SONG");
    ToTrack("2");
    Enter();
    Enter();
    ASSERT_EQ(Focus(), w.txtBar);
    Enter();
    ASSERT_EQ(Focus(), w.txtNote);
    const std::string help = Status();

    // OK without a choice does nothing; Cancel leaves the note box and the
    // help line as they were.
    test::WhenDialogShown<FrmNoteOptions>(
        [&](FrmNoteOptions& f) {
            Settle();
            EXPECT_EQ(f.windowTitle(), "Options at Note");
            EXPECT_EQ(f.SelectedRow(), 0);
            EXPECT_FALSE(f.Option(16)->isEnabled());
            EXPECT_EQ(f.Explanation(15)->text(), "Port Number");
            EXPECT_TRUE(f.btnOK->isDefault());
            DialogKey(Qt::Key_Return);
            EXPECT_TRUE(f.isVisible());
            QTest::mouseClick(f.Option(4), Qt::LeftButton); // END, then Cancel
            QTest::mouseClick(f.btnCancel, Qt::LeftButton);
            Settle();
        },
        [](FrmNoteOptions& f) { f.btnCancel->click(); });
    FKey(7);
    EXPECT_EQ(Text(w.txtNote), "");
    EXPECT_EQ(Status(), help);
    EXPECT_FALSE(w.Dialogs().frmNoteOptions.Loaded());

    // The close box answers nothing either.
    test::WhenDialogShown<FrmNoteOptions>(
        [&](FrmNoteOptions& f) {
            Settle();
            EXPECT_EQ(f.SelectedRow(), 0); // a fresh form
            QTest::mouseClick(f.Option(1), Qt::LeftButton);
            f.close();
            Settle();
        },
        [](FrmNoteOptions& f) { f.btnCancel->click(); });
    FKey(7);
    EXPECT_EQ(Text(w.txtNote), "");

    // Alt+T chooses TEMPO; on track 2 the note box then refuses it.
    test::WhenDialogShown<FrmNoteOptions>(
        [&](FrmNoteOptions& f) {
            Settle();
            // An access key clicks its option after a short delay.
            DialogKey(Qt::Key_T, Qt::AltModifier);
            QTest::qWait(300);
            Settle();
            EXPECT_EQ(f.SelectedRow(), 5);
            DialogKey(Qt::Key_Return);
        },
        [](FrmNoteOptions& f) { f.btnCancel->click(); });
    FKey(7);
    EXPECT_EQ(Text(w.txtNote), "TEMPO");
    EXPECT_EQ(Focus(), w.txtNote);
    p.msg.AnswerOk();
    Enter();
    EXPECT_EQ(p.msg.Last().Text, "Tempo changes should only be placed on Track 1");
    EXPECT_EQ(Focus(), w.txtNote);
}

TEST_F(ScanKeys, ReviseBarNumbersKeepsItsNumbersAndStartsInBarNumberMode) {
    Load();
    OpenSample("MINUET");
    if (HasFatalFailure()) return;
    ToTrack("3");
    Field("2");
    Enter();
    ASSERT_EQ(Focus(), w.txtBar);
    const std::vector<int> bars = {p.s.BarNo(3, 5), p.s.BarNo(3, 6), p.s.BarNo(3, 7)};

    // Offset mode relabels the boxes; Cancel changes nothing.
    test::WhenDialogShown<FrmReviseBarNos>(
        [&](FrmReviseBarNos& f) {
            Settle(); // its activation has run
            QTest::mouseClick(f.optOffset, Qt::LeftButton);
            EXPECT_EQ(f.lblNoItems->text(), "To Item");
            EXPECT_EQ(f.lblBarNumber->text(), "Offset");
            f.txtFromItem->setText("5");
            f.txtNoItems->setText("7");
            f.txtBarNumber->setText("2");
            QTest::mouseClick(f.btnCancel, Qt::LeftButton);
            Settle();
        },
        [](FrmReviseBarNos& f) { f.btnCancel->click(); });
    FKey(6);
    EXPECT_EQ(Item(), "2");
    EXPECT_EQ((std::vector<int>{p.s.BarNo(3, 5), p.s.BarNo(3, 6), p.s.BarNo(3, 7)}), bars);

    // Shown again: "Bar No." selected, the numbers of the last use kept;
    // Offset chosen again and OK raises items 5..7 by two bars.
    test::WhenDialogShown<FrmReviseBarNos>(
        [&](FrmReviseBarNos& f) {
            Settle(); // its activation has run
            EXPECT_TRUE(f.optBarno->isChecked());
            EXPECT_EQ(f.lblNoItems->text(), "No. of Items");
            EXPECT_EQ(f.txtFromItem->text(), "5");
            EXPECT_EQ(f.txtFromItem->selectedText(), "5");
            EXPECT_EQ(f.txtBarNumber->text(), "2");
            QTest::mouseClick(f.optOffset, Qt::LeftButton);
            QTest::mouseClick(f.btnOK, Qt::LeftButton);
            Settle();
        },
        [](FrmReviseBarNos& f) { f.btnCancel->click(); });
    FKey(6);
    EXPECT_EQ(Item(), "7");
    EXPECT_EQ((std::vector<int>{p.s.BarNo(3, 5), p.s.BarNo(3, 6), p.s.BarNo(3, 7)}),
              (std::vector<int>{bars[0] + 2, bars[1] + 2, bars[2] + 2}));
    EXPECT_EQ(Text(w.txtBar), std::to_string(bars[2] + 2));
    EXPECT_EQ(Boxes(), 0u);
}

} // namespace
} // namespace tnq
