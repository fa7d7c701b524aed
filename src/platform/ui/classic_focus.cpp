// GotFocus and LostFocus in the classic order.
#include "platform/ui/classic_focus.h"

#include <QApplication>
#include <QFocusEvent>

namespace tnq {

namespace {
const char* const kControlProperty = "tnqControl";

bool CanTakeFocus(const QWidget* w, const QWidget* window) {
    return w->isEnabled() && w->isVisibleTo(window) && w->focusPolicy() != Qt::NoFocus;
}
} // namespace

ClassicFocus::ClassicFocus(QWidget* window, HandlerQueue& queue)
    : QObject(window), window_(window), queue_(queue) {
    qApp->installEventFilter(this);
}

ClassicFocus::~ClassicFocus() {
    if (qApp) qApp->removeEventFilter(this);
}

void ClassicFocus::OnGotFocus(QWidget* control, std::function<void()> handler) {
    MarkControl(control);
    got_[control] = std::move(handler);
}

void ClassicFocus::OnLostFocus(QWidget* control, std::function<void()> handler) {
    MarkControl(control);
    lost_[control] = std::move(handler);
}

void ClassicFocus::MarkControl(QWidget* w) {
    w->setProperty(kControlProperty, true);
}

QWidget* ClassicFocus::ControlOf(QWidget* w, const QWidget* window) {
    for (QWidget* p = w; p && p != window; p = p->parentWidget())
        if (p->property(kControlProperty).toBool()) return p;
    return w;
}

void ClassicFocus::SetFocus(QWidget* control) {
    QPointer<QWidget> target(control);
    queue_.Post([this, target] {
        if (target && CanTakeFocus(target, window_)) target->setFocus(Qt::OtherFocusReason);
        SyncNow();
    });
}

void ClassicFocus::SyncNow() {
    QWidget* now = window_->focusWidget();
    if (now)
        Sync(ControlOf(now, window_), false);
    else
        Sync(nullptr, true);
}

bool ClassicFocus::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type t = event->type();
    if ((t != QEvent::FocusIn && t != QEvent::FocusOut) || !watched->isWidgetType()) return false;
    auto* w = static_cast<QWidget*>(watched);
    if (w->window() != window_ || w == window_) return false;
    if (t == QEvent::FocusIn) {
        queue_.Post(
            [this, target = QPointer<QWidget>(ControlOf(w, window_))] { Sync(target, false); });
        return false;
    }
    // The focus leaves without going to another control of the window: only
    // when it is taken away (the control hidden or disabled), not when the
    // window or a popup takes it for a while.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason ||
        reason == Qt::MenuBarFocusReason)
        return false;
    QWidget* next = QApplication::focusWidget();
    if (!next || next->window() != window_) queue_.Post([this] { Sync(nullptr, true); });
    return false;
}

void ClassicFocus::Sync(QPointer<QWidget> target, bool cleared) {
    QWidget* now = window_->focusWidget();
    if (now) now = ControlOf(now, window_);
    if (cleared) {
        if (now) return; // the focus went somewhere after all
    } else {
        // The focus moved on before this control's turn came: the later
        // move is what counts.
        if (!target || now != target.data() || !CanTakeFocus(target, window_)) return;
    }
    if (target.data() == owner_.data()) return;
    QPointer<QWidget> previous = owner_;
    owner_ = target;
    if (previous) Call(lost_, previous);
    if (!target || owner_ != target) return;
    // The control left may have switched this one off, and the focus gone
    // on to the next: that control's turn comes instead.
    if (!CanTakeFocus(target, window_)) {
        owner_ = nullptr;
        return;
    }
    Call(got_, target);
}

void ClassicFocus::Call(const std::map<QWidget*, std::function<void()>>& handlers,
                        QWidget* control) {
    auto it = handlers.find(control);
    if (it != handlers.end() && it->second) queue_.Run(it->second);
}

} // namespace tnq
