// Randomize a Passage.
#include "editing/randomize.h"

#include "core/edit_fields.h"
#include "core/item_checks.h"
#include "core/vocabulary.h"
#include "platform/message_box.h"
#include "platform/vb.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <random>

namespace tnq {

namespace {

// The limits as whole numbers within 1..hi, the lower not above the upper.
std::optional<std::pair<Integer, Integer>> Limits(const RandomTexts& t) {
    const int hi = t.Tempo ? kMaxTempo : 127;
    const auto lower = NumberIn(t.Lower, 1, hi);
    const auto upper = NumberIn(t.Upper, 1, hi);
    if (!lower || !upper || *lower > *upper) return std::nullopt;
    return std::pair{*lower, *upper};
}

// A source seeded from the clock, for a run whose state names none.
std::function<double()> ClockSource() {
    auto gen = std::make_shared<std::mt19937_64>(
        static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()));
    // 53 random bits: never 1.
    return [gen] { return static_cast<double>((*gen)() >> 11) * 0x1.0p-53; };
}

} // namespace

EditField RandomOK(const State& s, const RandomTexts& t) {
    const double track = Val(t.Track);
    if (track < 1 || track > s.NumTracks) return EditField::Track;
    if (!t.Passage.ByBar && !t.Passage.ByItem) return EditField::Silent;
    if (!t.Dynamics && !t.Tempo) return EditField::Silent;
    if (!Limits(t)) return EditField::Silent;
    return CheckRepeatAndBeats(t.Passage);
}

Integer DrawBetween(double r, Integer lower, Integer upper) {
    Single x = static_cast<Single>(r);
    if (!(x >= 0)) x = 0;
    if (x >= 1) x = std::nextafter(Single(1), Single(0));
    const double d =
        std::floor(static_cast<double>(upper - lower + 1) * static_cast<double>(x) + lower);
    return static_cast<Integer>(std::clamp(d, double(lower), double(upper)));
}

bool RandomizePassage(Context& c, RandomDialog& dialog) {
    bool tempo = false;
    Integer lower = 0, upper = 0;
    std::function<double()> draw;
    EditCommand cmd;
    cmd.MenuMode = "mnuEdtRandom";
    cmd.Progress = "Randomizing...";
    cmd.Recalculates = false;
    // The dialog names the one track; there is no track selection.
    cmd.ChooseTracks = [&dialog](Context& cc) {
        if (!dialog.Show(cc)) return false;
        SelectOnly(cc.s, FieldValue(dialog.Texts().Track));
        return true;
    };
    cmd.ShowDialog = [](Context&) { return true; };
    cmd.Range = [&dialog] { return RangeOf(dialog.Texts().Passage); };
    cmd.ByItem = [&dialog] { return dialog.Texts().Passage.ByItem; };
    cmd.ReadParameters = [&](Context& cc) {
        const RandomTexts t = dialog.Texts();
        tempo = t.Tempo;
        lower = FieldValue(t.Lower);
        upper = FieldValue(t.Upper);
        // Seeded once for the run.
        draw = cc.s.Random ? cc.s.Random : ClockSource();
    };
    cmd.ApplySpan = [&](Context& cc) {
        State& s = cc.s;
        const int t = s.CurrentTrack;
        const auto take = [&s, t, tempo](int i) {
            return tempo ? s.NoteCode(t, i) == code::TEMPO : IsSoundingNote(s, t, i);
        };
        const int count = s.RangeFrom != s.RangeTo ? CountInSpan(s, take) : 0;
        if (count == 0) {
            if (tempo)
                cc.msg.MsgBox("A series of Tempos has to be set up first", mb::OKOnly,
                              std::string("Randomize"));
            return true;
        }
        return RewriteSpan(cc, take, [&](int i) {
            const Integer d = DrawBetween(draw(), lower, upper);
            s.ItemDyn(t, i) = d;
            cc.screen.SetText(Box::Dyn, NumberText(d));
            return true;
        });
    };
    NoTrackSelection none;
    return RunEditCommand(c, none, cmd);
}

} // namespace tnq
