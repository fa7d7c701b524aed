// Maintain Track Descriptions: the dialog frmTrackDesc as the command sees
// it, the rules of its two boxes, and the command that rewrites NAME.DAT
// from TrackDescription.
#pragma once

#include "core/context.h"
#include "core/descriptions_file.h"

#include <string>
#include <vector>

namespace tnq {

// frmTrackDesc, shown modally: DialogResult "ok" after Update, "" after
// Cancel. Descriptions typed are stored in TrackDescription as each one is
// left, whatever the result.
class TrackDescDialog {
public:
    virtual ~TrackDescDialog() = default;
    virtual void Show(Context& c) = 0;
};

// The range label: " 2 to " and NumTracks with its leading blank.
std::string TrackRangeText(const State& s);

// The track box as it is left: empty, or a whole number 2..NumTracks
// (blanks around it allowed). Otherwise the focus stays in the box.
bool TrackBoxAcceptable(const State& s, const std::string& text);

// The description shown for the track box's text (entry 0 for an empty
// box; "" for a number outside the piece).
std::string DescriptionOfTrack(const State& s, const std::string& trackText);

// Stores the description box for the track box's track (entry 0 for an
// empty box; nothing outside the piece).
void StoreDescription(State& s, const std::string& trackText, const std::string& description);

// "&Maintain Track Descriptions": shows the dialog; after Update rewrites
// NAME.DAT whole with a line for every track 2..NumTracks that has a
// description and lists them under "  Track Description". A file that
// cannot be written is reported and stays as it was.
void mnuMiscTrack_Click(Context& c, TrackDescDialog& dialog);

// The descriptions of tracks 2..NumTracks that are not empty, in track order.
std::vector<DescriptionLine> DescribedTracks(const State& s);

} // namespace tnq
