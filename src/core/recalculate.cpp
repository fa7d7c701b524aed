// Recalculate: the score arrays from the track files.
#include "core/recalculate.h"

#include "core/item_checks.h"
#include "core/startup.h"
#include "core/duration_parse.h"
#include "core/field_memo.h"
#include "core/saved_track.h"
#include "core/screen_procs.h"
#include "core/vocabulary.h"
#include "platform/vb.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tnq {

namespace {

// Recalculation converts several fields of every record of every track, so
// the conversions below take a short way for the common case (a whole
// number) and leave every other text to the general rules, with the same
// results.


// DurationParse's caller for a recalculation.
const std::string kRecalcCaller = "mnuFilRecalc";

// CInt; a whole number in range needs no rounding.
Integer FieldInteger(double v) {
    if (v >= -32768 && v <= 32767) {
        const auto i = static_cast<Integer>(v);
        if (i == v) return i;
    }
    return CInt(v);
}

// NoteIndexOf, comparing the one or two letters of a name in place.
int NoteIndexIn(const State& s, std::string_view name) {
    auto same = [name](const std::string& table) {
        if (table.size() != name.size()) return false;
        for (std::size_t k = 0; k < name.size(); ++k)
            if (table[k] != name[k]) return false;
        return true;
    };
    for (int i = 1; i <= 12; ++i)
        if (same(s.NoteSharp[i]) || same(s.NoteFlat[i])) return i;
    return 0;
}


bool FitsInteger(double v) {
    if (v >= -32768 && v <= 32767 && static_cast<Integer>(v) == v) return true; // whole
    const double r = RoundHalfEven(v);
    return r >= -32768 && r <= 32767;
}

// Slot 1 of a track's row, made plain, which holds slots 1..last (error 9
// when it does not).
template <class T> T* RowFrom1(GapArray2<T>& a, int track, int last) {
    if (!a.HoldsRow(track, std::max(last, 1))) throw VbError(err::SubscriptOutOfRange);
    return a.Row(track) + 1;
}

// The six score rows of a track, slots 1..MaxItems, for a recalculation of
// the track: what it leaves in them is what clearing them first and
// storing over them would leave, but a stored slot is written once. The
// rows are checked at the start (error 9 for a row too short, the rows
// before it cleared, as clearing row by row would do); the slots beyond
// the last one stored into (Stored) are cleared when the track is left,
// however it is left.
class TrackRows {
public:
    TrackRows(State& s, int t) : last_(s.MaxItems) {
        if (last_ < 1) return;
        try {
            code_ = RowFrom1(s.NoteCode, t, last_);
            time_ = RowFrom1(s.ItemTime, t, last_);
            dyn_ = RowFrom1(s.ItemDyn, t, last_);
            bar_ = RowFrom1(s.BarNo, t, last_);
            chan_ = RowFrom1(s.ItemChan, t, last_);
            bend_ = RowFrom1(s.ItemBend, t, last_);
        } catch (...) {
            ClearFrom(0);
            throw;
        }
    }
    ~TrackRows() { ClearFrom(Stored); }
    TrackRows(const TrackRows&) = delete;
    TrackRows& operator=(const TrackRows&) = delete;

    int Stored = 0; // slots 1..Stored hold this recalculation's items

private:
    void ClearFrom(int stored) {
        const int from = std::clamp(stored, 0, std::max(last_, 0));
        Clear(code_, from);
        Clear(time_, from);
        Clear(dyn_, from);
        Clear(bar_, from);
        Clear(chan_, from);
        Clear(bend_, from);
    }
    template <class T> void Clear(T* row, int from) {
        if (row) std::fill(row + from, row + last_, T{});
    }

