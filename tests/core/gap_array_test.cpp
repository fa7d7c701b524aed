// The score arrays with gaps in their rows, against plain rows moved slot by
// slot.
#include "core/gap_array.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace tnq::test {
namespace {

// The rows as the moves are meant: slot by slot, then zeros behind.
struct PlainRows {
    int U2;
    std::vector<std::vector<long>> Rows;
    long& At(int i, int j) {
        if (i < 0 || j < 0 || i >= static_cast<int>(Rows.size()) || j > U2)
            throw VbError(err::SubscriptOutOfRange);
        return Rows[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)];
    }
    void Move(int i, int first, int last, int shift) {
        At(i, 0);
        if (first <= last) At(i, first), At(i, last), At(i, first + shift), At(i, last + shift);
        if (shift > 0)
            for (int k = last; k >= first; --k) At(i, k + shift) = At(i, k);
        else
            for (int k = first; k <= last; ++k) At(i, k + shift) = At(i, k);
        for (int k = std::max(last + shift + 1, 0); k <= U2; ++k) At(i, k) = 0;
    }
};

// The error number a step raises (0: none).
template <class F> int ErrorOf(F step) {
    try {
        step();
    } catch (const VbError& e) {
        return e.Number();
    }
    return 0;
}

TEST(GapArray, ReadsAsPlainRowsMovedSlotBySlot) {
    // Seed, rows, slots; weights of a walking move, a move anywhere (out of
    // bounds too), a non-const read, a write, Row(), ReDimPreserve.
    struct Mix {
        unsigned Seed;
        int Upper1, Upper2;
        std::vector<double> Weights;
    };
    for (const Mix& m : {Mix{1, 2, 60, {20, 0, 4, 4, 0, 0}}, Mix{2, 3, 40, {10, 6, 4, 4, 1, 0}},
                         Mix{3, 1, 30, {8, 2, 4, 12, 1, 0}}, Mix{4, 2, 25, {8, 3, 3, 3, 3, 1}},
                         Mix{5, 1, 0, {5, 5, 2, 2, 1, 1}}}) {
        SCOPED_TRACE(m.Seed);
        std::mt19937 rng(m.Seed);
        auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution(lo, hi)(rng); };
        GapArray2<long> a(m.Upper1, m.Upper2);
        PlainRows p{m.Upper2, std::vector(m.Upper1 + 1u, std::vector<long>(m.Upper2 + 1u))};
        // Each row's count and cursor, walking as the commands walk.
        std::vector<int> count(m.Upper1 + 1u, 0), cursor(m.Upper1 + 1u, 1);
        std::discrete_distribution<int> op(m.Weights.begin(), m.Weights.end());
        for (int step = 0; step < 2500; ++step) {
            const int u2 = a.Upper2(), i = pick(0, m.Upper1), k = pick(1, 3);
            int& n = count[static_cast<std::size_t>(i)];
            int& at = cursor[static_cast<std::size_t>(i)];
            n = std::min(n, u2);
            at = std::clamp(at, 0, n + 1);
            int first = at, last = n, shift = k;
            const int kind = op(rng);
            if (kind == 0 && (pick(0, 1) == 0 || at < 1 || at + k > n + 1)) {
                n += n + k <= u2 ? k : 0;
            } else if (kind == 0) {
                first = at + k, shift = -k, n -= k;
            } else if (kind == 1) {
                first = pick(-1, u2 + 1), last = pick(first - 2, u2 + 1);
                shift = pick(-u2 / 2 - 1, u2 / 2 + 1);
            }
            if (kind <= 1) {
                const int e = ErrorOf([&] { a.MoveSlots(i, first, last, shift); });
                ASSERT_EQ(e, ErrorOf([&] { p.Move(i, first, last, shift); })) << step;
                at += pick(-1, 3);
            } else if (kind <= 3) {
                const int ri = pick(-1, m.Upper1 + 1), j = pick(-1, u2 + 1), from = pick(0, u2);
                const long v = kind == 2 ? 0 : pick(0, 1) ? a(i, from) : step + 1;
                const int e =
                    ErrorOf([&] { kind == 2 ? static_cast<void>(a(ri, j)) : void(a(i, j) = v); });
                ASSERT_EQ(e,
                          ErrorOf([&] { kind == 2 ? void(p.At(ri, j)) : void(p.At(i, j) = v); }));
            } else if (kind == 4) {
                long* row = a.Row(i);
                for (int j = 0; j <= u2; ++j) ASSERT_EQ(row[j], p.At(i, j)) << "slot " << j;
                const int j = pick(0, u2);
                row[j] = p.At(i, j) = -step;
            } else {
                p.U2 = pick(0, 2 * m.Upper2 + 1);
                a.ReDimPreserve(p.U2);
                for (auto& r : p.Rows) r.resize(p.U2 + 1u);
            }
            ASSERT_EQ(a.Upper2(), p.U2);
            const GapArray2<long>& ca = a;
            for (int r = 0; r <= m.Upper1; ++r)
                for (int j = 0; j <= p.U2; ++j)
                    ASSERT_EQ(ca(r, j), p.At(r, j))
                        << "step " << step << " row " << r << " slot " << j;
        }
    }
}

} // namespace
} // namespace tnq::test
