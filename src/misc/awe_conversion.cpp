// Conversion of .AWE pieces.
#include "misc/awe_conversion.h"

#include "core/edit_fields.h"
#include "core/file_menu.h"
#include "core/item_checks.h"
#include "core/memory.h"
#include "core/piece_commands.h"
#include "core/piece_file.h"
#include "core/piece_lock.h"
#include "core/piece_paths.h"
#include "core/piece_title.h"
#include "core/recalculate.h"
#include "core/screen_procs.h"
#include "platform/file_commit.h"
#include "platform/vb.h"
#include "platform/whole_file.h"

#include <cerrno>
#include <filesystem>
#include <sys/stat.h>

namespace tnq {

namespace fs = std::filesystem;

namespace {

constexpr const char* kTitle = "Convert KVS file to TNQ";

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// A refusal before anything was made.
void Refuse(Context& c, const std::string& text) {
    c.msg.MsgBox(text, mb::Exclamation, std::string(kTitle));
}

// The save question of the conversion (Yes and No). False when a Save
// failed.
bool SaveFirst(Context& c) {
    State& s = c.s;
    if (s.PieceOpen != 1 || s.PieceChanged != 1 || s.OpenFromRecent != 0) return true;
    const int answer = c.msg.MsgBox("Do you wish to save the changes to " + s.PieceTitle + "?",
                                    mb::YesNo | mb::Critical, std::string("Save File"));
    s.Response = static_cast<Integer>(answer);
    if (answer == mb::Yes) return mnuFilSave_Click(c);
    s.PieceChanged = 0;
    return true;
}

// The converted tracks: new track number and its records.
struct NewTrack {
    int Track = 0;
    std::vector<TrackItemRecord> Records;
};

} // namespace

std::optional<OldHeader> ParseOldHeader(std::string_view line, const State& s, std::string& why) {
    const std::vector<std::string> v = HeaderValues(line);
    if (v.size() != 12) {
        why = "its header does not hold twelve values";
        return std::nullopt;
    }
    OldHeader h;
    h.Tempo = v[0];
    // The tempo goes into the new data file: only one that Open takes.
    why = StoredTempoFault(h.Tempo);
    if (!why.empty()) return std::nullopt;
    h.Description = v[3];
    h.Value5 = IsNumeric(v[4]) && Val(v[4]) >= -2147483648.0 && Val(v[4]) <= 2147483647.0
                   ? CLng(Val(v[4]))
                   : 0;
    h.MeterNumerator = v[5];
    h.MeterDenominator = v[6];
    const std::optional<int> tracks = WholeNumber(Trim(v[7]), 1, kMaxTracks - 1);
    if (!tracks) {
        why = "its number of tracks (" + Trim(v[7]) + ") is not 1 to 95";
        return std::nullopt;
    }
    const std::optional<int> items = WholeNumber(Trim(v[8]), kItemsRange.Min, kItemsRange.Max);
    if (!items) {
        why = "its items per track (" + Trim(v[8]) + ") are not 1 to 32766";
        return std::nullopt;
    }
    h.OldTracks = static_cast<Integer>(*tracks);
    h.MaxItems = static_cast<Integer>(*items);
    h.Reverb = LimitValue(v[10], kEffectRange).value_or(s.DefaultReverb);
    h.Chorus = LimitValue(v[11], kEffectRange).value_or(s.DefaultChorus);
    return h;
}

std::vector<TrackItemRecord> ConvertOldTrack(std::string_view fileBytes) {
    std::vector<TrackItemRecord> out;
    bool ended = false;
    for (std::size_t at = 0; at + kRecordLength <= fileBytes.size(); at += kRecordLength) {
        const std::string_view bytes = fileBytes.substr(at, kRecordLength);
        TrackItemRecord r = DecodeRecord(bytes);
        const std::string note = Trim(r.Note);
        if (!(r.Adjustment.size() > 0 && r.Adjustment[0] == '-') && note.size() != 5 &&
            Val(r.Adjustment) != 0)
            r.Adjustment = "0   ";
        if (note == "TEMPO") continue;
        out.push_back(r);
        if (IsEndRecord(bytes)) {
            ended = true;
            break;
        }
    }
    if (!out.empty() && !ended) out.push_back(kEndRecord);
    return out;
}

std::string OldPieceName(const std::string& path) {
    if (UCase(path).rfind(".AWE/") == std::string::npos) return "";
    // A name Windows-1252 cannot spell is no title.
    const std::optional<std::string> file = NameFromDisk(fs::path(path).filename().string());
    if (!file) return "";
    return UCase(file->substr(0, file->find('.')));
}

void ConvKVOtoKVS_Click(Context& c) {
    const int answer = c.msg.MsgBox(
        "This function will convert files created in Vexatone to the format for Tonquill",
        mb::OKCancel | mb::Critical, std::string("Convert KVS files to TNQ"));
    if (answer == mb::Cancel) return;
    OpenAWEConversion(c);
}

void OpenAWEConversion(Context& c) {
    State& s = c.s;
    if (!SaveFirst(c)) return;

    std::string path;
    try {
        s.FileDialogKind = 1;
        if (c.files == nullptr) return;
        const std::optional<std::string> chosen =
            c.files->OpenFile(s.FilePath, "Midi Files (*.AWE)");
        if (!chosen) return;
        path = *chosen;
    } catch (const VbError& e) {
        if (e.Number() != err::CancelSelected)
            c.msg.MsgBox(ErrorOccuredText(e), mb::OKOnly, std::string(kTitle));
        return;
    }

    const std::string upper = UCase(path);
    if (!EndsWith(upper, ".AWE") && upper.find(".AWE") != std::string::npos) {
        c.msg.MsgBox("Only titles with .AWE extension can be selected", mb::Exclamation,
                     std::string("Convert a Vexatone file"));
        return;
    }
    if (upper.find(".AWE/") == std::string::npos) {
        c.msg.MsgBox("Invalid Directory", mb::OKOnly);
        return;
    }

    try {
        // The old piece's directory is the header file's, named NAME.AWE.
        const std::string name = OldPieceName(path);
        const fs::path oldDir = fs::path(path).parent_path();
        const std::optional<std::string> oldDirName = NameFromDisk(oldDir.filename().string());
        if (name.empty() || !oldDirName || UCase(*oldDirName) != name + ".AWE")
            throw VbError(err::PathNotFound);
        const CheckedTitle title = CheckPieceTitle(name);
        if (title.Result != TitleCheck::Ok || title.Title != name) {
            Refuse(c, name + " cannot be the title of a piece: a title has 1 to " +
                          std::to_string(kMaxTitleLength) +
                          " characters and cannot contain / \\ . = [ ] ; or control characters");
            return;
        }
        if (s.FilePath.empty()) throw VbError(err::PathNotFound);
        std::error_code ec;
        const std::string existing = JoinIgnoringCase(s.FilePath, name + ".TNQ");
        if (fs::exists(existing, ec)) {
            Refuse(c, PieceOpenElsewhere(s, existing) ? OpenElsewhereText(name)
                                                      : "File " + name + ".TNQ already exists");
            return;
        }

        // Everything of the old piece is read, read-only, and checked first.
        const std::string header = ReadWholeFile(path);
        std::string why;
        const std::optional<OldHeader> h = ParseOldHeader(FirstLine(header), s, why);
        if (!h) {
            Refuse(c, name + ".AWE cannot be converted: " + why + ".");
            return;
        }
        const int numTracks = h->OldTracks + 1;
        std::vector<NewTrack> tracks;
        for (int t = 1; t < numTracks; ++t) {
            const std::string file = JoinIgnoringCase(oldDir.string(), TrackFileName(name, t));
            if (!fs::is_regular_file(file, ec)) continue;
            NewTrack nt{t + 1, ConvertOldTrack(ReadWholeFile(file))};
            if (nt.Records.empty()) continue;
            // Items before the END record; one slot stays free.
            if (static_cast<int>(nt.Records.size()) - 1 > h->MaxItems - 1) {
                Refuse(c, name + ".AWE cannot be converted: track " + std::to_string(t) +
                              " holds more items than a track of " + std::to_string(h->MaxItems) +
                              " items per track can take.");
                return;
            }
            tracks.push_back(std::move(nt));
        }

        // The new score first: when it cannot be sized the open piece stays.
        const Integer oldTracks = s.NumTracks, oldItems = s.MaxItems;
        s.NumTracks = static_cast<Integer>(numTracks);
        s.MaxItems = h->MaxItems;
        if (!MemorySetUp(c)) {
            s.NumTracks = oldTracks;
            s.MaxItems = oldItems;
            return;
        }
        // The previous piece is gone from here on.
        s.PieceOpen = 0;
        s.File2.Close();
        s.File2Open = 0;
        s.File3.Close();
        s.File3Open = 0;
        s.PieceLock.Release();

        const std::string dir = NewPieceDirectoryOf(s.FilePath, name);
        if (::mkdir(dir.c_str(), 0777) != 0) throw VbError(ErrorFromErrno(errno));
        DirectoryLock::Outcome refused = DirectoryLock::Outcome::HeldElsewhere;
        std::optional<DirectoryLock> lock = LockPieceDirectory(c, dir, name, kTitle, &refused);
        if (!lock) {
            // Made here and never locked: it goes again.
            if (refused == DirectoryLock::Outcome::NotLockable) fs::remove(dir, ec);
            return;
        }
        s.PieceLock = std::move(*lock);

        PieceHeader ph;
        ph.Tempo = h->Tempo;
        ph.TicksPerQuarter = 480;
        ph.FilePath = s.FilePath;
        ph.Description = h->Description;
        ph.Value5 = h->Value5;
        ph.MeterNumerator = h->MeterNumerator;
        ph.MeterDenominator = h->MeterDenominator;
        ph.NumTracks = static_cast<Integer>(numTracks);
        ph.MaxItems = h->MaxItems;
        ph.MultiplePorts = 0;
        ph.Reverb = h->Reverb;
        ph.Chorus = h->Chorus;
        SetPieceValues(s, ph);
        s.PieceTitle = name;
        s.PieceHome = s.FilePath;
        s.PiecePath = DataFilePathOf(s.FilePath, name);
        c.screen.SetStatus1("Converting...");
        c.screen.SetStatus2("");
        c.screen.SetHourglass(true);
        // The data file and the track files, all or none.
        std::vector<std::string> contents{HeaderLine(ph) + "\r\n"};
        for (const NewTrack& nt : tracks) {
            std::string bytes;
            for (const TrackItemRecord& r : nt.Records) bytes += EncodeRecord(r);
            contents.push_back(std::move(bytes));
        }
        std::vector<NewFile> files{{s.PiecePath, {contents[0]}}};
        for (std::size_t i = 0; i < tracks.size(); ++i)
            files.push_back({TrackFilePath(s, name, tracks[i].Track), {contents[i + 1]}});
        CommitFiles(files, kTitle, [&s](const std::string& file) { return s.OwnsFileName(file); });
        s.PieceOpen = 1;

        c.screen.SetCaption("lblTitle", name);
        s.OpenFromRecent = 0;
        UpdateFileMenu(c);
        c.screen.SetMenuChecked("mnuMiscPorts", false);
        c.screen.SetMenuEnabled("mnuMiscMidiMapper", true);
        c.screen.ShowEntryHelp();
        c.screen.SetText(Box::Tempo, s.Tempo);
        s.LastTempo = s.Tempo;

        s.SelectedTracks.assign(static_cast<std::size_t>(s.NumTracks), '1');
        Recalculate(c);
        s.PieceChanged = 1;
        c.screen.SetHourglass(false);
        c.screen.SetStatus1("");
        c.screen.ArrangeTrackLabels();
        ShowTrackCounts(c);
    } catch (const CommitUnfinished& e) {
        // The new piece's files stand, and are put in place when it opens.
        c.screen.SetHourglass(false);
        c.screen.SetStatus1("");
        c.msg.MsgBox(ErrorOccuredText(e) + "; the piece has been converted, and its files are "
                                           "completed when it is opened.",
                     mb::Exclamation, std::string(kTitle));
        return;
    } catch (const VbError& e) {
        c.screen.SetHourglass(false);
        c.screen.SetStatus1("");
        if (e.Number() == err::PathFileAccessError || e.Number() == err::FileAlreadyExists)
            Refuse(c, "File " + OldPieceName(path) + ".TNQ already exists");
        else
            c.msg.MsgBox(ErrorOccuredText(e), mb::OKOnly, std::string(kTitle));
        return;
    }

    c.screen.SetMenuEnabled("mnuMiscInit", true);
    c.screen.SetMenuEnabled("mnuMiscTrack", false);
    const int answer = c.msg.MsgBox("Do you wish to use the automatic tracks initialization ?",
                                    mb::YesNo | mb::Information, std::string("New Title"));
    s.Response = static_cast<Integer>(answer);
    if (answer == mb::Yes) {
        c.screen.mnuMiscInit_Click();
    } else {
        c.screen.SetTrackList({}, -1);
        s.TrackDescription.ReDim(s.NumTracks);
    }
}

} // namespace tnq
