// Items with dash adjustments that a copy would move away from what they
// take off, or whose runs a copy would cut into.
#include "editing/copy_dashes.h"

#include "core/vocabulary.h"
#include "editing/dash_runs.h"
#include "platform/vb.h"

#include <algorithm>
#include <optional>

namespace tnq {

namespace {

// Whether an item of another piece has a length (its ticks are not known
// before the copy): a note or a rest; a keyword that counts its first number
// as its length, when that number is not 0.
bool HasLength(const CopiedItem& item) {
    switch (KeywordCode(item.Field(0))) {
    case 0:
        return true;
    case code::CNTRL:
    case code::METER:
    case code::LFO_2:
    case code::FILT1:
    case code::FILT2:
    case code::NRPN1:
        return Val(item.Field(3)) != 0;
    default:
        return false;
    }
}

// The dashes of a copied note or rest (a keyword's field holds a value).
int CopiedDashes(const CopiedItem& item) {
    return KeywordCode(item.Field(0)) != 0 ? 0 : DashCount(item.Field(3));
}

// The lengths of the items of src that are written, in order (of another
// piece: 1 for an item with a length, 0 without), and their places in src.
struct Written {
    std::vector<long long> All, Out;
    std::vector<int> At; // 0-based index in src.Items of each written item
};

Written WrittenOf(const CopySource& src) {
    Written w;
    for (auto* v : {&w.All, &w.Out}) v->reserve(src.Items.size());
    w.At.reserve(src.Items.size());
    for (std::size_t i = 0; i < src.Items.size(); ++i) {
        const CopiedItem& item = src.Items[i];
        const long long len = src.OpenPiece ? item.Ticks : (HasLength(item) ? 1 : 0);
        w.All.push_back(len);
        if (src.Vertical && !KeptInVerticalCopy(item)) continue;
        w.Out.push_back(len);
        w.At.push_back(static_cast<int>(i));
    }
    return w;
}

// The first written item whose dashes reach outside the run, or take off
// other lengths among the written items than in the run as read: its place
// in src.Items from 1, or 0.
int CarriedAway(const CopySource& src, const Written& w) {
    const auto in = [](const std::vector<long long>& v) {
        return [&v](int p) -> long long { return v[static_cast<std::size_t>(p) - 1]; };
    };
    for (std::size_t k = 0; k < w.Out.size(); ++k) {
        const int at = w.At[k];
        const int dashes = CopiedDashes(src.Items[static_cast<std::size_t>(at)]);
        if (dashes == 0) continue;
        const auto read = DashRemoval(at + 1, dashes, in(w.All));
        const auto written = DashRemoval(static_cast<int>(k) + 1, dashes, in(w.Out));
        if (!read || !written || *read != *written) return at + 1;
    }
    return 0;
}

// The item of track t (file 2 open on it) behind n items replaced from
// cursor whose dashes would take off other lengths once they are `lengths`
// (none: not known, then any that reaches into them), or 0.
int ReplacedUnderDash(Context& c, int t, int cursor, int n,
                      const std::optional<std::vector<long long>>& lengths) {
    State& s = c.s;
    const int behind = cursor + n;
    if (!lengths) return DashAcross(c, t, behind);
    const auto before = [&s, t](int p) -> long long { return s.ItemTime(t, p); };
    const auto after = [&](int p) -> long long {
        return p >= cursor && p < behind ? (*lengths)[static_cast<std::size_t>(p - cursor)]
                                         : s.ItemTime(t, p);
    };
    // A run holds at most four dashes and looks at most one item further.
    const int last = std::min<int>(s.ItemCount(t), behind + static_cast<int>(kFieldWidths[3]));
    for (int j = behind; j <= last; ++j) {
        if (s.NoteCode(t, j) >= code::PROGR) continue;
        std::string bytes;
        if (!s.File2.Read(j, bytes)) break;
        const int dashes = DashCount(DecodeRecord(bytes).Adjustment);
        if (dashes > 0 && DashRemoval(j, dashes, before) != DashRemoval(j, dashes, after)) return j;
    }
    return 0;
}

// The check of a copy on every track `wanted`: CopyDashInTheWay of the
// run sourceOf(t) (none: the copy refuses it itself) at cursorOf(t) (0:
// likewise); false after the message.
bool CopiesClear(Context& c, const std::function<bool(int)>& wanted,
                 const std::function<std::optional<CopySource>(int)>& sourceOf,
                 const std::function<int(int)>& cursorOf, const std::string& title) {
    return TracksClearOfDashes(
        c, wanted,
        [&](int t) {
            const int cursor = cursorOf(t);
            const auto src = cursor != 0 ? sourceOf(t) : std::nullopt;
            return src ? CopyDashInTheWay(c, *src, t, cursor) : TrackItem{};
        },
        "copied", title);
}

// The cursor a bar copy writes at on track t: behind the last item for
// ADD, else the first item of bar atBar (0: not found, the copy tells).
int BarCopyCursor(const State& s, int t, Integer atBar) {
    return s.CopyMode == "ADD" ? s.ItemCount(t) + 1 : BarStart(s, t, atBar);
}

} // namespace

TrackItem CopyDashInTheWay(Context& c, const CopySource& src, int t, int cursor) {
    const State& s = c.s;
    const Written w = WrittenOf(src);
    if (const int k = CarriedAway(src, w)) return {src.Track, src.First + k - 1};
    int j = 0;
    if (s.CopyMode == "INSERT") {
        j = DashAcross(c, t, cursor);
    } else if (s.CopyMode == "REPLACE") {
        std::optional<std::vector<long long>> lengths;
        if (src.OpenPiece) lengths = w.Out;
        j = ReplacedUnderDash(c, t, cursor, static_cast<int>(w.Out.size()), lengths);
    }
    return j != 0 ? TrackItem{t, j} : TrackItem{};
}

int BarStart(const State& s, int t, int bar) {
    int previous = 0;
    bool inside = false;
    for (int k = 1; k <= s.ItemCount(t); ++k) {
        const int found = s.BarNo(t, k);
        if (found == bar && (bar == 1 || previous != 0)) return k;
        if (found == bar)
            inside = true; // a bar the track begins with: the cursor stays on item 1
        else
            previous = found;
    }
    return inside ? 1 : 0;
}

bool SectionClearOfDashes(Context& c, Integer atBar) {
    State& s = c.s;
    return CopiesClear(
        c, [&s](int t) { return s.SpanFirst(t, 1) != 0; },
        [&](int t) -> std::optional<CopySource> {
            const int first = s.SpanFirst(t, 1);
            auto items = ReadCopySource(c, s.SourceTitle, t, first, s.SpanLast(t, 1));
            if (!items) return std::nullopt;
            return CopySource{t, first, std::move(*items), s.SourceTitle == s.PieceTitle};
        },
        [&s, atBar](int t) { return BarCopyCursor(s, t, atBar); }, "Copy a Section");
}

bool VerticalClearOfDashes(Context& c, const CopySource& src, const std::string& destinations,
                           Integer atBar) {
    State& s = c.s;
    return CopiesClear(
        c, [&](int t) { return destinations[static_cast<std::size_t>(t) - 1] == '1'; },
        [&src](int) { return std::optional<CopySource>(src); },
        [&s, atBar](int t) { return BarCopyCursor(s, t, atBar); }, "Vertical Copy");
}

bool ItemCopyClearOfDashes(Context& c) {
    State& s = c.s;
    const int t = s.CurrentTrack;
    return CopiesClear(
        c, [t](int tr) { return tr == t; },
        [&](int) -> std::optional<CopySource> {
            auto items = ReadCopySource(c, s.SourceTitle, s.SourceTrack, s.RangeFrom,
                                        s.RangeFrom + s.RangeTo - 1);
            if (!items) return std::nullopt;
            return CopySource{s.SourceTrack, s.RangeFrom, std::move(*items),
                              s.SourceTitle == s.PieceTitle};
        },
        [&s, t](int) { return static_cast<int>(s.CurrentItem(t)); }, "Copy by Item");
}

} // namespace tnq
