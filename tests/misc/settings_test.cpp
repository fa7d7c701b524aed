// The settings dialog's rules: the boxes at a showing and what OK stores.
#include "misc_fixture.h"

#include "misc/settings.h"

namespace tnq {
namespace {

using test::NewPieceTest;

class SettingsTest : public NewPieceTest {};

TEST_F(SettingsTest, ShowingFillsTheBoxesFromTheState) {
    SettingsBoxes b = SettingsShowing(s);
    EXPECT_EQ(b.Actsen, " 480");
    EXPECT_EQ(b.Tracks, " 32");
    EXPECT_EQ(b.Nts, " 2000");
    EXPECT_TRUE(b.DefaultActsen && b.DefaultTracks && b.DefaultNts);
    EXPECT_EQ(b.Description, "System default settings");

    NewPiece("SUITE", 6, 300);
    s.NumTracks = 7;
    b = SettingsShowing(s);
    EXPECT_EQ(b.Description, "Settings for SUITE");
    EXPECT_EQ(s.PieceDescription, "Settings for SUITE");
    EXPECT_FALSE(b.DefaultTracks);
    EXPECT_TRUE(b.DefaultNts);
}

TEST_F(SettingsTest, OkRefusesNumbersOutsideTheirRangesBeforeChangingAnything) {
    NewPiece("SUITE", 6, 300);
    const struct {
        std::string tracks, actsen, nts;
        SettingsFocus focus;
    } cases[] = {
        {"97", "480", "300", SettingsFocus::Tracks},  {"0", "480", "300", SettingsFocus::Tracks},
        {"six", "480", "300", SettingsFocus::Tracks}, {"6.5", "480", "300", SettingsFocus::Tracks},
        {"8", "0", "300", SettingsFocus::Actsen},     {"8", "40000", "300", SettingsFocus::Actsen},
        {"8", "480", "32767", SettingsFocus::Nts},    {"8", "480", "abc", SettingsFocus::Nts},
        {"8", "480", "-5", SettingsFocus::Nts},
    };
    for (const auto& k : cases) {
        SettingsBoxes b = SettingsShowing(s);
        b.Tracks = k.tracks;
        b.Actsen = k.actsen;
        b.Nts = k.nts;
        b.Description = "changed";
        EXPECT_EQ(SettingsOK(c, b), k.focus) << k.tracks << " " << k.actsen << " " << k.nts;
        EXPECT_EQ(s.NumTracks, 6);
        EXPECT_EQ(s.MaxItems, 300);
        EXPECT_EQ(s.TicksPerQuarter, 480);
        EXPECT_NE(s.PieceDescription, "changed");
    }
}

TEST_F(SettingsTest, DefaultsAreWrittenAsPlainDigitsOnlyWhenTicked) {
    NewPiece("SUITE", 6, 300);
    SettingsBoxes b = SettingsShowing(s);
    b.Actsen = " 960";
    b.DefaultActsen = false;
    ASSERT_EQ(SettingsOK(c, b), SettingsFocus::None);
    EXPECT_EQ(s.TicksPerQuarter, 960);
    EXPECT_EQ(p.ini.GetIniSetting(IniSettings, "Actsen"), "");

    b = SettingsShowing(s);
    b.Actsen = " 240 ";
    b.DefaultActsen = true;
    b.Nts = " 500";
    b.DefaultNts = true;
    ASSERT_EQ(SettingsOK(c, b), SettingsFocus::None);
    EXPECT_EQ(p.ini.GetIniSetting(IniSettings, "Actsen"), "240");
    EXPECT_EQ(p.ini.GetIniSetting(IniSettings, "Nts"), "500");
    EXPECT_EQ(s.DefaultTicks, 240);
    EXPECT_EQ(s.DefaultItems, 500);
    EXPECT_EQ(s.PieceChanged, 1);
}

TEST_F(SettingsTest, MoreItemsKeepTheScoreAndTooFewForALongTrackAreRefused) {
    NewPiece("SUITE", 4, 10);
    s.NoteCode(2, 5) = 60;
    s.ItemCount(2) = 5;
    SettingsBoxes b = SettingsShowing(s);
    b.Nts = "50";
    ASSERT_EQ(SettingsOK(c, b), SettingsFocus::None);
    EXPECT_EQ(s.MaxItems, 50);
    EXPECT_EQ(s.NoteCode(2, 5), 60);
    EXPECT_EQ(s.NoteCode(2, 50), 0) << "the score has room for the new capacity";

    b = SettingsShowing(s);
    b.Nts = "5";
    EXPECT_EQ(SettingsOK(c, b), SettingsFocus::Nts) << "track 2 holds 5 items";
    b.Nts = "6";
    EXPECT_EQ(SettingsOK(c, b), SettingsFocus::None);
    EXPECT_EQ(s.MaxItems, 6);
    EXPECT_EQ(s.NoteCode.Upper2(), 50) << "lowering does not shrink the score";
}

TEST_F(SettingsTest, ATrackCountChangeRebuildsTheScoreFromTheTrackFiles) {
    NewPiece("SUITE", 4, 20);
    WriteTrack(2, {test::Note("C"), test::Note("D"), test::Note("E")});
    WriteTrack(3, {test::Note("G")});
    s.TrackDescription(3) = "Viola";
    SettingsBoxes b = SettingsShowing(s);
    b.Tracks = "6";
    b.Nts = "40";
    p.msg.AnswerOk();
    ASSERT_EQ(SettingsOK(c, b), SettingsFocus::None);
    EXPECT_EQ(p.msg.Last().Text,
              "A Recalc may have to be run, because the number of Tracks has been changed");
    EXPECT_EQ(p.msg.Last().Title, "Change Parameters");
    EXPECT_EQ(s.NumTracks, 6);
    EXPECT_EQ(s.MaxItems, 40);
    EXPECT_EQ(s.ItemCount.Upper(), 6);
    EXPECT_EQ(s.NoteCode.Upper2(), 40);
    EXPECT_EQ(s.ItemCount(2), 3) << "no track shows 0 items while its file holds items";
    EXPECT_EQ(s.ItemCount(3), 1);
    EXPECT_EQ(p.screen.figures[1], "3");
    EXPECT_EQ(s.TrackDescription(3), "Viola") << "kept when the count grows";
    EXPECT_EQ(s.SelectedTracks, "000000");

    b = SettingsShowing(s);
    b.Tracks = "3";
    p.msg.AnswerOk();
    ASSERT_EQ(SettingsOK(c, b), SettingsFocus::None);
    EXPECT_EQ(s.TrackDescription.Upper(), 3);
    EXPECT_EQ(s.TrackDescription(3), "") << "emptied when it shrinks";
    EXPECT_EQ(s.ItemCount(2), 3);
}

TEST_F(SettingsTest, WithoutAPieceATrackChangeOnlySizesTheScore) {
    SettingsBoxes b = SettingsShowing(s);
    b.Tracks = "40";
    b.DefaultTracks = true;
    p.msg.AnswerOk();
    ASSERT_EQ(SettingsOK(c, b), SettingsFocus::None);
    EXPECT_EQ(s.NumTracks, 40);
    EXPECT_EQ(s.ItemCount.Upper(), 40);
    EXPECT_EQ(p.ini.GetIniSetting(IniSettings, "Tracks"), "40");
    EXPECT_EQ(s.PieceChanged, 1);
}

} // namespace
} // namespace tnq
