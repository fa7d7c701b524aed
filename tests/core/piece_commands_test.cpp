// New, Open and Save of pieces, the rebuild from track files and the check
// that a piece exists.
#include "core/file_menu.h"
#include "core/memory.h"
#include "core/piece_commands.h"
#include "core/piece_file.h"
#include "core/piece_lock.h"
#include "core/piece_paths.h"
#include "core/piece_title.h"
#include "core/screen_procs.h"
#include "core/track_files.h"
#include "core/vocabulary.h"
#include "music_dir_fixture.h"
#include "platform/cp1252.h"
#include "platform/file_commit.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <iterator>
#include <map>
#include <optional>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/resource.h>
#include <unistd.h>

namespace tnq {
namespace {

namespace fs = std::filesystem;

// The number of entries of a directory.
long EntriesIn(const std::string& dir) {
    return std::distance(fs::directory_iterator(dir), fs::directory_iterator());
}

// Every file of a directory, by name, with its bytes (nothing read of what
// is not a regular file).
std::map<std::string, std::string> FilesIn(const std::string& dir) {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::directory_iterator(dir))
        files[e.path().filename().string()] = e.is_regular_file() ? test::ReadFile(e.path()) : "?";
    return files;
}

// A change to SONG02 and SONG05 of dir cut short after its commit point:
// the committed journal and the new files under their temporary names.
void CutShortChange(const std::string& dir) {
    CommitHooks hooks;
    hooks.Before = [](CommitStep step, const std::string&) {
        return step == CommitStep::Rename ? EIO : 0;
    };
    EXPECT_THROW(CommitFiles({{dir + "/SONG02", {"new 2"}}, {dir + "/SONG05", {"new 5"}}},
                             "Accept Item",
                             [](const std::string& name) { return IsPieceFileName("SONG", name); },
                             hooks),
                 CommitUnfinished);
}

// No file can be opened while it lasts (EMFILE), for root as for anyone.
class NoFreeDescriptor {
public:
    NoFreeDescriptor() {
        ::getrlimit(RLIMIT_NOFILE, &was_);
        const int lowest = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
        ::close(lowest);
        rlimit none = was_;
        none.rlim_cur = static_cast<rlim_t>(lowest);
        ::setrlimit(RLIMIT_NOFILE, &none);
    }
    ~NoFreeDescriptor() { ::setrlimit(RLIMIT_NOFILE, &was_); }
    NoFreeDescriptor(const NoFreeDescriptor&) = delete;
    NoFreeDescriptor& operator=(const NoFreeDescriptor&) = delete;

private:
    rlimit was_{};
};

// dir may not be written while it lasts: a read-only bind mount of itself
// where mounting is allowed (root), else its write permissions taken.
class ReadOnlyDirectory {
public:
    explicit ReadOnlyDirectory(std::string dir) : dir_(std::move(dir)) {
        mounted_ = ::mount(dir_.c_str(), dir_.c_str(), nullptr, MS_BIND, nullptr) == 0;
        if (mounted_)
            ::mount(nullptr, dir_.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr);
        else
            fs::permissions(dir_, fs::perms::all, fs::perm_options::remove);
    }
    ~ReadOnlyDirectory() {
        if (mounted_)
            ::umount2(dir_.c_str(), MNT_DETACH);
        else
            fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add);
    }
    ReadOnlyDirectory(const ReadOnlyDirectory&) = delete;
    ReadOnlyDirectory& operator=(const ReadOnlyDirectory&) = delete;
    bool Holds() const { return ::access(dir_.c_str(), W_OK) != 0; }

private:
    std::string dir_;
    bool mounted_ = false;
};

TrackItemRecord Note(const std::string& name, const std::string& bar) {
    return {name, "4", "q", "0", "64", bar, "1", "0"};
}

class PieceCommandsTest : public test::MusicDirTest {
protected:
    std::string Header(const std::string& middle = "32,2000,#FALSE#,3,2") const {
        return "\"60\",480,\"" + music + "\",\"\",0,\"4\",\"4\"," + middle + "\r\n";
    }
    void WriteTrack(const std::string& dir, const std::string& name,
                    const std::vector<TrackItemRecord>& items) {
        std::string bytes;
        for (const auto& r : items) bytes += EncodeRecord(r);
        test::WriteFile(fs::path(dir) / name, bytes + EncodeRecord(kEndRecord));
    }

    // New with the answer title and No to the initialization.
    void NewPiece(const std::string& title) {
        p.msg.AnswerInput(title);
        p.msg.Answer(mb::No);
        ASSERT_TRUE(mnuFilNew_Click(c));
    }
    // An open piece SONG with three items on track 2, saved.
    void OpenSong() {
        NewPiece("Song");
        for (int i = 1; i <= 3; ++i) {
            s.NoteCode(2, i) = static_cast<Integer>(59 + i);
            s.ItemTime(2, i) = 480;
            s.ItemDyn(2, i) = 64;
            s.BarNo(2, i) = 1;
            s.ItemChan(2, i) = 2;
        }
        s.ItemCount(2) = 3;
        s.CurrentItem(2) = 4;
        ShowTrackCounts(c);
        ASSERT_TRUE(mnuFilSave_Click(c));
    }
    // The file of track 2 of SONG as saved.
    std::string SongTrack2() const {
        std::string bytes;
        for (const char* note : {"C", "C#", "D"})
            bytes += EncodeRecord({note, "4", "q", "0", "64", "1", "2", "0"});
        return bytes + EncodeRecord(kEndRecord);
    }
    // What must stay as it was when an Open fails.
    void ExpectSongStillOpen() {
        EXPECT_EQ(s.PieceOpen, 1);
        EXPECT_EQ(s.PieceTitle, "SONG");
        EXPECT_EQ(s.FilePath, music);
        EXPECT_EQ(s.PiecePath, DataPath("SONG"));
        EXPECT_EQ(s.NumTracks, 32);
        EXPECT_EQ(s.ItemCount(2), 3);
        EXPECT_EQ(s.NoteCode(2, 3), 62);
        EXPECT_EQ(p.screen.figures[1], "3");
        EXPECT_FALSE(p.screen.hourglass);
    }
};

// ---- New -------------------------------------------------------------------

