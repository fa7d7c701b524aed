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
    QWidget main;
};

} // namespace tnq::test
