// The item vocabulary: the texts of the Note field and the codes they
// become, the note-name and note-value tables, the TEMPO beat unit and the
// forms of the Adjustment field.
#pragma once

#include "core/state.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tnq {

// Item codes.
namespace code {
inline constexpr int Rest = 0;
inline constexpr int PROGR = 128;
inline constexpr int CNTRL = 129;
inline constexpr int TEMPO = 130;
inline constexpr int LOCAT = 131;
inline constexpr int AFTER = 132;
inline constexpr int PBEND = 133;
inline constexpr int LEGON = 134;
inline constexpr int LEGOF = 135;
inline constexpr int LFO_2 = 136;
inline constexpr int FILT1 = 137;
inline constexpr int LEGO1 = 138;
inline constexpr int FILT2 = 139;
inline constexpr int METER = 140;
inline constexpr int PORTS = 141;
inline constexpr int NRPN1 = 142;
} // namespace code

// The fifteen keywords, in code order from 128.
inline constexpr const char* kKeywords[15] = {"PROGR", "CNTRL", "TEMPO", "LOCAT", "AFTER",
                                              "PBEND", "LEGON", "LEGOF", "LFO_2", "FILT1",
                                              "LEGO1", "FILT2", "METER", "PORTS", "NRPN1"};

// The note-value letters, breve to hundred-twenty-eighth.
inline constexpr std::string_view kNoteLetters = "xwhqestzy";

// The code of a keyword (exact, case-sensitive), or 0 when the text is none.
int KeywordCode(std::string_view note);
// The keyword text of a code 128..142, or "".
std::string KeywordText(int itemCode);
// The keywords that carry no duration: all but TEMPO.
bool IsDurationlessKeyword(std::string_view note);

// Fills NoteSharp, NoteFlat (1..12) and PowerOfTwo (1..9).
void FillNoteTables(State& s);
// PowerOfTwo's slots 1..9: the ticks-per-whole divisors 1, 2, 4 .. 256.
void FillPowersOfTwo(Integer (&powers)[10]);

// Position (1..9) of a note-value letter, 0 when it is none.
int NoteLetterIndex(char c);

// The first index 1..12 whose sharp or flat name equals the text exactly; 0
// when it is no note name.
int NoteIndexOf(const State& s, std::string_view name);

// The flat spelling rule: two characters with "B" second become the first
// and "b"; a text that is then "bb" becomes "Bb". Other texts are unchanged.
std::string FlatSpelling(std::string note);

// A key typed into a note-name box, keyNumber the box's count of keys with
// this one: letters in capitals, and a "b" or "B" as the second key is the
// flat sign.
void NoteNameKey(int& keyAscii, int keyNumber);

// MIDI note number for a note index 1..12 and an octave.
inline int NoteNumber(int noteIndex, int octave) {
    return (octave + 1) * 12 + noteIndex - 1;
}

// The beat unit a TEMPO item's Duration text sets: one letter, or one
// letter and "." (times 1.5). Refused texts give nothing.
std::optional<Single> TempoBeatUnit(const State& s, std::string_view duration);

// The three forms of the Adjustment field of notes, rests and the keywords
// whose Adjustment is forced "0".
enum class AdjustmentForm { Zero, Numeric, Dashes, Invalid };
struct Adjustment {
    AdjustmentForm Form = AdjustmentForm::Invalid;
    double Value = 0; // numeric form
    int Dashes = 0;   // dash form
};
Adjustment ClassifyAdjustment(std::string_view text);

// Ticks a run of dashes removes from the item at position: the k-th dash
// removes the length of item position-k, or of the item before it when
// that length is 0. lengthAt gives an item's length. Nothing when the run
// reaches before item 1.
std::optional<long long> DashRemoval(int position, int dashes,
                                     const std::function<long long(int)>& lengthAt);

// The dash form on the item being stored at position of track t, as Accept
// Item and the recalculation apply it: ItemAdjust := minus what the run
// removes (lengths from ItemTime of the track), ItemTicks := ItemTicks +
// ItemAdjust. False when the run reaches before item 1 or leaves the item
// no length above 0.
bool ApplyDashRun(State& s, int t, int position, int dashes);

} // namespace tnq