TEST_F(PieceCommandsTest, NewCreatesThePieceDirectoryAndAnEmptyScore) {
    s.MultiplePorts = -1;
    s.HeaderValue5 = 9;
    s.RecalcDone = -1;
    NewPiece("  Sonata ");
    EXPECT_EQ(s.RecalcDone, 0);
    EXPECT_TRUE(fs::is_directory(music + "/SONATA.TNQ"));
    EXPECT_FALSE(fs::exists(DataPath("SONATA"))) << "New writes no file";
    EXPECT_EQ(p.msg.shown[0].Text, "Enter name of new file (no Extension)");
    EXPECT_EQ(p.msg.shown[0].Title, "Directory is " + music);
    EXPECT_EQ(p.msg.shown[1].Text, "Do you wish to use the automatic tracks initialization ?");
    EXPECT_EQ(p.msg.shown[1].Code, 68);
    EXPECT_EQ(p.msg.shown[1].Title, "New Title");

    EXPECT_EQ(s.PieceTitle, "SONATA");
    EXPECT_EQ(s.PiecePath, DataPath("SONATA"));
    EXPECT_EQ(s.PieceOpen, 1);
    EXPECT_EQ(s.PieceChanged, 0);
    EXPECT_EQ(s.Tempo, "60");
    EXPECT_EQ(s.LastTempo, "60");
    EXPECT_EQ(s.MeterNumerator, "4");
    EXPECT_EQ(s.NumTracks, 32);
    EXPECT_EQ(s.MaxItems, 2000);
    EXPECT_EQ(s.ItemCount(32), 0);
    EXPECT_EQ(s.CurrentItem(1), 1);
    EXPECT_EQ(s.MultiplePorts, -1) << "kept";
    EXPECT_EQ(s.HeaderValue5, 9) << "kept";
    EXPECT_EQ(p.screen.Caption("lblTitle"), "SONATA");
    EXPECT_EQ(p.screen.Text(Box::Tempo), "60");
    EXPECT_EQ(p.screen.Text(Box::Track), "1");
    EXPECT_EQ(p.screen.focus, Box::Tempo);
    EXPECT_EQ(p.screen.entryHelpCalls, 1);
    EXPECT_TRUE(p.screen.menuEnabled["mnuMiscInit"]);
    EXPECT_FALSE(p.screen.menuEnabled["mnuMiscTrack"]);
    EXPECT_EQ(p.screen.recent, std::vector<std::string>{DataPath("SONATA")});
    EXPECT_TRUE(p.screen.trackList.empty());
    EXPECT_EQ(s.TrackDescription.Upper(), 32);
    EXPECT_EQ(p.screen.initCalls, 0);

    // Saved at once, the header is the new piece's.
    ASSERT_TRUE(mnuFilSave_Click(c));
    EXPECT_EQ(test::ReadFile(DataPath("SONATA")),
              "\"60\",480,\"" + music + "\",\"\",9,\"4\",\"4\",32,2000,#TRUE#,3,2\r\n");
}

TEST_F(PieceCommandsTest, TitlesBeyondAsciiAreNamedInTheSystemsEncodingOnDisk) {
    // Typed (Windows-1252) "\xE9tude": upper case, directory and files in UTF-8.
    NewPiece("\xE9tude");
    const std::string title = "\xC9TUDE", onDisk = "\xC3\x89TUDE";
    EXPECT_EQ(s.PieceTitle, title);
    EXPECT_TRUE(fs::is_directory(music + "/" + onDisk + ".TNQ"));
    EXPECT_EQ(EntriesIn(music), 1);
    EXPECT_EQ(s.PiecePath, DataPath(onDisk));
    EXPECT_EQ(p.screen.Caption("lblTitle"), title);
    ASSERT_TRUE(mnuFilSave_Click(c));
    EXPECT_TRUE(fs::exists(DataPath(onDisk)));

    // A track file is named the same way; "\xC9TUDE" has six letters.
    s.CurrentTrack = 3;
    TrackFileOpen(c);
    ShowRecord(p.screen, Note("C", "1"));
    WriteItem(c);
    s.ItemCount(3) = 1;
    WriteEndRecord(c);
    EXPECT_TRUE(fs::exists(music + "/" + onDisk + ".TNQ/" + onDisk + "03"));

    // Its files lead back to the piece, in small letters too.
    const auto loc = LocatePiece(music + "/" + onDisk + ".TNQ/" + onDisk + "03");
    ASSERT_TRUE(loc.has_value());
    EXPECT_EQ(loc->Title, title);
    const std::string small = music + "/\xC3\xA9tude.tnq";
    fs::rename(music + "/" + onDisk + ".TNQ", small);
    fs::rename(small + "/" + onDisk + "03", small + "/\xC3\xA9tude03");
    p.msg.Answer(mb::No);
    p.files.Choose(music + "/\xC3\xA9tude.tnq/\xC3\xA9tude03");
    ASSERT_TRUE(mnuFilOpen_Click(c));
    EXPECT_EQ(s.PieceTitle, title);
    EXPECT_EQ(s.ItemCount(3), 1);
    EXPECT_FALSE(fs::exists(music + "/" + onDisk + ".TNQ")) << "the files there are used";
    EXPECT_EQ(EntriesIn(small), 2);

    // A name that is no UTF-8, or holds a letter beyond Windows-1252, is
    // no piece's.
    EXPECT_FALSE(LocatePiece(music + "/\xC9TUDE.TNQ/\xC9TUDE.TNQ").has_value());
    EXPECT_FALSE(LocatePiece(music + "/\xE2\x99\xAA.TNQ/\xE2\x99\xAA.TNQ").has_value());
}

TEST_F(PieceCommandsTest, NewWithInitializationRunsIt) {
    p.msg.AnswerInput("Minuet");
    p.msg.Answer(mb::Yes);
    ASSERT_TRUE(mnuFilNew_Click(c));
    EXPECT_EQ(p.screen.initCalls, 1);
}

TEST_F(PieceCommandsTest, NewRefusesTitlesThatCannotNameAPieceAndAsksAgain) {
    // Greek and Japanese letters as the input box gives them.
    const std::string greek = Utf8ToCp1252("\u03A9mega", kUnheldCharacter);
    const std::string japanese = Utf8ToCp1252("\u65E5\u672C", kUnheldCharacter);
    const std::string bad[] = {"a/b", "..", "x.y", "k=v", "[a]", "a;b", "a\\b", "tab\tx",
                               greek, japanese};
    for (const std::string& t : bad) {
        p.msg.AnswerInput(t);
        p.msg.AnswerOk();
    }
    p.msg.AnswerInput("Good");
    p.msg.Answer(mb::No);
    ASSERT_TRUE(mnuFilNew_Click(c));
    EXPECT_EQ(s.PieceTitle, "GOOD");
    for (std::size_t i = 0; i < std::size(bad); ++i) {
        EXPECT_EQ(p.msg.shown[2 * i + 1].Text, kBadTitleMessage) << bad[i];
        EXPECT_EQ(p.msg.shown[2 * i + 1].Title, "Create New File");
    }
    // Only the good directory was made.
    EXPECT_EQ(EntriesIn(music), 1);
}

