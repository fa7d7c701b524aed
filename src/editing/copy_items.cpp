// The copy workers and the transposition they share.
#include "editing/copy_items.h"

#include "core/edit_fields.h"
#include "core/item_space.h"
#include "core/piece_paths.h"
#include "core/screen_procs.h"
#include "platform/vb.h"

#include <cstring>
#include <filesystem>

namespace tnq {

const char* const kPitchTexts[kPitchEntries] = {
    "no transposition",      "up a minor 2nd",     "up a major 2nd",       "up a minor 3rd",
    "up a major 3rd",        "up a perfect 4th",   "up a diminished 5th",  "up a perfect 5th",
    "up a minor 6th",        "up a major 6th",     "up a minor 7th",       "up a major 7th",
    "down a minor 2nd",      "down a major 2nd",   "down a minor 3rd",     "down a major 3rd",
    "down a perfect 4th",    "down a diminished 5th", "down a perfect 5th", "down a minor 6th",
    "down a major 6th",      "down a minor 7th",   "down a major 7th"};

const char* const kOctaveTexts[kOctaveEntries] = {
    "no transposition", "up 1 octave",    "up 2 octaves",   "up 3 octaves",   "up 4 octaves",
    "up 5 octaves",     "up 6 octaves",   "up 7 octaves",   "down 1 octave",  "down 2 octaves",
    "down 3 octaves",   "down 4 octaves", "down 5 octaves", "down 6 octaves", "down 7 octaves"};

int SemitonesOf(int pitchIndex) {
    return pitchIndex <= 11 ? pitchIndex : 11 - pitchIndex;
}

int OctavesOf(int octaveIndex) {
    return octaveIndex <= 7 ? octaveIndex : 7 - octaveIndex;
}

int NotePosition(const State& s, std::string_view note, bool* sharp) {
    for (int i = 1; i <= 12; ++i)
        if (s.NoteSharp[i] == note) {
            if (sharp) *sharp = true;
            return i;
        }
    for (int i = 1; i <= 12; ++i)
        if (s.NoteFlat[i] == note) {
            if (sharp) *sharp = false;
            return i;
        }
    return 0;
}

TransposedPitch TransposePitch(const State& s, std::string_view note, std::string_view octave) {
    TransposedPitch p{TrimView(note), 0};
    // The field holds one character; anything but a digit counts 0.
    p.Octave = static_cast<int>(FieldVal(TrimView(octave)));
    if (s.CopySemitones != 0) {
        bool sharp = true;
        if (int pos = NotePosition(s, p.Note, &sharp); pos != 0) {
            pos += s.CopySemitones;
            if (pos >= 13) {
                pos -= 12;
                ++p.Octave;
            } else if (pos < 1) {
                pos += 12;
                --p.Octave;
            }
            p.Note = sharp ? s.NoteSharp[pos] : s.NoteFlat[pos];
        }
    }
    p.Octave += s.CopyOctaves;
    // The octaves wrap by 8 wherever the sum leaves the score's range (also
    // a semitone past B8 or below C0), so every copied note stays a note.
    while (p.Octave > 8) p.Octave -= 8;
    while (p.Octave < 0) p.Octave += 8;
    return p;
}

void Transpose(const State& s, TrackItemRecord& record) {
    const TransposedPitch p = TransposePitch(s, record.Note, record.Octave);
    record.Note = std::string(p.Note);
    record.Octave = NumberText(p.Octave);
}

Integer TransposedCode(const State& s, std::string_view note, double octave, Integer sourceCode) {
    if (sourceCode < 1 || sourceCode > 127) return sourceCode;
    if (s.CopySemitones == 0 && s.CopyOctaves == 0) return sourceCode;
    const int pos = NotePosition(s, note);
    if (pos == 0) return sourceCode;
    return static_cast<Integer>((octave + 1) * 12 + pos - 1);
}

Integer TransposedCode(const State& s, const TrackItemRecord& transposed, Integer sourceCode) {
    return TransposedCode(s, transposed.Note, Val(transposed.Octave), sourceCode);
}

std::string_view CopiedItem::Field(int f) const {
    return TrimView(RecordField(std::string_view(Bytes.data(), Bytes.size()), f));
}

namespace {

// The bytes of track's file of piece title, opened as f for reading (valid
// while f is open); "" when there is none. In a change they are the file's
// image, read once for the whole change. A track of the open piece that
// file 2 is open on is read through file 2, whose path is known.
std::string_view SourceBytes(State& s, const std::string& title, int track, RecordFile& f) {
    const bool onFile2 = title == s.PieceTitle && s.File2.IsOpen() && s.File2.Tag() == track;
    const auto there = [&s](const std::string& path) {
        std::error_code ec;
        return s.TrackImages.ThereInChange(path) || std::filesystem::is_regular_file(path, ec);
    };
    if (onFile2) {
        if (!there(s.File2.Path())) return {};
        return s.File2.View();
    }
    const std::string path = TrackFilePath(s, title, track);
    if (!there(path)) return {};
    f.OpenForReading(s.TrackImages, path, kRecordLength);
    return f.View();
}

// Whether items 1..last of a track file's bytes lie before its END record
// (last <= ItemsBeforeEnd), looking no further than item last.
bool ItemsBefore(std::string_view bytes, int last) {
    const auto n = static_cast<std::size_t>(last);
    if (bytes.size() / kRecordLength < n) return false;
    for (std::size_t at = 0; at < n * kRecordLength; at += kRecordLength)
        if (bytes[at] == 'E' && IsEndRecord(bytes.substr(at, kRecordLength))) return false;
    return true;
}

} // namespace

bool KeptInVerticalCopy(const CopiedItem& item) {
    const std::string_view note = item.Field(0);
    return note != "TEMPO" && note != "METER";
}

std::optional<std::vector<CopiedItem>> ReadCopySource(Context& c, const std::string& title,
                                                      int track, int first, int last) {
    State& s = c.s;
    if (first < 1 || last < first) return std::nullopt;
    RecordFile f;
    const std::string_view bytes = SourceBytes(s, title, track, f);
    if (!ItemsBefore(bytes, last)) return std::nullopt;
    const bool openPiece = title == s.PieceTitle;
    std::vector<CopiedItem> items;
    items.reserve(static_cast<std::size_t>(last - first + 1));
    for (int i = first; i <= last; ++i) {
        CopiedItem item;
        const std::size_t at = static_cast<std::size_t>(i - 1) * kRecordLength;
        std::memcpy(item.Bytes.data(), bytes.data() + at, kRecordLength);
        if (openPiece) {
            item.Code = s.NoteCode(track, i);
            item.Ticks = s.ItemTime(track, i);
            item.Dynamics = s.ItemDyn(track, i);
            item.Bend = s.ItemBend(track, i);
        }
        items.push_back(std::move(item));
    }
    return items;
}

int SourceItemCount(Context& c, const std::string& title, int track) {
    State& s = c.s;
    if (title == s.PieceTitle) return TrackInScore(s, track) ? s.ItemCount(track) : 0;
    RecordFile f;
    return ItemsBeforeEnd(SourceBytes(s, title, track, f));
}

namespace {

// What the score arrays take of a copied item.
struct CopiedNumbers {
    Integer Code = 0, Bar = 0, Channel = 0;
};

} // namespace

CopyResult WriteCopy(Context& c, const std::vector<CopiedItem>& items, const CopyRules& rules) {
    State& s = c.s;
    const int t = s.CurrentTrack;
    const bool openPiece = s.SourceTitle == s.PieceTitle;

    // Every copied record is made, and its bar checked, before the first
    // write: each field as the record boxes would show it.
    std::string run(items.size() * kRecordLength, ' ');
    std::vector<CopiedNumbers> numbers(openPiece ? items.size() : 0);
    const std::string_view channel = rules.Channel ? TrimView(*rules.Channel) : "";
    const Integer channelValue = rules.Channel ? FieldValue(*rules.Channel) : Integer(0);
    for (std::size_t k = 0; k < items.size(); ++k) {
        const CopiedItem& item = items[k];
        char* const r = run.data() + k * kRecordLength;
        const TransposedPitch p = TransposePitch(s, item.Field(0), item.Field(1));
        // The fields as stored, but those with leading blanks, which the
        // boxes show without.
        std::memcpy(r, item.Bytes.data(), kRecordLength);
        for (const int f : {2, 3, 4, 7})
            if (r[RecordFieldAt(f)] == ' ') PutRecordField(r, f, item.Field(f));
        PutRecordField(r, 0, TrimView(p.Note));
        r[RecordFieldAt(1)] = static_cast<char>('0' + p.Octave);
        long long bar = 1;
        if (rules.KeepBars) {
            const auto read = static_cast<long long>(FieldVal(item.Field(5)));
            bar = read + rules.BarOffset;
            if (bar < 0 || bar > 9999) {
                c.msg.MsgBox("Bar number" + Str(read) + " with the offset" +
                                 Str(rules.BarOffset) + " lies outside 0 to 9999",
                             mb::Exclamation, std::string("Copy"));
                return CopyResult::Refused;
            }
        }
        PutRecordField(r, 5, NumberText(bar));
        const std::string_view ch = rules.Channel ? channel : item.Field(6);
        PutRecordField(r, 6, ch);
        if (!openPiece) continue;
        numbers[k] = {TransposedCode(s, p.Note, p.Octave, item.Code), static_cast<Integer>(bar),
                      rules.Channel ? channelValue : FieldValue(ch)};
    }
    if (items.empty()) return CopyResult::Copied;
    if (s.CopyMode == "INSERT" && !InsertSpace(c, static_cast<int>(items.size())))
        return CopyResult::Refused;

    // The score first, item by item, then the records it took at once: an
    // item is written up to the store that fails, as it would be written
    // before its store.
    CopyResult result = CopyResult::Copied;
    Integer& cursor = s.CurrentItem(t);
    const int start = cursor;
    const int count = s.ItemCount(t);
    const auto slots = openPiece ? SlotsOf(s, t) : std::nullopt;
    std::size_t written = 0;
    for (std::size_t k = 0; k < items.size(); ++k) {
        // A track holds MaxItems - 1 items, as InsertSpace keeps it.
        if (cursor > s.MaxItems - 1) {
            ShowCapacityMessage(c, t);
            result = CopyResult::Stopped;
            break;
        }
        ++written;
        if (openPiece) {
            const CopiedItem& from = items[k];
            s.ItemCode = numbers[k].Code;
            s.ItemTicks = static_cast<Single>(from.Ticks);
            s.ItemDynamics = from.Dynamics;
            s.ItemPitchBend = from.Bend;
            s.ItemBar = numbers[k].Bar;
            s.ItemChannel = numbers[k].Channel;
            if (!(slots ? StoreItemTimes(c, *slots) : StoreItemTimes(c))) {
                s.CapacityReached = 0;
                result = CopyResult::Stopped;
                break;
            }
        } else {
            ++cursor;
        }
        if (s.ItemCount(t) < cursor - 1) s.ItemCount(t) = static_cast<Integer>(cursor - 1);
    }
    if (written > 0) {
        // The END record behind the last item counted, unless an item was
        // written over it after.
        if (s.ItemCount(t) != count) WriteEndRecord(c);
        s.PieceChanged = 1;
        s.RecalcDone = 0;
        const std::string_view records = std::string_view(run).substr(0, written * kRecordLength);
        s.File2.WriteRecords(start, records);
        ShowRecord(c.screen, DecodeRecord(records.substr(records.size() - kRecordLength)));
    }
    ShowTrackCounts(c);
    return result;
}

CopyResult DoCopy(Context& c) {
    State& s = c.s;
    const auto items =
        ReadCopySource(c, s.SourceTitle, s.SourceTrack, s.RangeFrom, s.RangeFrom + s.RangeTo - 1);
    if (!items) return CopyResult::Refused;
    CopyRules rules;
    if (s.MenuMode == "mnuEdtCopy") {
        rules.BarOffset = s.CopyOffset;
    } else {
        rules.KeepBars = s.CopyBarNumbers == "Y";
        rules.BarOffset = rules.KeepBars ? s.CopyOffset : 0;
        rules.Channel = s.CopyChannel;
    }
    return WriteCopy(c, *items, rules);
}

CopyResult DoVerticalCopy(Context& c, const std::vector<CopiedItem>& source) {
    State& s = c.s;
    const int d = s.CurrentTrack;
    std::vector<CopiedItem> items;
    for (const CopiedItem& item : source)
        if (KeptInVerticalCopy(item)) items.push_back(item);
    if (items.empty()) return CopyResult::Copied;

    CopyRules rules;
    rules.BarOffset = s.CopyOffset;
    const int cursor = s.CurrentItem(d);
    if (cursor <= 1) {
        rules.Channel = NumberText(d > 16 ? 16 : d);
    } else {
        std::string before;
        if (!s.File2.Read(cursor - 1, before)) throw VbError(err::InputPastEnd);
        rules.Channel = Trim(DecodeRecord(before).Channel);
    }
    return WriteCopy(c, items, rules);
}

} // namespace tnq
