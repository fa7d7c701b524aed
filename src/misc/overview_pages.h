// The six overview pages of the Help menu: their lines of text with the
// style of each part, where each page starts, and paging through them.
#pragma once

#include "core/state.h"

#include <string>
#include <vector>

namespace tnq {

inline constexpr int kLastOverviewPage = 5;

// A piece of a line drawn in one style.
struct TextRun {
    std::string Text;
    bool Bold = false;
    bool Underline = false;
    double Points = 8.25;
};
// One line; an empty one is a blank line.
using PageLine = std::vector<TextRun>;

struct OverviewPage {
    // Where the first line starts, in twips before scaling; every further
    // line starts at the left edge.
    double Left = 0, Top = 0;
    std::vector<PageLine> Lines;
};

// Page 0..5. exeName is the program's file name; the page of files and
// installation names it (and no directory of this system).
OverviewPage OverviewPageOf(const State& s, int page, const std::string& exeName);

// The page shown and the Next and Previous buttons' states.
struct OverviewPager {
    int Page = 0;
    int Last = kLastOverviewPage;
    bool NextEnabled = true;
    bool PreviousEnabled = false;

    void Next();
    void Previous();
};

} // namespace tnq
