// The handles and messages of the MIDI output service.
#include "platform/midi_output.h"

#include <algorithm>

namespace tnq {

MidiOutput::~MidiOutput() = default;

std::uint32_t ShortMessage(int status, int data1, int data2) {
    return static_cast<std::uint32_t>(status & 0xFF) |
           (static_cast<std::uint32_t>(data1 & 0xFF) << 8) |
           (static_cast<std::uint32_t>(data2 & 0xFF) << 16);
}

std::vector<unsigned char> ShortMessageBytes(std::uint32_t message) {
    const auto status = static_cast<unsigned char>(message & 0xFF);
    const auto d1 = static_cast<unsigned char>((message >> 8) & 0xFF);
    const auto d2 = static_cast<unsigned char>((message >> 16) & 0xFF);
    if (status < 0x80 || status >= 0xF0 || d1 > 127) return {};
    const int kind = status & 0xF0;
    if (kind == 0xC0 || kind == 0xD0) return {status, d1};
    if (d2 > 127) return {};
    return {status, d1, d2};
}

std::int32_t MidiOutput::Open(std::int32_t& handle, const std::string& port) {
    if (port.empty()) return midierr::BadDeviceId;
    const std::vector<std::string> ports = Ports();
    if (std::find(ports.begin(), ports.end(), port) == ports.end()) return midierr::BadDeviceId;
    if (PortOpen(port)) return midierr::Allocated;
    std::unique_ptr<Device> dev = OpenPort(port);
    if (!dev) return midierr::Error;
    handle = next_++;
    open_[handle] = Opened{port, std::move(dev)};
    return midierr::NoError;
}

std::int32_t MidiOutput::ShortMsg(std::int32_t handle, std::uint32_t message) {
    const auto it = open_.find(handle);
    if (it == open_.end()) return midierr::InvalidHandle;
    const std::vector<unsigned char> bytes = ShortMessageBytes(message);
    if (bytes.empty()) return midierr::InvalidParam;
    return it->second.Dev->Send(bytes) ? midierr::NoError : midierr::Error;
}

std::int32_t MidiOutput::Close(std::int32_t handle) {
    if (open_.erase(handle) == 0) return midierr::InvalidHandle;
    return midierr::NoError;
}

bool MidiOutput::PortOpen(const std::string& port) const {
    return std::any_of(open_.begin(), open_.end(),
                       [&](const auto& o) { return o.second.Port == port; });
}

} // namespace tnq
