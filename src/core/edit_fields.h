// The field rules every bulk-edit dialog shares: whole numbers written back
// in their plain digits, duration texts the recalculation will take, the
// bar and beat fields, By-Item ranges, and the leading-number reading that
// turns a dialog's texts into the shared edit parameters. The set-up forms
// and Balance Tracks read their numbers by the same rules.
#pragma once

#include "core/state.h"

#include <optional>
#include <string>
#include <string_view>

namespace tnq {

// An optionally signed decimal whole number in lo..hi and nothing else:
// no blanks, decimal point, exponent or other characters.
std::optional<int> WholeNumber(const std::string& text, int lo, int hi);
// WholeNumber of the text with the blanks around it taken off.
std::optional<int> TrimmedWholeNumber(const std::string& text, int lo, int hi);

// The value of a number text (numeric, as IsNumeric takes it) that lies in
// lo..hi; nothing otherwise.
std::optional<double> NumericIn(const std::string& text, double lo, double hi);
// A number text whose value lies in lo..hi ("numeric and lo..hi"); its
// whole value (halves to even) on success.
std::optional<Integer> NumberIn(const std::string& text, int lo, int hi);

// The text a record field gets for a number: its plain digits, with "-"
// when negative ("64", "-5"), never a leading blank.
std::string NumberText(long long value);

// A duration text as a record holds it: 1..10 characters of note letters,
// dots and divisors that the duration parser takes.
bool DurationTextValid(const std::string& text);

// A dialog field's numeric value as the command reads it: the number at the
// start of the text, as a 16-bit integer; 0 when it does not fit.
Integer FieldValue(std::string_view text);

// The Beat Value letter's note value (x = 1 .. y = 256), 0 when the text is
// not one of the letters.
Integer BeatValueTicks(const State& s, const std::string& text);

// A Starting Beat or No. of Beats the beat narrowing can take: a whole
// number from 0 up, blanks around it allowed.
bool BeatCountValid(const std::string& text);

// The fields of a bar-range dialog, as typed.
struct BarFields {
    std::string FromBar, ToBar;
    std::string StartingBeat, NumberOfBeats, BeatValue;
};

// The first field OK stops at, or None. Silent means OK does nothing at all
// (the focus stays where it is); otherwise the focus goes to that field.
// With a beat field empty the others are not examined, except that a No. of
// Beats given alone, which still narrows the span, must not be below 0.
enum class BarField { None, FromBar, ToBar, BeatValue, StartingBeat, NumberOfBeats, Silent };
BarField CheckBarFields(const BarFields& f);

// A By-Item range of one track: From at least 1, To not below From and not
// past the track's items.
bool ByItemRangeValid(int from, int to, int itemCount);

} // namespace tnq
