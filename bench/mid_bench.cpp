// "&Make .MID file..." on large pieces: 96 tracks of 2000 and of 32000 items
// in track files, written as NAME.MID with a scripted options dialog. Prints
// the time of the whole command (recalculation from the track files,
// compaction, balance, writing the file), its phases, the peak memory, and
// the time csvmidi takes to write the same events from their CSV form.
//
// Usage: tnq_bench [items ...]   (default: 2000 32000)
#include "core/memory.h"
#include "core/piece_paths.h"
#include "core/track_files.h"
#include "core/vocabulary.h"
#include "midifile/make_mid.h"
#include "midifile/mid_file_replace.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using namespace tnq;

namespace {

constexpr int kTracks = 96;

// ---- The program around the command, without a window ---------------------

class BenchScreen : public MainScreen {
public:
    std::string Text(Box box) const override { return boxes_[static_cast<int>(box)]; }
    void SetText(Box box, const std::string& text) override {
        boxes_[static_cast<int>(box)] = text;
    }
    void SetStatus1(const std::string&) override {}
    void SetStatus2(const std::string&) override {}
    void SetTrackFigure(int, const std::string&) override {}
    void SetHourglass(bool) override {}
    void SetFocus(Box) override {}

private:
    std::string boxes_[11];
};

// Any message means the piece or the command went wrong.
class BenchMessages : public MessageBoxes {
public:
    int MsgBox(const std::string& text, int, const std::optional<std::string>&) override {
        std::cerr << "unexpected message: " << text << "\n";
        failed = true;
        return mb::OK;
    }
    std::string InputBox(const std::string& prompt, const std::optional<std::string>&,
                         const std::string&) override {
        std::cerr << "unexpected input box: " << prompt << "\n";
        failed = true;
        return "";
    }
    bool failed = false;
};

// The options dialog answered OK with a title and a copyright.
class ScriptedDialog : public MidOptionsDialog {
public:
    std::optional<MidOptions> Show(Context& c) override {
        c.s.DialogResult = "";
        MidOptions o;
        o.Title = MidDialogTitle(c.s);
        o.Copyright = MidDialogCopyright(c.s);
        return o;
    }
};

struct Program {
    explicit Program(const fs::path& dir) : ini(dir / "win.ini"), c{s, msg, ini, screen, sys} {}
    State s;
    BenchMessages msg;
    SettingsStore ini;
    BenchScreen screen;
    SystemInfo sys;
    Context c;
};

// ---- The piece ------------------------------------------------------------

TrackItemRecord Rec(std::string note, std::string octave, std::string duration,
                    std::string adjustment, std::string dynamics, int bar, int channel,
                    int bend = 0) {
    return {std::move(note),         std::move(octave),   std::move(duration),
            std::move(adjustment),   std::move(dynamics), std::to_string(bar),
            std::to_string(channel), std::to_string(bend)};
}

// One track of `items` items. Every track has the same lengths in the same
// order (a TEMPO or PROGR item first, then notes with a rest every ninth item
// and a controller every hundredth), so the tracks balance.
std::string TrackBytes(int track, int items) {
    static const char* const kNames[] = {"C",  "C#", "D",  "Eb", "E",  "F",
                                         "F#", "G",  "Ab", "A",  "Bb", "B"};
    static const char* const kDur[] = {"q", "e", "e", "h", "q", "s", "s", "e"};
    static const int kTicks[] = {480, 240, 240, 960, 480, 120, 120, 240};
    const int channel = (track - 1) % 16 + 1;
    std::string out;
    out.reserve((static_cast<std::size_t>(items) + 1) * kRecordLength);
    long long ticks = 0;
    auto bar = [&] { return static_cast<int>(ticks / 1920 + 1); };
    if (track == 1)
        out += EncodeRecord(Rec("TEMPO", "", "q", "0", "120", 1, channel));
    else
        out += EncodeRecord(Rec("PROGR", "", "", "0", std::to_string(track), 1, channel));
    for (int k = 0; k < items - 1; ++k) {
        const int d = k % 8;
        if (k % 100 == 99) {
            out += EncodeRecord(
                Rec("CNTRL", "", "", "7", std::to_string(60 + k % 60), bar(), channel));
            continue;
        }
        if (k % 9 == 8) {
            out += EncodeRecord(Rec("R", "", kDur[d], "0", "0", bar(), channel));
        } else {
            const int key = 36 + (k * 7 + track * 5) % 48;
            const int bend = k % 50 == 0 ? 512 : 0;
            out +=
                EncodeRecord(Rec(kNames[key % 12], std::to_string(key / 12 - 1), kDur[d], "0",
                                 std::to_string(40 + (k * 13 + track) % 80), bar(), channel, bend));
        }
        ticks += kTicks[d];
    }
    out += EncodeRecord(kEndRecord);
    return out;
}

void WritePiece(Program& p, const fs::path& pieces, int items) {
    State& s = p.s;
    s.FilePath = pieces.string();
    s.PieceTitle = "BENCH";
    s.PieceDescription = "Benchmark piece\r\n96 tracks";
    s.NumTracks = kTracks;
    s.MaxItems = static_cast<Integer>(items + 1); // a track holds MaxItems - 1 items
    s.TicksPerQuarter = 480;
    s.Tempo = "120";
    s.PieceOpen = 1;
    FillNoteTables(s);
    if (!MemorySetUp(p.c)) throw std::runtime_error("MemorySetUp failed");
    s.TrackDescription.ReDim(kTracks);
    fs::create_directories(PieceDirectory(s));
    for (int t = 1; t <= kTracks; ++t) {
        std::ofstream f(TrackFilePath(s.FilePath, s.PieceTitle, t), std::ios::binary);
        f << TrackBytes(t, items);
        if (!f) throw std::runtime_error("cannot write a track file");
    }
}

// ---- Measuring ------------------------------------------------------------

double Seconds(const std::function<void()>& f) {
    const auto a = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - a).count();
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// A line of /proc/self/status in kB ("VmRSS", "VmHWM"); -1 when unknown.
long StatusKb(const std::string& key) {
    std::ifstream f("/proc/self/status");
    std::string line;
    while (std::getline(f, line))
        if (line.rfind(key + ":", 0) == 0) return std::atol(line.c_str() + key.size() + 1);
    return -1;
}

// Resets the peak resident size (VmHWM, and with it ru_maxrss) to the
// current one; false where the kernel does not allow it.
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

// The peak memory of one run of the command on a freshly opened piece, in
// a child process: resident size before the run and at its peak, in kB.
struct PeakMemory {
    long Before = -1, Peak = -1;
    bool Reset = false; // false: Peak is the child's whole lifetime
};

PeakMemory MeasurePeak(Context& c, MidOptionsDialog& dialog) {
    PeakMemory r;
    int fds[2];
    if (::pipe(fds) != 0) return r;
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        PeakMemory m;
        m.Before = StatusKb("VmRSS");
        m.Reset = ResetPeak();
        c.s.RecalcDone = 0;
        const bool ok = MakeMidFile(c, dialog);
        m.Peak = m.Reset ? StatusKb("VmHWM") : MaxRssKb();
        if (!ok) m.Peak = -1;
        const ssize_t written = ::write(fds[1], &m, sizeof m);
        ::_exit(written == sizeof m ? 0 : 1);
    }
    ::close(fds[1]);
    if (pid > 0) {
        if (::read(fds[0], &r, sizeof r) != sizeof r) r = PeakMemory{};
        ::waitpid(pid, nullptr, 0);
    }
    ::close(fds[0]);
    return r;
}

