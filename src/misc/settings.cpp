// The settings dialog's rules.
#include "misc/settings.h"

#include "core/edit_fields.h"
#include "core/memory.h"
#include "core/recalculate.h"
#include "platform/vb.h"

#include <algorithm>
#include <optional>

namespace tnq {

namespace {

// A box's whole number, blanks around it allowed (the boxes show their
// numbers with a leading blank).
std::optional<int> BoxNumber(const std::string& text, LimitRange range) {
    return WholeNumber(Trim(text), range.Min, range.Max);
}

// The most items a track of the open piece holds.
int LongestTrack(const State& s) {
    int longest = 0;
    if (!s.ItemCount.Allocated()) return 0;
    for (int t = 1; t <= s.NumTracks; ++t) longest = std::max<int>(longest, s.ItemCount(t));
    return longest;
}

void GrowItems(State& s, int items) {
    s.NoteCode.ReDimPreserve(items);
    s.ItemTime.ReDimPreserve(items);
    s.ItemDyn.ReDimPreserve(items);
    s.BarNo.ReDimPreserve(items);
    s.ItemBend.ReDimPreserve(items);
    s.ItemChan.ReDimPreserve(items);
}

} // namespace

SettingsBoxes SettingsShowing(State& s) {
    SettingsBoxes b;
    if (s.TicksPerQuarter == 0) s.TicksPerQuarter = 480;
    b.Actsen = Str(s.TicksPerQuarter);
    b.DefaultActsen = s.TicksPerQuarter == s.DefaultTicks;
    if (s.PieceOpen == 0)
        s.PieceDescription = "System default settings";
    else if (s.PieceDescription.empty())
        s.PieceDescription = "Settings for " + s.PieceTitle;
    b.Description = s.PieceDescription;
    b.Tracks = Str(s.NumTracks);
    b.DefaultTracks = s.NumTracks == s.DefaultTracks;
    b.Nts = Str(s.MaxItems);
    b.DefaultNts = s.MaxItems == s.DefaultItems;
    return b;
}

SettingsFocus SettingsOK(Context& c, const SettingsBoxes& b) {
    State& s = c.s;
    const std::optional<int> tracks = BoxNumber(b.Tracks, kTracksRange);
    if (!tracks) return SettingsFocus::Tracks;
    const std::optional<int> ticks = BoxNumber(b.Actsen, kTicksRange);
    if (!ticks) return SettingsFocus::Actsen;
    std::optional<int> items = BoxNumber(b.Nts, kItemsRange);
    // A track of the open piece must still fit (one slot stays free).
    if (items && s.PieceOpen == 1 && *tracks == s.NumTracks && *items <= LongestTrack(s))
        items.reset();
    if (!items) return SettingsFocus::Nts;

    s.TicksPerQuarter = static_cast<Integer>(*ticks);
    if (b.DefaultActsen && s.TicksPerQuarter != s.DefaultTicks) {
        c.SetIniSetting("Actsen", std::to_string(s.TicksPerQuarter));
        s.DefaultTicks = s.TicksPerQuarter;
    }
    s.PieceDescription = b.Description;

    const bool open = s.PieceOpen == 1;
    if (*items > s.MaxItems && open && *tracks == s.NumTracks && s.NoteCode.Allocated())
        GrowItems(s, *items);

    if (*tracks != s.NumTracks) {
        const Integer oldTracks = s.NumTracks, oldItems = s.MaxItems;
        Array1<std::string> descriptions = s.TrackDescription;
        if (*tracks > s.NumTracks && s.TrackDescription.Allocated()) {
            Array1<std::string> kept(*tracks);
            for (int t = 0; t <= std::min(*tracks, s.TrackDescription.Upper()); ++t)
                kept(t) = s.TrackDescription(t);
            s.TrackDescription = std::move(kept);
        } else {
            s.TrackDescription.ReDim(*tracks);
        }
        s.NumTracks = static_cast<Integer>(*tracks);
        c.msg.MsgBox("A Recalc may have to be run, because the number of Tracks has been changed",
                     mb::Critical, std::string("Change Parameters"));
        s.MaxItems = static_cast<Integer>(*items);
        if (!MemorySetUp(c)) {
            // The old score stays: so do its limits.
            s.NumTracks = oldTracks;
            s.MaxItems = oldItems;
            s.TrackDescription = std::move(descriptions);
            return SettingsFocus::Tracks;
        }
        if (open) {
            // The items are still in the track files: the new score reads
            // them again, so no track shows fewer items than it holds.
            s.SelectedTracks.assign(static_cast<std::size_t>(s.NumTracks), '1');
            Recalculate(c);
            s.SelectedTracks.assign(static_cast<std::size_t>(s.NumTracks), '0');
        }
    }
    if (b.DefaultTracks && s.NumTracks != s.DefaultTracks) {
        c.SetIniSetting("Tracks", std::to_string(s.NumTracks));
        s.DefaultTracks = s.NumTracks;
    }
    if (*items != s.MaxItems) s.MaxItems = static_cast<Integer>(*items);
    if (b.DefaultNts && s.MaxItems != s.DefaultItems) {
        c.SetIniSetting("Nts", std::to_string(s.MaxItems));
        s.DefaultItems = s.MaxItems;
    }
    s.PieceChanged = 1;
    return SettingsFocus::None;
}

} // namespace tnq
