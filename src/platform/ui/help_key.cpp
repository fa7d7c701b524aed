// The F1 filter.
#include "platform/ui/help_key.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace tnq {

HelpKey::HelpKey(QObject* owner, std::function<bool(QWidget*)> show)
    : QObject(owner), show_(std::move(show)) {
    qApp->installEventFilter(this);
}

HelpKey::~HelpKey() {
    if (qApp) qApp->removeEventFilter(this);
}

bool HelpKey::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
    const auto* e = static_cast<QKeyEvent*>(event);
    if (e->key() != Qt::Key_F1 || (e->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    QWidget* window = static_cast<QWidget*>(watched)->window();
    while (window->windowType() == Qt::Popup && window->parentWidget())
        window = window->parentWidget()->window();
    return show_(window);
}

} // namespace tnq
