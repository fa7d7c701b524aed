// Field rules of the bulk-edit dialogs.
#include "core/edit_fields.h"

#include "core/duration_parse.h"
#include "core/vocabulary.h"
#include "platform/vb.h"

#include <limits>

namespace tnq {

std::optional<int> WholeNumber(const std::string& text, int lo, int hi) {
    std::size_t p = 0;
    bool negative = false;
    if (p < text.size() && (text[p] == '-' || text[p] == '+')) negative = text[p++] == '-';
    if (p == text.size()) return std::nullopt;
    long long v = 0;
    for (; p < text.size(); ++p) {
        const char ch = text[p];
        if (ch < '0' || ch > '9') return std::nullopt;
        v = v * 10 + (ch - '0');
        if (v > std::numeric_limits<int>::max()) return std::nullopt;
    }
    if (negative) v = -v;
    if (v < lo || v > hi) return std::nullopt;
    return static_cast<int>(v);
}

std::optional<int> TrimmedWholeNumber(const std::string& text, int lo, int hi) {
    return WholeNumber(Trim(text), lo, hi);
}

std::optional<double> NumericIn(const std::string& text, double lo, double hi) {
    if (!IsNumeric(text)) return std::nullopt;
    const double v = Val(text);
    if (v < lo || v > hi) return std::nullopt;
    return v;
}

std::optional<Integer> NumberIn(const std::string& text, int lo, int hi) {
    const std::optional<double> v = NumericIn(text, lo, hi);
    if (!v) return std::nullopt;
    const double whole = RoundHalfEven(*v);
    // "0.5" is numeric and not below 0, but its whole value may be.
    if (whole < lo || whole > hi) return std::nullopt;
    return static_cast<Integer>(whole);
}

std::string NumberText(long long value) { return std::to_string(value); }

bool DurationTextValid(const std::string& text) {
    if (text.empty() || text.size() > 10) return false;
    // Beat mode counts into a probe of its own; only the verdict matters.
    return DurationBeatsValid(text, 8);
}

Integer FieldValue(std::string_view text) {
    const double v = FieldVal(text);
    try {
        return CInt(v);
    } catch (const VbError&) {
        return 0;
    }
}

Integer BeatValueTicks(const State& s, const std::string& text) {
    if (text.size() != 1) return 0;
    const int idx = NoteLetterIndex(text[0]);
    return idx == 0 ? Integer(0) : s.PowerOfTwo[idx];
}

bool BeatCountValid(const std::string& text) {
    return WholeNumber(Trim(text), 0, std::numeric_limits<Integer>::max()).has_value();
}

BarField CheckBarFields(const BarFields& f) {
    if (!IsNumeric(f.FromBar) || !IsNumeric(f.ToBar) || Val(f.ToBar) < Val(f.FromBar))
        return BarField::Silent;
    if (f.StartingBeat.empty() || f.NumberOfBeats.empty())
        return FieldValue(f.NumberOfBeats) < 0 ? BarField::NumberOfBeats : BarField::None;
    if (f.BeatValue.size() != 1 || NoteLetterIndex(f.BeatValue[0]) == 0)
        return BarField::BeatValue;
    if (!BeatCountValid(f.StartingBeat)) return BarField::StartingBeat;
    if (!BeatCountValid(f.NumberOfBeats)) return BarField::NumberOfBeats;
    if ((Val(f.StartingBeat) == 0) != (Val(f.NumberOfBeats) == 0)) return BarField::Silent;
    return BarField::None;
}

bool ByItemRangeValid(int from, int to, int itemCount) {
    return from >= 1 && to >= from && to <= itemCount;
}

} // namespace tnq
