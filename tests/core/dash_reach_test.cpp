// The places whose items' dashes reach back across them, found place by
// place and over a span at once.
#include "core/dash_reach.h"

#include "piece_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

namespace tnq::test {
namespace {

class DashReach : public PieceTest {
protected:
    void SetUp() override { SetUpPiece(2, 100); }
};

TEST_F(DashReach, ASpanAgreesWithEachPlace) {
    for (unsigned seed = 1; seed <= 40 && !HasFailure(); ++seed) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        std::mt19937 rng(seed);
        auto any = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
        // Notes with runs of dashes (or a letter after them), keywords and
        // items without length; the file cut short of the count now and then.
        const int count = any(0, 24);
        std::string bytes;
        for (int i = 1; i <= count; ++i) {
            const bool keyword = any(0, 5) == 0;
            const int dashes = any(0, 2) == 0 ? any(1, 4) : 0;
            const std::string adj = dashes > 0 ? std::string(static_cast<std::size_t>(dashes), '-') +
                                                     (any(0, 7) == 0 ? "x" : "")
                                               : "0";
            bytes += EncodeRecord(Item(keyword ? "PROGR" : "C", "4", "q", adj));
            s.NoteCode(1, i) = static_cast<Integer>(keyword ? code::PROGR : 60);
            s.ItemTime(1, i) = any(0, 4) == 0 ? 0 : 480;
        }
        if (any(0, 3) == 0)
            bytes.resize(bytes.size() - std::min(bytes.size(), static_cast<std::size_t>(any(0, 3 * 34))));
        WriteFile(TrackPath(1), bytes);
        s.ItemCount(1) = static_cast<Integer>(count);
        s.CurrentTrack = 1;
        TrackFileOpen(c);
        for (int k = 0; k < 6; ++k) {
            const int first = any(-1, count + 2), last = first + any(-1, count + 4);
            const std::vector<bool> across = DashesAcross(c, 1, first, last);
            ASSERT_EQ(static_cast<int>(across.size()), std::max(last - first + 1, 0));
            for (int b = first; b <= last; ++b)
                EXPECT_EQ(across[static_cast<std::size_t>(b - first)], DashAcross(c, 1, b) != 0)
                    << "place " << b << " of " << first << ".." << last;
        }
    }
}

} // namespace
} // namespace tnq::test
