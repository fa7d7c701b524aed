// The keys and the focus rule every parameter dialog shares: a text box
// selects its whole text when it gets the focus; Enter presses a focused
// button and elsewhere moves to the next control; Up arrow moves to the
// previous control.
#pragma once

#include <QObject>

#include <functional>

class QWidget;

namespace tnq {

class DialogKeys : public QObject {
public:
    // move(true) moves the focus to the dialog's next control, move(false)
    // to its previous one (the dialog's own focusNextChild and
    // focusPreviousChild).
    DialogKeys(QObject* parent, std::function<void(bool next)> move);

    // Applies the rules to a control of the dialog.
    void Watch(QWidget* control);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(bool)> move_;
};

} // namespace tnq
