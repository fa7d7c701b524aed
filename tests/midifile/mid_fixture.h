// A piece set up in memory for the .MID writer tests, a scripted options
// dialog, and an independent reader (midicsv) for every file written.
#pragma once

#include "core/memory.h"
#include "core/piece_paths.h"
#include "core/track_files.h"
#include "core/vocabulary.h"
#include "midifile/make_mid.h"
#include "midifile/mid_writer.h"
#include "midifile/work_arrays.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <deque>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace tnq::test {

// Bytes from a list of numbers.
inline std::string B(std::initializer_list<int> bytes) {
    std::string s;
    for (int b : bytes) s.push_back(static_cast<char>(b));
    return s;
}

// Bytes as hex pairs, for failure output.
inline std::string Hex(const std::string& bytes) {
    static const char* d = "0123456789ABCDEF";
    std::string s;
    for (unsigned char b : bytes) {
        if (!s.empty()) s.push_back(' ');
        s.push_back(d[b >> 4]);
        s.push_back(d[b & 15]);
    }
    return s;
}

// The bodies of the chunks of a file (after the 8 bytes of type and length),
// header first. Fails the test on a malformed framing.
inline std::vector<std::string> Chunks(const std::string& file) {
    std::vector<std::string> out;
    std::size_t at = 0;
    while (at + 8 <= file.size() &&
           (file.compare(at, 4, "MThd") == 0 || file.compare(at, 4, "MTrk") == 0)) {
        std::size_t len = 0;
        for (int i = 0; i < 4; ++i) len = len * 256 + static_cast<unsigned char>(file[at + 4 + i]);
        EXPECT_LE(at + 8 + len, file.size());
        out.push_back(file.substr(at + 8, len));
        at += 8 + len;
    }
    EXPECT_EQ(file.substr(at), std::string(10, '\x1A')) << "trailer";
    return out;
}

// One line of midicsv's output.
struct CsvRecord {
    int Track = 0;
    long long Time = 0;
    std::string Type;
    std::vector<std::string> Fields;
};

struct CsvResult {
    int Status = -1;
    std::string Out, Err;
    std::vector<CsvRecord> Records;
    // The records of one track of a given type.
    std::vector<CsvRecord> Of(int track, const std::string& type) const {
        std::vector<CsvRecord> r;
        for (const auto& x : Records)
            if (x.Track == track && x.Type == type) r.push_back(x);
        return r;
    }
};

// Runs midicsv on a file.
inline CsvResult MidiCsv(const std::filesystem::path& file) {
    CsvResult r;
    const std::string err = file.string() + ".err";
    const std::string cmd = "midicsv '" + file.string() + "' 2>'" + err + "'";
    FILE* f = ::popen(cmd.c_str(), "r");
    if (!f) return r;
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) r.Out.append(buf, n);
    const int st = ::pclose(f);
    r.Status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    r.Err = ReadFile(err);
    std::filesystem::remove(err);
    std::istringstream lines(r.Out);
    std::string line;
    while (std::getline(lines, line)) {
        std::vector<std::string> f;
        std::istringstream ls(line);
        std::string field;
        while (std::getline(ls, field, ',')) {
            const auto b = field.find_first_not_of(' ');
            f.push_back(b == std::string::npos ? "" : field.substr(b));
        }
        if (f.size() < 3) continue;
        CsvRecord rec;
        rec.Track = std::stoi(f[0]);
        rec.Time = std::stoll(f[1]);
        rec.Type = f[2];
        rec.Fields.assign(f.begin() + 3, f.end());
        r.Records.push_back(rec);
    }
    return r;
}

// Checks that the independent reader accepts a file: exit status 0, nothing
// on its error output, one Start_track and End_track per chunk and no
// event it did not understand.
inline CsvResult ExpectReadable(const std::filesystem::path& file) {
    CsvResult r = MidiCsv(file);
    EXPECT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(r.Err, "");
    const std::string bytes = ReadFile(file);
    const auto chunks = Chunks(bytes);
    int starts = 0, ends = 0;
    for (const auto& x : r.Records) {
        starts += x.Type == "Start_track";
        ends += x.Type == "End_track";
        EXPECT_EQ(x.Type.find("Unknown"), std::string::npos) << x.Type;
    }
    EXPECT_EQ(starts, static_cast<int>(chunks.size()) - 1);
    EXPECT_EQ(ends, starts);
    return r;
}

