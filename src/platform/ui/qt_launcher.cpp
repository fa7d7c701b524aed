// Other programs started with posix_spawn and looked in on from a timer.
#include "platform/ui/qt_launcher.h"

#include <csignal>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace tnq {

namespace {

constexpr int kWatchTick = 100; // ms, while a program is watched
constexpr int kReapTick = 1000; // ms, once only reaping is left

} // namespace

QtLauncher::QtLauncher(std::chrono::milliseconds watch) : watch_(watch) {
    QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
}

bool QtLauncher::Start(const std::string& program, const std::vector<std::string>& arguments,
                       std::function<void()> onEarlyFailure) {
    if (program.empty()) return false;
    std::vector<std::string> texts{program};
    texts.insert(texts.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& t : texts) argv.push_back(t.data());
    argv.push_back(nullptr);

    // The program starts as from a shell: no signal blocked, a broken pipe
    // ending it, in a session of its own so that it outlives this one.
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    sigset_t none, defaults;
    sigemptyset(&none);
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigmask(&attr, &none);
    posix_spawnattr_setsigdefault(&attr, &defaults);
    posix_spawnattr_setflags(&attr,
                             POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSID);
    pid_t pid = 0;
    const int failed = posix_spawnp(&pid, argv[0], nullptr, &attr, argv.data(), environ);
    posix_spawnattr_destroy(&attr);
    if (failed != 0) return false;

    children_.push_back(
        {pid, std::chrono::steady_clock::now() + watch_, std::move(onEarlyFailure)});
    timer_.start(kWatchTick);
    return true;
}

void QtLauncher::Poll() {
    const auto now = std::chrono::steady_clock::now();
    std::vector<std::function<void()>> failures;
    bool watching = false;
    for (auto it = children_.begin(); it != children_.end();) {
        int status = 0;
        const pid_t r = waitpid(it->Pid, &status, WNOHANG);
        if (r == 0) { // still running
            if (now >= it->WatchedUntil) it->OnEarlyFailure = nullptr;
            watching = watching || it->OnEarlyFailure;
            ++it;
            continue;
        }
        const bool ok = r == it->Pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
        if (r == it->Pid && !ok && it->OnEarlyFailure) failures.push_back(it->OnEarlyFailure);
        it = children_.erase(it);
    }
    if (children_.empty())
        timer_.stop();
    else
        timer_.setInterval(watching ? kWatchTick : kReapTick);
    // Reported last: a report may show a window and run the event loop.
    for (const auto& report : failures) report();
}

} // namespace tnq
