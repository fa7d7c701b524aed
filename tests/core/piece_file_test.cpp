// The piece data file: header line, snapshot records and lines, reading
// back and the checks of a damaged file.
#include "core/memory.h"
#include "core/piece_file.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

#include <tuple>

namespace tnq {
namespace {

class PieceFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        SystemDefaults(p.c); // 32 tracks, 2000 items, 480 ticks, reverb 3, chorus 2
        s.FilePath = "/home/ann/music";
        s.Tempo = "60";
        s.MeterNumerator = "4";
        s.MeterDenominator = "4";
        ASSERT_TRUE(MemorySetUp(p.c));
    }
    void Fill(int track, int count) {
        for (int i = 1; i <= count; ++i) {
            s.NoteCode(track, i) = 60;
            s.ItemTime(track, i) = 480;
            s.ItemDyn(track, i) = 64;
            s.BarNo(track, i) = static_cast<Integer>(i);
            s.ItemChan(track, i) = 1;
        }
        s.ItemCount(track) = static_cast<Integer>(count);
    }

    test::Program p;
    State& s = p.s;
};

TEST_F(PieceFileTest, NewPieceHeaderCharacterForCharacter) {
    EXPECT_EQ(DataFileText(s),
              "\"60\",480,\"/home/ann/music\",\"\",0,\"4\",\"4\",32,2000,#FALSE#,3,2\r\n");
    s.MultiplePorts = -1;
    s.HeaderValue5 = -7;
    s.PieceDescription = "Suite, in D";
    EXPECT_EQ(HeaderLine(HeaderOf(s)),
              "\"60\",480,\"/home/ann/music\",\"Suite, in D\",-7,\"4\",\"4\",32,2000,#TRUE#,3,2");
}

TEST_F(PieceFileTest, RecordFieldsAreZeroPaddedAfterTheMinusSign) {
    EXPECT_EQ(SnapshotRecord(96, {987, 12345678, 654, 3210, 98, 32109}),
              "969871234567865432109832109");
    EXPECT_EQ(SnapshotRecord(3, {60, 480, 64, 1, 3, 0}), "030600000048006400010300000");
    EXPECT_EQ(SnapshotRecord(12, {0, 240, 0, 9999, 16, -100}), "1200000000240000999916-0100");
    EXPECT_EQ(SnapshotRecord(1, {130, 0, 120, 1, 1, -8192}), "0113000000000120000101-8192");
    EXPECT_EQ(SnapshotRecord(1, {133, -8192, 0, 0, 1, 0}), "01133-000819200000000100000");
    EXPECT_EQ(SnapshotRecord(1, {0, 0, 0, 0, 1, -100}).substr(22), "-0100");
}

TEST_F(PieceFileTest, ValuesTooWideForTheirFieldAreRefused) {
    EXPECT_THROW(SnapshotRecord(1, {60, 100000000, 64, 1, 1, 0}), DataFileError);
    EXPECT_THROW(SnapshotRecord(1, {60, 480, 1000, 1, 1, 0}), DataFileError);
    EXPECT_THROW(SnapshotRecord(1, {60, 480, 64, 1, 1, -10000}), DataFileError);
    EXPECT_THROW(SnapshotRecord(1, {60, 480, 64, 10000, 1, 0}), DataFileError);
    s.ItemCount(2) = 1;
    s.ItemDyn(2, 1) = 1000;
    EXPECT_THROW(DataFileText(s), DataFileError);
}

TEST_F(PieceFileTest, LinesEndAfterTenRecordsAndAfterEachTrack) {
    // Tracks of 0, 7, 10 and 23 items: 0, 1, 1 and 3 lines.
    Fill(2, 7);
    Fill(3, 10);
    Fill(4, 23);
    const std::vector<std::string> lines = SplitLines(DataFileText(s));
    ASSERT_EQ(lines.size(), 1u + 1 + 1 + 3);
    const std::size_t r = kSnapshotRecordLength;
    EXPECT_EQ(lines[1].size(), 7 * r);
    EXPECT_EQ(lines[2].size(), 10 * r);
    EXPECT_EQ(lines[3].size(), 10 * r);
    EXPECT_EQ(lines[4].size(), 10 * r);
    EXPECT_EQ(lines[5].size(), 3 * r);
    EXPECT_EQ(lines[1].substr(0, 2), "02");
    EXPECT_EQ(lines[5].substr(0, 2), "04");
    const std::string text = DataFileText(s);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
}

