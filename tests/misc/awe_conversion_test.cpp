// Conversion of .AWE pieces, on old pieces written here from the format's
// description: a directory NAME.AWE with the header file NAME.AWE and the
// track files NAME6 + two-digit track number.
#include "misc_fixture.h"

#include "misc/awe_conversion.h"

namespace tnq {
namespace {

namespace fs = std::filesystem;

TrackItemRecord Rec(std::string note, std::string adj, std::string octave = "4") {
    return {note, octave, "q", adj, "64", "1", "2", "0"};
}

class AweTest : public test::NewPieceTest {
protected:
    // An old piece name with the header middle values and tracks.
    std::string OldPiece(const std::string& name, const std::string& header,
                         const std::vector<std::vector<TrackItemRecord>>& tracks,
                         bool withEnd = true) {
        const fs::path dir = p.dir.Path() / "old" / (name + ".AWE");
        test::WriteFile(dir / (name + ".AWE"), header + "\r\n");
        for (std::size_t t = 0; t < tracks.size(); ++t) {
            if (tracks[t].empty()) continue;
            std::string bytes;
            for (const auto& r : tracks[t]) bytes += EncodeRecord(r);
            if (withEnd) bytes += EncodeRecord(kEndRecord);
            test::WriteFile(dir / TrackFileName(name, static_cast<int>(t) + 1), bytes);
        }
        return (dir / (name + ".AWE")).string();
    }
    static std::string Header(const std::string& tracks = "20", const std::string& items = "500",
                              const std::string& tempo = "100") {
        return "\"" + tempo + "\",96,\"C:\\OLD\",\"My song, old\",5,\"3\",\"8\"," + tracks + "," + items +
               ",0,4,1";
    }
    void Convert(const std::string& path, int initAnswer = mb::No) {
        p.files.Choose(path);
        p.msg.Answer(initAnswer);
        OpenAWEConversion(c);
    }
};

TEST_F(AweTest, EveryOldTrackMovesUpOneAndTheHeaderKeepsItsValues) {
    std::vector<std::vector<TrackItemRecord>> tracks(20);
    tracks[0] = {Rec("TEMPO", "60", "0"),
                 Rec("C", "12"),
                 {"CNTRL", "0", "", "7", "100", "1", "2", "0"},
                 Rec("D", "0")};
    tracks[19] = {Rec("E", "0")};
    const std::string path = OldPiece("SONG", Header(), tracks);
    Convert(path);

    EXPECT_EQ(s.PieceTitle, "SONG");
    EXPECT_EQ(s.NumTracks, 21);
    EXPECT_EQ(s.MaxItems, 500);
    EXPECT_EQ(s.PieceOpen, 1);
    EXPECT_EQ(s.PieceChanged, 1);
    const std::string data = test::ReadFile(PieceDir() / "SONG.TNQ");
    EXPECT_EQ(data, "\"100\",480,\"" + music +
                        "\",\"My song, old\",5,\"3\",\"8\",21,500,#FALSE#,4,1\r\n");
    EXPECT_EQ(s.Tempo, "100");
    EXPECT_EQ(s.PieceDescription, "My song, old");
    EXPECT_EQ(s.TicksPerQuarter, 480);
    EXPECT_EQ(s.Reverb, 4);

    const std::vector<TrackItemRecord> r = Records(2);
    ASSERT_EQ(r.size(), 4u);
    EXPECT_EQ(r[0].Note, "C");
    EXPECT_EQ(r[0].Adjustment, "0");
    EXPECT_EQ(r[1].Adjustment, "7");
    EXPECT_EQ(r[2].Note, "D");
    EXPECT_EQ(r[3], Trimmed(kEndRecord));
    EXPECT_EQ(s.ItemCount(2), 3);
    EXPECT_EQ(s.ItemCount(21), 1);
    EXPECT_EQ(s.ItemCount(1), 0);
    EXPECT_TRUE(Records(1).empty());
    EXPECT_EQ(p.screen.recent.front(), s.PiecePath);
    EXPECT_TRUE(p.screen.menuEnabled["mnuMiscInit"]);
    EXPECT_FALSE(p.screen.menuEnabled["mnuMiscTrack"]);
    EXPECT_EQ(p.screen.initCalls, 0);
    EXPECT_EQ(p.msg.Last().Title, "New Title");
    // The old piece is untouched.
    EXPECT_EQ(fs::file_size(fs::path(path).parent_path() / "SONG01"), 5u * kRecordLength);
}

TEST_F(AweTest, ConvertOldTrackMendsAdjustmentsDropsTemposAndEnds) {
    std::string bytes;
    for (const auto& r : {Rec("C", "12"), Rec("R", "-"), Rec("R", "--"), Rec("CNTRL", "7", "0"),
                          Rec("D", "0"), Rec("TEMPO", "90", "0"), Rec("E", "x")})
        bytes += EncodeRecord(r);
    const std::vector<TrackItemRecord> r = ConvertOldTrack(bytes);
    ASSERT_EQ(r.size(), 7u);
    EXPECT_EQ(r[0].Adjustment, "0   ");
    EXPECT_EQ(r[1].Adjustment, "-   ");
    EXPECT_EQ(r[2].Adjustment, "--  ");
    EXPECT_EQ(r[3].Adjustment, "7   ");
    EXPECT_EQ(r[4].Adjustment, "0   ");
    EXPECT_EQ(r[5].Note, "E    ");
    EXPECT_EQ(r[6], kEndRecord) << "a missing END record is appended";
    EXPECT_TRUE(ConvertOldTrack("").empty());
    EXPECT_EQ(OldPieceName("/a/b.awe/x/Song.awe"), "SONG");
    EXPECT_EQ(OldPieceName("/a/b/song.mid"), "");
}

TEST_F(AweTest, AnOldPieceNamedOutsideAsciiConvertsIntoTheDirectoryItsTitleNames) {
    // On disk the old piece is "\u00c9TUDE.AWE" in UTF-8; its title is the
    // one Windows-1252 byte 0xC9 and four letters.
    const std::string path = OldPiece("\xC3\x89TUDE", Header(), {{Rec("C", "0")}});
    Convert(path);
    EXPECT_EQ(s.PieceTitle, "\xC9TUDE");
    const fs::path dir = fs::path(s.FilePath) / "\xC3\x89TUDE.TNQ";
    EXPECT_TRUE(fs::is_regular_file(dir / "\xC3\x89TUDE.TNQ"));
    EXPECT_EQ(fs::file_size(dir / "\xC3\x89TUDE02"), 2u * kRecordLength);
    EXPECT_EQ(OldPieceName("/a/\xE6\x97\xA5.awe/\xE6\x97\xA5.awe"), "") << "no Windows-1252 title";
}

TEST_F(AweTest, HeadersOutsideTheLimitsAreRefusedBeforeAnythingIsMade) {
    std::string why;
    const struct {
        std::string tracks, items, tempo, why;
    } cases[] = {
        {"96", "500", "100", "its number of tracks (96) is not 1 to 95"},
        {"0", "500", "100", "its number of tracks (0) is not 1 to 95"},
        {"20", "40000", "100", "its items per track (40000) are not 1 to 32766"},
        {"20", "0", "100", "its items per track (0) are not 1 to 32766"},
        {"20", "500", "1e9", "its tempo \"1e9\" is not a number of 1 to 999"},
        {"20", "500", "1000", "its tempo \"1000\" is not a number of 1 to 999"},
        {"20", "500", "0", "its tempo \"0\" is not a number of 1 to 999"},
        {"20", "500", "fast", "its tempo \"fast\" is not a number of 1 to 999"},
    };
    for (const auto& k : cases) {
        EXPECT_FALSE(ParseOldHeader(Header(k.tracks, k.items, k.tempo), s, why));
        EXPECT_EQ(why, k.why);
    }
    EXPECT_FALSE(ParseOldHeader("\"1\",2,3", s, why));
    ASSERT_TRUE(ParseOldHeader(Header("95"), s, why));

    const std::string path = OldPiece("HUGE", Header("96"), {{Rec("C", "0")}});
    p.files.Choose(path);
    p.msg.AnswerOk();
    OpenAWEConversion(c);
    EXPECT_EQ(p.msg.Last().Text,
              "HUGE.AWE cannot be converted: its number of tracks (96) is not 1 to 95.");
    EXPECT_FALSE(fs::exists(fs::path(music) / "HUGE.TNQ"));
    EXPECT_EQ(s.PieceOpen, 0);
}

TEST_F(AweTest, AnOldTrackLongerThanTheCapacityRefusesTheConversion) {
    const std::string path =
        OldPiece("LONG", Header("2", "3"), {{Rec("C", "0"), Rec("D", "0"), Rec("E", "0")}});
    p.files.Choose(path);
    p.msg.AnswerOk();
    OpenAWEConversion(c);
    EXPECT_EQ(p.msg.Last().Text, "LONG.AWE cannot be converted: track 1 holds more items than a "
                                 "track of 3 items per track can take.");
    EXPECT_FALSE(fs::exists(fs::path(music) / "LONG.TNQ"));
}

TEST_F(AweTest, ChosenPathsThatNameNoOldPieceAreRefused) {
    const std::string path = OldPiece("SONG", Header(), {{Rec("C", "0")}});
    const fs::path dir = fs::path(path).parent_path();
    struct Case {
        std::string chosen, text;
        std::optional<std::string> title;
    };
    test::WriteFile(p.dir.Path() / "old" / "OLD.AWE" / "NEW.AWE", Header() + "\r\n");
    test::WriteFile(p.dir.Path() / "old" / "A=B.AWE" / "A=B.AWE", Header() + "\r\n");
    const Case cases[] = {
        {(dir / "SONG01").string(), "Only titles with .AWE extension can be selected",
         "Convert a Vexatone file"},
        {(p.dir.Path() / "SONG.MID").string(), "Invalid Directory", std::nullopt},
        {(p.dir.Path() / "old" / "OLD.AWE" / "NEW.AWE").string(),
         "Error 76 Path not found has occured", "Convert KVS file to TNQ"},
        {(p.dir.Path() / "old" / "A=B.AWE" / "A=B.AWE").string(),
         "A=B cannot be the title of a piece: a title has 1 to 8 characters and cannot contain / "
         "\\ . = [ ] ; or control characters",
         "Convert KVS file to TNQ"},
    };
    for (const Case& k : cases) {
        p.files.Choose(k.chosen);
        p.msg.AnswerOk();
        OpenAWEConversion(c);
        EXPECT_EQ(p.msg.Last().Text, k.text) << k.chosen;
        EXPECT_EQ(p.msg.Last().Title, k.title);
    }
    EXPECT_TRUE(fs::is_empty(music));

    // An existing piece of that name: nothing is read or made.
    fs::create_directories(fs::path(music) / "song.tnq");
    p.files.Choose(path);
    p.msg.AnswerOk();
    OpenAWEConversion(c);
    EXPECT_EQ(p.msg.Last().Text, "File SONG.TNQ already exists");
    EXPECT_TRUE(fs::is_empty(fs::path(music) / "song.tnq"));
}

TEST_F(AweTest, TheWarningAndYesToTheInitialization) {
    const std::string path = OldPiece("TUNE", Header("3"), {{Rec("C", "0")}});
    p.msg.Answer(mb::Cancel);
    ConvKVOtoKVS_Click(c);
    EXPECT_EQ(p.msg.Last().Code, 17);
    EXPECT_EQ(p.msg.Last().Title, "Convert KVS files to TNQ");
    EXPECT_EQ(s.PieceOpen, 0);

    p.msg.AnswerOk();
    p.files.Choose(path);
    p.msg.Answer(mb::Yes);
    ConvKVOtoKVS_Click(c);
    EXPECT_EQ(p.screen.initCalls, 1);
    EXPECT_EQ(p.files.openFilters.back(), "Midi Files (*.AWE)");
}

} // namespace
} // namespace tnq
