// The dialogs' shared keys and focus rule.
#include "platform/ui/dialog_keys.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace tnq {

DialogKeys::DialogKeys(QObject* parent, std::function<void(bool next)> move)
    : QObject(parent), move_(std::move(move)) {}

void DialogKeys::Watch(QWidget* control) {
    control->installEventFilter(this);
}

bool DialogKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        // After a mouse click the selection must wait until the click has
        // placed the cursor.
        if (auto* box = qobject_cast<QLineEdit*>(watched))
            QMetaObject::invokeMethod(box, &QLineEdit::selectAll, Qt::QueuedConnection);
    } else if (event->type() == QEvent::KeyPress) {
        auto* e = static_cast<QKeyEvent*>(event);
        const bool plain = (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        if (plain && (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)) {
            if (auto* b = qobject_cast<QPushButton*>(watched))
                b->click();
            else
                move_(true);
            return true;
        }
        if (plain && e->key() == Qt::Key_Up) {
            move_(false);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace tnq
