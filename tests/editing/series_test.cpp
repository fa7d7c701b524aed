#include "editing/series.h"

#include "editing/edit_fixture.h"
#include "editing/scripted_dialogs.h"
#include "editing/mid_keys.h"

#include <cmath>

namespace tnq {
namespace {

using test::Item;
using test::ScriptedSeries;

// The dialog's texts for a ramp from..to over bars (By Bar) or items.
SeriesTexts Ramp(std::string from, std::string to, std::string fromValue, std::string toValue,
                 bool insert = true) {
    SeriesTexts t;
    t.Passage.From = from;
    t.Passage.To = to;
    t.FromValue = fromValue;
    t.ToValue = toValue;
    t.Insert = insert;
    return t;
}

SeriesTexts Percent(std::string from, std::string to, std::string percent) {
    SeriesTexts t = Ramp(from, to, "", "", false);
    t.PercentTicked = true;
    t.Percent = percent;
    return t;
}

void ByItem(SeriesTexts& t) {
    t.Passage.ByBar = false;
    t.Passage.ByItem = true;
}

TrackItemRecord Rest(int bar, std::string duration = "q", std::string channel = "1") {
    return Item("R", "4", duration, "0", "0", std::to_string(bar), channel);
}
TrackItemRecord Meter(int bar = 1) {
    return Item("METER", "", "", "4", "4", std::to_string(bar));
}
TrackItemRecord Tempo(int value, int bar, std::string unit = "q", std::string channel = "1") {
    return {"TEMPO", "0", unit, "0", std::to_string(value), std::to_string(bar), channel, "0"};
}
TrackItemRecord Cntrl(int controller, int value, int bar, std::string channel) {
    return {"CNTRL", "0", "", std::to_string(controller), std::to_string(value),
            std::to_string(bar), channel, "0"};
}

class Series : public test::EditTest {
protected:
    void SetUp() override { Piece(40); }
    void Piece(int items) {
        SetUpPiece(4, items);
        s.PieceOpen = 1;
        s.SelectedTracks.assign(4, '0');
        s.ActiveTracks.assign(4, '1');
    }

    // The score arrays of every track up to its count.
    std::vector<std::vector<long long>> Score() const {
        std::vector<std::vector<long long>> out;
        for (int t = 1; t <= s.NumTracks; ++t) {
            std::vector<long long> row{s.ItemCount(t)};
            for (int i = 1; i <= s.ItemCount(t); ++i)
                row.insert(row.end(), {s.NoteCode(t, i), s.ItemTime(t, i), s.ItemDyn(t, i),
                                       s.BarNo(t, i), s.ItemChan(t, i), s.ItemBend(t, i)});
            out.push_back(row);
        }
        return out;
    }
    // The arrays the series kept agree with a fresh recalculation.
    void ExpectScoreInStep() {
        const auto kept = Score();
        const std::string selected = s.SelectedTracks;
        s.SelectedTracks.assign(static_cast<std::size_t>(s.NumTracks), '1');
        ASSERT_TRUE(Recalculate(c));
        s.SelectedTracks = selected;
        EXPECT_EQ(kept, Score());
    }

