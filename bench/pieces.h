// The benchmark's pieces: generated once into a template directory by the
// program's own New, track files written record by record, and Save; copied
// afresh for every run that changes them; and the floor of a command, the
// time to read and write the bytes of its files once.
#pragma once

#include "core/state.h"

#include <filesystem>
#include <string>
#include <vector>

namespace tnq::bench {

// What a piece holds. Music: every track the same lengths in the same order
// (a TEMPO or PROGR item first, then notes of four lengths with a rest every
// ninth item and a controller every hundredth), so the tracks balance.
// Rests: track 1 quarter rests only.
enum class PieceKind { Music, Rests };

struct PieceShape {
    std::string Title;
    PieceKind Kind = PieceKind::Music;
    int Tracks = 1;
    int Items = 2; // on every track
    int MaxItems = 4; // the piece's room: MaxItems - 1 items a track
};

// The items of one track, END record included.
std::string TrackBytes(PieceKind kind, int track, int items);

// Creates the piece in dir/pieces (the program's pieces directory when it
// runs in dir). Raises std::runtime_error naming what failed.
void MakePiece(const std::filesystem::path& dir, const PieceShape& shape);

// The data file of piece title in dir/pieces.
std::filesystem::path DataFileIn(const std::filesystem::path& dir, const std::string& title);

// Copies piece title from dir/pieces into to/pieces (as hard links where
// the system allows).
void CopyPiece(const std::filesystem::path& from, const std::filesystem::path& to,
               const std::string& title);

// The open piece's track files, tracks 1..NumTracks that have one, and its
// data file.
std::vector<std::filesystem::path> TrackFilesOf(const State& s);
std::filesystem::path DataFileOf(const State& s);

// Reads each file whole and writes its bytes once, to a file of its own in
// into (kept there for the next runs, as removing them each time would leave
// the directory's part of the disk ever more freed entries); the seconds
// that took.
double ReadWriteOnce(const std::vector<std::filesystem::path>& files,
                     const std::filesystem::path& into);

} // namespace tnq::bench