TEST_F(PieceCommandsTest, CheckPieceTitleTable) {
    struct Case {
        const char* typed;
        TitleCheck result;
        const char* title;
    };
    const Case cases[] = {
        {"sonata", TitleCheck::Ok, "SONATA"},
        {"  ab  ", TitleCheck::Ok, "AB"},
        {"", TitleCheck::Empty, ""},
        {"   ", TitleCheck::Empty, ""},
        {"Nocturnes", TitleCheck::TooLong, ""},
        {"12345678", TitleCheck::Ok, "12345678"},
        {"a.b", TitleCheck::BadCharacter, ""},
        {"a]", TitleCheck::BadCharacter, ""},
    };
    for (const Case& k : cases) {
        const CheckedTitle r = CheckPieceTitle(k.typed);
        EXPECT_EQ(r.Result, k.result) << k.typed;
        if (k.result == TitleCheck::Ok) {
            EXPECT_EQ(r.Title, k.title);
        }
    }
}

TEST_F(PieceCommandsTest, NewOfAnExistingTitleAsksAgain) {
    fs::create_directories(music + "/sonata.tnq"); // copied in small letters
    p.msg.AnswerInput("SONATA");
    p.msg.AnswerOk();
    p.msg.AnswerInput("");
    EXPECT_FALSE(mnuFilNew_Click(c));
    EXPECT_EQ(p.msg.shown[1].Text, "This title already exists");
    EXPECT_EQ(p.msg.shown[1].Title, "Create New File");
    EXPECT_FALSE(fs::exists(music + "/SONATA.TNQ"));
}

TEST_F(PieceCommandsTest, NewEndingEarlyLeavesTheOpenPieceAsItWas) {
    OpenSong();
    // Too long, then cancelled: no message, the piece stays open.
    p.msg.AnswerInput("Nocturnes");
    EXPECT_FALSE(mnuFilNew_Click(c));
    p.msg.AnswerInput("");
    EXPECT_FALSE(mnuFilNew_Click(c));
    EXPECT_FALSE(fs::exists(music + "/NOCTURNES.TNQ"));
    ExpectSongStillOpen();

    // Changed, No to saving, then cancelled: still open, and no longer
    // marked changed (the user chose not to keep the changes).
    s.PieceChanged = 1;
    p.msg.Answer(mb::No);
    p.msg.AnswerInput("");
    EXPECT_FALSE(mnuFilNew_Click(c));
    EXPECT_EQ(s.PieceChanged, 0);
    EXPECT_EQ(p.msg.shown.back().Text, "Enter name of new file (no Extension)");

    // Cancel at the save question asks nothing more.
    s.PieceChanged = 1;
    p.msg.Answer(mb::Cancel);
    EXPECT_FALSE(mnuFilNew_Click(c));
    EXPECT_EQ(p.msg.shown.back().Text, "Do you wish to save the changes to SONG?");
    EXPECT_EQ(p.msg.shown.back().Code, 19);
    EXPECT_EQ(p.msg.shown.back().Title, "Save File");
    ExpectSongStillOpen();
}

TEST_F(PieceCommandsTest, NewAfterYesSavesTheOpenPieceFirst) {
    OpenSong();
    s.ItemCount(2) = 2;
    s.PieceChanged = 1;
    p.msg.Answer(mb::Yes);
    p.msg.AnswerInput("Next");
    p.msg.Answer(mb::No);
    ASSERT_TRUE(mnuFilNew_Click(c));
    EXPECT_EQ(SplitLines(test::ReadFile(DataPath("SONG"))).at(1).size(), 2 * kSnapshotRecordLength);
    EXPECT_EQ(s.PieceTitle, "NEXT");
    EXPECT_EQ(s.PieceChanged, 0);
}

// ---- Save ------------------------------------------------------------------

TEST_F(PieceCommandsTest, SaveWithoutAPieceShowsTheNoFileMessage) {
    p.msg.AnswerOk();
    EXPECT_FALSE(mnuFilSave_Click(c));
    EXPECT_EQ(p.msg.Last().Text, "No file has yet been opened");
}

TEST_F(PieceCommandsTest, SaveWritesTheDataFileByteForByte) {
    OpenSong();
    s.ItemBend(2, 2) = -100;
    s.PieceChanged = 1;
    ASSERT_TRUE(mnuFilSave_Click(c));
    EXPECT_EQ(test::ReadFile(DataPath("SONG")), Header() + "020600000048006400010200000" +
                                                    "0206100000480064000102-0100" +
                                                    "020620000048006400010200000\r\n");
    EXPECT_EQ(s.PieceChanged, 0);
    EXPECT_EQ(p.screen.status1, "");
    EXPECT_EQ(p.screen.status2, "Located in Directory " + music);
    // Only the data file lies in the piece directory: no temporary file.
    EXPECT_EQ(EntriesIn(music + "/SONG.TNQ"), 1);
}

TEST_F(PieceCommandsTest, SaveWritesThroughADataFileThatIsALink) {
    OpenSong();
    const fs::path kept = p.dir.Path() / "kept" / "SONG.TNQ";
    fs::create_directories(kept.parent_path());
    fs::rename(DataPath("SONG"), kept);
    fs::create_symlink(kept, DataPath("SONG"));
    s.ItemCount(2) = 1;
    s.PieceChanged = 1;
    ASSERT_TRUE(mnuFilSave_Click(c));
    EXPECT_TRUE(fs::is_symlink(DataPath("SONG")));
    EXPECT_EQ(test::ReadFile(kept), Header() + "020600000048006400010200000\r\n");
}

TEST_F(PieceCommandsTest, FailedSaveIsReportedAndKeepsThePieceChanged) {
    OpenSong();
    s.PieceChanged = 1;
    s.ItemCount(2) = 1;

    // The data file's name is taken by a directory: the rename fails.
    fs::remove(DataPath("SONG"));
    fs::create_directories(DataPath("SONG"));
    p.msg.AnswerOk();
    EXPECT_FALSE(mnuFilSave_Click(c));
    EXPECT_EQ(p.msg.Last().Title, "Save File");
    EXPECT_EQ(s.PieceChanged, 1);
    EXPECT_EQ(s.PieceOpen, 1);
    EXPECT_EQ(EntriesIn(music + "/SONG.TNQ"), 1) << "no temporary file is left";

    // The piece directory has gone.
    fs::remove_all(music + "/SONG.TNQ");
    p.msg.AnswerOk();
    EXPECT_FALSE(mnuFilSave_Click(c));
    EXPECT_EQ(p.msg.Last().Text, "Error 76 Path not found has occured");
    EXPECT_EQ(s.PieceChanged, 1);
}

TEST_F(PieceCommandsTest, SaveRefusesValuesTooWideForTheFile) {
    OpenSong();
    s.ItemDyn(2, 2) = 1000;
    s.PieceChanged = 1;
    const std::string before = test::ReadFile(DataPath("SONG"));
    p.msg.AnswerOk();
    EXPECT_FALSE(mnuFilSave_Click(c));
    EXPECT_EQ(p.msg.Last().Title, "Save File");
    EXPECT_EQ(test::ReadFile(DataPath("SONG")), before);
    EXPECT_EQ(EntriesIn(music + "/SONG.TNQ"), 1) << "a file begun is not left behind";
    EXPECT_EQ(s.PieceChanged, 1);
}

