// ShowTrackCounts, ShowTrackCount, SwitchOffStatus, NoFileOpenMsg.
#include "core/screen_procs.h"

#include <string>

namespace tnq {

void ShowTrackCounts(Context& c) {
    State& s = c.s;
    for (int i = 1; i <= s.NumTracks; ++i)
        c.screen.SetTrackFigure(i - 1, std::to_string(s.ItemCount(i)));
}

void ShowTrackCount(Context& c, int t) {
    c.screen.SetTrackFigure(t - 1, std::to_string(c.s.ItemCount(t)));
}

void SwitchOffStatus(Context& c) {
    c.screen.SetStatus1("");
    c.screen.SetStatus2("Select a menu item");
    c.screen.SetHourglass(false);
}

void NoFileOpenMsg(Context& c) {
    c.msg.MsgBox("No file has yet been opened", mb::Exclamation, std::string("   "));
}

} // namespace tnq
