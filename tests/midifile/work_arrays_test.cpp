// Compaction, totals, the balance test and the spreading of differences.
#include "midifile/work_arrays.h"

#include "mid_fixture.h"

#include <gtest/gtest.h>

#include <random>

namespace tnq {
namespace {

using test::MidTest;

class WorkArrays : public MidTest {
protected:
    void Compact() {
        AllocateWorkArrays(s);
        ASSERT_EQ(CompactTracks(s), 0);
    }
    std::vector<int> Codes(int t) {
        std::vector<int> v;
        for (int p = 1; p < s.WorkCount(t); ++p) v.push_back(s.WorkCode(t, p));
        return v;
    }
    Long WorkTotal(int t) {
        Long sum = 0;
        for (int p = 1; p <= s.MaxItems; ++p)
            if (s.WorkCode(t, p) < 128) sum += s.WorkTime(t, p);
        return sum;
    }
};

TEST_F(WorkArrays, CompactionDropsLocateMarksAndEmptySlots) {
    Note(2, 60, 480);
    Add(2, code::LOCAT, 0, 3);
    Rest(2, 0);                // a rest of length 0: dropped
    Add(2, code::LEGON, 0, 0); // a keyword with time and dynamics 0: kept
    Note(2, 62, 240);
    Add(2, code::CNTRL, 7, 100); // keyword time is not counted
    Rest(2, 120);
    Compact();
    EXPECT_EQ(Codes(2), (std::vector<int>{60, code::LEGON, 62, code::CNTRL, 0}));
    EXPECT_EQ(s.WorkCount(2), 6);
    EXPECT_EQ(s.LocationItem(2, 3), 2); // the position of the LEGON that follows
    EXPECT_EQ(s.TrackTotal(2), 840);
    EXPECT_EQ(s.WorkTime(2, 4), 7);
    EXPECT_EQ(s.WorkDyn(2, 4), 100);
    // Tracks without items keep 0.
    EXPECT_EQ(s.WorkCount(1), 0);
    EXPECT_EQ(s.TrackTotal(1), 0);
    // Item numbers behind the work positions.
    EXPECT_EQ(WorkPositionItem(s, 2, 1), 1);
    EXPECT_EQ(WorkPositionItem(s, 2, 2), 4);
    EXPECT_EQ(WorkPositionItem(s, 2, 3), 5);
}

TEST_F(WorkArrays, EmptySlotsAnywhereInTheCapacityAreSkipped) {
    Note(1, 60, 480);
    // A stale item beyond the count still counts, as the whole capacity is
    // scanned; an empty slot between is skipped.
    s.NoteCode(1, 5) = 64;
    s.ItemTime(1, 5) = 240;
    s.ItemDyn(1, 5) = 90;
    Compact();
    EXPECT_EQ(Codes(1), (std::vector<int>{60, 64}));
    EXPECT_EQ(s.TrackTotal(1), 720);
}

// A run on a shorter piece finds nothing of the run before, whole or cut
// short by a run-time error.
TEST_F(WorkArrays, SlotsOfAnEarlierRunReadAsEmpty) {
    for (const bool cutShort : {false, true}) {
        SetUpPiece(4, 40);
        for (int i = 0; i < 5; ++i) Note(2, 60, 480);
        Note(3, 62, 480);
        AllocateWorkArrays(s);
        if (cutShort) s.ItemDyn.ReDimPreserve(3); // fails at item 4 of track 2
        bool threw = false;
        try {
            CompactTracks(s);
        } catch (const VbError&) {
            threw = true;
        }
        ASSERT_EQ(threw, cutShort);
        s.ItemDyn.ReDimPreserve(40);
        for (int i = 2; i <= 5; ++i) s.NoteCode(2, i) = 0, s.ItemTime(2, i) = 0, s.ItemDyn(2, i) = 0;
        s.NoteCode(3, 1) = 0, s.ItemTime(3, 1) = 0, s.ItemCount(3) = 0;
        Compact();
        for (int t = 0; t <= s.NumTracks; ++t) {
            for (int p = 0; p <= s.MaxItems; ++p) {
                if (t == 2 && p == 1) continue; // the note kept
                ASSERT_EQ(s.WorkCode(t, p) | s.WorkDyn(t, p) | s.WorkChan(t, p) |
                              s.WorkBend(t, p) | s.WorkTime(t, p),
                          0)
                    << cutShort << " " << t << " " << p;
            }
        }
    }
}

TEST_F(WorkArrays, LocateNumbersWithoutASlotArePassedOver) {
    Note(1, 60, 480);
    Add(1, code::LOCAT, 0, 50);
    Note(1, 62, 480);
    Add(1, code::LOCAT, 0, 51);
    Add(1, code::LOCAT, 0, 999);
    Note(1, 64, 480);
    Compact();
    EXPECT_EQ(s.LocationItem(1, 50), 2);
    EXPECT_EQ(Codes(1), (std::vector<int>{60, 62, 64}));
    for (int n = 0; n < 50; ++n) EXPECT_EQ(s.LocationItem(1, n), 0) << n;
}

TEST_F(WorkArrays, SuppressedTracksAreCompactedAsSilence) {
    Note(2, 60, 480, 100, 3, 200);
    Add(2, code::CNTRL, 7, 5, 3);
    Add(2, code::LOCAT, 0, 1);
    Note(2, 62, 240);
    AllocateWorkArrays(s);
    ASSERT_EQ(CompactTracks(s, [](int t) { return t == 2; }), 0);
    EXPECT_EQ(Codes(2), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(s.WorkDyn(2, 1), 0);
    EXPECT_EQ(s.WorkChan(2, 1), 3);
    EXPECT_EQ(s.WorkBend(2, 1), 0); // no pitch bend in silence
    EXPECT_EQ(s.WorkTime(2, 1), 480);
    EXPECT_EQ(s.WorkTime(2, 2), 0); // a controller number is no length
    EXPECT_EQ(s.LocationItem(2, 1), 3);
    EXPECT_EQ(s.TrackTotal(2), 720);
    // The totals alone come out the same.
    s.TrackTotal(2) = 0;
    TotalTracks(s);
    EXPECT_EQ(s.TrackTotal(2), 720);
    EXPECT_EQ(s.TrackTotal(1), 0);
}

TEST_F(WorkArrays, ArraysShorterThanTheCapacityAreReadSlotBySlot) {
    // Rows are read in place only where every array holds the whole
    // capacity; else slot by slot, so that slots an array lacks are
    // touched only when they hold an item.
    struct Case {
        const char* name;
        void (*shorten)(State&);
        bool ok;
    } cases[] = {
        {"none", [](State&) {}, true},
        {"bend beyond the items", [](State& st) { st.ItemBend.ReDimPreserve(4); }, true},
        {"channel beyond the items", [](State& st) { st.ItemChan.ReDimPreserve(5); }, true},
        {"work times beyond the items", [](State& st) { st.WorkTime.ReDimPreserve(4); }, true},
        {"work bend within the items", [](State& st) { st.WorkBend.ReDimPreserve(2); }, false},
        {"dynamics within the items", [](State& st) { st.ItemDyn.ReDimPreserve(3); }, false},
    };
    for (const Case& k : cases) {
        SetUpPiece(3, 10);
        Note(2, 60, 480, 100, 3, 200);
        Add(2, code::LOCAT, 0, 1);
        Add(2, code::CNTRL, 7, 5, 3);
        Note(2, 62, 240);
        AllocateWorkArrays(s);
        k.shorten(s);
        if (!k.ok) {
            EXPECT_THROW(CompactTracks(s), VbError) << k.name;
            continue;
        }
        ASSERT_EQ(CompactTracks(s), 0) << k.name;
        EXPECT_EQ(Codes(2), (std::vector<int>{60, code::CNTRL, 62})) << k.name;
        EXPECT_EQ(s.WorkBend(2, 1), 200) << k.name;
        EXPECT_EQ(s.WorkChan(2, 2), 3) << k.name;
        EXPECT_EQ(s.WorkTime(2, 3), 240) << k.name;
        EXPECT_EQ(s.LocationItem(2, 1), 2) << k.name;
        EXPECT_EQ(s.TrackTotal(2), 720) << k.name;
    }
}

TEST_F(WorkArrays, ATotalBeyondThirtyTwoBitsIsReported) {
    for (int i = 0; i < 30; ++i) Rest(3, 99999999);
    AllocateWorkArrays(s);
    EXPECT_EQ(CompactTracks(s), 3);
}

TEST_F(WorkArrays, ReferenceIsTheFirstNonZeroTotal) {
    struct Case {
        const char* name;
        std::vector<long> totals; // per track; -1 = keyword items only
        Long reference;
        std::vector<bool> differs;
    } cases[] = {
        {"all empty", {0, 0, 0, 0}, 0, {false, false, false, false}},
        {"track 1 empty", {0, 960, 900, 960}, 960, {false, false, true, false}},
        {"keywords only", {-1, 960, -1, 961}, 960, {false, false, false, true}},
    };
    for (const auto& k : cases) {
        SetUpPiece(4, 10);
        for (int t = 1; t <= 4; ++t) {
            const long v = k.totals[static_cast<std::size_t>(t) - 1];
            if (v > 0) Note(t, 60, v);
            if (v < 0) Add(t, code::CNTRL, 7, 100);
        }
        Compact();
        EXPECT_EQ(ShowTotalsAndReference(c), k.reference) << k.name;
        for (int t = 1; t <= 4; ++t) {
            EXPECT_EQ(TrackDiffers(s, t, k.reference), k.differs[static_cast<std::size_t>(t) - 1])
                << k.name << " track " << t;
            EXPECT_EQ(p.screen.figures[t - 1], std::to_string(s.TrackTotal(t))) << k.name;
        }
    }
}

TEST_F(WorkArrays, SuppressedTracksShowZeroAndTakeNoPart) {
    Note(1, 60, 500);
    Note(2, 60, 960);
    Note(3, 60, 900);
    Compact();
    auto suppressed = [](int t) { return t == 1; };
    EXPECT_EQ(ShowTotalsAndReference(c, suppressed), 960);
    EXPECT_EQ(p.screen.figures[0], "0");
    EXPECT_FALSE(TrackDiffers(s, 1, 960, suppressed));
    EXPECT_TRUE(TrackDiffers(s, 3, 960, suppressed));
}

TEST_F(WorkArrays, ToleranceAndTheBalanceTest) {
    EXPECT_EQ(PlainBalanceTolerance(480), 65);
    EXPECT_EQ(PlainBalanceTolerance(96), 53);
    EXPECT_EQ(PlainBalanceTolerance(31), 50);
    struct Case {
        long second;
        bool out;
    } cases[] = {{7680 - 65, false}, {7680 + 65, false}, {7680 - 66, true}, {7680 + 66, true}};
    for (const auto& k : cases) {
        SetUpPiece(2, 10);
        Note(1, 60, 7680);
        Note(2, 60, k.second);
        Compact();
        const Long ref = ShowTotalsAndReference(c);
        EXPECT_EQ(OutOfBalance(s, ref, 65), k.out) << k.second;
    }
}

TEST_F(WorkArrays, SpreadingWorkedExample) {
    Note(1, 60, 7680);
    for (int i = 1; i <= 39; ++i) Note(2, 60, 192);
    Note(2, 60, 189); // 40 items, 7677 ticks
    Compact();
    const Long ref = ShowTotalsAndReference(c);
    ASSERT_FALSE(OutOfBalance(s, ref, 65));
    SpreadDifferences(s, ref);
    for (int p = 1; p <= 40; ++p) {
        const Long want = (p == 40 ? 189 : 192) + ((p == 1 || p == 14 || p == 27) ? 1 : 0);
        EXPECT_EQ(s.WorkTime(2, p), want) << p;
    }
    EXPECT_EQ(s.TrackTotal(2), 7677); // the totals stay unadjusted
    EXPECT_EQ(s.WorkTime(1, 1), 7680);
}

TEST_F(WorkArrays, SpreadingMovesPastKeywordsAndShortensToo) {
    // A keyword at position 14: its tick goes to position 15.
    for (int i = 1; i <= 40; ++i) {
        if (i == 14)
            Add(1, code::CNTRL, 7, 100);
        else
            Note(1, 60, 100);
    }
    Compact();
    SpreadTrack(s, 1, -3);
    EXPECT_EQ(s.WorkTime(1, 1), 99);
    EXPECT_EQ(s.WorkTime(1, 14), 7);
    EXPECT_EQ(s.WorkTime(1, 15), 99);
    EXPECT_EQ(s.WorkTime(1, 28), 99); // the step counts on from position 15
    EXPECT_EQ(WorkTotal(1), 39 * 100 - 3);
}

TEST_F(WorkArrays, StepZeroGivesEveryTickToOneItem) {
    Note(1, 60, 2);
    Note(1, 62, 100);
    Compact();
    SpreadTrack(s, 1, 5); // |diff| above the item count: step 0
    EXPECT_EQ(s.WorkTime(1, 1), 7);
    EXPECT_EQ(s.WorkTime(1, 2), 100);
    SpreadTrack(s, 1, -9); // shortened to 0, then the next one
    EXPECT_EQ(s.WorkTime(1, 1), 0);
    EXPECT_EQ(s.WorkTime(1, 2), 98);
}

TEST_F(WorkArrays, SpreadingNeverRunsPastTheLastPosition) {
    // One note followed only by keyword items: the later passes start
    // behind the note; the search starts again from position 1.
    Note(1, 60, 1000);
    for (int i = 0; i < 5; ++i) Add(1, code::CNTRL, 7, 100);
    Compact();
    SpreadTrack(s, 1, 3);
    EXPECT_EQ(s.WorkTime(1, 1), 1003);
    SpreadTrack(s, 1, -6);
    EXPECT_EQ(s.WorkTime(1, 1), 997);
    // LOCAT items leave fewer work positions than items.
    SetUpPiece(2, 10);
    Note(1, 60, 500);
    Add(1, code::LOCAT, 0, 1);
    Add(1, code::LOCAT, 0, 2);
    Add(1, code::LOCAT, 0, 3);
    Add(1, code::CNTRL, 7, 1);
    Compact();
    SpreadTrack(s, 1, 4);
    EXPECT_EQ(s.WorkTime(1, 1), 504);
}

// The spreading as first stated, which gives up where it would run past the
// work arrays.
bool StatedSpread(State& s, int t, int diff) {
    const int sign = diff > 0 ? 1 : -1;
    const int count = s.ItemCount(t);
    const int step = count / std::abs(diff);
    int w = 1, r = 2;
    while (diff != 0) {
        for (;;) {
            if (w > s.MaxItems) return false;
            if (s.WorkCode(t, w) < 128 && s.WorkTime(t, w) != 0) break;
            ++w;
            if (w > count) w = r++;
        }
        s.WorkTime(t, w) += sign;
        diff -= sign;
        w += step;
        if (w > count) w = r++;
    }
    return true;
}

TEST_F(WorkArrays, SpreadingMatchesTheStatedRuleWhereverThatEnds) {
    std::mt19937 rng(12345);
    int compared = 0, restarted = 0;
    for (int round = 0; round < 3000; ++round) {
        SetUpPiece(1, 40);
        const int n = 1 + static_cast<int>(rng() % 30);
        // Every other round the notes and rests stand only at the start.
        const int soundingUpTo = round % 2 ? 1 + static_cast<int>(rng() % 3) : n;
        for (int i = 0; i < n; ++i) {
            switch (i >= soundingUpTo ? rng() % 2 : rng() % 5) {
            case 0:
                Add(1, code::CNTRL, 7, 100);
                break;
            case 1:
                Add(1, code::LOCAT, 0, static_cast<int>(rng() % 60));
                break;
            case 2:
                Rest(1, static_cast<long>(rng() % 50));
                break;
            default:
                Note(1, 60, static_cast<long>(rng() % 50));
                break;
            }
        }
        Compact();
        const Long total = s.TrackTotal(1);
        if (total == 0) continue;
        int diff = static_cast<int>(rng() % 131) - 65;
        if (diff == 0 || total + diff <= 0) continue;
        const Array2<Long> before = s.WorkTime;
        const bool ends = StatedSpread(s, 1, diff);
        const Array2<Long> stated = s.WorkTime;
        s.WorkTime = before;
        SpreadTrack(s, 1, diff);
        if (ends) {
            ++compared;
            for (int p = 0; p <= s.MaxItems; ++p)
                ASSERT_EQ(s.WorkTime(1, p), stated(1, p)) << round;
        } else {
            ++restarted;
        }
        ASSERT_EQ(WorkTotal(1), total + diff) << round;
        for (int p = 0; p <= s.MaxItems; ++p) ASSERT_GE(s.WorkTime(1, p), 0);
    }
    EXPECT_GT(compared, 500);
    EXPECT_GT(restarted, 20);
}

} // namespace
} // namespace tnq
