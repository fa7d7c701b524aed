// The in-memory record file: it holds the bytes positioned writes would leave
// in the file.
#include "platform/record_image.h"

#include "platform/vb.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace tnq {
namespace {

// The file as positioned writes leave it, the moves done record by record.
class PlainFile {
public:
    PlainFile(std::size_t length, std::string bytes) : length_(length), bytes_(std::move(bytes)) {}
    const std::string& Bytes() const { return bytes_; }

    bool Read(long long n, std::string& record) const {
        const std::size_t at = Offset(n);
        record = at < bytes_.size() ? bytes_.substr(at, length_) : "";
        return record.size() == length_;
    }
    void Write(long long n, std::string_view record) {
        std::string r(record.substr(0, length_));
        r.resize(length_, ' ');
        const std::size_t at = Offset(n);
        if (bytes_.size() < at + length_) bytes_.resize(at + length_, '\0');
        bytes_.replace(at, length_, r);
    }
    void WriteRecords(long long n, std::string_view records) {
        for (std::size_t at = 0; at < records.size(); at += length_, ++n)
            Write(n, records.substr(at, length_));
    }
    void FillRecords(long long n, long long count, std::string_view record) {
        for (long long i = 0; i < count; ++i) Write(n + i, record);
    }
    void MoveUp(long long first, long long last, long long n) {
        if (n < 1 || first < 1) throw VbError(err::BadRecordNumber);
        RequireWhole(first, last);
        for (long long i = last; i >= first; --i) Write(i + n, Get(i));
    }
    void MoveDown(long long first, long long last, long long n) {
        if (n < 1 || first - n < 1) throw VbError(err::BadRecordNumber);
        RequireWhole(first, last);
        for (long long j = first; j <= last; ++j) Write(j - n, Get(j));
    }

private:
    std::size_t Offset(long long n) const {
        if (n < 1) throw VbError(err::BadRecordNumber);
        return static_cast<std::size_t>(n - 1) * length_;
    }
    std::string Get(long long n) const {
        std::string r;
        Read(n, r);
        return r;
    }
    // Every record of the run must be whole before anything moves.
    void RequireWhole(long long first, long long last) const {
        std::string r;
        for (long long i = first; i <= last; ++i)
            if (!Read(i, r)) throw VbError(err::InputPastEnd);
    }

