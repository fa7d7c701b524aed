// Duration texts to ticks and beats.
#include "core/duration_parse.h"
#include "core/vocabulary.h"

#include <gtest/gtest.h>

namespace tnq {
namespace {

class DurationParseTest : public ::testing::Test {
protected:
    void SetUp() override {
        FillNoteTables(s);
        s.TicksPerQuarter = 480;
        s.BeatUnit = 8;
        s.TickFraction = 0;
    }
    // Ticks of one item, as Accept Item and the recalculation count them.
    std::string Parse(const std::string& text, float& ticks) {
        std::string t = text;
        s.ItemTicks = 0;
        DurationParse(s, t, "btnAccept");
        ticks = s.ItemTicks;
        return t;
    }
    State s;
};

TEST_F(DurationParseTest, WorkedExamplesAtFourHundredEightyTicks) {
    struct Case {
        const char* text;
        float ticks;
    } cases[] = {
        {"q", 480},  {"q.", 720},   {"q..", 840}, {"q...", 900}, {"h.", 1440}, {"hq", 1440},
        {"qe", 720}, {"q3", 160},   {"e3", 80},   {"x", 3840},   {"w", 1920},  {"h", 960},
        {"e", 240},  {"s", 120},    {"t", 60},    {"z", 30},     {"y", 15},    {"q5", 96},
        {"q30", 16}, {"h..", 1680}, {"q.3", 240}, {"", 0},       {"w.", 2880}, {"h.q", 1920},
    };
    for (const auto& c : cases) {
        s.TickFraction = 0;
        float ticks = -1;
        EXPECT_EQ(Parse(c.text, ticks), c.text) << c.text;
        EXPECT_EQ(ticks, c.ticks) << '"' << c.text << '"';
        EXPECT_EQ(s.TickFraction, 0.0f) << c.text;
    }
}

TEST_F(DurationParseTest, RefusesMalformedTexts) {
    for (const char* bad : {"Q", "q ", "q.3.", "q....", "q0", "q03", "3q", "a", "q-", " q",
                            "q99999", "q32768", "q123456789"}) {
        float ticks;
        EXPECT_EQ(Parse(bad, ticks), "error") << '"' << bad << '"';
    }
    // The largest divisor a 16-bit number holds is still a divisor.
    float ticks;
    EXPECT_EQ(Parse("x32767", ticks), "x32767");
}

TEST_F(DurationParseTest, SevenTripletsCarryTheirFractions) {
    const float expected[] = {68, 69, 68, 69, 68, 69, 68};
    float total = 0;
    for (float e : expected) {
        float ticks;
        Parse("q7", ticks);
        EXPECT_EQ(ticks, e);
        total += ticks;
    }
    EXPECT_EQ(total, 479);
    EXPECT_NEAR(s.TickFraction, 0.9999847f, 1e-7);
    EXPECT_LT(s.TickFraction, 1.0f);
    float eighth;
    Parse("q7", eighth);
    EXPECT_EQ(eighth, 69);
}

TEST_F(DurationParseTest, SmallTickResolutions) {
    s.TicksPerQuarter = 96;
    float ticks;
    Parse("y", ticks);
    EXPECT_EQ(ticks, 3);
    Parse("y3", ticks);
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(s.TickFraction, 0.0f);
    Parse("y7", ticks);
    EXPECT_EQ(ticks, 0);
    EXPECT_FLOAT_EQ(s.TickFraction, 0.4285714f);
}

TEST_F(DurationParseTest, TempoBeatUnitChangesTheQuarter) {
    struct Case {
        float unit;
        float ticks;
    } cases[] = {{4, 240}, {16, 960}, {12, 720}, {8, 480}};
    for (const auto& c : cases) {
        s.BeatUnit = c.unit;
        float ticks;
        Parse("q", ticks);
        EXPECT_EQ(ticks, c.ticks) << c.unit;
    }
}

TEST_F(DurationParseTest, LengthLimitAndPartialCounting) {
    float ticks;
    // 27 breves tied: 27 * 3840 = 103680, well inside; a huge unit is not.
    s.BeatUnit = 30000;
    EXPECT_EQ(Parse("xxxxxxxxxx", ticks), "error");
    s.BeatUnit = 8;
    // Terms before the fault stay counted.
    EXPECT_EQ(Parse("qQ", ticks), "error");
    EXPECT_EQ(ticks, 480);
}

TEST_F(DurationParseTest, BeatModeCountsBeatsOnly) {
    s.BeatTicks = 8;
    s.ItemTicks = 123;
    s.TickFraction = 0.25f;
    struct Case {
        const char* text;
        float beats;
    } cases[] = {{"e", 0.5f}, {"h.", 3}, {"q3", 0.3333333f}, {"q7", 0.14285715f}};
    for (const auto& c : cases) {
        std::string t = c.text;
        s.TermTicks = 0;
        DurationParse(s, t, "StitRtn");
        EXPECT_EQ(t, c.text);
        EXPECT_FLOAT_EQ(s.TermTicks, c.beats) << c.text;
    }
    EXPECT_EQ(s.ItemTicks, 123);
    EXPECT_EQ(s.TickFraction, 0.25f);
    // No upper limit in beat mode.
    std::string t = "xxxxxxxxxx";
    s.BeatTicks = 30000;
    s.TermTicks = 0;
    DurationParse(s, t, "StitRtn");
    EXPECT_EQ(t, "xxxxxxxxxx");
}

} // namespace
} // namespace tnq
