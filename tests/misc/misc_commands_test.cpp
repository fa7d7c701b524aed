// The Miscellaneous menu's commands: player and auxiliary program, port
// mode and the output port.
#include "misc/misc_commands.h"

#include "misc/sound_test.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

namespace tnq {
namespace {

TEST(SelectPrograms, AChosenProgramIsKeptAndStoredCancelKeepsTheOldOne) {
    struct Command {
        void (*click)(Context&);
        const char* key;
        std::string State::*variable;
    };
    const Command commands[] = {{mnuMiscSelectPlayer_Click, "DefaultPlayer", &State::DefaultPlayer},
                                {mnuMiscAuxiliary_Click, "AuxiliaryProgram",
                                 &State::AuxiliaryProgram}};
    for (const Command& cmd : commands) {
        test::Program p;
        p.s.*cmd.variable = "xdg-open";
        p.files.CancelOpen();
        cmd.click(p.c);
        p.files.FailOpen(32755);
        cmd.click(p.c);
        EXPECT_EQ(p.s.*cmd.variable, "xdg-open");
        EXPECT_EQ(p.ini.GetIniSetting(IniSettings, cmd.key), "");

        p.files.Choose("/usr/bin/timidity");
        cmd.click(p.c);
        EXPECT_EQ(p.s.*cmd.variable, "/usr/bin/timidity");
        EXPECT_EQ(p.ini.GetIniSetting(IniSettings, cmd.key), "/usr/bin/timidity");
        p.files.FailOpen(5); // any failure: silent, nothing changed
        cmd.click(p.c);
        EXPECT_EQ(p.s.*cmd.variable, "/usr/bin/timidity");
        EXPECT_EQ(p.files.programDialogs, 4);
        EXPECT_TRUE(p.msg.shown.empty());
    }
}

TEST(MultiplePorts, TogglesTheTickTheOutputItemAndTheFlag) {
    test::Program p;
    mnuMiscPorts_Click(p.c);
    EXPECT_TRUE(p.screen.menuChecked["mnuMiscPorts"]);
    EXPECT_FALSE(p.screen.menuEnabled["mnuMiscMidiMapper"]);
    EXPECT_EQ(p.s.MultiplePorts, -1);
    mnuMiscPorts_Click(p.c);
    EXPECT_FALSE(p.screen.menuChecked["mnuMiscPorts"]);
    EXPECT_TRUE(p.screen.menuEnabled["mnuMiscMidiMapper"]);
    EXPECT_EQ(p.s.MultiplePorts, 0);
    EXPECT_EQ(p.s.PieceChanged, 0);
    EXPECT_EQ(test::ReadFile(p.ini.File()), "");
}

TEST(SetOutput, ThePortChosenIsStoredCancelKeepsTheChoice) {
    test::Program p;
    p.midi.ports = {"Synth", "Thru"};
    std::vector<std::string> listed;
    std::string current = "?";
    auto choose = [&](std::optional<std::string> answer) {
        return [&, answer](const std::vector<std::string>& ports, const std::string& now) {
            listed = ports;
            current = now;
            return answer;
        };
    };
    mnuMiscMidiMapper_Click(p.c, choose("Thru"));
    EXPECT_EQ(listed, p.midi.ports);
    EXPECT_EQ(current, "");
    EXPECT_EQ(p.ini.GetIniSetting(IniSettings, kMidiOutputSetting), "Thru");
    mnuMiscMidiMapper_Click(p.c, choose(std::nullopt));
    EXPECT_EQ(current, "Thru");
    EXPECT_EQ(p.ini.GetIniSetting(IniSettings, kMidiOutputSetting), "Thru");
    EXPECT_TRUE(p.msg.shown.empty());
}

TEST(SetOutput, NoPortsGiveTheMapperMessage) {
    for (bool withService : {true, false}) {
        test::Program p;
        p.midi.ports.clear();
        if (!withService) p.c.midi = nullptr;
        bool asked = false;
        p.msg.AnswerOk();
        mnuMiscMidiMapper_Click(p.c, [&](const auto&, const auto&) {
            asked = true;
            return std::optional<std::string>("x");
        });
        EXPECT_FALSE(asked);
        ASSERT_EQ(p.msg.shown.size(), 1u);
        EXPECT_EQ(p.msg.Last().Text,
                  "The Midi Mapper is not available. Go to Control Panel to set it up.");
        EXPECT_EQ(p.msg.Last().Code, mb::Information);
        EXPECT_FALSE(p.msg.Last().Title);
    }
}

} // namespace
} // namespace tnq
