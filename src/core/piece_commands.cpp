// New, Open, Save, RebuildDataFile and CheckPieceExists.
#include "core/piece_commands.h"

#include "core/descriptions_file.h"
#include "core/file_menu.h"
#include "core/memory.h"
#include "core/piece_file.h"
#include "core/piece_lock.h"
#include "core/piece_paths.h"
#include "core/piece_title.h"
#include "core/recalculate.h"
#include "core/screen_procs.h"
#include "core/track_files.h"
#include "platform/file_commit.h"
#include "platform/vb.h"
#include "platform/whole_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace tnq {

namespace fs = std::filesystem;

namespace {

constexpr const char* kDescriptionHeading = "  Track Descriptions";
constexpr int kLastTrackNumber = 96;

// What the screen of a rebuild shows goes nowhere: the piece being rebuilt
// is not the one on the screen.
class NoScreen : public MainScreen {
public:
    std::string Text(Box) const override { return ""; }
    void SetText(Box, const std::string&) override {}
    void SetStatus1(const std::string&) override {}
    void SetStatus2(const std::string&) override {}
    void SetTrackFigure(int, const std::string&) override {}
    void SetHourglass(bool) override {}
    void SetFocus(Box) override {}
};

// The limits a new score is sized by, kept to be put back when the sizing
// fails.
struct Limits {
    Integer NumTracks, MaxItems, TicksPerQuarter, Reverb, Chorus;
    std::string ActiveTracks, SelectedTracks;
};

Limits LimitsOf(const State& s) {
    return {s.NumTracks, s.MaxItems,     s.TicksPerQuarter, s.Reverb,
            s.Chorus,    s.ActiveTracks, s.SelectedTracks};
}

void RestoreLimits(State& s, const Limits& l) {
    s.NumTracks = l.NumTracks;
    s.MaxItems = l.MaxItems;
    s.TicksPerQuarter = l.TicksPerQuarter;
    s.Reverb = l.Reverb;
    s.Chorus = l.Chorus;
    s.ActiveTracks = l.ActiveTracks;
    s.SelectedTracks = l.SelectedTracks;
}

// The previous piece's track files are closed, so that no later write
// reaches them.
void CloseTrackFiles(State& s) {
    s.File2.Close();
    s.File2Open = 0;
    s.File3.Close();
    s.File3Open = 0;
    s.TrackImages.Forget();
}

void EmptyDescriptions(Context& c) {
    c.s.TrackDescription.ReDim(c.s.NumTracks);
    c.screen.SetTrackList({}, -1);
}

void TellRecovery(Context& c, const Recovery& r) {
    const std::string change = r.Change.empty() ? "" : " (" + r.Change + ")";
    if (r.What == Recovery::Outcome::Completed)
        c.msg.MsgBox("The last change to this piece" + change +
                         " was cut short while its track files were written; it has now been "
                         "completed.",
                     mb::Information, std::string("Open File"));
    else if (r.What == Recovery::Outcome::Undone)
        c.msg.MsgBox("The last change to this piece" + change +
                         " was cut short before its track files were written; it has been undone, "
                         "and the piece is as it was before it.",
                     mb::Information, std::string("Open File"));
}

// The names of the files the program writes for piece title.
OwnedName PieceFileNames(const std::string& title) {
    return [title](const std::string& name) { return IsPieceFileName(title, name); };
}

// True when dir holds the journal of a change cut short and may not be
// written, so the change can be neither finished nor undone.
bool ChangeLeftUnwritable(const std::string& dir, const std::string& title) {
    if (!JournalIn(dir, PieceFileNames(title))) return false;
    return ::access(dir.c_str(), W_OK) != 0 && (errno == EROFS || errno == EACCES);
}

void ShowOpenError(Context& c, const VbError& e) {
    c.msg.MsgBox(ErrorOccuredText(e), mb::OKOnly, std::string("Open File"));
}

void ShowDamagedFile(Context& c, const std::string& path, const DataFileError& e) {
    c.msg.MsgBox("The piece file " + path + " cannot be opened: " + e.what() + ".", mb::Exclamation,
                 std::string("Open File"));
}

// The save question before the open piece is replaced (Yes, No and
// Cancel). False when the command is to stop: Cancel, or a Save that
// failed. No drops the changes: the piece is no longer marked changed.
bool AskToSave(Context& c) {
    State& s = c.s;
    const int answer = c.msg.MsgBox("Do you wish to save the changes to " + s.PieceTitle + "?",
                                    mb::YesNoCancel | mb::Critical, std::string("Save File"));
    s.Response = static_cast<Integer>(answer);
    if (answer == mb::Yes) return mnuFilSave_Click(c);
    if (answer != mb::No) return false;
    s.PieceChanged = 0;
    return true;
}

bool ChangedPieceOpen(const State& s) {
    return s.PieceOpen == 1 && !s.PieceTitle.empty() && s.PieceChanged == 1;
}

// Items of a track file; an unreadable file counts as empty.
int ItemsInTrackFile(const std::string& path) {
    try {
        return ItemsBeforeEnd(ReadWholeFile(path));
    } catch (const VbError&) {
        return 0;
    }
}

// The highest track number among the track files of a piece directory, and
// the most items one of them holds.
void ScanTrackFiles(const std::string& dir, const std::string& title, int& highest, int& longest) {
    highest = 0;
    longest = 0;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        for (int t = 1; t <= kLastTrackNumber; ++t) {
            if (!SameNameIgnoringCase(name, DiskName(TrackFileName(title, t)))) continue;
            highest = std::max(highest, t);
            longest = std::max(longest, ItemsInTrackFile(it->path().string()));
        }
    }
}

