// Starting other programs: the program runs on its own, in a session of its
// own, and is never waited for. For its first seconds the event loop looks
// in on it now and then, so that a program that gives up at once (a file
// opener with no program for the file) is reported; afterwards it is only
// reaped once it ends.
#pragma once

#include "platform/launcher.h"

#include <QTimer>

#include <chrono>
#include <sys/types.h>
#include <vector>

namespace tnq {

class QtLauncher : public Launcher {
public:
    // watch: how long after its start a failure is still reported.
    explicit QtLauncher(std::chrono::milliseconds watch = std::chrono::seconds(5));

    using Launcher::Start;
    bool Start(const std::string& program, const std::vector<std::string>& arguments,
               std::function<void()> onEarlyFailure) override;

private:
    struct Child {
        pid_t Pid;
        std::chrono::steady_clock::time_point WatchedUntil;
        std::function<void()> OnEarlyFailure; // empty once the watch is over
    };
    void Poll();

    std::chrono::milliseconds watch_;
    std::vector<Child> children_;
    QTimer timer_;
};

} // namespace tnq
