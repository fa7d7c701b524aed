// The piece data file NAME.TNQ: a header line of twelve comma-separated
// values, then lines of one to ten 27-character snapshot records of the
// score, CR LF line ends, one byte a character (Windows-1252).
//
//   "60",480,"/home/ann/music","",0,"4","4",32,2000,#FALSE#,3,2
//   030600000048006400010300000...
#pragma once

#include "core/state.h"
#include "platform/whole_file.h"

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tnq {

inline constexpr std::size_t kSnapshotRecordLength = 27;
inline constexpr int kRecordsPerLine = 10;

// The twelve header values, in file order.
struct PieceHeader {
    std::string Tempo = "60";
    Integer TicksPerQuarter = 0;
    std::string FilePath;
    std::string Description;
    Long Value5 = 0;
    std::string MeterNumerator = "4";
    std::string MeterDenominator = "4";
    Integer NumTracks = 0;
    Integer MaxItems = 0;
    Integer MultiplePorts = 0; // -1 several ports, 0 one
    Integer Reverb = 0;
    Integer Chorus = 0;
    bool operator==(const PieceHeader&) const = default;
};

// One item of the snapshot.
struct SnapshotItem {
    Integer Code = 0;
    Long Time = 0;
    Integer Dyn = 0;
    Integer Bar = 0;
    Integer Chan = 0;
    Integer Bend = 0;
    bool operator==(const SnapshotItem&) const = default;
};

// A whole data file as read: the header (limits already checked and
// defaulted) and the items of tracks 1..NumTracks (element 0 unused).
struct PieceData {
    PieceHeader Header;
    std::vector<std::vector<SnapshotItem>> Tracks;
};

// A data file that cannot be written or read back; what() says why, as a
// sentence fragment ("line 3 holds a partial record").
class DataFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// ---- Writing ---------------------------------------------------------------

// The header values of the state's piece.
PieceHeader HeaderOf(const State& s);

// The other way: the piece values of a header put into the state (tempo,
// ticks, description, value 5, meter, ports, reverb, chorus). The limits
// NumTracks and MaxItems size the score and are left to the caller.
void SetPieceValues(State& s, const PieceHeader& h);

// A text as the header stores it: line breaks become blanks and the double
// quote an apostrophe, so that the header always reads back.
std::string HeaderText(std::string_view text);

// The header line without its line end.
std::string HeaderLine(const PieceHeader& h);

// The 27 characters of one record. Raises DataFileError when a value does
// not fit its field (the file would shift every later field).
std::string SnapshotRecord(int track, const SnapshotItem& item);

// The whole data file of the state's piece: the header line and, track by
// track, the items 1..ItemCount(t), ten records a line, a track's last line
// ended after its last record. Raises DataFileError as SnapshotRecord does.
std::string DataFileText(const State& s);
// The same bytes handed to put in pieces of whole lines, in turn.
void WriteDataFile(const State& s, const ByteSink& put);

// ---- Reading ---------------------------------------------------------------

// The values of a header line by the reading rules: a value in double
// quotes is the text between them (commas included), any other value is
// the text up to the next comma without the blanks around it.
std::vector<std::string> HeaderValues(std::string_view line);

// The header of a data file's first line. A limit that is not a number or
// lies outside its range (tracks 1..96, items 1..32766, ticks 1..32767,
// reverb and chorus 0..7) reads as 0. The ports value is -1 for #TRUE# or
// the number -1, else 0. Raises DataFileError when the line does not hold
// twelve values or its tempo is not one the tempo box takes (1 to 999).
PieceHeader ParseHeaderLine(std::string_view line);

// Limits that read as 0 take the state's Default values.
void ApplyHeaderDefaults(PieceHeader& h, const State& s);

// The first line of a text (without its line end).
std::string FirstLine(std::string_view bytes);

// Splits a text into lines at CR LF, LF or CR.
std::vector<std::string> SplitLines(std::string_view bytes);

// Where the snapshot of a data file goes as it is read.
class SnapshotSink {
public:
    virtual ~SnapshotSink() = default;
    // The header (limits checked and defaulted), before any record.
    virtual void Begin(const PieceHeader& header) = 0;
    // Item number item (from 1) of track (1..NumTracks), each in turn.
    virtual void Item(int track, int item, const SnapshotItem& value) = 0;
};

// Reads and checks the data file at path line by line, handing its header
// and records to sink as ParseDataFile reads them, and returns the header.
// Raises DataFileError as ParseDataFile does (the sink has then had part of
// the file), and VbError when the file cannot be read.
PieceHeader ReadDataFile(const std::string& path, const State& defaults, SnapshotSink& sink);

// Reads and checks a whole data file (not empty). Raises DataFileError for
// a header without twelve values, a partial or damaged record, a record of
// a track outside 1..NumTracks, and a track of more items than the piece
// can hold (MaxItems - 1).
PieceData ParseDataFile(std::string_view bytes, const State& defaults);

} // namespace tnq
