// Keys as the program's forms handle them. Every key pressed in the window
// goes first to the form's own handlers (key preview, when on), then to the
// handlers of the focused control; a handler swallows a key by setting its
// code to 0, or a typed character by setting it to 0, and may replace the
// character typed. Enter on a focused command button presses it before any
// handler sees the key, and Esc presses the window's Cancel button. The
// program can send keystrokes; they are processed after the running handler
// returns.
#pragma once

#include "platform/ui/handler_queue.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <map>

class QAbstractButton;
class QKeyEvent;

namespace tnq {

// Enter (without modifiers) on an enabled push button presses it; true when
// it did.
bool EnterPressesButton(QObject* focused, const QKeyEvent& e);

class KeyPreview : public QObject {
    Q_OBJECT
public:
    using KeyDownHandler = std::function<void(int& keyCode, int& shift)>;
    using KeyPressHandler = std::function<void(int& keyAscii)>;

    KeyPreview(QWidget* window, HandlerQueue& queue);
    ~KeyPreview() override;

    // The form's key preview: its own handlers see every key first.
    void SetKeyPreview(bool on) { preview_ = on; }
    void SetFormKeyDown(KeyDownHandler h) { formDown_ = std::move(h); }
    void SetFormKeyPress(KeyPressHandler h) { formPress_ = std::move(h); }

    void OnKeyDown(QWidget* control, KeyDownHandler h);
    void OnKeyPress(QWidget* control, KeyPressHandler h);

    // The button Esc presses while it is enabled and shown.
    void SetCancelButton(QAbstractButton* button);

    // Sends a keystroke to the focused control after the running handler
    // returns (Tab moves on, Shift+Tab back).
    void SendKey(int keyCode, int shift = 0);
    // Runs after a sent keystroke was processed (the focus events it caused).
    void SetAfterSend(std::function<void()> after) { afterSend_ = std::move(after); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool HandleKey(QWidget* target, QKeyEvent* e);
    QWidget* ControlHolding(QWidget* w) const;

    QWidget* window_;
    HandlerQueue& queue_;
    bool preview_ = false;
    KeyDownHandler formDown_;
    KeyPressHandler formPress_;
    std::map<QWidget*, KeyDownHandler> down_;
    std::map<QWidget*, KeyPressHandler> press_;
    QPointer<QAbstractButton> cancel_;
    std::function<void()> afterSend_;
    QKeyEvent* passing_ = nullptr; // a replacement key on its way to the control
};

} // namespace tnq