// A track file cut inside a record: its track and its whole items.
struct CutTrack {
    int Track = 0;
    int Items = 0;
};

// The snapshot of the data file is what the score held at the last Save,
// while Accept Item and the bulk edits write the track files at once: a
// piece left unsaved after such writes opens with a snapshot its track
// files no longer hold. The track files are the lasting store, so every
// track is read again from its file; where that gives other items than the
// snapshot (or the file does not recalculate: Recalculate's message, and
// the track as it leaves it), the piece is marked changed so that the next
// Save stores the true snapshot. True when a track differed. Track files
// cut inside a record are listed in cut.
bool ReadTracksFromTheirFiles(Context& c, std::vector<CutTrack>& cut) {
    State& s = c.s;
    const std::string selected = s.SelectedTracks;
    const auto tracks = static_cast<std::size_t>(std::max<int>(s.NumTracks, 0));
    std::vector<TrackReading> found;
    bool differs = false;
    s.SelectedTracks.assign(tracks, '1');
    // Every track in one recalculation; after a track that fails, the
    // tracks behind it in the next.
    for (int from = 1; from <= s.NumTracks;) {
        const bool read = RecalculateComparing(c, found);
        for (int t = from; t <= s.NumTracks; ++t) {
            const TrackReading& k = found[static_cast<std::size_t>(t)];
            differs = differs || k.Changed;
            // Whole records and no END record among them, then part of one.
            if (k.FileBytes % kRecordLength != 0 &&
                static_cast<std::size_t>(s.ItemCount(t)) == k.FileBytes / kRecordLength)
                cut.push_back({t, s.ItemCount(t)});
        }
        if (read) break;
        differs = true;
        from = std::max<int>(s.CurrentTrack, from) + 1;
        const auto before = static_cast<std::size_t>(from) - 1;
        s.SelectedTracks.assign(before, '0');
        s.SelectedTracks.append(tracks - before, '1');
    }
    s.File2.Close();
    s.File2Open = 0;
    s.SelectedTracks = selected;
    return differs;
}

// The one message on the track files cut inside a record.
void ShowCutTracks(Context& c, const std::vector<CutTrack>& cut) {
    if (cut.empty()) return;
    std::string text;
    for (const CutTrack& k : cut) {
        text += "The file " + TrackFileName(c.s.PieceTitle, k.Track) + " of Track " +
                std::to_string(k.Track) + " ends inside a record: ";
        text += k.Items == 0 ? "it holds no whole item.\n"
                             : "its last whole item is Item " + std::to_string(k.Items) + ".\n";
    }
    text += cut.size() == 1 ? "The track keeps its whole items; its END record is written at "
                              "the track's next change."
                            : "Each track keeps its whole items; its END record is written at "
                              "the track's next change.";
    c.msg.MsgBox(text, mb::Exclamation, std::string("Open File"));
}

