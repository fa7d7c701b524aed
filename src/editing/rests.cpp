// Set a Track to Rests, Set Up Rests for Tempos, PB, CC and the grid worker.
#include "editing/rests.h"

#include "core/track_change.h"
#include "core/delete_items.h"
#include "core/edit_fields.h"
#include "core/item_space.h"
#include "core/recalculate.h"
#include "core/screen_procs.h"
#include "core/startup.h"
#include "core/vocabulary.h"
#include "editing/dash_runs.h"
#include "editing/edit_frame.h"
#include "platform/vb.h"

#include <algorithm>
#include <optional>

namespace tnq {

namespace {

constexpr const char* kTrackRestsTitle = "Set Track to Rests";

// The Note field of record n of file 2, trimmed ("" when it cannot be read).
std::string NoteOfRecord(State& s, int n) {
    std::string bytes;
    if (!s.File2.Read(n, bytes)) return "";
    return Trim(DecodeRecord(bytes).Note);
}

// The channel of a grid opened at item p of track t: the field of item
// p - 1, as it stands, when it is a number of 1..16, else the track's number, at most 16.
std::string GridChannel(State& s, int t, int p) {
    if (p > 1) {
        std::string bytes;
        if (s.File2.Read(p - 1, bytes)) {
            const std::string ch = Trim(DecodeRecord(bytes).Channel);
            if (IsNumeric(ch) && Val(ch) >= 1 && Val(ch) <= 16) return ch;
        }
    }
    return NumberText(std::min(t, 16));
}

} // namespace

bool GridValueOK(std::string& text) {
    if (text.empty()) return false;
    text[0] = LCase(std::string(1, text[0]))[0];
    if (NoteLetterIndex(text[0]) == 0) return false;
    const std::string trimmed = Trim(text);
    if (text.size() > 1) {
        const bool dotted = text[1] == '.' && trimmed.size() == 2;
        if (!dotted && !IsNumeric(text.substr(1))) return false;
    }
    // A divisor of 0, a negative one, or one the parser refuses would reach
    // the recalculation as a record it cannot take.
    return DurationTextValid(trimmed);
}

bool PerBarOK(const std::string& text) {
    return IsNumeric(text) && Val(text) >= 0 && Val(text) < 32767.5;
}

bool ReplaceSpanWithGrid(Context& c, int firstBar, int lastBar, int perBar, const GridItem& item) {
    State& s = c.s;
    const int t = s.CurrentTrack;
    const int first = s.RangeFrom;
    const int span = s.RangeTo - s.RangeFrom + 1;
    if (perBar < 0 || span < 1 || !TrackInScore(s, t)) return false;
    // Counted wide: bars and items per bar are both 16-bit.
    const long long count = static_cast<long long>(std::max(lastBar - firstBar + 1, 0)) * perBar;
    const bool meterStays = s.MenuMode == "mnuEdtCC" && t == 1 && NoteOfRecord(s, first) == "METER";
    const long long after = s.ItemCount(t) - (span - (meterStays ? 1 : 0)) + count;
    // The track keeps its range when the new items cannot follow.
    if (count > 0 && after >= s.MaxItems) {
        ShowCapacityMessage(c, t);
        return false;
    }
    s.CurrentItem(t) = static_cast<Integer>(first);
    if (!DeleteItems(c, span)) return false;
    if (count == 0) return true;

    const int p = s.CurrentItem(t);
    const std::string channel = GridChannel(s, t, p);
    if (!InsertSpace(c, static_cast<int>(count))) return false;
    int bar = firstBar, k = 0;
    for (int i = 0; i < count; ++i) {
        s.CurrentItem(t) = static_cast<Integer>(p + i);
        ShowRecord(c.screen, item(k, bar, channel));
        WriteItem(c);
        if (++k == perBar) {
            ++bar;
            k = 0;
        }
    }
    return true;
}

GridField CCPrepOK(CCPrepTexts& t) {
    if (CheckBarFields({t.FromBar, t.ToBar, "", "", ""}) != BarField::None) return GridField::Silent;
    if (!GridValueOK(t.RestValue)) return GridField::Value;
    if (!PerBarOK(t.RestsPerBar)) return GridField::PerBar;
    return GridField::None;
}

TrackItemRecord GridRest(const std::string& restValue, int bar, const std::string& channel) {
    return {"R", "0", restValue, "0", "0", NumberText(bar), channel, "0"};
}

bool RunGridCommand(Context& c, TrackSelectionDialog& tracks, const GridCommand& grid) {
    int firstBar = 0, lastBar = 0, perBar = 0;
    GridItem item;
    EditCommand cmd;
    cmd.MenuMode = grid.MenuMode;
    cmd.Progress = grid.Progress;
    cmd.ShowDialog = grid.ShowDialog;
    cmd.Range = [&grid] {
        const std::vector<std::string> t = grid.Texts();
        return EditRangeTexts{t.at(0), t.at(1), "", "", "", ""};
    };
    cmd.ReadParameters = [&](Context& cc) {
        firstBar = cc.s.RangeFrom;
        lastBar = cc.s.RangeTo;
        perBar = FieldValue(grid.Texts().at(2));
        item = grid.Items();
    };
    bool checked = false;
    cmd.ApplySpan = [&](Context& cc) {
        if (!checked) {
            // Every track is looked at before the first is changed: an item
            // behind a range that takes off the length of items in it would
            // take off the grid's instead.
            checked = true;
            if (!SpansClearOfDashes(cc, "replaced", grid.Title)) return false;
        }
        return ReportingErrors(cc, [&] {
            // A track refused for its capacity has been told; the next one
            // is done as usual.
            ReplaceSpanWithGrid(cc, firstBar, lastBar, perBar, item);
            return true;
        });
    };
    return RunEditCommand(c, tracks, cmd);
}

bool SetUpRests(Context& c, TrackSelectionDialog& tracks, CCPrepDialog& dialog) {
    GridCommand cmd;
    cmd.MenuMode = "mnuEdtCC";
    cmd.Progress = "CC or PB or Tempos prep in progress...";
    cmd.Title = "CC and PB Prep";
    cmd.ShowDialog = [&dialog](Context& cc) { return dialog.Show(cc); };
    cmd.Texts = [&dialog] {
        const CCPrepTexts t = dialog.Texts();
        return std::vector<std::string>{t.FromBar, t.ToBar, t.RestsPerBar};
    };
    cmd.Items = [&dialog]() -> GridItem {
        const std::string restValue = Trim(dialog.Texts().RestValue);
        return [restValue](int, int bar, const std::string& channel) {
            return GridRest(restValue, bar, channel);
        };
    };
    return RunGridCommand(c, tracks, cmd);
}

bool SetTrackToRests(Context& c, TrackSelectionDialog& tracks) {
    State& s = c.s;
    if (s.PieceOpen == 0) {
        NoFileOpenMsg(c);
        return false;
    }
    s.MenuMode = "mnuEdtRests";
    tracks.Show(c);
    const auto chosen = s.SelectedTracks.find('1');
    if (chosen == std::string::npos) return false;
    if (s.SelectedTracks.find('1', chosen + 1) != std::string::npos) {
        c.msg.MsgBox("Only one track can be selected", mb::Critical, std::string(kTrackRestsTitle));
        return false;
    }
    const int t = static_cast<int>(chosen) + 1;
    s.CurrentTrack = static_cast<Integer>(t);
    if (c.msg.MsgBox("Okay to continue ?", mb::YesNo + mb::Question,
                     std::string(kTrackRestsTitle)) != mb::Yes)
        return false;
    c.screen.SetStatus1("");
    c.screen.SetStatus2("Setting track" + Str(t) + " to all rests...");
    c.screen.SetHourglass(true);

    TrackChange change(c, kTrackRestsTitle);
    const bool done = ReportingErrors(c, [&] {
        TrackFileOpen(c);
        Integer& i = s.CurrentItem(t);
        i = 1;
        // The beat unit the lengths after the cursor are written in; a
        // recalculation starts every track with the quarter note.
        Single unit = 8;
        // The count bounds the walk also where a file has lost its END record.
        while (i <= s.ItemCount(t)) {
            if (!ReadItem(c, 2)) return false;
            const std::string note = Trim(c.screen.Text(Box::Note));
            if (note == "END") break;
            if (note == "TEMPO") {
                // A TEMPO item that changes the beat unit stays, so the
                // lengths after it keep their meaning.
                const std::optional<Single> its = TempoBeatUnit(s, Trim(c.screen.Text(Box::Dur)));
                if (its && *its != unit) {
                    unit = *its;
                    ++i;
                    continue;
                }
            }
            if (note.size() == 5 || s.ItemTime(t, i) == 0) {
                // An item a later dash adjustment looks at stays, so that
                // the dash keeps taking off what it took off before.
                if (DashAcross(c, t, i + 1) == 0) {
                    // The next item moves under the cursor.
                    if (!DeleteItems(c, 1)) return false;
                    continue;
                }
                if (note.size() == 5) {
                    ++i;
                    continue;
                }
            }
            if (note != "R") {
                // A silent rest: with a velocity or a bend left in it the
                // writer would sound it.
                c.screen.SetText(Box::Note, "R");
                c.screen.SetText(Box::Dyn, "0");
                c.screen.SetText(Box::PitchBend, "0");
                WriteItem(c);
                s.NoteCode(t, i) = 0;
                s.ItemDyn(t, i) = 0;
                s.ItemBend(t, i) = 0;
            }
            ++i;
        }
        return true;
    });
    // A walk stopped part way keeps what it did, and the score follows the
    // file again; a run-time error leaves the track as it was.
    const bool stored = change.Store();
    if (!done && stored) Recalculate(c);
    SwitchOffStatus(c);
    return done && stored;
}

} // namespace tnq
