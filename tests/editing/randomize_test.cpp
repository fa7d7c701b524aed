#include "editing/randomize.h"

#include "editing/edit_fixture.h"
#include "midifile/mid_fixture.h"

#include <deque>

namespace tnq {
namespace {

using test::Item;

class ScriptedRandom : public RandomDialog {
public:
    bool Show(Context& c) override {
        ++shown;
        field = RandomOK(c.s, texts);
        return field == EditField::None;
    }
    RandomTexts Texts() const override { return texts; }

    RandomTexts texts;
    int shown = 0;
    EditField field = EditField::None;
};

RandomTexts Passage(std::string track, std::string from, std::string to, std::string lower,
                    std::string upper, bool tempo = false) {
    RandomTexts t;
    t.Track = std::move(track);
    t.Passage.From = std::move(from);
    t.Passage.To = std::move(to);
    t.Lower = std::move(lower);
    t.Upper = std::move(upper);
    t.Dynamics = !tempo;
    t.Tempo = tempo;
    return t;
}

TEST(RandomDraw, EveryWholeNumberOfTheLimitsAndNothingElse) {
    struct Case {
        double r;
        int lower, upper, want;
    } cases[] = {
        {0.0, 40, 80, 40},       {0.5, 40, 80, 60},        {0.99999, 40, 80, 80},
        // A draw that single precision rounds up to 1 still gives the upper
        // limit, and so does a source that breaks its promise.
        {0.99999999, 40, 80, 80}, {1.0, 40, 80, 80},       {7.0, 1, 127, 127},
        {-0.2, 1, 127, 1},       {0.3, 64, 64, 64},        {0.999999, 1, 999, 999},
    };
    for (const Case& k : cases)
        EXPECT_EQ(DrawBetween(k.r, Integer(k.lower), Integer(k.upper)), k.want) << k.r;
    // Each value of 1..4 from an even spread of draws.
    std::vector<int> seen(5);
    for (int i = 0; i < 400; ++i) ++seen[DrawBetween(i / 400.0, 1, 4)];
    EXPECT_EQ(seen, (std::vector<int>{0, 100, 100, 100, 100}));
}

class RandomizeTest : public test::EditTest {
protected:
    // The source gives these draws in turn and then fails the test.
    void Draws(std::vector<double> values) {
        auto q = std::make_shared<std::deque<double>>(values.begin(), values.end());
        s.Random = [q] {
            if (q->empty()) {
                ADD_FAILURE() << "more draws than expected";
                return 0.0;
            }
            const double r = q->front();
            q->pop_front();
            return r;
        };
    }
    static std::vector<std::string> Dyns(const std::vector<TrackItemRecord>& records) {
        std::vector<std::string> out;
        for (const auto& r : records) out.push_back(r.Dynamics);
        return out;
    }
    ScriptedRandom dialog;
};

TEST_F(RandomizeTest, DynamicsBetweenLimitsForTheNotesOfThePassage) {
    Tracks({{2,
             {Item("C", "4", "q", "0", "64", "1"), Item("D", "4", "q", "0", "64", "2"),
              Item("R", "4", "q", "0", "0", "2"), Item("PROGR", "0", "", "0", "41", "2"),
              Item("E", "4", "q", "0", "64", "2"), Item("F", "4", "q", "0", "64", "3"),
              Item("G", "4", "q", "0", "64", "3")}},
            {3, {Item("C", "3", "w", "0", "64", "1"), Item("C", "3", "h", "0", "64", "2")}}});
    Select({3});
    Draws({0.0, 0.999, 0.5, 0.25});
    dialog.texts = Passage("2", "2", "3", "40", "80");
    ASSERT_TRUE(RandomizePassage(c, dialog));
    EXPECT_EQ(s.MenuMode, "mnuEdtRandom");
    EXPECT_EQ(s.SelectedTracks, "0100");
    EXPECT_EQ(p.screen.status2, "Select a menu item");
    EXPECT_EQ(Dyns(Records(2)), (std::vector<std::string>{"64", "40", "0", "41", "80", "60", "50"}));
    EXPECT_EQ(s.ItemDyn(2, 7), 50);
    EXPECT_EQ(Dyns(Records(3)), (std::vector<std::string>{"64", "64"}));

    s.TrackDescription.ReDim(s.NumTracks);
    test::ScriptedMidDialog mid;
    mid.Ok({"", kDefaultCopyright, false, 0});
    ASSERT_TRUE(MakeMidFile(c, mid));
    std::vector<int> velocities;
    for (const auto& r : test::ExpectReadable(MidFilePath(s)).Records)
        if (r.Type == "Note_on_c" && r.Track == 1 && r.Fields[2] != "0")
            velocities.push_back(std::stoi(r.Fields[2]));
    EXPECT_EQ(velocities, (std::vector<int>{64, 40, 80, 60, 50}));
}

TEST_F(RandomizeTest, EqualLimitsAndTheClockSeededSourceStayWithinTheLimits) {
    Tracks({{2, {Item("C", "4", "q"), Item("D", "4", "q"), Item("E", "4", "q")}}});
    dialog.texts = Passage("2", "1", "1", "99", "99");
    ASSERT_TRUE(RandomizePassage(c, dialog));
    EXPECT_EQ(Dyns(Records(2)), (std::vector<std::string>{"99", "99", "99"}));

    // No source in the state: each run seeds its own from the clock.
    ASSERT_FALSE(s.Random);
    for (int run = 0; run < 20; ++run) {
        dialog.texts = Passage("2", "1", "1", "1", "2");
        ASSERT_TRUE(RandomizePassage(c, dialog));
        for (const auto& d : Dyns(Records(2))) EXPECT_TRUE(d == "1" || d == "2") << d;
    }
}

TEST_F(RandomizeTest, TemposOfASeriesChangeAndLengthsStay) {
    Tracks({{1,
             {Item("TEMPO", "0", "q", "0", "100", "1"), Item("R", "0", "q", "0", "0", "1"),
              Item("TEMPO", "0", "q", "0", "100", "1"), Item("R", "0", "q", "0", "0", "1"),
              Item("TEMPO", "0", "q", "0", "100", "1"), Item("R", "0", "h", "0", "0", "1")}}});
    const Long total = s.TrackTotal(1);
    Draws({0.0, 0.5, 0.99});
    dialog.texts = Passage("1", "1", "1", "90", "110", true);
    ASSERT_TRUE(RandomizePassage(c, dialog));
    EXPECT_EQ(Dyns(Records(1)), (std::vector<std::string>{"90", "0", "100", "0", "110", "0"}));
    EXPECT_EQ(s.ItemTime(1, 2), 480);
    EXPECT_EQ(s.TrackTotal(1), total);

    // The whole range of a tempo item is open to the limits.
    Draws({0.99, 0.0, 0.5});
    dialog.texts = Passage("1", "1", "1", "1", "999", true);
    ASSERT_TRUE(RandomizePassage(c, dialog));
    EXPECT_EQ(Dyns(Records(1)), (std::vector<std::string>{"990", "0", "1", "0", "500", "0"}));
}

TEST_F(RandomizeTest, ASpanWithoutTemposOrOfOneItemIsTold) {
    Tracks({{2, {Item("C", "4", "q"), Item("D", "4", "q", "0", "64", "2")}},
            {1, {Item("TEMPO", "0", "q", "0", "100", "1"), Item("R", "0", "h.", "0", "0", "1")}}});
    struct Case {
        RandomTexts texts;
        bool message;
    } cases[] = {
        {Passage("2", "1", "2", "90", "110", true), true},
        // A span of one item, even a TEMPO item.
        {[] {
             RandomTexts t = Passage("1", "1", "1", "90", "110", true);
             t.Passage.ByBar = false, t.Passage.ByItem = true;
             return t;
         }(),
         true},
        {[] {
             RandomTexts t = Passage("2", "2", "2", "90", "110");
             t.Passage.ByBar = false, t.Passage.ByItem = true;
             return t;
         }(),
         false},
    };
    for (const Case& k : cases) {
        p.msg.shown.clear();
        if (k.message) p.msg.AnswerOk();
        dialog.texts = k.texts;
        ASSERT_TRUE(RandomizePassage(c, dialog));
        EXPECT_EQ(p.msg.shown.size(), k.message ? 1u : 0u);
        if (k.message) {
            EXPECT_EQ(p.msg.Last().Text, "A series of Tempos has to be set up first");
            EXPECT_EQ(p.msg.Last().Title, "Randomize");
        }
    }
    EXPECT_EQ(Dyns(Records(2)), (std::vector<std::string>{"64", "64"}));
    EXPECT_EQ(Dyns(Records(1)), (std::vector<std::string>{"100", "0"}));
}

TEST_F(RandomizeTest, OKRefusesLimitsOutsideTheItemsRange) {
    struct Case {
        RandomTexts texts;
        EditField want;
    };
    auto with = [](RandomTexts t, auto change) {
        change(t);
        return t;
    };
    const RandomTexts dyn = Passage("2", "1", "2", "1", "127");
    const RandomTexts tempo = Passage("1", "1", "2", "1", "999", true);
    const Case cases[] = {
        {dyn, EditField::None},
        {tempo, EditField::None},
        {with(dyn, [](RandomTexts& t) { t.Track = "0"; }), EditField::Track},
        {with(dyn, [](RandomTexts& t) { t.Track = "5"; }), EditField::Track},
        {with(dyn, [](RandomTexts& t) { t.Passage.ByBar = false; }), EditField::Silent},
        {with(dyn, [](RandomTexts& t) { t.Dynamics = false; }), EditField::Silent},
        {with(dyn, [](RandomTexts& t) { t.Lower = "0"; }), EditField::Silent},
        {with(dyn, [](RandomTexts& t) { t.Upper = "128"; }), EditField::Silent},
        {with(dyn, [](RandomTexts& t) { t.Upper = "200"; }), EditField::Silent},
        {with(dyn, [](RandomTexts& t) { t.Lower = "x"; }), EditField::Silent},
        {with(dyn, [](RandomTexts& t) { t.Lower = "81", t.Upper = "80"; }), EditField::Silent},
        {with(dyn, [](RandomTexts& t) { t.Lower = "0.5"; }), EditField::Silent},
        {with(tempo, [](RandomTexts& t) { t.Upper = "1000"; }), EditField::Silent},
        {with(tempo, [](RandomTexts& t) { t.Lower = "0"; }), EditField::Silent},
        {with(tempo, [](RandomTexts& t) { t.Lower = "120", t.Upper = "90"; }), EditField::Silent},
        {with(dyn, [](RandomTexts& t) { t.Passage.RepeatNumber = "5"; }), EditField::RepeatNumber},
        {with(dyn, [](RandomTexts& t) { t.Passage.NoBeats = "4"; }), EditField::StartingBeat},
    };
    for (const Case& k : cases) EXPECT_EQ(RandomOK(s, k.texts), k.want);
}

} // namespace
} // namespace tnq
