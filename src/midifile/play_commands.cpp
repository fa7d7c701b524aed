// Starting the player and the auxiliary program.
#include "midifile/play_commands.h"

#include "core/screen_procs.h"
#include "midifile/make_mid.h"
#include "platform/vb.h"

namespace tnq {

namespace {

bool Start(Context& c, const std::string& program, const std::vector<std::string>& arguments) {
    return c.launcher && !program.empty() && c.launcher->Start(program, arguments);
}

} // namespace

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
    try {
        started = Start(c, s.DefaultPlayer, {MidFilePath(s)});
    } catch (const VbError&) {
        started = false; // no path for NAME.MID
    }
    if (!started)
        c.msg.MsgBox(PlayerNotAvailableText(s.DefaultPlayer), mb::OKOnly | mb::Information,
                     std::string(kPlayMidTitle));
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
