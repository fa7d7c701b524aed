// The forms layer: key preview, classic focus events, queued focus moves and
// keystrokes, the Cancel button, dialog life and activation.
#include "platform/ui/form.h"
#include "platform/ui/form_lifecycle.h"
#include "platform/ui/qt_message_boxes.h"
#include "platform/ui/vb_keys.h"
#include "platform/vb.h"
#include "support/ui/settle.h"

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tnq {
namespace {

using test::Key;
using test::Settle;
using test::ShowActive;
using test::WhenModal;

// A window with three boxes a, b, c and a Cancel button whose handlers write
// what runs into a log.
class TestWindow : public QWidget {
public:
    TestWindow() : form(this) {
        setObjectName("testForm");
        auto* layout = new QVBoxLayout(this);
        for (const char* n : {"a", "b", "c"}) {
            auto* e = form.Control(new QLineEdit(this), n);
            layout->addWidget(e);
            boxes.push_back(e);
            form.Focus().OnGotFocus(e, [this, n] { log.push_back(std::string("got ") + n); });
            form.Focus().OnLostFocus(e, [this, n] { log.push_back(std::string("lost ") + n); });
        }
        cancel = form.Control(new QPushButton("Cancel", this), "btnCancel");
        layout->addWidget(cancel);
        form.OnClick(cancel, [this] { log.push_back("cancel"); });
        form.Activation().OnActivate([this] { ++activations; });
    }
    QLineEdit* box(int i) const { return boxes[static_cast<std::size_t>(i)]; }
    // Puts the focus on the i-th control and forgets what that ran.
    void Focus(int i) {
        form.Controls()[static_cast<std::size_t>(i)]->setFocus();
        Settle();
        log.clear();
    }

    Form form;
    std::vector<QLineEdit*> boxes;
    QPushButton* cancel;
    std::vector<std::string> log;
    int activations = 0;
};

using Log = std::vector<std::string>;

TEST(ClassicFocus, LostFocusRunsBeforeGotFocusOfTheBoxEntered) {
    TestWindow w;
    ASSERT_TRUE(ShowActive(&w));
    w.Focus(0);
    Key(&w, Qt::Key_Tab);
    EXPECT_EQ(w.log, (Log{"lost a", "got b"}));
    w.log.clear();
    Key(&w, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(w.log, (Log{"lost b", "got a"}));
}

TEST(ClassicFocus, ABoxSwitchedOffByTheLossOfFocusOfTheOneLeftGetsNoFocusEvent) {
    TestWindow w;
    ASSERT_TRUE(ShowActive(&w));
    w.Focus(0);
    w.form.Focus().OnLostFocus(w.box(0), [&] {
        w.log.push_back("lost a");
        w.box(1)->setEnabled(false); // the focus goes on to c
    });
    Key(&w, Qt::Key_Tab);
    EXPECT_EQ(w.log, (Log{"lost a", "got c"}));
    EXPECT_EQ(w.form.Focus().Owner(), w.box(2));
}

TEST(ClassicFocus, FocusAskedForInAHandlerMovesAfterItReturns) {
    TestWindow w;
    ASSERT_TRUE(ShowActive(&w));
    // The focus handler of b sends the focus on to c at once.
    w.form.Focus().OnGotFocus(w.box(1), [&] {
        w.log.push_back("got b");
        w.form.Focus().SetFocus(w.box(2));
        w.log.push_back("b returns");
    });
    // The loss-of-focus check of a refuses and asks for the focus back.
    w.Focus(0);
    w.form.Focus().OnLostFocus(w.box(0), [&] {
        w.log.push_back("lost a");
        w.form.Focus().SetFocus(w.box(0));
    });
    Key(&w, Qt::Key_Tab);
    // a's request was made first, so it is served first with the handlers it
    // triggers; then b's, whose move a refuses again.
    EXPECT_EQ(w.log, (Log{"lost a", "got b", "b returns", "lost b", "got a", "lost a", "got c",
                          "lost c", "got a"}));
    EXPECT_EQ(w.focusWidget(), w.box(0));
    EXPECT_EQ(w.form.Focus().Owner(), w.box(0));
}

TEST(ClassicFocus, NothingRunsWhenAMessageBoxMenuOrAnotherWindowTakesTheFocus) {
    TestWindow w;
    ASSERT_TRUE(ShowActive(&w));
    w.Focus(1);

    QtMessageBoxes boxes(&w);
    WhenModal([](QWidget* box) { QTest::keyClick(box, Qt::Key_Escape); });
    boxes.MsgBox("Something", mb::OKOnly);
    Settle();

    QDialog dlg(&w);
    WhenModal([](QWidget* d) { static_cast<QDialog*>(d)->accept(); });
    dlg.exec();
    Settle();

    QMenu menu(&w);
    menu.addAction("Item");
    menu.popup(w.mapToGlobal(QPoint(0, 0)));
    Settle();
    menu.hide();
    Settle();

    EXPECT_EQ(w.log, Log{});
    EXPECT_EQ(w.focusWidget(), w.box(1));

    // A list that drops down from a list box of the window.
    auto* list = w.form.Control(new QComboBox(&w), "cboList");
    list->addItems({"one", "two"});
    w.layout()->addWidget(list);
    w.form.Focus().OnGotFocus(list, [&] { w.log.push_back("got list"); });
    w.form.Focus().OnLostFocus(list, [&] { w.log.push_back("lost list"); });
    w.Focus(4);
    list->showPopup();
    Settle();
    list->hidePopup();
    Settle();

    test::ActivateOtherProgram();
    EXPECT_FALSE(w.isActiveWindow());
    w.activateWindow();
    Settle();

    EXPECT_EQ(w.log, Log{});
    EXPECT_EQ(w.focusWidget(), list);
}

TEST(ClassicFocus, HidingTheFocusedBoxRunsOnlyItsLossOfFocus) {
    TestWindow w;
    ASSERT_TRUE(ShowActive(&w));
    w.Focus(0);
    for (int i = 0; i < 3; ++i) w.box(i)->hide();
    w.cancel->setEnabled(false);
    Settle();
    // The focus passed b and c on its way out: their turn never came.
    EXPECT_EQ(w.log, Log{"lost a"});
    EXPECT_EQ(w.form.Focus().Owner(), nullptr);
}

TEST(KeyPreview, TheFormSeesEveryKeyFirstAndCanSwallowOrReplaceIt) {
    TestWindow w;
    ASSERT_TRUE(ShowActive(&w));
    std::vector<std::pair<int, int>> formKeys, boxKeys;
    w.form.Keys().SetKeyPreview(true);
    // The form swallows the keys F2 and X, the typed z and Enter, and turns
    // a typed q into Q.
    w.form.Keys().SetFormKeyDown([&](int& code, int& shift) {
        formKeys.emplace_back(code, shift);
        if (code == vbkey::F1 + 1 || code == vbkey::A + ('X' - 'A')) code = 0;
    });
    w.form.Keys().SetFormKeyPress([&](int& ascii) {
        if (ascii == 13 || ascii == 'z') ascii = 0;
        if (ascii == 'q') ascii = 'Q';
    });
    w.form.Keys().OnKeyDown(w.box(0),
                            [&](int& code, int& shift) { boxKeys.emplace_back(code, shift); });
    w.Focus(0);

    for (Qt::Key k : {Qt::Key_A, Qt::Key_X, Qt::Key_Q, Qt::Key_Z, Qt::Key_F2, Qt::Key_F12})
        Key(&w, k);
    // A key swallowed as a key still types its character (as x does); only
    // the character handler keeps it out.
    EXPECT_EQ(w.box(0)->text(), "axQ");
    Key(&w, Qt::Key_Home, Qt::ShiftModifier | Qt::ControlModifier);
    Key(&w, Qt::Key_Enter, Qt::KeypadModifier);
    Key(&w, Qt::Key_Return);
    Key(&w, Qt::Key_Up);
    EXPECT_EQ(w.box(0)->text(), "axQ");

    // Shift and Ctrl are keys too (16, 17), pressed before Home.
    const std::vector<std::pair<int, int>> expectForm = {{65, 0},  {88, 0},  {81, 0}, {90, 0},
                                                         {113, 0}, {123, 0}, {16, 1}, {17, 3},
                                                         {36, 3},  {13, 0},  {13, 0}, {38, 0}};
    EXPECT_EQ(formKeys, expectForm);
    // The box sees what the form did not swallow.
    const std::vector<std::pair<int, int>> expectBox = {
        {65, 0}, {81, 0}, {90, 0}, {123, 0}, {16, 1}, {17, 3}, {36, 3}, {13, 0}, {13, 0}, {38, 0}};
    EXPECT_EQ(boxKeys, expectBox);

    // Without key preview the form's handlers see nothing.
    w.form.Keys().SetKeyPreview(false);
    formKeys.clear();
    Key(&w, Qt::Key_Z);
    EXPECT_TRUE(formKeys.empty());
    EXPECT_EQ(w.box(0)->text(), "axQz");
}

TEST(KeyPreview, SentKeysMoveTheFocusAfterTheHandlerReturns) {
    TestWindow w;
    ASSERT_TRUE(ShowActive(&w));
    w.form.Keys().SetKeyPreview(true);
    w.form.Keys().SetFormKeyDown([&](int& code, int& shift) {
        if (code == vbkey::Return && shift == 0) {
            w.form.Keys().SendKey(vbkey::Tab);
            w.log.push_back("enter");
        } else if (code == vbkey::Up && shift == 0) {
            w.form.Keys().SendKey(vbkey::Tab, vbshift::Shift);
            w.log.push_back("up");
        }
    });
    w.Focus(0);
    Key(&w, Qt::Key_Return);
    Key(&w, Qt::Key_Enter, Qt::KeypadModifier);
    Key(&w, Qt::Key_Up);
    EXPECT_EQ(w.log, (Log{"enter", "lost a", "got b", "enter", "lost b", "got c", "up", "lost c",
                          "got b"}));
}

TEST(KeyPreview, EscPressesTheCancelButtonOnlyWhileItIsEnabled) {
    TestWindow w;
    ASSERT_TRUE(ShowActive(&w));
    w.form.Keys().SetCancelButton(w.cancel);
    w.Focus(2);
    Key(&w, Qt::Key_Escape);
    EXPECT_EQ(w.log, Log{"cancel"}); // the focus stays in the box
    w.cancel->setEnabled(false);
    w.log.clear();
    Key(&w, Qt::Key_Escape);
    EXPECT_EQ(w.log, Log{});
}

TEST(HandlerQueue, ErrorsOfAHandlerGoToTheReporterAndTheQueueGoesOn) {
    HandlerQueue q;
    std::vector<std::string> log;
    q.SetErrorReporter([&](const std::exception& e) { log.push_back(e.what()); });
    q.Run([&] {
        q.Post([&] { log.push_back("queued"); });
        throw VbError(err::SubscriptOutOfRange);
    });
    EXPECT_EQ(log.size(), 1u);
    Settle();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[1], "queued");
    EXPECT_FALSE(q.Pending());
}

// ---- Dialog life ---------------------------------------------------------

int g_built = 0;

class SampleDialog : public DialogForm {
public:
    explicit SampleDialog(QWidget* parent) : DialogForm(parent) {
        ++g_built;
        auto* layout = new QVBoxLayout(this);
        txtValue = Forms().Control(new QLineEdit(this), "txtValue");
        layout->addWidget(txtValue);
    }
    QLineEdit* txtValue;
    int loads = 0, activations = 0;

protected:
    void Form_Load() override {
        ++loads;
        txtValue->setText("initial");
    }
    void Form_Activate() override { ++activations; }
};

TEST(DialogForm, CreatedOnFirstUseHiddenBetweenUsesFreshAfterUnload) {
    TestWindow main;
    ASSERT_TRUE(ShowActive(&main));
    g_built = 0;
    FormSlot<SampleDialog> slot([&] { return new SampleDialog(&main); });
    EXPECT_FALSE(slot.Loaded());
    EXPECT_EQ(g_built, 0);

    // First use: built and loaded; the modal show returns when it hides.
    WhenModal([](QWidget* d) {
        static_cast<SampleDialog*>(d)->txtValue->setText("typed");
        d->hide();
    });
    slot->ShowModal();
    Settle();
    EXPECT_EQ(g_built, 1);
    EXPECT_EQ(slot->loads, 1);
    EXPECT_EQ(slot->activations, 1);
    EXPECT_EQ(slot->txtValue->text(), "typed");
    EXPECT_EQ(main.activations, 2); // shown, and back from the dialog

    // Second use: the same form, its value kept.
    WhenModal([](QWidget* d) { d->hide(); });
    slot->ShowModal();
    Settle();
    EXPECT_EQ(g_built, 1);
    EXPECT_EQ(slot->activations, 2);
    EXPECT_EQ(slot->txtValue->text(), "typed");
    EXPECT_EQ(main.activations, 3);

    // Unloaded (here by its close box) it comes back with initial values.
    WhenModal([](QWidget* d) { d->close(); });
    slot->ShowModal();
    Settle();
    EXPECT_FALSE(slot.Loaded());
    EXPECT_EQ(slot->txtValue->text(), "initial");
    EXPECT_EQ(g_built, 2);
}

TEST(FormActivation, NotRunWhenComingBackFromAnotherProgram) {
    TestWindow w;
    ASSERT_TRUE(ShowActive(&w));
    EXPECT_EQ(w.activations, 1);
    test::ActivateOtherProgram();
    EXPECT_FALSE(w.isActiveWindow());
    w.activateWindow();
    Settle();
    EXPECT_EQ(w.activations, 1);

    // A message box counts only where the form asks for it.
    QtMessageBoxes boxes(&w);
    WhenModal([](QWidget* box) { QTest::keyClick(box, Qt::Key_Escape); });
    boxes.MsgBox("x");
    Settle();
    EXPECT_EQ(w.activations, 1);
    w.form.Activation().SetBoxesCount(true);
    WhenModal([](QWidget* box) { QTest::keyClick(box, Qt::Key_Escape); });
    boxes.MsgBox("x");
    Settle();
    EXPECT_EQ(w.activations, 2);
}

} // namespace
} // namespace tnq
