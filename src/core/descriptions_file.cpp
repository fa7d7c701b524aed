// NAME.DAT reading and writing.
#include "core/descriptions_file.h"

#include "core/piece_file.h"
#include "core/piece_paths.h"
#include "platform/sorted_text.h"
#include "platform/vb.h"
#include "platform/whole_file.h"

#include <algorithm>
#include <cstdio>

namespace tnq {

std::vector<DescriptionLine> ParseDescriptions(std::string_view bytes, int numTracks,
                                               bool padShort) {
    std::vector<DescriptionLine> lines;
    for (std::string line : SplitLines(bytes)) {
        if (line.empty()) continue;
        if (padShort && line.size() == 2) line += "   ";
        const double v = RoundHalfEven(Val(Left(line, 2)));
        if (v < 0 || v > numTracks) continue;
        lines.push_back({static_cast<int>(v), Mid(line, 3)});
    }
    return lines;
}

std::string DescriptionsText(const std::vector<DescriptionLine>& lines) {
    std::string text;
    for (const DescriptionLine& l : lines) {
        char digits[8];
        std::snprintf(digits, sizeof digits, "%02d", l.Track);
        text += digits + l.Text + "\r\n";
    }
    return text;
}

std::string DescriptionRow(const DescriptionLine& line) {
    const std::string text = DescriptionsText({line});
    return text.substr(0, 2) + " " + line.Text;
}

void ShowDescriptionList(Context& c, const std::string& heading,
                         const std::vector<DescriptionLine>& lines) {
    std::vector<std::string> rows;
    for (const DescriptionLine& l : lines) rows.push_back(DescriptionRow(l));
    // The rows in the list's own order, the heading first whatever they
    // begin with.
    std::stable_sort(rows.begin(), rows.end(), [](const std::string& a, const std::string& b) {
        return CompareListText(a, b) < 0;
    });
    rows.insert(rows.begin(), heading);
    c.screen.SetTrackList(rows, 0);
}

void LoadTrackDescriptions(Context& c, const std::string& heading, bool padShort) {
    State& s = c.s;
    s.TrackDescription.ReDim(s.NumTracks);
    std::vector<DescriptionLine> lines;
    try {
        const std::string bytes = ReadWholeFile(PieceFilePath(s, s.PieceTitle + ".DAT"));
        lines = ParseDescriptions(bytes, s.NumTracks, padShort);
    } catch (const VbError&) {
        ShowDescriptionList(c, heading, {});
        throw;
    }
    for (const DescriptionLine& l : lines) s.TrackDescription(l.Track) = l.Text;
    ShowDescriptionList(c, heading, lines);
}

} // namespace tnq
