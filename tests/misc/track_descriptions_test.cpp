// NAME.DAT, the track description dialog's rules and Maintain Track
// Descriptions.
#include "misc_fixture.h"

#include "core/descriptions_file.h"
#include "misc/track_descriptions.h"

namespace tnq {
namespace {

using test::NewPieceTest;

TEST(DescriptionsFile, LinesKeepTheirCommasAndTracksOutsideArePassedOver) {
    const std::string bytes =
        "03Cello, second desk\r\n99Far away\r\n\r\n05\r\nxxJunk\r\n04Late\r\n";
    EXPECT_EQ(ParseDescriptions(bytes, 6, false),
              (std::vector<DescriptionLine>{
                  {3, "Cello, second desk"}, {5, ""}, {0, "Junk"}, {4, "Late"}}));
    const std::vector<DescriptionLine> open = ParseDescriptions("05\r\n", 6, true);
    ASSERT_EQ(open.size(), 1u);
    EXPECT_EQ(open[0].Text, "   ");
    EXPECT_EQ(DescriptionsText({{3, "A, b"}, {12, ""}}), "03A, b\r\n12\r\n");
    EXPECT_EQ(DescriptionRow({5, "Oboe"}), "05 Oboe");
}

TEST(TrackDescRules, TheTrackBoxTakesAnEmptyTextOrATrackOfThePiece) {
    State s;
    s.NumTracks = 12;
    s.TrackDescription.ReDim(12);
    s.TrackDescription(0) = "zero";
    s.TrackDescription(7) = "Horn";
    EXPECT_EQ(TrackRangeText(s), " 2 to  12");
    for (const char* ok : {"", "2", " 12 ", "7"}) EXPECT_TRUE(TrackBoxAcceptable(s, ok)) << ok;
    for (const char* bad : {"1", "13", "x", "2.5", "-3"})
        EXPECT_FALSE(TrackBoxAcceptable(s, bad)) << bad;
    EXPECT_EQ(DescriptionOfTrack(s, "7"), "Horn");
    EXPECT_EQ(DescriptionOfTrack(s, ""), "zero");
    StoreDescription(s, "8", "Tuba, muted");
    StoreDescription(s, "40", "nowhere");
    EXPECT_EQ(s.TrackDescription(8), "Tuba, muted");
}

class MaintainTest : public NewPieceTest {};

TEST_F(MaintainTest, UpdateRewritesTheFileWithTheDescribedTracksOnly) {
    NewPiece("SUITE", 12);
    test::WriteFile(PieceDir() / "SUITE.DAT", "02Old\r\n");
    test::FakeTrackDescDialog d;
    d.typed = {{"3", "Flute, first"}, {"12", "Bass"}};
    mnuMiscTrack_Click(c, d);
    EXPECT_EQ(test::ReadFile(PieceDir() / "SUITE.DAT"), "03Flute, first\r\n12Bass\r\n");
    EXPECT_EQ(p.screen.trackList,
              (std::vector<std::string>{"  Track Description", "03 Flute, first", "12 Bass"}));
    EXPECT_EQ(p.screen.trackListSelected, 0);
    EXPECT_FALSE(std::filesystem::exists(PieceDir() / "SUITE.DAT.tmp"));

    // Cancel keeps the file and the list; the typed text stays in memory.
    d.typed = {{"4", "Oboe"}};
    d.update = false;
    mnuMiscTrack_Click(c, d);
    EXPECT_EQ(test::ReadFile(PieceDir() / "SUITE.DAT"), "03Flute, first\r\n12Bass\r\n");
    EXPECT_EQ(p.screen.trackList.size(), 3u);
    EXPECT_EQ(s.TrackDescription(4), "Oboe");
}

TEST_F(MaintainTest, WithoutAPieceItSaysSo) {
    test::FakeTrackDescDialog d;
    p.msg.AnswerOk();
    mnuMiscTrack_Click(c, d);
    EXPECT_EQ(p.msg.Last().Text, "No file has yet been opened");
}

} // namespace
} // namespace tnq
