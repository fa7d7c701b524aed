// Measuring: every run of a command in a child process of its own (a fresh
// program, its own peak memory, a time limit that can stop it), the time
// and peak memory of the command itself, and the figures of a row's runs.
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace tnq::bench {

// What one run reports to the parent.
struct RunResult {
    double Seconds = 0;         // the command
    double Floor = -1;          // reading and writing its files once
    double Extra = -1;          // a comparison of the row's own
    long PeakKb = -1;           // resident peak while the command ran
    bool PeakOfCommand = false; // false: the peak of the whole run
    char Fault[512] = {};       // what was wrong; empty when the run was right
};
void SetFault(RunResult& r, const std::string& text);

// The command run once, timed, with the resident peak reset before it.
struct Measured {
    double Seconds = 0;
    std::chrono::steady_clock::time_point End;
    long PeakKb = -1;
    bool PeakOfCommand = false;
};
Measured MeasureCommand(const std::function<void()>& command);

// Runs body in a child process. Nothing when it did not end within
// limitSeconds (it is killed) or ended without reporting; why in *lost.
bool RunInChild(const std::function<RunResult()>& body, double limitSeconds, RunResult& out,
                std::string& lost);

// The runs of one row: at most runs of them, no new one once budgetSeconds
// have gone, each cut off after limitSeconds.
struct RowFigures {
    std::vector<double> Seconds, Floors;
    long PeakKb = -1;
    bool PeakOfCommand = true;
    double Extra = -1;
    int Planned = 0;
    bool CutShort = false;     // fewer runs than planned, for the budget
    double TimedOutAfter = -1; // a run was stopped after this many seconds
    std::string Fault;         // the first fault of a run
    double Median() const;
    double Min() const;
    double Max() const;
    double FloorMedian() const;
};
RowFigures RunRow(const std::function<RunResult(int run)>& body, int runs, double budgetSeconds,
                  double limitSeconds);

} // namespace tnq::bench
