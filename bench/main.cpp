// The benchmark: the commands a user meets, each through the function the
// menu or key calls with its dialogs' answers scripted, on generated pieces
// in a temporary directory. Every run is a fresh child process on a fresh
// copy of the piece when the command changes it, and is checked: a message
// nobody asked for or a wrong result fails the benchmark. Prints one table
// of median, fastest and slowest run, the time to read and write the same
// files once, and the resident peak during the command.
//
// Usage: tnq_bench [--smoke] [--limit SECONDS] [ROW ...]
//   --smoke   every row once on small pieces, checked, without figures
//   --limit   a run is stopped after SECONDS (90 in the full set)
// With TNQ_BENCH_CPU=1 in the environment the figures are processor time
// (user and system) instead of time passed: for comparing two builds on a
// machine busy with other work.
//   ROW       only the rows whose "command, piece" contains one of these texts
#include "bench/pieces.h"
#include "bench/runner.h"
#include "bench/scripted.h"
#include "core/delete_items.h"
#include "core/piece_commands.h"
#include "core/piece_file.h"
#include "core/piece_paths.h"
#include "core/recalculate.h"
#include "core/track_files.h"
#include "editing/copy_commands.h"
#include "editing/delete_by_bar.h"
#include "editing/series.h"
#include "editing/staccato.h"
#include "entry/accept_item.h"
#include "entry/entry_fields.h"
#include "midifile/make_mid.h"
#include "platform/whole_file.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using namespace tnq;
using namespace tnq::bench;

