// Bar ranges across tracks: the validations, the beat narrowing and the
// walk over the tracks.
#include "core/bar_ranges.h"
#include "piece_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <utility>
#include <vector>

namespace tnq::test {
namespace {

namespace fs = std::filesystem;

using Span = std::pair<int, int>;

class BarRangesTest : public PieceTest {
protected:
    void SetUp() override {
        SetUpPiece(4, 40);
        s.Repeats = 1;
        s.BeatTicks = 8;
    }

    // Items of track t in the score arrays: their bars, all notes unless
    // codes are given.
    void Bars(int t, const std::vector<int>& bars, const std::vector<int>& codes = {}) {
        s.ItemCount(t) = static_cast<Integer>(bars.size());
        for (std::size_t i = 0; i < bars.size(); ++i) {
            s.BarNo(t, static_cast<int>(i) + 1) = static_cast<Integer>(bars[i]);
            s.NoteCode(t, static_cast<int>(i) + 1) =
                static_cast<Integer>(codes.empty() ? 60 : codes[i]);
        }
    }
    void Range(int from, int to, int repeats = 1) {
        s.RangeFrom = static_cast<Integer>(from);
        s.RangeTo = static_cast<Integer>(to);
        s.Repeats = static_cast<Integer>(repeats);
    }
    // Narrows the spans to beats start .. start + beats - 1.
    bool Narrow(int start, int beats, int fileNumber = 2) {
        s.StartingBeat = static_cast<Integer>(start);
        s.NumberOfBeats = static_cast<Integer>(beats);
        return SpanSelectedBars(c, fileNumber);
    }
    Span SpanOf(int t, int occurrence = 1) const {
        return {s.SpanFirst(t, occurrence), s.SpanLast(t, occurrence)};
    }
    // The messages shown, as text and title.
    std::vector<std::pair<std::string, std::string>> Shown() const {
        std::vector<std::pair<std::string, std::string>> out;
        for (const auto& m : p.msg.shown) out.emplace_back(m.Text, m.Title.value_or(""));
        return out;
    }
    // Every file below the pieces directory.
    std::set<std::string> Files() const {
        std::set<std::string> out;
        for (const auto& e : fs::recursive_directory_iterator(s.FilePath))
            out.insert(e.path().string());
        return out;
    }
    // Writes track t of piece title from records; each record's bar also
    // goes into the score arrays when the piece is the open one.
    void Track(const std::string& title, int t, const std::vector<TrackItemRecord>& items,
               bool withEnd = true) {
        std::string bytes;
        for (const auto& r : items) bytes += EncodeRecord(r);
        if (withEnd) bytes += EncodeRecord(kEndRecord);
        WriteFile(fs::path(s.FilePath) / (title + ".TNQ") / TrackFileName(title, t), bytes);
        if (title != s.PieceTitle) return;
        std::vector<int> bars, codes;
        for (const auto& r : items) {
            bars.push_back(static_cast<int>(Val(r.Bar)));
            codes.push_back(r.Note == "R" ? 0 : KeywordCode(r.Note) ? KeywordCode(r.Note) : 60);
        }
        Bars(t, bars, codes);
    }
    // Notes of bar 1 with these durations ("CNTRL" stands for a keyword).
    static std::vector<TrackItemRecord> Notes(const std::vector<std::string>& durations,
                                              const std::string& bar = "1") {
        std::vector<TrackItemRecord> out;
        for (const auto& d : durations) {
            if (d == "CNTRL")
                out.push_back(Item("CNTRL", "", "7", "0", "100", bar));
            else
                out.push_back(Item("C", "4", d, "0", "64", bar));
        }
        return out;
    }
};

// ---- ValidateBarNumbers ----------------------------------------------------

TEST_F(BarRangesTest, SpansOfOneOccurrence) {
    struct Case {
        const char* what;
        std::vector<int> bars;
        int from, to;
        Span span;
    } cases[] = {
        {"middle bars", {1, 1, 2, 2, 3, 3, 4}, 2, 3, {3, 6}},
        {"first equals last: found at once, to the bar's last item", {1, 1, 2, 2, 3}, 2, 2, {3, 4}},
        {"to the track's last item", {1, 1, 2, 3, 4, 4, 4}, 3, 4, {4, 7}},
        {"bars before the start are not examined for order", {5, 3, 1, 2, 9}, 1, 2, {3, 4}},
        {"a gap in the bar numbers", {1, 2, 5, 6, 8}, 2, 6, {2, 4}},
        {"the last bar ends the walk even when repeated after", {1, 2, 3, 1, 2}, 1, 2, {1, 2}},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        Bars(1, k.bars);
        // The position after the last item holds a lower bar: never examined.
        s.BarNo(1, static_cast<int>(k.bars.size()) + 1) = 0;
        Select({1});
        Range(k.from, k.to);
        EXPECT_TRUE(ValidateBarNumbers(c));
        EXPECT_EQ(SpanOf(1), k.span);
        EXPECT_EQ(s.Scratch, "found");
    }
    EXPECT_TRUE(p.msg.shown.empty());
}

TEST_F(BarRangesTest, RepeatedSectionsAreFoundOccurrenceByOccurrence) {
    Bars(1, {1, 2, 3, 4, 1, 2, 3, 4});
    Bars(2, {1, 2, 3, 4, 1, 2, 3, 4, 5});
    Select({1, 2});
    Range(2, 3, 2);
    ASSERT_TRUE(ValidateBarNumbers(c));
    for (int t : {1, 2}) {
        EXPECT_EQ(SpanOf(t, 1), Span(2, 3));
        EXPECT_EQ(SpanOf(t, 2), Span(6, 7));
        EXPECT_EQ(SpanOf(t, 3), Span(0, 0));
    }
    EXPECT_EQ(s.RepeatCounter, 2);

    // Each occurrence of a one-bar range; the fourth is the last the arrays hold.
    Bars(1, {1, 2, 1, 2, 1, 2, 1});
    Select({1});
    Range(1, 1, 4);
    ASSERT_TRUE(ValidateBarNumbers(c));
    EXPECT_EQ(SpanOf(1, 1), Span(1, 1));
    EXPECT_EQ(SpanOf(1, 2), Span(3, 3));
    EXPECT_EQ(SpanOf(1, 3), Span(5, 5));
    EXPECT_EQ(SpanOf(1, 4), Span(7, 7));
    EXPECT_TRUE(p.msg.shown.empty());
}

TEST_F(BarRangesTest, FaultsAreReportedAndEndTheCheck) {
    struct Case {
        const char* what;
        std::vector<int> bars;
        int from, to, repeats;
        const char* text;
    } cases[] = {
        {"a lower bar never ends a walk",
         {1, 2, 3, 4, 1, 2, 3, 4},
         1,
         4,
         1,
         "Bar number 1 Item  5 Track 1 invalid"},
        {"bars run backwards inside the range",
         {1, 3, 2, 4},
         1,
         4,
         1,
         "Bar number 2 Item  3 Track 1 invalid"},
        {"no first bar", {1, 2, 3}, 7, 8, 1, "Bar number 7 Track 1 not found"},
        {"last bar skipped", {1, 2, 4, 5}, 1, 3, 1, "Bar number 3 Track 1 not found"},
        {"last bar missing at the end", {1, 2}, 1, 3, 1, "Bar number 3 Track 1 not found"},
        {"second occurrence missing", {1, 2, 3, 4}, 2, 3, 2, "Bar number 2 Track 1 not found"},
        {"negative bar", {-2, -1, 0}, -2, -1, 2, "Bar number-2 Track 1 not found"},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        p.msg.shown.clear();
        Bars(1, k.bars);
        Select({1});
        Range(k.from, k.to, k.repeats);
        p.msg.AnswerOk();
        EXPECT_FALSE(ValidateBarNumbers(c));
        ASSERT_EQ(p.msg.shown.size(), 1u);
        EXPECT_EQ(p.msg.Last().Text, k.text);
        EXPECT_EQ(p.msg.Last().Code, mb::Exclamation);
        EXPECT_EQ(p.msg.Last().Title, std::string("Validate Bar Numbers"));
    }
}

TEST_F(BarRangesTest, OnlySelectedTracksWithItemsAndTheFirstFaultStopsAll) {
    Bars(1, {1, 2, 3});
    Bars(2, {}); // selected, no items: no span
    Bars(3, {1, 2, 3});
    Bars(4, {5, 6}); // not selected: its missing bars do not matter
    Select({1, 2, 3});
    Range(2, 3);
    ASSERT_TRUE(ValidateBarNumbers(c));
    EXPECT_EQ(SpanOf(1), Span(2, 3));
    EXPECT_EQ(SpanOf(2), Span(0, 0));
    EXPECT_EQ(SpanOf(3), Span(2, 3));
    EXPECT_EQ(SpanOf(4), Span(0, 0));

    // Track 2 lacks the range: no later track is examined, and every span
    // of an earlier validation is gone.
    Bars(2, {7, 8});
    Select({1, 2, 3});
    p.msg.AnswerOk();
    EXPECT_FALSE(ValidateBarNumbers(c));
    EXPECT_EQ(Shown(),
              (decltype(Shown()){{"Bar number 2 Track 2 not found", "Validate Bar Numbers"}}));
    EXPECT_EQ(SpanOf(1), Span(2, 3));
    EXPECT_EQ(SpanOf(3), Span(0, 0));
}

TEST_F(BarRangesTest, RestsOnlyRuleOfTheControllerPreparation) {
    // Track 1 is never tested; a note just outside a span does not count.
    const int R = 0, N = 60;
    struct Case {
        const char* what;
        int track;
        std::vector<int> codes;
        bool ok;
    } cases[] = {
        {"rests only", 2, {N, R, R, R, N}, true},
        {"track 1 may hold notes", 1, {N, N, N, N, N}, true},
        {"a note at the span's start", 2, {N, N, R, R, N}, false},
        {"a note at the span's end", 2, {R, R, R, N, N}, false},
        {"a keyword in the span", 3, {R, R, 129, R, R}, false},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        p.msg.shown.clear();
        s.MenuMode = "mnuEdtCC";
        Bars(1, {1, 2, 2, 3, 4}, {N, N, N, N, N});
        Bars(k.track, {1, 2, 2, 3, 4}, k.codes);
        Select({1, k.track});
        Range(2, 3);
        if (!k.ok) p.msg.AnswerOk();
        EXPECT_EQ(ValidateBarNumbers(c), k.ok);
        if (k.ok) {
            EXPECT_EQ(SpanOf(k.track), Span(2, 4));
        } else {
            EXPECT_EQ(Shown(),
                      (decltype(Shown()){{"Selection must contain only rests", "CC and PB Prep"}}));
            EXPECT_EQ(p.msg.Last().Code, mb::Exclamation);
        }
    }
    // The rule belongs to that command alone.
    s.MenuMode = "mnuEdtDynamics";
    Bars(2, {1, 2, 3}, {N, N, N});
    Select({2});
    EXPECT_TRUE(ValidateBarNumbers(c));
}

TEST_F(BarRangesTest, RepeatNumberOutsideTheArraysIsAnErrorNotACrash) {
    Bars(1, {1, 2, 3});
    Select({1});
    for (int repeats : {0, 5}) {
        Range(1, 2, repeats);
        p.msg.AnswerOk();
        EXPECT_FALSE(ValidateBarNumbers(c));
        EXPECT_EQ(p.msg.Last().Title, std::string("Validate Bar Numbers"));
        EXPECT_NE(p.msg.Last().Text.find("Subscript out of range"), std::string::npos);
    }
}

// ---- ValidateBarNumbers2 ---------------------------------------------------

TEST_F(BarRangesTest, SourcePieceIsReadNeverCreatedOrChanged) {
    s.SourceTitle = "OTHER";
    Track("OTHER", 1,
          {Item("C", "4", "q", "0", "64", "1"), Item("D", "4", "q", "0", "64", "2"),
           Item("E", "4", "q", "0", "64", "3"), Item("F", "4", "q", "0", "64", "4")});
    Track("OTHER", 2, {Item("C", "4", "q", "0", "64", "2"), Item("D", "4", "q", "0", "64", "3")});
    Track("OTHER", 3, {}); // END alone: no items
    // Track 4 has no file in the source piece.
    const std::string title = s.PieceTitle;
    const auto before = Files();
    const auto bytesBefore = ReadFile(fs::path(s.FilePath) / "OTHER.TNQ" / "OTHER01");

    Select({1, 2, 3, 4});
    Range(2, 3);
    ASSERT_TRUE(ValidateBarNumbers2(c));
    EXPECT_EQ(SpanOf(1), Span(2, 3));
    EXPECT_EQ(SpanOf(2), Span(1, 2));
    EXPECT_EQ(SpanOf(3), Span(0, 0));
    EXPECT_EQ(SpanOf(4), Span(0, 0));
    EXPECT_TRUE(p.msg.shown.empty());

    // The last record read stays in the boxes, the cursor on it.
    EXPECT_EQ(s.CurrentItem(2), 3); // the END record of track 2 ended the walk
    EXPECT_EQ(s.CurrentItem(1), 4);
    EXPECT_EQ(p.screen.Text(Box::Note), "D"); // track 2, item 2
    EXPECT_EQ(s.SourceTrack, 4);
    EXPECT_EQ(s.PieceTitle, title);
    EXPECT_EQ(Files(), before);
    EXPECT_EQ(ReadFile(fs::path(s.FilePath) / "OTHER.TNQ" / "OTHER01"), bytesBefore);

    // The last source track read stays open, for reading only.
    Select({1, 2});
    ASSERT_TRUE(ValidateBarNumbers2(c));
    EXPECT_EQ(s.File3Open, 1);
    EXPECT_TRUE(s.File3.ReadOnly());
    EXPECT_EQ(fs::path(s.File3.Path()).filename(), "OTHER02");
    EXPECT_EQ(Files(), before);
}

TEST_F(BarRangesTest, SourceWalksEndAtTheEndRecordOrTheFileEnd) {
    s.SourceTitle = "OTHER";
    struct Case {
        const char* what;
        std::vector<int> bars;
        bool withEnd;
        std::vector<int> after; // records behind the END record
        int from, to;
        bool ok;
        Span span;
        const char* text;
    } cases[] = {
        {"END ends the walk", {1, 2, 2}, true, {2, 1}, 2, 2, true, {2, 3}, ""},
        {"the file's end ends the walk", {1, 2, 2}, false, {}, 2, 2, true, {2, 3}, ""},
        {"END ends the start search",
         {1, 2},
         true,
         {3, 4},
         3,
         4,
         false,
         {},
         "Bar number 3 Track 1 not found"},
        {"last bar missing at the file's end",
         {1, 2},
         false,
         {},
         1,
         3,
         false,
         {},
         "Bar number 3 Track 1 not found"},
        {"invalid names no item",
         {1, 3, 2},
         true,
         {},
         1,
         3,
         false,
         {},
         "Bar number 2 Track 1 invalid"},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        p.msg.shown.clear();
        std::string bytes;
        for (int b : k.bars)
            bytes += EncodeRecord(Item("C", "4", "q", "0", "64", std::to_string(b)));
        if (k.withEnd) bytes += EncodeRecord(kEndRecord);
        for (int b : k.after)
            bytes += EncodeRecord(Item("C", "4", "q", "0", "64", std::to_string(b)));
        WriteFile(fs::path(s.FilePath) / "OTHER.TNQ" / "OTHER01", bytes);
        Select({1});
        Range(k.from, k.to);
        if (!k.ok) p.msg.AnswerOk();
        EXPECT_EQ(ValidateBarNumbers2(c), k.ok);
        if (k.ok) {
            EXPECT_EQ(SpanOf(1), k.span);
        } else {
            EXPECT_EQ(Shown(), (decltype(Shown()){{k.text, "Validate Bar Numbers"}}));
        }
    }
}

TEST_F(BarRangesTest, MissingSourcePieceIsReportedAndNothingIsCreated) {
    s.SourceTitle = "GONE";
    Select({1});
    Range(1, 2);
    const auto before = Files();
    p.msg.AnswerOk();
    EXPECT_FALSE(ValidateBarNumbers2(c));
    EXPECT_EQ(p.msg.Last().Title, std::string("Validate Bar Numbers"));
    EXPECT_NE(p.msg.Last().Text.find("Path not found"), std::string::npos);
    EXPECT_EQ(Files(), before);
    EXPECT_FALSE(fs::exists(fs::path(s.FilePath) / "GONE.TNQ"));
}

// ---- SpanSelectedBars --------------------------------------------------------

TEST_F(BarRangesTest, NarrowingToBeats) {
    struct Case {
        const char* what;
        std::vector<std::string> durations;
        int start, beats;
        Span span;
        Single beatTicks = 8;
    } cases[] = {
        {"beats 1-2 of four quarters", {"q", "q", "q", "q"}, 1, 2, {1, 2}},
        {"beats 2-3 of four quarters", {"q", "q", "q", "q"}, 2, 2, {2, 3}},
        {"the last beat", {"q", "q", "q", "q"}, 4, 1, {4, 4}},
        {"start beat where the span ends: empty", {"q", "q", "q", "q"}, 5, 1, {5, 4}},
        {"no item ends in the start beat: the item it begins in", {"h", "q", "q"}, 2, 1, {1, 1}},
        {"start beat begins inside a later item", {"q", "q", "h"}, 4, 1, {3, 3}},
        {"an item running on into the start beat comes first", {"q.", "e", "h"}, 2, 1, {1, 2}},
        {"the same after an item ending inside a beat", {"e", "q", "e", "h"}, 2, 1, {2, 3}},
        {"keyword after a completed beat starts the span", {"q", "CNTRL", "q", "q"}, 2, 1, {2, 3}},
        {"keywords neither count nor end", {"q", "CNTRL", "q", "q"}, 1, 2, {1, 3}},
        {"keyword right after the last beat stays out", {"q", "q", "CNTRL", "q"}, 1, 2, {1, 2}},
        {"triplets complete a beat", {"q3", "q3", "q3", "q", "q"}, 2, 1, {4, 4}},
        {"an unparsed duration takes no time", {"q", "k", "q", "q"}, 2, 1, {2, 3}},
        {"eighth-note beats", {"q", "q", "q", "q"}, 3, 2, {2, 2}, 16},
        {"tied notes", {"hq", "q"}, 3, 2, {1, 2}},
        {"starting beat 0 counts as 1", {"q", "q", "q", "q"}, 0, 2, {1, 2}},
        {"items run out: the span keeps its end", {"q", "q"}, 1, 4, {1, 2}},
        {"start beat never reached: no span", {"q", "q"}, 4, 1, {0, 0}},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        Track(s.PieceTitle, 1, Notes(k.durations));
        Select({1});
        Range(1, 1);
        s.BeatTicks = k.beatTicks;
        ASSERT_TRUE(ValidateBarNumbers(c));
        EXPECT_TRUE(Narrow(k.start, k.beats));
        EXPECT_EQ(SpanOf(1), k.span);
        EXPECT_EQ(s.Scratch, "end");
    }
    EXPECT_TRUE(p.msg.shown.empty());
}

TEST_F(BarRangesTest, EveryTrackIsNarrowedWhateverTheTracksBeforeIt) {
    Track(s.PieceTitle, 1, Notes({"q", "q"}));                // runs out
    Track(s.PieceTitle, 2, Notes({"q", "q", "q", "q", "q"})); // narrowed
    Track(s.PieceTitle, 3, Notes({"e"}));                     // start never reached
    Track(s.PieceTitle, 4, Notes({"e", "e", "q", "q", "q"})); // narrowed
    Select({1, 2, 3, 4});
    Range(1, 1);
    ASSERT_TRUE(ValidateBarNumbers(c));
    ASSERT_TRUE(Narrow(2, 3));
    EXPECT_EQ(SpanOf(1), Span(2, 2));
    EXPECT_EQ(SpanOf(2), Span(2, 4));
    EXPECT_EQ(SpanOf(3), Span(0, 0));
    EXPECT_EQ(SpanOf(4), Span(3, 5));

    // The walk after it visits the narrowed spans only.
    s.CurrentTrack = 0;
    s.Scratch.clear();
    std::vector<std::pair<int, Span>> visited;
    for (TrackNext(c); s.Scratch != "end"; TrackNext(c))
        visited.push_back({s.CurrentTrack, {s.RangeFrom, s.RangeTo}});
    EXPECT_EQ(visited, (std::vector<std::pair<int, Span>>{{1, {2, 2}}, {2, {2, 4}}, {4, {3, 5}}}));
}

TEST_F(BarRangesTest, NarrowingTouchesOnlyTheChosenOccurrence) {
    // Bars 1 and 2, bar 3, then bars 1 and 2 again.
    std::vector<TrackItemRecord> items;
    for (const char* bar : {"1", "2", "3", "1", "2"})
        for (const auto& r : Notes(std::string(bar) == "3" ? std::vector<std::string>{"q"}
                                                           : std::vector<std::string>{"q", "q"},
                                   bar))
            items.push_back(r);
    Track(s.PieceTitle, 1, items);
    Select({1});
    Range(1, 2, 2);
    ASSERT_TRUE(ValidateBarNumbers(c));
    ASSERT_EQ(SpanOf(1, 1), Span(1, 4));
    ASSERT_EQ(SpanOf(1, 2), Span(6, 9));
    ASSERT_TRUE(Narrow(2, 2));
    EXPECT_EQ(SpanOf(1, 1), Span(1, 4));
    EXPECT_EQ(SpanOf(1, 2), Span(7, 8));
}

TEST_F(BarRangesTest, SourceTracksAreNarrowedEachOnItsOwnBeats) {
    s.SourceTitle = "OTHER";
    s.MenuMode = "mnuEdtCopy";
    Track("OTHER", 1, Notes({"h", "h"}));
    Track("OTHER", 2, Notes({"q", "q", "q", "q"}));
    const auto before = Files();
    Select({1, 2});
    Range(1, 1);
    ASSERT_TRUE(ValidateBarNumbers2(c));
    ASSERT_TRUE(Narrow(2, 1, 3));
    EXPECT_EQ(SpanOf(1), Span(1, 1));
    EXPECT_EQ(SpanOf(2), Span(2, 2));
    EXPECT_EQ(Files(), before);
    EXPECT_TRUE(p.msg.shown.empty());
}

// ---- TrackNext ---------------------------------------------------------------

TEST_F(BarRangesTest, TrackNextVisitsTheSpansOfOneOccurrenceInTrackOrder) {
    s.SpanFirst.ReDim(s.NumTracks, 4);
    s.SpanLast.ReDim(s.NumTracks, 4);
    auto span = [this](int t, int occurrence, int first, int last) {
        s.SpanFirst(t, occurrence) = static_cast<Integer>(first);
        s.SpanLast(t, occurrence) = static_cast<Integer>(last);
    };
    span(1, 1, 1, 2); // another occurrence: not visited
    span(1, 2, 5, 6);
    span(3, 2, 7, 9);
    Select({2}); // not consulted
    s.Repeats = 2;
    s.CurrentTrack = 0;
    s.Scratch.clear();

    TrackNext(c);
    EXPECT_EQ(s.CurrentTrack, 1);
    EXPECT_EQ(Span(s.RangeFrom, s.RangeTo), Span(5, 6));
    EXPECT_EQ(s.File2.Path(), TrackPath(1).string());
    EXPECT_FALSE(s.File2.ReadOnly());
    TrackNext(c);
    EXPECT_EQ(s.CurrentTrack, 3);
    EXPECT_EQ(Span(s.RangeFrom, s.RangeTo), Span(7, 9));
    EXPECT_EQ(s.File2.Path(), TrackPath(3).string());
    EXPECT_EQ(s.Scratch, "");
    TrackNext(c);
    EXPECT_EQ(s.Scratch, "end");
    EXPECT_EQ(s.CurrentTrack, 1);
    EXPECT_EQ(s.RepeatCounter, 3);
}

TEST_F(BarRangesTest, CopyWalksReadTheSourceTrackWithoutCreatingOrWriting) {
    Track("OTHER", 1, Notes({"q", "q"}));
    Track(s.PieceTitle, 2, Notes({"q"}));
    const std::string title = s.PieceTitle;
    for (const char* mode : {"mnuEdtCopy", "mnuEdtVertical"}) {
        SCOPED_TRACE(mode);
        s.MenuMode = mode;
        s.SourceTitle = std::string(mode) == "mnuEdtCopy" ? "OTHER" : title;
        const int track = std::string(mode) == "mnuEdtCopy" ? 1 : 2;
        s.SpanFirst.ReDim(s.NumTracks, 4);
        s.SpanLast.ReDim(s.NumTracks, 4);
        s.SpanFirst(track, 1) = 1;
        s.SpanLast(track, 1) = 1;
        s.Repeats = 1;
        s.CurrentTrack = 0;
        const auto before = Files();

        TrackNext(c);
        EXPECT_EQ(s.CurrentTrack, track);
        EXPECT_EQ(s.PieceTitle, title);
        EXPECT_TRUE(s.File2.ReadOnly());
        EXPECT_EQ(s.File2Open, 1);
        EXPECT_EQ(fs::path(s.File2.Path()).filename(), TrackFileName(s.SourceTitle, track));
        EXPECT_TRUE(ReadItem(c, 2));
        EXPECT_EQ(p.screen.Text(Box::Note), "C");
        try {
            WriteItem(c);
            ADD_FAILURE() << "file 2 was written";
        } catch (const VbError& e) {
            EXPECT_EQ(e.Number(), err::BadFileMode);
        }
        EXPECT_EQ(Files(), before);

        // A span on a track the source has no file for: an error, nothing
        // created, the title as it was.
        s.SpanFirst(4, 1) = 1;
        s.SpanLast(4, 1) = 1;
        try {
            TrackNext(c);
            ADD_FAILURE() << "no error";
        } catch (const VbError& e) {
            EXPECT_EQ(e.Number(), err::FileNotFound);
        }
        EXPECT_EQ(s.PieceTitle, title);
        EXPECT_EQ(s.File2Open, 0);
        EXPECT_EQ(Files(), before);
    }
}

} // namespace
} // namespace tnq::test
