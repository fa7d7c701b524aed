// The Miscellaneous menu's own commands: choosing the player and the
// auxiliary program, the port mode, and the MIDI output port the sound-test
// panel plays on (chosen in a dialog that stands in for the system's MIDI
// settings).
#pragma once

#include "core/context.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tnq {

// Select Default Player / Select Auxiliary Program: a program chosen in the
// file dialog becomes DefaultPlayer / AuxiliaryProgram and its setting.
// Cancel or a failing dialog changes nothing, silently.
void mnuMiscSelectPlayer_Click(Context& c);
void mnuMiscAuxiliary_Click(Context& c);

// Multiple Ports: toggles the tick, the enabled state of "Set &Output..."
// and MultiplePorts (-1 ticked, 0 not). Nothing is stored.
void mnuMiscPorts_Click(Context& c);

// The dialog that chooses one of the output ports, current the one chosen
// now ("" for none); it returns the port chosen, nothing on Cancel.
using ChooseOutputPort = std::function<std::optional<std::string>(
    const std::vector<std::string>& ports, const std::string& current)>;

// Set Output: the output ports listed for a choice stored as the setting
// the sound-test panel opens. With no ports to list: "The Midi Mapper is
// not available. Go to Control Panel to set it up."
void mnuMiscMidiMapper_Click(Context& c, const ChooseOutputPort& choose);

} // namespace tnq
