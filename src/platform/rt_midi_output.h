// The MIDI output service on the system's MIDI (ALSA, or JACK where it
// runs) through RtMidi.
#pragma once

#include "platform/midi_output.h"

namespace tnq {

class RtMidiOutput : public MidiOutput {
public:
    std::vector<std::string> Ports() override;

protected:
    std::unique_ptr<Device> OpenPort(const std::string& port) override;
};

} // namespace tnq
