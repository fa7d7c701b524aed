// Helpers for widget tests: let queued handlers and posted events run, show
// a window as the active one, and answer a modal window once it is up.
#pragma once

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>

#include <functional>

namespace tnq::test {

// Processes events until nothing is queued any more (bounded).
inline void Settle(int rounds = 20) {
    for (int i = 0; i < rounds; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

// Shows a window and waits until it is the active window.
inline bool ShowActive(QWidget* w) {
    w->show();
    w->activateWindow();
    const bool ok = QTest::qWaitForWindowActive(w);
    Settle();
    return ok;
}

// The activation goes to another program: a bare window without widgets,
// which the widget layer does not see as one of its own.
inline void ActivateOtherProgram() {
    QWindow other;
    other.resize(50, 50);
    other.show();
    other.requestActivate();
    if (!QTest::qWaitForWindowActive(&other)) qWarning("other window not active");
    Settle();
}

// Runs act on the modal window once it is shown and active (it runs its
// own loop, so this must be queued before showing it).
inline void WhenModal(std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, [act] {
        QWidget* w = QApplication::activeModalWidget();
        if (!w) return;
        if (!QTest::qWaitForWindowActive(w)) qWarning("modal window not active");
        Settle();
        act(w);
    });
}

// Runs act on the modal dialog of class F once it is up and active (it runs
// its own loop, so this is queued before showing it). A dialog still up
// after act is put down with giveUp, so that no test can hang.
template <class F>
void WhenDialogShown(std::function<void(F&)> act, std::function<void(F&)> giveUp) {
    QTimer::singleShot(0, [act, giveUp] {
        // A dialog that unloads itself is gone once act has closed it.
        QPointer<F> f = qobject_cast<F*>(QApplication::activeModalWidget());
        if (!f) {
            ADD_FAILURE() << "the dialog is not shown";
            return;
        }
        // Active as the widgets see it, not only as its window system does.
        if (!QTest::qWaitFor([f] { return f->isActiveWindow(); }))
            ADD_FAILURE() << "the dialog is not active";
        act(*f);
        if (f && f->isVisible()) {
            ADD_FAILURE() << "the dialog is still up";
            giveUp(*f);
        }
    });
}

// WhenDialogShown for a dialog with a Cancel button btnCancel: act runs with
// the events settled before and after it; a dialog still up is cancelled.
template <class F> void WhenShownElseCancel(std::function<void(F&)> act) {
    WhenDialogShown<F>(
        [act](F& d) {
            Settle();
            act(d);
            Settle();
        },
        [](F& d) {
            d.btnCancel->click();
            Settle();
        });
}

// Types a key at the control that has the focus in the window.
inline void Key(QWidget* window, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QWidget* target = window->focusWidget() ? window->focusWidget() : window;
    QTest::keyClick(target, key, mods);
    Settle();
}

// Shows dialog d with run (which returns when d is put down), runs act inside
// it once it is active, and gives run's answer. A dialog still up after act
// fails the test and is put down; one unloaded by act (its close box) is fine.
template <class D, class Run>
auto RunShownWith(D& d, const std::function<void(D&)>& act, Run run) {
    QTimer::singleShot(0, [&d, act] {
        if (!QTest::qWaitForWindowActive(&d)) ADD_FAILURE() << "the dialog is not active";
        Settle();
        const QPointer<D> alive(&d);
        act(d);
        Settle();
        if (alive && alive->isVisible()) {
            ADD_FAILURE() << "the dialog is still up";
            alive->hide();
        }
    });
    return run();
}

} // namespace tnq::test