TEST_F(PieceFileTest, FullTrackEndsWithItsShortLine) {
    s.NumTracks = 1;
    s.MaxItems = 2005;
    ASSERT_TRUE(MemorySetUp(p.c));
    Fill(1, 2005);
    const std::vector<std::string> lines = SplitLines(DataFileText(s));
    ASSERT_EQ(lines.size(), 1u + 201);
    EXPECT_EQ(lines.back().size(), 5 * kSnapshotRecordLength);
}

TEST_F(PieceFileTest, SnapshotReadsBack) {
    Fill(2, 12);
    s.ItemBend(2, 5) = -100;
    s.ItemBend(2, 6) = -8192;
    s.ItemTime(2, 7) = 99999999;
    s.NoteCode(2, 8) = 133;
    s.ItemTime(2, 8) = -8192;
    // Every digit of every field its own.
    std::tie(s.NoteCode(2, 9), s.ItemTime(2, 9), s.ItemDyn(2, 9)) = std::tuple(987, 12345678, 654);
    std::tie(s.BarNo(2, 9), s.ItemChan(2, 9), s.ItemBend(2, 9)) = std::tuple(3210, 98, 32109);
    const PieceData d = ParseDataFile(DataFileText(s), s);
    ASSERT_EQ(d.Tracks.size(), 33u);
    ASSERT_EQ(d.Tracks[2].size(), 12u);
    EXPECT_EQ(d.Tracks[2][4].Bend, -100);
    EXPECT_EQ(d.Tracks[2][5].Bend, -8192);
    EXPECT_EQ(d.Tracks[2][6].Time, 99999999);
    EXPECT_EQ(d.Tracks[2][7], (SnapshotItem{133, -8192, 64, 8, 1, 0}));
    EXPECT_EQ(d.Tracks[2][8], (SnapshotItem{987, 12345678, 654, 3210, 98, 32109}));
    EXPECT_EQ(d.Tracks[2][11].Bar, 12);
    EXPECT_TRUE(d.Tracks[1].empty());
}

TEST_F(PieceFileTest, RecordsAreReadByTheirOwnTrackInAnyGrouping) {
    const std::string a = SnapshotRecord(1, {60, 480, 64, 1, 1, 0});
    const std::string b = SnapshotRecord(2, {62, 240, 80, 1, 2, 0});
    const std::string c = SnapshotRecord(1, {64, 480, 64, 2, 1, 0});
    const PieceData d = ParseDataFile(HeaderLine(HeaderOf(s)) + "\r\n" + a + b + "\n\n" + c, s);
    ASSERT_EQ(d.Tracks[1].size(), 2u);
    EXPECT_EQ(d.Tracks[1][1].Code, 64);
    ASSERT_EQ(d.Tracks[2].size(), 1u);
    EXPECT_EQ(d.Tracks[2][0].Dyn, 80);
}

TEST_F(PieceFileTest, HeaderReadingRules) {
    struct Case {
        const char* line;
        std::vector<std::string> values;
    };
    const Case cases[] = {
        {"\"60\",480", {"60", "480"}}, {"  \"a, b\" , 12 ,x y ", {"a, b", "12", "x y"}},
        {"\"open", {"open"}},          {"\"q\"junk,1", {"q", "1"}},
        {",,", {"", "", ""}},
    };
    for (const Case& k : cases) EXPECT_EQ(HeaderValues(k.line), k.values) << k.line;
}

TEST_F(PieceFileTest, DamagedOrZeroLimitsTakeTheDefaults) {
    struct Case {
        const char* line;
        Integer tracks, items, ticks, reverb, chorus, ports;
    };
    const Case cases[] = {
        {"\"60\",0,\"\",\"\",0,\"4\",\"4\",0,0,#FALSE#,0,0", 32, 2000, 480, 3, 2, 0},
        {"\"60\",96,\"\",\"\",0,\"4\",\"4\",40,500,#TRUE#,5,0", 40, 500, 96, 5, 2, -1},
        {"\"60\",-5,\"\",\"\",0,\"4\",\"4\",97,32767,-1,8,-1", 32, 2000, 480, 3, 2, -1},
        {"\"60\",xyz,\"\",\"\",0,\"4\",\"4\",1,32766,1,7,7", 1, 32766, 480, 7, 7, 0},
        {"\"60\",40000,\"\",\"\",0,\"4\",\"4\",\"12\",12.5,#FALSE#,1,1", 12, 12, 480, 1, 1, 0},
    };
    for (const Case& k : cases) {
        PieceHeader h = ParseHeaderLine(k.line);
        ApplyHeaderDefaults(h, s);
        EXPECT_EQ(h.NumTracks, k.tracks) << k.line;
        EXPECT_EQ(h.MaxItems, k.items) << k.line;
        EXPECT_EQ(h.TicksPerQuarter, k.ticks) << k.line;
        EXPECT_EQ(h.Reverb, k.reverb) << k.line;
        EXPECT_EQ(h.Chorus, k.chorus) << k.line;
        EXPECT_EQ(h.MultiplePorts, k.ports) << k.line;
    }
}

