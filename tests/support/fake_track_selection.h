// The track-selection dialog answered from a script: each showing leaves
// the next scripted selection in SelectedTracks, or all "0" (Cancel) when
// none is left, and records the caption it was shown with.
#pragma once

#include "core/track_selection.h"

#include <deque>
#include <string>
#include <vector>

namespace tnq::test {

class FakeTrackSelection : public TrackSelectionDialog {
public:
    void Show(Context& c) override {
        shownWith.push_back(caption);
        State& s = c.s;
        std::string chosen(static_cast<std::size_t>(s.NumTracks), '0');
        if (!choices_.empty()) {
            for (int t : choices_.front())
                if (t >= 1 && t <= s.NumTracks) chosen[static_cast<std::size_t>(t) - 1] = '1';
            choices_.pop_front();
        }
        s.SelectedTracks = chosen;
    }
    void SetCaption(const std::string& text) override { caption = text; }

    // The next showing selects these tracks ({} = Cancel).
    void Choose(std::vector<int> tracks) { choices_.push_back(std::move(tracks)); }
    bool AllChoicesUsed() const { return choices_.empty(); }

    std::string caption = kTrackSelCaption;
    std::vector<std::string> shownWith; // the caption of each showing

private:
    std::deque<std::vector<int>> choices_;
};

} // namespace tnq::test
