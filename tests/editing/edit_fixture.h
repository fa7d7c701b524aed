// The piece every bulk-edit test works on: an open piece in a temporary
// pieces directory, track files written from records and read back, with a
// record-by-record comparison, and the track-selection dialog scripted.
#pragma once

#include "core/piece_fixture.h"
#include "core/recalculate.h"
#include "support/fake_track_selection.h"

#include <sstream>

namespace tnq::test {

class EditTest : public PieceTest {
protected:
    void SetUp() override {
        SetUpPiece(4, 20);
        s.PieceOpen = 1;
        s.SelectedTracks.assign(4, '0');
        s.ActiveTracks.assign(4, '1');
    }

    // Writes the tracks' files and brings the score in step with them.
    void Tracks(std::initializer_list<std::pair<int, std::vector<TrackItemRecord>>> tracks) {
        std::string all(static_cast<std::size_t>(s.NumTracks), '0');
        for (const auto& [t, items] : tracks) {
            WriteTrack(t, items);
            all[static_cast<std::size_t>(t) - 1] = '1';
        }
        const std::string kept = s.SelectedTracks;
        s.SelectedTracks = all;
        ASSERT_TRUE(Recalculate(c));
        s.SelectedTracks = kept;
    }

    // The records of track t's file up to its END record (or its end).
    std::vector<TrackItemRecord> Records(int t) const {
        const std::string bytes = ReadFile(TrackPath(t));
        std::vector<TrackItemRecord> out;
        for (std::size_t at = 0; at + 34 <= bytes.size(); at += 34) {
            const std::string_view rec(bytes.data() + at, 34);
            if (IsEndRecord(rec)) break;
            out.push_back(Trimmed(DecodeRecord(rec)));
        }
        return out;
    }

    // Compares track t's file with want, naming the first record that differs.
    void ExpectTrack(int t, const std::vector<TrackItemRecord>& want) const {
        const auto got = Records(t);
        for (std::size_t i = 0; i < std::max(got.size(), want.size()); ++i) {
            if (i < got.size() && i < want.size() && got[i] == want[i]) continue;
            ADD_FAILURE() << "track " << t << " item " << i + 1 << ": got "
                          << (i < got.size() ? Show(got[i]) : "nothing") << ", want "
                          << (i < want.size() ? Show(want[i]) : "nothing");
            return;
        }
    }

    static std::string Show(const TrackItemRecord& r) {
        std::ostringstream o;
        o << '[' << r.Note << '|' << r.Octave << '|' << r.Duration << '|' << r.Adjustment << '|'
          << r.Dynamics << '|' << r.Bar << '|' << r.Channel << '|' << r.PitchBend << ']';
        return o.str();
    }

    FakeTrackSelection tracks;
};

} // namespace tnq::test