TEST_F(PieceFileTest, TextsWithQuotesAndLineBreaksReadBack) {
    s.PieceDescription = "A \"grand\" piece,\r\nsecond line\nthird";
    s.Tempo = "72";
    s.MeterNumerator = "3";
    s.MeterDenominator = "8";
    s.HeaderValue5 = 123456;
    const std::string text = DataFileText(s);
    EXPECT_EQ(SplitLines(text).size(), 1u);
    const PieceHeader h = ParseHeaderLine(FirstLine(text));
    EXPECT_EQ(h.Description, "A 'grand' piece,  second line third");
    EXPECT_EQ(h.Tempo, "72");
    EXPECT_EQ(h.MeterNumerator, "3");
    EXPECT_EQ(h.MeterDenominator, "8");
    EXPECT_EQ(h.Value5, 123456);
    EXPECT_EQ(h.FilePath, "/home/ann/music");
}

TEST_F(PieceFileTest, HeaderValuesGoBackIntoTheState) {
    const PieceHeader h =
        ParseHeaderLine("\"72\",96,\"/x\",\"Suite\",5,\"3\",\"8\",10,50,#TRUE#,4,1");
    State fresh;
    SetPieceValues(fresh, h);
    PieceHeader back = HeaderOf(fresh);
    EXPECT_EQ(back.NumTracks, 0) << "the limits are the caller's";
    EXPECT_EQ(back.MaxItems, 0);
    EXPECT_EQ(back.FilePath, "");
    back.NumTracks = h.NumTracks;
    back.MaxItems = h.MaxItems;
    back.FilePath = h.FilePath;
    EXPECT_EQ(back, h);
}

TEST_F(PieceFileTest, DamagedFilesAreRefusedWithTheReason) {
    const std::string header = HeaderLine(HeaderOf(s)) + "\r\n";
    const std::string good = SnapshotRecord(1, {60, 480, 64, 1, 1, 0});
    struct Case {
        std::string bytes;
        const char* reason;
    };
    const Case cases[] = {
        {"\"60\",480,\"x\"\r\n" + good, "holds 3 values"},
        {header + good + good.substr(0, 20), "line 2 ends in a partial record"},
        {header + good + "\r\n" + "01060000004800640001010000x", "line 3 holds a damaged record"},
        {header + "01060000004800640001019999", "partial"},
        {header + "010600000048006400010199999", "damaged"}, // bend beyond 16 bits
        {header + SnapshotRecord(33, {60, 480, 64, 1, 1, 0}), "record of track 33"},
        {header + SnapshotRecord(0, {60, 480, 64, 1, 1, 0}), "record of track 0"},
    };
    // Tempos the tempo box would not take.
    std::vector<Case> all(std::begin(cases), std::end(cases));
    for (const char* tempo : {"1e9", "0", "1000", "-60", "", "abc", "0.5"}) {
        PieceHeader h = HeaderOf(s);
        h.Tempo = tempo;
        all.push_back({HeaderLine(h) + "\r\n" + good, "tempo"});
    }
    for (const char* tempo : {"1", "999", "60.5", " 72"}) {
        PieceHeader h = HeaderOf(s);
        h.Tempo = tempo;
        EXPECT_EQ(ParseDataFile(HeaderLine(h) + "\r\n" + good, s).Header.Tempo, tempo);
    }
    for (const Case& k : all) {
        try {
            ParseDataFile(k.bytes, s);
            ADD_FAILURE() << "accepted: " << k.reason;
        } catch (const DataFileError& e) {
            EXPECT_NE(std::string(e.what()).find(k.reason), std::string::npos) << e.what();
        }
    }
}

TEST_F(PieceFileTest, TrackBeyondItsCapacityIsRefused) {
    // A track holds at most MaxItems - 1 items.
    s.MaxItems = 5;
    std::string bytes = HeaderLine(HeaderOf(s)) + "\r\n";
    for (int i = 0; i < 4; ++i) bytes += SnapshotRecord(2, {60, 480, 64, 1, 1, 0});
    EXPECT_EQ(ParseDataFile(bytes, s).Tracks[2].size(), 4u);
    bytes += SnapshotRecord(2, {60, 480, 64, 1, 1, 0});
    EXPECT_THROW(ParseDataFile(bytes, s), DataFileError);
}

} // namespace
} // namespace tnq
