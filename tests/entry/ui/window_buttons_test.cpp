// Enter on a focused button presses it, in every window of the program.
#include "entry/ui/every_window.h"

#include <QDialog>
#include <QPointer>
#include <QPushButton>

namespace tnq {
namespace {

using test::Settle;

class EnterOnAButton : public test::EveryWindow {
protected:
    // Focuses the named button of window d, presses Enter and tells whether
    // that pressed it; then puts d down unless it is the main window.
    bool PressedByEnter(QWidget* d, const QString& name) {
        QPushButton* button = d->findChild<QPushButton*>(name);
        for (QPushButton* b : d->findChildren<QPushButton*>())
            if (!button && b->text().remove('&') == name) button = b;
        if (!button) {
            ADD_FAILURE() << "no button " << name.toStdString();
            return false;
        }
        button->setFocus();
        Settle();
        EXPECT_EQ(QApplication::focusWidget(), button);
        bool pressed = false;
        const QPointer<QPushButton> watched(button);
        const auto seen = QObject::connect(button, &QPushButton::clicked, [&] { pressed = true; });
        const QPointer<QWidget> window(d);
        test::Key(d, Qt::Key_Return);
        if (watched) QObject::disconnect(seen);
        if (window && window != &w && window->isVisible()) {
            if (auto* dialog = qobject_cast<QDialog*>(window.data()))
                dialog->done(QDialog::Rejected);
            window->close();
            Settle();
        }
        return pressed;
    }
};

TEST_F(EnterOnAButton, PressesItInEveryWindow) {
    QWidget owner; // of the dialogs looked up among its children
    std::vector<test::ProgramWindow> windows = Windows(owner);
    windows.push_back(
        {"overview", [&] { return w.frmHelp1->show(), &w.frmHelp1.Get(); }, "btnNext"});
    windows.push_back({"main window",
                       [&] {
                           OpenMenu(w, "mnuEdit");
                           Choose(w, "mnuEdtNotes");
                           return &w;
                       },
                       "btnExitKVSfrm"});
    p.msg.Answer(mb::OK); // System Info in the about box finds no program here
    for (const test::ProgramWindow& window : windows) {
        SCOPED_TRACE(window.Name);
        bool pressed = false;
        const QPointer<QTimer> watch =
            test::WhenShownModal([&](QWidget* d) { pressed = PressedByEnter(d, window.Button); });
        if (QWidget* modeless = window.Show()) {
            delete watch.data();
            Settle();
            pressed = PressedByEnter(modeless, window.Button);
        }
        Settle();
        EXPECT_TRUE(pressed) << window.Button;
    }
}

} // namespace
} // namespace tnq