    int last_;
    Integer *code_ = nullptr, *dyn_ = nullptr, *bar_ = nullptr, *chan_ = nullptr,
            *bend_ = nullptr;
    Long* time_ = nullptr;
};

// Messages shown while a track is read, with the track's figure brought up
// to date first. The figure shows the items read so far; it is written when
// the track is done and before a message (the only moments the screen can
// be seen while a recalculation runs), not after every item: on the window
// each write is a label update, and a track may hold 32000 items.
class FigureFirst : public MessageBoxes {
public:
    explicit FigureFirst(Context& c) : c_(c) {}
    void SetTrack(int track) { track_ = track; }
    void ShowFigure() const {
        if (track_ > 0)
            c_.screen.SetTrackFigure(track_ - 1, std::to_string(c_.s.ItemCount(track_)));
    }
    int MsgBox(const std::string& text, int code,
               const std::optional<std::string>& title) override {
        ShowFigure();
        return c_.msg.MsgBox(text, code, title);
    }
    std::string InputBox(const std::string& prompt, const std::optional<std::string>& title,
                         const std::string& defaultText) override {
        ShowFigure();
        return c_.msg.InputBox(prompt, title, defaultText);
    }

private:
    Context& c_;
    int track_ = 0;
};

void DataError(Context& c, int track, int item) {
    c.msg.MsgBox("Error in data on Track" + Str(track) + ", Item" + Str(item), mb::Exclamation,
                 std::string("Data Error"));
    SwitchOffStatus(c);
}

// The eight fields of a stored record as they stand, blanks kept.
struct RecordFields {
    std::string_view Note, Octave, Duration, Adjustment, Dynamics, Bar, Channel, PitchBend;
};

RecordFields FieldsOf(const TrackItemRecord& r) {
    return {r.Note, r.Octave, r.Duration, r.Adjustment, r.Dynamics, r.Bar, r.Channel, r.PitchBend};
}

// The fields of a whole record of a track file (kRecordLength bytes), read
// in place: the same texts DecodeRecord gives, without copying them.
RecordFields FieldsOf(const char* record) {
    auto field = [record](int f) {
        return std::string_view(record + RecordFieldAt(f), kFieldWidths[f]);
    };
    return {field(0), field(1), field(2), field(3), field(4), field(5), field(6), field(7)};
}

// ---- The conversions of the fields ------------------------------------
//
// A record falls into three groups of fields: Note, Octave and Duration
// (the item and its length), Adjustment and Dynamics (its values), and Bar,
// Channel and PitchBend (its place). The conversion of each group is a
// function of the group's text (and of the numbers its memo key names), so
// that a recalculation, which meets the same few texts in thousands of
// records, converts each text once (RecordConverter's memos) and takes the
// remembered outcome for the others.

// Where a trimmed text lies in its field.
struct TextPlace {
    std::uint32_t From = 0, Size = 0;
};

TextPlace PlaceOf(std::string_view field, std::string_view trimmed) {
    return {static_cast<std::uint32_t>(trimmed.data() - field.data()),
            static_cast<std::uint32_t>(trimmed.size())};
}

std::string_view TextAt(std::string_view field, TextPlace p) {
    return field.substr(p.From, p.Size);
}

// The Bar field: whether it is valid, and its number.
struct BarOutcome {
    bool Valid = false;
    Integer Bar = 0;
};

BarOutcome BarOf(const RecordFields& r) {
    const double bar = FieldVal(r.Bar);
    if (!FitsInteger(bar)) return {};
    return {true, FieldInteger(bar)};
}

// The Channel and PitchBend fields: whether they are valid, and their
// numbers.
struct ChannelOutcome {
    bool Valid = false;
    Integer Channel = 0, PitchBend = 0;
};

ChannelOutcome ChannelOf(const RecordFields& r) {
    const double chan = FieldVal(r.Channel), bend = FieldVal(r.PitchBend);
    if (!InRange(chan, 1, 16) || !InRange(bend, -8192, 8191)) return {};
    return {true, FieldInteger(chan), FieldInteger(bend)};
}

// The Duration field of a note or rest as DurationParse leaves the state,
// starting from ItemTicks 0; TermTicks is written only when a term was read.
struct LengthOutcome {
    bool Error = false;
    bool TermWritten = false;
    TextPlace Duration;
    Single ItemTicks = 0, TickFraction = 0, TermTicks = 0;
};

// A TermTicks no term can leave (every term is a finite number).
constexpr std::uint32_t kTermUnwritten = 0x7FC0DEADu;

LengthOutcome ParseLength(State& s, std::string_view field) {
    const std::string_view D = TrimView(field);
    const Single before = s.TermTicks;
    s.TermTicks = std::bit_cast<Single>(kTermUnwritten);
    s.ItemTicks = 0;
    s.Scratch = D;
    DurationParse(s, s.Scratch, kRecalcCaller);
    LengthOutcome o;
    o.Error = s.Scratch == "error";
    o.Duration = PlaceOf(field, D);
    o.ItemTicks = s.ItemTicks;
    o.TickFraction = s.TickFraction;
    o.TermWritten = std::bit_cast<std::uint32_t>(s.TermTicks) != kTermUnwritten;
    o.TermTicks = s.TermTicks;
    if (!o.TermWritten) s.TermTicks = before;
    return o;
}

// Note, Octave and Duration: the item's code (-1: no item), the note index
// found on the way (0: none), the trimmed Note text, and the length of a
// note or rest or the beat unit of a TEMPO item (nothing: refused).
struct ItemOutcome {
    int Code = -1;
    int NoteIndex = 0;
    TextPlace Note;
    LengthOutcome Length;
    std::optional<Single> TempoUnit;
    std::optional<ValueRange> Range; // of the Dynamics, but for NRPN1 (found later)
    bool FirstNumber = false;        // the Value field holds a keyword's first number
};

// Reads the beat unit, the open fraction of a tick and the ticks per
// quarter; for a note or rest leaves the state as DurationParse does.
ItemOutcome ItemOf(State& s, const RecordFields& r) {
    ItemOutcome o;
    const std::string_view N = TrimView(r.Note);
    o.Note = PlaceOf(r.Note, N);
    if (N == "R") {
        o.Code = code::Rest;
    } else if (const int k = N.size() == 5 ? KeywordCode(N) : 0) { // keywords have 5 letters
        o.Code = k;
    } else {
        // A five-character text that is no keyword, or an END that is not
        // at the start of the field, is no item.
        if (N.size() == 5 || N == "END") return o;
        o.NoteIndex = NoteIndexIn(s, N);
        if (o.NoteIndex == 0) return o;
        const double octave = FieldVal(TrimView(r.Octave));
        if (!InRange(octave, 0, 8)) return o;
        o.Code = NoteNumber(o.NoteIndex, FieldInteger(octave));
    }
    if (o.Code != code::NRPN1) o.Range = DynamicsRange(o.Code);
    o.FirstNumber = HoldsFirstNumber(o.Code);
    // Every keyword but TEMPO is without a duration.
    if (o.Code == code::TEMPO)
        o.TempoUnit = TempoBeatUnit(s, TrimView(r.Duration));
    else if (o.Code < code::PROGR)
        o.Length = ParseLength(s, r.Duration);
    return o;
}

// Adjustment and Dynamics: the Adjustment's form and Val of it (for the
// keywords that hold a number there); whether the Dynamics text is well
// formed without and with a leading "-", its Val and whether that fits an
// Integer.
struct ValueOutcome {
    Adjustment Form;
    double Adjust = 0;
    bool WellFormed = false, WellFormedNegative = false, Fits = false;
    double Dynamics = 0;
};

ValueOutcome ValueOf(const RecordFields& r) {
    const std::string_view A = TrimView(r.Adjustment), Y = TrimView(r.Dynamics);
    const double y = FieldVal(Y);
    return {ClassifyAdjustment(A),
            FieldVal(A),
            DynamicsTextWellFormed(Y, false),
            DynamicsTextWellFormed(Y, true),
            FitsInteger(y),
            y};
}

// The words of the memo keys: a group's bytes read eight at a time.
static_assert(RecordFieldAt(0) == 0 && RecordFieldAt(3) == 16 && RecordFieldAt(5) == 23 &&
                  RecordFieldAt(8) == kRecordLength && kRecordLength == 34,
              "the memo keys read the groups of fields at these places");

} // namespace

