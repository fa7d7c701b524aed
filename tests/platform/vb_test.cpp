// Val, the 16-bit conversion, Str$, IsNumeric and error texts.
#include "platform/vb.h"

#include <gtest/gtest.h>

namespace tnq {
namespace {

TEST(Val, ReadsTheLeadingNumber) {
    struct Case {
        const char* text;
        double value;
    } cases[] = {
        {"", 0},        {"abc", 0},   {"12a", 12},        {"  42", 42}, {"1 2 3", 123},
        {"-5", -5},     {"+7", 7},    {"2500.5", 2500.5}, {".5", 0.5},  {"1e2", 100},
        {"1E", 1},      {"1e+", 1},   {"3.2.1", 3.2},     {"-", 0},     {"&H10", 16},
        {"&HFFFF", -1}, {"&O17", 15}, {"--5", 0},         {"\t9\n", 9}, {"1d3", 1000},
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(Val(c.text), c.value) << '"' << c.text << '"';
}

TEST(CInt, RoundsHalvesToEvenAndChecksTheRange) {
    EXPECT_EQ(CInt(2500.5), 2500);
    EXPECT_EQ(CInt(2501.5), 2502);
    EXPECT_EQ(CInt(-2.5), -2);
    EXPECT_EQ(CInt(0.5), 0);
    EXPECT_EQ(CInt(1.5), 2);
    EXPECT_EQ(CInt(2.4999), 2);
    EXPECT_EQ(CInt(32767.4), 32767);
    EXPECT_EQ(CInt(-32768), -32768);
    for (double bad : {32767.5, 32768.0, -32768.6, 1e9}) {
        try {
            CInt(bad);
            ADD_FAILURE() << bad << " did not overflow";
        } catch (const VbError& e) {
            EXPECT_EQ(e.Number(), 6);
            EXPECT_EQ(e.Description(), "Overflow");
        }
    }
    EXPECT_EQ(CLng(99999999.5), 100000000);
    EXPECT_THROW(CLng(3e9), VbError);
}

TEST(Str, PutsABlankBeforeNonNegativeNumbers) {
    EXPECT_EQ(Str(3), " 3");
    EXPECT_EQ(Str(0), " 0");
    EXPECT_EQ(Str(-17), "-17");
    EXPECT_EQ(StrSingle(0.5f), " .5");
    EXPECT_EQ(StrSingle(-0.25f), "-.25");
    EXPECT_EQ(StrSingle(68.571426f), " 68.57143");
    EXPECT_EQ(StrSingle(160.0f), " 160");
    EXPECT_EQ(StrDouble(1e16), " 1E+16");
}

TEST(IsNumeric, AcceptsOnlyWholeNumberTexts) {
    for (const char* yes : {"0", "64", " 64 ", "-5", "+64", "64.5", "1e2", ".5", "&H1F"})
        EXPECT_TRUE(IsNumeric(yes)) << yes;
    for (const char* no : {"", " ", "12a", "-", "--5", "1e", "1..2", "a1", "&H", "1 2"})
        EXPECT_FALSE(IsNumeric(no)) << no;
}

TEST(ErrorText, GivesTheSystemTextsTheMessagesQuote) {
    EXPECT_EQ(ErrorText(53), "File not found");
    EXPECT_EQ(ErrorText(7), "Out of memory");
    EXPECT_EQ(ErrorText(9), "Subscript out of range");
    EXPECT_EQ(ErrorText(61), "Disk full");
    EXPECT_EQ(ErrorText(76), "Path not found");
    EXPECT_EQ(VbError(52).Description(), "Bad file name or number");
}

TEST(TextHelpers, BehaveLikeTheClassicFunctions) {
    EXPECT_EQ(Trim("  a b  "), "a b");
    EXPECT_EQ(Trim("\tx"), "\tx"); // only blanks are trimmed
    EXPECT_EQ(UCase("Eb4"), "EB4");
    // The letters of Windows-1252 change case too; other bytes stay.
    EXPECT_EQ(UCase("\xE9tude \xE0\xF6\xF8\xFE \x9A\x9C\x9E\xFF"),
              "\xC9TUDE \xC0\xD6\xD8\xDE \x8A\x8C\x8E\x9F");
    EXPECT_EQ(UCase("\xDF\xB5\xF7\xAA\xBA"), "\xDF\xB5\xF7\xAA\xBA"); // no single capital
    EXPECT_EQ(LCase("\xC9TUDE \xC0\xD6\xD8\xDE \x8A\x8C\x8E\x9F"),
              "\xE9tude \xE0\xF6\xF8\xFE \x9A\x9C\x9E\xFF");
    EXPECT_EQ(LCase("\xD7\xDF"), "\xD7\xDF");
    EXPECT_EQ(Mid("ABCDEF", 3, 2), "CD");
    EXPECT_EQ(Mid("ABC", 5), "");
    EXPECT_EQ(Left("ABC", 5), "ABC");
    EXPECT_EQ(Right("ABCDEF", 2), "EF");
    EXPECT_EQ(InStr("a;b;c", ";"), 2);
    EXPECT_EQ(InStr("a;b;c", ";", 3), 4);
    EXPECT_EQ(InStr("abc", "x"), 0);
}

} // namespace
} // namespace tnq
