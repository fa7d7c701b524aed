// One line of status text, fitted to its strip.
#include "platform/ui/status_line.h"

#include "platform/ui/qt_message_boxes.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyle>

namespace tnq {

namespace {

// Below this size a single line is no longer comfortable to read; two lines
// of a larger face are shown instead.
constexpr double kSmallestOneLine = 7.0;
constexpr double kSmallest = 5.0;

bool FitsOneLine(const QFont& f, const QString& t, const QRect& room) {
    return QFontMetrics(f).horizontalAdvance(t) <= room.width();
}

bool FitsTwoLines(const QFont& f, const QString& t, const QRect& room) {
    const QFontMetrics fm(f);
    const QRect need =
        fm.boundingRect(QRect(0, 0, room.width(), 10 * room.height()), Qt::TextWordWrap, t);
    return need.height() <= room.height() && need.height() <= 2 * fm.lineSpacing() &&
           need.width() <= room.width();
}

} // namespace

StatusLine::StatusLine(QWidget* parent) : QLabel(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setIndent(3);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
}

void StatusLine::SetLine(const std::string& text) {
    line_ = text;
    QString shown = ToQt(text);
    shown.replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\r'), QLatin1Char(' '));
    setText(shown);
}

QRect StatusLine::TextRect() const {
    const int inset = std::max(0, indent()) + margin();
    return contentsRect().adjusted(inset, margin(), -inset, -margin());
}

StatusLine::Fit StatusLine::Fitted() const {
    const QString t = text();
    const QRect room = TextRect();
    QFont f = font();
    if (t.isEmpty() || room.width() <= 0 || FitsOneLine(f, t, room)) return {f, false};
    // One line, narrower, then smaller.
    for (int stretch : {QFont::SemiCondensed, QFont::Condensed}) {
        f.setStretch(stretch);
        if (FitsOneLine(f, t, room)) return {f, false};
    }
    for (double size = f.pointSizeF() - 0.25; size >= kSmallestOneLine; size -= 0.25) {
        f.setPointSizeF(size);
        if (FitsOneLine(f, t, room)) return {f, false};
    }
    // Two lines, as large as the strip allows.
    f = font();
    f.setStretch(QFont::Condensed);
    for (double size = f.pointSizeF(); size >= kSmallest; size -= 0.25) {
        f.setPointSizeF(size);
        if (FitsTwoLines(f, t, room)) return {f, true};
    }
    return {f, false};
}

void StatusLine::paintEvent(QPaintEvent* e) {
    const Fit fit = Fitted();
    if (!fit.TwoLines && fit.Font == font()) {
        QLabel::paintEvent(e);
        return;
    }
    QPainter p(this);
    drawFrame(&p);
    p.setFont(fit.Font);
    const int flags = int(alignment()) | (fit.TwoLines ? int(Qt::TextWordWrap) : 0);
    style()->drawItemText(&p, TextRect(), flags, palette(), isEnabled(), text(), foregroundRole());
}

} // namespace tnq
