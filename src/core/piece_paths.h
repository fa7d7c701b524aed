// Where a piece's files live: the piece directory NAME.TNQ inside the pieces
// directory, and the track files inside it. Every piece file is opened by
// its full path. Names are matched regardless of letter case so that pieces
// copied from elsewhere (sonata.tnq, Sonata03) are found; a file that does
// not exist yet gets the name as the program spells it.
#pragma once

#include "core/state.h"

#include <string>

namespace tnq {

// The track file name of a track: the title (its first 6 characters when
// it has 7 or more) and the track number in two digits, no extension:
// SONATA03, NOCTUR12, AB07.
std::string TrackFileName(const std::string& title, int track);

// The name of the entry of dir that is name or differs from it only in
// letter case (the exact name first); name itself when there is none.
std::string FindNameIgnoringCase(const std::string& dir, const std::string& name);

// dir + "/" + the entry found by FindNameIgnoringCase.
std::string JoinIgnoringCase(const std::string& dir, const std::string& name);

// The piece directory of title inside the pieces directory filePath:
// filePath/TITLE.TNQ. Raises error 52 (Bad file name or number) for a title
// that is empty or holds a path separator or a NUL byte, error 76 (Path not
// found) for an empty pieces directory.
std::string PieceDirectoryOf(const std::string& filePath, const std::string& title);

// The pieces directory the open piece lives in: PieceHome when the pieces
// directory was changed while it was open, else FilePath.
const std::string& OpenPieceHome(const State& s);

// The open piece's directory (OpenPieceHome, PieceTitle).
std::string PieceDirectory(const State& s);

// Full path of a file inside the open piece's directory (data file, NAME.DAT,
// NAME.MID, a track file).
std::string PieceFilePath(const State& s, const std::string& fileName);

// Full path of track's file in piece title under the pieces directory.
std::string TrackFilePath(const std::string& filePath, const std::string& title, int track);

} // namespace tnq
