// Every command that would put items in, take them out or change lengths
// between an item's dashes and the items they take off: refused before any
// track file is changed, with the message that names the track and item.
#include "core/delete_items.h"
#include "core/item_space.h"
#include "editing/edit_fixture.h"
#include "editing/scripted_dialogs.h"

#include <algorithm>
#include <functional>

namespace tnq {
namespace {

using test::Item;

using Track = std::vector<TrackItemRecord>;

TrackItemRecord At(TrackItemRecord r, int bar) {
    r.Bar = std::to_string(bar);
    return r;
}

// The pieces of the rows, a bar an item: C q, D h, E w "-" (2400 ticks) and
// C h, D e, E q "-" (1440 ticks).
Track Long() {
    return {At(Item("C", "4", "q"), 1), At(Item("D", "4", "h"), 2),
            At(Item("E", "4", "w", "-"), 3)};
}
Track Short() {
    return {At(Item("C", "4", "h"), 1), At(Item("D", "4", "e"), 2),
            At(Item("E", "4", "q", "-"), 3)};
}

CopyByBarTexts Bars(std::string from, std::string atBar) {
    return {"SONATA", from, from, "q", "", "", atBar, "0"};
}

CopyByItemTexts Items(std::string track, std::string item) {
    return {"SONATA", track, item, "1", "", "1", false};
}

SeriesTexts Series(std::string bar) {
    SeriesTexts t;
    t.Passage.From = t.Passage.To = bar;
    t.FromValue = "60";
    t.ToValue = "90";
    t.Insert = true;
    return t;
}

// Punch In/Out at the ends of the tracks, Update Adjustment by amount.
PunchTexts UpdateAdjustment(std::string amount) {
    PunchTexts t;
    t.LastItem = t.UpdateAdjustment = true;
    t.Operation = PunchOperation::In;
    t.Note = "C";
    t.Octave = "4";
    t.NoteValue = "q";
    t.Adjustment = amount;
    t.Dynamics = "64";
    t.Pitchbend = "0";
    return t;
}

class DashRefusals : public test::EditTest {
protected:
    // Every track written (the others empty) and recalculated.
    void Write(const std::vector<std::pair<int, Track>>& given) {
        for (int t = 1; t <= s.NumTracks; ++t) WriteTrack(t, {});
        for (const auto& [t, items] : given) WriteTrack(t, items);
        Select({1, 2, 3, 4});
        ASSERT_TRUE(Recalculate(c));
    }
    std::vector<std::string> Files() const {
        std::vector<std::string> out;
        for (int t = 1; t <= s.NumTracks; ++t) out.push_back(test::ReadFile(TrackPath(t)));
        return out;
    }
    // Copy by Item from track/item (one item) into track t at its cursor.
    bool CopyItem(const std::string& mode, int t, int cursor, std::string track, std::string item) {
        s.MenuMode = "mnuEdtNotes";
        s.CurrentTrack = static_cast<Integer>(t);
        s.CurrentItem(t) = static_cast<Integer>(cursor);
        if (CopyByItemOK(c, mode, Items(track, item), 0, 0) != CopyField::None) return true;
        return CopyByItem(c);
    }
    // F10 (one item) and F11 in the bar box on item `cursor` of track t; true
    // when the track's count changed.
    bool F10(int t, int cursor) {
        AtCursor(t, cursor);
        p.msg.AnswerInput("1");
        const int count = s.ItemCount(t);
        DeleteItemPrompt(c);
        return s.ItemCount(t) != count;
    }
    bool F11(int t, int cursor) {
        AtCursor(t, cursor);
        const int count = s.ItemCount(t);
        InsertItems(c);
        return s.ItemCount(t) != count;
    }
    void AtCursor(int t, int cursor) {
        s.CurrentTrack = static_cast<Integer>(t);
        s.CurrentItem(t) = static_cast<Integer>(cursor);
    }

