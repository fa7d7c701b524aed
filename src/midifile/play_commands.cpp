// Starting the player and the auxiliary program.
#include "midifile/play_commands.h"

#include "core/screen_procs.h"
#include "midifile/make_mid.h"
#include "platform/vb.h"

namespace tnq {

namespace {

bool Start(Context& c, const std::string& program, const std::vector<std::string>& arguments,
           std::function<void()> onEarlyFailure = {}) {
    return c.launcher && !program.empty() &&
           c.launcher->Start(program, arguments, std::move(onEarlyFailure));
}

void PlayerNotAvailable(MessageBoxes& msg, const std::string& player) {
    msg.MsgBox(PlayerNotAvailableText(player), mb::OKOnly | mb::Information,
               std::string(kPlayMidTitle));
}

} // namespace

bool RecalcTracks(Context& c, TrackSelectionDialog& tracks, const RecalculateFn& recalc) {
    State& s = c.s;
    if (s.PieceOpen == 0) {
        NoFileOpenMsg(c);
        return false;
    }
    s.MenuMode = "mnuFilRecalc";
    tracks.Show(c);
    if (s.SelectedTracks.find('1') == std::string::npos) return false;
    c.screen.SetStatus1("Recalculating...");
    c.screen.SetStatus2("");
    c.screen.SetHourglass(true);
    // A successful recalculation ends the display itself; a failed one
    // has shown its message and may have left it.
    if (recalc(c)) return true;
    SwitchOffStatus(c);
    return false;
}

std::string PlayerNotAvailableText(const std::string& player) {
    return "Program " + player +
           " is not available. Check if you have this program or select another one "
           "(Miscellaneous; Select Default Player";
}

bool PlayMidFile(Context& c) {
    State& s = c.s;
    if (s.PieceOpen == 0) {
        NoFileOpenMsg(c);
        return false;
    }
    bool started = false;
    // A player that gives up at once (a file opener with no program for
    // .MID files) is not available either.
    MessageBoxes& msg = c.msg;
    const std::string player = s.DefaultPlayer;
    try {
        started =
            Start(c, player, {MidFilePath(s)}, [&msg, player] { PlayerNotAvailable(msg, player); });
    } catch (const VbError&) {
        started = false; // no path for NAME.MID
    }
    if (!started) PlayerNotAvailable(msg, player);
    return started;
}

bool RunAuxiliaryProgram(Context& c) {
    const bool started = Start(c, c.s.AuxiliaryProgram, {});
    if (!started)
        c.msg.MsgBox(kAuxiliaryNotSetUpText, mb::OKOnly | mb::Information,
                     std::string(kAuxiliaryTitle));
    return started;
}

} // namespace tnq
