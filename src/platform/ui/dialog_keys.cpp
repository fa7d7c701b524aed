// The dialogs' shared layout, keys and focus rule.
#include "platform/ui/dialog_keys.h"

#include "platform/ui/key_preview.h"
#include "platform/ui/qt_placement.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace tnq {

void LayOutDialog(QWidget* dialog, double width, double height,
                  std::initializer_list<TwipsPlace> controls) {
    for (const TwipsPlace& p : controls) {
        p.Control->setObjectName(p.Name);
        SetTwipsGeometry(p.Control, p.Left, p.Top, p.Width, p.Height);
    }
    const float tpp = TwipsPerPixel(dialog);
    dialog->setFixedSize(TwipsToPixels(width, tpp), TwipsToPixels(height, tpp));
}

DialogKeys::DialogKeys(QWidget* dialog, const std::vector<QWidget*>& tabOrder) : QObject(dialog) {
    for (std::size_t i = 1; i < tabOrder.size(); ++i)
        QWidget::setTabOrder(tabOrder[i - 1], tabOrder[i]);
    for (QWidget* w : tabOrder) {
        w->setFocusPolicy(Qt::StrongFocus);
        w->installEventFilter(this);
        // Enter on a button presses that button, never a default one.
        if (auto* b = qobject_cast<QPushButton*>(w)) {
            b->setAutoDefault(false);
            b->setDefault(false);
        }
    }
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
        const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
        if (EnterPressesButton(watched, *e)) return true;
        if (plain && (enter || e->key() == Qt::Key_Up)) {
            // Enter sends Tab, Up arrow Shift+Tab.
            QKeyEvent tab(QEvent::KeyPress, enter ? Qt::Key_Tab : Qt::Key_Backtab,
                          enter ? Qt::NoModifier : Qt::ShiftModifier);
            QCoreApplication::sendEvent(watched, &tab);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace tnq
