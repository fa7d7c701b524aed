// The program's start, the pieces directory and two standard messages.
#pragma once

#include "core/context.h"
#include "platform/vb.h"

#include <functional>

namespace tnq {

// The three sample pieces delivered with the program.
inline constexpr const char* kSamplePieces[3] = {"MINUET", "ODETOJOY", "SCARBORO"};

// The start sequence: version check, version text, the list of needed
// files, the help search with its warning, then showMainForm. Returns false
// when the program must end at once (the version check refused).
bool Main(Context& c, const std::function<void()>& showMainForm);

// Fills RequiredFiles rows 1..8: the files the program needs and where
// each belongs.
void FillRequiredFiles(State& s);

// The pieces directory: the "FilePath" setting when it names an existing
// directory, otherwise ~/Tonquill (created when missing, and then given the
// sample pieces of the program directory).
std::string DefaultPath(Context& c);

// Copies the sample piece directories NAME.TNQ found in programDir into
// piecesDir, leaving out any that is missing there or already present.
void CopySamplePieces(const std::string& programDir, const std::string& piecesDir);

// "Error <n> <text>", exclamation icon, the program's title; the text says
// where (a track and its file) when the error names it. Inside an open
// change to the track files nothing is shown: the change fails, and tells
// the error with the command's name when it ends (TrackChange).
void DisplayError(Context& c, int number);
void DisplayError(Context& c, const VbError& e);

// "Selection by Item can only be for one track".
void ItemSelectionWarning(Context& c);

} // namespace tnq
