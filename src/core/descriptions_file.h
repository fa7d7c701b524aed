// The track descriptions file NAME.DAT in the piece directory: lines of a
// two-digit track number followed directly by the description (commas and
// all), CR LF line ends. Written whole through a temporary file; read at
// Open and after Initialize New File into TrackDescription and the main
// window's description list.
#pragma once

#include "core/context.h"

#include <string>
#include <string_view>
#include <vector>

namespace tnq {

// Headings of the description list: at Open, and after the descriptions
// were written.
inline constexpr const char* kDescriptionsHeadingAtOpen = "  Track Descriptions";
inline constexpr const char* kDescriptionsHeading = "  Track Description";

// One line of the file.
struct DescriptionLine {
    int Track = 0;
    std::string Text;
    bool operator==(const DescriptionLine&) const = default;
};

// The lines of a file's bytes: each line whole; a line whose first two
// characters give no track number of 0..numTracks is passed over, as is an
// empty line. padShort: a line of only its two digits gets the description
// of three blanks (as Open reads it).
std::vector<DescriptionLine> ParseDescriptions(std::string_view bytes, int numTracks,
                                               bool padShort);

// The file's bytes for the lines given.
std::string DescriptionsText(const std::vector<DescriptionLine>& lines);

// The list entry of a line: the two digits, a blank and the description.
std::string DescriptionRow(const DescriptionLine& line);

// Shows lines in the description list under heading (heading selected).
void ShowDescriptionList(Context& c, const std::string& heading,
                         const std::vector<DescriptionLine>& lines);

// Empties TrackDescription (0..NumTracks) and reads the open piece's
// NAME.DAT into it and into the list under heading. Raises VbError when the
// file cannot be read (the descriptions and the list are then empty but
// for the heading).
void LoadTrackDescriptions(Context& c, const std::string& heading, bool padShort);

} // namespace tnq
