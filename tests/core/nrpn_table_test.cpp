// The NRPN parameter table and the Dynamics ranges of NRPN1 items built on it.
#include "core/item_checks.h"
#include "core/vocabulary.h"
#include "core/nrpn_table.h"

#include <gtest/gtest.h>

namespace tnq {
namespace {

TEST(NrpnTable, RangesOfTheParameters) {
    const struct {
        int n, min, max;
    } cases[] = {{0, 0, 5900},      {1, 0, 127},     {5, 0, 5940},  {6, 0, 8191}, {12, 0, 8191},
                 {16, -8192, 8191}, {18, -127, 127}, {23, -64, 63}, {25, 0, 255}, {26, 0, 255}};
    for (const auto& k : cases) {
        EXPECT_EQ(NRPNArray[k.n][0], k.min) << k.n;
        EXPECT_EQ(NRPNArray[k.n][1], k.max) << k.n;
        const auto r = DynamicsRange(code::NRPN1, k.n);
        ASSERT_TRUE(r.has_value());
        EXPECT_EQ(r->Min, k.min);
        EXPECT_EQ(r->Max, k.max);
    }
    EXPECT_FALSE(NrpnRangeOf(-1).has_value());
    EXPECT_FALSE(NrpnRangeOf(27).has_value());
    // No parameter, no value that fits.
    const auto none = DynamicsRange(code::NRPN1, 27);
    ASSERT_TRUE(none.has_value());
    EXPECT_GT(none->Min, none->Max);
}

} // namespace
} // namespace tnq