    ScriptedSeries dialog;
};

// ---- Tempo series ----------------------------------------------------------

TEST_F(Series, SevenTemposFromSixtyToAHundredReachTheMidFile) {
    // Track 1: a METER and seven quarter rests over two bars; track 2 the
    // notes of the same length.
    Tracks({{1, {Meter(), Rest(1), Rest(1), Rest(1), Rest(1), Rest(2), Rest(2), Rest(2)}},
            {2, {Item("C", "4", "w", "0", "64", "1"), Item("D", "4", "h.", "0", "64", "2")}}});
    dialog.texts = Ramp("1", "2", "60", "100");
    ASSERT_TRUE(TempoSeries(c, dialog));
    EXPECT_EQ(dialog.modeShown, "mnuEdtTempos");
    EXPECT_TRUE(tracks.shownWith.empty());
    EXPECT_EQ(s.SelectedTracks, "1000");
    EXPECT_EQ(p.screen.status2, "Select a menu item");

    const int want[] = {60, 66, 73, 79, 86, 93, 99};
    std::vector<TrackItemRecord> expected{Meter()};
    for (int k = 0; k < 7; ++k) {
        const int bar = k < 4 ? 1 : 2;
        expected.push_back(Tempo(want[k], bar));
        expected.push_back(Rest(bar));
    }
    ExpectTrack(1, expected);
    EXPECT_EQ(s.ItemCount(1), 15);
    EXPECT_EQ(s.NoteCode(1, 2), 130);
    EXPECT_EQ(s.ItemDyn(1, 14), 99);
    ExpectScoreInStep();

    // Each tempo is an event at its rest, after the piece's own tempo.
    const test::CsvResult csv = test::WriteMidCsv(c);
    std::vector<std::pair<long long, long long>> tempos;
    for (const auto& r : csv.Of(1, "Tempo")) tempos.emplace_back(r.Time, std::stoll(r.Fields[0]));
    ASSERT_EQ(tempos.size(), 8u);
    EXPECT_EQ(tempos[0], (std::pair<long long, long long>{0, 500000}));
    for (int k = 0; k < 7; ++k)
        EXPECT_EQ(tempos[static_cast<std::size_t>(k) + 1],
                  (std::pair<long long, long long>{480LL * k, std::llround(60e6 / want[k])}));
}

struct TempoCase {
    const char* name;
    std::vector<TrackItemRecord> track;
    SeriesTexts texts;
    std::vector<TrackItemRecord> want;
};

TEST_F(Series, TempoRampsAndPercentages) {
    const TempoCase cases[] = {
        {"down from 120 to 60 over seven rests",
         {Rest(1), Rest(1), Rest(1), Rest(1), Rest(2), Rest(2), Rest(2)},
         Ramp("1", "2", "120", "60"),
         {Tempo(120, 1), Rest(1), Tempo(110, 1), Rest(1), Tempo(100, 1), Rest(1), Tempo(90, 1),
          Rest(1), Tempo(80, 2), Rest(2), Tempo(70, 2), Rest(2), Tempo(60, 2), Rest(2)}},
        {"a METER is passed over",
         {Meter(), Rest(1), Rest(1), Rest(1), Rest(1)},
         Ramp("1", "1", "60", "90"),
         {Meter(), Tempo(60, 1), Rest(1), Tempo(70, 1), Rest(1), Tempo(80, 1), Rest(1),
          Tempo(90, 1), Rest(1)}},
        {"one rest takes From Value",
         {Meter(), Rest(1, "w")},
         Ramp("1", "1", "72", "90"),
         {Meter(), Tempo(72, 1), Rest(1, "w")}},
        {"revised: the METER begins the span, the rests count",
         {Meter(), Tempo(50, 1), Rest(1), Tempo(50, 1), Rest(1), Tempo(50, 1), Rest(1),
          Tempo(50, 1, "q", "3"), Rest(1)},
         Ramp("1", "1", "60", "90", false),
         {Meter(), Tempo(60, 1), Rest(1), Tempo(70, 1), Rest(1), Tempo(80, 1), Rest(1),
          Tempo(90, 1), Rest(1)}},
        {"revised: the item after a revised one is passed over",
         {Tempo(50, 1), Tempo(51, 1), Rest(1), Tempo(52, 1), Rest(1)},
         Ramp("1", "1", "60", "80", false),
         {Tempo(60, 1), Tempo(51, 1), Rest(1), Tempo(80, 1), Rest(1)}},
        {"revised without a rest: no step runs backwards",
         {Tempo(50, 1), Meter(), Tempo(51, 1)},
         Ramp("1", "1", "60", "90", false),
         {Tempo(60, 1), Meter(), Tempo(60, 1)}},
        {"percent 10",
         {Tempo(120, 1), Rest(1), Tempo(127, 1), Rest(1)},
         Percent("1", "1", "10"),
         {Tempo(132, 1), Rest(1), Tempo(139, 1), Rest(1)}},
        {"percent -10",
         {Tempo(110, 1), Rest(1), Tempo(100, 1), Rest(1)},
         Percent("1", "1", "-10"),
         {Tempo(99, 1), Rest(1), Tempo(90, 1), Rest(1)}},
        {"percentages stay within 1..999",
         {Tempo(600, 1), Rest(1), Tempo(1, 1), Rest(1)},
         Percent("1", "1", "200"),
         {Tempo(999, 1), Rest(1), Tempo(3, 1), Rest(1)}},
        {"a percentage down never reaches 0",
         {Tempo(1, 1), Rest(1), Tempo(5, 1), Rest(1)},
         Percent("1", "1", "-32768"),
         {Tempo(1, 1), Rest(1), Tempo(1, 1), Rest(1)}},
        {"new items keep the beat unit of the last TEMPO before them",
         {Tempo(80, 1, "e"), Rest(1), Rest(2), Rest(2)},
         Ramp("2", "2", "80", "100"),
         {Tempo(80, 1, "e"), Rest(1), Tempo(80, 2, "e"), Rest(2), Tempo(100, 2, "e"), Rest(2)}},
    };
    for (const TempoCase& k : cases) {
        SCOPED_TRACE(k.name);
        Tracks({{1, k.track}});
        dialog.texts = k.texts;
        EXPECT_TRUE(TempoSeries(c, dialog));
        EXPECT_EQ(dialog.field, EditField::None);
        ExpectTrack(1, k.want);
        ExpectScoreInStep();
    }
}

TEST_F(Series, ReviseTakesTheTempoJustBeforeASpanOfRests) {
    // Items 4 to 7 begin with a rest: the TEMPO before it belongs to the span.
    Tracks({{1, {Tempo(60, 1), Rest(1, "w"), Tempo(70, 2), Rest(2), Tempo(70, 2), Rest(2),
                 Rest(2), Rest(2)}}});
    dialog.texts = Ramp("4", "7", "100", "120", false);
    ByItem(dialog.texts);
    ASSERT_TRUE(TempoSeries(c, dialog));
    ExpectTrack(1, {Tempo(60, 1), Rest(1, "w"), Tempo(100, 2), Rest(2), Tempo(110, 2), Rest(2),
                    Rest(2), Rest(2)});
    ExpectScoreInStep();
}

TEST_F(Series, ByItemWorksOnTrackOneAlone) {
    Tracks({{1, {Meter(), Rest(1), Rest(1), Rest(1), Rest(1), Rest(1), Rest(1), Rest(1),
                 Rest(1)}},
            {2, {Rest(1), Rest(1)}}});
    // An earlier command's span on track 2 is not visited.
    s.SpanFirst(2, 1) = 1;
    s.SpanLast(2, 1) = 2;
    dialog.texts = Ramp("3", "8", "100", "150");
    ByItem(dialog.texts);
    ASSERT_TRUE(TempoSeries(c, dialog));
    ExpectTrack(1, {Meter(), Rest(1), Tempo(100, 1), Rest(1), Tempo(110, 1), Rest(1),
                    Tempo(120, 1), Rest(1), Tempo(130, 1), Rest(1), Tempo(140, 1), Rest(1),
                    Tempo(150, 1), Rest(1), Rest(1)});
    ExpectTrack(2, {Rest(1), Rest(1)});
    ExpectScoreInStep();
}

TEST_F(Series, InsertRefusesASpanWithOtherItems) {
    const std::vector<TrackItemRecord> track{Meter(), Tempo(60, 1), Rest(1), Rest(1)};
    Tracks({{1, track}});
    dialog.texts = Ramp("1", "1", "60", "90");
    p.msg.AnswerOk();
    EXPECT_FALSE(TempoSeries(c, dialog));
    EXPECT_EQ(p.msg.Last().Text, "Tempos can only be inserted before rests");
    EXPECT_EQ(p.msg.Last().Title, "Continuous Controller");
    EXPECT_EQ(p.msg.Last().Code, 16);
    EXPECT_EQ(p.screen.status2, "Select a menu item");
    ExpectTrack(1, track);
    ExpectScoreInStep();
}

TEST_F(Series, AFullTrackOverwritesNothing) {
    // Room for two more items: two TEMPOs go in, the third rest is kept.
    Piece(8);
    Tracks({{1, {Meter(), Rest(1), Rest(1), Rest(1), Rest(1)}}});
    p.msg.AnswerOk();
    dialog.texts = Ramp("1", "1", "60", "90");
    EXPECT_FALSE(TempoSeries(c, dialog));
    EXPECT_EQ(p.msg.Last().Title, "Space Limitation");
    ExpectTrack(1, {Meter(), Tempo(60, 1), Rest(1), Tempo(70, 1), Rest(1), Rest(1), Rest(1)});
    EXPECT_EQ(s.ItemCount(1), 7);
    ExpectScoreInStep();
}

TEST_F(Series, CancelOrABarRangeNotFoundChangesNothing) {
    const std::vector<TrackItemRecord> track{Rest(1), Rest(1)};
    Tracks({{1, track}});
    dialog.cancel = true;
    p.screen.status2 = "before";
    EXPECT_FALSE(TempoSeries(c, dialog));
    EXPECT_EQ(p.screen.status2, "before");

    dialog.cancel = false;
    dialog.texts = Ramp("5", "6", "60", "90");
    p.msg.AnswerOk();
    EXPECT_FALSE(TempoSeries(c, dialog));
    EXPECT_EQ(p.msg.Last().Title, "Validate Bar Numbers");
    EXPECT_EQ(p.screen.status2, "Select a menu item");
    ExpectTrack(1, track);
}

// ---- Controller series -----------------------------------------------------

TEST_F(Series, ControllerSwellOnTwoTracksReachesTheMidFile) {
    // Eight eighth rests on tracks 2 and 3; track 3's channel is 4.
    std::vector<TrackItemRecord> two, three;
    for (int k = 0; k < 8; ++k) {
        two.push_back(Rest(1, "e", "2"));
        three.push_back(Rest(1, "e", "4"));
    }
    Tracks({{2, two}, {3, three}});
    tracks.Choose({2, 3});
    dialog.texts = Ramp("1", "1", "0", "127");
    ASSERT_TRUE(WriteControllerSeries(c, tracks, dialog));
    EXPECT_EQ(dialog.modeShown, "mnuEdtVolume");
    EXPECT_EQ(s.DialogResult, "11");

    const int want[] = {0, 18, 36, 54, 72, 90, 108, 126};
    for (auto [t, channel] : {std::pair{2, "2"}, std::pair{3, "4"}}) {
        std::vector<TrackItemRecord> expected;
        for (int v : want) {
            expected.push_back(Cntrl(11, v, 1, channel));
            expected.push_back(Rest(1, "e", channel));
        }
        ExpectTrack(t, expected);
    }
    ExpectScoreInStep();

    // One controller event per rest, on each track's channel (chunks 1 and
    // 2: track 1 is empty).
    const test::CsvResult csv = test::WriteMidCsv(c);
    for (auto [chunk, channel] : {std::pair{1, "1"}, std::pair{2, "3"}}) {
        const auto events = csv.Of(chunk, "Control_c");
        ASSERT_EQ(events.size(), 8u) << chunk;
        for (std::size_t k = 0; k < 8; ++k) {
            EXPECT_EQ(events[k].Time, 240LL * static_cast<long long>(k));
            EXPECT_EQ(events[k].Fields, (std::vector<std::string>{channel, "11",
                                                                  std::to_string(want[k])}));
        }
    }
}

TEST_F(Series, ControllerChannelAndControllerChoices) {
    // Specify Channel 5, Pan: the new items read "5" and 10.
    Tracks({{2, {Rest(1, "h", "2"), Rest(1, "h", "2")}}});
    tracks.Choose({2});
    dialog.texts = Ramp("1", "1", "64", "0");
    dialog.texts.SpecifyChannel = true;
    dialog.texts.Channel = " 05";
    dialog.controller = 4;
    ASSERT_TRUE(WriteControllerSeries(c, tracks, dialog));
    EXPECT_EQ(s.DialogResult, "10");
    ExpectTrack(2, {Cntrl(10, 64, 1, "5"), Rest(1, "h", "2"), Cntrl(10, 0, 1, "5"),
                    Rest(1, "h", "2")});
    EXPECT_EQ(s.ItemChan(2, 1), 5);
    EXPECT_EQ(s.ItemTime(2, 3), 10);
    ExpectScoreInStep();
}

TEST_F(Series, ControllerReviseRampsEveryOtherItem) {
    std::vector<TrackItemRecord> track;
    for (int k = 0; k < 4; ++k) {
        track.push_back(Cntrl(11, 5, 1, "3"));
        track.push_back(Rest(1, "q", "3"));
    }
    Tracks({{2, track}});
    tracks.Choose({2});
    dialog.texts = Ramp("1", "1", "0", "127", false);
    ASSERT_TRUE(WriteControllerSeries(c, tracks, dialog));
    const int want[] = {0, 36, 72, 108};
    for (int k = 0; k < 4; ++k) track[static_cast<std::size_t>(2 * k)].Dynamics = std::to_string(want[k]);
    ExpectTrack(2, track);
    ExpectScoreInStep();

    // Percentages stay within 0..127.
    tracks.Choose({2});
    dialog.texts = Percent("1", "1", "50");
    ASSERT_TRUE(WriteControllerSeries(c, tracks, dialog));
    const int up[] = {0, 54, 108, 127};
    for (int k = 0; k < 4; ++k) track[static_cast<std::size_t>(2 * k)].Dynamics = std::to_string(up[k]);
    ExpectTrack(2, track);
    ExpectScoreInStep();
}

TEST_F(Series, AnotherControllerIsChangedOnlyAfterYes) {
    const std::vector<TrackItemRecord> two{Cntrl(7, 100, 1, "2"), Rest(1, "h", "2"),
                                           Cntrl(7, 100, 1, "2"), Rest(1, "h", "2")};
    const std::vector<TrackItemRecord> three{Cntrl(7, 90, 1, "3"), Rest(1, "w", "3")};
    Tracks({{2, two}, {3, three}});

    // No: the run stops at the first item, which stays as it was.
    tracks.Choose({2, 3});
    dialog.texts = Ramp("1", "1", "20", "40", false);
    p.msg.Answer(mb::No);
    EXPECT_FALSE(WriteControllerSeries(c, tracks, dialog));
    EXPECT_EQ(p.msg.Last().Code, 20);
    EXPECT_EQ(p.msg.Last().Title, "Continuous Controller");
    ExpectTrack(2, two);
    ExpectTrack(3, three);

    // Yes: asked once, on every track the items become Expression (four
    // items: steps of 2 x 20 / 3).
    tracks.Choose({2, 3});
    p.msg.Answer(mb::Yes);
    const std::size_t before = p.msg.shown.size();
    ASSERT_TRUE(WriteControllerSeries(c, tracks, dialog));
    EXPECT_EQ(p.msg.shown.size(), before + 1);
    ExpectTrack(2, {Cntrl(11, 20, 1, "2"), Rest(1, "h", "2"), Cntrl(11, 33, 1, "2"),
                    Rest(1, "h", "2")});
    ExpectTrack(3, {Cntrl(11, 20, 1, "3"), Rest(1, "w", "3")});
    EXPECT_EQ(s.ItemTime(3, 1), 11);
    ExpectScoreInStep();
}

TEST_F(Series, ControllerInsertRefusesAMeterAndLeavesTheTrack) {
    const std::vector<TrackItemRecord> track{Meter(), Rest(1), Rest(1)};
    Tracks({{2, {Rest(1), Rest(1)}}, {3, track}});
    tracks.Choose({2, 3});
    dialog.texts = Ramp("1", "1", "0", "10");
    p.msg.AnswerOk();
    EXPECT_FALSE(WriteControllerSeries(c, tracks, dialog));
    EXPECT_EQ(p.msg.Last().Text, "Continuous controllers can only be inserted before rests");
    // The track before keeps its items.
    ExpectTrack(2, {Cntrl(11, 0, 1, "1"), Rest(1), Cntrl(11, 10, 1, "1"), Rest(1)});
    ExpectTrack(3, track);
    ExpectScoreInStep();
}

// ---- The dialog's checks ---------------------------------------------------

struct CheckCase {
    const char* name;
    const char* mode;
    std::function<void(SeriesTexts&)> change;
    EditField want;
    int controller = 1;
};

TEST_F(Series, OkChecksEachFieldInTurn) {
    auto with = [](std::function<void(SeriesTexts&)> f) { return f; };
    const CheckCase cases[] = {
        {"tempo ramp", "mnuEdtTempos", with([](SeriesTexts&) {}), EditField::None},
        {"tempo 1000", "mnuEdtTempos", with([](SeriesTexts& t) { t.FromValue = "1000"; }),
         EditField::FromValue},
        {"tempo 999", "mnuEdtTempos", with([](SeriesTexts& t) { t.ToValue = "999"; }),
         EditField::None},
        {"tempo 0", "mnuEdtTempos", with([](SeriesTexts& t) { t.ToValue = "0"; }),
         EditField::ToValue},
        {"controller 128", "mnuEdtVolume", with([](SeriesTexts& t) { t.ToValue = "128"; }),
         EditField::ToValue},
        {"controller 0", "mnuEdtVolume", with([](SeriesTexts& t) { t.FromValue = "0"; }),
         EditField::None},
        {"no value", "mnuEdtVolume", with([](SeriesTexts& t) { t.FromValue = ""; }),
         EditField::FromValue},
        {"percent -25", "mnuEdtTempos",
         with([](SeriesTexts& t) { t = Percent("1", "1", "-25"); }), EditField::None},
        {"percent 0", "mnuEdtTempos", with([](SeriesTexts& t) { t = Percent("1", "1", "0"); }),
         EditField::Percent},
        {"percent beyond 16 bits", "mnuEdtTempos",
         with([](SeriesTexts& t) { t = Percent("1", "1", "40000"); }), EditField::Percent},
        {"percent abc", "mnuEdtTempos",
         with([](SeriesTexts& t) { t = Percent("1", "1", "abc"); }), EditField::Percent},
        {"percent with insert", "mnuEdtVolume",
         with([](SeriesTexts& t) {
             t = Percent("1", "1", "10");
             t.Insert = true;
         }),
         EditField::Insert},
        {"Select Controller", "mnuEdtVolume", with([](SeriesTexts&) {}), EditField::Controller,
         0},
        {"channel 17", "mnuEdtVolume",
         with([](SeriesTexts& t) {
             t.SpecifyChannel = true;
             t.Channel = "17";
         }),
         EditField::Channel},
        {"channel 1.5", "mnuEdtVolume",
         with([](SeriesTexts& t) {
             t.SpecifyChannel = true;
             t.Channel = "1.5";
         }),
         EditField::Channel},
        {"channel 16", "mnuEdtVolume",
         with([](SeriesTexts& t) {
             t.SpecifyChannel = true;
             t.Channel = "16";
         }),
         EditField::None},
        {"channel unticked", "mnuEdtVolume", with([](SeriesTexts& t) { t.Channel = "99"; }),
         EditField::None},
        {"repeat 5", "mnuEdtTempos", with([](SeriesTexts& t) { t.Passage.RepeatNumber = "5"; }),
         EditField::RepeatNumber},
        {"beats without value", "mnuEdtTempos",
         with([](SeriesTexts& t) {
             t.Passage.StartingBeat = "1";
             t.Passage.NoBeats = "2";
             t.Passage.BeatValue = "qq";
         }),
         EditField::BeatValue},
        {"starting beat 0", "mnuEdtTempos",
         with([](SeriesTexts& t) {
             t.Passage.StartingBeat = "0";
             t.Passage.NoBeats = "3";
         }),
         EditField::None},
        {"one beat field empty", "mnuEdtTempos", with([](SeriesTexts& t) { t.Passage.StartingBeat = "2"; }),
         EditField::NoBeats},
        {"From abc By Bar", "mnuEdtTempos", with([](SeriesTexts& t) { t.Passage.From = "abc"; }),
         EditField::None},
    };
    for (const CheckCase& k : cases) {
        SCOPED_TRACE(k.name);
        s.MenuMode = k.mode;
        SeriesTexts t = Ramp("1", "2", "60", "90");
        k.change(t);
        EXPECT_EQ(SeriesOK(c, t, k.controller), k.want);
    }
    EXPECT_TRUE(p.msg.shown.empty());
    s.MenuMode = "mnuEdtVolume";
    EXPECT_EQ(SeriesResult(s, 4), "10");
    s.MenuMode = "mnuEdtTempos";
    EXPECT_EQ(SeriesResult(s, 4), "Tempos");
}

TEST_F(Series, ByItemNeedsOneTrack) {
    s.MenuMode = "mnuEdtVolume";
    SeriesTexts t = Ramp("1", "2", "0", "90");
    ByItem(t);
    Select({});
    EXPECT_EQ(SeriesOK(c, t, 1), EditField::Silent);
    EXPECT_TRUE(p.msg.shown.empty());
    Select({2, 4});
    p.msg.AnswerOk();
    EXPECT_EQ(SeriesOK(c, t, 1), EditField::Silent);
    EXPECT_EQ(p.msg.Last().Text, "Selection by Item can only be for one track");
    Select({3});
    EXPECT_EQ(SeriesOK(c, t, 1), EditField::None);
}

} // namespace
} // namespace tnq
