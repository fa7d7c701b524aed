// LockPieceDirectory and PieceOpenElsewhere.
#include "core/piece_lock.h"

#include "core/piece_paths.h"

namespace tnq {

using Outcome = DirectoryLock::Outcome;

std::string OpenElsewhereText(const std::string& title) {
    return "The piece " + title +
           " is open in another copy of Tonquill. Close it there before you open it here.";
}

std::string NotLockableText(const std::string& dir) {
    return "The piece directory " + PathText(dir) +
           " cannot be locked against other copies of Tonquill, so the piece is not opened.";
}

std::optional<DirectoryLock> LockPieceDirectory(Context& c, const std::string& dir,
                                                const std::string& title,
                                                const std::string& boxTitle,
                                                DirectoryLock::Outcome* refused) {
    DirectoryLock lock;
    Outcome got = Outcome::NotLockable;
    if (c.s.PieceLock.Holds(dir)) {
        lock = c.s.PieceLock.Share();
        if (lock.IsHeld()) got = Outcome::Taken;
    } else {
        got = lock.Take(dir);
    }
    if (got == Outcome::Taken) return lock;
    if (refused) *refused = got;
    c.msg.MsgBox(got == Outcome::HeldElsewhere ? OpenElsewhereText(title) : NotLockableText(dir),
                 mb::Exclamation, boxTitle);
    return std::nullopt;
}

bool PieceOpenElsewhere(const State& s, const std::string& dir) {
    if (s.PieceLock.Holds(dir)) return false;
    DirectoryLock probe;
    return probe.Take(dir) == DirectoryLock::Outcome::HeldElsewhere;
}

} // namespace tnq