// Runs a shell command; its exit status.
int Run(const std::string& cmd) {
    const int st = std::system(cmd.c_str());
    return WIFEXITED(st) ? WEXITSTATUS(st) : -1;
}

// A path in single quotes for the shell (built by appending: GCC 12 at -O3
// warns wrongly about "'" + text).
std::string Quote(const fs::path& p) {
    std::string q(1, '\'');
    q += p.string();
    q += '\'';
    return q;
}

bool RunCase(const fs::path& root, int items) {
    const fs::path dir = root / ("items" + std::to_string(items));
    fs::create_directories(dir);
    Program p(dir);
    State& s = p.s;
    Context& c = p.c;
    ScriptedDialog dialog;
    WritePiece(p, dir / "pieces", items);
    const std::string mid = MidFilePath(s);

    std::cout << "\n"
              << kTracks << " tracks x " << items << " items (MaxItems " << s.MaxItems << ")\n";

    // Memory first, from the state of a piece just opened.
    const PeakMemory memory = MeasurePeak(c, dialog);

    // Warm-up, which also checks that the piece is written without a message.
    if (!MakeMidFile(c, dialog) || p.msg.failed) {
        std::cerr << "the command failed\n";
        return false;
    }
    const auto midBytes = fs::file_size(mid);

    // The whole command, recalculation included.
    const int runs = items <= 4000 ? 20 : 5;
    std::vector<double> whole;
    for (int i = 0; i < runs; ++i) {
        s.RecalcDone = 0;
        whole.push_back(Seconds([&] { MakeMidFile(c, dialog); }));
    }

    // Its phases: Recalculate; compaction and balance; encoding and writing.
    std::vector<double> recalc, prepare, encode, write;
    for (int i = 0; i < runs; ++i) {
        std::optional<Long> ref;
        s.SelectedTracks.assign(kTracks, '1');
        recalc.push_back(Seconds([&] { Recalculate(c); }));
        s.RecalcDone = -1;
        BalanceStep rule;
        rule.Tolerance = PlainBalanceTolerance(s.TicksPerQuarter);
        prepare.push_back(Seconds([&] { ref = PrepareWorkArrays(c, rule, Recalculate); }));
        std::string bytes;
        encode.push_back(
            Seconds([&] { bytes = BuildMidFile(s, *dialog.Show(c), ref.value_or(0)); }));
        write.push_back(Seconds([&] { ReplaceFileContents(mid, bytes, s.MidFileOpen); }));
    }

    if (p.msg.failed || memory.Peak < 0) return false;

    // csvmidi on the same events: their CSV form, read back from NAME.MID.
    const fs::path csv = dir / "bench.csv", out = dir / "csvmidi.mid";
    if (Run("midicsv " + Quote(mid) + " " + Quote(csv)) != 0) {
        std::cerr << "midicsv failed\n";
        return false;
    }
    std::vector<double> csvTimes;
    for (int i = 0; i < std::max(3, runs / 4); ++i) {
        int st = 0;
        csvTimes.push_back(Seconds([&] { st = Run("csvmidi " + Quote(csv) + " " + Quote(out)); }));
        if (st != 0) {
            std::cerr << "csvmidi failed\n";
            return false;
        }
    }

    const double ours = Median(whole), theirs = Median(csvTimes);
    std::printf("  Make .MID file (whole command): median %8.2f ms, best %8.2f ms over %d runs\n",
                ours * 1e3, *std::min_element(whole.begin(), whole.end()) * 1e3, runs);
    std::printf("    recalculation %.2f ms, compaction + balance %.2f ms, encoding %.2f ms, "
                "writing %.2f ms\n",
                Median(recalc) * 1e3, Median(prepare) * 1e3, Median(encode) * 1e3,
                Median(write) * 1e3);
    std::printf("  NAME.MID: %llu bytes; CSV form: %llu bytes\n",
                static_cast<unsigned long long>(midBytes),
                static_cast<unsigned long long>(fs::file_size(csv)));
    std::printf("  peak memory: %.1f MB resident, %.1f MB more than the open piece before "
                "the run%s\n",
                memory.Peak / 1024.0, (memory.Peak - memory.Before) / 1024.0,
                memory.Reset ? "" : " (process peak)");
    std::printf("  csvmidi on the same events:     median %8.2f ms\n", theirs * 1e3);
    std::printf("  csvmidi / Make .MID file: %.1fx\n", theirs / ours);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
    if (sizes.empty()) sizes = {2000, 32000};
    for (int n : sizes) {
        if (n < 2 || n > 32765) {
            std::cerr << "items per track must lie in 2..32765\n";
            return 2;
        }
    }

    const fs::path root = fs::temp_directory_path() / ("tnq_bench." + std::to_string(getpid()));
    fs::create_directories(root);
    bool ok = true;
    try {
        for (int n : sizes) ok = RunCase(root, n) && ok;
    } catch (const std::exception& e) {
        std::cerr << "error: " << e.what() << "\n";
        ok = false;
    }
    std::error_code ec;
    fs::remove_all(root, ec);
    return ok ? 0 : 1;
}
