// Live MIDI output as a service: the output ports of the system by name,
// and devices opened on them by handle, sent short messages and closed. The
// calls answer with result codes (0 = success) rather than raising errors,
// so a caller may keep the code and go on. A port can be open once at a
// time, as a hardware device can.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace tnq {

namespace midierr {
inline constexpr std::int32_t NoError = 0;
inline constexpr std::int32_t Error = 1;         // the system refused
inline constexpr std::int32_t BadDeviceId = 2;   // no such port (or none chosen)
inline constexpr std::int32_t Allocated = 4;     // the port is open already
inline constexpr std::int32_t InvalidHandle = 5; // no device open under that handle
inline constexpr std::int32_t InvalidParam = 11; // a message that is no short message
} // namespace midierr

// A short message as one number: status in bits 0..7, data 1 in bits 8..15,
// data 2 in bits 16..23.
std::uint32_t ShortMessage(int status, int data1, int data2 = 0);
// Its bytes as they go out: program change and channel pressure carry one
// data byte, every other channel message two. Nothing when the status is
// not a channel status (0x80..0xEF) or a data byte is above 127.
std::vector<unsigned char> ShortMessageBytes(std::uint32_t message);

class MidiOutput {
public:
    virtual ~MidiOutput();

    // The names of the output ports, in the system's order; none when the
    // system has no MIDI or cannot be asked.
    virtual std::vector<std::string> Ports() = 0;

    // Opens the port of that name; on success handle is the new device's.
    std::int32_t Open(std::int32_t& handle, const std::string& port);
    std::int32_t ShortMsg(std::int32_t handle, std::uint32_t message);
    std::int32_t Close(std::int32_t handle);

    // Whether a device is open on the port.
    bool PortOpen(const std::string& port) const;

    // An open device of the system.
    class Device {
    public:
        virtual ~Device() = default;
        virtual bool Send(const std::vector<unsigned char>& bytes) = 0;
    };

protected:
    // Opens a device on the named port; null when the system refuses.
    virtual std::unique_ptr<Device> OpenPort(const std::string& port) = 0;

private:
    struct Opened {
        std::string Port;
        std::unique_ptr<Device> Dev;
    };
    std::map<std::int32_t, Opened> open_;
    std::int32_t next_ = 1;
};

} // namespace tnq
