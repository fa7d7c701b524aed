// The remembered conversions of a recalculation give what converting every
// record afresh gives: the same answer and the same state, failures
// included, however often a text recurs and whatever the tick fraction,
// beat unit and ticks per quarter it meets. Also the memo itself, the
// stores through a track's slots and the reading of whole track files.
#include "core/field_memo.h"
#include "core/item_checks.h"
#include "core/recalculate.h"
#include "piece_fixture.h"
#include "platform/whole_file.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace tnq {
namespace {

using test::Item;

// Everything a conversion may leave in the state.
struct Outcome {
    bool Ok = false;
    Integer Bar = 0, Channel = 0, Bend = 0, Code = 0, Dynamics = 0, NoteIndex = 0;
    std::uint32_t Ticks = 0, Adjust = 0, TermTicks = 0, Fraction = 0, BeatUnit = 0;
    std::string Scratch;
    std::size_t Messages = 0;
    bool operator==(const Outcome&) const = default;
};

std::ostream& operator<<(std::ostream& o, const Outcome& r) {
    return o << "ok " << r.Ok << " bar " << r.Bar << " chan " << r.Channel << " bend " << r.Bend
             << " code " << r.Code << " dyn " << r.Dynamics << " index " << r.NoteIndex
             << " ticks " << std::bit_cast<float>(r.Ticks) << " adjust "
             << std::bit_cast<float>(r.Adjust) << " term " << std::bit_cast<float>(r.TermTicks)
             << " fraction " << std::bit_cast<float>(r.Fraction) << " unit "
             << std::bit_cast<float>(r.BeatUnit) << " scratch \"" << r.Scratch << "\" messages "
             << r.Messages;
}

// The state a record meets.
struct Start {
    Single BeatUnit, Fraction;
    Integer TicksPerQuarter;
    bool Awe;
};

class RecordConverterTest : public test::PieceTest {
protected:
    void SetUp() override {
        PieceTest::SetUp();
        p.msg.AllowUnexpected(true);
        s.CurrentTrack = 2;
        // Dashes look back at items 1 and 2 (the second 0 ticks long).
        s.CurrentItem(2) = 3;
        s.ItemTime(2, 1) = 480;
        s.ItemTime(2, 2) = 0;
        FillValidControllers(s);
    }

    // Every output set to a value no conversion leaves, then the start.
    void Prepare(const Start& st) {
        s.ItemBar = s.ItemChannel = s.ItemPitchBend = s.ItemCode = s.ItemDynamics = -7;
        s.NoteIndex = -7;
        s.ItemTicks = s.ItemAdjust = s.TermTicks = -7.25f;
        s.Scratch = "before";
        s.BeatUnit = st.BeatUnit;
        s.TickFraction = st.Fraction;
        s.TicksPerQuarter = st.TicksPerQuarter;
        s.AWESelectChecked = st.Awe;
    }

    Outcome Capture(bool ok, std::size_t messagesBefore) const {
        return {ok,
                s.ItemBar,
                s.ItemChannel,
                s.ItemPitchBend,
                s.ItemCode,
                s.ItemDynamics,
                s.NoteIndex,
                std::bit_cast<std::uint32_t>(s.ItemTicks),
                std::bit_cast<std::uint32_t>(s.ItemAdjust),
                std::bit_cast<std::uint32_t>(s.TermTicks),
                std::bit_cast<std::uint32_t>(s.TickFraction),
                std::bit_cast<std::uint32_t>(s.BeatUnit),
                s.Scratch,
                p.msg.shown.size() - messagesBefore};
    }

    // The record converted afresh from its decoded fields.
    Outcome Afresh(const std::string& bytes, const Start& st) {
        Prepare(st);
        const std::size_t before = p.msg.shown.size();
        return Capture(ConvertRecord(c, DecodeRecord(bytes)), before);
    }

