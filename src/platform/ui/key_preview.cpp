// Key preview, control key handlers, the Cancel button and sent keys.
#include "platform/ui/key_preview.h"

#include "platform/ui/classic_focus.h"
#include "platform/ui/vb_keys.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>

namespace tnq {

bool EnterPressesButton(QObject* focused, const QKeyEvent& e) {
    const bool enter = e.key() == Qt::Key_Return || e.key() == Qt::Key_Enter;
    if (!enter || (e.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
    auto* b = qobject_cast<QPushButton*>(focused);
    if (!b || !b->isEnabled()) return false;
    b->click();
    return true;
}

KeyPreview::KeyPreview(QWidget* window, HandlerQueue& queue)
    : QObject(window), window_(window), queue_(queue) {
    qApp->installEventFilter(this);
}

KeyPreview::~KeyPreview() {
    if (qApp) qApp->removeEventFilter(this);
}

void KeyPreview::OnKeyDown(QWidget* control, KeyDownHandler h) {
    ClassicFocus::MarkControl(control);
    down_[control] = std::move(h);
}

void KeyPreview::OnKeyPress(QWidget* control, KeyPressHandler h) {
    ClassicFocus::MarkControl(control);
    press_[control] = std::move(h);
}

void KeyPreview::SetCancelButton(QAbstractButton* button) {
    cancel_ = button;
}

void KeyPreview::SendKey(int keyCode, int shift) {
    queue_.Post([this, keyCode, shift] {
        QWidget* target = window_->focusWidget();
        if (!target) target = window_;
        QKeyEvent press(QEvent::KeyPress, QtKeyFor(keyCode, shift), QtModifiersFor(shift),
                        QtTextFor(keyCode, shift));
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, QtKeyFor(keyCode, shift), QtModifiersFor(shift),
                          QtTextFor(keyCode, shift));
        QApplication::sendEvent(target, &release);
        if (afterSend_) afterSend_();
    });
}

QWidget* KeyPreview::ControlHolding(QWidget* w) const {
    return ClassicFocus::ControlOf(w, window_);
}

bool KeyPreview::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
    if (event == passing_) return false;
    auto* w = static_cast<QWidget*>(watched);
    if (w->window() != window_) return false;
    // A key travels from the focused control up to the window; it is
    // handled once, where it starts.
    QWidget* focus = window_->focusWidget();
    if (focus ? w != focus : w != window_) return false;
    return HandleKey(w, static_cast<QKeyEvent*>(event));
}

bool KeyPreview::HandleKey(QWidget* target, QKeyEvent* e) {
    // Whatever Enter does elsewhere in the window.
    if (EnterPressesButton(target, *e)) return true;
    const int originalCode = VbKeyCode(*e);
    const int originalAscii = VbKeyAscii(*e);
    int code = originalCode;
    int shift = VbShiftState(e->modifiers());
    int ascii = originalAscii;
    QWidget* control = ControlHolding(target);
    bool cancelPressed = false;

    queue_.Run([&] {
        if (code != 0) {
            if (preview_ && formDown_) formDown_(code, shift);
            auto it = down_.find(control);
            if (code != 0 && it != down_.end() && it->second) it->second(code, shift);
        }
        if (code == vbkey::Escape && cancel_ && cancel_->isEnabled() &&
            cancel_->isVisibleTo(window_)) {
            cancelPressed = true;
            return;
        }
        if (ascii != 0) {
            if (preview_ && formPress_) formPress_(ascii);
            auto it = press_.find(control);
            if (ascii != 0 && it != press_.end() && it->second) it->second(ascii);
        }
    });
    if (cancelPressed) {
        cancel_->click();
        return true;
    }

    const bool keySwallowed = originalCode != 0 && code == 0;
    const bool charChanged = ascii != originalAscii;
    if (!keySwallowed && !charChanged) return false;
    // A swallowed key still types its character, unless the character was
    // swallowed too; a replaced character is typed instead of the original.
    if (ascii == 0) return true;
    const QString text = charChanged ? AsciiToQt(ascii) : e->text();
    const int key = keySwallowed ? int(Qt::Key_unknown) : e->key();
    QKeyEvent replacement(QEvent::KeyPress, key, e->modifiers(), text, e->isAutoRepeat());
    passing_ = &replacement;
    QApplication::sendEvent(target, &replacement);
    passing_ = nullptr;
    return true;
}

} // namespace tnq
