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

TEST(Cp1252, MalformedSequencesAreRefused) {
    struct Case {
        const char* utf8;
        const char* bytes;
    } cases[] = {
        {"\xC0\xAF", "??"},         // "/" in two bytes
        {"\xC1\x81", "??"},         // "A" in two bytes
        {"\xE0\x80\xAF", "???"},    // "/" in three bytes
        {"\xE0\x83\xA9", "???"},    // an e acute in three bytes
        {"\xF0\x80\x80\xAF", "????"}, // "/" in four bytes
        {"\xED\xA0\x80", "???"},    // a surrogate
        {"\xF4\x90\x80\x80", "????"}, // beyond U+10FFFF
        {"\xC2\xA9\xE2\x82\xAC", "\xA9\x80"}, // shortest forms are kept
    };
    for (const Case& k : cases) {
        EXPECT_EQ(Utf8ToCp1252(k.utf8), k.bytes) << k.utf8;
        EXPECT_EQ(FitsCp1252(k.utf8), std::string(k.bytes).find('?') == std::string::npos);
    }
}

} // namespace
} // namespace tnq