// The memos of one converter, keyed by a record's bytes.
struct RecordConverter::Memos {
    // A note seldom repeats the one before it (pitch or length changes).
    FieldMemo<3, ItemOutcome, 512, false> Items; // bytes 0..15 | beat unit, fraction
    int ItemsTicksPerQuarter = -1; // what the Items were converted with
    FieldMemo<1, ValueOutcome> Values;           // bytes 16..22
    FieldMemo<1, BarOutcome, 2048> Bars;   // bytes 23..26
    FieldMemo<1, ChannelOutcome> Channels; // bytes 26..33 (27..33 and the Bar's last)
};

namespace {

// The conversions of the groups of fields of one record, each given as a
// reference that holds until the next conversion of its group.

// Straight from the fields.
class DirectGroups {
public:
    explicit DirectGroups(const RecordFields& fields) : f_(fields) {}

    std::string_view NoteField() const { return f_.Note; }
    std::string_view DurationField() const { return f_.Duration; }
    const BarOutcome& Bar() { return bar_ = BarOf(f_); }
    const ChannelOutcome& Channel() { return channel_ = ChannelOf(f_); }
    const ItemOutcome& Item(State& s) { return item_ = ItemOf(s, f_); }
    const ValueOutcome& Value() { return value_ = ValueOf(f_); }

private:
    const RecordFields& f_;
    BarOutcome bar_;
    ChannelOutcome channel_;
    ItemOutcome item_;
    ValueOutcome value_;
};

// Through the memos, from a track file's record (kRecordLength bytes): the
// fields are read only for a text met for the first time.
class MemoGroups {
public:
    MemoGroups(RecordConverter::Memos& m, const char* record) : m_(m), r_(record) {}

