// Blank items opened at the cursor, and the bar and keyword searches.
#include "core/item_space.h"

#include "core/dash_reach.h"
#include "core/edit_fields.h"
#include "core/piece_paths.h"
#include "core/screen_procs.h"
#include "core/track_change.h"
#include "core/track_files.h"
#include "platform/vb.h"

#include <cmath>
#include <string>
#include <vector>

namespace tnq {

namespace {

// The room of InsertSpace in file fileNumber; returns false when none was
// made. The END record is left to the caller.
bool OpenRoom(Context& c, int fileNumber, int n) {
    State& s = c.s;
    const int t = s.CurrentTrack;
    if (n < 1 || !TrackInScore(s, t)) return false;
    const int cursor = s.CurrentItem(t), count = s.ItemCount(t);
    if (cursor < 1 || cursor > count + 1) return false;
    if (count + n >= s.MaxItems) {
        ShowCapacityMessage(c, t);
        return false;
    }
    RecordFile& f = TrackFile(s, fileNumber);
    f.MoveUp(cursor, count, n);
    if (fileNumber == 2) {
        s.PieceChanged = 1;
        s.RecalcDone = 0;
    }
    f.FillRecords(cursor, n, EncodeRecord(kBlankItem));
    MoveItemSlots(s, t, cursor, count, n);
    s.ItemCount(t) = static_cast<Integer>(count + n);
    return true;
}

} // namespace

bool TrackInScore(const State& s, int t) {
    return t >= 1 && t <= s.NumTracks && t <= s.ItemCount.Upper() && t <= s.CurrentItem.Upper();
}

std::vector<std::string> ReadTrackRecords(const RecordFile& f, int first, int last) {
    std::vector<std::string> out;
    out.reserve(static_cast<std::size_t>(std::max(last - first + 1, 0)));
    for (int i = first; i <= last; ++i) {
        std::string bytes;
        if (!f.Read(i, bytes)) throw VbError(err::InputPastEnd);
        out.push_back(std::move(bytes));
    }
    return out;
}

void MoveItemSlots(State& s, int t, int first, int last, int shift) {
    s.NoteCode.MoveSlots(t, first, last, shift);
    s.ItemTime.MoveSlots(t, first, last, shift);
    s.ItemDyn.MoveSlots(t, first, last, shift);
    s.BarNo.MoveSlots(t, first, last, shift);
    s.ItemChan.MoveSlots(t, first, last, shift);
    s.ItemBend.MoveSlots(t, first, last, shift);
}

int InsertCapacity(const State& s, int track) {
    return s.MaxItems - 1 - s.ItemCount(track);
}

std::optional<int> CountAnswer(const std::string& text) {
    if (!IsNumeric(text)) return std::nullopt;
    const double v = Val(text);
    if (v < 1 || v > 32767 || v != std::floor(v)) return std::nullopt;
    return static_cast<int>(v);
}

bool InsertSpace(Context& c, int n) {
    if (!OpenRoom(c, 2, n)) return false;
    WriteEndRecord(c);
    ShowTrackCount(c, c.s.CurrentTrack);
    return true;
}

bool InsertSpaceTarget(Context& c, int n) {
    State& s = c.s;
    if (!OpenRoom(c, 3, n)) return false;
    TrackItemRecord end = kEndRecord;
    end.PitchBend = "0";
    s.File3.Write(static_cast<long long>(s.ItemCount(s.CurrentTrack)) + 1, EncodeRecord(end));
    ShowTrackCount(c, s.CurrentTrack);
    return true;
}

void InsertItems(Context& c) {
    State& s = c.s;
    const int t = s.CurrentTrack;
    if (!TrackInScore(s, t) || s.CurrentItem(t) > s.ItemCount(t)) return;
    UseCurrentTrackFile(c);
    if (s.File2.Length() == 0) return;
    // Blank items at the cursor would come between an item's dashes and the
    // items they take off.
    if (!ClearOfDashes(c, s.CurrentItem(t), "inserted", "Insert Items")) return;
    std::optional<int> n;
    while (!n) {
        s.Scratch = c.msg.InputBox("How may items ?", std::string("Insert Items"));
        if (s.Scratch.empty()) return;
        n = CountAnswer(s.Scratch);
    }
    if (*n > InsertCapacity(s, t)) {
        ShowCapacityMessage(c, t);
        return;
    }
    TrackChange change(c, "Insert Items");
    change.OpensRoom();
    bool opened = false;
    try {
        opened = InsertSpace(c, *n);
    } catch (const VbError& e) {
        change.Fail(e);
    }
    if (!change.Store() || !opened) return;
    s.InsertRemaining = static_cast<Integer>(*n);
    c.screen.SetText(Box::Bar, "");
    c.screen.SetText(Box::Note, "");
}

void UseCurrentTrackFile(Context& c) {
    TrackFileOpen(c);
}

bool ShowCursorItem(Context& c, const std::string& itemText) {
    State& s = c.s;
    const int t = s.CurrentTrack;
    s.LastTrack = NumberText(t);
    c.screen.SetText(Box::Track, s.LastTrack);
    c.screen.SetText(Box::Item, itemText);
    s.LastItem = itemText;
    if (s.CurrentItem(t) > s.ItemCount(t)) return true;
    return ReadItem(c, 2);
}

int LocateBar(Context& c) {
    State& s = c.s;
    const int t = s.CurrentTrack;
    const int count = s.ItemCount(t);
    // A cursor off the track scans it from item 1, as from behind the last
    // item.
    const bool behind = s.CurrentItem(t) < 1 || s.CurrentItem(t) > count;
    const int cursor = behind ? count + 1 : s.CurrentItem(t);
    s.PreviousBar = 0;
    s.FoundBar = 0;
    s.Scratch = "0";
    Integer& k = s.SpanFirst(0, 0);
    Integer& start = s.SpanLast(0, 0);
    k = static_cast<Integer>(behind ? 1 : cursor);
    start = static_cast<Integer>(cursor);

    bool found = false;
    for (;;) {
        if (k > count) {
            if (behind || cursor == 1) {
                found = s.Scratch == "1";
                break;
            }
            k = 1; // once round to the track's start
        }
        s.FoundBar = s.BarNo(t, k);
        if (s.FoundBar == s.ItemBar && (s.ItemBar == 1 || s.PreviousBar != 0)) {
            s.CurrentItem(t) = k;
            found = true;
            break;
        }
        if (s.FoundBar == s.ItemBar)
            s.Scratch = "1"; // the scan started inside the bar
        else
            s.PreviousBar = s.FoundBar;
        ++k;
        if (k == start) {
            found = s.Scratch == "1";
            break;
        }
    }
    if (!found) {
        c.msg.MsgBox("Bar number " + Str(s.ItemBar) + " on Track " + Str(t) + " not found",
                     mb::Exclamation, std::string("Find Bar"));
        return 1;
    }
    UseCurrentTrackFile(c);
    ShowCursorItem(c, NumberText(s.CurrentItem(t)));
    return 0;
}

void LocateNote(Context& c) {
    State& s = c.s;
    const int t = s.CurrentTrack;
    const int count = s.ItemCount(t);
    UseCurrentTrackFile(c);
    const std::string key = s.Scratch;
    Integer& cursor = s.CurrentItem(t);
    if (cursor < 1 || cursor > count + 1) cursor = static_cast<Integer>(count + 1);
    const int start = cursor;
    bool wrapped = false;
    for (;;) {
        // Behind the last item the scan ends as at the END record, whatever
        // the file holds there.
        const bool atEnd = cursor > count || AtTrackEnd(c, 2);
        if (!atEnd) {
            if (!ReadItem(c, 2)) {
                // Reported; the cursor goes back where the search began.
                cursor = static_cast<Integer>(start);
                c.screen.SetText(Box::Item, NumberText(start));
                return;
            }
            if ((cursor != start || wrapped) && Trim(c.screen.Text(Box::Note)) == key) {
                ShowCursorItem(c, Str(cursor));
                return;
            }
        } else {
            // Once round: from item 1, or after the wrap, the END record
            // ends the search.
            if (start == 1 || wrapped) {
                cursor = static_cast<Integer>(start == 1 ? count + 1 : start);
                break;
            }
            cursor = 0;
            wrapped = true;
        }
        ++cursor;
        if (cursor == start && wrapped) break;
    }
    c.msg.MsgBox("No '" + key + "' was found on this track", mb::OKOnly,
                 "Find next '" + key + "'");
    if (cursor > count) ShowRecord(c.screen, kEndRecord);
    ShowCursorItem(c, NumberText(cursor));
}

} // namespace tnq
