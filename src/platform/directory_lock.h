// A lock on a directory that every copy of the program honours: an
// exclusive flock on the directory itself, so no extra file is made, and the
// system releases it when the holder closes it or ends (a killed program
// leaves no lock behind).
#pragma once

#include <string>

namespace tnq {

class DirectoryLock {
public:
    enum class Outcome {
        Taken,
        HeldElsewhere, // another open of the directory holds it
        NotLockable,   // the directory cannot be opened or locked at all
    };

    DirectoryLock() = default;
    ~DirectoryLock();
    DirectoryLock(const DirectoryLock&) = delete;
    DirectoryLock& operator=(const DirectoryLock&) = delete;
    DirectoryLock(DirectoryLock&& other) noexcept;
    DirectoryLock& operator=(DirectoryLock&& other) noexcept;

    // Takes the lock of dir without waiting. Only a Taken lock holds
    // anything; a lock held before is released first.
    Outcome Take(const std::string& dir);
    void Release();
    bool IsHeld() const { return fd_ >= 0; }

    // True when this lock is held on dir, under whatever name.
    bool Holds(const std::string& dir) const;
    // A second hold of this lock: the directory stays locked while either
    // is held. An empty lock when this one holds nothing or no descriptor
    // is left.
    DirectoryLock Share() const;

private:
    int fd_ = -1;
};

} // namespace tnq
