// Initialize New File: the questions, the opening and port items, the
// descriptions file and the set-up sheet.
#include "misc_fixture.h"

#include "core/file_menu.h"
#include "misc/init_new_file.h"

#include <cerrno>
#include <filesystem>

namespace tnq {
namespace {

using test::FakeGridDialog;
using test::FakeSettingsDialog;

class InitTest : public test::NewPieceTest {
protected:
    // Runs the command: Yes to the port question, the print answer given.
    // oks: message boxes answered OK after the questions.
    void Run(int printAnswer = mb::No, int portAnswer = mb::Yes, int oks = 0) {
        p.msg.Answer(portAnswer);
        if (portAnswer != mb::Cancel && !grid.cancel) p.msg.Answer(printAnswer);
        for (int i = 0; i < oks; ++i) p.msg.AnswerOk();
        mnuMiscInit_Click(c, {settings, grid});
    }
    TrackItemRecord Opening(int j, const std::string& channel, const std::string& instrument) {
        return Trimmed(OpeningItems(channel, instrument)[static_cast<std::size_t>(j - 1)]);
    }
    static TrackItemRecord End() { return Trimmed(kEndRecord); }

    FakeSettingsDialog settings;
    FakeGridDialog grid;
};

TEST_F(InitTest, APrimaryTrackGetsSevenOpeningItemsAndThePieceIsMarkedInitialised) {
    NewPiece("DUO", 2);
    grid.Row(2, {"10", "Y", "1", "Drums, kit"});
    Run();
    EXPECT_EQ(test::ReadFile(PieceDir() / "DUO.DAT"), "02Drums, kit\r\n");
    const std::vector<TrackItemRecord> r = Records(2);
    ASSERT_EQ(r.size(), 8u);
    EXPECT_EQ(r[0], (TrackItemRecord{"CNTRL", "0", "", "0", "0", "0", "10", "0"}));
    EXPECT_EQ(r[2], (TrackItemRecord{"PROGR", "0", "", "0", "1", "0", "10", "0"}));
    EXPECT_EQ(r[3], (TrackItemRecord{"CNTRL", "0", "", "7", "127", "0", "10", "0"}));
    EXPECT_EQ(r[6], (TrackItemRecord{"CNTRL", "0", "", "91", "32", "0", "10", "0"}));
    EXPECT_EQ(r[7], End());
    EXPECT_EQ(EncodeRecord(OpeningItems("5", "1")[3]), "CNTRL0          7   1270   5 0    ");
    EXPECT_EQ(s.ItemCount(2), 7);
    EXPECT_EQ(p.screen.figures[1], "7");
    EXPECT_EQ(p.ini.GetIniSetting(IniSettings, "DUO-init"), "done");
    EXPECT_FALSE(p.screen.menuEnabled["mnuMiscInit"]);
    EXPECT_TRUE(p.screen.menuEnabled["mnuMiscTrack"]);
    EXPECT_EQ(s.SelectedTracks, "01");
    EXPECT_EQ(s.TrackDescription(2), "Drums, kit");
    EXPECT_EQ(p.screen.trackList,
              (std::vector<std::string>{"  Track Description", "02 Drums, kit"}));
    EXPECT_EQ(p.screen.status2, "Select a menu item");
    EXPECT_EQ(settings.shows, 1);
}

TEST_F(InitTest, ATrackHoldingItemsKeepsThemAfterItsOpeningItems) {
    NewPiece("TRIO", 3);
    WriteTrack(
        2, {test::Note("C"), test::Note("D"), test::Note("E"), test::Note("F"), test::Note("G")});
    // The score does not know the items yet (as after a change of the
    // track count): the track file tells.
    EXPECT_EQ(s.ItemCount(2), 0);
    grid.Row(2, {"3", "Y", "41", "Violin"});
    grid.Row(3, {"", "N", "", ""});
    Run();
    const std::vector<TrackItemRecord> r = Records(2);
    ASSERT_EQ(r.size(), 13u);
    for (int j = 1; j <= 7; ++j)
        EXPECT_EQ(r[static_cast<std::size_t>(j - 1)], Opening(j, "3", "41"));
    EXPECT_EQ(r[7].Note, "C");
    EXPECT_EQ(r[11].Note, "G");
    EXPECT_EQ(r[12], End());
    EXPECT_EQ(s.ItemCount(2), 12);
    EXPECT_TRUE(Records(3).empty()) << "a track that is not primary gets no items";
    EXPECT_EQ(test::ReadFile(PieceDir() / "TRIO.DAT"), "02Violin\r\n03\r\n");
    EXPECT_EQ(s.TrackDescription(3), "");
}

TEST_F(InitTest, AFullDiskChangesNoFileAndTheNextRunWritesTheOpeningItemsOnce) {
    NewPiece("DUO", 3);
    grid.Row(2, {"10", "Y", "1", "Drums"});
    grid.Row(3, {"11", "Y", "33", "Bass"});
    s.TrackImages.Hooks = {[](CommitStep, const std::string&) { return ENOSPC; }};
    Run(mb::No, mb::Yes, 1);
    EXPECT_EQ(p.msg.Last().Title, "Initialize New File");
    EXPECT_NE(p.msg.Last().Text.find("Disk full"), std::string::npos);
    EXPECT_NE(p.msg.Last().Text.find("nothing has been changed"), std::string::npos);
    for (const char* name : {"DUO.DAT", "DUO02", "DUO03"})
        EXPECT_FALSE(std::filesystem::exists(PieceDir() / name)) << name;
    EXPECT_NE(p.ini.GetIniSetting(IniSettings, "DUO-init"), "done");

    s.TrackImages.Hooks = {};
    Run();
    EXPECT_EQ(Records(2).size(), 8u);
    EXPECT_EQ(Records(3).size(), 8u);
    EXPECT_EQ(s.ItemCount(3), 7);
}

TEST_F(InitTest, AFullTrackIsNeverOverwritten) {
    NewPiece("FULL", 2, 8);
    WriteTrack(
        2, {test::Note("C"), test::Note("D"), test::Note("E"), test::Note("F"), test::Note("G")});
    grid.Row(2, {"1", "Y", "1", ""});
    Run(mb::No, mb::Yes, 1); // Space Limitation
    const std::vector<TrackItemRecord> r = Records(2);
    ASSERT_GE(r.size(), 8u);
    EXPECT_EQ(r[0], Opening(1, "1", "1"));
    EXPECT_EQ(r[1], Opening(2, "1", "1"));
    EXPECT_EQ(r[2].Note, "C");
    EXPECT_EQ(r[6].Note, "G");
    EXPECT_EQ(r[7], End());
    EXPECT_EQ(s.ItemCount(2), 7);
    EXPECT_EQ(p.msg.Last().Title, "Space Limitation");
}

TEST_F(InitTest, PortItemsTakeTheTypedOrCarriedChannel) {
    NewPiece("PORTS", 4);
    s.MultiplePorts = -1;
    grid.Row(2, {"1", "3", "Y", "20", "Organ"});
    grid.Row(3, {"2", "", "N", "", ""});
    grid.Row(4, {"2", "", "N", "", ""});
    Run();
    std::vector<TrackItemRecord> r = Records(2);
    ASSERT_EQ(r.size(), 9u);
    EXPECT_EQ(r[0], (TrackItemRecord{"PORTS", "0", "", "0", "1", "0", "3", "0"}));
    EXPECT_EQ(r[1], Opening(1, "3", "20"));
    EXPECT_EQ(s.ItemCount(2), 8);
    for (int t : {3, 4}) {
        r = Records(t);
        ASSERT_EQ(r.size(), 2u);
        EXPECT_EQ(r[0], (TrackItemRecord{"PORTS", "0", "", "0", "2", "0", "3", "0"}));
        EXPECT_EQ(r[1], End());
    }
}

TEST_F(InitTest, WithoutItemsAboveATrackTakesItsOwnNumberUpToSixteen) {
    NewPiece("WIDE", 20);
    s.MultiplePorts = -1;
    for (int t = 2; t <= 20; ++t) grid.Row(t, {"0", "", "N", "", ""});
    Run();
    EXPECT_EQ(Records(5)[0].Channel, "5");
    EXPECT_EQ(Records(15)[0].Channel, "15");
    for (int t = 16; t <= 19; ++t) EXPECT_EQ(Records(t)[0].Channel, "16");
}

TEST_F(InitTest, ShortTracksGetAPortItemOnAChannelTheRecalculationTakes) {
    NewPiece("SHORT", 4);
    s.MultiplePorts = -1;
    WriteTrack(2, {{"C", "4", "q", "0", "64", "1", "7", "0"}});
    WriteTrack(
        3, {{"C", "4", "q", "0", "64", "1", "7", "0"}, {"D", "4", "q", "0", "64", "1", "7", "0"}});
    for (int t = 2; t <= 4; ++t) grid.Row(t, {"1", "", "N", "", ""});
    Run();
    // The END record's blank channel is no channel: the port item takes the
    // track's own number, as a track without items does.
    EXPECT_EQ(Records(2)[0].Channel, "2");
    EXPECT_EQ(Records(2)[1].Note, "C");
    EXPECT_EQ(Records(3)[0].Channel, "3");
    EXPECT_EQ(Records(4)[0].Channel, "4") << "no channel carried after a blank one";
    EXPECT_EQ(s.ItemCount(3), 3) << "the closing recalculation reads every port item";
}

TEST_F(InitTest, NoToThePortQuestionSwitchesTheModeAndCancelsStop) {
    NewPiece("SWITCH", 3);
    grid.cancel = true;
    Run(mb::No, mb::No);
    EXPECT_EQ(p.msg.Last().Text,
              "The system is set up for a single port. Is this what you want ? ");
    EXPECT_EQ(p.msg.Last().Code, 35);
    EXPECT_EQ(p.msg.Last().Title, "Initialization Function");
    EXPECT_EQ(s.MultiplePorts, -1);
    EXPECT_TRUE(p.screen.menuChecked["mnuMiscPorts"]);
    EXPECT_FALSE(p.screen.menuEnabled["mnuMiscMidiMapper"]);
    EXPECT_TRUE(grid.multipleAtShow);
    EXPECT_FALSE(std::filesystem::exists(PieceDir() / "SWITCH.DAT"));

    grid.cancel = false;
    Run(mb::No, mb::Cancel);
    EXPECT_EQ(grid.shows, 1);
    EXPECT_EQ(s.MultiplePorts, -1);

    grid.Row(2, {"1", "2", "N", "", ""});
    grid.Row(3, {"1", "2", "N", "", ""});
    Run(mb::Cancel, mb::Yes);
    EXPECT_EQ(p.msg.Last().Text, "Do you wish to print out the form ?");
    EXPECT_EQ(p.msg.Last().Code, 3);
    EXPECT_FALSE(std::filesystem::exists(PieceDir() / "SWITCH.DAT"));
    EXPECT_EQ(p.ini.GetIniSetting(IniSettings, "SWITCH-init"), "");
}

TEST_F(InitTest, AGridThatSlipsAPrimaryChannelIsRefused) {
    NewPiece("BAD", 2);
    grid.Row(2, {"", "Y", "5", ""});
    p.msg.Answer(mb::Yes);
    p.msg.AnswerOk();
    mnuMiscInit_Click(c, {settings, grid});
    EXPECT_EQ(p.msg.Last().Text, "Track 2 is a primary track: enter its Channel #");
    EXPECT_FALSE(std::filesystem::exists(TrackPath(2)));
}

TEST_F(InitTest, NoPieceNoCommand) {
    p.msg.AnswerOk();
    mnuMiscInit_Click(c, {settings, grid});
    EXPECT_EQ(p.msg.Last().Text, "No file has yet been opened");
    EXPECT_EQ(settings.shows, 0);
}

// ---- The set-up sheet ------------------------------------------------------

TEST_F(InitTest, FortyTracksPrintTwoPagesPerCopy) {
    NewPiece("BIG", 40);
    s.PieceDescription = "Symphony";
    for (int t = 2; t <= 40; ++t) grid.Row(t, {std::to_string(1 + t % 16), "N", "", "Part"});
    p.files.ChoosePrint({false, 1, 2, 3});
    Run(mb::Yes);
    EXPECT_EQ(p.files.printPages, (std::vector<int>{2}));
    ASSERT_EQ(printer.pages.size(), 6u);
    EXPECT_EQ(printer.docs, 1);
    EXPECT_EQ(s.PrintCopies, 0);
    for (std::size_t i = 0; i < 6; ++i) {
        const test::FakePrinter::Page& page = printer.pages[i];
        ASSERT_EQ(page.size(), 3u + 4u + 64u);
        EXPECT_EQ(page[7].Text.substr(0, 3), i % 2 == 0 ? "1  " : "33 ");
    }
    const test::FakePrinter::Page& one = printer.pages[0];
    EXPECT_EQ(one[0].Text, "");
    EXPECT_EQ(one[3].Text, " Title Symphony" + std::string(52, ' ') + " Filename BIG" +
                               " Time_______ Tempo______ PPQN  480");
    EXPECT_EQ(one[3].Font, "Times New Roman");
    EXPECT_EQ(one[3].Size, 10);
    EXPECT_TRUE(one[3].Bold);
    EXPECT_EQ(one[5].Text.substr(0, 25), "Track Channel Instrument ");
    EXPECT_EQ(one[6].Text, std::string(160, '-'));
    EXPECT_EQ(one[7].Text, "1             n/a      reserved for meter and tempo");
    EXPECT_EQ(one[7].Size, 8);
    EXPECT_EQ(one[8].Text, std::string(400, '.'));
    EXPECT_FALSE(one[8].Bold);
    EXPECT_TRUE(one[9].Bold);
    const test::FakePrinter::Page& two = printer.pages[1];
    EXPECT_EQ(two[7 + 2 * 7].Text.substr(0, 2), "40");
    EXPECT_EQ(two[7 + 2 * 8].Text, "41           ") << "rows beyond the piece hold their number";
}

TEST_F(InitTest, SheetRowsAreCutByTheChannelAndTheDescription) {
    NewPiece("ROWS", 12);
    s.MultiplePorts = 0;
    GridCells g(13, std::vector<std::string>(5));
    g[2] = {"2", "5", "N", "", "Flute"};
    g[3] = {"3", "", "N", "", "Oboe"};
    g[10] = {"10", "12", "N", "", "Bass"};
    g[11] = {"11", "9", "N", "", "12 strings"};
    g[12] = {"12", "", "N", "", "Harp"};
    int last = 0;
    EXPECT_EQ(SheetRow(s, g, 2, last), "2             5" + std::string(25, ' ') + "Flute");
    EXPECT_EQ(last, 5);
    EXPECT_EQ(SheetRow(s, g, 3, last), "3              " + std::string(25, ' ') + "Oboe");
    EXPECT_EQ(SheetRow(s, g, 10, last), "10           12" + std::string(24, ' ') + "Bass");
    EXPECT_EQ(SheetRow(s, g, 12, last).substr(0, 40), "12            " + std::string(26, ' '))
        << "two blanks after channel 12";
    EXPECT_EQ(SheetRow(s, g, 11, last), "11           9" + std::string(22, ' ') + "12 strings");
    s.MultiplePorts = -1;
    GridCells m(13, std::vector<std::string>(6));
    m[2] = {"2", "3", "5", "N", "", "Flute"};
    EXPECT_EQ(SheetRow(s, m, 2, last),
              "2             3          5" + std::string(14, ' ') + "Flute");
}

TEST_F(InitTest, ACancelledOrFailedPrintDialogSkipsTheSheetAndTheCommandGoesOn) {
    NewPiece("NOPRINT", 2);
    grid.Row(2, {"1", "N", "", ""});
    p.files.CancelPrint();
    Run(mb::Yes);
    EXPECT_TRUE(printer.pages.empty());
    EXPECT_EQ(p.ini.GetIniSetting(IniSettings, "NOPRINT-init"), "done");

    p.files.FailPrint(err::DeviceIOError);
    Run(mb::Yes, mb::Yes, 1);
    EXPECT_TRUE(printer.pages.empty());
    EXPECT_EQ(p.msg.shown[p.msg.shown.size() - 1].Title, "Common Dialog Error");
}

TEST_F(InitTest, APrinterFailureIsReportedAndTheCommandGoesOn) {
    NewPiece("JAM", 2);
    grid.Row(2, {"1", "Y", "1", ""});
    p.files.ChoosePrint({false, 1, 1, 1});
    printer.failAfterLines = 10;
    Run(mb::Yes, mb::Yes, 1);
    EXPECT_EQ(p.msg.Last().Text, "The set-up sheet could not be printed: Printer offline");
    EXPECT_EQ(printer.docs, 1);
    EXPECT_EQ(s.ItemCount(2), 7);
}

} // namespace
} // namespace tnq
