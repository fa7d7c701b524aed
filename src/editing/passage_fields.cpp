// Passage boxes, percentages, ramps and the span rewrite of the value edits.
#include "editing/passage_fields.h"

#include "core/edit_fields.h"
#include "core/startup.h"
#include "core/track_files.h"
#include "core/vocabulary.h"
#include "platform/vb.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace tnq {

EditField CheckPassageChoice(Context& c, const PassageTexts& t) {
    if (!t.ByBar && !t.ByItem) return EditField::Silent;
    if (t.ByItem) {
        const State& s = c.s;
        const auto chosen = std::count(s.SelectedTracks.begin(), s.SelectedTracks.end(), '1');
        if (chosen == 0) return EditField::Silent;
        if (chosen > 1) {
            ItemSelectionWarning(c);
            return EditField::Silent;
        }
    }
    return EditField::None;
}

EditField CheckRepeatAndBeats(const PassageTexts& t) {
    if (!NumberIn(t.RepeatNumber, 1, 4)) return EditField::RepeatNumber;
    if (t.StartingBeat.empty() && t.NoBeats.empty()) return EditField::None;
    if (t.BeatValue.size() != 1 || NoteLetterIndex(t.BeatValue[0]) == 0)
        return EditField::BeatValue;
    if (!BeatCountValid(t.StartingBeat)) return EditField::StartingBeat;
    if (!BeatCountValid(t.NoBeats)) return EditField::NoBeats;
    return EditField::None;
}

EditRangeTexts RangeOf(const PassageTexts& t) {
    return {t.From, t.To, t.StartingBeat, t.NoBeats, t.BeatValue, t.RepeatNumber};
}

std::optional<Integer> PercentValue(const std::string& text) {
    const auto v = NumberIn(text, -32768, 32767);
    if (!v || *v == 0) return std::nullopt;
    return v;
}

Single PercentFactor(Integer percent) {
    const Single up = static_cast<Single>(1.0 + std::abs(static_cast<int>(percent)) / 100.0);
    return percent < 0 ? static_cast<Single>(1.0 / up) : up;
}

Integer Scaled(Integer value, Single factor, int lo, int hi) {
    const double product = std::floor(static_cast<double>(value) * static_cast<double>(factor));
    return static_cast<Integer>(std::clamp(product, double(lo), double(hi)));
}

Ramp::Ramp(Integer from, Integer to, double steps) : from_(from), to_(to), value_(from), next_(from) {
    if (steps > 0) step_ = static_cast<Single>(double(to - from) / steps);
}

void Ramp::Advance() {
    value_ = value_ + step_;
    if (from_ < to_ && value_ > to_) value_ = to_;
    if (from_ > to_ && value_ < to_) value_ = to_;
    next_ = static_cast<Integer>(std::floor(value_));
}

bool IsSoundingNote(const State& s, int track, int item) {
    const int code = s.NoteCode(track, item);
    return code >= 1 && code <= 127 && s.ItemTime(track, item) != 0;
}

int CountInSpan(const State& s, const std::function<bool(int item)>& take) {
    int n = 0;
    for (int i = s.RangeFrom; i <= s.RangeTo; ++i)
        if (take(i)) ++n;
    return n;
}

bool RewriteSpan(Context& c, const std::function<bool(int item)>& take,
                 const std::function<bool(int item)>& work) {
    State& s = c.s;
    const int t = s.CurrentTrack;
    try {
        for (int i = s.RangeFrom; i <= s.RangeTo; ++i) {
            if (!take(i)) continue;
            s.CurrentItem(t) = static_cast<Integer>(i);
            if (!ReadItem(c, 2)) return false;
            if (work(i)) WriteItem(c);
        }
    } catch (const VbError& e) {
        DisplayError(c, e);
        return false;
    }
    return true;
}

void SelectOnly(State& s, int track) {
    s.SelectedTracks.assign(static_cast<std::size_t>(s.NumTracks), '0');
    if (track >= 1 && track <= s.NumTracks) s.SelectedTracks[static_cast<std::size_t>(track) - 1] = '1';
}

} // namespace tnq
