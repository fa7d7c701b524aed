// Variable-length quantities and fixed-width numbers.
#include "midifile/var_len.h"

#include "midifile/byte_buffer.h"

#include "mid_fixture.h"
#include "platform/vb.h"

#include <gtest/gtest.h>

namespace tnq {
namespace {

using test::B;
using test::Hex;

// Bytes put through the buffer in runs of every length, from every starting
// room, come out as they went in: growing keeps what was put, a patch lands
// where it is aimed, and a cleared buffer starts again empty.
TEST(ByteBuffer, GrowsAtEveryBoundaryKeepingTheBytes) {
    for (std::size_t expected : {0, 1, 63, 64, 65, 130}) {
        for (std::size_t run : {1, 3, 64, 100, 257}) {
            ByteBuffer sink(expected);
            std::string want;
            int b = 0;
            for (int k = 0; k < 12; ++k) {
                ByteCursor c = sink.Open(run);
                for (std::size_t i = 0; i < run; ++i, ++b) {
                    c.Put(b * 7 + 0x100); // only the low eight bits count
                    want.push_back(static_cast<char>((b * 7) & 0xFF));
                }
                sink.Close(c);
                const std::string text(k * 11, static_cast<char>('a' + k));
                sink.Append(text);
                want += text;
                ASSERT_EQ(sink.Size(), want.size());
            }
            sink.Patch(2, "XY");
            want.replace(2, 2, "XY");
            EXPECT_EQ(sink.Bytes(), want) << expected << " " << run;
            sink.Clear();
            sink.Append("z");
            EXPECT_EQ(sink.Bytes(), "z");
        }
    }
}

TEST(VarLenEncode, GroupsOfSevenBitsMostSignificantFirst) {
    struct Case {
        std::int64_t value;
        std::string bytes;
    } cases[] = {
        {0, B({0x00})},
        {64, B({0x40})},
        {127, B({0x7F})},
        {128, B({0x81, 0x00})},
        {240, B({0x81, 0x70})},
        {480, B({0x83, 0x60})},
        {8192, B({0xC0, 0x00})},
        {16383, B({0xFF, 0x7F})},
        {0x4000, B({0x81, 0x80, 0x00})},
        {2097151, B({0xFF, 0xFF, 0x7F})},
        {2097152, B({0x81, 0x80, 0x80, 0x00})},
        {kVarLenMax, B({0xFF, 0xFF, 0xFF, 0x7F})},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Hex(VarLenEncode(c.value)), Hex(c.bytes)) << c.value;
        // The writer's own encoding gives the same bytes.
        ByteBuffer sink(0);
        ByteCursor cursor = sink.Open(4);
        cursor.PutVarLen(c.value);
        sink.Close(cursor);
        EXPECT_EQ(Hex(std::string(sink.Bytes())), Hex(c.bytes)) << c.value;
        // And read back.
        int n = 0;
        EXPECT_EQ(TicksFromVarLen(c.bytes, 1, &n), c.value);
        EXPECT_EQ(n, static_cast<int>(c.bytes.size()));
    }
}

TEST(VarLenEncode, RefusesWhatItCannotHold) {
    for (std::int64_t bad : {std::int64_t{-1}, kVarLenMax + 1, std::int64_t{1} << 40}) {
        try {
            VarLenEncode(bad);
            ADD_FAILURE() << bad;
        } catch (const VbError& e) {
            EXPECT_EQ(e.Number(), err::InvalidCall);
        }
    }
}

TEST(ConvertToBytes, BigEndianInTwoOrFourBytes) {
    EXPECT_EQ(Hex(ConvertToBytes(6, 4)), "00 00 00 06");
    EXPECT_EQ(Hex(ConvertToBytes(6, 3)), "00 00 00 06");
    EXPECT_EQ(Hex(ConvertToBytes(1, 2)), "00 01");
    EXPECT_EQ(Hex(ConvertToBytes(480, 1)), "01 E0");
    EXPECT_EQ(Hex(ConvertToBytes(65535, 2)), "FF FF");
    EXPECT_EQ(Hex(ConvertToBytes(0x12345678, 4)), "12 34 56 78");
    EXPECT_THROW(ConvertToBytes(65536, 2), VbError);
    EXPECT_THROW(ConvertToBytes(-1, 4), VbError);
    EXPECT_THROW(ConvertToBytes(std::int64_t{1} << 31, 4), VbError);
}

TEST(TicksFromVarLen, ReadsAtAPositionAndStopsAfterFourBytes) {
    const std::string buf = B({0x20, 0x81, 0x70, 0x55});
    EXPECT_EQ(TicksFromVarLen(buf, 2), 240);
    EXPECT_EQ(TicksFromVarLen(buf, 1), 0x20);
    int n = 0;
    EXPECT_EQ(TicksFromVarLen(B({0xFF, 0xFF, 0xFF, 0xFF, 0x7F}), 1, &n), 0x0FFFFFFF);
    EXPECT_EQ(n, 4);
    // Bytes past the end count as 0.
    EXPECT_EQ(TicksFromVarLen(B({0x81}), 1, &n), 128);
    EXPECT_EQ(n, 2);
}

} // namespace
} // namespace tnq