    std::string_view NoteField() const { return {r_ + RecordFieldAt(0), kFieldWidths[0]}; }
    std::string_view DurationField() const { return {r_ + RecordFieldAt(2), kFieldWidths[2]}; }
    const BarOutcome& Bar() {
        return m_.Bars.Get({FieldWord<4>(r_ + 23)}, [&] { return BarOf(FieldsOf(r_)); });
    }
    const ChannelOutcome& Channel() {
        return m_.Channels.Get({FieldWord<8>(r_ + 26)}, [&] { return ChannelOf(FieldsOf(r_)); });
    }
    const ItemOutcome& Item(State& s) {
        // The ticks per quarter seldom change: the items converted with
        // others are forgotten rather than keyed by them.
        if (s.TicksPerQuarter != m_.ItemsTicksPerQuarter) {
            m_.Items.Clear();
            m_.ItemsTicksPerQuarter = s.TicksPerQuarter;
        }
        const MemoKey<3> key{FieldWord<8>(r_), FieldWord<8>(r_ + 8),
                             std::uint64_t{std::bit_cast<std::uint32_t>(s.BeatUnit)} |
                                 std::uint64_t{std::bit_cast<std::uint32_t>(s.TickFraction)}
                                     << 32};
        return m_.Items.Get(key, [&] { return ItemOf(s, FieldsOf(r_)); });
    }
    const ValueOutcome& Value() {
        return m_.Values.Get({FieldWord<7>(r_ + 16)}, [&] { return ValueOf(FieldsOf(r_)); });
    }

private:
    RecordConverter::Memos& m_;
    const char* r_;
};

template <class Groups> [[gnu::always_inline]] inline bool ConvertGroups(Context& c, Groups& m);

} // namespace

RecordConverter::RecordConverter() : m_(std::make_unique<Memos>()) {}
RecordConverter::~RecordConverter() = default;

bool ConvertRecord(Context& c, const TrackItemRecord& record) {
    return RecordConverter().Convert(c, record);
}

bool RecordConverter::Convert(Context& c, const TrackItemRecord& record) {
    const RecordFields fields = FieldsOf(record);
    DirectGroups groups(fields);
    return ConvertGroups(c, groups);
}

bool RecordConverter::Convert(Context& c, std::string_view record) {
    if (record.size() != kRecordLength) return Convert(c, DecodeRecord(record));
    MemoGroups groups(*m_, record.data());
    return ConvertGroups(c, groups);
}

