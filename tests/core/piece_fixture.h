// A piece directory with allocated score, and track files written from
// lists of records.
#pragma once

#include "core/memory.h"
#include "core/piece_paths.h"
#include "core/track_files.h"
#include "core/vocabulary.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

namespace tnq::test {

// An item record with the usual bar, channel and pitch bend.
inline TrackItemRecord Item(std::string note, std::string octave, std::string duration,
                            std::string adjustment = "0", std::string dynamics = "64",
                            std::string bar = "1", std::string channel = "1",
                            std::string bend = "0") {
    return {note, octave, duration, adjustment, dynamics, bar, channel, bend};
}

class PieceTest : public ::testing::Test {
protected:
    void SetUpPiece(int tracks = 4, int items = 10) {
        s.FilePath = (p.dir.Path() / "pieces").string();
        s.PieceTitle = "SONATA";
        std::filesystem::create_directories(PieceDir());
        s.NumTracks = static_cast<Integer>(tracks);
        s.MaxItems = static_cast<Integer>(items);
        s.TicksPerQuarter = 480;
        s.Tempo = "120";
        FillNoteTables(s);
        ASSERT_TRUE(MemorySetUp(c));
    }
    void SetUp() override { SetUpPiece(); }

    std::filesystem::path PieceDir() const {
        return std::filesystem::path(s.FilePath) / (s.PieceTitle + ".TNQ");
    }
    std::filesystem::path TrackPath(int t) const {
        return PieceDir() / TrackFileName(s.PieceTitle, t);
    }
    void WriteTrack(int t, const std::vector<TrackItemRecord>& items, bool withEnd = true) {
        std::string bytes;
        for (const auto& r : items) bytes += EncodeRecord(r);
        if (withEnd) bytes += EncodeRecord(kEndRecord);
        WriteFile(TrackPath(t), bytes);
    }
    void Select(std::initializer_list<int> tracks) {
        s.SelectedTracks.assign(static_cast<std::size_t>(s.NumTracks), '0');
        for (int t : tracks) s.SelectedTracks[static_cast<std::size_t>(t) - 1] = '1';
    }

    Program p;
    State& s = p.s;
    Context& c = p.c;
};

} // namespace tnq::test
