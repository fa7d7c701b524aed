// SavedTrack: one track's slots copied out and back.
#include "core/saved_track.h"

#include "core/track_files.h"

#include <algorithm>

namespace tnq {

namespace {

template <class T> void Keep(const T* row, int last, std::vector<T>& into) {
    into.assign(row, row + last + 1);
}

template <class T> void PutBack(T* row, const std::vector<T>& kept, int upTo) {
    std::copy(kept.begin(), kept.end(), row);
    const int from = static_cast<int>(kept.size());
    if (upTo >= from) std::fill(row + from, row + upTo + 1, T{});
}

} // namespace

SavedTrack::SavedTrack(State& s, int t) : t_(t) {
    if (t < 0 || t > s.ItemCount.Upper() || t > s.CurrentItem.Upper()) return;
    count_ = s.ItemCount(t);
    cursor_ = s.CurrentItem(t);
    const std::optional<TrackSlots> rows = SlotsOf(s, t);
    if (!rows) return;
    last_ = std::min(rows->Last, std::max<int>({count_, cursor_, 0}) + 1);
    Keep(rows->Code, last_, code_);
    Keep(rows->Time, last_, time_);
    Keep(rows->Dyn, last_, dyn_);
    Keep(rows->Bar, last_, bar_);
    Keep(rows->Chan, last_, chan_);
    Keep(rows->Bend, last_, bend_);
}

void SavedTrack::Restore(State& s, int upTo) const {
    if (t_ < 0 || t_ > s.ItemCount.Upper() || t_ > s.CurrentItem.Upper()) return;
    s.ItemCount(t_) = count_;
    s.CurrentItem(t_) = cursor_;
    const std::optional<TrackSlots> rows = SlotsOf(s, t_);
    if (!rows || last_ < 0 || last_ > rows->Last) return;
    upTo = std::min(upTo, rows->Last);
    PutBack(rows->Code, code_, upTo);
    PutBack(rows->Time, time_, upTo);
    PutBack(rows->Dyn, dyn_, upTo);
    PutBack(rows->Bar, bar_, upTo);
    PutBack(rows->Chan, chan_, upTo);
    PutBack(rows->Bend, bend_, upTo);
}

} // namespace tnq
