// MemorySetUp and SystemDefaults.
#include "core/memory.h"

#include "core/screen_procs.h"
#include "platform/vb.h"

#include <new>
#include <utility>

namespace tnq {

namespace {

std::size_t ScoreBytes(int tracks, int items) {
    const std::size_t grid16 = Array2<Integer>::BytesFor(tracks, items);
    const std::size_t grid32 = Array2<Long>::BytesFor(tracks, items);
    return 9 * grid16 + 2 * grid32;
}

} // namespace

void SwapScore(State& s, ScoreArrays& a) {
    using std::swap;
    swap(s.NoteCode, a.NoteCode);
    swap(s.ItemTime, a.ItemTime);
    swap(s.ItemDyn, a.ItemDyn);
    swap(s.ItemChan, a.ItemChan);
    swap(s.ItemBend, a.ItemBend);
    swap(s.BarNo, a.BarNo);
    swap(s.ItemCount, a.ItemCount);
    swap(s.CurrentItem, a.CurrentItem);
    swap(s.SpanFirst, a.SpanFirst);
    swap(s.SpanLast, a.SpanLast);
    swap(s.TrackTotal, a.TrackTotal);
    swap(s.LocationItem, a.LocationItem);
    swap(s.WorkCount, a.WorkCount);
    swap(s.WorkCode, a.WorkCode);
    swap(s.WorkTime, a.WorkTime);
    swap(s.WorkDyn, a.WorkDyn);
    swap(s.WorkChan, a.WorkChan);
    swap(s.WorkBend, a.WorkBend);
}

bool MemorySetUp(Context& c) {
    State& s = c.s;
    try {
        const int tracks = s.NumTracks, items = s.MaxItems;
        if (tracks < 0 || items < 0) throw VbError(err::SubscriptOutOfRange);
        if (s.ScoreMemoryLimit != 0 && ScoreBytes(tracks, items) > s.ScoreMemoryLimit)
            throw std::bad_alloc();

        ScoreArrays n;
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

        SwapScore(s, n); // the old score goes with n

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