// A track whose file holds fewer items than the snapshot of the last Save.
struct ShortTrack {
    int Track = 0;
    int FileItems = 0;
    int SavedItems = 0;
};

// The tracks of piece title in dir whose files hold fewer items than saved
// (the snapshot's count of each track) records; a missing file holds none.
std::vector<ShortTrack> ShortTracks(const std::string& dir, const std::string& title,
                                    const std::vector<int>& saved) {
    std::vector<ShortTrack> found;
    for (std::size_t t = 1; t < saved.size(); ++t) {
        if (saved[t] == 0) continue;
        const int track = static_cast<int>(t);
        const std::string path = JoinIgnoringCase(dir, TrackFileName(title, track));
        // A file long enough for the saved items and its END record is not
        // read here (the recalculation reads it next); only a shorter one
        // is counted.
        struct stat st {};
        const auto least = (static_cast<long long>(saved[t]) + 1) * static_cast<long long>(kRecordLength);
        if (::stat(path.c_str(), &st) == 0 && static_cast<long long>(st.st_size) >= least) continue;
        const int items = ItemsInTrackFile(path);
        if (items < saved[t]) found.push_back({track, items, saved[t]});
    }
    return found;
}

std::string ItemsText(int n) {
    return std::to_string(n) + (n == 1 ? " item" : " items");
}

// The question before the snapshot's items that track files no longer hold
// are given up. True to open the piece with its tracks as their files have
// them.
bool GiveUpMissingItems(Context& c, const std::string& title, const std::vector<ShortTrack>& lost) {
    std::string text;
    for (const ShortTrack& k : lost)
        text += "The file " + TrackFileName(title, k.Track) + " of Track " +
                std::to_string(k.Track) + " holds " + ItemsText(k.FileItems) +
                "; the last Save of the piece recorded " + std::to_string(k.SavedItems) + ".\n";
    text += "Do you wish to open the piece with its tracks as their files hold them? The next "
            "Save then replaces what the piece file recorded of the missing items, and they are "
            "lost.";
    c.screen.SetHourglass(false);
    const bool yes =
        c.msg.MsgBox(text, mb::YesNo | mb::Exclamation, std::string("Open File")) == mb::Yes;
    c.screen.SetHourglass(yes);
    return yes;
}

// Stops the reading of a data file whose score could not be sized (the
// memory message has been shown).
struct ScoreNotSized {};

// The snapshot of a data file read straight into the score, sized by its
// header. The open piece's score is kept apart until the whole file has
// been read, and put back when it fails.
class SnapshotIntoScore : public SnapshotSink {
public:
    explicit SnapshotIntoScore(Context& c)
        : c_(c), limits_(LimitsOf(c.s)), recalcDone_(c.s.RecalcDone) {}

    void Begin(const PieceHeader& h) override {
        State& s = c_.s;
        SwapScore(s, kept_);
        begun_ = true;
        s.NumTracks = h.NumTracks;
        s.MaxItems = h.MaxItems;
        if (!MemorySetUp(c_)) throw ScoreNotSized{};
        counts_.assign(static_cast<std::size_t>(h.NumTracks) + 1, 0);
    }
    void Item(int t, int item, const SnapshotItem& v) override {
        if (t != track_) {
            const std::optional<TrackSlots> row = SlotsOf(c_.s, t);
            if (!row) throw VbError(err::SubscriptOutOfRange);
            row_ = *row;
            track_ = t;
        }
        // The reading keeps every track within MaxItems - 1 items.
        if (item > row_.Last) throw VbError(err::SubscriptOutOfRange);
        row_.Code[item] = v.Code;
        row_.Time[item] = v.Time;
        row_.Dyn[item] = v.Dyn;
        row_.Bar[item] = v.Bar;
        row_.Chan[item] = v.Chan;
        row_.Bend[item] = v.Bend;
        counts_[static_cast<std::size_t>(t)] = item;
    }
    // Each track's count in the snapshot, by track number.
    const std::vector<int>& Counts() const { return counts_; }

