// Focus events as the program's handlers expect them: when the focus moves
// from one control to another inside the window, the loss-of-focus handler
// of the control left runs before the focus handler of the control entered;
// a control that handler switches off or hides gets no focus event.
// Nothing runs when the window only loses the focus for a while (a message
// box, a dialog, a menu or a list pops up, another program is activated):
// coming back to the same control is no move. Focus moves asked for by the
// program are queued and run after the running handler returns.
#pragma once

#include "platform/ui/handler_queue.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <map>

namespace tnq {

class ClassicFocus : public QObject {
    Q_OBJECT
public:
    ClassicFocus(QWidget* window, HandlerQueue& queue);
    ~ClassicFocus() override;

    void OnGotFocus(QWidget* control, std::function<void()> handler);
    void OnLostFocus(QWidget* control, std::function<void()> handler);

    // Moves the focus to control once the running handler has returned; a
    // control that cannot take the focus then (hidden or disabled) does
    // not get it.
    void SetFocus(QWidget* control);

    // Runs the focus events of a move that has just happened (a queued
    // focus move or a sent keystroke) at once, before the next queued work.
    void SyncNow();

    // The control whose focus handler ran last (null when none has the
    // focus).
    QWidget* Owner() const { return owner_; }

    // The control a focused widget belongs to: the widget itself, or the
    // nearest parent marked as a control (the inner editor of a list box).
    static QWidget* ControlOf(QWidget* w, const QWidget* window);
    // Marks a widget as a control of its form.
    static void MarkControl(QWidget* w);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Sync(QPointer<QWidget> target, bool cleared);
    void Call(const std::map<QWidget*, std::function<void()>>& handlers, QWidget* control);

    QWidget* window_;
    HandlerQueue& queue_;
    QPointer<QWidget> owner_;
    std::map<QWidget*, std::function<void()>> got_, lost_;
};

} // namespace tnq