    Outcome Remembered(RecordConverter& converter, const std::string& bytes, const Start& st) {
        Prepare(st);
        const std::size_t before = p.msg.shown.size();
        return Capture(converter.Convert(c, bytes), before);
    }
};

// Field texts chosen where the rules turn: blanks inside and around, signs,
// Val's other forms, limits, keywords and near-keywords, every duration
// form (dots, divisors, fractions of a tick, refused texts).
const std::vector<std::string> kNotes = {
    "C",     "C#",    "Db",    "B",     "Bb",    "c",     "H",     "R",     "r",     " R",
    "END",   " END",  "PROGR", "TEMPO", "CNTRL", "METER", "NRPN1", "LFO_2", "FILT1", "FILT2",
    "LEGON", "LEGOF", "LEGO1", "PBEND", "AFTER", "PORTS", "LOCAT", "TEMP",  "XXXXX", "E b"};
const std::vector<std::string> kOctaves = {"4", "0", "8", "9", "-", " ", "", "&"};
const std::vector<std::string> kDurations = {
    "q",   "q.",   "q..",    "q...", "e3",  "q7",  "w5",   "x",      "y",     "q0",
    "q03", "q00003", "q32767", "q32768", "qe", "q e", "",     "t3",     "z7",   "h.3",
    "s..", "e3e3e3", "q7q7",  "x.",   "h.",  "qq",  "q-1",  "q1.5",   "error", "ww"};
const std::vector<std::string> kAdjustments = {"0",  "5",   "-5",  "--",   "---", "-",
                                               "1e2", "abc", "",    " 0",   "9999", "10000",
                                               "-999", "-1000", "0.5", "&H10", "1 2", "----"};
const std::vector<std::string> kDynamics = {"64", "-1", "0",  "127", "128", "-64", "",
                                            "6 4", "1e2", "999", "abc", "1",  "2",   "7",
                                            "-",  "-0",  "4",  "26",  "63",  "-65", "99"};
const std::vector<std::string> kBars = {"1",    "0",   "-1",  "1.5", "2.5",   " 7",  "9999", "10000",
                                        "32767", "3276", "&H10", "1e1", "",      "abc"};
const std::vector<std::string> kChannels = {"1", "16", "0", "17", "", "1.5", "&H", "9"};
const std::vector<std::string> kBends = {"0",    "8191", "8192", "-8192", "-8193", "512",
                                         "1e3", "",     "-",    "2.5",   "abc"};
const std::vector<Start> kStarts = {{8, 0, 480, false},     {4, 0, 480, false},
                                    {12, 0.5f, 480, true},  {8, 0.75f, 96, false},
                                    {8, 0, 7, false},       {6, 0.25f, 480, true}};

TEST_F(RecordConverterTest, RememberedConversionsEqualFreshOnes) {
    RecordConverter converter;
    // Strides prime to the list sizes mix every text with many others; the
    // whole mix runs three times, so most texts come back from the memos.
    const std::size_t kRecords = 2400;
    for (int round = 0; round < 3; ++round) {
        for (std::size_t i = 0; i < kRecords; ++i) {
            const std::size_t k = i + static_cast<std::size_t>(round) * 7;
            const std::string bytes = EncodeRecord(
                Item(kNotes[k % kNotes.size()], kOctaves[(k / 3) % kOctaves.size()],
                     kDurations[(k * 7) % kDurations.size()],
                     kAdjustments[(k * 5 + k / 11) % kAdjustments.size()],
                     kDynamics[(k * 3 + k / 7) % kDynamics.size()],
                     kBars[(k / 2) % kBars.size()], kChannels[(k * 11) % kChannels.size()],
                     kBends[(k / 5) % kBends.size()]));
            const Start& st = kStarts[(k * 13 + static_cast<std::size_t>(round)) % kStarts.size()];
            const Outcome fresh = Afresh(bytes, st);
            const Outcome remembered = Remembered(converter, bytes, st);
            ASSERT_EQ(remembered, fresh) << "record \"" << bytes << "\", round " << round;
        }
    }
}

TEST_F(RecordConverterTest, RecordsAsRecalculationMeetsThem) {
    // Runs of ordinary items between the tricky ones, each conversion
    // meeting the state the one before left (a TEMPO's beat unit, the
    // fraction of a tick carried on).
    const std::vector<TrackItemRecord> items = {
        Item("C", "4", "q7"),          Item("D", "4", "q7", "0", "64", "1"),
        Item("TEMPO", "", "q.", "0", "90"), Item("E", "4", "e3"),
        Item("R", "", "q7", "--", "0"), Item("PROGR", "", "", "0", "5"),
        Item("F", "4", "q7", "5", "64"), Item("CNTRL", "", "", "7", "100"),
        Item("G", "4", "q7"),          Item("TEMPO", "", "e", "0", "60"),
        Item("A", "4", "q7"),          Item("METER", "", "", "3", "8"),
        Item("NRPN1", "", "", "3", "-64"), Item("B", "4", "x.7")};
    RecordConverter converter;
    State& st = s;
    for (int round = 0; round < 4; ++round) {
        // Both walks start alike; each carries its own state along.
        Single unitA = 8, fractionA = 0, unitB = 8, fractionB = 0;
        for (std::size_t i = 0; i < items.size(); ++i) {
            const std::string bytes = EncodeRecord(items[(i + static_cast<std::size_t>(round)) %
                                                         items.size()]);
            const Outcome fresh = Afresh(bytes, {unitA, fractionA, 480, false});
            unitA = st.BeatUnit;
            fractionA = st.TickFraction;
            const Outcome remembered = Remembered(converter, bytes, {unitB, fractionB, 480, false});
            unitB = st.BeatUnit;
            fractionB = st.TickFraction;
            ASSERT_EQ(remembered, fresh) << "item " << i << ", round " << round;
        }
    }
}

// Four slots hold two keys at a time: most keys share slots, and the
// table starts afresh again and again.
template <bool LookAtLast> void ExpectMemoGivesWhatTheComputationGave() {
    FieldMemo<2, long, 4, LookAtLast> memo;
    long computed = 0;
    for (int round = 0; round < 3; ++round) {
        for (std::uint64_t a = 0; a < 9; ++a) {
            for (const std::uint64_t b : {std::uint64_t{0}, std::uint64_t{1}, a << 40, ~a}) {
                const MemoKey<2> key{a, b};
                const long want = static_cast<long>(a * 1000 + (b & 0xFFFF));
                bool ran = false;
                const long got = memo.Get(key, [&] {
                    ran = true;
                    return want;
                });
                EXPECT_EQ(got, want) << a << " " << b;
                computed += ran;
                // Asked again at once, the value is remembered.
                EXPECT_EQ(memo.Get(key, [] { return -1L; }), want);
            }
        }
    }
    EXPECT_EQ(memo.Computed(), computed);
}

TEST(FieldMemo, GivesWhatTheComputationGaveWhateverTheSlotsHold) {
    ExpectMemoGivesWhatTheComputationGave<true>();
    ExpectMemoGivesWhatTheComputationGave<false>();
}

TEST(FieldMemo, FieldWordTakesTheFieldsBytesOnly) {
    const char text[] = "ABCDEFGHIJ";
    EXPECT_EQ(FieldWord<3>(text), FieldWord<3>("ABCxxxxx"));
    EXPECT_NE(FieldWord<3>(text), FieldWord<3>("ABDDEFGH"));
    EXPECT_NE(FieldWord<4>(text), FieldWord<3>(text));
    EXPECT_EQ(FieldWord<8>(text), FieldWord<8>("ABCDEFGHxx"));
}

class TrackSlotsTest : public test::PieceTest {};

TEST_F(TrackSlotsTest, StoresThroughSlotsAsThroughTheArrays) {
    SetUpPiece(4, 5);
    const std::optional<TrackSlots> slots = SlotsOf(s, 3);
    ASSERT_TRUE(slots.has_value());
    EXPECT_FALSE(SlotsOf(s, 5).has_value());
    EXPECT_FALSE(SlotsOf(s, -1).has_value());
    p.msg.AllowUnexpected(true);
    struct Case {
        int Cursor;
        float Ticks;
    };
    // In range, the last slot (full track), past the arrays, before them,
    // a length CLng refuses; whole lengths (stored the short way where the
    // slot allows) and fractions, -0 among them.
    const Case cases[] = {{1, 480.5f}, {4, 1.5f},  {5, 2.5f},  {6, 3},       {-1, 4},
                          {2, 3e9f},   {1, 480},   {4, 2},     {5, 7},       {0, 9},
                          {3, -0.0f},  {2, -480},  {2, 1e9f},  {2, -2.5f},   {4, 2147483520.0f}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.Cursor);
        std::vector<long long> stored[2];
        std::size_t messages[2];
        Integer reached[2], cursor[2];
        std::uint32_t ticks[2];
        bool ok[2];
        for (int way = 0; way < 2; ++way) {
            for (int n = 0; n <= s.MaxItems; ++n) s.NoteCode(3, n) = s.ItemTime(3, n) = 0;
            s.CurrentTrack = 3;
            s.CurrentItem(3) = static_cast<Integer>(k.Cursor);
            s.ItemTicks = k.Ticks;
            s.ItemCode = 60;
            s.CapacityReached = 0;
            const std::size_t before = p.msg.shown.size();
            ok[way] = way == 0 ? StoreItemTimes(c) : StoreItemTimes(c, *slots);
            messages[way] = p.msg.shown.size() - before;
            reached[way] = s.CapacityReached;
            cursor[way] = s.CurrentItem(3);
            ticks[way] = std::bit_cast<std::uint32_t>(s.ItemTicks);
            for (int n = 0; n <= s.MaxItems; ++n) {
                stored[way].push_back(s.NoteCode(3, n));
                stored[way].push_back(s.ItemTime(3, n));
            }
        }
        EXPECT_EQ(ok[1], ok[0]);
        EXPECT_EQ(messages[1], messages[0]);
        EXPECT_EQ(reached[1], reached[0]);
        EXPECT_EQ(cursor[1], cursor[0]);
        EXPECT_EQ(ticks[1], ticks[0]);
        EXPECT_EQ(stored[1], stored[0]);
    }
}

TEST_F(TrackSlotsTest, WholeFilesAreReadToTheirEnd) {
    auto bytesOf = [](std::size_t size) {
        std::string bytes(size, '\0');
        for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7 + i / 251);
        return bytes;
    };
    auto pathOf = [this](std::size_t size) {
        return (p.dir.Path() / ("whole" + std::to_string(size))).string();
    };
    const std::size_t sizes[] = {0, 1, 34, 65536, 200001};
    for (std::size_t size : sizes) {
        test::WriteFile(pathOf(size), bytesOf(size));
        EXPECT_EQ(ReadWholeFile(pathOf(size)), bytesOf(size)) << size;
    }
    // One buffer for file after file, each smaller or larger than the last.
    std::string buffer;
    for (std::size_t size : {34, 0, 200001, 1, 65536, 200001, 34}) {
        EXPECT_EQ(ReadWholeFile(pathOf(size), buffer), bytesOf(size)) << size;
        EXPECT_GT(buffer.size(), size);
    }
    EXPECT_THROW(ReadWholeFile(pathOf(7), buffer), VbError);
}

} // namespace
} // namespace tnq