    // The whole file read: each track's count and cursor, and the open
    // piece's score let go.
    void Finish() {
        State& s = c_.s;
        for (int t = 1; t <= s.NumTracks; ++t) {
            s.ItemCount(t) = static_cast<Integer>(counts_[static_cast<std::size_t>(t)]);
            s.CurrentItem(t) = static_cast<Integer>(s.ItemCount(t) + 1);
        }
        kept_ = ScoreArrays{};
    }
    // The reading failed: the open piece as it was.
    void PutBack() {
        if (!begun_) return;
        State& s = c_.s;
        SwapScore(s, kept_);
        kept_ = ScoreArrays{};
        RestoreLimits(s, limits_);
        s.RecalcDone = recalcDone_;
        // Without an open piece there is no score to show.
        if (s.PieceOpen == 1) ShowTrackCounts(c_);
    }

private:
    Context& c_;
    const Limits limits_;
    const Integer recalcDone_;
    ScoreArrays kept_;
    bool begun_ = false;
    std::vector<int> counts_;
    int track_ = 0;
    TrackSlots row_;
};

// The track descriptions of an initialised piece, from NAME.DAT; a missing
// or unreadable file leaves them empty.
void ReadDescriptions(Context& c) {
    try {
        LoadTrackDescriptions(c, kDescriptionsHeadingAtOpen, true);
    } catch (const VbError&) {
        c.screen.SetTrackList({}, -1);
    }
}

// Reads the data file at dataPath into the score and puts its piece in
// place of the open one, keeping its lock. False (previous piece untouched)
// when the score cannot be sized or the items a track file lost since the
// last Save are not to be given up; raises DataFileError or VbError (previous
// piece untouched) when the file is damaged or cannot be read.
bool PutPieceInPlace(Context& c, const PieceLocation& loc, const std::string& dataPath,
                     DirectoryLock lock) {
    State& s = c.s;
    SnapshotIntoScore into(c);
    PieceHeader h;
    try {
        h = ReadDataFile(dataPath, s, into);
    } catch (const ScoreNotSized&) {
        into.PutBack();
        return false;
    } catch (...) {
        into.PutBack();
        throw;
    }
    // Items only the snapshot still holds are not given up unasked.
    const std::vector<ShortTrack> lost =
        ShortTracks(fs::path(dataPath).parent_path().string(), loc.Title, into.Counts());
    if (!lost.empty() && !GiveUpMissingItems(c, loc.Title, lost)) {
        into.PutBack();
        return false;
    }
    into.Finish();
    CloseTrackFiles(s);
    s.PieceLock = std::move(lock);

    s.PieceTitle = loc.Title;
    s.FilePath = loc.FilePath;
    s.PieceHome = loc.FilePath;
    s.PiecePath = DataFilePathOf(loc.FilePath, loc.Title);
    s.PieceOpen = 1;
    s.OpenFromRecent = 0;
    SetPieceValues(s, h);

    c.screen.SetCaption("lblTitle", s.PieceTitle);
    c.screen.ShowEntryHelp();
    c.screen.SetMenuChecked("mnuMiscPorts", s.MultiplePorts == -1);
    c.screen.SetMenuEnabled("mnuMiscMidiMapper", s.MultiplePorts != -1);
    c.screen.ArrangeTrackLabels();
    c.screen.SetCaption("frmKVS", kCaptionPrefix + PathText(s.FilePath));
    c.screen.SetText(Box::Tempo, s.Tempo);
    s.LastTempo = s.Tempo;

    std::vector<CutTrack> cut;
    const bool reread = ReadTracksFromTheirFiles(c, cut);

    if (c.GetIniSetting(s.PieceTitle + "-init") == "done") {
        c.screen.SetMenuEnabled("mnuMiscInit", false);
        c.screen.SetMenuEnabled("mnuMiscTrack", true);
        ReadDescriptions(c);
    } else {
        c.screen.SetMenuEnabled("mnuMiscInit", true);
        c.screen.SetMenuEnabled("mnuMiscTrack", false);
        EmptyDescriptions(c);
    }

    c.screen.SetHourglass(false);
    ShowTrackCounts(c);
    ShowCutTracks(c, cut);
    s.NoteKeyCount = 0;
    // A track that differed makes the next Save store its true snapshot.
    s.PieceChanged = reread ? 1 : 0;
    s.RecalcDone = 0;
    c.screen.SetFocus(Box::Tempo);
    UpdateFileMenu(c);
    return true;
}

} // namespace