namespace {

// ---- Sizes -----------------------------------------------------------------

struct Sizes {
    int Tracks, Items, MaxItems; // the piece most rows work on
    int BigItems;                // items per track of the large piece
    int RestsA, RestsB;          // the two rest tracks of the series
    int LongItems;               // the one long track of F10
    int Bars;                    // bars copied and deleted
    int Runs;                    // runs of a row at most
    double Budget;               // seconds after which a row starts no new run
    double Limit;                // seconds after which a run is stopped
};

constexpr Sizes kFull{96, 2000, 4000, 32000, 8000, 16000, 32000, 100, 10, 15, 90};
constexpr Sizes kSmoke{4, 300, 700, 600, 100, 200, 600, 10, 1, 60, 120};
constexpr int kLongMaxItems = 32766; // the largest piece the program makes

// The pieces, by title.
constexpr const char* kMusic = "MUSIC";
constexpr const char* kBig = "BIG";
constexpr const char* kRestsA = "RESTSA";
constexpr const char* kRestsB = "RESTSB";
constexpr const char* kLong = "LONG";

std::vector<PieceShape> Shapes(const Sizes& z) {
    return {{kMusic, PieceKind::Music, z.Tracks, z.Items, z.MaxItems},
            {kBig, PieceKind::Music, z.Tracks, z.BigItems, kLongMaxItems},
            {kRestsA, PieceKind::Rests, 1, z.RestsA, kLongMaxItems},
            {kRestsB, PieceKind::Rests, 1, z.RestsB, kLongMaxItems},
            {kLong, PieceKind::Music, 1, z.LongItems, kLongMaxItems}};
}

// ---- What a check compares ---------------------------------------------------

std::string Num(long long n) {
    return std::to_string(n);
}

// Items and ticks of every track, from the score arrays.
struct Score {
    std::vector<long long> Count, Ticks;
};

Score ScoreOf(const State& s) {
    Score r{std::vector<long long>(static_cast<std::size_t>(s.NumTracks) + 1),
            std::vector<long long>(static_cast<std::size_t>(s.NumTracks) + 1)};
    for (int t = 1; t <= s.NumTracks; ++t) {
        r.Count[static_cast<std::size_t>(t)] = s.ItemCount(t);
        for (int i = 1; i <= s.ItemCount(t); ++i) r.Ticks[static_cast<std::size_t>(t)] += s.ItemTime(t, i);
    }
    return r;
}

// Items and ticks of every track within bars from..to.
Score BarsOf(const State& s, int from, int to) {
    Score r{std::vector<long long>(static_cast<std::size_t>(s.NumTracks) + 1),
            std::vector<long long>(static_cast<std::size_t>(s.NumTracks) + 1)};
    for (int t = 1; t <= s.NumTracks; ++t)
        for (int i = 1; i <= s.ItemCount(t); ++i)
            if (s.BarNo(t, i) >= from && s.BarNo(t, i) <= to) {
                ++r.Count[static_cast<std::size_t>(t)];
                r.Ticks[static_cast<std::size_t>(t)] += s.ItemTime(t, i);
            }
    return r;
}

// "" when every track holds the items and ticks of before with those of
// part added (sign 1) or taken out (-1).
std::string ExpectScore(const State& s, const Score& before, const Score& part, int sign) {
    const Score now = ScoreOf(s);
    for (int t = 1; t <= s.NumTracks; ++t) {
        const auto k = static_cast<std::size_t>(t);
        const long long items = before.Count[k] + sign * part.Count[k];
        const long long ticks = before.Ticks[k] + sign * part.Ticks[k];
        if (now.Count[k] != items || now.Ticks[k] != ticks)
            return "track " + Num(t) + " holds " + Num(now.Count[k]) + " items of " +
                   Num(now.Ticks[k]) + " ticks, not " + Num(items) + " of " + Num(ticks);
    }
    return "";
}

// The records of a track file up to its END record, trimmed.
std::vector<TrackItemRecord> RecordsOf(const fs::path& file) {
    const std::string bytes = ReadWholeFile(file.string());
    std::vector<TrackItemRecord> out;
    const int n = ItemsBeforeEnd(bytes);
    for (int i = 0; i < n; ++i)
        out.push_back(Trimmed(DecodeRecord(
            std::string_view(bytes).substr(static_cast<std::size_t>(i) * kRecordLength,
                                           kRecordLength))));
    return out;
}

// "" when every track file holds the items of the score and the score is
// what a recalculation from the files gives.
std::string FilesAgreeWithScore(BenchProgram& p) {
    State& s = p.s;
    std::vector<std::vector<long long>> kept;
    for (int t = 1; t <= s.NumTracks; ++t) {
        const std::string bytes = ReadWholeFile(TrackFilePath(s, s.PieceTitle, t));
        if (ItemsBeforeEnd(bytes) != s.ItemCount(t))
            return "track " + Num(t) + "'s file holds " + Num(ItemsBeforeEnd(bytes)) +
                   " items, the score " + Num(s.ItemCount(t));
        std::vector<long long> row;
        for (int i = 1; i <= s.ItemCount(t); ++i)
            row.insert(row.end(), {s.NoteCode(t, i), s.ItemTime(t, i), s.BarNo(t, i)});
        kept.push_back(std::move(row));
    }
    s.SelectedTracks.assign(static_cast<std::size_t>(s.NumTracks), '1');
    if (!Recalculate(p.c)) return "the tracks do not recalculate";
    for (int t = 1; t <= s.NumTracks; ++t) {
        const auto& row = kept[static_cast<std::size_t>(t) - 1];
        for (int i = 1; i <= s.ItemCount(t); ++i) {
            const std::size_t at = (static_cast<std::size_t>(i) - 1) * 3;
            if (row[at] != s.NoteCode(t, i) || row[at + 1] != s.ItemTime(t, i) ||
                row[at + 2] != s.BarNo(t, i))
                return "track " + Num(t) + " item " + Num(i) +
                       ": the score differs from its file";
        }
    }
    return "";
}

// The bar of a track's last item: the piece's last bar, which every music
// track ends in.
int LastBar(const State& s, int track) {
    return s.ItemCount(track) > 0 ? s.BarNo(track, s.ItemCount(track)) : 1;
}

// The track box and the item box left with these numbers, as typed.
bool ChooseItem(BenchProgram& p, int track, int item) {
    p.screen.SetText(Box::Track, Num(track));
    if (!txtTrack_LostFocus(p.c)) return false;
    p.screen.SetText(Box::Item, Num(item));
    return txtItem_LostFocus(p.c);
}

std::string MidFileFault(const State& s, bool written) {
    if (!written) return "Make .MID did not write the file";
    const std::string bytes = ReadWholeFile(MidFilePath(s));
    if (bytes.size() < 14 || bytes.compare(0, 4, "MThd") != 0) return "NAME.MID is no MIDI file";
    const int chunks = (static_cast<unsigned char>(bytes[10]) << 8) |
                       static_cast<unsigned char>(bytes[11]);
    if (chunks < s.NumTracks) return "NAME.MID holds " + Num(chunks) + " track chunks";
    return "";
}

// ---- Rows ----------------------------------------------------------------------

// One run's program and what its row keeps between the steps.
struct Run {
    BenchProgram& p;
    fs::path source; // the pieces directory's parent the piece is opened from
    Score before, part;
    std::string text;
    std::string fault; // what went wrong before the command
    bool done = false;
    Measured measured;
};

struct Row {
    std::string Name, Piece;
    std::string Title;      // the piece
    bool Copy = true;       // the command changes the piece: a fresh copy each run
    bool OpenFirst = true;  // opened before the command (Open itself times it)
    std::function<void(Run&)> Prepare = [](Run&) {};
    std::function<void(Run&)> Command;
    // The files read and written once for the floor, after the command.
    std::function<std::vector<fs::path>(Run&)> Files;
    std::function<std::string(Run&)> Check;
    // The command's own seconds, when not the whole call.
    std::function<double(Run&)> Seconds;
    // A comparison, run once in the full set; its seconds.
    std::function<double(Run&)> Extra;
    std::string Note; // printed beside the figures
    bool Synced = true; // the command writes files and waits until they are on the disk
    // Not run when this row (an index) had a run stopped at the time limit:
    // the same command on a smaller piece.
    int After = -1;
    RowFigures Figures;
};

Row NewRow(std::string name, std::string piece, const char* title) {
    Row row;
    row.Name = std::move(name);
    row.Piece = std::move(piece);
    row.Title = title;
    return row;
}

// Opens piece title of dir/pieces through File > Open.
bool OpenPiece(BenchProgram& p, const fs::path& dir, const std::string& title) {
    p.files.next = DataFileIn(dir, title).string();
    return mnuFilOpen_Click(p.c);
}

RunResult RunOnce(const Row& row, const fs::path& templates, const fs::path& work, bool extra) {
    std::error_code ec;
    fs::remove_all(work, ec);
    fs::create_directories(work);
    RunResult r;
    {
        BenchProgram p(work);
        Run run{p, templates, {}, {}, {}, {}, false, {}};
        if (row.Copy) {
            CopyPiece(templates, work, row.Title);
            run.source = work;
        }
        if (row.OpenFirst && (!OpenPiece(p, run.source, row.Title) || !p.msg.Faults().empty())) {
            SetFault(r, "the piece did not open: " + p.msg.Faults());
            return r;
        }
        row.Prepare(run);
        if (!run.fault.empty()) {
            SetFault(r, "before the command: " + run.fault);
            return r;
        }
        run.measured = MeasureCommand([&] { row.Command(run); });
        r.Seconds = row.Seconds ? row.Seconds(run) : run.measured.Seconds;
        r.PeakKb = run.measured.PeakKb;
        r.PeakOfCommand = run.measured.PeakOfCommand;
        std::string fault = p.msg.Faults();
        if (fault.empty()) fault = row.Check(run);
        if (!fault.empty()) {
            SetFault(r, fault);
            return r;
        }
        r.Floor = ReadWriteOnce(row.Files(run), work.parent_path() / "floor");
        if (extra && row.Extra) r.Extra = row.Extra(run);
    }
    fs::remove_all(work, ec);
    return r;
}

// ---- The rows ----------------------------------------------------------------

// The command finished, every track holds its items before it with the
// part's added (sign 1) or taken out (-1), and the files agree.
std::string ScoreChangedBy(Run& r, int sign) {
    if (!r.done) return "the command did not finish";
    if (auto f = ExpectScore(r.p.s, r.before, r.part, sign); !f.empty()) return f;
    return FilesAgreeWithScore(r.p);
}

std::string PieceName(int tracks, int items) {
    return Num(tracks) + " x " + Num(items);
}

std::vector<fs::path> AllTrackFiles(Run& r) {
    return TrackFilesOf(r.p.s);
}
std::vector<fs::path> TrackFile(Run& r, int track) {
    return {TrackFilePath(r.p.s, r.p.s.PieceTitle, track)};
}

Row StaccatoRow(const Sizes& z) {
    auto dialog = std::make_shared<ScriptedStaccato>();
    auto tracks = std::make_shared<AllTracks>();
    Row row = NewRow("Apply Staccato, every track", PieceName(z.Tracks, z.Items), kMusic);
    row.Prepare = [dialog](Run& r) {
        const State& s = r.p.s;
        dialog->texts = {"1", "q", "", "", "1", Num(LastBar(s, 1))};
        dialog->texts.Part = Proportion::OneHalf;
        r.before = ScoreOf(s);
        // Each note becomes a note and a rest of the same length in all.
        r.part = Score{std::vector<long long>(r.before.Count.size()),
                       std::vector<long long>(r.before.Count.size())};
        for (int t = 1; t <= s.NumTracks; ++t)
            for (const TrackItemRecord& item : RecordsOf(TrackFilePath(s, s.PieceTitle, t)))
                if (item.Note.size() <= 2 && item.Note[0] >= 'A' && item.Note[0] <= 'G')
                    ++r.part.Count[static_cast<std::size_t>(t)];
    };
    row.Command = [dialog, tracks](Run& r) { r.done = ApplyStaccato(r.p.c, *tracks, *dialog); };
    row.Files = AllTrackFiles;
    row.Check = [](Run& r) { return ScoreChangedBy(r, 1); };
    return row;
}

Row SeriesRow(const char* title, int rests) {
    auto dialog = std::make_shared<ScriptedSeries>();
    Row row = NewRow("Series of Tempos, all of track 1", "1 x " + Num(rests) + " rests", title);
    row.Prepare = [dialog](Run& r) {
        dialog->texts.Passage.From = "1";
        dialog->texts.Passage.To = Num(LastBar(r.p.s, 1));
        dialog->texts.FromValue = "60";
        dialog->texts.ToValue = "120";
        dialog->texts.Insert = true;
        r.before = ScoreOf(r.p.s);
    };
    row.Command = [dialog](Run& r) { r.done = TempoSeries(r.p.c, *dialog); };
    row.Files = [](Run& r) { return TrackFile(r, 1); };
    row.Check = [](Run& r) -> std::string {
        if (!r.done) return "the command did not finish";
        // A TEMPO item before every rest, and the track as long as before.
        const auto records = RecordsOf(TrackFilePath(r.p.s, r.p.s.PieceTitle, 1));
        if (static_cast<long long>(records.size()) != 2 * r.before.Count[1])
            return "track 1 holds " + Num(static_cast<long long>(records.size())) + " items";
        for (std::size_t i = 0; i < records.size(); ++i)
            if (records[i].Note != (i % 2 ? "R" : "TEMPO"))
                return "item " + Num(static_cast<long long>(i) + 1) + " is " + records[i].Note;
        if (ScoreOf(r.p.s).Ticks[1] != r.before.Ticks[1]) return "track 1 changed its length";
        return FilesAgreeWithScore(r.p);
    };
    return row;
}

// Bars from..to of the middle of the piece, bars long.
int MiddleBar(const State& s, int bars) {
    return std::max(2, LastBar(s, 1) / 2 - bars / 2);
}

Row CopyRow(const Sizes& z) {
    auto dialog = std::make_shared<ScriptedCopyByBar>();
    auto tracks = std::make_shared<AllTracks>();
    Row row = NewRow("Copy a Section, " + Num(z.Bars) + " bars INSERT in the middle",
            PieceName(z.Tracks, z.Items), kMusic);
    const int bars = z.Bars;
    row.Prepare = [dialog, bars](Run& r) {
        const State& s = r.p.s;
        // Bars 2.. copied in front of the middle bar.
        const int at = MiddleBar(s, 0);
        dialog->mode = "INSERT";
        dialog->texts = {s.PieceTitle, "2", Num(bars + 1), "q", "", "", Num(at), "0"};
        r.before = ScoreOf(s);
        r.part = BarsOf(s, 2, bars + 1);
    };
    row.Command = [dialog, tracks](Run& r) { r.done = CopySection(r.p.c, *tracks, *dialog); };
    row.Files = AllTrackFiles;
    row.Check = [](Run& r) { return ScoreChangedBy(r, 1); };
    return row;
}

Row DeleteRow(const Sizes& z) {
    auto dialog = std::make_shared<ScriptedDeleteByBar>();
    auto tracks = std::make_shared<AllTracks>();
    Row row = NewRow("Delete by Bar, " + Num(z.Bars) + " bars, Adjust bar Numbers",
            PieceName(z.Tracks, z.Items), kMusic);
    const int bars = z.Bars;
    row.Prepare = [dialog, bars](Run& r) {
        const State& s = r.p.s;
        const int from = MiddleBar(s, bars);
        dialog->texts = {Num(from), Num(from + bars - 1), "q", "", "", true};
        r.before = ScoreOf(s);
        r.part = BarsOf(s, from, from + bars - 1);
        r.text = Num(LastBar(s, 1) - bars);
    };
    row.Command = [dialog, tracks](Run& r) { r.done = DeleteByBar(r.p.c, *tracks, *dialog); };
    row.Files = AllTrackFiles;
    row.Check = [](Run& r) -> std::string {
        if (auto f = ScoreChangedBy(r, -1); !f.empty()) return f;
        return Num(LastBar(r.p.s, 1)) == r.text ? "" : "the bar numbers were not adjusted";
    };
    return row;
}

Row F10Row(const Sizes& z) {
    Row row = NewRow("F10, one item at item 1", "1 x " + Num(z.LongItems), kLong);
    row.Prepare = [](Run& r) {
        if (!ChooseItem(r.p, 1, 1)) r.fault = "the item box refused item 1";
        r.p.msg.AnswerInput("1");
        r.before = ScoreOf(r.p.s);
        r.text = EncodeRecord(RecordsOf(TrackFilePath(r.p.s, r.p.s.PieceTitle, 1)).at(1));
    };
    row.Command = [](Run& r) { DeleteItemPrompt(r.p.c); };
    row.Files = [](Run& r) { return TrackFile(r, 1); };
    row.Check = [](Run& r) -> std::string {
        const auto records = RecordsOf(TrackFilePath(r.p.s, r.p.s.PieceTitle, 1));
        if (static_cast<long long>(records.size()) != r.before.Count[1] - 1 ||
            r.p.s.ItemCount(1) != r.before.Count[1] - 1)
            return "track 1 holds " + Num(static_cast<long long>(records.size())) + " items";
        if (EncodeRecord(records.at(0)) != r.text) return "item 2 did not become item 1";
        return FilesAgreeWithScore(r.p);
    };
    return row;
}

Row AcceptRow(const Sizes& z) {
    Row row = NewRow("Accept Item (F12) at the end of track 2", PieceName(z.Tracks, z.Items), kMusic);
    row.Prepare = [](Run& r) {
        State& s = r.p.s;
        r.before = ScoreOf(s);
        if (!ChooseItem(r.p, 2, s.ItemCount(2) + 1))
            r.fault = "the item box refused the end of the track";
        const std::pair<Box, std::string> typed[] = {
            {Box::Bar, Num(LastBar(s, 2))}, {Box::Note, "C"}, {Box::Octa, "4"},
            {Box::Dur, "q"},                {Box::Adj, "0"},  {Box::Dyn, "64"},
            {Box::Channel, "2"},            {Box::PitchBend, "0"}};
        for (const auto& [box, text] : typed) r.p.screen.SetText(box, text);
    };
    row.Command = [](Run& r) { btnAccept_Click(r.p.c); };
    row.Files = [](Run& r) { return TrackFile(r, 2); };
    row.Check = [](Run& r) -> std::string {
        const State& s = r.p.s;
        const auto records = RecordsOf(TrackFilePath(s, s.PieceTitle, 2));
        const long long want = r.before.Count[2] + 1;
        if (s.ItemCount(2) != want || static_cast<long long>(records.size()) != want)
            return "track 2 holds " + Num(s.ItemCount(2)) + " items";
        if (records.back().Note != "C" || s.CurrentItem(2) != want + 1)
            return "the typed note is not the track's last item";
        return FilesAgreeWithScore(r.p);
    };
    return row;
}

Row OpenRow(const char* title, int tracks, int items) {
    Row row = NewRow("Open", PieceName(tracks, items), title);
    row.Copy = false;
    row.OpenFirst = false;
    row.Synced = false;
    row.Command = [title](Run& r) { r.done = OpenPiece(r.p, r.source, title); };
    row.Files = [](Run& r) { return std::vector<fs::path>{DataFileOf(r.p.s)}; };
    row.Check = [tracks, items](Run& r) -> std::string {
        const State& s = r.p.s;
        if (!r.done || s.PieceOpen != 1) return "the piece did not open";
        if (s.NumTracks != tracks) return "the piece has " + Num(s.NumTracks) + " tracks";
        for (int t = 1; t <= tracks; ++t)
            if (s.ItemCount(t) != items) return "track " + Num(t) + " has the wrong items";
        if (s.PieceChanged != 0) return "the piece opened changed";
        return "";
    };
    return row;
}

Row SaveRow(const Sizes& z) {
    Row row = NewRow("Save", PieceName(z.Tracks, z.Items), kMusic);
    row.Prepare = [](Run& r) { r.text = ReadWholeFile(DataFileOf(r.p.s).string()); };
    row.Command = [](Run& r) { r.done = mnuFilSave_Click(r.p.c); };
    row.Files = [](Run& r) { return std::vector<fs::path>{DataFileOf(r.p.s)}; };
    row.Check = [](Run& r) -> std::string {
        if (!r.done) return "the piece was not saved";
        // The same file, but for the pieces directory the copy lies in.
        const std::string saved = ReadWholeFile(DataFileOf(r.p.s).string());
        PieceHeader was = ParseHeaderLine(FirstLine(r.text));
        PieceHeader now = ParseHeaderLine(FirstLine(saved));
        if (now.FilePath != (r.source / "pieces").string())
            return "the data file names the pieces directory " + now.FilePath;
        was.FilePath = now.FilePath;
        const auto body = [](const std::string& text) {
            const std::size_t end = text.find('\n');
            return end == std::string::npos ? std::string() : text.substr(end);
        };
        if (was != now || body(saved) != body(r.text))
            return "the data file saved differs from the one opened";
        return "";
    };
    return row;
}

// midicsv once, then the median of three runs of csvmidi on its output.
double CsvmidiSeconds(const State& s) {
    const std::string mid = MidFilePath(s);
    const fs::path dir = fs::path(mid).parent_path();
    const std::string csv = (dir / "bench.csv").string(), out = (dir / "csvmidi.mid").string();
    auto run = [](const std::string& cmd) {
        const int st = std::system(cmd.c_str());
        return WIFEXITED(st) && WEXITSTATUS(st) == 0;
    };
    auto quote = [](const std::string& p) {
        std::string q(1, '\'');
        q += p;
        q += '\'';
        return q;
    };
    if (!run("midicsv " + quote(mid) + " " + quote(csv) + " 2>/dev/null")) return -1;
    std::vector<double> times;
    for (int i = 0; i < 3; ++i) {
        const Measured m = MeasureCommand([&] { run("csvmidi " + quote(csv) + " " + quote(out)); });
        times.push_back(m.Seconds);
    }
    std::sort(times.begin(), times.end());
    return times[1];
}

Row MakeMidRow(const char* title, int tracks, int items, bool afterOk) {
    auto dialog = std::make_shared<TimedMidDialog>();
    Row row = NewRow(afterOk ? "Make .MID, after OK" : "Make .MID, whole command",
            PieceName(tracks, items), title);
    row.Copy = false;
    row.Command = [dialog](Run& r) { r.done = MakeMidFile(r.p.c, *dialog); };
    if (afterOk)
        row.Seconds = [dialog](Run& r) {
            return std::chrono::duration<double>(r.measured.End - dialog->okAt).count();
        };
    row.Files = [afterOk](Run& r) {
        std::vector<fs::path> files = afterOk ? std::vector<fs::path>{} : TrackFilesOf(r.p.s);
        files.push_back(MidFilePath(r.p.s));
        return files;
    };
    row.Check = [](Run& r) { return MidFileFault(r.p.s, r.done); };
    if (!afterOk) row.Extra = [](Run& r) { return CsvmidiSeconds(r.p.s); };
    return row;
}

// ---- The table ---------------------------------------------------------------

std::string Time(double seconds) {
    char b[32];
    if (seconds < 0)
        return "-";
    else if (seconds < 1e-3)
        std::snprintf(b, sizeof b, "%.3f ms", seconds * 1e3);
    else if (seconds < 1)
        std::snprintf(b, sizeof b, "%.1f ms", seconds * 1e3);
    else
        std::snprintf(b, sizeof b, "%.2f s", seconds);
    return b;
}

std::string Pad(const std::string& text, std::size_t width, bool right = false) {
    if (text.size() >= width) return text;
    const std::string fill(width - text.size(), ' ');
    return right ? fill + text : text + fill;
}

void PrintTable(const std::vector<Row>& rows) {
    const std::vector<std::string> head{"command", "piece",           "runs",    "median",
                                        "min",     "max",             "read+write once",
                                        "peak MB", "synced", "note"};
    std::vector<std::vector<std::string>> cells{head};
    for (const Row& row : rows) {
        const RowFigures& f = row.Figures;
        char peak[32] = "-";
        if (f.PeakKb >= 0)
            std::snprintf(peak, sizeof peak, "%.0f%s", f.PeakKb / 1024.0,
                          f.PeakOfCommand ? "" : "*");
        std::string note = row.Note;
        auto add = [&note](const std::string& more) { note += (note.empty() ? "" : "; ") + more; };
        if (f.CutShort) add("cut short: " + Num(static_cast<long long>(f.Seconds.size())) +
                            " of " + Num(f.Planned) + " runs in the time allowed");
        if (f.TimedOutAfter >= 0) add("a run was stopped after " + Time(f.TimedOutAfter));
        if (!f.Fault.empty()) add("FAILED: " + f.Fault);
        const bool none = f.Seconds.empty();
        cells.push_back({row.Name, row.Piece, Num(static_cast<long long>(f.Seconds.size())),
                         none && f.TimedOutAfter >= 0 ? "> " + Time(f.TimedOutAfter)
                                                      : Time(f.Median()),
                         Time(f.Min()), Time(f.Max()), Time(f.FloorMedian()), peak,
                         row.Synced ? "yes" : "-", note});
    }
    std::vector<std::size_t> width(head.size());
    for (const auto& line : cells)
        for (std::size_t k = 0; k < line.size(); ++k) width[k] = std::max(width[k], line[k].size());
    for (std::size_t i = 0; i < cells.size(); ++i) {
        std::string line;
        for (std::size_t k = 0; k < cells[i].size(); ++k) {
            const bool right = k >= 2 && k <= 7;
            line += Pad(cells[i][k], k + 1 == cells[i].size() ? 0 : width[k], right);
            if (k + 1 < cells[i].size()) line += "  ";
        }
        std::cout << line << "\n";
        if (i == 0) std::cout << std::string(line.size(), '-') << "\n";
    }
    std::cout << "median, min, max: the command alone; read+write once: reading the files it\n"
                 "touches and writing each once (median); peak: resident memory while the\n"
                 "command ran (* of the whole run); synced: the command's files are on the\n"
                 "disk when it returns, as every command that writes waits for them.\n";
}

} // namespace

