// Writing and reading the piece data file.
#include "core/piece_file.h"

#include "core/item_checks.h"
#include "core/memory.h"
#include "core/piece_paths.h"
#include "platform/vb.h"
#include "platform/whole_file.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <limits>

namespace tnq {

namespace {

constexpr const char* kCrLf = "\r\n";

// The lines of records written out at a time.
constexpr std::size_t kLinesPerPiece = 1000;

// Widths of the record's fields: track, code, time, dynamics, bar,
// channel, pitch bend.
constexpr std::size_t kRecordWidths[7] = {2, 3, 8, 3, 4, 2, 5};

// Writes a value into its field at out: zeros on the left, after any minus
// sign. Raises DataFileError when it does not fit.
void PutField(char* out, long long v, std::size_t width) {
    const bool negative = v < 0;
    unsigned long long rest =
        negative ? 0ull - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
    char* p = out + width;
    for (char* const first = negative ? out + 1 : out; p > first; rest /= 10)
        *--p = static_cast<char>('0' + rest % 10);
    if (rest != 0)
        throw DataFileError("the value " + std::to_string(v) + " does not fit its " +
                            std::to_string(width) + "-character field");
    if (negative) *out = '-';
}

// The two digits of each number 0..99.
constexpr auto kDigitPairs = [] {
    std::array<char, 200> pairs{};
    for (int v = 0; v < 100; ++v) {
        pairs[static_cast<std::size_t>(2 * v)] = static_cast<char>('0' + v / 10);
        pairs[static_cast<std::size_t>(2 * v + 1)] = static_cast<char>('0' + v % 10);
    }
    return pairs;
}();

// The 2 or 4 digits of v at out, v being below 100 or 10000.
void PutTwo(char* out, unsigned v) {
    std::memcpy(out, &kDigitPairs[2 * v], 2);
}
void PutFour(char* out, unsigned v) {
    PutTwo(out, v / 100);
    PutTwo(out + 2, v % 100);
}

// Writes the kSnapshotRecordLength characters of a record at out.
void PutRecord(char* out, int track, const SnapshotItem& item) {
    static_assert(kRecordWidths[0] == 2 && kRecordWidths[1] == 3 && kRecordWidths[2] == 8 &&
                      kRecordWidths[3] == 3 && kRecordWidths[4] == 4 && kRecordWidths[5] == 2 &&
                      kRecordWidths[6] == 5,
                  "the record's fields");
    // Nearly every record holds no negative value and none too wide (an
    // Integer's five digits always fit): its digits are written in pairs.
    const auto u = [](long long v) { return static_cast<unsigned>(v); };
    if (track >= 0 && track < 100 && item.Code >= 0 && item.Code < 1000 && item.Time >= 0 &&
        item.Time < 100000000 && item.Dyn >= 0 && item.Dyn < 1000 && item.Bar >= 0 &&
        item.Bar < 10000 && item.Chan >= 0 && item.Chan < 100 && item.Bend >= 0) [[likely]] {
        PutTwo(out, u(track));
        out[2] = static_cast<char>('0' + item.Code / 100);
        PutTwo(out + 3, u(item.Code % 100));
        PutFour(out + 5, u(item.Time / 10000));
        PutFour(out + 9, u(item.Time % 10000));
        out[13] = static_cast<char>('0' + item.Dyn / 100);
        PutTwo(out + 14, u(item.Dyn % 100));
        PutFour(out + 16, u(item.Bar));
        PutTwo(out + 20, u(item.Chan));
        out[22] = static_cast<char>('0' + item.Bend / 10000);
        PutFour(out + 23, u(item.Bend % 10000));
        return;
    }
    const long long values[7] = {track,    item.Code, item.Time, item.Dyn,
                                 item.Bar, item.Chan, item.Bend};
    for (int k = 0; k < 7; ++k) {
        PutField(out, values[k], kRecordWidths[k]);
        out += kRecordWidths[k];
    }
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

// A record field of width characters at p: digits, with a minus sign in
// front for a negative value.
bool ReadField(const char* p, std::size_t width, long long& value) {
    const bool negative = *p == '-';
    std::size_t k = negative ? 1 : 0;
    if (k == width) return false;
    long long v = 0;
    for (; k < width; ++k) {
        const unsigned digit = static_cast<unsigned char>(p[k]) - unsigned{'0'};
        if (digit > 9) return false;
        v = v * 10 + digit;
    }
    value = negative ? -v : v;
    return true;
}

// Whether the 8 bytes at p are all digits.
bool EightDigits(const char* p) {
    std::uint64_t x;
    std::memcpy(&x, p, sizeof x);
    constexpr std::uint64_t high = 0xF0F0F0F0F0F0F0F0u, threes = 0x3030303030303030u;
    // Every byte 0x30..0x3F, and none above 0x39 (adding 6 carries into
    // the high half).
    return (x & high) == threes && ((x + 0x0606060606060606u) & high) == threes;
}

// The number of the n digits at offset at of the record r, all digits. A
// field that ends 8 bytes or more into the record is read as one word (the
// 8 bytes that end with it, those before it taken as leading zeros, the
// digits combined in pairs, fours and eights); one nearer its start digit
// by digit.
template <std::size_t at, std::size_t n> long long DigitsAt(const char* r) {
    static_assert(n >= 1 && n <= 8);
    if constexpr (at + n < 8 || std::endian::native != std::endian::little) {
        long long v = 0;
        for (std::size_t k = 0; k < n; ++k) v = v * 10 + (r[at + k] - '0');
        return v;
    } else {
        std::uint64_t v;
        std::memcpy(&v, r + at + n - 8, sizeof v);
        v -= 0x3030303030303030u;
        if constexpr (n < 8) v &= ~std::uint64_t{0} << (8 * (8 - n));
        v = v * 10 + (v >> 8);
        v = ((v & 0x000000FF000000FFu) * (100 + (1000000ull << 32)) +
             ((v >> 16) & 0x000000FF000000FFu) * (1 + (10000ull << 32))) >>
            32;
        return static_cast<long long>(v);
    }
}

// The seven fields of a snapshot record at r.
bool ReadRecord(const char* r, long long f[7]) {
    static_assert(kSnapshotRecordLength == 27 && kRecordWidths[0] == 2 && kRecordWidths[1] == 3 &&
                      kRecordWidths[2] == 8 && kRecordWidths[3] == 3 && kRecordWidths[4] == 4 &&
                      kRecordWidths[5] == 2 && kRecordWidths[6] == 5,
                  "the record's fields");
    // Nearly every record is digits only: its fields are read straight.
    if (EightDigits(r) && EightDigits(r + 8) && EightDigits(r + 16) && EightDigits(r + 19)) {
        f[0] = DigitsAt<0, 2>(r);
        f[1] = DigitsAt<2, 3>(r);
        f[2] = DigitsAt<5, 8>(r);
        f[3] = DigitsAt<13, 3>(r);
        f[4] = DigitsAt<16, 4>(r);
        f[5] = DigitsAt<20, 2>(r);
        f[6] = DigitsAt<22, 5>(r);
        return true;
    }
    for (int k = 0; k < 7; ++k) {
        if (!ReadField(r, kRecordWidths[k], f[k])) return false;
        r += kRecordWidths[k];
    }
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
    std::string r(kSnapshotRecordLength, '0');
    PutRecord(r.data(), track, item);
    return r;
}

void WriteDataFile(const State& s, const ByteSink& put) {
    put(HeaderLine(HeaderOf(s)) + kCrLf);
    // The records go out in pieces of whole lines, built in one buffer.
    constexpr std::size_t kLine = kRecordsPerLine * kSnapshotRecordLength + 2;
    std::string buffer(kLinesPerPiece * kLine, '\0');
    char* const first = buffer.data();
    char* const last = first + buffer.size();
    char* p = first;
    auto flush = [&] {
        put(std::string_view(first, static_cast<std::size_t>(p - first)));
        p = first;
    };
    for (int t = 1; t <= s.NumTracks; ++t) {
        const int count = std::min<int>(s.ItemCount(t), s.MaxItems);
        if (count < 1) continue;
        // The track's slots 1..count, each array checked once.
        const Integer* const code = &s.NoteCode(t, 1);
        const Long* const time = &s.ItemTime(t, 1);
        const Integer* const dyn = &s.ItemDyn(t, 1);
        const Integer* const bar = &s.BarNo(t, 1);
        const Integer* const chan = &s.ItemChan(t, 1);
        const Integer* const bend = &s.ItemBend(t, 1);
        static_cast<void>(s.NoteCode(t, count) + s.ItemTime(t, count) + s.ItemDyn(t, count) +
                          s.BarNo(t, count) + s.ItemChan(t, count) + s.ItemBend(t, count));
        for (int k = 0; k < count; ++k) {
            if (k % kRecordsPerLine == 0 && last - p < static_cast<std::ptrdiff_t>(kLine)) flush();
            try {
                PutRecord(p, t, {code[k], time[k], dyn[k], bar[k], chan[k], bend[k]});
            } catch (const DataFileError& e) {
                throw DataFileError("track " + std::to_string(t) + ", item " +
                                    std::to_string(k + 1) + ": " + e.what());
            }
            p += kSnapshotRecordLength;
            if ((k + 1) % kRecordsPerLine == 0 || k + 1 == count) {
                *p++ = '\r';
                *p++ = '\n';
            }
        }
    }
    flush();
}

std::string DataFileText(const State& s) {
    std::string out;
    WriteDataFile(s, [&out](std::string_view bytes) { out += bytes; });
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
    ForEachLine(bytes, true, [&lines](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

std::string FirstLine(std::string_view bytes) {
    return std::string(bytes.substr(0, bytes.find_first_of("\r\n")));
}

namespace {

// Reads the lines of a data file one after the other, the header first,
// and hands each record to the sink.
class SnapshotParser {
public:
    SnapshotParser(const State& defaults, SnapshotSink& sink) : defaults_(defaults), sink_(sink) {}

    void Line(std::string_view line) {
        if (++lineNumber_ == 1) {
            header_ = ParseHeaderLine(line);
            ApplyHeaderDefaults(header_, defaults_);
            counts_.assign(static_cast<std::size_t>(header_.NumTracks) + 1, 0);
            sink_.Begin(header_);
            return;
        }
        if (line.size() % kSnapshotRecordLength != 0)
            throw DataFileError(Where() + " ends in a partial record");
        const int tracks = header_.NumTracks;
        const int capacity = header_.MaxItems - 1;
        for (std::size_t pos = 0; pos < line.size(); pos += kSnapshotRecordLength) {
            long long f[7];
            if (!ReadRecord(line.data() + pos, f))
                throw DataFileError(Where() + " holds a damaged record");
            if (!FitsInteger(f[1]) || !FitsInteger(f[3]) || !FitsInteger(f[4]) ||
                !FitsInteger(f[5]) || !FitsInteger(f[6]))
                throw DataFileError(Where() + " holds a damaged record");
            const long long t = f[0];
            if (t < 1 || t > tracks)
                throw DataFileError(Where() + " holds a record of track " + std::to_string(t) +
                                    ", but the piece has " + std::to_string(tracks) + " tracks");
            int& count = counts_[static_cast<std::size_t>(t)];
            if (++count > capacity)
                throw DataFileError("track " + std::to_string(t) + " holds more than the " +
                                    std::to_string(capacity) +
                                    " items a track of this piece can hold");
            sink_.Item(static_cast<int>(t), count,
                       {static_cast<Integer>(f[1]), static_cast<Long>(f[2]),
                        static_cast<Integer>(f[3]), static_cast<Integer>(f[4]),
                        static_cast<Integer>(f[5]), static_cast<Integer>(f[6])});
        }
    }

    // After the last line: a file without lines has an empty header line.
    PieceHeader End() {
        if (lineNumber_ == 0) Line("");
        return header_;
    }

private:
    std::string Where() const { return "line " + std::to_string(lineNumber_); }

    const State& defaults_;
    SnapshotSink& sink_;
    std::size_t lineNumber_ = 0;
    PieceHeader header_;
    std::vector<int> counts_; // items read so far, by track
};

} // namespace

PieceHeader ReadDataFile(const std::string& path, const State& defaults, SnapshotSink& sink) {
    SnapshotParser parser(defaults, sink);
    ReadLines(path, [&parser](std::string_view line) { parser.Line(line); });
    return parser.End();
}

PieceData ParseDataFile(std::string_view bytes, const State& defaults) {
    // The snapshot as lists of items.
    class Lists : public SnapshotSink {
    public:
        explicit Lists(PieceData& d) : d_(d) {}
        void Begin(const PieceHeader& h) override {
            d_.Tracks.resize(static_cast<std::size_t>(h.NumTracks) + 1);
        }
        void Item(int track, int, const SnapshotItem& item) override {
            d_.Tracks[static_cast<std::size_t>(track)].push_back(item);
        }

    private:
        PieceData& d_;
    };
    PieceData d;
    Lists lists(d);
    SnapshotParser parser(defaults, lists);
    ForEachLine(bytes, true, [&parser](std::string_view line) { parser.Line(line); });
    d.Header = parser.End();
    return d;
}

} // namespace tnq
