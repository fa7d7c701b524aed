// Writing and reading the piece data file.
#include "core/piece_file.h"

#include "core/item_checks.h"
#include "core/memory.h"
#include "core/piece_paths.h"
#include "platform/vb.h"

#include <algorithm>
#include <limits>

namespace tnq {

namespace {

constexpr const char* kCrLf = "\r\n";

// Widths of the record's fields: track, code, time, dynamics, bar,
// channel, pitch bend.
constexpr std::size_t kRecordWidths[7] = {2, 3, 8, 3, 4, 2, 5};

// A value in its field: zeros on the left, after any minus sign.
std::string Field(long long v, std::size_t width) {
    const bool negative = v < 0;
    const std::string digits = std::to_string(negative ? -v : v);
    const std::size_t room = negative ? width - 1 : width;
    if (digits.size() > room)
        throw DataFileError("the value " + std::to_string(v) + " does not fit its " +
                            std::to_string(width) + "-character field");
    return (negative ? "-" : "") + std::string(room - digits.size(), '0') + digits;
}

std::string Quoted(std::string_view text) {
    return "\"" + HeaderText(text) + "\"";
}

// The number a header value stands for, if any.
bool HeaderNumber(const std::string& value, double& number) {
    const std::string t = UCase(Trim(value));
    if (t == "#TRUE#") {
        number = -1;
        return true;
    }
    if (t == "#FALSE#") {
        number = 0;
        return true;
    }
    if (!IsNumeric(t)) return false;
    number = Val(t);
    return true;
}

// A limit of the header: 0 when it is no number or lies outside its range.
Integer HeaderLimit(const std::string& value, const LimitRange& range) {
    return LimitValue(value, range).value_or(0);
}

bool AllDigits(std::string_view text) {
    if (text.empty()) return false;
    return std::all_of(text.begin(), text.end(), [](char ch) { return ch >= '0' && ch <= '9'; });
}

// A record field: digits, with a minus sign in front for a negative value.
bool ReadField(std::string_view text, long long& value) {
    const bool negative = !text.empty() && text[0] == '-';
    const std::string_view digits = negative ? text.substr(1) : text;
    if (!AllDigits(digits)) return false;
    value = std::stoll(std::string(digits));
    if (negative) value = -value;
    return true;
}

bool FitsInteger(long long v) {
    return v >= std::numeric_limits<Integer>::min() && v <= std::numeric_limits<Integer>::max();
}

} // namespace

PieceHeader HeaderOf(const State& s) {
    PieceHeader h;
    h.Tempo = s.Tempo;
    h.TicksPerQuarter = s.TicksPerQuarter;
    // The file's texts are Windows-1252; the path is in the system's encoding.
    h.FilePath = PathText(OpenPieceHome(s));
    h.Description = s.PieceDescription;
    h.Value5 = s.HeaderValue5;
    h.MeterNumerator = s.MeterNumerator;
    h.MeterDenominator = s.MeterDenominator;
    h.NumTracks = s.NumTracks;
    h.MaxItems = s.MaxItems;
    h.MultiplePorts = s.MultiplePorts;
    h.Reverb = s.Reverb;
    h.Chorus = s.Chorus;
    return h;
}

void SetPieceValues(State& s, const PieceHeader& h) {
    s.Tempo = h.Tempo;
    s.TicksPerQuarter = h.TicksPerQuarter;
    s.PieceDescription = h.Description;
    s.HeaderValue5 = h.Value5;
    s.MeterNumerator = h.MeterNumerator;
    s.MeterDenominator = h.MeterDenominator;
    s.MultiplePorts = h.MultiplePorts;
    s.Reverb = h.Reverb;
    s.Chorus = h.Chorus;
}

std::string HeaderText(std::string_view text) {
    std::string out(text);
    for (char& ch : out) {
        if (ch == '\r' || ch == '\n')
            ch = ' ';
        else if (ch == '"')
            ch = '\'';
    }
    return out;
}

std::string HeaderLine(const PieceHeader& h) {
    std::string line;
    line += Quoted(h.Tempo) + ",";
    line += std::to_string(h.TicksPerQuarter) + ",";
    line += Quoted(h.FilePath) + ",";
    line += Quoted(h.Description) + ",";
    line += std::to_string(h.Value5) + ",";
    line += Quoted(h.MeterNumerator) + ",";
    line += Quoted(h.MeterDenominator) + ",";
    line += std::to_string(h.NumTracks) + ",";
    line += std::to_string(h.MaxItems) + ",";
    line += std::string(h.MultiplePorts == -1 ? "#TRUE#" : "#FALSE#") + ",";
    line += std::to_string(h.Reverb) + ",";
    line += std::to_string(h.Chorus);
    return line;
}

std::string SnapshotRecord(int track, const SnapshotItem& item) {
    std::string r;
    r.reserve(kSnapshotRecordLength);
    r += Field(track, kRecordWidths[0]);
    r += Field(item.Code, kRecordWidths[1]);
    r += Field(item.Time, kRecordWidths[2]);
    r += Field(item.Dyn, kRecordWidths[3]);
    r += Field(item.Bar, kRecordWidths[4]);
    r += Field(item.Chan, kRecordWidths[5]);
    r += Field(item.Bend, kRecordWidths[6]);
    return r;
}

std::string DataFileText(const State& s) {
    std::string out = HeaderLine(HeaderOf(s)) + kCrLf;
    for (int t = 1; t <= s.NumTracks; ++t) {
        const int count = std::min<int>(s.ItemCount(t), s.MaxItems);
        std::string line;
        int inLine = 0;
        for (int i = 1; i <= count; ++i) {
            const SnapshotItem item{s.NoteCode(t, i), s.ItemTime(t, i), s.ItemDyn(t, i),
                                    s.BarNo(t, i),    s.ItemChan(t, i), s.ItemBend(t, i)};
            try {
                line += SnapshotRecord(t, item);
            } catch (const DataFileError& e) {
                throw DataFileError("track " + std::to_string(t) + ", item " + std::to_string(i) +
                                    ": " + e.what());
            }
            if (++inLine == kRecordsPerLine) {
                out += line + kCrLf;
                line.clear();
                inLine = 0;
            }
        }
        if (!line.empty()) out += line + kCrLf;
    }
    return out;
}

std::vector<std::string> HeaderValues(std::string_view line) {
    std::vector<std::string> values;
    std::size_t pos = 0;
    const auto blank = [&line](std::size_t p) {
        return p < line.size() && (line[p] == ' ' || line[p] == '\t');
    };
    for (;;) {
        while (blank(pos)) ++pos;
        std::string value;
        if (pos < line.size() && line[pos] == '"') {
            const std::size_t close = line.find('"', pos + 1);
            const std::size_t end = close == std::string_view::npos ? line.size() : close;
            value = std::string(line.substr(pos + 1, end - pos - 1));
            pos = end == line.size() ? end : end + 1;
            // Anything between the closing quote and the comma is dropped.
            const std::size_t comma = line.find(',', pos);
            pos = comma == std::string_view::npos ? line.size() : comma;
        } else {
            const std::size_t comma = line.find(',', pos);
            const std::size_t end = comma == std::string_view::npos ? line.size() : comma;
            std::string_view raw = line.substr(pos, end - pos);
            while (!raw.empty() && (raw.back() == ' ' || raw.back() == '\t')) raw.remove_suffix(1);
            value = std::string(raw);
            pos = end;
        }
        values.push_back(std::move(value));
        if (pos >= line.size()) break;
        ++pos; // the comma
    }
    return values;
}

PieceHeader ParseHeaderLine(std::string_view line) {
    const std::vector<std::string> v = HeaderValues(line);
    if (v.size() != 12)
        throw DataFileError("its first line holds " + std::to_string(v.size()) +
                            " values instead of the 12 of a piece header");
    PieceHeader h;
    h.Tempo = v[0];
    // The tempo becomes the .MID file's tempo event: only what the tempo box
    // takes.
    if (const std::string fault = StoredTempoFault(h.Tempo); !fault.empty())
        throw DataFileError(fault);
    h.TicksPerQuarter = HeaderLimit(v[1], kTicksRange);
    h.FilePath = v[2];
    h.Description = v[3];
    double value5 = 0;
    if (HeaderNumber(v[4], value5)) {
        const double r = RoundHalfEven(value5);
        if (r >= std::numeric_limits<Long>::min() && r <= std::numeric_limits<Long>::max())
            h.Value5 = static_cast<Long>(r);
    }
    h.MeterNumerator = v[5];
    h.MeterDenominator = v[6];
    h.NumTracks = HeaderLimit(v[7], kTracksRange);
    h.MaxItems = HeaderLimit(v[8], kItemsRange);
    double ports = 0;
    h.MultiplePorts = (HeaderNumber(v[9], ports) && ports == -1) ? -1 : 0;
    h.Reverb = HeaderLimit(v[10], kEffectRange);
    h.Chorus = HeaderLimit(v[11], kEffectRange);
    return h;
}

void ApplyHeaderDefaults(PieceHeader& h, const State& s) {
    if (h.MaxItems == 0) h.MaxItems = s.DefaultItems;
    if (h.NumTracks == 0) h.NumTracks = s.DefaultTracks;
    if (h.TicksPerQuarter == 0) h.TicksPerQuarter = s.DefaultTicks;
    if (h.Reverb == 0) h.Reverb = s.DefaultReverb;
    if (h.Chorus == 0) h.Chorus = s.DefaultChorus;
}

std::vector<std::string> SplitLines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(bytes.substr(start));
            break;
        }
        lines.emplace_back(bytes.substr(start, end - start));
        start = end + 1;
        if (bytes[end] == '\r' && start < bytes.size() && bytes[start] == '\n') ++start;
    }
    return lines;
}

