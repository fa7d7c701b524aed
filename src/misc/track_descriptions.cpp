// Maintain Track Descriptions.
#include "misc/track_descriptions.h"

#include "core/descriptions_file.h"
#include "core/edit_fields.h"
#include "core/piece_paths.h"
#include "core/screen_procs.h"
#include "platform/vb.h"
#include "platform/whole_file.h"

#include <optional>

namespace tnq {

namespace {

// The track of the track box: 0 for an empty box, nothing for a text that
// names no entry of TrackDescription.
std::optional<int> TrackOfBox(const State& s, const std::string& text) {
    const std::string t = Trim(text);
    if (t.empty()) return 0;
    return WholeNumber(t, 0, s.TrackDescription.Allocated() ? s.TrackDescription.Upper() : -1);
}

} // namespace

std::string TrackRangeText(const State& s) {
    return " 2 to " + Str(s.NumTracks);
}

bool TrackBoxAcceptable(const State& s, const std::string& text) {
    const std::string t = Trim(text);
    return t.empty() || WholeNumber(t, 2, s.NumTracks).has_value();
}

std::string DescriptionOfTrack(const State& s, const std::string& trackText) {
    const std::optional<int> t = TrackOfBox(s, trackText);
    return t ? s.TrackDescription(*t) : std::string();
}

void StoreDescription(State& s, const std::string& trackText, const std::string& description) {
    if (const std::optional<int> t = TrackOfBox(s, trackText)) s.TrackDescription(*t) = description;
}

std::vector<DescriptionLine> DescribedTracks(const State& s) {
    std::vector<DescriptionLine> lines;
    for (int t = 2; t <= s.NumTracks && t <= s.TrackDescription.Upper(); ++t)
        if (!s.TrackDescription(t).empty()) lines.push_back({t, s.TrackDescription(t)});
    return lines;
}

void mnuMiscTrack_Click(Context& c, TrackDescDialog& dialog) {
    State& s = c.s;
    if (s.PieceOpen == 0) {
        NoFileOpenMsg(c);
        return;
    }
    if (!s.TrackDescription.Allocated()) s.TrackDescription.ReDim(s.NumTracks);
    s.DialogResult.clear();
    dialog.Show(c);
    if (s.DialogResult.empty()) return;
    const std::vector<DescriptionLine> lines = DescribedTracks(s);
    try {
        ReplaceWholeFile(PieceFilePath(s, s.PieceTitle + ".DAT"), DescriptionsText(lines));
    } catch (const VbError& e) {
        c.msg.MsgBox(ErrorOccuredText(e), mb::Exclamation,
                     std::string("Maintain Track Descriptions"));
        return;
    }
    ShowDescriptionList(c, kDescriptionsHeading, lines);
}

} // namespace tnq
