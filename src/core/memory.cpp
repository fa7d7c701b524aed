// MemorySetUp and SystemDefaults.
#include "core/memory.h"

#include "core/screen_procs.h"
#include "platform/vb.h"

#include <new>

namespace tnq {

namespace {

// The arrays of a score, built apart and then moved into the state.
struct Score {
    Array2<Integer> NoteCode, ItemDyn, ItemChan, ItemBend, BarNo;
    Array2<Long> ItemTime;
    Array1<Integer> ItemCount, CurrentItem;
    Array2<Integer> SpanFirst, SpanLast;
    Array1<Long> TrackTotal;
    Array2<Integer> LocationItem;
    Array1<Integer> WorkCount;
    Array2<Integer> WorkCode, WorkDyn, WorkChan, WorkBend;
    Array2<Long> WorkTime;
};

std::size_t ScoreBytes(int tracks, int items) {
    const std::size_t grid16 = Array2<Integer>::BytesFor(tracks, items);
    const std::size_t grid32 = Array2<Long>::BytesFor(tracks, items);
    return 9 * grid16 + 2 * grid32;
}

} // namespace

bool MemorySetUp(Context& c) {
    State& s = c.s;
    try {
        const int tracks = s.NumTracks, items = s.MaxItems;
        if (tracks < 0 || items < 0) throw VbError(err::SubscriptOutOfRange);
        if (s.ScoreMemoryLimit != 0 && ScoreBytes(tracks, items) > s.ScoreMemoryLimit)
            throw std::bad_alloc();

        Score n;
        n.NoteCode.ReDim(tracks, items);
        n.ItemTime.ReDim(tracks, items);
        n.ItemDyn.ReDim(tracks, items);
        n.ItemChan.ReDim(tracks, items);
        n.ItemBend.ReDim(tracks, items);
        n.BarNo.ReDim(tracks, items);
        n.ItemCount.ReDim(tracks);
        n.CurrentItem.ReDim(tracks);
        n.SpanFirst.ReDim(tracks, 4);
        n.SpanLast.ReDim(tracks, 4);
        n.TrackTotal.ReDim(tracks);
        n.LocationItem.ReDim(tracks, kLocateSlots);
        n.WorkCount.ReDim(tracks);
        n.WorkCode.ReDim(tracks, items);
        n.WorkTime.ReDim(tracks, items);
        n.WorkDyn.ReDim(tracks, items);
        n.WorkChan.ReDim(tracks, items);
        n.WorkBend.ReDim(tracks, items);
        n.CurrentItem.Fill(1);

        s.NoteCode = std::move(n.NoteCode);
        s.ItemTime = std::move(n.ItemTime);
        s.ItemDyn = std::move(n.ItemDyn);
        s.ItemChan = std::move(n.ItemChan);
        s.ItemBend = std::move(n.ItemBend);
        s.BarNo = std::move(n.BarNo);
        s.ItemCount = std::move(n.ItemCount);
        s.CurrentItem = std::move(n.CurrentItem);
        s.SpanFirst = std::move(n.SpanFirst);
        s.SpanLast = std::move(n.SpanLast);
        s.TrackTotal = std::move(n.TrackTotal);
        s.LocationItem = std::move(n.LocationItem);
        s.WorkCount = std::move(n.WorkCount);
        s.WorkCode = std::move(n.WorkCode);
        s.WorkTime = std::move(n.WorkTime);
        s.WorkDyn = std::move(n.WorkDyn);
        s.WorkChan = std::move(n.WorkChan);
        s.WorkBend = std::move(n.WorkBend);

        s.ActiveTracks.assign(static_cast<std::size_t>(tracks), '1');
        s.SelectedTracks.assign(static_cast<std::size_t>(tracks), '0');
        // The tables changed: no writer may skip its recalculation now.
        s.RecalcDone = 0;
        ShowTrackCounts(c);
        return true;
    } catch (const std::bad_alloc&) {
        c.msg.MsgBox("Reduce the number of items and/or tracks under Miscellaneous",
                     mb::Exclamation, std::string("Out of Memory Error"));
    } catch (const std::length_error&) {
        c.msg.MsgBox("Reduce the number of items and/or tracks under Miscellaneous",
                     mb::Exclamation, std::string("Out of Memory Error"));
    } catch (const VbError& e) {
        c.msg.MsgBox(ErrorOccuredText(e), mb::OKOnly, std::string("Memory Set-Up"));
    }
    return false;
}

std::optional<Integer> LimitValue(std::string_view text, LimitRange range) {
    if (!IsNumeric(text)) return std::nullopt;
    const double r = RoundHalfEven(Val(text));
    if (r < range.Min || r > range.Max) return std::nullopt;
    return static_cast<Integer>(r);
}

namespace {

// A limit setting, or its default when the setting is no usable limit.
Integer LimitSetting(Context& c, const char* key, Integer def, LimitRange range) {
    return LimitValue(c.GetIniSetting(key), range).value_or(def);
}

} // namespace

void SystemDefaults(Context& c) {
    State& s = c.s;
    s.DefaultItems = LimitSetting(c, "Nts", 2000, kItemsRange);
    s.DefaultTracks = LimitSetting(c, "Tracks", 32, kTracksRange);
    s.DefaultTicks = LimitSetting(c, "Actsen", 480, kTicksRange);
    s.DefaultReverb = LimitSetting(c, "Reverb", 3, kEffectRange);
    s.DefaultChorus = LimitSetting(c, "Chorus", 2, kEffectRange);
    s.TicksPerQuarter = s.DefaultTicks;
    s.MaxItems = s.DefaultItems;
    s.NumTracks = s.DefaultTracks;
    s.Reverb = s.DefaultReverb;
    s.Chorus = s.DefaultChorus;
    s.ActiveTracks.assign(static_cast<std::size_t>(s.NumTracks), '1');
    s.SelectedTracks.assign(static_cast<std::size_t>(s.NumTracks), '0');
}

} // namespace tnq
