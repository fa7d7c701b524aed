// The common behaviour of the parameter dialogs, driven headless on a
// dialog with a title box and three more boxes.
#include "platform/ui/parameter_dialog.h"

#include "support/ui/settle.h"

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace tnq {
namespace {

using test::Settle;

class BoxDialog : public ParameterDialog {
public:
    BoxDialog(QWidget* owner, std::string& result)
        : ParameterDialog(owner, result, ScreenMetrics::FromPixels(1024, 768), 0, "frmBoxes",
                          "Boxes") {
        auto* layout = new QVBoxLayout(this);
        txtTitle = TextBox("txtTitle");
        UpperCaseTyping(txtTitle);
        txtA = TextBox("txtA");
        txtB = TextBox("txtB");
        txtC = TextBox("txtC");
        Buttons();
        for (QWidget* w : Forms().Controls()) layout->addWidget(w);
    }
    QLineEdit *txtTitle, *txtA, *txtB, *txtC;
    int stored = 0;

protected:
    void Form_Activate() override { FocusBack(txtTitle); }
    // The first box holding "x" is refused with the focus put back on it;
    // a box holding "-" refuses silently.
    bool CheckFields() override {
        for (QLineEdit* box : {txtA, txtB, txtC}) {
            if (box->text() == "-") return false;
            if (box->text() == "x") {
                FocusBack(box);
                return false;
            }
        }
        return true;
    }
    void StoreFields() override { ++stored; }
};

struct ParameterDialogs : ::testing::Test {
    std::string result;
    QWidget main;
    FormSlot<BoxDialog> slot{[this] { return new BoxDialog(&main, result); }};
    void SetUp() override { ASSERT_TRUE(test::ShowActive(&main)); }

    // Shows the dialog, runs act inside it, and returns Run's answer.
    // A dialog still up after act fails the test and is put down.
    bool RunWith(std::function<void(BoxDialog&)> act) {
        BoxDialog& d = slot.Get();
        return test::RunShownWith(d, act, [&d] { return d.Run(); });
    }
    static void Fill(BoxDialog& d, const char* a, const char* b, const char* c) {
        d.txtA->setText(a);
        d.txtB->setText(b);
        d.txtC->setText(c);
    }
};

TEST_F(ParameterDialogs, EnterMovesOnUpMovesBackEnterOnAButtonPressesIt) {
    std::vector<QString> visited;
    const bool ok = RunWith([&](BoxDialog& d) {
        Fill(d, "5", "8", "q");
        visited.push_back(d.focusWidget()->objectName());
        for (int i = 0; i < 4; ++i) {
            test::Key(&d, Qt::Key_Return);
            visited.push_back(d.focusWidget()->objectName());
        }
        test::Key(&d, Qt::Key_Up);
        visited.push_back(d.focusWidget()->objectName());
        // The text box got no Enter character.
        EXPECT_EQ(d.txtC->text(), "q");
        test::Key(&d, Qt::Key_Return); // on to OK
        EXPECT_TRUE(d.isVisible());
        test::Key(&d, Qt::Key_Return); // presses it
    });
    EXPECT_TRUE(ok);
    EXPECT_EQ(result, "okay");
    const std::vector<QString> want = {"txtTitle", "txtA", "txtB", "txtC", "btnOK", "txtC"};
    EXPECT_EQ(visited, want);
    EXPECT_EQ(slot->stored, 1);
    EXPECT_FALSE(slot->isVisible());
}

TEST_F(ParameterDialogs, OkStopsWhereTheCheckSaysCancelAndCloseBoxGiveNothing) {
    struct Row {
        const char *a, *b, *c;
        const char* focus; // where the focus ends; "" = stays on OK
    } rows[] = {
        {"1", "x", "x", "txtB"},
        {"x", "1", "1", "txtA"},
        {"1", "-", "x", ""},
    };
    for (const Row& r : rows) {
        QString focus;
        bool stillUp = false;
        const bool ok = RunWith([&](BoxDialog& d) {
            Fill(d, r.a, r.b, r.c);
            d.btnOK->setFocus();
            Settle();
            d.btnOK->click();
            Settle();
            stillUp = d.isVisible();
            focus = d.focusWidget()->objectName();
            d.btnCancel->click();
        });
        EXPECT_FALSE(ok) << r.a << r.b << r.c;
        EXPECT_TRUE(stillUp);
        EXPECT_EQ(focus, *r.focus ? r.focus : "btnOK");
    }
    EXPECT_EQ(slot->stored, 0);

    // Esc is Cancel; the close box too, even after an earlier "okay".
    result = "okay";
    EXPECT_FALSE(RunWith([](BoxDialog& d) { test::Key(&d, Qt::Key_Escape); }));
    EXPECT_EQ(result, "");
    result = "okay";
    EXPECT_FALSE(RunWith([](BoxDialog& d) { d.close(); }));
    EXPECT_EQ(result, "");
}

TEST_F(ParameterDialogs, TitleBoxUpperCasesTypingAndBoxesSelectAllOnFocus) {
    RunWith([](BoxDialog& d) {
        QTest::keyClicks(d.txtTitle, "minuet");
        d.txtA->setText("12");
        test::Key(&d, Qt::Key_Return);
        Settle();
        EXPECT_EQ(d.focusWidget(), d.txtA);
        EXPECT_EQ(d.txtA->selectedText(), "12");
        d.btnCancel->click();
    });
    EXPECT_EQ(slot->txtTitle->text(), "MINUET");
}

} // namespace
} // namespace tnq
