// The bulk-edit piece with the main window shown, for tests that drive the
// Edit dialogs headless.
#pragma once

#include "editing/edit_fixture.h"
#include "support/ui/settle.h"

#include <QLineEdit>
#include <QPushButton>

#include <functional>

namespace tnq::test {

class EditDialogTest : public EditTest {
protected:
    void SetUp() override {
        EditTest::SetUp();
        ASSERT_TRUE(ShowActive(&main));
    }
    // Runs act on the dialog F once it is up; a dialog left up is cancelled.
    template <class F> void WhenShown(std::function<void(F&)> act) { WhenShownElseCancel<F>(act); }
    // Types text into box after giving it the focus.
    static void Type(QLineEdit* box, const char* text) {
        box->setFocus();
        Settle();
        QTest::keyClicks(box, text);
    }
    // A passage dialog as first shown (By Bar, repeat 1, beat q, the focus in
    // From): bar 1 typed into From and To, each ended by Enter.
    template <class D> static void FreshPassageOfBarOne(D& d) {
        EXPECT_TRUE(d.optByBar->isChecked());
        EXPECT_EQ(d.txtNoRepeats->text(), "1");
        EXPECT_EQ(d.txtBeatValue->text(), "q");
        EXPECT_EQ(d.focusWidget(), d.txtFrom);
        QTest::keyClicks(d.txtFrom, "1");
        Key(&d, Qt::Key_Return);
        QTest::keyClicks(d.txtTo, "1");
        Key(&d, Qt::Key_Return);
    }
    QWidget main;
};

} // namespace tnq::test
