// Form_Activate: on showing, and on coming back from the program's own
// windows.
#include "platform/ui/form_activation.h"

#include <QApplication>
#include <QTimer>

namespace tnq {

namespace {
const char* const kFormProperty = "tnqForm";
} // namespace

void FormActivation::MarkForm(QWidget* window) {
    window->setProperty(kFormProperty, true);
}

bool FormActivation::IsForm(const QWidget* window) {
    return window && window->property(kFormProperty).toBool();
}

FormActivation::FormActivation(QWidget* window, HandlerQueue& queue)
    : QObject(window), window_(window), queue_(queue) {
    MarkForm(window_);
    window_->installEventFilter(this);
}

bool FormActivation::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_) {
        switch (event->type()) {
        case QEvent::Show:
            shown_ = true;
            break;
        case QEvent::WindowActivate:
            if (shown_ || lostToOwn_) {
                shown_ = lostToOwn_ = false;
                if (handler_) queue_.Post(handler_);
            }
            break;
        case QEvent::WindowDeactivate: {
            QWidget* now = QApplication::activeModalWidget();
            if (!now) now = QApplication::activeWindow();
            const bool own = now != nullptr && now != window_;
            lostToOwn_ = own && (boxesCount_ || IsForm(now));
            if (over_) over_->removeEventFilter(this);
            over_ = own ? now : nullptr;
            if (over_) over_->installEventFilter(this);
            break;
        }
        default:
            break;
        }
        return false;
    }
    if (watched == over_.data() && event->type() == QEvent::Hide) {
        over_->removeEventFilter(this);
        over_ = nullptr;
        // The window system normally gives the activation back; where it
        // does not, the form takes it.
        QTimer::singleShot(0, this, [this] {
            if (!QApplication::activeWindow() && window_->isVisible()) window_->activateWindow();
        });
    }
    return false;
}

} // namespace tnq
