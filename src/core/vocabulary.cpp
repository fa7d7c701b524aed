// Item codes, note tables, TEMPO units, Adjustment forms.
#include "core/vocabulary.h"

#include "platform/vb.h"

namespace tnq {

int KeywordCode(std::string_view note) {
    for (int i = 0; i < 15; ++i)
        if (note == kKeywords[i]) return code::PROGR + i;
    return 0;
}

std::string KeywordText(int itemCode) {
    if (itemCode < code::PROGR || itemCode > code::NRPN1) return "";
    return kKeywords[itemCode - code::PROGR];
}

bool IsDurationlessKeyword(std::string_view note) {
    const int k = KeywordCode(note);
    return k != 0 && k != code::TEMPO;
}

void FillNoteTables(State& s) {
    static const char* sharp[12] = {"C",  "C#", "D",  "D#", "E",  "F",
                                    "F#", "G",  "G#", "A",  "A#", "B"};
    static const char* flat[12] = {"C", "Db", "D", "Eb", "E", "F", "Gb", "G", "Ab", "A", "Bb", "B"};
    for (int i = 1; i <= 12; ++i) {
        s.NoteSharp[i] = sharp[i - 1];
        s.NoteFlat[i] = flat[i - 1];
    }
    FillPowersOfTwo(s.PowerOfTwo);
}

void FillPowersOfTwo(Integer (&powers)[10]) {
    for (int i = 1; i <= 9; ++i) powers[i] = static_cast<Integer>(1 << (i - 1));
}

int NoteLetterIndex(char c) {
    auto p = kNoteLetters.find(c);
    return p == std::string_view::npos ? 0 : static_cast<int>(p) + 1;
}

int NoteIndexOf(const State& s, std::string_view name) {
    for (int i = 1; i <= 12; ++i)
        if (name == s.NoteSharp[i] || name == s.NoteFlat[i]) return i;
    return 0;
}

std::string FlatSpelling(std::string note) {
    if (note.size() == 2 && note[1] == 'B') note[1] = 'b';
    if (note == "bb") note = "Bb";
    return note;
}

void NoteNameKey(int& keyAscii, int keyNumber) {
    if (keyAscii <= 0 || keyAscii >= 256) return;
    if (keyNumber == 2 && (keyAscii == 'b' || keyAscii == 'B')) {
        keyAscii = 'b';
        return;
    }
    const std::string upper = UCase(std::string(1, static_cast<char>(keyAscii)));
    if (upper.size() == 1) keyAscii = static_cast<unsigned char>(upper[0]);
}

std::optional<Single> TempoBeatUnit(const State& s, std::string_view d) {
    if (d.empty()) return std::nullopt;
    const int idx = NoteLetterIndex(d[0]);
    if (idx == 0) return std::nullopt;
    const Single unit = s.PowerOfTwo[idx];
    if (d.size() == 1) return unit;
    if (d.size() == 2 && d[1] == '.') return static_cast<Single>(double(unit) * 1.5);
    return std::nullopt;
}

Adjustment ClassifyAdjustment(std::string_view a) {
    Adjustment r;
    if (a == "0") {
        r.Form = AdjustmentForm::Zero;
        return r;
    }
    const bool numeric = (a.size() == 1 && a != "-") || (a.size() > 1 && a.substr(0, 2) != "--");
    if (numeric) {
        if (!IsNumeric(a)) return r;
        const double v = Val(a);
        if (v < -999 || v > 9999) return r;
        r.Form = AdjustmentForm::Numeric;
        r.Value = v;
        return r;
    }
    for (char c : a)
        if (c != '-') return r;
    r.Form = AdjustmentForm::Dashes;
    r.Dashes = static_cast<int>(a.size());
    return r;
}

std::optional<long long> DashRemoval(int position, int dashes,
                                     const std::function<long long(int)>& lengthAt) {
    long long removed = 0;
    for (int k = 1; k <= dashes; ++k) {
        const int p = position - k;
        if (p < 1) return std::nullopt;
        const long long len = lengthAt(p);
        if (len != 0) {
            removed += len;
        } else {
            if (p - 1 < 1) return std::nullopt;
            removed += lengthAt(p - 1);
        }
    }
    return removed;
}

bool ApplyDashRun(State& s, int t, int position, int dashes) {
    const auto removed =
        DashRemoval(position, dashes, [&s, t](int p) -> long long { return s.ItemTime(t, p); });
    if (!removed) return false;
    s.ItemAdjust = static_cast<Single>(-static_cast<double>(*removed));
    s.ItemTicks = static_cast<Single>(double(s.ItemTicks) + double(s.ItemAdjust));
    return s.ItemTicks > 0;
}

} // namespace tnq