// The options dialog answered from a script: each Show takes the next
// answer (nothing = Abort) and records what the dialog was given.
class ScriptedMidDialog : public MidOptionsDialog {
public:
    std::optional<MidOptions> Show(Context& c) override {
        ++shown;
        caption = MidDialogCaption(c.s);
        copyrightBox = MidDialogCopyright(c.s);
        titleBox = MidDialogTitle(c.s);
        ppqnBox = MidDialogPpqn(c.s);
        if (onShow) onShow(c);
        EXPECT_FALSE(answers.empty()) << "unexpected options dialog";
        std::optional<MidOptions> a;
        if (!answers.empty()) {
            a = answers.front();
            answers.pop_front();
        }
        c.s.DialogResult = a ? "" : "abort";
        return a;
    }
    void Ok(MidOptions o = {}) { answers.push_back(o); }
    void Abort() { answers.push_back(std::nullopt); }

    std::deque<std::optional<MidOptions>> answers;
    std::function<void(Context&)> onShow; // what changes while the dialog is open
    int shown = 0;
    std::string caption, copyrightBox, titleBox, ppqnBox;
};

// A piece in memory: tracks filled item by item, no track files.
class MidTest : public ::testing::Test {
protected:
    void SetUp() override { SetUpPiece(4, 40); }

    void SetUpPiece(int tracks, int items) {
        s.NumTracks = static_cast<Integer>(tracks);
        s.MaxItems = static_cast<Integer>(items);
        s.TicksPerQuarter = 480;
        s.Tempo = "120";
        s.FilePath = (p.dir.Path() / "pieces").string();
        s.PieceTitle = "SONATA";
        s.PieceOpen = 1;
        FillNoteTables(s);
        ASSERT_TRUE(MemorySetUp(c));
        s.TrackDescription.ReDim(tracks);
        std::filesystem::create_directories(PieceDir());
    }

    std::filesystem::path PieceDir() const {
        return std::filesystem::path(s.FilePath) / (s.PieceTitle + ".TNQ");
    }
    std::filesystem::path MidPath() const { return PieceDir() / (s.PieceTitle + ".MID"); }

    // Appends an item to a track.
    void Add(int t, int code, long time, int dyn = 0, int chan = 1, int bend = 0) {
        const int i = ++s.ItemCount(t);
        s.NoteCode(t, i) = static_cast<Integer>(code);
        s.ItemTime(t, i) = time;
        s.ItemDyn(t, i) = static_cast<Integer>(dyn);
        s.ItemChan(t, i) = static_cast<Integer>(chan);
        s.ItemBend(t, i) = static_cast<Integer>(bend);
    }
    void Note(int t, int key, long len, int vel = 100, int chan = 1, int bend = 0) {
        Add(t, key, len, vel, chan, bend);
    }
    void Rest(int t, long len, int chan = 1) { Add(t, 0, len, 0, chan); }

    // Writes a track file of the piece: its items and the END record.
    void WriteTrack(int t, const std::vector<TrackItemRecord>& items) {
        std::string bytes;
        for (const auto& r : items) bytes += EncodeRecord(r);
        bytes += EncodeRecord(kEndRecord);
        WriteFile(TrackFilePath(s, s.PieceTitle, t), bytes);
    }

    // Steps 2 and 3, then the file in memory; every file built is also
    // given to the independent reader.
    std::string Build(const MidOptions& o = {}, const MidWriterRules& rules = {}) {
        AllocateWorkArrays(s);
        EXPECT_EQ(CompactTracks(s), 0);
        s.MidDivision = s.TicksPerQuarter;
        Long reference = 0;
        for (int t = 1; t <= s.NumTracks && reference == 0; ++t) reference = s.TrackTotal(t);
        const std::string bytes = BuildMidFile(s, o, reference, rules);
        const auto file = p.dir.Path() / ("built" + std::to_string(++built_) + ".mid");
        WriteFile(file, bytes);
        csv = ExpectReadable(file);
        return bytes;
    }

    // The events of a chunk (1 = the first track chunk).
    std::string Events(const std::string& file, int chunk) {
        const auto ch = Chunks(file);
        if (static_cast<std::size_t>(chunk) >= ch.size()) {
            ADD_FAILURE() << "no chunk " << chunk;
            return "";
        }
        return ch[static_cast<std::size_t>(chunk)];
    }

    // The start events of the first chunk with the default options, piece
    // tempo 120 and no effects.
    static std::string FirstChunkStart() {
        const std::string credit = kCreditText;
        return B({0x00, 0xFF, 0x01, static_cast<int>(credit.size())}) + credit +
               B({0x00, 0xFF, 0x58, 0x04, 0x04, 0x02, 0x18, 0x08}) +
               B({0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20});
    }
    static std::string EndOfTrack() { return B({0xFF, 0x2F, 0x00}); }

    Program p;
    State& s = p.s;
    Context& c = p.c;
    CsvResult csv;
    int built_ = 0;
};

} // namespace tnq::test
