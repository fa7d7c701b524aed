// The copy workers and the transposition they share.
#include "editing/copy_items.h"

#include "core/edit_fields.h"
#include "core/item_space.h"
#include "core/piece_paths.h"
#include "core/screen_procs.h"
#include "platform/vb.h"

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

int NotePosition(const State& s, const std::string& note, bool* sharp) {
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

void Transpose(const State& s, TrackItemRecord& record) {
    record.Note = Trim(record.Note);
    // The field holds one character; anything but a digit counts 0.
    int octave = static_cast<int>(Val(Trim(record.Octave)));
    if (s.CopySemitones != 0) {
        bool sharp = true;
        if (int pos = NotePosition(s, record.Note, &sharp); pos != 0) {
            pos += s.CopySemitones;
            if (pos >= 13) {
                pos -= 12;
                ++octave;
            } else if (pos < 1) {
                pos += 12;
                --octave;
            }
            record.Note = sharp ? s.NoteSharp[pos] : s.NoteFlat[pos];
        }
    }
    octave += s.CopyOctaves;
    // The octaves wrap by 8 wherever the sum leaves the score's range (also
    // a semitone past B8 or below C0), so every copied note stays a note.
    while (octave > 8) octave -= 8;
    while (octave < 0) octave += 8;
    record.Octave = NumberText(octave);
}

Integer TransposedCode(const State& s, const TrackItemRecord& transposed, Integer sourceCode) {
    if (sourceCode < 1 || sourceCode > 127) return sourceCode;
    if (s.CopySemitones == 0 && s.CopyOctaves == 0) return sourceCode;
    const int pos = NotePosition(s, transposed.Note);
    if (pos == 0) return sourceCode;
    return static_cast<Integer>((Val(transposed.Octave) + 1) * 12 + pos - 1);
}

namespace {

// The bytes of track's file of piece title, opened as f for reading (valid
// while f is open); "" when there is none. In a change they are the file's
// image, read once for the whole change.
std::string_view SourceBytes(State& s, const std::string& title, int track, RecordFile& f) {
    const std::string path = TrackFilePath(s, title, track);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return {};
    f.OpenForReading(s.TrackImages, path, kRecordLength);
    return f.View();
}

} // namespace

bool KeptInVerticalCopy(const TrackItemRecord& r) {
    return r.Note != "TEMPO" && r.Note != "METER";
}

std::optional<std::vector<CopiedItem>> ReadCopySource(Context& c, const std::string& title,
                                                      int track, int first, int last) {
    State& s = c.s;
    if (first < 1 || last < first) return std::nullopt;
    RecordFile f;
    const std::string_view bytes = SourceBytes(s, title, track, f);
    if (last > ItemsBeforeEnd(bytes)) return std::nullopt;
    const bool openPiece = title == s.PieceTitle;
    std::vector<CopiedItem> items;
    items.reserve(static_cast<std::size_t>(last - first + 1));
    for (int i = first; i <= last; ++i) {
        CopiedItem item;
        const std::size_t at = static_cast<std::size_t>(i - 1) * kRecordLength;
        item.Record = Trimmed(DecodeRecord(std::string_view(bytes).substr(at, kRecordLength)));
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

CopyResult WriteCopy(Context& c, const std::vector<CopiedItem>& items, const CopyRules& rules) {
    State& s = c.s;
    const int t = s.CurrentTrack;
    const bool openPiece = s.SourceTitle == s.PieceTitle;

    // Every copied record is made, and its bar checked, before the first
    // write.
    std::vector<TrackItemRecord> out;
    out.reserve(items.size());
    for (const CopiedItem& item : items) {
        TrackItemRecord r = item.Record;
        Transpose(s, r);
        if (rules.KeepBars) {
            const long long bar = static_cast<long long>(Val(r.Bar)) + rules.BarOffset;
            if (bar < 0 || bar > 9999) {
                c.msg.MsgBox("Bar number" + Str(static_cast<long long>(Val(r.Bar))) +
                                 " with the offset" + Str(rules.BarOffset) +
                                 " lies outside 0 to 9999",
                             mb::Exclamation, std::string("Copy"));
                return CopyResult::Refused;
            }
            r.Bar = NumberText(bar);
        } else {
            r.Bar = "1";
        }
        if (rules.Channel) r.Channel = *rules.Channel;
        out.push_back(std::move(r));
    }
    if (out.empty()) return CopyResult::Copied;
    if (s.CopyMode == "INSERT" && !InsertSpace(c, static_cast<int>(out.size())))
        return CopyResult::Refused;

    CopyResult result = CopyResult::Copied;
    Integer& cursor = s.CurrentItem(t);
    for (std::size_t k = 0; k < out.size(); ++k) {
        // A track holds MaxItems - 1 items, as InsertSpace keeps it.
        if (cursor > s.MaxItems - 1) {
            ShowCapacityMessage(c, t);
            result = CopyResult::Stopped;
            break;
        }
        ShowRecord(c.screen, out[k]);
        WriteItem(c);
        if (openPiece) {
            const CopiedItem& from = items[k];
            s.ItemCode = TransposedCode(s, out[k], from.Code);
            s.ItemTicks = static_cast<Single>(from.Ticks);
            s.ItemDynamics = from.Dynamics;
            s.ItemPitchBend = from.Bend;
            s.ItemBar = CInt(Val(out[k].Bar));
            s.ItemChannel = FieldValue(out[k].Channel);
            if (!StoreItemTimes(c)) {
                s.CapacityReached = 0;
                result = CopyResult::Stopped;
                break;
            }
        } else {
            ++cursor;
        }
        if (s.ItemCount(t) < cursor - 1) {
            s.ItemCount(t) = static_cast<Integer>(cursor - 1);
            WriteEndRecord(c);
        }
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
        if (KeptInVerticalCopy(item.Record)) items.push_back(item);
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
