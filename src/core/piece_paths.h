// Where a piece's files live: the piece directory NAME.TNQ inside the pieces
// directory, and the track files inside it; and, the other way, which piece
// a file of a piece directory belongs to. Every piece file is opened by
// its full path. Names are matched regardless of letter case so that pieces
// copied from elsewhere (sonata.tnq, Sonata03) are found; a file that does
// not exist yet gets the name as the program spells it.
//
// Titles and the names made of them are program texts (Windows-1252, one
// byte a letter); on disk names are in the system's encoding (UTF-8), so
// that other programs, the file dialog among them, can list them. Paths
// (FilePath, PiecePath, a chosen file) are always in the system's encoding.
#pragma once

#include "core/state.h"

#include <optional>
#include <string>
#include <string_view>

namespace tnq {

// A program name as the file system spells it.
std::string DiskName(std::string_view name);

// A file name of the file system as a program name: nothing when it is no
// UTF-8 or holds a character Windows-1252 has not.
std::optional<std::string> NameFromDisk(std::string_view name);

// A path shown in a program text (a caption, a message): the characters
// Windows-1252 has not become "?".
std::string PathText(std::string_view path);

// True when two names of the file system differ at most in letter case
// (the letters of Windows-1252 included).
bool SameNameIgnoringCase(const std::string& a, const std::string& b);

// The track file name of a track: the title (its first 6 characters when
// it has 7 or more) and the track number in two digits, no extension:
// SONATA03, NOCTUR12, AB07.
std::string TrackFileName(const std::string& title, int track);

// Whether a name of the file system names one of the files the program
// writes in the directory of piece title (any letter case): its data file
// TITLE.TNQ, a track file, TITLE.DAT or TITLE.MID.
bool IsPieceFileName(const std::string& title, const std::string& diskName);

// The name of the entry of dir that is the program name name or differs
// from it only in letter case (the exact name first); DiskName(name) when
// there is none.
std::string FindNameIgnoringCase(const std::string& dir, const std::string& name);

// dir + "/" + the entry found by FindNameIgnoringCase.
std::string JoinIgnoringCase(const std::string& dir, const std::string& name);

// The piece directory of title inside the pieces directory filePath:
// filePath/TITLE.TNQ. Raises error 52 (Bad file name or number) for a title
// that is empty or holds a path separator or a NUL byte, error 76 (Path not
// found) for an empty pieces directory.
std::string PieceDirectoryOf(const std::string& filePath, const std::string& title);

// The pieces directory the open piece lives in: PieceHome (set by New, Open
// and the conversion, kept when the pieces directory changes), FilePath when
// that is empty.
const std::string& OpenPieceHome(const State& s);

// The open piece's directory (OpenPieceHome, PieceTitle).
std::string PieceDirectory(const State& s);

// The directory of the files of piece title: the open piece's own directory
// (PieceDirectory) when title is the open piece's title, else title's piece
// directory in the pieces directory. Every path to a piece's files is made
// from it.
std::string PieceDirectoryFor(const State& s, const std::string& title);

// Full path of a file inside the open piece's directory (data file, NAME.DAT,
// NAME.MID, a track file).
std::string PieceFilePath(const State& s, const std::string& fileName);

// Full path of track's file of piece title (in PieceDirectoryFor).
std::string TrackFilePath(const State& s, const std::string& title, int track);

// The piece directory New makes for title: filePath/TITLE.TNQ as the program
// spells it (an existing directory of another letter case is not looked for).
std::string NewPieceDirectoryOf(const std::string& filePath, const std::string& title);

// The data file path the program names a piece by: FilePath/TITLE.TNQ/TITLE.TNQ.
std::string DataFilePathOf(const std::string& filePath, const std::string& title);

// Where a chosen file lies: the pieces directory, the piece's title (upper
// case) and whether the file is the piece's data file TITLE.TNQ (otherwise
// another file of the piece directory: a track file, NAME.DAT, NAME.MID).
struct PieceLocation {
    std::string FilePath;
    std::string Title;
    bool DataFile = false;
};

// The piece a file path belongs to: the file must lie directly inside a
// directory named TITLE.TNQ (any letter case) whose title can be a piece
// title, and must not be some other .TNQ file. Nothing otherwise.
std::optional<PieceLocation> LocatePiece(const std::string& path);

} // namespace tnq