namespace {

template <class Groups> [[gnu::always_inline]] inline bool ConvertGroups(Context& c, Groups& m) {
    State& s = c.s;
    const int t = s.CurrentTrack;

    // Bar, channel and pitch bend.
    const BarOutcome& bar = m.Bar();
    if (!bar.Valid) return false;
    const ChannelOutcome& channel = m.Channel();
    if (!channel.Valid) return false;
    s.ItemBar = bar.Bar;
    // The bar must fit the data file's four-digit field, as Accept Item asks.
    if (s.ItemBar < 0 || s.ItemBar > kMaxBar) return false;
    s.ItemChannel = channel.Channel;
    s.ItemPitchBend = channel.PitchBend;

    // Code.
    const ItemOutcome& item = m.Item(s);
    if (item.NoteIndex != 0) s.NoteIndex = static_cast<Integer>(item.NoteIndex);
    if (item.Code < 0) {
        s.Scratch = TextAt(m.NoteField(), item.Note);
        return false;
    }
    s.ItemCode = static_cast<Integer>(item.Code);
    if (item.Code >= code::PROGR) {
        s.ItemDynamics = 0;
        s.ItemPitchBend = 0;
    }

    // The kind of item, for the rules below: a keyword's code is the code
    // of its text, and no note or rest has one of those codes.
    const int kind = s.ItemCode;

    // Length.
    s.ItemTicks = 0;
    if (kind < code::PROGR) {
        const LengthOutcome& length = item.Length;
        s.ItemTicks = length.ItemTicks;
        s.TickFraction = length.TickFraction;
        if (length.TermWritten) s.TermTicks = length.TermTicks;
        if (length.Error) {
            s.Scratch = "error";
            return false;
        }
        s.Scratch = TextAt(m.DurationField(), length.Duration);
    } else {
        s.Scratch = TextAt(m.NoteField(), item.Note);
        if (kind == code::TEMPO && !item.TempoUnit) return false;
    }

    // Value field: a keyword's first number, or the adjustment.
    const ValueOutcome& value = m.Value();
    const double a = value.Adjust;
    if (item.FirstNumber) {
        if (!FirstNumberFits(s, kind, a)) return false;
        s.ItemTicks = static_cast<Single>(a);
    } else {
        const Adjustment& adj = value.Form;
        switch (adj.Form) {
        case AdjustmentForm::Zero:
            s.ItemAdjust = 0;
            break;
        case AdjustmentForm::Numeric:
            s.ItemAdjust = static_cast<Single>(adj.Value);
            if (double(s.ItemTicks) > kMaxItemTicks) {
                c.msg.MsgBox("Error on adjustment; Adjustment Factor probably set too high",
                             mb::OKOnly, std::string("Recalculate"));
                return false;
            }
            break;
        case AdjustmentForm::Dashes:
            if (!ApplyDashRun(s, t, s.CurrentItem(t), adj.Dashes)) return false;
            break;
        case AdjustmentForm::Invalid:
            return false;
        }
    }

    // Dynamics: digits (a leading "-" where the kind has negative values),
    // a METER bottom number, and the kind's range.
    const auto range =
        kind == code::NRPN1
            ? DynamicsRange(kind, static_cast<int>(std::floor(double(s.ItemTicks) + 0.5)))
            : item.Range;
    if (!(range && range->Min < 0 ? value.WellFormedNegative : value.WellFormed)) return false;
    const double y = value.Dynamics;
    if (!value.Fits) return false;
    if (kind == code::METER && !IsMeterBottom(y)) return false;
    if (range && !InRange(y, range->Min, range->Max)) return false;
    s.ItemDynamics = FieldInteger(y);

    // A TEMPO item's beat unit holds for the rest of the track.
    if (kind == code::TEMPO) s.BeatUnit = *item.TempoUnit;
    return true;
}

} // namespace

