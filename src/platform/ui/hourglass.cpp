// The wait pointer over the whole program.
#include "platform/ui/hourglass.h"

#include <QCursor>
#include <QGuiApplication>

namespace tnq {

void Hourglass::Set(bool on) {
    if (on == on_) return;
    on_ = on;
    if (!qGuiApp) return;
    if (on)
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    else
        QGuiApplication::restoreOverrideCursor();
}

} // namespace tnq
