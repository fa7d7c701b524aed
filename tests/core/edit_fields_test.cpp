#include "core/edit_fields.h"

#include "core/vocabulary.h"

#include <gtest/gtest.h>

namespace tnq {
namespace {

TEST(WholeNumber, TakesOnlyPlainSignedDigitsInRange) {
    struct Row {
        const char* text;
        int lo, hi;
        std::optional<int> want;
    } rows[] = {
        {"64", 0, 127, 64},       {"+7", 0, 127, 7},     {"-5", -99, 99, -5},
        {"0", 0, 0, 0},           {"128", 0, 127, {}},   {"-1", 0, 127, {}},
        {"64.5", 0, 127, {}},     {"1e1", 0, 127, {}},   {" 12", 0, 127, {}},
        {"12 ", 0, 127, {}},      {"", 0, 127, {}},      {"-", -9, 9, {}},
        {"99999999999", 0, 32767, {}}, {"&H10", 0, 127, {}},
    };
    for (const Row& r : rows) EXPECT_EQ(WholeNumber(r.text, r.lo, r.hi), r.want) << r.text;
    EXPECT_EQ(NumberText(-5), "-5");
    EXPECT_EQ(NumberText(1000), "1000");
}

TEST(DurationTextValid, AcceptsWhatTheParserTakesWithinTheField) {
    struct Row {
        const char* text;
        bool ok;
    } rows[] = {
        {"q", true},           {"h.", true},        {"q3", true},     {"hq", true},
        {"w...", true},        {"yyyyyyyyyy", true}, {"", false},     {"Q", false},
        {"q0", false},         {"3q", false},       {"q 3", false},   {"qqqqqqqqqqq", false},
        {"q99999", false},     {"k", false},
    };
    for (const Row& r : rows) EXPECT_EQ(DurationTextValid(r.text), r.ok) << r.text;
}

TEST(FieldValue, LeadingNumberAsA16BitIntegerOrZero) {
    struct Row {
        const char* text;
        int want;
    } rows[] = {{"12", 12}, {"12abc", 12}, {"abc", 0}, {"", 0},
                {"32767", 32767}, {"32768", 0}, {"-32768", -32768}, {"2.5", 2}};
    for (const Row& r : rows) EXPECT_EQ(FieldValue(r.text), r.want) << r.text;
}

TEST(BeatValueTicks, OneLetterOfTheNoteValues) {
    State s;
    FillNoteTables(s);
    EXPECT_EQ(BeatValueTicks(s, "x"), 1);
    EXPECT_EQ(BeatValueTicks(s, "q"), 8);
    EXPECT_EQ(BeatValueTicks(s, "y"), 256);
    EXPECT_EQ(BeatValueTicks(s, "qq"), 0);
    EXPECT_EQ(BeatValueTicks(s, ""), 0);
}

TEST(CheckBarFields, StopsAtTheFirstBadFieldInScreenOrder) {
    struct Row {
        BarFields f;
        BarField want;
    } rows[] = {
        {{"5", "8", "", "", "q"}, BarField::None},
        {{"5", "3", "", "", "q"}, BarField::Silent},      // To below From
        {{"", "3", "", "", "q"}, BarField::Silent},       // From not numeric
        {{"5", "x", "", "", "q"}, BarField::Silent},
        {{"5", "8", "2", "", "q"}, BarField::None},       // whole bars
        {{"5", "8", "", "2", "q"}, BarField::None},       // narrowed from beat 0
        {{"5", "8", "0", "2", "q"}, BarField::Silent},    // one zero, one not
        {{"5", "8", "2", "0", "q"}, BarField::Silent},
        {{"5", "8", "0", "0", "q"}, BarField::None},
        {{"5", "8", "2", "2", "qq"}, BarField::BeatValue},
        {{"5", "8", "2", "2", "k"}, BarField::BeatValue},
        {{"5", "8", "a", "2", "q"}, BarField::StartingBeat},
        {{"5", "8", "2", "b", "q"}, BarField::NumberOfBeats},
        {{"5", "8", "2", "3", "e"}, BarField::None},
    };
    for (const Row& r : rows)
        EXPECT_EQ(CheckBarFields(r.f), r.want)
            << r.f.FromBar << ".." << r.f.ToBar << " beat " << r.f.StartingBeat << "+"
            << r.f.NumberOfBeats << " " << r.f.BeatValue;
}

TEST(ByItemRangeValid, InsideTheTracksItems) {
    EXPECT_TRUE(ByItemRangeValid(1, 10, 10));
    EXPECT_TRUE(ByItemRangeValid(4, 4, 10));
    EXPECT_FALSE(ByItemRangeValid(0, 4, 10));
    EXPECT_FALSE(ByItemRangeValid(5, 4, 10));
    EXPECT_FALSE(ByItemRangeValid(1, 11, 10));
    EXPECT_FALSE(ByItemRangeValid(1, 1, 0));
}

} // namespace
} // namespace tnq