int main(int argc, char** argv) {
    bool smoke = false;
    double limit = -1;
    std::vector<std::string> wanted;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--smoke") == 0) {
            smoke = true;
        } else if (std::strcmp(argv[i], "--limit") == 0 && i + 1 < argc &&
                   std::atof(argv[i + 1]) > 0) {
            limit = std::atof(argv[++i]);
        } else if (argv[i][0] != '-') {
            wanted.emplace_back(argv[i]);
        } else {
            std::cerr << "usage: tnq_bench [--smoke] [--limit SECONDS] [ROW ...]\n";
            return 2;
        }
    }
    Sizes z = smoke ? kSmoke : kFull;
    if (limit > 0) z.Limit = limit;

    std::vector<Row> rows;
    rows.push_back(StaccatoRow(z));
    rows.push_back(SeriesRow(kRestsA, z.RestsA));
    rows.push_back(SeriesRow(kRestsB, z.RestsB));
    rows.back().After = 1;
    rows.push_back(CopyRow(z));
    rows.push_back(DeleteRow(z));
    rows.push_back(F10Row(z));
    rows.push_back(AcceptRow(z));
    rows.push_back(OpenRow(kMusic, z.Tracks, z.Items));
    rows.push_back(SaveRow(z));
    rows.push_back(OpenRow(kBig, z.Tracks, z.BigItems));
    rows.push_back(MakeMidRow(kBig, z.Tracks, z.BigItems, true));
    rows.push_back(MakeMidRow(kMusic, z.Tracks, z.Items, false));
    std::vector<bool> chosen;
    for (const Row& row : rows) {
        bool yes = wanted.empty();
        const std::string name = row.Name + ", " + row.Piece;
        for (const std::string& w : wanted) yes = yes || name.find(w) != std::string::npos;
        chosen.push_back(yes);
    }
    const fs::path root = fs::temp_directory_path() / ("tnq_bench." + std::to_string(::getpid()));
    const fs::path templates = root / "templates", work = root / "run";
    fs::create_directories(templates);

    // The pieces, made in a child so that every run starts from a small process.
    RunResult made;
    std::string lost;
    const bool ok = RunInChild(
        [&] {
            RunResult r;
            for (const PieceShape& shape : Shapes(z)) {
                bool used = false;
                for (std::size_t i = 0; i < rows.size(); ++i)
                    used = used || (chosen[i] && rows[i].Title == shape.Title);
                if (used) MakePiece(templates, shape);
            }
            return r;
        },
        z.Limit * 4, made, lost);
    if (!ok || made.Fault[0] != '\0') {
        std::cerr << "the pieces could not be made: " << (ok ? made.Fault : lost.c_str()) << "\n";
        std::error_code ec;
        fs::remove_all(root, ec);
        return 1;
    }

    bool allRight = true;
    std::vector<Row> done;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        Row& row = rows[i];
        if (!chosen[i]) continue;
        if (row.After >= 0 && rows[static_cast<std::size_t>(row.After)].Figures.TimedOutAfter >= 0) {
            row.Note = "not run: the smaller piece already took longer than the limit";
            done.push_back(row);
            continue;
        }
        if (!smoke) std::cerr << "  " << row.Name << ", " << row.Piece << " ...\n";
        row.Figures = RunRow(
            [&](int run) { return RunOnce(row, templates, work, !smoke && run == 0); }, z.Runs,
            z.Budget, z.Limit);
        const RowFigures& f = row.Figures;
        if (!f.Fault.empty() || (smoke && f.Seconds.empty())) allRight = false;
        if (smoke)
            std::cout << (f.Fault.empty() && !f.Seconds.empty() ? "ok     " : "FAILED ")
                      << row.Name << ", " << row.Piece
                      << (f.Fault.empty() ? "" : ": " + f.Fault) << "\n";
        // The series at twice the rests beside the smaller one, the writer
        // beside csvmidi.
        char note[80] = "";
        if (row.After >= 0) {
            const RowFigures& a = rows[static_cast<std::size_t>(row.After)].Figures;
            if (!a.Seconds.empty() && !f.Seconds.empty())
                std::snprintf(note, sizeof note, "%.1fx the time of %d rests",
                              f.Median() / a.Median(), z.RestsA);
        }
        if (f.Extra >= 0 && !f.Seconds.empty())
            std::snprintf(note, sizeof note, "csvmidi on its events %.1f ms (%.1fx)",
                          f.Extra * 1e3, f.Extra / f.Median());
        row.Note = note;
        done.push_back(row);
    }
    if (!smoke) PrintTable(done);

    std::error_code ec;
    fs::remove_all(root, ec);
    return allRight ? 0 : 1;
}
