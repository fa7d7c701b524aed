// The primary screen's metrics.
#include "platform/ui/qt_system_info.h"

#include <QGuiApplication>
#include <QScreen>

namespace tnq {

ScreenMetrics QtSystemInfo::Screen() const {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return SystemInfo::Screen();
    const QRect g = screen->geometry();
    const double dpi = screen->logicalDotsPerInchX();
    return ScreenMetrics::FromPixels(g.width(), g.height(), dpi > 0 ? dpi : 96.0);
}

} // namespace tnq
