// A form's activation event: it runs when the form is shown and becomes the
// active window, and each time the form becomes active again after another
// form of the program (a dialog) had taken over; not when the user comes
// back from another program. Whether coming back from a message box or a
// system dialog counts too is chosen per form. When such a window closes
// and leaves no window active, the form is activated again.
#pragma once

#include "platform/ui/handler_queue.h"

#include <QPointer>
#include <QWidget>

#include <functional>

namespace tnq {

class FormActivation : public QObject {
    Q_OBJECT
public:
    FormActivation(QWidget* window, HandlerQueue& queue);

    void OnActivate(std::function<void()> handler) { handler_ = std::move(handler); }
    // Whether the form's activation event also runs after a message box,
    // an input box or a system dialog (not only after another form).
    void SetBoxesCount(bool on) { boxesCount_ = on; }

    // Marks a window as a form of the program.
    static void MarkForm(QWidget* window);
    static bool IsForm(const QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* window_;
    HandlerQueue& queue_;
    std::function<void()> handler_;
    bool shown_ = false;     // shown and not yet active since
    bool lostToOwn_ = false; // another window of the program took over
    bool boxesCount_ = false;
    QPointer<QWidget> over_; // that window
};

} // namespace tnq
