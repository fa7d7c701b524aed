// The score arrays: two dimensions like Array2, whose rows take a run of
// inserts and deletes at one place in time that does not grow with the row.
// Its gaps are its own, beside a record image's (RecordImage), because a row
// is a fixed number of slots that read 0 above its content, while a file's
// bytes grow and keep what its moves leave behind its end.
//
// A row holds its items in slots 0..End (its content); the slots above End
// read 0. The free room above End, the gap, lies where the last move of the
// row left it: row i's slot j < Gap is stored at j, a slot Gap <= j <= End
// at j + (Upper2 - End), and the gap itself holds zeros. A row whose End is
// Upper2 is plain (no gap, every slot where it reads). A const read never
// moves anything; a non-const access above End, and Row(), first make the
// row plain, so a reference into a row holds only until the next of these
// or the next move.
#pragma once

#include "core/arrays.h"
#include "platform/vb.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace tnq {

template <class T> class GapArray2 {
public:
    GapArray2() = default;
    GapArray2(int upper1, int upper2) { ReDim(upper1, upper2); }

    void ReDim(int upper1, int upper2) {
        if (upper1 < 0 || upper2 < 0) throw VbError(err::SubscriptOutOfRange);
        Storage((static_cast<std::size_t>(upper1) + 1) * (static_cast<std::size_t>(upper2) + 1))
            .swap(data_);
        std::vector<RowState>(static_cast<std::size_t>(upper1) + 1, RowState{upper2, upper2 + 1})
            .swap(rows_);
        u1_ = upper1;
        u2_ = upper2;
        open_ = 0;
    }
    void Erase() {
        Storage().swap(data_);
        std::vector<RowState>().swap(rows_);
        u1_ = u2_ = -1;
        open_ = 0;
    }
    bool Allocated() const { return !data_.empty(); }
    int Upper1() const { return u1_; }
    int Upper2() const { return u2_; }
    // Whether row i has the slots 0..last: Row(i) then gives them in place.
    bool HoldsRow(int i, int last) const { return i >= 0 && i <= u1_ && last >= 0 && last <= u2_; }

    T& operator()(int i, int j) {
        const std::size_t at = Index(i, j);
        if (open_ == 0) [[likely]]
            return data_[at];
        if (j > rows_[static_cast<std::size_t>(i)].End) MakePlain(i);
        return data_[Start(i) + Slot(i, j)];
    }
    const T& operator()(int i, int j) const {
        const std::size_t at = Index(i, j);
        if (open_ == 0) [[likely]]
            return data_[at];
        return data_[Start(i) + Slot(i, j)];
    }

    // Row i made plain: slots 0..Upper2() in place from the pointer, until
    // the row is moved or the array dimensioned again.
    T* Row(int i) {
        const std::size_t start = Index(i, 0);
        MakePlain(i);
        return &data_[start];
    }

    void Fill(const T& v) {
        std::fill(data_.begin(), data_.end(), v);
        for (RowState& r : rows_) r = RowState{u2_, u2_ + 1};
        open_ = 0;
    }

    // Grows or shrinks the second dimension keeping the contents that fit.
    void ReDimPreserve(int upper2) {
        GapArray2 n(u1_, upper2);
        const int keep = std::min(u2_, upper2) + 1;
        for (int i = 0; i <= u1_; ++i) {
            const T* from = Row(i);
            std::copy(from, from + keep, &n.data_[n.Start(i)]);
        }
        *this = std::move(n);
    }

    // Slots first..last of row i moved shift places on (shift > 0) or back
    // (shift < 0), as copying them one by one highest first (lowest first
    // when back) would: after a move on, slots first..first + shift - 1
    // keep what they read. The slots above last + shift read 0 afterwards.
    // Error 9, nothing changed, when a slot moved from or to lies outside
    // the row.
    void MoveSlots(int i, int first, int last, int shift) {
        Index(i, 0);
        if (first > last) {
            SetEnd(i, std::clamp(last + shift, -1, u2_));
            return;
        }
        if (first < 0 || last > u2_ || first + shift < 0 || last + shift > u2_)
            throw VbError(err::SubscriptOutOfRange);
        RowState& r = rows_[static_cast<std::size_t>(i)];
        if (shift > 0 && last < r.End && first + shift - 1 > last) {
            // Slots between last and first + shift keep their items: moved
            // as in a plain row (no caller moves this way).
            T* p = Row(i);
            std::copy_backward(p + first, p + last + 1, p + last + shift + 1);
            SetEnd(i, last + shift);
            return;
        }
        SetEnd(i, last);
        if (shift == 0) return;
        MoveGap(i, first);
        T* p = &data_[Start(i)];
        const int gap = u2_ - last;
        if (shift > 0) {
            // The gap closes by shift behind slot first, whose items stay
            // readable in front of it.
            const int kept = std::min(shift, last - first + 1);
            std::copy(p + first + gap, p + first + gap + kept, p + first);
        } else {
            Clear(p + first + shift, p + first);
        }
        Reshape(i, last + shift, first + shift);
    }

private:
    struct RowState {
        int End; // the last slot of the content
        int Gap; // the first slot stored behind the gap (Upper2 + 1 when plain)
    };

    std::size_t Index(int i, int j) const {
        if (i < 0 || j < 0 || i > u1_ || j > u2_) throw VbError(err::SubscriptOutOfRange);
        return Start(i) + static_cast<std::size_t>(j);
    }
    std::size_t Start(int i) const {
        return static_cast<std::size_t>(i) * (static_cast<std::size_t>(u2_) + 1);
    }
    // Where slot j of row i is stored; a slot above End is one in the gap.
    std::size_t Slot(int i, int j) const {
        const RowState& r = rows_[static_cast<std::size_t>(i)];
        if (j < r.Gap) return static_cast<std::size_t>(j);
        if (j <= r.End) return static_cast<std::size_t>(j + (u2_ - r.End));
        return static_cast<std::size_t>(r.Gap + (j - r.End - 1));
    }

    static void Clear(T* from, T* to) {
        if (to > from) std::fill(from, to, T{});
    }

    // The row's new content end and gap place, counted as open or plain.
    void Reshape(int i, int end, int gap) {
        RowState& r = rows_[static_cast<std::size_t>(i)];
        const bool wasOpen = r.End < u2_;
        r = end < u2_ ? RowState{end, gap} : RowState{u2_, u2_ + 1};
        const bool isOpen = r.End < u2_;
        if (isOpen != wasOpen) open_ += isOpen ? 1 : -1;
    }

    // The gap of row i moved to lie in front of slot to (0..End + 1).
    void MoveGap(int i, int to) {
        RowState& r = rows_[static_cast<std::size_t>(i)];
        const int gap = u2_ - r.End;
        if (gap == 0 || to == r.Gap) return;
        T* p = &data_[Start(i)];
        if (to < r.Gap) {
            std::move_backward(p + to, p + r.Gap, p + r.Gap + gap);
            Clear(p + to, p + std::min(r.Gap, to + gap));
        } else {
            std::move(p + r.Gap + gap, p + to + gap, p + r.Gap);
            Clear(p + std::max(to, r.Gap + gap), p + to + gap);
        }
        r.Gap = to;
    }

    // Row i's content end set to end (-1..Upper2): slots dropped read 0,
    // slots taken in read 0.
    void SetEnd(int i, int end) {
        const RowState r = rows_[static_cast<std::size_t>(i)];
        if (end == r.End) return;
        T* p = &data_[Start(i)];
        if (end > r.End) {
            MoveGap(i, r.End + 1);
        } else if (r.Gap > end + 1) {
            Clear(p + end + 1, p + r.Gap);
            Clear(p + r.Gap + (u2_ - r.End), p + u2_ + 1);
        } else {
            MoveGap(i, end + 1);
            Clear(p + end + 1 + (u2_ - r.End), p + u2_ + 1);
        }
        Reshape(i, end, end + 1);
    }

    void MakePlain(int i) {
        const RowState r = rows_[static_cast<std::size_t>(i)];
        if (r.End == u2_) return;
        MoveGap(i, r.End + 1);
        Reshape(i, u2_, u2_ + 1);
    }

    using Storage = std::vector<T, ZeroedAllocator<T>>;
    Storage data_;
    std::vector<RowState> rows_;
    int u1_ = -1, u2_ = -1;
    int open_ = 0; // rows with a gap
};

} // namespace tnq
