// The two reference lists of the main window and the initialization grid:
// the 128 General MIDI program names and the drum-kit lookup of the
// percussion keys 27..87.
#pragma once

#include <string>
#include <vector>

namespace tnq {

// Name of program n (1..128), "" outside.
std::string ProgramName(int program);

// Rows of the instrument list in program order: "Acoustic Grand Piano #1"
// .. "Gunshot #128"; row n-1 is program n.
std::vector<std::string> ProgramListRows();

// The drum-kit lookup as added to its list: the header "  Drum Kit Lookup"
// first, then the sound and note of each key 27..87 in key order.
std::vector<std::string> DrumLookupRows();

} // namespace tnq
