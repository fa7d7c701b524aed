// The rules of the track-selection dialog.
#include "core/track_selection.h"

namespace tnq {

namespace {

void AllOf(State& s, char mark) {
    s.SelectedTracks.assign(static_cast<std::size_t>(std::max<int>(s.NumTracks, 0)), mark);
}

void Mark(State& s, int track, char mark) {
    if (s.SelectedTracks.size() != static_cast<std::size_t>(s.NumTracks))
        s.SelectedTracks.resize(static_cast<std::size_t>(s.NumTracks), '0');
    s.SelectedTracks[static_cast<std::size_t>(track) - 1] = mark;
}

} // namespace

void TrackSelRules::SetTrack(State& s, int i, bool ticked) {
    bool& mark = track_.at(static_cast<std::size_t>(i));
    if (mark == ticked) return;
    mark = ticked;
    TrackClick(s, i);
}

void TrackSelRules::TrackClick(State& s, int i) {
    // Boxes of tracks the piece does not have can be ticked to no effect.
    if (i > s.NumTracks) return;
    if (i == 0) {
        if (track_[0]) {
            // All Tracks: every track; without Except the single marks go.
            AllOf(s, '1');
            allTracksTicked_ = 1;
            if (!except_)
                for (int t = 1; t <= s.NumTracks; ++t) SetTrack(s, t, false);
            AllOf(s, '1');
        } else {
            AllOf(s, '0');
            except_ = false;
            allTracksTicked_ = 0;
        }
        return;
    }
    if (track_[static_cast<std::size_t>(i)]) {
        if (allTracksTicked_ == 1 && !except_) {
            // From all tracks to single tracks.
            AllOf(s, '0');
            SetTrack(s, 0, false);
            allTracksTicked_ = 0;
        }
        Mark(s, i, '1');
    } else {
        Mark(s, i, '0');
    }
}

void TrackSelRules::SetClear(State& s, bool ticked) {
    clear_ = ticked;
    if (!ticked) return;
    for (int i = 0; i <= s.NumTracks && i <= kBoxes; ++i) SetTrack(s, i, false);
    except_ = false;
    clear_ = false; // it behaves as a push button
    AllOf(s, '0');
}

void TrackSelRules::Activate(State& s) {
    AllOf(s, '0');
    for (int b = 0; b <= s.NumTracks && b <= kBoxes; ++b) {
        TrackClick(s, b);
        if (b == 0 && track_[0] && !except_) break; // every track
    }
}

void TrackSelRules::OK(State& s) {
    if (!except_ || !track_[0]) return;
    AllOf(s, '1');
    s.ActiveTracks.assign(s.SelectedTracks.size(), '1');
    for (int t = 1; t <= s.NumTracks && t <= kBoxes; ++t)
        if (track_[static_cast<std::size_t>(t)]) Mark(s, t, '0');
}

void TrackSelRules::Cancel(State& s) {
    AllOf(s, '0');
}

TrackSelGeometry TrackSelGeometryFor(int numTracks) {
    // Columns, width, left, top, All Tracks, Except, buttons.
    static constexpr TrackSelGeometry kRows[] = {
        {2, 2460, 4470, 1080, 0, 1200, 720},     {3, 3700, 4470, 1080, 720, 1920, 1200},
        {4, 4980, 3990, 1080, 1200, 2520, 2040}, {5, 6240, 3360, 1080, 1920, 3120, 2520},
        {6, 7530, 2715, 1080, 2520, 3720, 3240},
    };
    if (numTracks <= 32) return kRows[0];
    if (numTracks <= 48) return kRows[1];
    if (numTracks <= 64) return kRows[2];
    if (numTracks <= 80) return kRows[3];
    return kRows[4];
}

TwipsBox TrackBoxPlace(int i) {
    static constexpr int kColumnLeft[6] = {0, 1200, 2520, 3720, 5040, 6240};
    const int column = (i - 1) / 16, row = (i - 1) % 16;
    return {kColumnLeft[column], 720 + 240 * row, 1215, 255};
}

} // namespace tnq
