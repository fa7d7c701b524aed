// The plain .MID writer command and the steps the writers share.
#include "midifile/make_mid.h"

#include "core/piece_paths.h"
#include "core/screen_procs.h"
#include "midifile/mid_copyright.h"
#include "platform/vb.h"
#include "platform/whole_file.h"

#include <filesystem>
#include <new>
#include <system_error>

namespace tnq {

namespace {

// Ends the writer's display: upper status line empty, normal pointer.
void EndDisplay(Context& c) {
    c.screen.SetStatus1("");
    c.screen.SetHourglass(false);
}

void ShowRunTimeError(Context& c, const VbError& e) {
    c.msg.MsgBox(ErrorOccuredText(e), mb::OKOnly, std::string(kMakeMidTitle));
}

// What a failed writer says of NAME.MID, which it leaves as it was: that
// the earlier one is kept, when there is one.
std::string EarlierFileKept(const State& s) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(MidFilePath(s), ec)) return "";
    return " The earlier " + s.PieceTitle + ".MID has been kept.";
}

// A run-time error of the encoder, told apart from one of writing the file.
struct EncoderRunTimeError {
    VbError Error;
};

} // namespace

std::string MidFilePath(const State& s) {
    return PieceFilePath(s, s.PieceTitle + ".MID");
}

std::optional<Long> PrepareWorkArrays(Context& c, const BalanceStep& rule,
                                      const RecalculateFn& recalc) {
    State& s = c.s;
    // Step 1: every track selected, the timing tables up to date.
    s.SelectedTracks.assign(static_cast<std::size_t>(s.NumTracks), '1');
    const bool fresh = s.RecalcDone != 0;
    s.RecalcDone = 0;
    if (!fresh && !recalc(c)) {
        EndDisplay(c);
        return std::nullopt;
    }
    c.screen.SetHourglass(true);
    c.screen.SetStatus1(" Checking tracks for balance...");
    c.screen.SetStatus2("");

    // Steps 2 and 3.
    AllocateWorkArrays(s);
    if (const int t = CompactTracks(s, rule.Suppressed); t != 0) {
        EndDisplay(c);
        c.msg.MsgBox("Track" + Str(t) + " is too long to be written into a .MID file",
                     mb::Exclamation, std::string(kMakeMidTitle));
        return std::nullopt;
    }

    // Steps 4 to 6.
    const Long reference = ShowTotalsAndReference(c, rule.Suppressed);
    if (AnyTrackDiffers(s, reference, rule.Suppressed)) {
        if (OutOfBalance(s, reference, rule.Tolerance, rule.Suppressed)) {
            c.msg.MsgBox("Tracks out of balance", mb::OKOnly, rule.MessageTitle);
            EndDisplay(c);
            return std::nullopt;
        }
        SpreadDifferences(s, reference, rule.Suppressed);
    }
    c.screen.SetHourglass(false);
    return reference;
}

bool WriteMidFile(Context& c, MidOptionsDialog& dialog, Long reference,
                  const MidWriterRules& rules) {
    State& s = c.s;
    // Step 7: the copyright of the file written last time.
    s.MidDivision = s.TicksPerQuarter;
    s.MidFileOpen = 0;
    const std::string path = MidFilePath(s);
    s.MidCopyright = ReadBackCopyright(path);

    // Step 8.
    s.MidReference = reference;
    const std::optional<MidOptions> options = dialog.Show(c);
    s.DialogResult = options ? "" : "abort";
    if (!options) {
        EndDisplay(c);
        return false;
    }

    // The file is written under a temporary name, chunk by chunk as it is
    // encoded, and replaces the old one only when complete and on the disk.
    c.screen.SetStatus1("Making .Mid file...");
    c.screen.SetHourglass(true);
    const std::string name = s.PieceTitle + ".MID";
    try {
        ReplaceWholeFile(
            path,
            [&](const ByteSink& put) {
                s.MidFileOpen = 1;
                try {
                    EncodeMidFile(s, *options, reference, put, rules);
                } catch (const VbError& e) {
                    throw EncoderRunTimeError{e};
                }
            });
        s.MidFileOpen = 0;
    } catch (const MidEncodeError& e) {
        s.MidFileOpen = 0;
        EndDisplay(c);
        c.msg.MsgBox(std::string(e.what()) + ". " + name + " has not been changed.",
                     mb::Exclamation, std::string(kMakeMidTitle));
        return false;
    } catch (const EncoderRunTimeError& e) {
        throw e.Error; // told as the writer's other run-time errors are
    } catch (const VbError& e) {
        s.MidFileOpen = 0;
        EndDisplay(c);
        c.msg.MsgBox(name + " could not be written: error" + Str(e.Number()) + " (" +
                         e.Description() + ")." + EarlierFileKept(s),
                     mb::Exclamation, std::string(kMakeMidTitle));
        return false;
    }
    EndDisplay(c);
    return true;
}

namespace {

// A writer after its own first step: the work arrays, the dialog and the
// file, with a run-time error reported and the file closed.
bool RunWriter(Context& c, MidOptionsDialog& dialog, const BalanceStep& rule,
               const MidWriterRules& rules, const RecalculateFn& recalc) {
    try {
        const std::optional<Long> reference = PrepareWorkArrays(c, rule, recalc);
        if (!reference) return false;
        return WriteMidFile(c, dialog, *reference, rules);
    } catch (const VbError& e) {
        c.s.MidFileOpen = 0;
        EndDisplay(c);
        ShowRunTimeError(c, e);
        return false;
    } catch (const std::bad_alloc&) {
        // The file is replaced only once complete, so the old one is intact.
        c.s.MidFileOpen = 0;
        EndDisplay(c);
        c.msg.MsgBox("There is not enough memory to make " + c.s.PieceTitle + ".MID." +
                         EarlierFileKept(c.s),
                     mb::Exclamation, std::string(kMakeMidTitle));
        return false;
    }
}

} // namespace

bool MakeMidFile(Context& c, MidOptionsDialog& dialog, const RecalculateFn& recalc) {
    if (c.s.PieceOpen == 0) {
        NoFileOpenMsg(c);
        return false;
    }
    BalanceStep rule;
    rule.Tolerance = PlainBalanceTolerance(c.s.TicksPerQuarter);
    return RunWriter(c, dialog, rule, MidWriterRules{}, recalc);
}

BalanceStep SuppressionBalanceRule(const State& s) {
    BalanceStep rule;
    rule.Tolerance = s.TicksPerQuarter / 32;
    rule.Suppressed = [&s](int t) { return IsSuppressedTrack(s, t); };
    rule.MessageTitle = kBalanceTitle;
    return rule;
}

bool IsSuppressedTrack(const State& s, int t) {
    return t >= 1 && static_cast<std::size_t>(t) <= s.ActiveTracks.size() &&
           s.ActiveTracks[static_cast<std::size_t>(t) - 1] == '0';
}

bool MakeModifiedMidFile(Context& c, MidOptionsDialog& dialog, const RecalculateFn& recalc) {
    State& s = c.s;
    if (s.PieceOpen == 0) {
        NoFileOpenMsg(c);
        return false;
    }
    s.MenuMode = "mnuModPlayMid";
    MidWriterRules rules;
    rules.PieceTempoAlways = true;
    return RunWriter(c, dialog, SuppressionBalanceRule(s), rules, recalc);
}

} // namespace tnq
