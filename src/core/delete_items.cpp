// DeleteItems and its F10 prompt.
#include "core/delete_items.h"

#include "core/dash_reach.h"
#include "core/item_space.h"
#include "core/screen_procs.h"
#include "core/track_change.h"
#include "core/track_files.h"
#include "platform/vb.h"

#include <optional>
#include <string>
#include <vector>

namespace tnq {

namespace {

// The bars Delete by Bar removed, when its items are to follow them down.
int BarShift(const State& s, const DeleteByBarControls* dialog) {
    if (s.MenuMode != "mnuEdtDelete" || !dialog || !dialog->AdjustTicked()) return 0;
    return CInt(Val(dialog->ToBar()) - Val(dialog->FromBar()) + 1);
}

// The Bar field's text moved back by shift bars, as Trim(Str(Val(field) -
// shift)) gives it: a field of digits alone (every bar an item is given) is
// counted here, any other text by those rules.
std::string ShiftedBar(std::string_view field, int shift) {
    long long bar = 0;
    for (const char ch : TrimView(field)) {
        if (ch < '0' || ch > '9') return Trim(StrDouble(Val(field) - shift));
        bar = bar * 10 + (ch - '0');
    }
    return std::to_string(bar - shift);
}

// The note text of record n of file 2 ("" when it cannot be read).
std::string NoteAt(State& s, int n) {
    std::string bytes;
    if (!s.File2.Read(n, bytes)) return "";
    return Trim(DecodeRecord(bytes).Note);
}

} // namespace

bool DeleteItems(Context& c, int n, const DeleteByBarControls* dialog) {
    State& s = c.s;
    const int t = s.CurrentTrack;
    if (!TrackInScore(s, t)) return false;
    const int count = s.ItemCount(t);
    Integer& cursor = s.CurrentItem(t);
    if (n < 0 || cursor < 1 || n > count - cursor + 1) return false;

    const int shift = BarShift(s, dialog);
    if (s.MenuMode == "mnuEdtCC" && t == 1 && n >= 1 && cursor <= count &&
        NoteAt(s, cursor) == "METER") {
        // The meter stays; the items behind it go.
        --n;
        ++cursor;
    }

    const int first = cursor + n;
    if (n > 0) s.File2.MoveDown(first, count, n);
    s.PieceChanged = 1;
    s.RecalcDone = 0;
    if (shift != 0) {
        // The items that moved follow the bars taken out: each record
        // written again with its Bar field alone changed.
        constexpr std::size_t at = RecordFieldAt(5), width = kFieldWidths[5];
        std::string bytes;
        for (int j = first - n; j <= count - n; ++j) {
            if (!s.File2.Read(j, bytes)) throw VbError(err::InputPastEnd);
            std::string bar = ShiftedBar(std::string_view(bytes).substr(at, width), shift);
            bar.resize(width, ' ');
            bytes.replace(at, width, bar);
            s.File2.Write(j, bytes);
        }
    }
    MoveItemSlots(s, t, first, count, -n);
    if (shift != 0)
        for (int i = first - n; i <= count - n; ++i) s.BarNo(t, i) = CInt(s.BarNo(t, i) - shift);

    s.ItemCount(t) = static_cast<Integer>(count - n);
    WriteEndRecord(c);
    ShowTrackCount(c, t);
    ReadItem(c, 2);
    return true;
}

void DeleteItemPrompt(Context& c) {
    State& s = c.s;
    const int t = s.CurrentTrack;
    if (!TrackInScore(s, t) || s.ItemCount(t) <= s.CurrentItem(t)) return;
    UseCurrentTrackFile(c);
    if (s.File2.Length() == 0) return;
    s.InsertRemaining = 0;
    const int most = s.ItemCount(t) - s.CurrentItem(t) + 1;
    std::optional<int> n;
    while (!n) {
        s.Scratch = c.msg.InputBox("How many items ?", std::string("Delete Items"));
        if (s.Scratch.empty()) return;
        n = CountAnswer(s.Scratch);
        if (n && *n > most) n.reset();
    }
    // An item behind them may take off their lengths.
    if (!ClearOfDashes(c, s.CurrentItem(t) + *n, "deleted", "Delete Items")) return;
    TrackChange change(c, "Delete Items");
    try {
        DeleteItems(c, *n);
    } catch (const VbError& e) {
        change.Fail(e);
    }
    change.Store();
}

} // namespace tnq
