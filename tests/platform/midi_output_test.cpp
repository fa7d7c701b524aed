// The MIDI output service: short messages as bytes, handles and ports, and
// RtMidi's real output where the machine has one.
#include "platform/midi_output.h"
#include "platform/rt_midi_output.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tnq {
namespace {

TEST(ShortMessage, ChannelMessagesBecomeTheirBytes) {
    using B = std::vector<unsigned char>;
    struct Case {
        int status, d1, d2;
        B bytes;
    };
    const Case cases[] = {
        {0x90, 60, 64, {0x90, 60, 64}},    {0xC0, 5, 0, {0xC0, 5}},
        {0xD3, 100, 0, {0xD3, 100}},       {0xB0, 121, 0, {0xB0, 121, 0}},
        {0xE0, 0, 64, {0xE0, 0, 64}},      {0x3C, 0, 0, {}}, // no status byte
        {0xF0, 1, 2, {}},                  {0xB0, 98, 200, {}},
        {0xB0, 128, 0, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ShortMessageBytes(ShortMessage(c.status, c.d1, c.d2)), c.bytes) << c.status;
    EXPECT_EQ(ShortMessage(0x90, 0x3C, 0x40), 0x403C90u);
}

TEST(MidiOutput, APortOpensOnceAndHandlesEndWithClose) {
    test::RecordingMidiOutput out;
    out.ports = {"Synth", "Thru"};
    std::int32_t a = 0, b = 0, c = 0;
    EXPECT_EQ(out.Open(a, ""), midierr::BadDeviceId);
    EXPECT_EQ(out.Open(a, "Nowhere"), midierr::BadDeviceId);
    ASSERT_EQ(out.Open(a, "Synth"), midierr::NoError);
    EXPECT_EQ(out.Open(b, "Synth"), midierr::Allocated);
    ASSERT_EQ(out.Open(c, "Thru"), midierr::NoError);
    EXPECT_NE(a, c);

    EXPECT_EQ(out.ShortMsg(a, ShortMessage(0x90, 60, 64)), midierr::NoError);
    EXPECT_EQ(out.ShortMsg(a, ShortMessage(0x90, 200, 64)), midierr::InvalidParam);
    EXPECT_EQ(out.ShortMsg(0, ShortMessage(0x90, 60, 0)), midierr::InvalidHandle);
    EXPECT_EQ(out.Take(), (std::vector<std::string>{"90 3C 40"}));

    EXPECT_EQ(out.Close(a), midierr::NoError);
    EXPECT_EQ(out.Close(a), midierr::InvalidHandle);
    EXPECT_EQ(out.ShortMsg(a, ShortMessage(0x90, 60, 0)), midierr::InvalidHandle);
    EXPECT_FALSE(out.PortOpen("Synth"));
    EXPECT_TRUE(out.PortOpen("Thru"));
    // Open again under a new handle; a refusing system gives an error.
    ASSERT_EQ(out.Open(b, "Synth"), midierr::NoError);
    EXPECT_NE(a, b);
    out.refuse = true;
    EXPECT_EQ(out.Open(b, "Thru"), midierr::Allocated);
    out.Close(c);
    EXPECT_EQ(out.Open(b, "Thru"), midierr::Error);
}

TEST(RtMidiOutput, PlaysANoteOnTheSystemsFirstPort) {
    std::error_code ec;
    if (!std::filesystem::exists("/dev/snd/seq", ec)) GTEST_SKIP() << "no ALSA sequencer here";
    RtMidiOutput out;
    const std::vector<std::string> ports = out.Ports();
    if (ports.empty()) GTEST_SKIP() << "no MIDI output port here";
    std::int32_t handle = 0;
    ASSERT_EQ(out.Open(handle, ports.front()), midierr::NoError);
    EXPECT_EQ(out.ShortMsg(handle, ShortMessage(0x90, 60, 64)), midierr::NoError);
    EXPECT_EQ(out.ShortMsg(handle, ShortMessage(0x90, 60, 0)), midierr::NoError);
    EXPECT_EQ(out.Close(handle), midierr::NoError);
}

TEST(RtMidiOutput, WithoutMidiThereAreNoPortsAndOpensFail) {
    std::error_code ec;
    if (std::filesystem::exists("/dev/snd/seq", ec)) GTEST_SKIP() << "this machine has MIDI";
    RtMidiOutput out;
    std::int32_t handle = 0;
    EXPECT_EQ(out.Open(handle, "Synth"), midierr::BadDeviceId);
}

} // namespace
} // namespace tnq