std::string FirstLine(std::string_view bytes) {
    return std::string(bytes.substr(0, bytes.find_first_of("\r\n")));
}

PieceData ParseDataFile(std::string_view bytes, const State& defaults) {
    const std::vector<std::string> lines = SplitLines(bytes);
    PieceData d;
    d.Header = ParseHeaderLine(lines.empty() ? std::string() : lines[0]);
    ApplyHeaderDefaults(d.Header, defaults);
    const int tracks = d.Header.NumTracks;
    const int capacity = d.Header.MaxItems - 1;
    d.Tracks.resize(static_cast<std::size_t>(tracks) + 1);

    for (std::size_t n = 1; n < lines.size(); ++n) {
        const std::string& line = lines[n];
        const std::string where = "line " + std::to_string(n + 1);
        if (line.size() % kSnapshotRecordLength != 0)
            throw DataFileError(where + " ends in a partial record");
        for (std::size_t pos = 0; pos < line.size(); pos += kSnapshotRecordLength) {
            long long f[7];
            std::size_t at = pos;
            for (int k = 0; k < 7; ++k) {
                if (!ReadField(std::string_view(line).substr(at, kRecordWidths[k]), f[k]))
                    throw DataFileError(where + " holds a damaged record");
                at += kRecordWidths[k];
            }
            if (!FitsInteger(f[1]) || !FitsInteger(f[3]) || !FitsInteger(f[4]) ||
                !FitsInteger(f[5]) || !FitsInteger(f[6]))
                throw DataFileError(where + " holds a damaged record");
            const long long t = f[0];
            if (t < 1 || t > tracks)
                throw DataFileError(where + " holds a record of track " + std::to_string(t) +
                                    ", but the piece has " + std::to_string(tracks) + " tracks");
            auto& items = d.Tracks[static_cast<std::size_t>(t)];
            items.push_back({static_cast<Integer>(f[1]), static_cast<Long>(f[2]),
                             static_cast<Integer>(f[3]), static_cast<Integer>(f[4]),
                             static_cast<Integer>(f[5]), static_cast<Integer>(f[6])});
            if (static_cast<int>(items.size()) > capacity)
                throw DataFileError("track " + std::to_string(t) + " holds more than the " +
                                    std::to_string(capacity) +
                                    " items a track of this piece can hold");
        }
    }
    return d;
}

} // namespace tnq
