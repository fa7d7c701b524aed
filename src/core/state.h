// All state the program's forms and commands share, in one object that a
// test can build fresh: the program-wide variables (limits, settings copies,
// the score of the open piece, the strings passed between forms, the shared
// edit parameters, the item being stored, piece and file state) and the
// main window's own variables that its commands share.
#pragma once

#include "core/arrays.h"
#include "core/gap_array.h"
#include "platform/directory_lock.h"
#include "platform/record_file.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tnq {

class TrackChange;

using Integer = std::int16_t; // 16-bit signed
using Long = std::int32_t;    // 32-bit signed
using Single = float;

inline constexpr int kMaxTracks = 96;   // track rows of the main window
inline constexpr int kLocateSlots = 50; // LOCAT marks remembered per track

struct State {
    // ---- Limits and settings copies -------------------------------------
    Integer NumTracks = 0;
    Integer MaxItems = 0;
    Integer TicksPerQuarter = 0;
    Integer Reverb = 0;
    Integer Chorus = 0;
    Integer DefaultItems = 0;
    Integer DefaultTracks = 0;
    Integer DefaultTicks = 0;
    Integer DefaultReverb = 0;
    Integer DefaultChorus = 0;
    Integer Resolution = 0;
    std::string FilePath;
    std::string DefaultPlayer;
    std::string AuxiliaryProgram;
    Integer MultiplePorts = 0;
    std::string Version;
    std::string CRLF;
    std::string RequiredFiles[9]; // rows 1..8
    std::string ProgramDirectory;
    std::string HelpFile; // the help document, its full path once found

    // ---- Score arrays (track 0..NumTracks, item 0..MaxItems) ------------
    GapArray2<Integer> NoteCode;
    GapArray2<Long> ItemTime;
    GapArray2<Integer> ItemDyn;
    GapArray2<Integer> BarNo;
    GapArray2<Integer> ItemChan;
    GapArray2<Integer> ItemBend;

    // ---- Per-track arrays ------------------------------------------------
    Array1<Integer> ItemCount;
    Array1<Integer> CurrentItem;
    Array1<Long> TrackTotal;
    Array1<std::string> TrackDescription;
    Array2<Integer> SpanFirst; // (track, repeat 0..4)
    Array2<Integer> SpanLast;
    Array2<Integer> LocationItem; // (track, 0..50)

    // ---- Work arrays of the .MID writers --------------------------------
    Array2<Integer> WorkCode;
    Array2<Long> WorkTime;
    Array2<Integer> WorkDyn;
    Array2<Integer> WorkChan;
    Array2<Integer> WorkBend;
    Array1<Integer> WorkCount;
    // Per-track state of the .MID encoder (track 0..NumTracks).
    Array1<Integer> NoteSounding, SoundingKey, BendActive, LegatoOn, LastStatus;

    // Largest number of bytes the score may take; 0 = no limit. Lets a test
    // make the allocation fail.
    std::size_t ScoreMemoryLimit = 0;

    // ---- Strings passed between forms and commands ----------------------
    std::string SelectedTracks;
    std::string ActiveTracks;
    std::string DialogResult;
    std::string MenuMode;
    std::string Scratch;

    // ---- Shared edit parameters -----------------------------------------
    Integer RangeFrom = 0;
    Integer RangeTo = 0;
    Integer Percent = 0;
    Integer FromValue = 0;
    Integer ToValue = 0;
    Integer Repeats = 0;
    Integer StartingBeat = 0;
    Integer NumberOfBeats = 0;
    Single BeatTicks = 0;
    Integer RepeatCounter = 0;
    Integer CopyOffset = 0;
    Integer CopySemitones = 0;
    Integer CopyOctaves = 0;
    Integer SourceTrack = 0;
    std::string CopyMode;
    std::string SourceTitle;
    std::string CopyBarNumbers;
    std::string CopyChannel;
    Integer FoundBar = 0;
    Integer PreviousBar = 0;
    // The uniform source Randomize a Passage draws from: each call a value in
    // [0, 1). Empty: each run draws from a source seeded from the clock. A
    // test puts a fixed sequence here.
    std::function<double()> Random;

    // ---- The item being stored ------------------------------------------
    Integer ItemCode = 0;
    Integer ItemDynamics = 0;
    Integer ItemBar = 0;
    Integer ItemChannel = 0;
    Integer ItemPitchBend = 0;
    Single ItemTicks = 0;
    Single ItemAdjust = 0;

    // ---- Duration parsing state -----------------------------------------
    Single BeatUnit = 8;
    Single TermTicks = 0;
    Single TickFraction = 0;
    Integer NoteIndex = 0;
    Long HeaderValue5 = 0;
    std::string NoteSharp[13];   // 1..12
    std::string NoteFlat[13];    // 1..12
    Integer PowerOfTwo[10] = {}; // 1..9

    // ---- Piece and file state -------------------------------------------
    std::string PieceTitle;
    std::string PiecePath;
    // The pieces directory the open piece lives in: set by New, Open and
    // the conversion, kept when the pieces directory (FilePath) changes;
    // "" counts as FilePath.
    std::string PieceHome;
    std::string PieceDescription;
    Integer PieceOpen = 0;
    Integer PieceChanged = 0;
    Integer CurrentTrack = 0;
    Integer File2Open = 0;
    Integer File3Open = 0;
    Integer File4Open = 0;
    Integer MidFileOpen = 0;
    Integer FileDialogKind = 0;
    Integer MidDivision = 0;
    // Ticks the tracks of the .MID file being made run to, for its options
    // dialog (the active-sense chunk runs as long).
    Long MidReference = 0;
    std::string MidCopyright;
    Integer TrackPage = 0;
    Integer SkipValidation = 0;
    Long MidiOutHandle = 0;
    Long MidiResult = 0;

    // The images of the track files in use, which the record files read
    // and change, and the change to them a command has open (none between
    // commands).
    FileImages TrackImages{[this](const std::string& name) { return OwnsFileName(name); }};
    TrackChange* OpenChange = nullptr;
    // The open record files: file 2 (current track) and file 3 (a second
    // piece's track).
    RecordFile File2;
    RecordFile File3;
    // The lock of the open piece's directory, held while the piece is open
    // so that no other copy of the program opens it too.
    DirectoryLock PieceLock;

    // ---- The main window's shared variables ------------------------------
    Integer MenuActive = 0;
    Integer RecentCount = 0;
    // Captions of the recent-piece entries 1..RecentCount, most recent first.
    std::vector<std::string> RecentPieces;
    Integer OpenFromRecent = 0;
    Integer CapacityReached = 0;
    Integer NoteKeyCount = 0;
    Integer FieldsDisabled = 0;
    Integer Response = 0;
    std::string Tempo;
    std::string MeterNumerator;
    std::string MeterDenominator;
    std::string LastBar, LastNote, LastOctave, LastDuration, LastDynamics, LastChannel,
        LastPitchBend;
    std::string LastItem, LastTrack, LastTempo;
    Integer ValidControllers[18] = {}; // 1..17
    Integer InsertRemaining = 0;
    Integer InsertLastItem = 0;
    Integer PrintPages = 0, PrintFromPage = 0, PrintToPage = 0, PrintCopies = 0;
    Integer DialogError = 0;
    Integer RecalcDone = 0;
    // Check mark of the "AWE 32" menu item (the restricted controller list).
    bool AWESelectChecked = false;

    // Whether a file name of the piece directory is one of the files of the
    // piece PieceTitle (its data file, track files, NAME.DAT, NAME.MID).
    bool OwnsFileName(const std::string& name) const;
};

} // namespace tnq