    test::ScriptedCopyByBar bars;
    test::ScriptedSeries series;
    test::ScriptedParameters parameters;
    test::ScriptedPunch punch;
};

TEST_F(DashRefusals, EachCommandRefusesBeforeAnyTrackIsChanged) {
    const auto section = [this](std::string mode, std::vector<int> chosen, CopyByBarTexts t) {
        tracks.Choose(chosen);
        bars.mode = mode;
        bars.texts = t;
        return CopySection(c, tracks, bars);
    };
    const auto vertical = [this](std::string mode, int from, int to, CopyByBarTexts t) {
        p.msg.AnswerInput(std::to_string(from));
        tracks.Choose({to});
        bars.mode = mode;
        bars.texts = t;
        return VerticalCopy(c, tracks, bars);
    };
    const auto revise = [this](std::string from, std::string to, std::string value) {
        tracks.Choose({1});
        parameters.texts = ParameterTexts{};
        parameters.texts.Passage.From = from;
        parameters.texts.Passage.To = to;
        parameters.texts.DurationTicked = true;
        parameters.texts.Duration = value;
        return ReviseParameters(c, tracks, parameters);
    };
    const Track plain{At(Item("G", "4", "h"), 1), At(Item("A", "4", "h"), 2),
                      At(Item("B", "4", "h"), 3)};
    struct Row {
        const char* what;
        std::vector<std::pair<int, Track>> tracks;
        std::function<bool()> run; // true when the command says it was done
        // The message: "Item <i> on Track <t> ... nothing has been <done>".
        struct {
            const char *item, *done, *title;
        } said;
    } rows[] = {
        // Inserting between a dash and what it takes off.
        {"Copy a Section INSERT, E would take off the copied C",
         {{1, plain}, {2, Long()}},
         [&] {
             return section("INSERT", {1, 2}, Bars("1", "3"));
         },
         {"Item 3 on Track 2", "copied", "Copy a Section"}},
        {"Copy a Section INSERT, E would have no length",
         {{1, Short()}},
         [&] { return section("INSERT", {1}, Bars("1", "3")); },
         {"Item 3 on Track 1", "copied", "Copy a Section"}},
        {"Vertical Copy INSERT",
         {{1, plain}, {2, Long()}},
         [&] { return vertical("INSERT", 1, 2, Bars("1", "3")); },
         {"Item 3 on Track 2", "copied", "Vertical Copy"}},
        {"Copy by Item INSERT at E",
         {{1, Long()}},
         [&] { return CopyItem("INSERT", 1, 3, "1", "1"); },
         {"Item 3 on Track 1", "copied", "Copy by Item"}},
        {"F11 at E",
         {{1, Long()}},
         [&] { return F11(1, 3); },
         {"Item 3 on Track 1", "inserted", "Insert Items"}},
        {"a tempo series before a rest with a dash",
         {{1, {At(Item("C", "4", "q"), 1), At(Item("R", "4", "h", "-", "0"), 2)}}},
         [&] {
             series.texts = Series("2");
             return TempoSeries(c, series);
         },
         {"Item 2 on Track 1", "inserted", "Continuous Controller"}},
        {"a controller series before a rest with a dash, on two tracks",
         {{1, {At(Item("G", "4", "h"), 1), At(Item("R", "4", "h", "0", "0"), 2)}},
          {2, {At(Item("C", "4", "q"), 1), At(Item("R", "4", "h", "-", "0"), 2)}}},
         [&] {
             tracks.Choose({1, 2});
             series.texts = Series("2");
             return WriteControllerSeries(c, tracks, series);
         },
         {"Item 2 on Track 2", "inserted", "Continuous Controller"}},
        {"a tempo inside a run of two dashes",
         {{1,
           {At(Item("C", "4", "q"), 1), At(Item("R", "4", "q", "0", "0"), 2),
            At(Item("D", "4", "w", "--"), 3)}}},
         [&] {
             series.texts = Series("2");
             return TempoSeries(c, series);
         },
         {"Item 3 on Track 1", "inserted", "Continuous Controller"}},
        // Copying a dash item away from what it takes off.
        {"Vertical Copy ADD of E into an empty track",
         {{1, Long()}},
         [&] { return vertical("ADD", 1, 2, Bars("3", "")); },
         {"Item 3 on Track 1", "copied", "Vertical Copy"}},
        {"Copy by Item ADD of E behind G e",
         {{1, Long()}, {2, {Item("G", "4", "e")}}},
         [&] { return CopyItem("ADD", 2, 2, "1", "3"); },
         {"Item 3 on Track 1", "copied", "Copy by Item"}},
        // Replacing an item a later dash takes off.
        {"Copy a Section REPLACE of C h over D e",
         {{1, Short()}},
         [&] { return section("REPLACE", {1}, Bars("1", "2")); },
         {"Item 3 on Track 1", "copied", "Copy a Section"}},
        {"Vertical Copy REPLACE of G h over D e",
         {{1, plain}, {2, Short()}},
         [&] { return vertical("REPLACE", 1, 2, Bars("1", "2")); },
         {"Item 3 on Track 2", "copied", "Vertical Copy"}},
        // Revise Parameters, Duration.
        {"Revise Parameters lengthens D beyond E",
         {{1, Short()}},
         [&] { return revise("2", "2", "q"); },
         {"Item 3 on Track 1", "revised", "Revise Parameters"}},
        {"Revise Parameters shortens E below what it takes off",
         {{1, Short()}},
         [&] { return revise("3", "3", "s"); },
         {"Item 3 on Track 1", "revised", "Revise Parameters"}},
        // Punch, Update Adjustment on a last note with dashes.
        {"Update Adjustment of E",
         {{1, plain}, {2, Long()}},
         [&] {
             tracks.Choose({1, 2});
             punch.texts = UpdateAdjustment("10");
             return PunchInOut(c, tracks, punch);
         },
         {"Item 3 on Track 2", "updated", "Punch In/Punch Out"}},
        // F10 on items a later dash takes off.
        {"F10 on D, E would take off C",
         {{1, {Item("C", "4", "e"), Item("D", "4", "q"), Item("E", "4", "h", "-")}}},
         [&] { return F10(1, 2); },
         {"Item 3 on Track 1", "deleted", "Delete Items"}},
        {"F10 on D, E would have no length",
         {{1, Short()}},
         [&] { return F10(1, 2); },
         {"Item 3 on Track 1", "deleted", "Delete Items"}},
    };
    // Each row's one message is answered OK, whichever it is.
    p.msg.AllowUnexpected(true);
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        Write(r.tracks);
        const auto before = Files();
        p.msg.shown.clear();
        EXPECT_FALSE(r.run());
        EXPECT_TRUE(p.msg.AllAnswersUsed());
        const auto said = std::count_if(p.msg.shown.begin(), p.msg.shown.end(),
                                        [](const auto& m) { return !m.Input; });
        EXPECT_EQ(said, 1);
        if (said == 0) continue;
        EXPECT_EQ(p.msg.Last().Text, std::string(r.said.item) +
                                         " takes off the length of the items before it, which this "
                                         "would change; nothing has been " +
                                         r.said.done);
        EXPECT_EQ(p.msg.Last().Title, r.said.title);
        EXPECT_EQ(Files(), before);
    }
}

TEST_F(DashRefusals, AReplacementOfTheSameLengthsIsCopied) {
    // Bar 1's G h over bar 2's D h: E goes on taking off a half note.
    const Track two{At(Item("C", "4", "q"), 1), At(Item("D", "4", "h"), 2),
                    At(Item("E", "4", "w", "-"), 3)};
    Write({{1, {At(Item("G", "4", "h"), 1)}}, {2, two}});
    p.msg.AnswerInput("1");
    tracks.Choose({2});
    bars.mode = "REPLACE";
    bars.texts = Bars("1", "2");
    ASSERT_TRUE(VerticalCopy(c, tracks, bars));
    ExpectTrack(2, {two[0], Item("G", "4", "h"), two[2]});
    EXPECT_EQ(s.ItemTime(2, 3), 960);
}

} // namespace
} // namespace tnq
