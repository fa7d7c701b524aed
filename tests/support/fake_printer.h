// A printer that records what it is given: the lines of every page with the
// font each was printed in.
#pragma once

#include "platform/printer.h"
#include "platform/vb.h"

#include <string>
#include <vector>

namespace tnq::test {

class FakePrinter : public Printer {
public:
    struct Line {
        std::string Text, Font;
        int Size = 0;
        bool Bold = false;
    };
    using Page = std::vector<Line>;

    void PrintLine(const std::string& text) override {
        if (failAfterLines >= 0 && linesPrinted++ >= failAfterLines)
            throw VbError(kPrinterError, "Printer offline");
        current.push_back({text, font, size, bold});
    }
    void SetFontName(const std::string& name) override { font = name; }
    void SetFontSize(int points) override { size = points; }
    void SetBold(bool on) override { bold = on; }
    void EndPage() override {
        pages.push_back(current);
        current.clear();
    }
    void EndDoc() override {
        if (!current.empty()) EndPage();
        ++docs;
    }

    std::vector<Page> pages; // finished pages, in order
    Page current;
    int docs = 0;
    // The line after this many lines fails (-1: none fails).
    int failAfterLines = -1;
    int linesPrinted = 0;

    std::string font;
    int size = 0;
    bool bold = false;
};

} // namespace tnq::test
