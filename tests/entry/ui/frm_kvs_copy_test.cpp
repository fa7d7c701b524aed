// F8 in the bar box copies items by item number, driven headless with the
// keyboard: the Copy by Item dialog, the track file and the .MID file
// afterwards.
#include "core/piece_paths.h"
#include "core/recalculate.h"
#include "core/track_files.h"
#include "editing/ui/frm_copy_by_item.h"
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

class CopyKeys : public test::EntryWindowBase {
protected:
    // Track t's file written from records, the score made from it.
    void Track(int t, const std::vector<TrackItemRecord>& items) {
        std::string bytes;
        for (const auto& r : items) bytes += EncodeRecord(r);
        bytes += EncodeRecord(kEndRecord);
        test::WriteFile(TrackFilePath(p.s, p.s.PieceTitle, t), bytes);
        p.s.SelectedTracks.assign(static_cast<std::size_t>(p.s.NumTracks), '0');
        p.s.SelectedTracks[static_cast<std::size_t>(t) - 1] = '1';
        ASSERT_TRUE(Recalculate(c));
    }
};

TrackItemRecord Q(const char* note, const char* bar, const char* channel) {
    return {note, "4", "q", "0", "64", bar, channel, "0"};
}

TEST_F(CopyKeys, F8InTheBarBoxCopiesFourItems) {
    Load();
    NewPiece("SONG");
    if (HasFatalFailure()) return;
    Track(2, {Q("C", "1", "2"), Q("D", "1", "2"), Q("E", "1", "2"), Q("F", "1", "2"),
              Q("G", "2", "2"), Q("A", "2", "2"), Q("B", "2", "2"), Q("C", "2", "2")});
    Track(3, {Q("E", "1", "3"), Q("E", "1", "3"), Q("E", "1", "3"), Q("E", "1", "3")});
    ToTrack("3");
    ASSERT_EQ(Text(w.txtItem), "5");
    Enter(); // item 5: behind the last item
    Enter(); // the channel
    ASSERT_EQ(Focus(), w.txtBar);

    // Items 5..8 of track 2, up an octave, bars shifted by 0 into channel 3.
    bool shown = false;
    test::WhenDialogShown<FrmCopyByItem>(
        [&](FrmCopyByItem& d) {
            shown = true;
            Settle();
            EXPECT_EQ(d.windowTitle(), "Copy by Item");
            EXPECT_EQ(d.txtFromTitle->text(), "SONG");
            EXPECT_EQ(d.txtFromTrack->text(), "3");
            EXPECT_TRUE(d.optAdd->isChecked()); // behind the last item
            EXPECT_FALSE(d.txtOffset->isEnabled());
            EXPECT_EQ(d.focusWidget(), d.txtFromTitle);
            test::Key(&d, Qt::Key_Return);
            QTest::keyClicks(d.txtFromTrack, "2");
            test::Key(&d, Qt::Key_Return);
            QTest::keyClicks(d.txtFromItem, "5");
            test::Key(&d, Qt::Key_Return);
            QTest::keyClicks(d.txtNoItems, "4");
            // Insert is refused behind the last item.
            d.optInsert->click();
            Settle();
            EXPECT_FALSE(d.optInsert->isChecked());
            EXPECT_FALSE(d.optAdd->isChecked());
            d.optAdd->click();
            Settle();
            EXPECT_TRUE(d.optAdd->isChecked());
            d.cboOctave->setCurrentIndex(1); // up 1 octave
            d.chkBarNos->click();
            Settle();
            EXPECT_EQ(d.txtOffset->text(), "0");
            EXPECT_EQ(d.focusWidget(), d.txtOffset);
            // No channel: the message, the focus on the channel.
            p.msg.AnswerOk();
            d.btnOK->click();
            Settle();
            EXPECT_EQ(p.msg.Last().Text, "Enter a destination Channel Number (1-16)");
            EXPECT_EQ(d.focusWidget(), d.txtChannel);
            QTest::keyClicks(d.txtChannel, "3");
            d.btnOK->click();
            Settle();
        },
        [](FrmCopyByItem& d) { d.btnCancel->click(); });
    Press(Qt::Key_F8);
    EXPECT_TRUE(shown);

    const std::vector<TrackItemRecord> want = {
        Q("E", "1", "3"), Q("E", "1", "3"), Q("E", "1", "3"), Q("E", "1", "3"),
        {"G", "5", "q", "0", "64", "2", "3", "0"}, {"A", "5", "q", "0", "64", "2", "3", "0"},
        {"B", "5", "q", "0", "64", "2", "3", "0"}, {"C", "5", "q", "0", "64", "2", "3", "0"}};
    EXPECT_EQ(TrackRecords(3), want);
    EXPECT_EQ(p.s.ItemCount(3), 8);
    EXPECT_EQ(p.s.NoteCode(3, 8), 72);
    EXPECT_EQ(Text(w.txtItem), "9");
    EXPECT_EQ(w.lblTrkDat(2)->text().toStdString(), "8");
    EXPECT_TRUE(QTest::qWaitFor([this] { return w.isActiveWindow(); }));
    Settle();
    EXPECT_EQ(Focus(), w.txtBar);

    // Cancel: nothing copied, the focus back in the bar box.
    test::WhenDialogShown<FrmCopyByItem>(
        [](FrmCopyByItem& d) {
            Settle();
            d.btnCancel->click();
            Settle();
        },
                                         [](FrmCopyByItem& d) { d.btnCancel->click(); });
    Press(Qt::Key_F8);
    Settle();
    EXPECT_EQ(Focus(), w.txtBar);
    EXPECT_EQ(p.s.ItemCount(3), 8);

    // The piece as a .MID file: track 3's chunk sounds what its file holds.
    test::ScriptedMidDialog mid;
    mid.Ok({"", kDefaultCopyright, false, 0});
    p.s.TrackDescription.ReDim(p.s.NumTracks);
    ASSERT_TRUE(MakeMidFile(c, mid));
    const test::CsvResult r =
        test::ExpectReadable(PieceFilePath(p.s, p.s.PieceTitle + ".MID"));
    std::vector<std::vector<std::string>> keys;
    for (int track = 1; track <= 4; ++track) {
        std::vector<std::string> k;
        for (const auto& x : r.Of(track, "Note_on_c"))
            if (x.Fields.at(2) != "0") k.push_back(x.Fields.at(1));
        if (!k.empty()) keys.push_back(k);
    }
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[1], (std::vector<std::string>{"64", "64", "64", "64", "79", "81", "83", "72"}));
}

} // namespace
} // namespace tnq
