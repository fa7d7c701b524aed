// One line of status text.
#include "platform/ui/status_line.h"

#include "platform/ui/qt_message_boxes.h"

namespace tnq {

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

} // namespace tnq