// ---- Open ------------------------------------------------------------------

TEST_F(PieceCommandsTest, OpenReadsTheSavedPieceBack) {
    OpenSong();
    test::WriteFile(DataPath("OTHER"), Header("8,100,#TRUE#,0,5") +
                                           "010600000048006400010100000"
                                           "0306000000480120000101-8192\r\n");
    WriteTrack(music + "/OTHER.TNQ", "OTHER01", {Note("C", "1")});
    WriteTrack(music + "/OTHER.TNQ", "OTHER03", {{"C", "4", "q", "0", "120", "1", "1", "-8192"}});
    s.File2.Open(s.TrackImages, TrackFilePath(s, "SONG", 2), kRecordLength);
    s.File2Open = 1;
    s.RecalcDone = -1;
    p.files.Choose(DataPath("OTHER"));
    ASSERT_TRUE(mnuFilOpen_Click(c));
    EXPECT_EQ(p.files.openStartDirs, std::vector<std::string>{music + "/SONG.TNQ"});

    EXPECT_EQ(s.PieceTitle, "OTHER");
    EXPECT_EQ(s.PiecePath, DataPath("OTHER"));
    EXPECT_EQ(s.FilePath, music);
    EXPECT_EQ(s.NumTracks, 8);
    EXPECT_EQ(s.MaxItems, 100);
    EXPECT_EQ(s.Reverb, 3) << "0 takes the default";
    EXPECT_EQ(s.Chorus, 5);
    EXPECT_EQ(s.MultiplePorts, -1);
    EXPECT_EQ(s.ItemCount(1), 1);
    EXPECT_EQ(s.ItemCount(3), 1);
    EXPECT_EQ(s.CurrentItem(3), 2);
    EXPECT_EQ(s.NoteCode(3, 1), 60);
    EXPECT_EQ(s.ItemDyn(3, 1), 120);
    EXPECT_EQ(s.ItemBend(3, 1), -8192);
    EXPECT_EQ(s.PieceOpen, 1);
    EXPECT_EQ(s.PieceChanged, 0);
    EXPECT_EQ(s.RecalcDone, 0);
    EXPECT_EQ(s.File2Open, 0) << "the previous piece's track file is closed";
    EXPECT_FALSE(s.File2.IsOpen());
    EXPECT_EQ(p.screen.Caption("frmKVS"), "Tonquill - Current File Directory: " + music);
    EXPECT_EQ(p.screen.Caption("lblTitle"), "OTHER");
    EXPECT_TRUE(p.screen.menuChecked["mnuMiscPorts"]);
    EXPECT_FALSE(p.screen.menuEnabled["mnuMiscMidiMapper"]);
    EXPECT_TRUE(p.screen.menuEnabled["mnuMiscInit"]);
    EXPECT_FALSE(p.screen.menuEnabled["mnuMiscTrack"]);
    EXPECT_EQ(p.screen.Text(Box::Tempo), "60");
    EXPECT_EQ(p.screen.focus, Box::Tempo);
    EXPECT_EQ(p.screen.figures[2], "1");
    EXPECT_EQ(p.screen.recent, (std::vector<std::string>{DataPath("OTHER"), DataPath("SONG")}));
    EXPECT_FALSE(p.screen.hourglass);

    // Saved again, the file is what was read.
    s.PieceChanged = 1;
    ASSERT_TRUE(mnuFilSave_Click(c));
    EXPECT_EQ(test::ReadFile(DataPath("OTHER")), Header("8,100,#TRUE#,3,5") +
                                                     "010600000048006400010100000\r\n" +
                                                     "0306000000480120000101-8192\r\n");
}

TEST_F(PieceCommandsTest, OpenTakesATrackFromTheSnapshotOnlyWhereItsFileAgrees) {
    OpenSong(); // the snapshot: C, C# and D in quarters on track 2, bar 1, channel 2
    auto item = [](const char* note, const char* duration, const char* bar) {
        return TrackItemRecord{note, "4", duration, "0", "64", bar, "2", "0"};
    };
    const std::vector<TrackItemRecord> saved{item("C", "q", "1"), item("C#", "q", "1"),
                                             item("D", "q", "1")};
    struct Case {
        const char* what;
        std::vector<TrackItemRecord> file;
        Integer changed;
    };
    std::vector<TrackItemRecord> longer = saved, halves = saved, renumbered = saved, louder = saved,
                                 higher = saved;
    longer.push_back(item("E", "q", "1"));
    halves[1].Duration = "h";
    renumbered[2].Bar = "2";
    louder[2].Dynamics = "65";
    higher[0].Note = "D";
    const Case cases[] = {
        {"as saved", saved, 0},         {"an item more", longer, 1},   {"a longer item", halves, 1},
        {"another bar", renumbered, 1}, {"other dynamics", louder, 1}, {"another note", higher, 1},
    };
    p.msg.shown.clear();
    for (const Case& k : cases) {
        WriteTrack(music + "/SONG.TNQ", "SONG02", k.file);
        ASSERT_TRUE(OpenPieceFile(c, DataPath("SONG"))) << k.what;
        EXPECT_EQ(s.PieceChanged, k.changed) << k.what;
        // The track as its file has it.
        ASSERT_EQ(s.ItemCount(2), static_cast<Integer>(k.file.size())) << k.what;
        EXPECT_EQ(s.ItemTime(2, 2), k.file[1].Duration == "h" ? 960 : 480) << k.what;
        EXPECT_EQ(s.BarNo(2, 3), std::stoi(k.file[2].Bar)) << k.what;
        EXPECT_EQ(s.ItemDyn(2, 3), std::stoi(k.file[2].Dynamics)) << k.what;
        EXPECT_EQ(s.NoteCode(2, 1), k.file[0].Note == "D" ? 62 : 60) << k.what;
        EXPECT_EQ(s.CurrentItem(2), s.ItemCount(2) + 1) << k.what;
        EXPECT_TRUE(p.msg.shown.empty()) << k.what << ": " << p.msg.Last().Text;
    }
}