namespace {

// What a track's rows held before it is read again: its count, and whether
// the reading has so far stored the same items.
struct RowsBefore {
    int Count = 0;
    bool Same = true;
};

// The values of one slot.
struct SlotValues {
    Integer Code = 0, Dyn = 0, Bar = 0, Chan = 0, Bend = 0;
    Long Time = 0;
    bool operator==(const SlotValues&) const = default;
};
SlotValues ValuesAt(const TrackSlots& row, int n) {
    return {row.Code[n], row.Dyn[n], row.Bar[n], row.Chan[n], row.Bend[n], row.Time[n]};
}

// How reading a track's records into its rows ended.
struct TrackRead {
    enum class End { Read, DataError, Full };
    End What = End::Read;
    int Item = 0; // the item at fault
};

// Reads the records of file (a track file's bytes) into the rows of
// CurrentTrack, whose count is 0 and cursor 1: the END record, or the end
// of a file that has none, ends the track. At a record that does not
// convert, the track keeps its real length (at most what it can hold) and
// its cursor on the item at fault; at a full track the item in the last
// slot is stored but not counted.
// With before, each item read is also compared with what its slot held
// (before->Count items, slots 1..Count): Same ends false at the first item
// that differs or lies beyond them.
TrackRead ReadRecords(Context& rc, RecordConverter& converter, std::string_view file,
                      TrackRows& rows, RowsBefore* before = nullptr) {
    State& s = rc.s;
    const int t = s.CurrentTrack;
    const std::optional<TrackSlots> slots = SlotsOf(s, t);
    if (before && !slots) before->Same = false;
    // The track's cursor and count, found once (the arrays keep their size
    // while the track is read).
    Integer& cursor = s.CurrentItem(t);
    Integer& count = s.ItemCount(t);
    for (;;) {
        const int n = cursor;
        // A record cut short by the end of the file is no record.
        const std::size_t at = static_cast<std::size_t>(n - 1) * kRecordLength;
        if (at + kRecordLength > file.size()) break;
        const std::string_view bytes(file.data() + at, kRecordLength);
        if (IsEndRecord(bytes)) break;
        if (!converter.Convert(rc, bytes)) {
            // Correcting the item then rewrites it instead of cutting the
            // track.
            count = static_cast<Integer>(
                std::min(ItemsBeforeEnd(file), std::max(0, s.MaxItems - 1)));
            return {TrackRead::End::DataError, n};
        }
        const bool compare =
            before && before->Same && slots && n <= before->Count && n <= slots->Last;
        if (before && !compare) before->Same = false;
        const SlotValues was = compare ? ValuesAt(*slots, n) : SlotValues{};
        if (!(slots ? StoreItemTimes(rc, *slots) : StoreItemTimes(rc))) {
            // (A store that failed stored nothing and left the cursor.)
            rows.Stored = cursor - 1;
            s.CapacityReached = 0;
            cursor = static_cast<Integer>(count + 1);
            return {TrackRead::End::Full, n};
        }
        rows.Stored = n;
        count = static_cast<Integer>(count + 1);
        if (compare && !(ValuesAt(*slots, n) == was)) before->Same = false;
    }
    if (before && count != before->Count) before->Same = false;
    return {};
}

// Messages go nowhere (a check of a track the user does not see).
class NoMessages : public MessageBoxes {
public:
    int MsgBox(const std::string&, int, const std::optional<std::string>&) override {
        return mb::OK;
    }
    std::string InputBox(const std::string&, const std::optional<std::string>&,
                         const std::string&) override {
        return "";
    }
};

} // namespace

ReadingState::ReadingState(const State& s)
    : CurrentTrack(s.CurrentTrack), ItemCode(s.ItemCode), ItemDynamics(s.ItemDynamics),
      ItemBar(s.ItemBar), ItemChannel(s.ItemChannel), ItemPitchBend(s.ItemPitchBend),
      NoteIndex(s.NoteIndex), CapacityReached(s.CapacityReached), ItemTicks(s.ItemTicks),
      ItemAdjust(s.ItemAdjust), BeatUnit(s.BeatUnit), TermTicks(s.TermTicks),
      TickFraction(s.TickFraction), Scratch(s.Scratch) {}

void ReadingState::PutBack(State& s) const {
    s.CurrentTrack = CurrentTrack;
    s.ItemCode = ItemCode;
    s.ItemDynamics = ItemDynamics;
    s.ItemBar = ItemBar;
    s.ItemChannel = ItemChannel;
    s.ItemPitchBend = ItemPitchBend;
    s.NoteIndex = NoteIndex;
    s.CapacityReached = CapacityReached;
    s.ItemTicks = ItemTicks;
    s.ItemAdjust = ItemAdjust;
    s.BeatUnit = BeatUnit;
    s.TermTicks = TermTicks;
    s.TickFraction = TickFraction;
    s.Scratch = Scratch;
}

RecalculationKept::RecalculationKept(State& s)
    : reading_(s), tempo_(s.Tempo), file2_(std::move(s.File2)), file2Open_(s.File2Open) {}

void RecalculationKept::PutBack(State& s) {
    reading_.PutBack(s);
    s.Tempo = tempo_;
    s.File2 = std::move(file2_);
    s.File2Open = file2Open_;
}

