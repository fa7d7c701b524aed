// Runs in child processes, timing and peak memory.
#include "bench/runner.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <exception>
#include <fstream>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tnq::bench {

namespace {

using Clock = std::chrono::steady_clock;

double Since(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// A line of /proc/self/status in kB ("VmHWM"); -1 when unknown.
long StatusKb(const std::string& key) {
    std::ifstream f("/proc/self/status");
    std::string line;
    while (std::getline(f, line))
        if (line.rfind(key + ":", 0) == 0) return std::atol(line.c_str() + key.size() + 1);
    return -1;
}

// Resets the peak resident size to the current one; false where the kernel
// does not allow it.
bool ResetPeak() {
    std::ofstream f("/proc/self/clear_refs");
    f << "5";
    f.flush();
    return static_cast<bool>(f);
}

long MaxRssKb() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

double MedianOf(std::vector<double> v) {
    if (v.empty()) return -1;
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

} // namespace

void SetFault(RunResult& r, const std::string& text) {
    std::snprintf(r.Fault, sizeof r.Fault, "%s", text.c_str());
}

namespace {

double ProcessorSeconds() {
    timespec t{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

} // namespace

Measured MeasureCommand(const std::function<void()>& command) {
    Measured m;
    m.PeakOfCommand = ResetPeak();
    // TNQ_BENCH_CPU=1: the processor time the command took, which other
    // work on a busy machine changes less than the time it lasted.
    const bool cpu = std::getenv("TNQ_BENCH_CPU") != nullptr;
    const double cpuStart = cpu ? ProcessorSeconds() : 0;
    const auto start = Clock::now();
    command();
    m.End = Clock::now();
    m.Seconds = cpu ? ProcessorSeconds() - cpuStart
                    : std::chrono::duration<double>(m.End - start).count();
    m.PeakKb = m.PeakOfCommand ? StatusKb("VmHWM") : MaxRssKb();
    return m;
}

bool RunInChild(const std::function<RunResult()>& body, double limitSeconds, RunResult& out,
                std::string& lost) {
    int fds[2];
    if (::pipe(fds) != 0) {
        lost = "no pipe";
        return false;
    }
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        lost = "no child process";
        return false;
    }
    if (pid == 0) {
        ::close(fds[0]);
        RunResult r;
        try {
            r = body();
        } catch (const std::exception& e) {
            SetFault(r, std::string("error: ") + e.what());
        }
        const bool sent = ::write(fds[1], &r, sizeof r) == static_cast<ssize_t>(sizeof r);
        std::fflush(nullptr);
        ::_exit(sent ? 0 : 1);
    }
    ::close(fds[1]);
    const auto start = Clock::now();
    std::size_t got = 0;
    auto* bytes = reinterpret_cast<char*>(&out);
    bool timedOut = false;
    while (got < sizeof out) {
        const double left = limitSeconds - Since(start);
        if (left <= 0) {
            timedOut = true;
            break;
        }
        pollfd p{fds[0], POLLIN, 0};
        const int ready = ::poll(&p, 1, static_cast<int>(std::min(left * 1000 + 1, 1e9)));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) continue;
        const ssize_t n = ::read(fds[0], bytes + got, sizeof out - got);
        if (n <= 0) break;
        got += static_cast<std::size_t>(n);
    }
    if (timedOut) ::kill(pid, SIGKILL);
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (got == sizeof out) return true;
    if (timedOut)
        lost = "timed out";
    else if (WIFSIGNALED(status))
        lost = std::string("killed by signal ") + std::to_string(WTERMSIG(status)) + " (" +
               strsignal(WTERMSIG(status)) + ")";
    else
        lost = "ended without a result, exit status " + std::to_string(WEXITSTATUS(status));
    return false;
}

double RowFigures::Median() const {
    return MedianOf(Seconds);
}
double RowFigures::Min() const {
    return Seconds.empty() ? -1 : *std::min_element(Seconds.begin(), Seconds.end());
}
double RowFigures::Max() const {
    return Seconds.empty() ? -1 : *std::max_element(Seconds.begin(), Seconds.end());
}
double RowFigures::FloorMedian() const {
    return MedianOf(Floors);
}

RowFigures RunRow(const std::function<RunResult(int run)>& body, int runs, double budgetSeconds,
                  double limitSeconds) {
    RowFigures f;
    f.Planned = runs;
    const auto start = Clock::now();
    for (int i = 0; i < runs; ++i) {
        if (i > 0 && Since(start) > budgetSeconds) {
            f.CutShort = true;
            break;
        }
        RunResult r;
        std::string lost;
        if (!RunInChild([&] { return body(i); }, limitSeconds, r, lost)) {
            if (lost == "timed out")
                f.TimedOutAfter = limitSeconds;
            else
                f.Fault = lost;
            break;
        }
        if (r.Fault[0] != '\0') {
            f.Fault = r.Fault;
            break;
        }
        f.Seconds.push_back(r.Seconds);
        if (r.Floor >= 0) f.Floors.push_back(r.Floor);
        if (r.Extra >= 0) f.Extra = r.Extra;
        f.PeakKb = std::max(f.PeakKb, r.PeakKb);
        f.PeakOfCommand = f.PeakOfCommand && r.PeakOfCommand;
    }
    return f;
}

} // namespace tnq::bench
