// Captions fitted to their width.
#include "platform/ui/fit_label.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyle>

namespace tnq {

FitLabel::FitLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {}

QFont FitLabel::FittedFont() const {
    QFont f = font();
    const int room = contentsRect().width() - 2 * std::max(0, indent()) - 2 * margin();
    const QString t = text();
    if (t.isEmpty() || room <= 0 || QFontMetrics(f).horizontalAdvance(t) <= room) return f;
    for (int stretch : {QFont::SemiCondensed, QFont::Condensed}) {
        f.setStretch(stretch);
        if (QFontMetrics(f).horizontalAdvance(t) <= room) return f;
    }
    for (double size = f.pointSizeF() - 0.5; size >= 5.0; size -= 0.5) {
        f.setPointSizeF(size);
        if (QFontMetrics(f).horizontalAdvance(t) <= room) return f;
    }
    return f;
}

void FitLabel::paintEvent(QPaintEvent* e) {
    const QFont fitted = FittedFont();
    if (fitted == font() || textFormat() == Qt::RichText || wordWrap()) {
        QLabel::paintEvent(e);
        return;
    }
    QPainter p(this);
    drawFrame(&p);
    QRect r = contentsRect();
    const int inset = std::max(0, indent()) + margin();
    r.adjust(inset, 0, -inset, 0);
    p.setFont(fitted);
    style()->drawItemText(&p, r, int(alignment()), palette(), isEnabled(), text(),
                          foregroundRole());
}

} // namespace tnq
