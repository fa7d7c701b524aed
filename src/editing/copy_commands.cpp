// Copy a Section, Vertical Copy and Copy by Item.
#include "editing/copy_commands.h"

#include "core/track_change.h"
#include "core/edit_fields.h"
#include "core/item_space.h"
#include "core/piece_commands.h"
#include "core/piece_title.h"
#include "core/recalculate.h"
#include "core/startup.h"
#include "editing/copy_dashes.h"
#include "editing/copy_items.h"
#include "editing/edit_frame.h"
#include "platform/vb.h"

namespace tnq {

namespace {

constexpr const char* kCopyProgress = "Copy in progress...";

bool NoOption(Context& c, const std::string& mode) {
    if (!mode.empty()) return false;
    c.msg.MsgBox("No option selected", mb::OKOnly);
    return true;
}

void StoreTransposition(State& s, int pitchIndex, int octaveIndex) {
    s.CopySemitones = static_cast<Integer>(SemitonesOf(pitchIndex));
    s.CopyOctaves = static_cast<Integer>(OctavesOf(octaveIndex));
}

// Positions the cursor of CurrentTrack for the copy (file 2 open on it):
// behind its last item for ADD, else on the first item of bar atBar.
// False when the bar is not found (LocateBar's message).
bool PositionDestination(Context& c, Integer atBar) {
    State& s = c.s;
    const int t = s.CurrentTrack;
    TrackFileOpen(c);
    if (s.CopyMode == "ADD") {
        s.CurrentItem(t) = static_cast<Integer>(s.ItemCount(t) + 1);
        return true;
    }
    s.CurrentItem(t) = 1;
    s.ItemBar = atBar;
    return LocateBar(c) == 0;
}

// The frame of both bar copies.
EditCommand BarCopyCommand(const char* menuMode, CopyByBarDialog& dialog, Integer& atBar) {
    EditCommand cmd;
    cmd.MenuMode = menuMode;
    cmd.Progress = kCopyProgress;
    cmd.ShowDialog = [&dialog](Context& c) { return dialog.Show(c); };
    cmd.Range = [&dialog] {
        const CopyByBarTexts t = dialog.Texts();
        return EditRangeTexts{t.FromBar, t.ToBar, t.StartingBeat, t.NoBeats, t.BeatValue, ""};
    };
    cmd.ReadParameters = [&dialog, &atBar](Context& c) {
        const CopyByBarTexts t = dialog.Texts();
        atBar = FieldValue(t.AtBar);
        c.s.ItemBar = atBar;
        c.s.CopyOffset = FieldValue(t.Offset);
        c.s.CopyBarNumbers = "Y";
    };
    return cmd;
}

// Recalculates track t alone; its cursor stays where it was (at most behind
// the last item).
void RecalculateTrack(Context& c, int t) {
    State& s = c.s;
    const std::string kept = s.SelectedTracks;
    const int cursor = s.CurrentItem(t);
    s.SelectedTracks.assign(static_cast<std::size_t>(s.NumTracks), '0');
    s.SelectedTracks[static_cast<std::size_t>(t) - 1] = '1';
    Recalculate(c);
    s.SelectedTracks = kept;
    s.CurrentTrack = static_cast<Integer>(t);
    s.CurrentItem(t) = static_cast<Integer>(std::min(cursor, s.ItemCount(t) + 1));
}

} // namespace

std::optional<std::string> CheckSourceTitle(Context& c, const std::string& typed) {
    State& s = c.s;
    if (typed == s.PieceTitle) return s.PieceTitle;
    // The bare name of a piece, as New takes it; never a path.
    const CheckedTitle checked = CheckPieceTitle(typed);
    if (checked.Result == TitleCheck::Ok) {
        if (checked.Title == s.PieceTitle) return s.PieceTitle;
        if (CheckPieceExists(c, checked.Title) != "error") return checked.Title;
    }
    c.msg.MsgBox("File  " + typed + "does not exist", mb::Exclamation,
                 std::string("Validate File Name"));
    return std::nullopt;
}

CopyField CopyByBarOK(Context& c, const std::string& mode, const CopyByBarTexts& t,
                      int pitchIndex, int octaveIndex) {
    State& s = c.s;
    if (NoOption(c, mode)) return CopyField::Silent;
    s.CopyMode = mode;
    const auto title = CheckSourceTitle(c, t.Title);
    if (!title) return CopyField::Title;
    s.SourceTitle = *title;
    if (CheckBarFields({t.FromBar, t.ToBar, "", "", ""}) != BarField::None)
        return CopyField::Silent;
    if (mode != "ADD" && !(IsNumeric(t.AtBar) && Val(t.AtBar) >= 0 && Val(t.AtBar) <= 9999))
        return CopyField::Silent;
    if (!IsNumeric(t.Offset)) return CopyField::Silent;
    // Every copied bar lies in From Bar..To Bar: the offset must keep them
    // all in 0..9999.
    if (Val(t.FromBar) + Val(t.Offset) < 0 || Val(t.ToBar) + Val(t.Offset) > 9999)
        return CopyField::Offset;
    StoreTransposition(s, pitchIndex, octaveIndex);
    switch (CheckBarFields({t.FromBar, t.ToBar, t.StartingBeat, t.NoBeats, t.BeatValue})) {
    case BarField::None: return CopyField::None;
    case BarField::BeatValue: return CopyField::BeatValue;
    case BarField::StartingBeat: return CopyField::StartingBeat;
    case BarField::NumberOfBeats: return CopyField::NoBeats;
    default: return CopyField::Silent;
    }
}

bool CopySection(Context& c, TrackSelectionDialog& tracks, CopyByBarDialog& dialog) {
    Integer atBar = 0;
    EditCommand cmd = BarCopyCommand("mnuEdtCopy", dialog, atBar);
    cmd.FromOtherPiece = [&c] { return c.s.SourceTitle != c.s.PieceTitle; };
    bool checked = false;
    cmd.ApplySpan = [&atBar, &checked](Context& cc) {
        // Every track is looked at before the first is changed.
        if (!checked) {
            checked = true;
            if (!SectionClearOfDashes(cc, atBar)) return false;
        }
        return ReportingErrors(cc, [&cc, &atBar] {
            State& s = cc.s;
            // The span is of the track's namesake in the piece copied from.
            s.SourceTrack = s.CurrentTrack;
            s.RangeTo = static_cast<Integer>(s.RangeTo - s.RangeFrom + 1);
            if (!PositionDestination(cc, atBar)) return false;
            // A full track has been told; the next track is copied.
            DoCopy(cc);
            return true;
        });
    };
    return RunEditCommand(c, tracks, cmd);
}

bool VerticalCopy(Context& c, TrackSelectionDialog& tracks, CopyByBarDialog& dialog) {
    Integer atBar = 0;
    std::string destinations;
    EditCommand cmd = BarCopyCommand("mnuEdtVertical", dialog, atBar);
    cmd.ChooseTracks = [&tracks, &destinations](Context& cc) {
        State& s = cc.s;
        int source = 0;
        for (;;) {
            const std::string answer =
                cc.msg.InputBox("Enter track to copy from (then select tracks to copy to)",
                                std::string("Vertical Copy"));
            if (answer.empty()) return false;
            if (IsNumeric(answer) && Val(answer) >= 1 && Val(answer) <= s.NumTracks) {
                source = CInt(Val(answer));
                break;
            }
        }
        tracks.Show(cc);
        destinations = s.SelectedTracks;
        s.SourceTrack = static_cast<Integer>(source);
        return true;
    };
    const auto readParameters = cmd.ReadParameters;
    cmd.ReadParameters = [readParameters, &destinations](Context& cc) {
        readParameters(cc);
        // The range is validated on the source track alone.
        State& s = cc.s;
        s.SelectedTracks.assign(static_cast<std::size_t>(s.NumTracks), '0');
        s.SelectedTracks[static_cast<std::size_t>(s.SourceTrack) - 1] = '1';
    };
    cmd.ApplySpan = [&atBar, &destinations](Context& cc) {
        State& s = cc.s;
        const int source = s.CurrentTrack;
        // The destinations are the tracks recalculated afterwards.
        s.SelectedTracks = destinations;
        const bool done = ReportingErrors(cc, [&] {
            const auto items = ReadCopySource(cc, s.PieceTitle, source, s.RangeFrom, s.RangeTo);
            if (!items) return true;
            if (!VerticalClearOfDashes(cc, {source, s.RangeFrom, *items, true, true},
                                       destinations, atBar))
                return false;
            for (int t = 1; t <= s.NumTracks; ++t) {
                if (destinations[static_cast<std::size_t>(t) - 1] != '1') continue;
                s.CurrentTrack = static_cast<Integer>(t);
                if (!PositionDestination(cc, atBar)) return false;
                s.SourceTrack = static_cast<Integer>(t);
                DoVerticalCopy(cc, *items);
            }
            return true;
        });
        // The walk goes on from the source track, which has the only span.
        s.CurrentTrack = static_cast<Integer>(source);
        return done;
    };
    const bool finished = RunEditCommand(c, tracks, cmd);
    c.s.File2.Close();
    c.s.File2Open = 0;
    return finished;
}

bool CursorAtTrackEnd(const State& s) {
    const int t = s.CurrentTrack;
    return TrackInScore(s, t) && s.CurrentItem(t) > s.ItemCount(t);
}

CopyField CopyByItemOK(Context& c, const std::string& mode, const CopyByItemTexts& t,
                       int pitchIndex, int octaveIndex) {
    State& s = c.s;
    if (NoOption(c, mode)) return CopyField::Silent;
    const auto channel = TrimmedWholeNumber(t.Channel, 1, 16);
    if (!channel) {
        c.msg.MsgBox("Enter a destination Channel Number (1-16)", mb::Critical,
                     std::string("Copy by Item"));
        return CopyField::Channel;
    }
    s.CopyChannel = NumberText(*channel);
    s.CopyMode = mode;
    const auto title = CheckSourceTitle(c, t.Title);
    if (!title) return CopyField::Title;
    s.SourceTitle = *title;
    s.CopyBarNumbers = t.BarNumbers ? "Y" : "";
    s.CopyOffset = 0;
    if (t.BarNumbers) {
        const auto offset = TrimmedWholeNumber(t.Offset, -9999, 9999);
        if (!offset) return CopyField::Offset;
        s.CopyOffset = static_cast<Integer>(*offset);
    }
    const auto track = TrimmedWholeNumber(t.Track, 1, s.NumTracks);
    if (!track) return CopyField::Track;
    s.SourceTrack = static_cast<Integer>(*track);
    const int count = SourceItemCount(c, s.SourceTitle, *track);
    const auto item = TrimmedWholeNumber(t.Item, 1, count);
    if (!item) return CopyField::Item;
    s.RangeFrom = static_cast<Integer>(*item);
    const auto items = TrimmedWholeNumber(t.NoItems, 1, count - *item + 1);
    if (!items) return CopyField::NoItems;
    s.RangeTo = static_cast<Integer>(*items);
    StoreTransposition(s, pitchIndex, octaveIndex);
    return CopyField::None;
}

bool CopyByItem(Context& c) {
    State& s = c.s;
    const int t = s.CurrentTrack;
    if (!TrackInScore(s, t)) return false;
    // A run-time error part way leaves the track as it was.
    CopyResult result = CopyResult::Stopped;
    {
        TrackChange change(c, CommandName("mnuEdtCopyItem"));
        ReportingErrors(c, [&] {
            UseCurrentTrackFile(c);
            if (!ItemCopyClearOfDashes(c)) {
                result = CopyResult::Refused;
                return false;
            }
            result = DoCopy(c);
            return true;
        });
        if (!change.Store()) return false;
    }
    // From another piece only the count followed the copy; after a stop the
    // score is brought in step with what was written.
    if (result != CopyResult::Refused &&
        (s.SourceTitle != s.PieceTitle || result == CopyResult::Stopped))
        RecalculateTrack(c, t);
    return result != CopyResult::Refused;
}

} // namespace tnq