bool mnuFilSave_Click(Context& c) {
    State& s = c.s;
    if (s.PieceOpen != 1) {
        NoFileOpenMsg(c);
        return false;
    }
    c.screen.SetStatus1("Saving File " + s.PieceTitle + "...");
    c.screen.SetStatus2("Located in Directory " + PathText(OpenPieceHome(s)));
    try {
        // What a replacement cut short left behind goes first.
        RemoveStrayTemporaryFiles(PieceDirectory(s), PieceFileNames(s.PieceTitle));
        ReplaceWholeFile(PieceFilePath(s, s.PieceTitle + ".TNQ"),
                         [&s](const ByteSink& put) { WriteDataFile(s, put); });
    } catch (const VbError& e) {
        c.screen.SetStatus1("");
        c.msg.MsgBox(ErrorOccuredText(e), mb::Exclamation, std::string("Save File"));
        return false;
    } catch (const DataFileError& e) {
        c.screen.SetStatus1("");
        c.msg.MsgBox("The piece cannot be saved: " + std::string(e.what()) + ".", mb::Exclamation,
                     std::string("Save File"));
        return false;
    }
    s.PieceChanged = 0;
    c.screen.SetStatus1("");
    return true;
}

void ClosePiece(Context& c) {
    State& s = c.s;
    CloseTrackFiles(s);
    s.PieceLock.Release();
    s.PieceOpen = 0;
    s.PieceChanged = 0;
    s.RecalcDone = 0;
    c.screen.SetCaption("lblTitle", "");
    for (int row = 0; row < std::min<int>(s.NumTracks, kMaxTracks); ++row)
        c.screen.SetTrackFigure(row, "");
    c.screen.SetTrackList({}, -1);
    c.screen.SetHourglass(false);
    // Out of item entry, whose keys would write the track files again.
    c.screen.EnableMenus();
}

bool RebuildDataFile(Context& c, const std::string& filePath, const std::string& title) {
    State& s = c.s;
    try {
        const std::string dir = PieceDirectoryOf(filePath, title);
        std::error_code ec;
        if (!fs::is_directory(dir, ec)) throw VbError(err::PathNotFound);
        const std::string dataPath = JoinIgnoringCase(dir, title + ".TNQ");

        // The header of the data file there, when it reads.
        PieceHeader h;
        try {
            const std::string bytes = ReadWholeFile(dataPath);
            if (!bytes.empty()) h = ParseHeaderLine(FirstLine(bytes));
        } catch (const VbError&) {
        } catch (const DataFileError&) {}
        h.FilePath = filePath;
        ApplyHeaderDefaults(h, s);
        int highest = 0, longest = 0;
        ScanTrackFiles(dir, title, highest, longest);
        h.NumTracks = static_cast<Integer>(std::max<int>(h.NumTracks, highest));
        if (longest + 1 > h.MaxItems)
            h.MaxItems = static_cast<Integer>(std::min(longest + 1, kItemsRange.Max));

        // The piece is rebuilt in a state of its own.
        State r;
        r.DefaultItems = s.DefaultItems;
        r.DefaultTracks = s.DefaultTracks;
        r.DefaultTicks = s.DefaultTicks;
        r.DefaultReverb = s.DefaultReverb;
        r.DefaultChorus = s.DefaultChorus;
        r.ScoreMemoryLimit = s.ScoreMemoryLimit;
        r.AWESelectChecked = s.AWESelectChecked;
        r.FilePath = filePath;
        r.PieceTitle = title;
        SetPieceValues(r, h);
        r.NumTracks = h.NumTracks;
        r.MaxItems = h.MaxItems;
        NoScreen screen;
        Context rc{r, c.msg, c.ini, screen, c.sys, c.files};
        if (!MemorySetUp(rc)) return false;
        r.SelectedTracks.assign(static_cast<std::size_t>(r.NumTracks), '1');

        c.screen.SetHourglass(true);
        const bool rebuilt = Recalculate(rc);
        r.File2.Close();
        if (rebuilt)
            ReplaceWholeFile(dataPath, [&r](const ByteSink& put) { WriteDataFile(r, put); });
        c.screen.SetHourglass(false);
        return rebuilt;
    } catch (const VbError& e) {
        c.screen.SetHourglass(false);
        ShowOpenError(c, e);
    } catch (const DataFileError& e) {
        c.screen.SetHourglass(false);
        c.msg.MsgBox("The piece file of " + title + " cannot be rebuilt: " + e.what() + ".",
                     mb::Exclamation, std::string("Open File"));
    }
    return false;
}

