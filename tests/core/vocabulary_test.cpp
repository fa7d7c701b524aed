// Note names, keyword codes, TEMPO units and Adjustment forms.
#include "core/vocabulary.h"

#include <gtest/gtest.h>

#include <map>

namespace tnq {
namespace {

TEST(Vocabulary, KeywordsHaveTheirCodesAndMatchExactly) {
    EXPECT_EQ(KeywordCode("PROGR"), 128);
    EXPECT_EQ(KeywordCode("TEMPO"), 130);
    EXPECT_EQ(KeywordCode("NRPN1"), 142);
    EXPECT_EQ(KeywordCode("progr"), 0);
    EXPECT_EQ(KeywordCode("RESET"), 0);
    EXPECT_EQ(KeywordCode("END"), 0);
    EXPECT_EQ(KeywordText(139), "FILT2");
    EXPECT_EQ(KeywordText(143), "");
    EXPECT_TRUE(IsDurationlessKeyword("LFO_2"));
    EXPECT_FALSE(IsDurationlessKeyword("TEMPO"));
    EXPECT_FALSE(IsDurationlessKeyword("O_2-F"));
}

TEST(Vocabulary, NoteNamesAndCodes) {
    State s;
    FillNoteTables(s);
    struct Case {
        const char* typed;
        int octave;
        int code; // 0 = no note name
    } cases[] =
        {
            {"C", 0, 12},  {"B", 8, 119}, {"C", 4, 60},  {"A", 4, 69},  {"EB", 4, 63},
            {"bb", 4, 70}, {"BB", 4, 70}, {"Db", 4, 61}, {"C#", 4, 61}, {"E#", 4, 0},
            {"Fb", 4, 0},  {"H", 4, 0},   {"c", 4, 0},   {"Cb", 4, 0},  {"B#", 4, 0},
            {"bB", 4, 70}, // the flat sign first, then "bb" is "Bb"
        };
    for (const auto& c : cases) {
        const std::string name = FlatSpelling(c.typed);
        const int idx = NoteIndexOf(s, name);
        EXPECT_EQ(idx == 0 ? 0 : NoteNumber(idx, c.octave), c.code) << c.typed;
    }
    EXPECT_EQ(s.PowerOfTwo[1], 1);
    EXPECT_EQ(s.PowerOfTwo[9], 256);
}

TEST(Vocabulary, TempoBeatUnits) {
    State s;
    FillNoteTables(s);
    std::map<std::string, float> ok = {{"q", 8}, {"q.", 12}, {"e.", 24}, {"h", 4}, {"x", 1}};
    for (const auto& [text, unit] : ok) EXPECT_EQ(TempoBeatUnit(s, text), unit) << text;
    for (const char* bad : {"qq", "q..", "", "Q", ".q", "q3"})
        EXPECT_FALSE(TempoBeatUnit(s, bad).has_value()) << bad;
}

TEST(Vocabulary, AdjustmentForms) {
    struct Case {
        const char* text;
        AdjustmentForm form;
        int dashes;
    } cases[] = {
        {"0", AdjustmentForm::Zero, 0},        {"5", AdjustmentForm::Numeric, 0},
        {"-5", AdjustmentForm::Numeric, 0},    {"250", AdjustmentForm::Numeric, 0},
        {"9999", AdjustmentForm::Numeric, 0},  {"-999", AdjustmentForm::Numeric, 0},
        {"-", AdjustmentForm::Dashes, 1},      {"--", AdjustmentForm::Dashes, 2},
        {"----", AdjustmentForm::Dashes, 4},   {"", AdjustmentForm::Dashes, 0},
        {"-x", AdjustmentForm::Invalid, 0},    {"--5", AdjustmentForm::Invalid, 0},
        {"x", AdjustmentForm::Invalid, 0},     {"10000", AdjustmentForm::Invalid, 0},
        {"-1000", AdjustmentForm::Invalid, 0},
    };
    for (const auto& c : cases) {
        Adjustment a = ClassifyAdjustment(c.text);
        EXPECT_EQ(a.Form, c.form) << '"' << c.text << '"';
        EXPECT_EQ(a.Dashes, c.dashes) << c.text;
    }
}

TEST(Vocabulary, DashRunsRemoveEarlierLengths) {
    // Items 1..4: 480, 240, 0 (a keyword), and the item being entered at 4.
    auto len = [](int p) -> long long { return p == 1 ? 480 : p == 2 ? 240 : 0; };
    EXPECT_EQ(DashRemoval(3, 2, len), 720); // "--" after 480 and 240
    EXPECT_EQ(DashRemoval(4, 1, len), 240); // "-" after a keyword looks one further back
    EXPECT_EQ(DashRemoval(4, 0, len), 0);
    EXPECT_EQ(DashRemoval(1, 1, len), std::nullopt); // nothing before item 1
    EXPECT_EQ(DashRemoval(3, 3, len), std::nullopt);
    auto zeroFirst = [](int p) -> long long { return p == 2 ? 100 : 0; };
    EXPECT_EQ(DashRemoval(2, 1, zeroFirst), std::nullopt); // item 1 has no length, no item 0
}

// The rule of every note-name box: the entry screen's and the edit dialogs'.
TEST(NoteNameKeyTest, CapitalsAndAFlatAsTheSecondKey) {
    struct Case {
        const char* typed;
        const char* shown;
    } cases[] = {
        {"eb", "Eb"}, {"bb", "Bb"}, {"bB", "Bb"}, {"c#", "C#"},
        {"ebb", "EbB"}, {"r", "R"}, {"cntrl", "CNTRL"}, {"\xff", "\x9f"},
    };
    for (const Case& k : cases) {
        std::string shown;
        int n = 0;
        for (const char* p = k.typed; *p != '\0'; ++p) {
            int ascii = static_cast<unsigned char>(*p);
            NoteNameKey(ascii, ++n);
            shown += static_cast<char>(ascii);
        }
        EXPECT_EQ(shown, k.shown) << k.typed;
    }
    for (int control : {0, 8, 256}) {
        int ascii = control;
        NoteNameKey(ascii, 2);
        EXPECT_EQ(ascii, control);
    }
}

} // namespace
} // namespace tnq
