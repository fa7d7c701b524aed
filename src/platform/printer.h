// The printer as a service: lines of text in the current font, one under
// the other, page by page. The window provides it on the toolkit's printer;
// tests record what would be printed.
#pragma once

#include <string>

namespace tnq {

// Run-time error number of a printer that cannot print.
inline constexpr int kPrinterError = 482;

class Printer {
public:
    virtual ~Printer() = default;

    // Prints text (in the program's one-byte encoding) as one line in the
    // current font; "" prints an empty line.
    virtual void PrintLine(const std::string& text) = 0;
    virtual void SetFontName(const std::string& name) = 0;
    virtual void SetFontSize(int points) = 0;
    virtual void SetBold(bool on) = 0;
    // Finishes the page; the next line starts a new one.
    virtual void EndPage() = 0;
    // Finishes the printout (the job goes to the printer).
    virtual void EndDoc() = 0;
    // Failures raise VbError (kPrinterError, with the reason).
};

} // namespace tnq
