// The Edit menu's dialogs on the program's state: the bar and beat rules
// they share, the answer in DialogResult and the placement by the
// Resolution setting, driven headless on a dialog with the bar-range
// fields.
#include "editing/ui/edit_dialog.h"

#include "support/fakes.h"
#include "support/ui/settle.h"

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace tnq {
namespace {

using test::Settle;

class RangeDialog : public EditDialog {
public:
    RangeDialog(QWidget* owner, Context& c) : EditDialog(owner, c, "frmRange", "Range") {
        auto* layout = new QVBoxLayout(this);
        txtFromBar = TextBox("txtFromBar");
        txtToBar = TextBox("txtToBar");
        txtStartingBeat = TextBox("txtStartingBeat");
        txtNoOfBeats = TextBox("txtNoOfBeats");
        txtBeatValue = TextBox("txtBeatValue");
        Buttons();
        for (QWidget* w : Forms().Controls()) layout->addWidget(w);
    }
    QLineEdit *txtFromBar, *txtToBar, *txtStartingBeat, *txtNoOfBeats, *txtBeatValue;
    int stored = 0;

protected:
    bool CheckFields() override {
        return CheckBarRange(txtFromBar, txtToBar, txtStartingBeat, txtNoOfBeats, txtBeatValue);
    }
    void StoreFields() override { ++stored; }
};

struct Fixture : ::testing::Test {
    test::Program p;
    QWidget main;
    FormSlot<RangeDialog> slot{[this] { return new RangeDialog(&main, p.c); }};
    void SetUp() override { ASSERT_TRUE(test::ShowActive(&main)); }

    // Shows the dialog, runs act inside it, and returns Run's answer.
    // A dialog still up after act fails the test and is put down.
    bool RunWith(std::function<void(RangeDialog&)> act) {
        RangeDialog& d = slot.Get();
        return test::RunShownWith(d, act, [&d] { return d.Run(); });
    }
    static void Fill(RangeDialog& d, const char* from, const char* to, const char* start,
                     const char* beats, const char* value) {
        d.txtFromBar->setText(from);
        d.txtToBar->setText(to);
        d.txtStartingBeat->setText(start);
        d.txtNoOfBeats->setText(beats);
        d.txtBeatValue->setText(value);
    }
};

TEST_F(Fixture, OkStopsAtTheFirstBadBarOrBeatField) {
    struct Row {
        const char *from, *to, *start, *beats, *value;
        const char* focus; // where the focus ends; "" = stays on OK
    } rows[] = {
        {"5", "3", "", "", "q", ""},
        {"5", "8", "0", "2", "q", ""},
        {"5", "8", "2", "2", "qq", "txtBeatValue"},
        {"5", "8", "x", "2", "q", "txtStartingBeat"},
        {"5", "8", "2", "y", "q", "txtNoOfBeats"},
    };
    for (const Row& r : rows) {
        QString focus;
        bool stillUp = false;
        const bool ok = RunWith([&](RangeDialog& d) {
            Fill(d, r.from, r.to, r.start, r.beats, r.value);
            d.btnOK->setFocus();
            Settle();
            d.btnOK->click();
            Settle();
            stillUp = d.isVisible();
            focus = d.focusWidget()->objectName();
            d.btnCancel->click();
        });
        EXPECT_FALSE(ok) << r.from << r.to << r.start << r.beats << r.value;
        EXPECT_TRUE(stillUp);
        EXPECT_EQ(focus, *r.focus ? r.focus : "btnOK");
        EXPECT_EQ(p.s.DialogResult, "");
    }
    EXPECT_EQ(slot->stored, 0);

    EXPECT_TRUE(RunWith([](RangeDialog& d) {
        Fill(d, "5", "8", "", "", "q");
        d.btnOK->click();
    }));
    EXPECT_EQ(p.s.DialogResult, "okay");
    EXPECT_EQ(slot->stored, 1);
}

TEST_F(Fixture, PlacedByTheResolutionSetting) {
    // Resolution 1 on an 800-pixel screen scales the dialog by 800/640 at
    // its first showing, from the size its layout gives it.
    const auto shownWidth = [this] {
        int width = 0;
        RunWith([&width](RangeDialog& d) {
            width = d.width();
            d.btnCancel->click();
        });
        slot.Unload();
        return width;
    };
    p.s.Resolution = 0;
    const int plain = shownWidth();
    p.s.Resolution = 1;
    p.sys.screen = ScreenMetrics::FromPixels(800, 600);
    EXPECT_NEAR(shownWidth(), plain * 800 / 640, 2);
}

} // namespace
} // namespace tnq
