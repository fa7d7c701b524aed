// One track's item count, cursor and score rows, kept to be put back: what
// a change that is undone, or a check run over the track's rows, restores.
#pragma once

#include "core/state.h"

#include <vector>

namespace tnq {

class SavedTrack {
public:
    // Keeps track t's ItemCount, CurrentItem and its six score rows from
    // slot 0 up to past its count and cursor.
    SavedTrack(State& s, int t);

    int Track() const { return t_; }
    // Puts them back; slots above the kept ones up to upTo read 0 again.
    void Restore(State& s, int upTo) const;

private:
    int t_;
    Integer count_ = 0, cursor_ = 0;
    int last_ = -1; // the slots kept: 0..last_
    std::vector<Integer> code_, dyn_, bar_, chan_, bend_;
    std::vector<Long> time_;
};

} // namespace tnq