bool OpenPieceFile(Context& c, const std::string& path) {
    const std::optional<PieceLocation> loc = LocatePiece(path);
    if (!loc) {
        c.msg.MsgBox("Invalid Directory", mb::OKOnly);
        return false;
    }
    std::string dataPath = DataFilePathOf(loc->FilePath, loc->Title);
    try {
        const std::string dir = PieceDirectoryOf(loc->FilePath, loc->Title);
        std::error_code ec;
        if (!fs::is_directory(dir, ec)) throw VbError(err::PathNotFound);
        // The lock first: a journal or temporary file in the directory may be
        // another copy's change going on.
        std::optional<DirectoryLock> lock = LockPieceDirectory(c, dir, loc->Title, "Open File");
        if (!lock) return false;
        if (ChangeLeftUnwritable(dir, loc->Title)) {
            c.msg.MsgBox("The last change to the piece " + loc->Title +
                             " was cut short, and its directory " + PathText(dir) +
                             " may not be written. The change can be finished once the "
                             "directory may be written; open the piece then.",
                         mb::Exclamation, std::string("Open File"));
            return false;
        }
        // A change cut short the last time the piece was open is finished
        // or undone before anything is read.
        try {
            TellRecovery(c, RecoverDirectory(dir, PieceFileNames(loc->Title)));
        } catch (const JournalRefused& e) {
            c.msg.MsgBox("The piece " + loc->Title + " cannot be opened: its directory " +
                             PathText(dir) + " holds " + PathText(e.Journal()) + ", which " +
                             e.Why() +
                             ", and so is no journal of a change this program can finish. "
                             "Nothing has been renamed or removed. Move it out of the directory "
                             "to open the piece as its files stand.",
                         mb::Exclamation, std::string("Open File"));
            return false;
        }
        dataPath = JoinIgnoringCase(dir, loc->Title + ".TNQ");

        // A file of the piece other than its data file, or a data file that
        // is empty or missing (a new piece never saved): the data file is
        // built again from the track files.
        bool rebuild = !loc->DataFile;
        if (!rebuild && !fs::exists(dataPath, ec)) rebuild = true;
        if (!rebuild && fs::is_regular_file(dataPath, ec) && fs::file_size(dataPath, ec) == 0)
            rebuild = true;
        if (rebuild) {
            if (!RebuildDataFile(c, loc->FilePath, loc->Title)) return false;
            dataPath = JoinIgnoringCase(dir, loc->Title + ".TNQ");
        }

        c.screen.SetHourglass(true);
        if (!PutPieceInPlace(c, *loc, dataPath, std::move(*lock))) {
            c.screen.SetHourglass(false);
            return false;
        }
        return true;
    } catch (const VbError& e) {
        c.screen.SetHourglass(false);
        ShowOpenError(c, e);
    } catch (const DataFileError& e) {
        c.screen.SetHourglass(false);
        ShowDamagedFile(c, dataPath, e);
    }
    return false;
}

bool mnuFilOpen_Click(Context& c) {
    State& s = c.s;
    if (ChangedPieceOpen(s) && !AskToSave(c)) return false;
    s.FileDialogKind = 1;
    std::string path;
    if (!CommonDialogOpen(c, s.FileDialogKind, path)) return false;
    return OpenPieceFile(c, path);
}

