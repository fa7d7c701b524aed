// RtMidi behind the MIDI output service. RtMidi picks the first MIDI system
// that has ports (ALSA, then JACK) and reports failures by exceptions (a
// system without MIDI fails already in the constructor); they become empty
// port lists and refused opens here. (Its JACK side leaks a buffer when no
// JACK server runs, so JACK is not asked on its own.)
#include "platform/rt_midi_output.h"

#include <RtMidi.h>

namespace tnq {

namespace {

constexpr const char* kClientName = "Tonquill";

class RtDevice : public MidiOutput::Device {
public:
    explicit RtDevice(std::unique_ptr<RtMidiOut> out) : out_(std::move(out)) {}
    ~RtDevice() override {
        try {
            out_->closePort();
        } catch (...) {
        }
    }
    bool Send(const std::vector<unsigned char>& bytes) override {
        try {
            out_->sendMessage(bytes.data(), bytes.size());
            return true;
        } catch (...) {
            return false;
        }
    }

private:
    std::unique_ptr<RtMidiOut> out_;
};

} // namespace

std::vector<std::string> RtMidiOutput::Ports() {
    std::vector<std::string> names;
    try {
        RtMidiOut out(RtMidi::UNSPECIFIED, kClientName);
        const unsigned n = out.getPortCount();
        for (unsigned i = 0; i < n; ++i) names.push_back(out.getPortName(i));
    } catch (...) {
        names.clear();
    }
    return names;
}

std::unique_ptr<MidiOutput::Device> RtMidiOutput::OpenPort(const std::string& port) {
    try {
        auto out = std::make_unique<RtMidiOut>(RtMidi::UNSPECIFIED, kClientName);
        const unsigned n = out->getPortCount();
        for (unsigned i = 0; i < n; ++i) {
            if (out->getPortName(i) != port) continue;
            out->openPort(i, kClientName);
            return std::make_unique<RtDevice>(std::move(out));
        }
    } catch (...) {
    }
    return nullptr;
}

} // namespace tnq
