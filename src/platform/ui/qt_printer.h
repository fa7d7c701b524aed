// The printer service on a QPrinter (a real printer or a PDF file): lines
// are painted top down from the page's top margin, a line as high as its
// font; a line that no longer fits starts a new page.
#pragma once

#include "platform/printer.h"

#include <QFont>
#include <QPainter>

class QPrinter;

namespace tnq {

class QtPrinter : public Printer {
public:
    // Prints on printer (kept by the caller, typically the one the print
    // dialog set up). The printout prints one copy: the program repeats the
    // pages itself for every copy chosen.
    explicit QtPrinter(QPrinter& printer) : printer_(printer) {}
    ~QtPrinter() override;

    void PrintLine(const std::string& text) override;
    void SetFontName(const std::string& name) override;
    void SetFontSize(int points) override;
    void SetBold(bool on) override;
    void EndPage() override;
    void EndDoc() override;

private:
    void Begin();

    QPrinter& printer_;
    QPainter painter_;
    QFont font_{"Times New Roman", 10};
    bool started_ = false;
    bool pageEnded_ = false;
    double y_ = 0; // top of the next line, device pixels
};

} // namespace tnq
