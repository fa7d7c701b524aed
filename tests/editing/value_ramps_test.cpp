#include "editing/value_ramps.h"

#include "editing/edit_fixture.h"
#include "midifile/mid_fixture.h"

#include <map>

namespace tnq {
namespace {

using test::Item;

TEST(PassageValues, RampsStepInSinglePrecisionAndRoundDown) {
    struct Case {
        int from, to, items;
        std::vector<int> want;
    } cases[] = {
        {1, 127, 5, {1, 32, 64, 95, 127}},
        {64, 100, 4, {64, 76, 88, 100}},
        {100, 40, 7, {100, 90, 80, 70, 60, 50, 40}},
        {10, 50, 4, {10, 23, 36, 49}},
        {20, 60, 4, {20, 33, 46, 59}},
        {0, -8192, 4, {0, -2731, -5462, -8192}},
        {0, -100, 4, {0, -34, -67, -100}},
        {0, 100, 4, {0, 33, 66, 100}},
        {5, 9, 1, {5}},
    };
    for (const Case& k : cases) {
        Ramp r(Integer(k.from), Integer(k.to), k.items - 1);
        std::vector<int> got;
        for (int i = 0; i < k.items; ++i) {
            got.push_back(r.Next());
            r.Advance();
        }
        EXPECT_EQ(got, k.want) << k.from << " to " << k.to;
    }
}

TEST(PassageValues, PercentagesScaleWithinTheItemsRange) {
    struct Case {
        int percent, value, lo, hi, want;
    } cases[] = {
        {10, 64, 1, 127, 70},      {10, 100, 1, 127, 110},   {-10, 64, 1, 127, 58},
        {-50, 100, 1, 127, 66},    {30, 10, 1, 127, 12},     {-99, 1, 1, 127, 1},
        {10, 127, 1, 127, 127},    {32767, 100, 1, 127, 127}, {10, 1000, -8192, 8191, 1100},
        {10, -100, -8192, 8191, -111}, {100, 8000, -8192, 8191, 8191},
        {100, -8000, -8192, 8191, -8192}, {-32768, 5000, -8192, 8191, 15},
    };
    for (const Case& k : cases)
        EXPECT_EQ(Scaled(Integer(k.value), PercentFactor(Integer(k.percent)), k.lo, k.hi), k.want)
            << k.percent << "% of " << k.value;
}

TEST(PassageValues, APercentIsAWholeNumberOtherThanNoughtWithin16Bits) {
    EXPECT_EQ(PercentValue("10"), Integer(10));
    EXPECT_EQ(PercentValue(" -32768"), Integer(-32768));
    EXPECT_EQ(PercentValue("2.5"), Integer(2));
    for (const char* bad : {"", "0", "0.4", "-0.5", "32768", "40000", "-32769", "x", "1,5"})
        EXPECT_FALSE(PercentValue(bad)) << bad;
}

// The dialog answered from a script: OK runs the real checks.
class ScriptedRamp : public RampDialog {
public:
    explicit ScriptedRamp(bool pitchBend) : pitchBend_(pitchBend) {}
    bool Show(Context& c) override {
        ++shown;
        if (cancel) return false;
        field = pitchBend_ ? PitchBendOK(c.s, texts) : DynamicsOK(c, texts);
        return field == EditField::None;
    }
    RampTexts Texts() const override { return texts; }

