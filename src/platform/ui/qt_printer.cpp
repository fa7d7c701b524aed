// QPainter on QPrinter behind the printer service.
#include "platform/ui/qt_printer.h"

#include "platform/cp1252.h"
#include "platform/vb.h"

#include <QFontMetricsF>
#include <QPrinter>

namespace tnq {

QtPrinter::~QtPrinter() {
    if (painter_.isActive()) painter_.end();
}

void QtPrinter::Begin() {
    if (started_) {
        if (pageEnded_) {
            if (!printer_.newPage())
                throw VbError(kPrinterError, "The printer cannot start a page");
            pageEnded_ = false;
            y_ = 0;
        }
        return;
    }
    printer_.setCopyCount(1);
    if (!painter_.begin(&printer_)) throw VbError(kPrinterError, "The printer is not available");
    started_ = true;
    pageEnded_ = false;
    y_ = 0;
}

void QtPrinter::PrintLine(const std::string& text) {
    Begin();
    painter_.setFont(font_);
    const QFontMetricsF metrics(font_, &printer_);
    const double height = metrics.lineSpacing();
    const double pageHeight = painter_.viewport().height();
    if (y_ > 0 && y_ + height > pageHeight) {
        pageEnded_ = true;
        Begin();
        painter_.setFont(font_);
    }
    painter_.drawText(QPointF(0, y_ + metrics.ascent()),
                      QString::fromStdString(Cp1252ToUtf8(text)));
    y_ += height;
}

void QtPrinter::SetFontName(const std::string& name) {
    font_.setFamily(QString::fromStdString(Cp1252ToUtf8(name)));
}

void QtPrinter::SetFontSize(int points) {
    if (points > 0) font_.setPointSize(points);
}

void QtPrinter::SetBold(bool on) {
    font_.setBold(on);
}

void QtPrinter::EndPage() {
    // An empty page still counts as printed.
    Begin();
    pageEnded_ = true;
}

void QtPrinter::EndDoc() {
    if (!started_) return;
    started_ = false;
    pageEnded_ = false;
    if (!painter_.end()) throw VbError(kPrinterError, "The printout could not be finished");
}

} // namespace tnq