TEST_F(PieceCommandsTest, OpenAsksBeforeItemsTheTrackFilesLostAreGivenUp) {
    OpenSong(); // 3 items on track 2, and 1 on track 5 below
    s.NoteCode(5, 1) = 60;
    s.ItemTime(5, 1) = 480;
    s.ItemDyn(5, 1) = 64;
    s.BarNo(5, 1) = 1;
    s.ItemChan(5, 1) = 1;
    s.ItemCount(5) = 1;
    ASSERT_TRUE(mnuFilSave_Click(c));
    const std::string dir = music + "/SONG.TNQ";
    const std::string c4 = EncodeRecord(Note("C", "1")), end = EncodeRecord(kEndRecord);
    const std::string whole2 = SongTrack2(), whole5 = c4 + end;
    const std::string saved = test::ReadFile(DataPath("SONG"));
    const std::string question =
        "Do you wish to open the piece with its tracks as their files hold them? The next "
        "Save then replaces what the piece file recorded of the missing items, and they are lost.";
    struct Case {
        const char* what;
        std::optional<std::string> track2; // nothing: no file
        std::string track5;
        Integer items2, items5;
        std::string named;
    };
    const Case cases[] = {
        {"an item left", c4 + end, whole5, 1, 1,
         "The file SONG02 of Track 2 holds 1 item; the last Save of the piece recorded 3.\n"},
        {"emptied", "", whole5, 0, 1,
         "The file SONG02 of Track 2 holds 0 items; the last Save of the piece recorded 3.\n"},
        {"gone, and another cut", std::nullopt, c4.substr(0, 9), 0, 0,
         "The file SONG02 of Track 2 holds 0 items; the last Save of the piece recorded 3.\n"
         "The file SONG05 of Track 5 holds 0 items; the last Save of the piece recorded 1.\n"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        fs::remove(dir + "/SONG02");
        if (k.track2) test::WriteFile(dir + "/SONG02", *k.track2);
        test::WriteFile(dir + "/SONG05", k.track5);
        const auto files = FilesIn(dir);

        for (const int answer : {mb::No, mb::Yes}) {
            p.msg.shown.clear();
            p.msg.Answer(answer);
            if (answer == mb::Yes && k.track5 != whole5) p.msg.AnswerOk(); // the cut record
            ASSERT_EQ(OpenPieceFile(c, DataPath("SONG")), answer == mb::Yes);
            EXPECT_EQ(p.msg.shown[0].Text, k.named + question);
            EXPECT_EQ(p.msg.shown[0].Code, mb::YesNo | mb::Exclamation);
            EXPECT_EQ(p.msg.shown[0].Title, "Open File");
            EXPECT_EQ(FilesIn(dir), files) << "the data file and every track file untouched";
            if (answer == mb::No) {
                ExpectSongStillOpen();
                EXPECT_EQ(s.ItemCount(5), 1);
            }
        }
        EXPECT_EQ(s.ItemCount(2), k.items2);
        EXPECT_EQ(s.ItemCount(5), k.items5);
        EXPECT_EQ(s.PieceChanged, 1);

        // The files mended, the piece opens as saved and unasked.
        test::WriteFile(dir + "/SONG02", whole2);
        test::WriteFile(dir + "/SONG05", whole5);
        p.msg.shown.clear();
        ASSERT_TRUE(OpenPieceFile(c, DataPath("SONG")));
        EXPECT_TRUE(p.msg.shown.empty());
        EXPECT_EQ(test::ReadFile(DataPath("SONG")), saved);
    }
}

TEST_F(PieceCommandsTest, AFailedFirstOpenLeavesNoPieceOpen) {
    const std::string item = "010600000048006400010100000\r\n"; // no track file holds it
    struct Case {
        std::string data, text;
    };
    const Case cases[] = {
        {Header() + item.substr(0, 20), "The piece file "},
        {Header() + item, "The file SONG01 of Track 1 holds 0 items"},
    };
    for (const Case& k : cases) {
        test::WriteFile(DataPath("SONG"), k.data);
        p.msg.shown.clear();
        p.msg.Answer(mb::No);
        EXPECT_FALSE(OpenPieceFile(c, DataPath("SONG")));
        ASSERT_EQ(p.msg.shown.size(), 1u) << p.msg.Last().Text;
        EXPECT_EQ(p.msg.Last().Text.substr(0, k.text.size()), k.text);
        EXPECT_EQ(s.PieceOpen, 0);
    }
}

TEST_F(PieceCommandsTest, ADirectoryThatCannotBeLockedIsNeitherOpenedNorMade) {
    OpenSong();
    NewPiece("Other");
    const auto files = FilesIn(music + "/SONG.TNQ");
    struct Case {
        const char* what;
        std::string dir, title;
        std::function<bool()> run;
    };
    const Case cases[] = {
        {"Open", music + "/SONG.TNQ", "Open File",
         [&] { return OpenPieceFile(c, DataPath("SONG")); }},
        {"New", music + "/FRESH.TNQ", "Create New File",
         [&] {
             p.msg.AnswerInput("Fresh");
             return mnuFilNew_Click(c);
         }},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        p.msg.shown.clear();
        p.msg.AnswerOk();
        bool done = true;
        {
            NoFreeDescriptor none;
            done = k.run();
        }
        EXPECT_FALSE(done);
        EXPECT_EQ(p.msg.Last().Text, NotLockableText(k.dir));
        EXPECT_EQ(p.msg.Last().Title, k.title);
        EXPECT_EQ(s.PieceTitle, "OTHER");
    }
    EXPECT_FALSE(fs::exists(music + "/FRESH.TNQ")) << "New leaves no directory";
    EXPECT_EQ(FilesIn(music + "/SONG.TNQ"), files);
}

TEST_F(PieceCommandsTest, AChangeCutShortInADirectoryThatMayNotBeWrittenIsRefused) {
    OpenSong();
    const std::string dir = music + "/SONG.TNQ";
    test::WriteFile(dir + "/SONG02", SongTrack2());
    {
        ReadOnlyDirectory readOnly(dir);
        if (!readOnly.Holds())
            GTEST_SKIP() << "this user may write any directory and may not mount one read-only";
        // With no change cut short it opens as ever.
        ASSERT_TRUE(OpenPieceFile(c, DataPath("SONG")));
    }
    CutShortChange(dir);
    const auto files = FilesIn(dir);
    ReadOnlyDirectory readOnly(dir);
    p.msg.shown.clear();
    p.msg.AnswerOk();
    EXPECT_FALSE(OpenPieceFile(c, DataPath("SONG")));
    ASSERT_EQ(p.msg.shown.size(), 1u);
    EXPECT_EQ(p.msg.Last().Text,
              "The last change to the piece SONG was cut short, and its directory " + dir +
                  " may not be written. The change can be finished once the directory may be "
                  "written; open the piece then.");
    EXPECT_EQ(p.msg.Last().Title, "Open File");
    ExpectSongStillOpen();
    EXPECT_EQ(FilesIn(dir), files);
}

// Open trusts only a journal as the program writes it: anything else at its
// name is refused with a message naming it and the directory, and nothing
// in the directory is renamed or removed.
TEST_F(PieceCommandsTest, AJournalTheProgramDidNotWriteIsRefusedAtOpen) {
    OpenSong();
    const std::string dir = music + "/SONG.TNQ", journal = dir + "/.tnq-change";
    test::WriteFile(dir + "/SONG02", SongTrack2());
    ::mkfifo(journal.c_str(), 0644);
    const auto files = FilesIn(dir);
    p.msg.shown.clear();
    p.msg.AnswerOk();
    EXPECT_FALSE(OpenPieceFile(c, DataPath("SONG")));
    ASSERT_EQ(p.msg.shown.size(), 1u);
    EXPECT_EQ(p.msg.Last().Text,
              "The piece SONG cannot be opened: its directory " + dir + " holds " + journal +
                  ", which is a FIFO, and so is no journal of a change this program can finish. "
                  "Nothing has been renamed or removed. Move it out of the directory to open the "
                  "piece as its files stand.");
    ExpectSongStillOpen();
    EXPECT_EQ(FilesIn(dir), files);
}

TEST_F(PieceCommandsTest, SaveAndOpenRemoveWhatAReplacementCutShortLeftBehind) {
    OpenSong();
    const fs::path dir = fs::path(music) / "SONG.TNQ";
    test::WriteFile(dir / "SONG02", SongTrack2());
    for (const char* step : {"save", "open"}) {
        SCOPED_TRACE(step);
        for (const char* name :
             {".SONG02.tnq-new", ".SONG.TNQ.tnq-new", ".SONG.MID.tnq-new", "SONG.MID.tmp",
              ".NOTES.tnq-new"})
            test::WriteFile(dir / name, "left");
        if (std::string(step) == "save")
            ASSERT_TRUE(mnuFilSave_Click(c));
        else
            ASSERT_TRUE(OpenPieceFile(c, DataPath("SONG")));
        // Only the program's own temporary names go.
        std::vector<std::string> names;
        for (const auto& [name, bytes] : FilesIn(dir.string())) names.push_back(name);
        EXPECT_EQ(names, (std::vector<std::string>{".NOTES.tnq-new", "SONG.MID.tmp", "SONG.TNQ",
                                                   "SONG02"}));
    }
}

TEST_F(PieceCommandsTest, ATrackFileThatDoesNotReadLeavesTheTracksBehindItRead) {
    OpenSong();
    WriteTrack(music + "/SONG.TNQ", "SONG02", {Note("C", "1"), Note("Q", "1"), Note("D", "1")});
    WriteTrack(music + "/SONG.TNQ", "SONG05", {Note("C", "1"), Note("D", "1")});
    p.msg.shown.clear();
    p.msg.AnswerOk();
    ASSERT_TRUE(OpenPieceFile(c, DataPath("SONG")));
    ASSERT_EQ(p.msg.shown.size(), 1u);
    EXPECT_EQ(p.msg.Last().Title, "Data Error");
    EXPECT_EQ(s.ItemCount(5), 2);
    EXPECT_EQ(s.NoteCode(5, 2), 62);
    EXPECT_EQ(s.PieceChanged, 1);
}

TEST_F(PieceCommandsTest, TrackFileCutInsideARecordOpensWithOneMessage) {
    OpenSong();
    const std::string c4 = EncodeRecord(Note("C", "1"));
    const std::string end = EncodeRecord(kEndRecord);
    struct Case {
        std::string track2, track5;
        Integer items2, items5;
        std::string text;
    };
    const std::string item = "ends inside a record: its last whole item is Item ";
    const Case cases[] = {
        {c4 + c4 + c4 + c4.substr(0, 20), "", 3, 0,
         "The file SONG02 of Track 2 " + item +
             "3.\nThe track keeps its whole items; its "
             "END record is written at the track's next change."},
        {c4 + c4 + c4 + end.substr(0, 17), c4.substr(0, 1), 3, 0,
         "The file SONG02 of Track 2 " + item +
             "3.\nThe file SONG05 of Track 5 ends inside a "
             "record: it holds no whole item.\nEach track keeps its whole items; its END record "
             "is written at the track's next change."},
        // A whole track, or one whose END record is followed by a cut one.
        {c4 + c4 + c4 + end, c4 + end + c4.substr(0, 9), 3, 1, ""},
    };
    for (const Case& k : cases) {
        test::WriteFile(music + "/SONG.TNQ/SONG02", k.track2);
        test::WriteFile(music + "/SONG.TNQ/SONG05", k.track5);
        p.msg.shown.clear();
        if (!k.text.empty()) p.msg.AnswerOk();
        ASSERT_TRUE(OpenPieceFile(c, DataPath("SONG")));
        EXPECT_EQ(s.ItemCount(2), k.items2);
        EXPECT_EQ(s.ItemCount(5), k.items5);
        if (k.text.empty()) {
            EXPECT_TRUE(p.msg.shown.empty()) << p.msg.Last().Text;
            continue;
        }
        ASSERT_EQ(p.msg.shown.size(), 1u);
        EXPECT_EQ(p.msg.Last().Text, k.text);
        EXPECT_EQ(p.msg.Last().Title, "Open File");
    }

    // The next END record written replaces the cut bytes.
    test::WriteFile(music + "/SONG.TNQ/SONG02", c4 + c4 + c4 + c4.substr(0, 20));
    p.msg.AnswerOk();
    ASSERT_TRUE(OpenPieceFile(c, DataPath("SONG")));
    s.CurrentTrack = 2;
    TrackFileOpen(c);
    WriteEndRecord(c);
    s.File2.Close();
    EXPECT_EQ(test::ReadFile(music + "/SONG.TNQ/SONG02"), c4 + c4 + c4 + end);
}

TEST_F(PieceCommandsTest, ATempoTheTempoBoxRefusesIsADamagedHeader) {
    OpenSong();
    // A tempo the tempo box would refuse is a damaged header.
    test::WriteFile(DataPath("FAST"),
                    "\"1e9\",480,\"" + music + "\",\"\",0,\"4\",\"4\",32,2000,#FALSE#,3,2\r\n");
    p.files.Choose(DataPath("FAST"));
    p.msg.AnswerOk();
    EXPECT_FALSE(mnuFilOpen_Click(c));
    EXPECT_EQ(p.msg.Last().Text.substr(0, 15), "The piece file ");
    EXPECT_NE(p.msg.Last().Text.find("tempo"), std::string::npos);
    EXPECT_EQ(p.msg.Last().Title, "Open File");
    ExpectSongStillOpen();
}

TEST_F(PieceCommandsTest, CancelledOpenDialogChangesNothing) {
    OpenSong();
    s.PieceChanged = 1;
    p.msg.Answer(mb::No);
    p.files.CancelOpen();
    EXPECT_FALSE(mnuFilOpen_Click(c));
    EXPECT_EQ(s.DialogError, 32755);
    EXPECT_EQ(s.PieceChanged, 0); // No was the answer
    ExpectSongStillOpen();
}

TEST_F(PieceCommandsTest, FailedOpenLeavesThePreviousPieceAsItWas) {
    OpenSong();
    fs::create_directories(music + "/BAD.TNQ");
    // A directory where the data file should be.
    fs::create_directories(DataPath("DIRDATA"));
    const std::string record4 = "040600000048006400010100000";
    struct Case {
        std::string path;
        std::string bytes; // "" = write nothing
        std::string text;  // start of the message
    };
    const Case cases[] = {
        {music + "/OLD.MID", "", "Invalid Directory"},
        {music + "/BAD.TNQ/OTHER.TNQ", "", "Invalid Directory"},
        {DataPath("GONE"), "", "Error 76 Path not found has occured"},
        {DataPath("DIRDATA"), "", "Error 75 Path/File access error has occured"},
        {DataPath("BAD"), Header() + record4.substr(0, 20), "The piece file "},
        {DataPath("BAD"), Header("3,2000,#FALSE#,3,2") + record4, "The piece file "},
        {DataPath("BAD"), Header("32,2,#FALSE#,3,2") + record4 + record4, "The piece file "},
        {DataPath("BAD"), "\"60\",480\r\n", "The piece file "},
    };
    for (const Case& k : cases) {
        if (!k.bytes.empty()) test::WriteFile(k.path, k.bytes);
        s.PieceChanged = 1;
        p.msg.Answer(mb::No);
        p.files.Choose(k.path);
        p.msg.AnswerOk();
        EXPECT_FALSE(mnuFilOpen_Click(c)) << k.path;
        EXPECT_EQ(p.msg.Last().Text.substr(0, k.text.size()), k.text) << k.path;
        if (k.text != "Invalid Directory") {
            EXPECT_EQ(p.msg.Last().Title, "Open File");
        }
        EXPECT_EQ(s.PieceChanged, 0); // No was the answer
        ExpectSongStillOpen();
        EXPECT_EQ(p.screen.recent, std::vector<std::string>{DataPath("SONG")}) << k.path;
    }
}

TEST_F(PieceCommandsTest, OpenFindsPiecesSpelledInSmallLetters) {
    test::WriteFile(music + "/song.tnq/song.tnq", Header() + "010600000048006400010100000\r\n");
    WriteTrack(music + "/song.tnq", "song01", {Note("C", "1")});
    test::WriteFile(music + "/song.tnq/song.dat", "02Lead voice\r\n");
    p.ini.SetIniSetting(IniSettings, "SONG-init", "done");
    p.files.Choose(music + "/song.tnq/song.tnq");
    ASSERT_TRUE(mnuFilOpen_Click(c));
    EXPECT_EQ(s.PieceTitle, "SONG");
    EXPECT_EQ(s.PiecePath, DataPath("SONG"));
    EXPECT_EQ(s.ItemCount(1), 1);
    EXPECT_EQ(s.TrackDescription(2), "Lead voice");
    // Saved into the file that is there.
    s.PieceChanged = 1;
    ASSERT_TRUE(mnuFilSave_Click(c));
    EXPECT_FALSE(fs::exists(music + "/SONG.TNQ"));
    EXPECT_EQ(test::ReadFile(music + "/song.tnq/song.tnq").substr(0, 5), "\"60\",");
}

TEST_F(PieceCommandsTest, OpenReadsTheTrackDescriptionsOfAnInitialisedPiece) {
    test::WriteFile(DataPath("SUITE"), Header("6,2000,#FALSE#,3,2"));
    test::WriteFile(music + "/SUITE.TNQ/SUITE.DAT",
                    "03Cello, second desk\r\n02Violin\r\n05\r\n07Beyond the tracks\r\n04Late\r\n");
    p.ini.SetIniSetting(IniSettings, "SUITE-init", "done");
    p.files.Choose(DataPath("SUITE"));
    ASSERT_TRUE(mnuFilOpen_Click(c));
    EXPECT_EQ(s.TrackDescription(3), "Cello, second desk");
    EXPECT_EQ(s.TrackDescription(2), "Violin");
    EXPECT_EQ(s.TrackDescription(5), "   ");
    EXPECT_EQ(s.TrackDescription(4), "Late") << "a track beyond the piece's is passed over";
    EXPECT_EQ(p.screen.trackList,
              (std::vector<std::string>{"  Track Descriptions", "02 Violin",
                                        "03 Cello, second desk", "04 Late", "05    "}));
    EXPECT_EQ(p.screen.trackListSelected, 0);
    EXPECT_FALSE(p.screen.menuEnabled["mnuMiscInit"]);

    // Lines that would sort before the heading leave it first.
    test::WriteFile(music + "/SUITE.TNQ/SUITE.DAT", "03Cello\r\n\x01\x01x\r\n  A\r\n!!b\r\n");
    p.files.Choose(DataPath("SUITE"));
    ASSERT_TRUE(mnuFilOpen_Click(c));
    ASSERT_EQ(p.screen.trackList.size(), 5u);
    EXPECT_EQ(p.screen.trackList[0], "  Track Descriptions");
    EXPECT_EQ(p.screen.trackList[4], "03 Cello");
    EXPECT_TRUE(p.screen.menuEnabled["mnuMiscTrack"]);

    // Not initialised: no descriptions, even from an earlier piece.
    test::WriteFile(DataPath("PLAIN"), Header());
    test::WriteFile(music + "/PLAIN.TNQ/PLAIN.DAT", "02Ignored\r\n");
    p.files.Choose(DataPath("PLAIN"));
    ASSERT_TRUE(mnuFilOpen_Click(c));
    EXPECT_EQ(s.TrackDescription(2), "");
    EXPECT_TRUE(p.screen.trackList.empty());
    EXPECT_TRUE(p.screen.menuEnabled["mnuMiscInit"]);
    EXPECT_FALSE(p.screen.menuChecked["mnuMiscPorts"]);
    EXPECT_TRUE(p.screen.menuEnabled["mnuMiscMidiMapper"]);
}

// ---- Rebuild ---------------------------------------------------------------

TEST_F(PieceCommandsTest, ChoosingATrackFileRebuildsTheDataFile) {
    const std::string dir = music + "/SONG.TNQ";
    WriteTrack(dir, "SONG03", {Note("C", "1"), Note("D", "1"), Note("E", "2")});
    WriteTrack(dir, "song40", {Note("G", "1")});
    p.files.Choose(dir + "/SONG03");
    ASSERT_TRUE(mnuFilOpen_Click(c));
    EXPECT_EQ(s.PieceTitle, "SONG");
    EXPECT_EQ(s.PiecePath, DataPath("SONG"));
    EXPECT_EQ(s.NumTracks, 40) << "as many tracks as the highest track file";
    EXPECT_EQ(s.ItemCount(3), 3);
    EXPECT_EQ(s.NoteCode(3, 3), 64);
    EXPECT_EQ(s.BarNo(3, 3), 2);
    EXPECT_EQ(s.ItemCount(40), 1);
    EXPECT_EQ(s.PieceChanged, 0);
    const std::string text = test::ReadFile(DataPath("SONG"));
    EXPECT_EQ(FirstLine(text),
              "\"60\",480,\"" + music + "\",\"\",0,\"4\",\"4\",40,2000,#FALSE#,3,2");
    EXPECT_EQ(SplitLines(text).at(1), "030600000048006400010100000"
                                      "030620000048006400010100000"
                                      "030640000048006400020100000");
    EXPECT_EQ(p.screen.recent, std::vector<std::string>{DataPath("SONG")});
}

TEST_F(PieceCommandsTest, RebuildKeepsTheHeaderOfAReadableDataFile) {
    const std::string dir = music + "/SUITE.TNQ";
    test::WriteFile(dir + "/SUITE.TNQ", "\"72\",96,\"/elsewhere\",\"Old, dear\",5,\"3\",\"8\","
                                        "8,50,#TRUE#,4,1\r\n"
                                        "010600000048006400010100000\r\n");
    WriteTrack(dir, "SUITE10", {Note("A", "1"), Note("B", "1")});
    p.files.Choose(dir + "/SUITE.MID");
    test::WriteFile(dir + "/SUITE.MID", "MThd");
    ASSERT_TRUE(mnuFilOpen_Click(c));
    EXPECT_EQ(FirstLine(test::ReadFile(dir + "/SUITE.TNQ")),
              "\"72\",96,\"" + music + "\",\"Old, dear\",5,\"3\",\"8\",10,50,#TRUE#,4,1");
    EXPECT_EQ(s.Tempo, "72");
    EXPECT_EQ(s.PieceDescription, "Old, dear");
    EXPECT_EQ(s.NumTracks, 10);
    EXPECT_EQ(s.ItemCount(1), 0) << "the snapshot comes from the track files";
    EXPECT_EQ(s.ItemCount(10), 2);
    EXPECT_EQ(s.ItemTime(10, 1), 96);
}

TEST_F(PieceCommandsTest, RebuildMakesRoomForTheLongestTrack) {
    const std::string dir = music + "/LONG.TNQ";
    test::WriteFile(dir + "/LONG.TNQ", "");
    std::vector<TrackItemRecord> items(12, Note("C", "1"));
    WriteTrack(dir, "LONG01", items);
    p.ini.SetIniSetting(IniSettings, "Nts", "5");
    SystemDefaults(c);
    p.files.Choose(dir + "/LONG.TNQ"); // an empty data file is rebuilt too
    ASSERT_TRUE(mnuFilOpen_Click(c));
    EXPECT_EQ(s.MaxItems, 13);
    EXPECT_EQ(s.ItemCount(1), 12);
}

TEST_F(PieceCommandsTest, ANewPieceNeverSavedOpensFromTheRecentList) {
    // Made and left unsaved for another new piece: no data file.
    NewPiece("Tune");
    NewPiece("Other");
    ASSERT_FALSE(fs::exists(DataPath("TUNE")));
    ASSERT_EQ(s.RecentPieces.at(1), DataPath("TUNE"));
    const std::size_t shown = p.msg.shown.size();
    ASSERT_TRUE(mnuFileArray_Click(c, 2));
    EXPECT_EQ(p.msg.shown.size(), shown) << "no message";
    EXPECT_EQ(s.PieceTitle, "TUNE");
    EXPECT_EQ(s.PieceOpen, 1);
    EXPECT_EQ(s.PieceChanged, 0);
    EXPECT_EQ(s.NumTracks, 32);
    for (int t = 1; t <= s.NumTracks; ++t) EXPECT_EQ(s.ItemCount(t), 0) << t;
    EXPECT_EQ(EntriesIn(music + "/TUNE.TNQ"), 1) << "the data file, no track files";

    // Items typed before leaving it unsaved come back from their track file.
    fs::remove(DataPath("TUNE"));
    WriteTrack(music + "/TUNE.TNQ", "TUNE02", {Note("C", "1"), Note("D", "1")});
    p.files.Choose(DataPath("TUNE"));
    ASSERT_TRUE(mnuFilOpen_Click(c));
    EXPECT_EQ(s.ItemCount(2), 2);
    EXPECT_EQ(s.NoteCode(2, 2), 62);
}

TEST_F(PieceCommandsTest, FailedRebuildLeavesThePreviousPieceAsItWas) {
    OpenSong();
    const std::string dir = music + "/BROKEN.TNQ";
    WriteTrack(dir, "BROKEN01", {Note("C", "1"), Note("Q", "1")});
    s.PieceChanged = 1;
    p.msg.Answer(mb::No);
    p.files.Choose(dir + "/BROKEN01");
    p.msg.AnswerOk(); // "Error in data on Track 1, Item 2"
    EXPECT_FALSE(mnuFilOpen_Click(c));
    EXPECT_EQ(p.msg.Last().Title, "Data Error");
    EXPECT_FALSE(fs::exists(dir + "/BROKEN.TNQ"));
    ExpectSongStillOpen();
    EXPECT_EQ(s.PieceChanged, 0); // No was the answer
}

// ---- CheckPieceExists ------------------------------------------------------

TEST_F(PieceCommandsTest, CheckPieceExists) {
    test::WriteFile(DataPath("SONG"), Header());
    fs::create_directories(music + "/NODATA.TNQ");
    EXPECT_EQ(CheckPieceExists(c, "SONG"), "SONG");
    EXPECT_EQ(CheckPieceExists(c, "song"), "song");
    EXPECT_EQ(CheckPieceExists(c, "NODATA"), "error");
    EXPECT_EQ(CheckPieceExists(c, "MISSING"), "error");
    EXPECT_EQ(CheckPieceExists(c, "../music/SONG"), "error");
    EXPECT_EQ(CheckPieceExists(c, ""), "error");
}

// ---- Locating a piece ------------------------------------------------------

TEST_F(PieceCommandsTest, LocatePieceTable) {
    struct Case {
        const char* path;
        bool found;
        const char* filePath;
        const char* title;
        bool dataFile;
    };
    const Case cases[] = {
        {"/m/SONG.TNQ/SONG.TNQ", true, "/m", "SONG", true},
        {"/m/Song.tnq/song.TNQ", true, "/m", "SONG", true},
        {"/m/SONG.TNQ/SONG03", true, "/m", "SONG", false},
        {"/m/SONG.TNQ/SONG.MID", true, "/m", "SONG", false},
        {"/x.tnq/m/SONG.TNQ/./SONG.TNQ", true, "/x.tnq/m", "SONG", true},
        {"/SONG.TNQ/SONG.TNQ", true, "/", "SONG", true},
        {"/m/OLD.MID", false, "", "", false},
        {"/m/SONG.TNQ/OTHER.TNQ", false, "", "", false},
        {"/m/A.B.TNQ/A.B.TNQ", false, "", "", false},
        {"/m/.TNQ/X", false, "", "", false},
        {"", false, "", "", false},
    };
    for (const Case& k : cases) {
        const auto loc = LocatePiece(k.path);
        ASSERT_EQ(loc.has_value(), k.found) << k.path;
        if (!loc) continue;
        EXPECT_EQ(loc->FilePath, k.filePath) << k.path;
        EXPECT_EQ(loc->Title, k.title) << k.path;
        EXPECT_EQ(loc->DataFile, k.dataFile) << k.path;
    }
}

} // namespace
} // namespace tnq
