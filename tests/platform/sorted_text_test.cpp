// The sorted list order.
#include "platform/sorted_text.h"

#include <gtest/gtest.h>

namespace tnq {
namespace {

TEST(SortedText, OrderOfASortedListBox) {
    struct Case {
        const char* a;
        const char* b;
        int sign; // of CompareListText(a, b)
    } cases[] = {
        {"  Drum Kit Lookup", "Agogo High G4", -1}, // blanks before letters
        {"#1", "1", -1},                            // signs before digits
        {"9", "A", -1},                             // digits before letters
        {"apple", "Banana", -1},                    // case does not count
        {"ABC", "abc", 0},
        {"High Q Eb1", "Hi-Hat Closed F#2", -1}, // the hyphen is ignored: "hig" < "hih"
        {"Vibra - slap Bb3", "Vibraphone", -1},  // then the blank decides
        {"coop", "co-op", -1},                   // equal but for the hyphen: plain first
        {"dont", "don't", -1},
        {"Tom", "Tom 1", -1}, // a shorter text first
        {"Kick Drum 1 C2", "Kick Drum 2 B1", -1},
    };
    for (const Case& c : cases) {
        const int r = CompareListText(c.a, c.b);
        EXPECT_EQ((r > 0) - (r < 0), c.sign) << c.a << " / " << c.b;
        const int back = CompareListText(c.b, c.a);
        EXPECT_EQ((back > 0) - (back < 0), -c.sign) << c.b << " / " << c.a;
    }
}

TEST(SortedText, EqualRowsKeepTheOrderTheyWereAddedIn) {
    std::vector<std::string> rows{"a", "B", "c"};
    EXPECT_EQ(SortedInsertIndex(rows, "b"), 2u);
    EXPECT_EQ(SortedInsertIndex(rows, " "), 0u);
    EXPECT_EQ(SortedInsertIndex(rows, "z"), 3u);
    EXPECT_EQ(SortedInsertIndex({}, "x"), 0u);
}

} // namespace
} // namespace tnq
