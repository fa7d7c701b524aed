#include "platform/zeroed_memory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace tnq {
namespace {

TEST(ZeroedMemory, BlocksOfEverySizeComeZeroedAndApart) {
    // Small blocks, and mapped ones on and between large pages.
    for (const std::size_t bytes :
         {std::size_t{1}, std::size_t{100000}, std::size_t{524288}, std::size_t{776008},
          std::size_t{2} << 20, (std::size_t{6} << 20) + 3}) {
        SCOPED_TRACE(bytes);
        for (int round = 0; round < 2; ++round) { // the second on memory given back
            auto* a = static_cast<unsigned char*>(AllocateZeroed(bytes));
            auto* b = static_cast<unsigned char*>(AllocateZeroed(bytes));
            ASSERT_TRUE(a && b);
            EXPECT_TRUE(std::all_of(a, a + bytes, [](unsigned char v) { return v == 0; }));
            std::memset(a, 0xA5, bytes);
            EXPECT_TRUE(std::all_of(b, b + bytes, [](unsigned char v) { return v == 0; }));
            FreeZeroed(a, bytes);
            FreeZeroed(b, bytes);
        }
    }
}

} // namespace
} // namespace tnq