    std::size_t length_;
    std::string bytes_;
};

// The error number op raised, 0 for none.
template <class File, class Op> int ErrorOf(File& f, const Op& op) {
    try {
        op(f);
    } catch (const VbError& e) {
        return e.Number();
    }
    return 0;
}

// Applies op to both and checks they raise the same error and then hold the same bytes, read
// the same record by record, and give those bytes as pieces. Returns the error.
template <class Op> int Both(RecordImage& image, PlainFile& plain, const Op& op) {
    const int want = ErrorOf(plain, op);
    EXPECT_EQ(ErrorOf(image, op), want);
    EXPECT_EQ(image.Bytes(), plain.Bytes());
    EXPECT_EQ(image.Length(), static_cast<long long>(plain.Bytes().size()));
    std::string joined;
    for (std::string_view piece : image.Pieces()) joined += piece;
    EXPECT_EQ(joined, plain.Bytes());
    const long long records = image.Length() / static_cast<long long>(image.RecordLength()) + 2;
    for (long long n = 1; n <= records; ++n) {
        std::string got = "?", expected = "?";
        const bool whole = plain.Read(n, expected);
        EXPECT_EQ(image.Read(n, got), whole) << "record " << n;
        EXPECT_EQ(got, expected) << "record " << n;
        EXPECT_EQ(image.Record(n), expected) << "record " << n;
    }
    return want;
}

TEST(RecordImage, ReadsAndChangesAsPositionedWritesDo) {
    struct Case {
        const char* name;
        std::size_t length;
        std::string bytes;
        char op; // W write (record a), R write records from a, F fill n from a, U up, D down
        long long a, b, n;
        const char* text;
        std::string after;
        int error;
    } cases[] = {
        {"write pads", 2, "aabbcc", 'W', 2, 0, 0, "x", "aax cc", 0},
        {"write cuts", 2, "aabbcc", 'W', 3, 0, 0, "xyz", "aabbxy", 0},
        {"write past the end", 2, "aab", 'W', 4, 0, 0, "xy", std::string("aab\0\0\0xy", 8), 0},
        {"write over a partial record", 2, "aab", 'W', 2, 0, 0, "xy", "aaxy", 0},
        {"records", 2, "aabbcc", 'R', 2, 0, 0, "wxy", "aawxy ", 0},
        {"records to the end", 2, "aabbcc", 'R', 2, 0, 0, "wxyz", "aawxyz", 0},
        {"records past the end", 2, "aab", 'R', 3, 0, 0, "wxyz", std::string("aab\0wxyz", 8), 0},
        {"fill past the end", 2, "aab", 'F', 2, 0, 3, "x", "aax x x ", 0},
        {"fill none", 2, "aab", 'F', 1, 0, 0, "xy", "aab", 0},
        {"up", 2, "aabbccdd", 'U', 2, 3, 1, "", "aabbbbcc", 0},
        {"up over stale records", 2, "aabbccddee", 'U', 1, 2, 2, "", "aabbaabbee", 0},
        {"up past the end", 2, "aabbcc", 'U', 2, 3, 2, "", "aabbccbbcc", 0},
        {"up apart", 2, "aabb", 'U', 1, 1, 3, "", std::string("aabb\0\0aa", 8), 0},
        {"up over a partial record", 2, "aabbc", 'U', 2, 2, 1, "", "aabbbb", 0},
        {"up of a partial record", 2, "aabbc", 'U', 2, 3, 1, "", "aabbc", err::InputPastEnd},
        {"down", 2, "aabbccdd", 'D', 3, 4, 1, "", "aaccdddd", 0},
        {"down keeps the tail", 2, "aabbccddee", 'D', 4, 4, 2, "", "aaddccddee", 0},
        {"down by more than the run", 2, "aabbccdd", 'D', 4, 4, 3, "", "ddbbccdd", 0},
        {"down before record 1", 2, "aabbcc", 'D', 2, 3, 2, "", "aabbcc", err::BadRecordNumber},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordImage image(c.length, c.bytes);
        PlainFile plain(c.length, c.bytes);
        const int error = Both(image, plain, [&](auto& f) {
            if (c.op == 'W') f.Write(c.a, c.text);
            if (c.op == 'R') f.WriteRecords(c.a, c.text);
            if (c.op == 'F') f.FillRecords(c.a, c.n, c.text);
            if (c.op == 'U') f.MoveUp(c.a, c.b, c.n);
            if (c.op == 'D') f.MoveDown(c.a, c.b, c.n);
        });
        EXPECT_EQ(error, c.error);
        EXPECT_EQ(image.Bytes(), c.after);
    }
    EXPECT_THROW(RecordImage(0, "ab"), VbError);
    // Records that would run past the last record number: nothing is written.
    RecordImage image(2, "aa");
    EXPECT_THROW(image.WriteRecords(2147483647, "wxy"), VbError);
    EXPECT_THROW(image.FillRecords(2147483647, 2, "w"), VbError);
    EXPECT_EQ(image.Bytes(), "aa");
}

TEST(RecordImage, RandomChangesLeaveWhatRecordByRecordChangesLeave) {
    struct Case {
        unsigned seed;
        std::size_t length;
        int records;
        int partial; // bytes of a last record that is not whole
    } cases[] = {
        {1, 34, 40, 0}, {2, 34, 3, 10}, {3, 3, 60, 2},   {4, 1, 30, 0},  {5, 34, 0, 0},
        {6, 5, 0, 3},   {7, 34, 80, 33}, {8, 2, 50, 1}, {9, 34, 40, 0}, {11, 34, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "seed " << c.seed);
        std::mt19937 rng(c.seed);
        auto any = [&](long long lo, long long hi) {
            return std::uniform_int_distribution<long long>(lo, hi)(rng);
        };
        std::string bytes;
        for (int i = 0; i < c.records * static_cast<int>(c.length) + c.partial; ++i)
            bytes += static_cast<char>('a' + i % 26);
        test::TempDir dir;
        test::WriteFile(dir.Path() / "TRACK", bytes);
        // Read from the file itself, as the program reads its files, when the seed is odd.
        RecordImage image = c.seed % 2 ? RecordImage::OfFile(c.length, (dir.Path() / "TRACK").string())
                                       : RecordImage(c.length, bytes);
        PlainFile plain(c.length, bytes);
        int made = 0;
        auto text = [&] {
            return std::to_string(++made) + std::string(static_cast<std::size_t>(any(0, 40)), '#');
        };
        long long count = c.records; // the items, as the commands see them

        // Opening room for k items at p, and closing it, as the commands do.
        auto insert = [&](long long p, long long k) {
            p = std::min(p, count + 1);
            if (Both(image, plain, [&](auto& f) { f.MoveUp(p, count, k); }) != 0) return;
            for (long long i = p; i < p + k; ++i) {
                const std::string t = text();
                Both(image, plain, [&](auto& f) { f.Write(i, t); });
            }
            count += k;
            Both(image, plain, [&](auto& f) { f.Write(count + 1, "END"); });
        };
        auto remove = [&](long long p, long long k) {
            if (p > count) return;
            if (Both(image, plain, [&](auto& f) { f.MoveDown(p + k, count, k); }) != 0) return;
            count -= k;
            Both(image, plain, [&](auto& f) { f.Write(count + 1, "END"); });
        };

        for (int step = 0; step < 200 && !HasFailure(); ++step) {
            SCOPED_TRACE(testing::Message() << "step " << step);
            const long long records = image.Length() / static_cast<long long>(c.length);
            const int kind = static_cast<int>(any(0, 19));
            if (kind < 6) {
                insert(any(1, count + 1), any(0, 9) == 0 ? any(1, count + 3) : any(1, 3));
            } else if (kind < 11) {
                const long long p = any(1, std::max(1LL, count));
                remove(p, any(1, std::max(1LL, count - p + 1)));
            } else if (kind < 13) {
                // A walk: item after item typed in, or deleted.
                const long long p = any(1, count + 1), steps = any(2, 12);
                for (long long k = 0; k < steps && !HasFailure(); ++k)
                    if (kind == 11)
                        insert(p + 2 * k, 1);
                    else
                        remove(p + k, 1);
            } else if (kind < 15) {
                const long long n = any(0, 9) == 0 ? records + any(5, 80) : any(0, records + 3);
                std::string t = text();
                if (kind == 14) t.resize(static_cast<std::size_t>(any(0, 5 * c.length)), '+');
                const long long fill = any(0, 3) == 0 ? any(-1, 5) : 1;
                Both(image, plain, [&](auto& f) {
                    if (kind == 14)
                        f.WriteRecords(n, t);
                    else
                        f.FillRecords(n, fill, t);
                });
            } else if (kind < 17) {
                const long long first = any(-1, records + 3), last = first + any(-2, 8),
                                n = any(-1, 6);
                Both(image, plain, [&](auto& f) { f.MoveUp(first, last, n); });
            } else if (kind < 19) {
                const long long first = any(-1, records + 3), last = first + any(-2, 8),
                                n = any(-1, 6);
                Both(image, plain, [&](auto& f) { f.MoveDown(first, last, n); });
            } else {
                count = records; // a command that counts the items again
                // A reader of the whole file, then changes go on from the layout it left.
                EXPECT_EQ(image.View(), plain.Bytes());
            }
        }
    }
}

} // namespace
} // namespace tnq