namespace {

bool RecalculateTracks(Context& c, std::vector<TrackReading>* tracks) {
    State& s = c.s;
    // The main window fills these tables when it loads.
    if (s.PowerOfTwo[1] == 0) FillNoteTables(s);
    FillValidControllers(s);
    s.PieceChanged = 1;
    FigureFirst figures(c);
    Context rc{s, figures, c.ini, c.screen, c.sys, c.files};
    RecordConverter converter;
    std::string buffer; // the track files, one after the other
    try {
        for (int t = 1; t <= s.NumTracks; ++t) {
            if (Val(s.Tempo) == 0) s.Tempo = "60";
            s.BeatUnit = 8;
            if (static_cast<std::size_t>(t) > s.SelectedTracks.size() ||
                s.SelectedTracks[static_cast<std::size_t>(t) - 1] != '1')
                continue;

            // The whole track file in one read rather than one read per
            // record: a long track has tens of thousands of records. A file
            // that cannot be read leaves the track as it was.
            s.CurrentTrack = static_cast<Integer>(t);
            TrackFileOpen(c);
            const std::string_view file = s.File2.Bytes(buffer);

            c.screen.SetTrackFigure(t - 1, "0");
            figures.SetTrack(t);
            RowsBefore before{s.ItemCount(t)};
            const auto mark = [&] {
                if (!tracks) return;
                TrackReading& found = (*tracks)[static_cast<std::size_t>(t)];
                found.Changed = !before.Same;
                found.FileBytes = file.size();
            };
            s.ItemCount(t) = 0;
            s.CurrentItem(t) = 1;
            TrackRows rows(s, t);
            s.TickFraction = 0;
            if (file.empty()) {
                before.Same = before.Count == 0;
                mark();
                continue;
            }

            const TrackRead read =
                ReadRecords(rc, converter, file, rows, tracks ? &before : nullptr);
            if (read.What != TrackRead::End::Read) before.Same = false;
            mark();
            if (read.What == TrackRead::End::DataError) {
                DataError(rc, t, read.Item);
                return false;
            }
            if (read.What == TrackRead::End::Full) {
                c.screen.SetHourglass(false);
                return false;
            }
            figures.ShowFigure();
        }
    } catch (const VbError& e) {
        DisplayError(rc, e);
        SwitchOffStatus(c);
        return false;
    }
    if (s.MenuMode == "mnuFilRecalc") SwitchOffStatus(c);
    return true;
}

} // namespace

bool Recalculate(Context& c) {
    return RecalculateTracks(c, nullptr);
}

bool RecalculateSilently(Context& c) {
    NoMessages silent;
    Context rc{c.s, silent, c.ini, c.screen, c.sys, c.files};
    return RecalculateTracks(rc, nullptr);
}

bool RecalculateComparing(Context& c, std::vector<TrackReading>& tracks) {
    tracks.assign(static_cast<std::size_t>(std::max<int>(c.s.NumTracks, 0)) + 1, {});
    return RecalculateTracks(c, &tracks);
}

TrackCheck CheckTrackBytes(Context& c, int t, std::string_view bytes, RecordConverter* shared) {
    State& s = c.s;
    if (s.PowerOfTwo[1] == 0) FillNoteTables(s);
    FillValidControllers(s);
    const ReadingState kept(s);
    const SavedTrack rowsKept(s, t);
    NoMessages silent;
    Context rc{s, silent, c.ini, c.screen, c.sys, c.files};
    std::optional<RecordConverter> own;
    RecordConverter& converter = shared ? *shared : own.emplace();
    TrackRead read;
    int stored = 0;
    {
        s.CurrentTrack = static_cast<Integer>(t);
        s.ItemCount(t) = 0;
        s.CurrentItem(t) = 1;
        s.BeatUnit = 8;
        s.TickFraction = 0;
        TrackRows rows(s, t);
        try {
            read = ReadRecords(rc, converter, bytes, rows);
        } catch (const VbError&) {
            read.What = TrackRead::End::DataError;
            read.Item = s.CurrentItem(t);
        }
        stored = rows.Stored;
    }
    rowsKept.Restore(s, std::max(stored, 0) + 1);
    kept.PutBack(s);
    TrackCheck check;
    check.Reads = read.What == TrackRead::End::Read;
    check.Full = read.What == TrackRead::End::Full;
    check.Item = read.Item;
    return check;
}

} // namespace tnq
