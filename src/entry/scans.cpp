// The channel and legato scans of the item box.
#include "entry/scans.h"

#include "core/item_space.h"
#include "core/track_files.h"
#include "entry/entry_fields.h"
#include "platform/vb.h"

#include <cmath>
#include <string>

namespace tnq {

namespace {

constexpr const char* kChannelTitle = "Check for channel change";
constexpr const char* kNoChannelChange = "No channel changes on this track";
constexpr const char* kLegatoTitle = "Check for faulty Legons and Legofs";

// What loading an item of the current track found.
enum class Loaded { Item, End, Failed };

// Loads item n of the current track into the record boxes, the cursor on
// it. Behind the track's item count, or at an END record or the end of the
// file, the boxes show the END record. Failed: ReadItem has told why and
// the boxes are as they were. A read error of the file raises VbError.
Loaded LoadItem(Context& c, int n) {
    State& s = c.s;
    const int t = s.CurrentTrack;
    s.CurrentItem(t) = static_cast<Integer>(n);
    if (n > s.ItemCount(t) || AtTrackEnd(c, 2)) {
        ShowRecord(c.screen, kEndRecord);
        return Loaded::End;
    }
    return ReadItem(c, 2) ? Loaded::Item : Loaded::Failed;
}

// The item box shows the cursor of the current track, as the scans write
// numbers (with the leading blank); it is the item box's last valid text.
void ShowCursor(Context& c) {
    State& s = c.s;
    s.LastItem = Str(s.CurrentItem(s.CurrentTrack));
    c.screen.SetText(Box::Item, s.LastItem);
}

// After a failure the cursor goes behind the last item of the current
// track, where the boxes show the END record: nothing there can be
// overwritten by the boxes of another item.
void ShowTrackEnd(Context& c) {
    State& s = c.s;
    s.CurrentItem(s.CurrentTrack) = static_cast<Integer>(s.ItemCount(s.CurrentTrack) + 1);
    ShowRecord(c.screen, kEndRecord);
    ShowCursor(c);
}

double RoundedValue(const std::string& text) {
    return RoundHalfEven(Val(text));
}

// The hourglass of a running scan (the window's keys do nothing while it
// shows), ended once.
class ScanBusy {
public:
    explicit ScanBusy(Context& c) : c_(c) { c_.screen.SetHourglass(true); }
    ~ScanBusy() { End(); }
    ScanBusy(const ScanBusy&) = delete;
    ScanBusy& operator=(const ScanBusy&) = delete;
    void End() {
        if (!on_) return;
        on_ = false;
        c_.screen.SetHourglass(false);
    }

private:
    Context& c_;
    bool on_ = true;
};

} // namespace

void CheckChannel(Context& c) {
    State& s = c.s;
    if (!HasCurrentTrack(s)) return;
    const Integer t = s.CurrentTrack;
    const int count = s.ItemCount(t);
    // The item whose record the boxes hold, should a read fail.
    int shown = s.CurrentItem(t);
    int pointer = shown >= 1 && shown <= count ? shown : 1;
    const int start = pointer;
    try {
        UseCurrentTrackFile(c);
        if (LoadItem(c, start) == Loaded::Failed) {
            s.CurrentItem(t) = static_cast<Integer>(shown);
            ShowCursor(c);
            return;
        }
        const double reference = RoundedValue(c.screen.Text(Box::Channel));
        bool wrapped = false;
        for (;; ++pointer) {
            const Loaded found = LoadItem(c, pointer);
            if (found == Loaded::Failed) {
                s.CurrentItem(t) = static_cast<Integer>(shown);
                break;
            }
            shown = pointer;
            if (found == Loaded::Item) {
                if (pointer == start && wrapped) {
                    c.msg.MsgBox(kNoChannelChange, mb::OKOnly, std::string(kChannelTitle));
                    break;
                }
                if (RoundedValue(c.screen.Text(Box::Channel)) != reference) break;
            } else {
                // Past the start once already: the track ends before the
                // start item (its END record lies inside the item count).
                if (start == 1 || wrapped) {
                    c.msg.MsgBox(kNoChannelChange, mb::OKOnly, std::string(kChannelTitle));
                    break;
                }
                pointer = 0;
                wrapped = true;
            }
        }
    } catch (const VbError& e) {
        c.msg.MsgBox(ErrorOccuredText(e));
        ShowTrackEnd(c);
        return;
    }
    ShowCursor(c);
}

void CheckLegato(Context& c) {
    State& s = c.s;
    MainScreen& sc = c.screen;
    ScanBusy busy(c);

    // The screen left on the item at the cursor of the current track.
    auto stopHere = [&] {
        busy.End();
        ShowTrackDetails(c, s.CurrentTrack, sc.Text(Box::Track));
        s.LastItem = sc.Text(Box::Item);
    };
    auto where = [&] {
        return " Track" + Str(s.CurrentTrack) + " Item " + sc.Text(Box::Item);
    };
    auto report = [&](const std::string& text) {
        c.msg.MsgBox(text + where(), mb::Critical | mb::OKOnly, std::string(kLegatoTitle));
        stopHere();
    };
    auto failed = [&] {
        ShowTrackEnd(c);
        stopHere();
    };

    try {
        for (Integer t = 1; t <= s.NumTracks && t <= s.ItemCount.Upper(); ++t) {
            if (s.ItemCount(t) == 0) continue;
            s.CurrentTrack = t;
            TrackFileOpen(c);
            std::string legato;
            sc.SetText(Box::Track, Str(t));
            for (int counter = 1;; ++counter) {
                sc.DoEvents();
                sc.SetText(Box::Item, Str(counter));
                const Loaded found = LoadItem(c, counter);
                if (found == Loaded::Failed) return failed();
                const std::string note = Trim(sc.Text(Box::Note));
                if (found == Loaded::End || note.empty() || note.starts_with("END")) {
                    if (legato == "LEGON") return report("LEGOF missing at end of Track;");
                    break;
                }
                if (legato == "LEGON" && (note == "R" || note.size() == 5) &&
                    InStr("LEGONLEGOF", note) == 0) {
                    const int answer =
                        c.msg.MsgBox("Invalid item may have been inserted in legato passage. " +
                                         where() + ". Continue ?",
                                     mb::YesNo, std::string(kLegatoTitle));
                    if (answer != mb::Yes) return stopHere();
                }
                if (note != "LEGON" && note != "LEGOF") continue;
                if (note == "LEGOF" && legato != "LEGON") return report("No LEGON preceding;");
                if (note == "LEGON" && legato == "LEGON") return report("No LEGOF preceding;");
                legato = note;
            }
        }
    } catch (const VbError& e) {
        c.msg.MsgBox(ErrorOccuredText(e));
        return failed();
    }

    busy.End();
    c.msg.MsgBox("No missing or duplicate items found", mb::Information,
                 std::string(kLegatoTitle));
    // Back to item 1 of track 1, its file open and its record shown.
    if (s.NumTracks < 1) return;
    s.CurrentTrack = 1;
    sc.SetText(Box::Track, Str(1));
    try {
        TrackFileOpen(c);
        sc.SetText(Box::Item, Str(1));
        if (LoadItem(c, 1) == Loaded::Failed) ShowTrackEnd(c);
    } catch (const VbError& e) {
        c.msg.MsgBox(ErrorOccuredText(e));
        ShowTrackEnd(c);
    }
    stopHere();
}

} // namespace tnq
