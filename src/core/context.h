// What a command works with: the shared state, the main window's screen and
// the services that stand between the program and the system.
#pragma once

#include "core/main_screen.h"
#include "core/state.h"
#include "platform/file_dialogs.h"
#include "platform/launcher.h"
#include "platform/message_box.h"
#include "platform/midi_output.h"
#include "platform/printer.h"
#include "platform/settings_store.h"
#include "platform/system_info.h"

namespace tnq {

struct Context {
    State& s;
    MessageBoxes& msg;
    SettingsStore& ini;
    MainScreen& screen;
    const SystemInfo& sys;
    // The file-selection and print dialogs; none until the window sets them.
    FileDialogs* files = nullptr;
    // The live MIDI output of the sound-test panel; none until the program
    // sets it (every open then fails).
    MidiOutput* midi = nullptr;
    // Starts the player and the auxiliary program; none until the window
    // sets it.
    Launcher* launcher = nullptr;
    // The printer the print dialog chose; none until the window sets it.
    Printer* printer = nullptr;

    std::string GetIniSetting(const std::string& key) const {
        return ini.GetIniSetting(IniSettings, key);
    }
    void SetIniSetting(const std::string& key, const std::string& value) const {
        ini.SetIniSetting(IniSettings, key, value);
    }
};

} // namespace tnq