bool mnuFilNew_Click(Context& c) {
    State& s = c.s;
    if (ChangedPieceOpen(s) && !AskToSave(c)) return false;

    // The title, asked until it can name a new piece.
    std::string title, dir;
    std::optional<DirectoryLock> lock;
    for (;;) {
        const CheckedTitle typed = CheckPieceTitle(
            c.msg.InputBox("Enter name of new file (no Extension)",
                           "Directory is " + PathText(s.FilePath)));
        if (typed.Result == TitleCheck::Empty || typed.Result == TitleCheck::TooLong) return false;
        if (typed.Result == TitleCheck::BadCharacter) {
            c.msg.MsgBox(kBadTitleMessage, mb::OKOnly, std::string("Create New File"));
            continue;
        }
        title = typed.Title;
        dir = NewPieceDirectoryOf(s.FilePath, title);
        std::error_code ec;
        // A piece directory spelled in other letters is the same piece.
        const std::string existing = JoinIgnoringCase(s.FilePath, title + ".TNQ");
        const bool exists = fs::exists(existing, ec);
        int made = EEXIST;
        if (s.FilePath.empty())
            made = ENOENT;
        else if (!exists)
            made = ::mkdir(dir.c_str(), 0777) == 0 ? 0 : errno;
        if (made == 0) {
            // Another copy may have opened the new directory already.
            DirectoryLock::Outcome refused = DirectoryLock::Outcome::HeldElsewhere;
            if ((lock = LockPieceDirectory(c, dir, title, "Create New File", &refused))) break;
            if (refused == DirectoryLock::Outcome::HeldElsewhere) continue;
            // Made here and never locked: it goes again.
            fs::remove(dir, ec);
            return false;
        }
        if (made == EEXIST) {
            c.msg.MsgBox(PieceOpenElsewhere(s, existing) ? OpenElsewhereText(title)
                                                         : "This title already exists",
                         mb::OKOnly, std::string("Create New File"));
        } else {
            const int n = ErrorFromErrno(made);
            c.msg.MsgBox("Error " + std::to_string(n) + " " + ErrorText(n), mb::OKOnly,
                         std::string("MKDIR"));
        }
    }

    // An empty score with the settings' limits, before anything else
    // changes: when it cannot be sized, the previous piece stays open.
    const Limits old = LimitsOf(s);
    SystemDefaults(c);
    if (!MemorySetUp(c)) {
        RestoreLimits(s, old);
        std::error_code ec;
        fs::remove(dir, ec);
        return false;
    }
    CloseTrackFiles(s);
    s.PieceLock = std::move(*lock);

    s.PieceTitle = title;
    s.PieceHome = s.FilePath;
    c.screen.SetCaption("lblTitle", title);
    s.OpenFromRecent = 0;
    s.PiecePath = DataFilePathOf(s.FilePath, title);
    UpdateFileMenu(c);
    c.screen.ShowEntryHelp();
    c.screen.ArrangeTrackLabels();

    c.screen.SetText(Box::Tempo, "60");
    s.Tempo = "60";
    s.MeterNumerator = "4";
    s.MeterDenominator = "4";
    s.LastTempo = c.screen.Text(Box::Tempo);
    c.screen.SetText(Box::Track, "1");
    c.screen.SetFocus(Box::Tempo);

    s.PieceOpen = 1;
    s.PieceChanged = 0;
    s.RecalcDone = 0;
    s.NoteKeyCount = 0;
    s.PieceDescription.clear();
    c.screen.SetMenuEnabled("mnuMiscInit", true);
    c.screen.SetMenuEnabled("mnuMiscTrack", false);
    EmptyDescriptions(c);

    const int answer = c.msg.MsgBox("Do you wish to use the automatic tracks initialization ?",
                                    mb::YesNo | mb::Information, std::string("New Title"));
    s.Response = static_cast<Integer>(answer);
    if (answer == mb::Yes) c.screen.mnuMiscInit_Click();
    return true;
}

std::string CheckPieceExists(Context& c, const std::string& name) {
    if (name.empty() ||
        std::any_of(name.begin(), name.end(), [](char ch) { return IsBadTitleCharacter(ch); }))
        return "error";
    try {
        const std::string dir = PieceDirectoryFor(c.s, name);
        const std::string path = JoinIgnoringCase(dir, name + ".TNQ");
        struct stat st {};
        if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return "error";
        if (::access(path.c_str(), R_OK) != 0) return "error";
        return name;
    } catch (const VbError&) {
        return "error";
    }
}

} // namespace tnq
