// RtMidi behind the MIDI output service. RtMidi reports failures by
// exceptions (a system without MIDI fails already in the constructor);
// they become empty port lists and refused opens here.
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

// The MIDI systems RtMidi was built for (ALSA, JACK), each asked on its own:
// one that cannot start (no sequencer, no JACK server) is passed over.
std::vector<RtMidi::Api> Systems() {
    std::vector<RtMidi::Api> apis;
    RtMidi::getCompiledApi(apis);
    return apis;
}

} // namespace

std::vector<std::string> RtMidiOutput::Ports() {
    std::vector<std::string> names;
    for (RtMidi::Api api : Systems()) {
        try {
            RtMidiOut out(api, kClientName);
            const unsigned n = out.getPortCount();
            for (unsigned i = 0; i < n; ++i) names.push_back(out.getPortName(i));
        } catch (...) {
        }
    }
    return names;
}

std::unique_ptr<MidiOutput::Device> RtMidiOutput::OpenPort(const std::string& port) {
    for (RtMidi::Api api : Systems()) {
        try {
            auto out = std::make_unique<RtMidiOut>(api, kClientName);
            const unsigned n = out->getPortCount();
            for (unsigned i = 0; i < n; ++i) {
                if (out->getPortName(i) != port) continue;
                out->openPort(i, kClientName);
                return std::make_unique<RtDevice>(std::move(out));
            }
        } catch (...) {
        }
    }
    return nullptr;
}

} // namespace tnq
