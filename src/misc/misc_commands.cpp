// The Miscellaneous menu's program, port and output commands.
#include "misc/misc_commands.h"

#include "misc/sound_test.h"
#include "platform/vb.h"

namespace tnq {

namespace {

// The program chosen in the file dialog, nothing after Cancel or a failure.
std::optional<std::string> ChosenProgram(Context& c) {
    if (!c.files) return std::nullopt;
    try {
        return c.files->OpenProgramFile();
    } catch (const VbError&) {
        return std::nullopt;
    }
}

} // namespace

void mnuMiscSelectPlayer_Click(Context& c) {
    const std::optional<std::string> program = ChosenProgram(c);
    if (!program) return;
    c.s.DefaultPlayer = *program;
    c.SetIniSetting("DefaultPlayer", *program);
}

void mnuMiscAuxiliary_Click(Context& c) {
    const std::optional<std::string> program = ChosenProgram(c);
    if (!program) return;
    c.s.AuxiliaryProgram = *program;
    c.SetIniSetting("AuxiliaryProgram", *program);
}

void mnuMiscPorts_Click(Context& c) {
    const bool several = !c.screen.MenuChecked("mnuMiscPorts");
    c.screen.SetMenuChecked("mnuMiscPorts", several);
    c.screen.SetMenuEnabled("mnuMiscMidiMapper", !several);
    c.s.MultiplePorts = several ? -1 : 0;
}

void mnuMiscMidiMapper_Click(Context& c, const ChooseOutputPort& choose) {
    const std::vector<std::string> ports = c.midi ? c.midi->Ports() : std::vector<std::string>{};
    if (ports.empty()) {
        c.msg.MsgBox("The Midi Mapper is not available. Go to Control Panel to set it up.",
                     mb::Information);
        return;
    }
    const std::optional<std::string> port = choose(ports, c.GetIniSetting(kMidiOutputSetting));
    if (port) c.SetIniSetting(kMidiOutputSetting, *port);
}

} // namespace tnq
