// Windows-1252 conversions at the screen boundary.
#include "platform/cp1252.h"

#include <gtest/gtest.h>

namespace tnq {
namespace {

TEST(Cp1252, ConvertsBothWays) {
    EXPECT_EQ(Cp1252ToUtf8("\xA9 1998"), "\u00A9 1998");
    EXPECT_EQ(Utf8ToCp1252("\u00A9 1998"), "\xA9 1998");
    EXPECT_EQ(Cp1252ToUtf8("\x80\x96\x9F"), "\u20AC\u2013\u0178");
    EXPECT_EQ(Utf8ToCp1252("\u20AC\u2013\u0178"), "\x80\x96\x9F");
    EXPECT_EQ(Utf8ToCp1252("Gr\u00FC\u00DFe"), "Gr\xFC\xDF"
                                               "e");
}

TEST(Cp1252, EveryByteSurvivesARoundTrip) {
    std::string all;
    for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}

TEST(Cp1252, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    EXPECT_EQ(Utf8ToCp1252("\u266A note"), "? note");
    EXPECT_FALSE(FitsCp1252("\u266A"));
    EXPECT_TRUE(FitsCp1252("caf\u00E9"));
    EXPECT_EQ(Utf8ToCp1252("a\xC3"), "a?"); // cut sequence
}

} // namespace
} // namespace tnq
