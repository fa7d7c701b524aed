// Conversion of pieces of the older .AWE format: a directory NAME.AWE with a
// header file NAME.AWE (twelve comma-separated values) and track files
// NAME6 + two-digit track number of 34-byte item records. The piece becomes
// FilePath/NAME.TNQ with every old track moved up by one, so that track 1
// is free for tempo and meter, and stays open as if just created.
#pragma once

#include "core/context.h"
#include "core/track_files.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tnq {

// The old header's values the new piece keeps, and its new limits.
struct OldHeader {
    std::string Tempo, Description, MeterNumerator, MeterDenominator;
    Long Value5 = 0;
    Integer OldTracks = 0, MaxItems = 0, Reverb = 0, Chorus = 0;
};

// Reads an old header line. Refuses (nothing, with the reason in why) a line
// without twelve values, a track count outside 1..95 and items per track
// outside 1..32766. Reverb and chorus outside 0..7 take the defaults of s.
std::optional<OldHeader> ParseOldHeader(std::string_view line, const State& s, std::string& why);

// The records of an old track as the new piece keeps them: a note or rest
// whose adjustment is a number other than 0 (and not one beginning with
// "-") gets "0"; TEMPO items are dropped; the copy ends with the END
// record, which is appended when the old file has none. An empty file
// gives no records.
std::vector<TrackItemRecord> ConvertOldTrack(std::string_view fileBytes);

// The piece name of a chosen header path inside an .AWE directory: its
// file name as a program text, upper-cased, up to the first "."; "" when
// the path lies in no .AWE directory or the name holds a character
// Windows-1252 has not.
std::string OldPieceName(const std::string& path);

// "&Convert AWE file to TNQ...": the warning (OK / Cancel), then the
// conversion. Yes to the automatic initialization runs the screen's
// Initialize New File.
void ConvKVOtoKVS_Click(Context& c);

// The converter itself. Everything is read and checked before anything is
// created: the old files are only read; a header refused, a title New would
// not take, an old track longer than the piece can hold or an existing
// NAME.TNQ end the command with its message and nothing made.
void OpenAWEConversion(Context& c);

} // namespace tnq
