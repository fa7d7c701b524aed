// The Balance Tracks dialog driven headless: its state on every show, the
// keys, the checks of OK in their order, Cancel and the close box.
#include "midifile/ui/frm_balance.h"

#include "support/fakes.h"
#include "support/ui/settle.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace tnq {
namespace {

// Runs act on the dialog once it is up and active; a dialog still up after
// act is cancelled so that no test can hang.
void WhenShown(std::function<void(FrmBalance&)> act) {
    QTimer::singleShot(0, [act] {
        auto* f = qobject_cast<FrmBalance*>(QApplication::activeModalWidget());
        if (!f) {
            ADD_FAILURE() << "the dialog is not shown";
            return;
        }
        if (!QTest::qWaitFor([f] { return f->isActiveWindow(); }))
            ADD_FAILURE() << "the dialog is not active";
        test::Settle();
        act(*f);
        if (f->isVisible()) {
            ADD_FAILURE() << "the dialog is still up";
            f->btnCancel->click();
        }
    });
}

std::string Focused() {
    QWidget* w = QApplication::focusWidget();
    return w ? w->objectName().toStdString() : "(none)";
}

void Key(Qt::Key key) {
    QTest::keyClick(QApplication::focusWidget(), key);
    test::Settle();
}

class FrmBalanceTest : public ::testing::Test {
protected:
    void SetUp() override { s.SelectedTracks = "0110"; }
    std::optional<BalanceEntry> Show() { return FrmBalance::Of(&owner).Show(c); }

    test::Program p;
    State& s = p.s;
    Context& c = p.c;
    QWidget owner;
};

TEST_F(FrmBalanceTest, EveryShowStartsByBarWithOneRepeatAndQuarterBeats) {
    std::string first, caption;
    WhenShown([&](FrmBalance& f) {
        first = Focused();
        caption = f.windowTitle().toStdString();
        EXPECT_TRUE(f.optByBar->isChecked());
        EXPECT_EQ(f.txtNoRepeats->text(), "1");
        EXPECT_EQ(f.txtBeatValue->text(), "q");
        EXPECT_TRUE(f.txtStartingBeat->text().isEmpty());
        // Enter moves on through the boxes, Up goes back.
        QTest::keyClicks(f.txtFrom, "3");
        Key(Qt::Key_Return);
        EXPECT_EQ(Focused(), "txtTo");
        QTest::keyClicks(f.txtTo, "4");
        Key(Qt::Key_Return);
        EXPECT_EQ(Focused(), "txtNoRepeats");
        EXPECT_EQ(f.txtNoRepeats->selectedText(), "1"); // whole text selected
        QTest::keyClicks(f.txtNoRepeats, "2");
        Key(Qt::Key_Up);
        EXPECT_EQ(Focused(), "txtTo");
        f.txtStartingBeat->setText("2");
        f.txtNoBeats->setText("3");
        f.optByItem->setChecked(true);
        f.optByBar->setChecked(true);
        f.btnOK->setFocus();
        Key(Qt::Key_Return);
    });
    const auto e = Show();
    ASSERT_TRUE(e);
    EXPECT_EQ(first, "txtFrom");
    EXPECT_EQ(caption, "Balance Tracks");
    EXPECT_EQ(s.DialogResult, "okay");
    EXPECT_FALSE(e->ByItem);
    EXPECT_EQ(e->From, "3");
    EXPECT_EQ(e->To, "4");
    EXPECT_EQ(e->Repeats, "2");
    EXPECT_EQ(e->BeatValue, "q");
    EXPECT_EQ(e->StartingBeat, "2");
    EXPECT_EQ(e->NoBeats, "3");

    // Shown again: From and To kept, the rest set afresh.
    WhenShown([&](FrmBalance& f) {
        EXPECT_EQ(f.txtFrom->text(), "3");
        EXPECT_EQ(f.txtTo->text(), "4");
        EXPECT_EQ(f.txtNoRepeats->text(), "1");
        EXPECT_TRUE(f.txtNoBeats->text().isEmpty());
        f.btnCancel->click();
    });
    EXPECT_FALSE(Show());
    EXPECT_EQ(s.DialogResult, "");
}

TEST_F(FrmBalanceTest, OkPutsTheFocusBackOnTheFirstBadBox) {
    struct Case {
        const char* repeats;
        const char* beat;
        const char* start;
        const char* beats;
        const char* focus; // "" = accepted
    } cases[] = {
        {"0", "q", "", "", "txtNoRepeats"},
        {"5", "q", "", "", "txtNoRepeats"},
        {"two", "q", "", "", "txtNoRepeats"},
        {"4", "zz", "2", "", ""}, // a beat box empty: beat value not examined
        {"1", "Q", "1", "2", "txtBeatValue"},
        {"1", "qq", "1", "2", "txtBeatValue"},
        {"1", "e", "x", "2", "txtStartingBeat"},
        {"1", "e", "1", "y", "txtNoBeats"},
        {"1", "e", "1", "2", ""},
    };
    for (const auto& k : cases) {
        bool stayed = false;
        std::string focus;
        WhenShown([&](FrmBalance& f) {
            f.txtNoRepeats->setText(k.repeats);
            f.txtBeatValue->setText(k.beat);
            f.txtStartingBeat->setText(k.start);
            f.txtNoBeats->setText(k.beats);
            f.txtFrom->setFocus();
            test::Settle();
            f.btnOK->click();
            test::Settle();
            stayed = f.isVisible();
            focus = Focused();
            if (stayed) f.btnCancel->click();
        });
        const auto e = Show();
        EXPECT_EQ(stayed, *k.focus != '\0') << k.repeats << k.beat << k.start << k.beats;
        if (stayed) {
            EXPECT_EQ(focus, k.focus) << k.repeats << k.beat << k.start << k.beats;
        }
        EXPECT_EQ(e.has_value(), !stayed);
    }
    EXPECT_TRUE(p.msg.shown.empty());
}

TEST_F(FrmBalanceTest, ByItemNeedsExactlyOneActiveTrack) {
    for (const char* selected : {"0110", "0000", "0100"}) {
        s.SelectedTracks = selected;
        const bool two = std::string(selected) == "0110";
        if (two) p.msg.AnswerOk();
        bool stayed = false;
        WhenShown([&](FrmBalance& f) {
            f.optByItem->setChecked(true);
            f.txtFrom->setText("1");
            f.txtTo->setText("9");
            f.btnOK->click();
            test::Settle();
            stayed = f.isVisible();
            if (stayed) f.btnCancel->click();
        });
        const auto e = Show();
        EXPECT_EQ(stayed, std::string(selected) != "0100") << selected;
        if (e) {
            EXPECT_TRUE(e->ByItem);
        }
        if (two) {
            EXPECT_EQ(p.msg.Last().Text, "Selection by Item can only be for one track");
        }
    }
    EXPECT_EQ(p.msg.shown.size(), 1u);
}

TEST_F(FrmBalanceTest, EscAndTheCloseBoxCancel) {
    WhenShown([&](FrmBalance&) { Key(Qt::Key_Escape); });
    EXPECT_FALSE(Show());
    EXPECT_EQ(s.DialogResult, "");
    WhenShown([&](FrmBalance& f) { f.close(); });
    EXPECT_FALSE(Show());
}

} // namespace
} // namespace tnq
