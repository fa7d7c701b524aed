// Generating, copying and measuring the benchmark's pieces.
#include "bench/pieces.h"

#include "bench/scripted.h"
#include "core/piece_commands.h"
#include "core/piece_paths.h"
#include "core/recalculate.h"
#include "core/track_files.h"

#include <chrono>
#include <fcntl.h>
#include <sys/stat.h>
#include <fstream>
#include <stdexcept>
#include <unistd.h>

namespace fs = std::filesystem;

namespace tnq::bench {

namespace {

TrackItemRecord Rec(std::string note, std::string octave, std::string duration,
                    std::string dynamics, long long bar, int channel, int bend = 0) {
    return {std::move(note),     std::move(octave),       std::move(duration),
            "0",                 std::move(dynamics),     std::to_string(bar),
            std::to_string(channel), std::to_string(bend)};
}

std::string MusicTrack(int track, int items) {
    static const char* const kNames[] = {"C",  "C#", "D",  "Eb", "E",  "F",
                                         "F#", "G",  "Ab", "A",  "Bb", "B"};
    static const char* const kDur[] = {"q", "e", "e", "h", "q", "s", "s", "e"};
    static const int kTicks[] = {480, 240, 240, 960, 480, 120, 120, 240};
    const int channel = (track - 1) % 16 + 1;
    std::string out;
    out.reserve((static_cast<std::size_t>(items) + 1) * kRecordLength);
    long long ticks = 0;
    auto bar = [&] { return ticks / 1920 + 1; };
    if (track == 1)
        out += EncodeRecord(Rec("TEMPO", "", "q", "120", 1, channel));
    else
        out += EncodeRecord(Rec("PROGR", "", "", std::to_string(track), 1, channel));
    for (int k = 0; k < items - 1; ++k) {
        const int d = k % 8;
        if (k % 100 == 99) {
            TrackItemRecord r = Rec("CNTRL", "", "", std::to_string(60 + k % 60), bar(), channel);
            r.Adjustment = "7";
            out += EncodeRecord(r);
            continue;
        }
        if (k % 9 == 8) {
            out += EncodeRecord(Rec("R", "", kDur[d], "0", bar(), channel));
        } else {
            const int key = 36 + (k * 7 + track * 5) % 48;
            out += EncodeRecord(Rec(kNames[key % 12], std::to_string(key / 12 - 1), kDur[d],
                                    std::to_string(40 + (k * 13 + track) % 80), bar(), channel,
                                    k % 50 == 0 ? 512 : 0));
        }
        ticks += kTicks[d];
    }
    out += EncodeRecord(kEndRecord);
    return out;
}

std::string RestTrack(int items) {
    std::string out;
    out.reserve((static_cast<std::size_t>(items) + 1) * kRecordLength);
    for (int k = 0; k < items; ++k) out += EncodeRecord(Rec("R", "", "q", "0", k / 4 + 1, 1));
    out += EncodeRecord(kEndRecord);
    return out;
}

void WriteBytes(const fs::path& file, const std::string& bytes) {
    std::ofstream f(file, std::ios::binary | std::ios::trunc);
    f << bytes;
    if (!f) throw std::runtime_error("cannot write " + file.string());
}

} // namespace

std::string TrackBytes(PieceKind kind, int track, int items) {
    if (kind == PieceKind::Rests) return track == 1 ? RestTrack(items) : EncodeRecord(kEndRecord);
    return MusicTrack(track, items);
}

void MakePiece(const fs::path& dir, const PieceShape& shape) {
    BenchProgram p(dir);
    State& s = p.s;
    p.c.SetIniSetting("Nts", std::to_string(shape.MaxItems));
    p.c.SetIniSetting("Tracks", std::to_string(shape.Tracks));
    p.msg.AnswerInput(shape.Title);
    p.msg.Answer(mb::No); // no automatic tracks initialization
    if (!mnuFilNew_Click(p.c)) throw std::runtime_error("New failed: " + p.msg.Faults());
    if (s.NumTracks != shape.Tracks || s.MaxItems != shape.MaxItems)
        throw std::runtime_error("New did not take the piece's limits");
    for (int t = 1; t <= shape.Tracks; ++t)
        WriteBytes(TrackFilePath(s, s.PieceTitle, t), TrackBytes(shape.Kind, t, shape.Items));
    s.SelectedTracks.assign(static_cast<std::size_t>(s.NumTracks), '1');
    if (!Recalculate(p.c) || !mnuFilSave_Click(p.c) || !p.msg.Faults().empty())
        throw std::runtime_error("the piece " + shape.Title + " was not saved: " + p.msg.Faults());
}

fs::path DataFileIn(const fs::path& dir, const std::string& title) {
    return DataFilePathOf((dir / "pieces").string(), title);
}

void CopyPiece(const fs::path& from, const fs::path& to, const std::string& title) {
    const fs::path piece = fs::path(DataFileIn(from, title)).parent_path();
    const fs::path target = to / "pieces" / piece.filename();
    fs::create_directories(target);
    // Linked rather than copied where the system allows: the program never
    // writes a file of a piece in place (every change puts a new file in the
    // old one's place), and a copy made and removed for every run would
    // leave the directory's part of the disk thousands of freed entries,
    // which make every later file the runs create slower to make than it is
    // for a user.
    std::error_code ec;
    fs::copy(piece, target,
             fs::copy_options::recursive | fs::copy_options::overwrite_existing |
                 fs::copy_options::create_hard_links,
             ec);
    if (ec)
        fs::copy(piece, target, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

std::vector<fs::path> TrackFilesOf(const State& s) {
    std::vector<fs::path> out;
    for (int t = 1; t <= s.NumTracks; ++t) {
        const fs::path f = TrackFilePath(s, s.PieceTitle, t);
        std::error_code ec;
        if (fs::exists(f, ec)) out.push_back(f);
    }
    return out;
}

fs::path DataFileOf(const State& s) {
    return PieceFilePath(s, s.PieceTitle + ".TNQ");
}

double ReadWriteOnce(const std::vector<fs::path>& files, const fs::path& into) {
    fs::create_directories(into);
    std::string buffer;
    const auto start = std::chrono::steady_clock::now();
    for (std::size_t i = 0; i < files.size(); ++i) {
        const fs::path& f = files[i];
        const int in = ::open(f.c_str(), O_RDONLY);
        if (in < 0) throw std::runtime_error("cannot read " + f.string());
        struct stat st {};
        ::fstat(in, &st);
        buffer.resize(static_cast<std::size_t>(st.st_size));
        const bool read = ::read(in, buffer.data(), buffer.size()) == st.st_size;
        ::close(in);
        if (!read) throw std::runtime_error("cannot read " + f.string());
        const fs::path copy = into / std::to_string(i);
        // Written over what an earlier run left, then cut to its length: a
        // file emptied first would be flushed to the disk when closed.
        const int out = ::open(copy.c_str(), O_WRONLY | O_CREAT, 0666);
        if (out < 0) throw std::runtime_error("cannot write " + copy.string());
        const bool whole =
            ::write(out, buffer.data(), buffer.size()) == static_cast<ssize_t>(buffer.size()) &&
            ::ftruncate(out, static_cast<off_t>(buffer.size())) == 0;
        ::close(out);
        if (!whole) throw std::runtime_error("cannot write " + copy.string());
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace tnq::bench
