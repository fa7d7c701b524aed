// Track file names, the record layout, the open procedures, the record
// transfer through the boxes and StoreItemTimes.
#include "core/piece_paths.h"
#include "core/track_files.h"
#include "piece_fixture.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>

#include <filesystem>

namespace tnq::test {
namespace {

namespace fs = std::filesystem;

TEST(TrackFileName, TitleCutToSixAndTwoDigitTrack) {
    struct Case {
        const char* title;
        int track;
        const char* name;
    } cases[] = {{"SONATA", 3, "SONATA03"},
                 {"NOCTURNE", 12, "NOCTUR12"},
                 {"AB", 7, "AB07"},
                 {"ABCDEFG", 40, "ABCDEF40"},
                 {"ABCDEF", 96, "ABCDEF96"}};
    for (const auto& k : cases) EXPECT_EQ(TrackFileName(k.title, k.track), k.name) << k.title;
}

TEST(TrackItemRecord, ByteExactLayout) {
    EXPECT_EQ(EncodeRecord({"Gb", "4", "q.", "-5", "64", "12", "3", "-100"}),
              "Gb   4q.        -5  64 12  3 -100 ");
    // Cut on the right; bytes of the code page kept as they are.
    EXPECT_EQ(
        EncodeRecord({"CNTRLX", "45", "hqhqhqhqhqh", "12345", "1000", "99999", "123", "\xE9\xE8"}),
        "CNTRL4hqhqhqhqhq1234100999912\xE9\xE8   ");
    EXPECT_EQ(EncodeRecord(kEndRecord), "END" + std::string(31, ' '));
    EXPECT_EQ(EncodeRecord(kBlankItem),
              std::string(16, ' ') + "0   64 " + std::string(6, ' ') + "0    ");
    for (const auto& r : {kBlankItem, kEndRecord}) EXPECT_EQ(EncodeRecord(r).size(), 34u);

    const TrackItemRecord raw = DecodeRecord("Gb   4q.        -5  64 12  3 -100 ");
    EXPECT_EQ(raw.Note, "Gb   ");
    EXPECT_EQ(raw.PitchBend, "-100 ");
    EXPECT_EQ(Trimmed(raw), (TrackItemRecord{"Gb", "4", "q.", "-5", "64", "12", "3", "-100"}));
    EXPECT_TRUE(IsEndRecord(EncodeRecord(kEndRecord)));
    EXPECT_TRUE(IsEndRecord("ENDXY"));
    EXPECT_FALSE(IsEndRecord("  END"));
    EXPECT_FALSE(IsEndRecord("EN"));

    // Items of a file: whole records up to END, or to the end of the file.
    const std::string item = EncodeRecord(kBlankItem), end = EncodeRecord(kEndRecord);
    EXPECT_EQ(ItemsBeforeEnd(""), 0);
    EXPECT_EQ(ItemsBeforeEnd(end + item), 0);
    EXPECT_EQ(ItemsBeforeEnd(item + item + end + item), 2);
    EXPECT_EQ(ItemsBeforeEnd(item + item + "END"), 2);
}

class TrackFilesTest : public PieceTest {};

TEST(TrackItemRecord, AShortTextDecodesAsIfPaddedWithBlanks) {
    EXPECT_EQ(DecodeRecord("Gb   4q"),
              (TrackItemRecord{"Gb   ", "4", "q         ", "    ", "   ", "    ", "  ", "     "}));
}

TEST_F(TrackFilesTest, FirstItemThenEndRecordByFullPath) {
    s.CurrentTrack = 2;
    TrackFileOpen(c);
    EXPECT_EQ(s.File2Open, 1);
    EXPECT_EQ(s.File2.Path(), (PieceDir() / "SONATA02").string());
    EXPECT_EQ(s.File2.Length(), 0);
    // Opening and reading a track creates no file: it reads as empty.
    EXPECT_TRUE(AtTrackEnd(c, 2));
    EXPECT_FALSE(fs::exists(TrackPath(2)));

    ShowRecord(p.screen, {"Gb", "4", "hqhqhqhqhqh", "0", "64", "1", "2", "0"});
    s.RecalcDone = -1;
    WriteItem(c);
    EXPECT_EQ(s.PieceChanged, 1);
    EXPECT_EQ(s.RecalcDone, 0);
    s.ItemCount(2) = 1;
    s.RecalcDone = -1;
    s.PieceChanged = 0;
    WriteEndRecord(c);
    EXPECT_EQ(s.PieceChanged, 1);
    EXPECT_EQ(s.RecalcDone, 0);
    EXPECT_EQ(ReadFile(TrackPath(2)),
              "Gb   4hqhqhqhqhq0   64 1   2 0    END" + std::string(31, ' '));

    p.screen.boxes.clear();
    EXPECT_TRUE(ReadItem(c, 2));
    EXPECT_EQ(p.screen.Text(Box::Note), "Gb");
    EXPECT_EQ(p.screen.Text(Box::Dur), "hqhqhqhqhq");
    EXPECT_EQ(p.screen.Text(Box::Channel), "2");
    EXPECT_FALSE(AtTrackEnd(c, 2));
    s.CurrentItem(2) = 2;
    EXPECT_TRUE(AtTrackEnd(c, 2));
    s.CurrentItem(2) = 3;
    EXPECT_TRUE(AtTrackEnd(c, 2));
}

TEST_F(TrackFilesTest, ReadItemFailuresKeepTheBoxesAndReportFalse) {
    WriteTrack(1, {Item("C", "4", "q")}, /*withEnd=*/false);
    ShowRecord(p.screen, {"D", "5", "h", "0", "70", "3", "1", "0"});
    const TrackItemRecord before = BoxesRecord(p.screen);
    s.CurrentTrack = 1;

    struct Case {
        int file, item;
        bool open;
        const char* text;
    } cases[] = {
        {2, 2, true, "ReadDisk-Error 62 Input past end of file"}, // no END record
        {2, 1, false, "ReadDisk-Error 52 Bad file name or number"},
        {4, 1, true, "ReadDisk-Error 52 Bad file name or number"},
        {3, 1, true, "ReadDisk-Error 52 Bad file name or number"}, // file 3 not open
    };
    for (const auto& k : cases) {
        if (k.open)
            TrackFileOpen(c);
        else
            s.File2.Close();
        s.CurrentItem(1) = static_cast<Integer>(k.item);
        p.msg.AnswerOk();
        EXPECT_FALSE(ReadItem(c, k.file)) << k.text;
        EXPECT_EQ(p.msg.Last().Text, k.text);
        EXPECT_EQ(p.msg.Last().Code, mb::OKOnly);
        EXPECT_FALSE(p.msg.Last().Title.has_value());
        EXPECT_EQ(BoxesRecord(p.screen), before);
    }
}

TEST_F(TrackFilesTest, FailedOpenLeavesNoTrackFileForTheNextWrite) {
    s.CurrentTrack = 1;
    TrackFileOpen(c);
    s.PieceTitle = "MISSING";
    s.CurrentTrack = 2;
    try {
        TrackFileOpen(c);
        FAIL() << "no error";
    } catch (const VbError& e) {
        EXPECT_EQ(e.Number(), err::PathNotFound);
    }
    EXPECT_EQ(s.File2Open, 0);
    ShowRecord(p.screen, kBlankItem);
    EXPECT_THROW(WriteItem(c), VbError);
    s.PieceTitle = "SONATA";
    EXPECT_EQ(ReadFile(TrackPath(1)), "");
}

TEST_F(TrackFilesTest, PiecesCopiedFromElsewhereAreFoundWhateverTheCase) {
    const fs::path dir = fs::path(s.FilePath) / "minuet.tnq";
    WriteFile(dir / "Minuet05", EncodeRecord(Item("A", "3", "e")));
    s.SourceTitle = "MINUET";
    s.SourceTrack = 5;
    TrackFileOpen2(c);
    EXPECT_EQ(s.File3Open, 1);
    EXPECT_EQ(s.File3.Path(), (dir / "Minuet05").string());
    EXPECT_EQ(s.File3.Length(), 34);
    // A track not yet written is named as the program spells it, and not
    // created by reading it.
    s.SourceTrack = 6;
    TrackFileOpen2(c);
    EXPECT_EQ(s.File3.Path(), (dir / "MINUET06").string());
    EXPECT_EQ(s.File3.Length(), 0);
    EXPECT_FALSE(fs::exists(dir / "MINUET06"));
    EXPECT_FALSE(fs::exists(fs::path(s.FilePath) / "MINUET.TNQ"));
    EXPECT_EQ(PieceFilePath(s, "SONATA.DAT"), (PieceDir() / "SONATA.DAT").string());
    EXPECT_THROW(PieceDirectoryOf(s.FilePath, "../X"), VbError);
    EXPECT_THROW(PieceDirectoryOf(s.FilePath, ""), VbError);
    EXPECT_THROW(PieceDirectoryOf("", "SONATA"), VbError);
}

TEST_F(TrackFilesTest, ATrackFileRenamedBetweenTwoChangesIsFoundByItsNewName) {
    const fs::path dir = fs::path(s.FilePath) / "minuet.tnq";
    WriteFile(dir / "Minuet05", "");
    for (const char* name : {"Minuet05", "MINUET05", "minuet05"}) {
        SCOPED_TRACE(name);
        if (!fs::exists(dir / name)) fs::rename(TrackFilePath(s, "MINUET", 5), dir / name);
        s.TrackImages.Begin();
        EXPECT_EQ(TrackFilePath(s, "MINUET", 5), (dir / name).string());
        s.TrackImages.Undo();
    }
}

TEST_F(TrackFilesTest, StoreItemTimesRoundsHalvesUp) {
    SetUpPiece(4, 20);
    s.CurrentTrack = 1;
    const struct {
        float ticks;
        long stored;
    } cases[] = {{159.5f, 160},   {159.49f, 159},  {0.5f, 1},       {0.49f, 0},
                 {480.0f, 480},   {0.0f, 0},       {-0.0f, 0},      {-0.5f, 0},
                 {-159.5f, -159}, {-160.0f, -160}, {1e9f, 1000000000},
                 {2147483520.0f, 2147483520},      {-2147483648.0f, -2147483648L}};
    for (const auto& k : cases) {
        s.ItemTicks = k.ticks;
        const int n = s.CurrentItem(1);
        EXPECT_TRUE(StoreItemTimes(c));
        EXPECT_EQ(s.ItemTime(1, n), k.stored) << k.ticks;
        EXPECT_EQ(s.ItemTicks, float(k.stored));
        // Bit for bit what floor(ticks + 0.5) gives (-0 becomes 0).
        const float want = static_cast<float>(std::floor(double(k.ticks) + 0.5));
        EXPECT_EQ(std::bit_cast<std::uint32_t>(s.ItemTicks), std::bit_cast<std::uint32_t>(want))
            << k.ticks;
        EXPECT_EQ(s.CurrentItem(1), n + 1);
    }
}

TEST_F(TrackFilesTest, StoreItemTimesInTheLastSlotThenBeyond) {
    SetUpPiece(4, 5);
    s.CurrentTrack = 3;
    s.CurrentItem(3) = 5;
    s.ItemCode = 60;
    s.ItemTicks = 480;
    s.ItemDynamics = 64;
    s.ItemBar = 2;
    s.ItemChannel = 3;
    s.ItemPitchBend = -7;
    p.msg.AnswerOk();
    EXPECT_FALSE(StoreItemTimes(c));
    EXPECT_EQ(p.msg.Last().Text, "MAXIMUM CAPACITY FOR TRACK 3 HAS BEEN REACHED. Use "
                                 "Miscellaneous,Set Parameters to try to increase capacity.");
    EXPECT_EQ(p.msg.Last().Code, mb::Critical);
    EXPECT_EQ(p.msg.Last().Title, "Space Limitation");
    EXPECT_EQ(s.CapacityReached, -1);
    EXPECT_EQ(s.CurrentItem(3), 6);
    EXPECT_EQ(s.NoteCode(3, 5), 60);
    EXPECT_EQ(s.ItemTime(3, 5), 480);
    EXPECT_EQ(s.ItemBend(3, 5), -7);

    s.CapacityReached = 0;
    s.ItemCode = 62;
    p.msg.AnswerOk();
    EXPECT_FALSE(StoreItemTimes(c));
    EXPECT_EQ(p.msg.Last().Text, "Error  9 Subscript out of range has occured");
    EXPECT_EQ(p.msg.Last().Code, mb::Critical);
    EXPECT_EQ(p.msg.Last().Title, "Error");
    EXPECT_EQ(s.CapacityReached, -1);
    EXPECT_EQ(s.CurrentItem(3), 6);
    EXPECT_EQ(s.NoteCode(3, 5), 60);
}

TEST_F(TrackFilesTest, StoreItemTimesStoresNothingWhenTheLengthOverflows) {
    s.CurrentTrack = 1;
    s.ItemCode = 60;
    s.ItemTicks = 3e9f;
    p.msg.AnswerOk();
    EXPECT_FALSE(StoreItemTimes(c));
    EXPECT_EQ(p.msg.Last().Text, "Error  6 Overflow has occured");
    EXPECT_EQ(s.NoteCode(1, 1), 0);
    EXPECT_EQ(s.CurrentItem(1), 1);
}

} // namespace
} // namespace tnq::test
