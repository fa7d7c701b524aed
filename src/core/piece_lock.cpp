// LockPieceDirectory and PieceOpenElsewhere.
#include "core/piece_lock.h"

namespace tnq {

std::string OpenElsewhereText(const std::string& title) {
    return "The piece " + title +
           " is open in another copy of Tonquill. Close it there before you open it here.";
}

std::optional<DirectoryLock> LockPieceDirectory(Context& c, const std::string& dir,
                                                const std::string& title,
                                                const std::string& boxTitle) {
    if (c.s.PieceLock.Holds(dir)) return c.s.PieceLock.Share();
    DirectoryLock lock;
    if (lock.Take(dir) != DirectoryLock::Outcome::HeldElsewhere) return lock;
    c.msg.MsgBox(OpenElsewhereText(title), mb::Exclamation, boxTitle);
    return std::nullopt;
}

bool PieceOpenElsewhere(const State& s, const std::string& dir) {
    if (s.PieceLock.Holds(dir)) return false;
    DirectoryLock probe;
    return probe.Take(dir) == DirectoryLock::Outcome::HeldElsewhere;
}

} // namespace tnq