    RampTexts texts;
    bool cancel = false;
    int shown = 0;
    EditField field = EditField::None;

private:
    bool pitchBend_;
};

RampTexts Values(std::string from, std::string to, std::string fromValue, std::string toValue) {
    RampTexts t;
    t.Passage.From = std::move(from);
    t.Passage.To = std::move(to);
    t.FromValue = std::move(fromValue);
    t.ToValue = std::move(toValue);
    return t;
}

RampTexts Percent(std::string from, std::string to, std::string percent) {
    RampTexts t = Values(std::move(from), std::move(to), "", "");
    t.PercentTicked = true;
    t.Percent = std::move(percent);
    return t;
}

class ValueRamps : public test::EditTest {
protected:
    // Writes the piece as a .MID file and returns what midicsv reads.
    test::CsvResult WriteMid() {
        s.TrackDescription.ReDim(s.NumTracks);
        test::ScriptedMidDialog mid;
        mid.Ok({"", kDefaultCopyright, false, 0});
        EXPECT_TRUE(MakeMidFile(c, mid));
        return test::ExpectReadable(MidFilePath(s));
    }
    // The velocities of the note-ons of each chunk, by chunk number.
    std::map<int, std::vector<int>> Velocities() {
        std::map<int, std::vector<int>> out;
        for (const auto& r : WriteMid().Records)
            if (r.Type == "Note_on_c" && r.Fields.size() >= 3 && r.Fields[2] != "0")
                out[r.Track].push_back(std::stoi(r.Fields[2]));
        return out;
    }
    static std::vector<std::string> Dyns(const std::vector<TrackItemRecord>& records) {
        std::vector<std::string> out;
        for (const auto& r : records) out.push_back(r.Dynamics);
        return out;
    }
    ScriptedRamp dynamics{false};
    ScriptedRamp bend{true};
};

TEST_F(ValueRamps, ACrescendoOverAPassageSkipsRestsAndControlItems) {
    Tracks({{2,
             {Item("C", "4", "q", "0", "50", "1"), Item("D", "4", "q", "0", "50", "2"),
              Item("R", "4", "q", "0", "0", "2"), Item("PROGR", "0", "", "0", "41", "2"),
              Item("E", "4", "q", "0", "50", "2"), Item("F", "4", "q", "0", "50", "3"),
              Item("G", "4", "q", "0", "50", "3"), Item("A", "4", "q", "0", "50", "3"),
              Item("B", "4", "q", "0", "50", "4")}},
            {3,
             {Item("C", "3", "h", "0", "50", "1"), Item("C", "3", "h", "0", "50", "2"),
              Item("C", "3", "h", "0", "50", "3"), Item("C", "3", "q", "0", "50", "4"),
              Item("R", "3", "q", "0", "0", "4")}}});
    tracks.Choose({2, 3});
    dynamics.texts = Values("2", "3", "1", "127");
    ASSERT_TRUE(EditDynamics(c, tracks, dynamics));
    EXPECT_EQ(s.MenuMode, "mnuEdtDynamics");
    EXPECT_EQ(p.screen.status2, "Select a menu item");
    // Five notes on track 2, two on track 3: each track has its own ramp.
    EXPECT_EQ(Dyns(Records(2)),
              (std::vector<std::string>{"50", "1", "0", "41", "32", "64", "95", "127", "50"}));
    EXPECT_EQ(Dyns(Records(3)), (std::vector<std::string>{"50", "1", "127", "50", "0"}));
    EXPECT_EQ(s.ItemDyn(2, 5), 32);
    EXPECT_EQ(s.PieceChanged, 1);
    const auto v = Velocities();
    EXPECT_EQ(v.at(1), (std::vector<int>{50, 1, 32, 64, 95, 127, 50}));
    EXPECT_EQ(v.at(2), (std::vector<int>{50, 1, 127, 50}));
}

TEST_F(ValueRamps, TenPercentLouderStaysWithinTheVelocityRange) {
    Tracks({{2,
             {Item("C", "4", "q", "0", "64"), Item("D", "4", "q", "0", "100"),
              Item("E", "4", "q", "0", "120"), Item("F", "4", "q", "0", "10"),
              Item("G", "4", "q", "0", "1")}}});
    tracks.Choose({2});
    dynamics.texts = Percent("1", "1", "10");
    ASSERT_TRUE(EditDynamics(c, tracks, dynamics));
    EXPECT_EQ(Dyns(Records(2)), (std::vector<std::string>{"70", "110", "127", "11", "1"}));
    EXPECT_EQ(Velocities().at(1), (std::vector<int>{70, 110, 127, 11, 1}));

    // -99% divides by 1.99; a note never falls to velocity 0 (a note-off).
    tracks.Choose({2});
    dynamics.texts = Percent("1", "1", "-99");
    ASSERT_TRUE(EditDynamics(c, tracks, dynamics));
    EXPECT_EQ(Dyns(Records(2)), (std::vector<std::string>{"35", "55", "63", "5", "1"}));
    EXPECT_EQ(Velocities().at(1), (std::vector<int>{35, 55, 63, 5, 1}));
}

TEST_F(ValueRamps, ByItemRampsTheItemsOfTheOneTrack) {
    Tracks({{2,
             {Item("C", "4", "q"), Item("D", "4", "q"), Item("E", "4", "q"), Item("F", "4", "q"),
              Item("G", "4", "q")}}});
    tracks.Choose({2});
    dynamics.texts = Values("2", "4", "100", "40");
    dynamics.texts.Passage.ByBar = false;
    dynamics.texts.Passage.ByItem = true;
    ASSERT_TRUE(EditDynamics(c, tracks, dynamics));
    EXPECT_EQ(Dyns(Records(2)), (std::vector<std::string>{"64", "100", "70", "40", "64"}));

    // One item: it gets From Value.
    tracks.Choose({2});
    dynamics.texts = Values("5", "5", "33", "99");
    dynamics.texts.Passage.ByBar = false;
    dynamics.texts.Passage.ByItem = true;
    ASSERT_TRUE(EditDynamics(c, tracks, dynamics));
    EXPECT_EQ(Records(2)[4].Dynamics, "33");
}

TEST_F(ValueRamps, CancelOrARefusedRangeChangesNothing) {
    const std::vector<TrackItemRecord> before{Item("C", "4", "q"), Item("D", "4", "q")};
    Tracks({{2, before}});
    tracks.Choose({});
    EXPECT_FALSE(EditDynamics(c, tracks, dynamics));
    EXPECT_EQ(dynamics.shown, 0);
    tracks.Choose({2});
    dynamics.cancel = true;
    EXPECT_FALSE(EditDynamics(c, tracks, dynamics));
    EXPECT_EQ(p.screen.status2, "");
    dynamics.cancel = false;
    tracks.Choose({2});
    dynamics.texts = Values("7", "8", "1", "2");
    p.msg.AnswerOk();
    EXPECT_FALSE(EditDynamics(c, tracks, dynamics));
    EXPECT_EQ(p.msg.Last().Title, "Validate Bar Numbers");
    ExpectTrack(2, before);
}

TEST_F(ValueRamps, DynamicsOKRefusesInScreenOrder) {
    Select({2});
    struct Case {
        RampTexts texts;
        EditField want;
    };
    auto with = [](RampTexts t, auto change) {
        change(t);
        return t;
    };
    const RampTexts ok = Values("1", "2", "1", "127");
    const Case cases[] = {
        {ok, EditField::None},
        {Percent("1", "2", "-25"), EditField::None},
        {with(ok, [](RampTexts& t) { t.Passage.ByBar = false; }), EditField::Silent},
        {Percent("1", "2", "0"), EditField::Percent},
        {Percent("1", "2", "40000"), EditField::Percent},
        {Percent("1", "2", "ten"), EditField::Percent},
        {Values("1", "2", "0", "64"), EditField::FromValue},
        {Values("1", "2", "", "64"), EditField::FromValue},
        {Values("1", "2", "64", "128"), EditField::ToValue},
        {with(ok, [](RampTexts& t) { t.Passage.RepeatNumber = "5"; }), EditField::RepeatNumber},
        {with(ok, [](RampTexts& t) { t.Passage.StartingBeat = "2"; }), EditField::NoBeats},
        {with(ok, [](RampTexts& t) { t.Passage.NoBeats = "2"; }), EditField::StartingBeat},
        {with(ok, [](RampTexts& t) { t.Passage.StartingBeat = "1", t.Passage.NoBeats = "-2"; }),
         EditField::NoBeats},
        {with(ok,
              [](RampTexts& t) {
                  t.Passage.StartingBeat = t.Passage.NoBeats = "2";
                  t.Passage.BeatValue = "qq";
              }),
         EditField::BeatValue},
        // The numbers are not compared with each other or with 0.
        {with(ok, [](RampTexts& t) { t.Passage.StartingBeat = "0", t.Passage.NoBeats = "3"; }),
         EditField::None},
    };
    for (const Case& k : cases) EXPECT_EQ(DynamicsOK(c, k.texts), k.want);
    EXPECT_TRUE(p.msg.shown.empty());

    RampTexts byItem = with(ok, [](RampTexts& t) {
        t.Passage.ByBar = false;
        t.Passage.ByItem = true;
    });
    Select({2, 3});
    p.msg.AnswerOk();
    EXPECT_EQ(DynamicsOK(c, byItem), EditField::Silent);
    EXPECT_EQ(p.msg.Last().Text, "Selection by Item can only be for one track");
    Select({});
    EXPECT_EQ(DynamicsOK(c, byItem), EditField::Silent);
    EXPECT_EQ(p.msg.shown.size(), 1u);
}

TEST_F(ValueRamps, APitchBendRampOverRestsPutsThemOnTheChannel) {
    Tracks({{2, {Item("C", "4", "w", "0", "64", "1", "2"), Item("C", "4", "q", "0", "64", "2", "2")}},
            {3,
             {Item("R", "", "q", "0", "0", "1", "1"), Item("R", "", "q", "0", "0", "1", "1"),
              Item("R", "", "q", "0", "0", "1", "1"), Item("R", "", "q", "0", "0", "1", "1"),
              Item("R", "", "q", "0", "0", "2", "1")}}});
    Select({2});
    bend.texts = Values("1", "2", "0", "4096");
    bend.texts.Track = "3";
    bend.texts.Channel = "2";
    ASSERT_TRUE(EditPitchBend(c, bend));
    EXPECT_EQ(s.MenuMode, "mnuEdtPitchbend");
    EXPECT_EQ(s.SelectedTracks, "0010");
    std::vector<TrackItemRecord> want;
    for (const char* b : {"0", "1024", "2048", "3072"})
        want.push_back(Item("R", "", "q", "0", "0", "1", "2", b));
    want.push_back(Item("R", "", "q", "0", "0", "2", "2", "4096"));
    ExpectTrack(3, want);
    EXPECT_EQ(s.ItemBend(3, 5), 4096);
    EXPECT_EQ(s.ItemChan(3, 5), 2);

    // The bends reach the file on channel 2 (midicsv counts channels from 0).
    std::vector<std::string> bends;
    for (const auto& r : WriteMid().Records)
        if (r.Type == "Pitch_bend_c" && r.Track == 2) bends.push_back(r.Fields[0] + ":" + r.Fields[1]);
    EXPECT_EQ(bends, (std::vector<std::string>{"1:9216", "1:10240", "1:11264", "1:12288"}));
}

TEST_F(ValueRamps, APitchBendRampStepsOverControlItemsWithoutChangingThem) {
    Tracks({{2,
             {Item("R", "", "q", "0", "0", "1", "1"), Item("R", "", "q", "0", "0", "1", "1"),
              Item("PROGR", "0", "", "0", "41", "1", "1"), Item("R", "", "q", "0", "0", "1", "1"),
              Item("R", "", "q", "0", "0", "1", "1")}}});
    bend.texts = Values("1", "5", "0", "4096");
    bend.texts.Passage.ByBar = false;
    bend.texts.Passage.ByItem = true;
    bend.texts.Track = "2";
    bend.texts.Channel = "16";
    ASSERT_TRUE(EditPitchBend(c, bend));
    ExpectTrack(2, {Item("R", "", "q", "0", "0", "1", "16", "0"),
                    Item("R", "", "q", "0", "0", "1", "16", "1024"),
                    Item("PROGR", "0", "", "0", "41", "1", "1"),
                    Item("R", "", "q", "0", "0", "1", "16", "2048"),
                    Item("R", "", "q", "0", "0", "1", "16", "3072")});
}

TEST_F(ValueRamps, APitchBendPercentageStaysWithinTheBendRange) {
    Tracks({{2,
             {Item("C", "4", "q", "0", "64", "1", "1", "1000"),
              Item("C", "4", "q", "0", "64", "1", "1", "-100"),
              Item("C", "4", "q", "0", "64", "1", "1", "0"),
              Item("C", "4", "q", "0", "64", "1", "1", "8000")}}});
    bend.texts = Percent("1", "1", "10");
    bend.texts.Track = "2";
    bend.texts.Channel = "3";
    ASSERT_TRUE(EditPitchBend(c, bend));
    ExpectTrack(2, {Item("C", "4", "q", "0", "64", "1", "3", "1100"),
                    Item("C", "4", "q", "0", "64", "1", "3", "-111"),
                    Item("C", "4", "q", "0", "64", "1", "3", "0"),
                    Item("C", "4", "q", "0", "64", "1", "3", "8191")});
    // An unticked Percent is no percentage, whatever its box holds.
    bend.texts = Values("1", "1", "5", "5");
    bend.texts.Percent = "50";
    bend.texts.Track = "2";
    bend.texts.Channel = "3";
    ASSERT_TRUE(EditPitchBend(c, bend));
    EXPECT_EQ(Records(2)[3].PitchBend, "5");
}

TEST_F(ValueRamps, PitchBendOKRefusesInScreenOrder) {
    RampTexts ok = Values("1", "2", "-8192", "8191");
    ok.Track = "4";
    ok.Channel = "16";
    auto with = [&ok](auto change) {
        RampTexts t = ok;
        change(t);
        return t;
    };
    EXPECT_EQ(PitchBendOK(s, ok), EditField::None);
    EXPECT_EQ(PitchBendOK(s, with([](RampTexts& t) { t.Track = "5"; })), EditField::Track);
    EXPECT_EQ(PitchBendOK(s, with([](RampTexts& t) { t.Track = ""; })), EditField::Track);
    EXPECT_EQ(PitchBendOK(s, with([](RampTexts& t) { t.Channel = "0"; })), EditField::Channel);
    EXPECT_EQ(PitchBendOK(s, with([](RampTexts& t) { t.Channel = "17"; })), EditField::Channel);
    EXPECT_EQ(PitchBendOK(s, with([](RampTexts& t) { t.Channel = "16.6"; })), EditField::Channel);
    EXPECT_EQ(PitchBendOK(s, with([](RampTexts& t) { t.Passage.ByBar = false; })),
              EditField::Silent);
    EXPECT_EQ(PitchBendOK(s, with([](RampTexts& t) { t.FromValue = "-8193"; })),
              EditField::FromValue);
    EXPECT_EQ(PitchBendOK(s, with([](RampTexts& t) { t.ToValue = "8192"; })), EditField::ToValue);
    EXPECT_EQ(PitchBendOK(s, with([](RampTexts& t) {
                  t.PercentTicked = true;
                  t.Percent = "0";
              })),
              EditField::Percent);
    EXPECT_EQ(PitchBendOK(s, with([](RampTexts& t) { t.Passage.RepeatNumber = "0"; })),
              EditField::RepeatNumber);
}

} // namespace
} // namespace tnq
