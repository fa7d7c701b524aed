// Track file naming, opening, record transfer and storing an item's numbers.
#include "core/track_files.h"

#include "core/piece_paths.h"
#include "core/track_change.h"
#include "platform/vb.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <sys/stat.h>

namespace tnq {

namespace {

std::string TrackItemRecord::*const kFields[8] = {
    &TrackItemRecord::Note,       &TrackItemRecord::Octave,   &TrackItemRecord::Duration,
    &TrackItemRecord::Adjustment, &TrackItemRecord::Dynamics, &TrackItemRecord::Bar,
    &TrackItemRecord::Channel,    &TrackItemRecord::PitchBend};

// The boxes in record order.
constexpr Box kRecordBoxes[8] = {Box::Note, Box::Octa, Box::Dur,     Box::Adj,
                                 Box::Dyn,  Box::Bar,  Box::Channel, Box::PitchBend};

} // namespace

void PutRecordField(char* record, int f, std::string_view text) {
    char* const at = record + RecordFieldAt(f);
    const std::size_t given = std::min(text.size(), kFieldWidths[f]);
    std::fill(std::copy_n(text.begin(), given, at), at + kFieldWidths[f], ' ');
}

std::string EncodeRecord(const TrackItemRecord& record) {
    std::string out(kRecordLength, ' ');
    for (int f = 0; f < 8; ++f) PutRecordField(out.data(), f, record.*kFields[f]);
    return out;
}

TrackItemRecord DecodeRecord(std::string_view bytes) {
    // A record cut short reads as if padded with blanks.
    TrackItemRecord r;
    std::size_t pos = 0;
    for (int f = 0; f < 8; ++f) {
        std::string& field = r.*kFields[f];
        const std::string_view there = pos < bytes.size() ? bytes.substr(pos, kFieldWidths[f]) : "";
        field.assign(there);
        field.resize(kFieldWidths[f], ' ');
        pos += kFieldWidths[f];
    }
    return r;
}

TrackItemRecord Trimmed(const TrackItemRecord& record) {
    TrackItemRecord r;
    for (int f = 0; f < 8; ++f) r.*kFields[f] = Trim(record.*kFields[f]);
    return r;
}

bool IsEndRecord(std::string_view bytes) {
    return bytes.substr(0, 3) == "END";
}

int ItemsBeforeEnd(std::string_view fileBytes) {
    int n = 0;
    for (std::size_t at = 0; at + kRecordLength <= fileBytes.size(); at += kRecordLength, ++n)
        if (IsEndRecord(fileBytes.substr(at, kRecordLength))) break;
    return n;
}

TrackItemRecord BoxesRecord(const MainScreen& screen) {
    TrackItemRecord r;
    for (int f = 0; f < 8; ++f) r.*kFields[f] = screen.Text(kRecordBoxes[f]);
    return r;
}

void ShowRecord(MainScreen& screen, const TrackItemRecord& record) {
    for (int f = 0; f < 8; ++f) screen.SetText(kRecordBoxes[f], Trim(record.*kFields[f]));
}

namespace {

// File2Open or File3Open.
Integer& OpenFlag(State& s, int fileNumber) {
    return fileNumber == 2 ? s.File2Open : s.File3Open;
}

// File 2 or 3 closed, its open flag cleared: a failed open that follows
// never leaves the previous track's file behind for the next write.
RecordFile& ClosedTrackFile(State& s, int fileNumber) {
    RecordFile& f = TrackFile(s, fileNumber);
    f.Close();
    OpenFlag(s, fileNumber) = 0;
    return f;
}

// Opens track's file of the piece title as file 2 or 3; errors name the
// track and the file. Files of the open piece carry their track number, so
// that a change to them is checked and undone with the track.
void OpenTrackFile(Context& c, int fileNumber, const std::string& title, int track,
                   bool forReading = false) {
    State& s = c.s;
    RecordFile& f = ClosedTrackFile(s, fileNumber);
    const std::string path = TrackFilePath(s, title, track);
    const int tag = title == s.PieceTitle ? track : 0;
    try {
        if (forReading)
            f.OpenForReading(s.TrackImages, path, kRecordLength, tag);
        else
            f.Open(s.TrackImages, path, kRecordLength, tag);
    } catch (const VbError& e) {
        throw VbError(e.Number(), ErrorText(e.Number()), TrackPlace(track, path));
    }
    OpenFlag(s, fileNumber) = 1;
    if (tag > 0) NoteTrackInChange(c, tag);
}

} // namespace

void TrackFileOpen(Context& c) {
    OpenTrackFile(c, 2, c.s.PieceTitle, c.s.CurrentTrack);
}

void TrackFileOpen2(Context& c) {
    OpenTrackFile(c, 3, c.s.SourceTitle, c.s.SourceTrack);
}

bool OpenTrackForReading(Context& c, int fileNumber, const std::string& title, int track) {
    State& s = c.s;
    ClosedTrackFile(s, fileNumber);
    const std::string path = TrackFilePath(s, title, track);
    if (!s.TrackImages.ThereInChange(path)) {
        const std::string dir = PieceDirectoryFor(s, title);
        struct stat st {};
        if (::stat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
            throw VbError(err::PathNotFound, ErrorText(err::PathNotFound), dir);
        if (::stat(path.c_str(), &st) != 0) return false;
    }
    OpenTrackFile(c, fileNumber, title, track, true);
    return true;
}

RecordFile& TrackFile(State& s, int fileNumber) {
    if (fileNumber == 2) return s.File2;
    if (fileNumber == 3) return s.File3;
    throw VbError(err::BadFileNameOrNumber);
}

bool ReadItem(Context& c, int fileNumber) {
    State& s = c.s;
    try {
        RecordFile& f = TrackFile(s, fileNumber);
        std::string bytes;
        if (!f.Read(s.CurrentItem(s.CurrentTrack), bytes)) throw VbError(err::InputPastEnd);
        ShowRecord(c.screen, DecodeRecord(bytes));
        return true;
    } catch (const VbError& e) {
        c.msg.MsgBox("ReadDisk-Error" + Str(e.Number()) + " " + e.Description(), mb::OKOnly);
        return false;
    }
}

bool AtTrackEnd(Context& c, int fileNumber) {
    State& s = c.s;
    std::string bytes;
    if (!TrackFile(s, fileNumber).Read(s.CurrentItem(s.CurrentTrack), bytes)) return true;
    return IsEndRecord(bytes);
}

namespace {

void WriteRecord(Context& c, long long n, const TrackItemRecord& record) {
    State& s = c.s;
    // A failed write may still have changed the file.
    s.PieceChanged = 1;
    s.RecalcDone = 0;
    s.File2.Write(n, EncodeRecord(record));
}

} // namespace

void WriteItem(Context& c) {
    State& s = c.s;
    WriteRecord(c, s.CurrentItem(s.CurrentTrack), BoxesRecord(c.screen));
}

void WriteEndRecord(Context& c) {
    State& s = c.s;
    WriteRecord(c, static_cast<long long>(s.ItemCount(s.CurrentTrack)) + 1, kEndRecord);
}

void ShowCapacityMessage(Context& c, int track) {
    c.msg.MsgBox("MAXIMUM CAPACITY FOR TRACK" + Str(track) +
                     " HAS BEEN REACHED. Use Miscellaneous,Set Parameters to try to increase "
                     "capacity.",
                 mb::Critical, std::string("Space Limitation"));
}

namespace {

// Ticks rounded half up to a whole number, as floor(ticks + 0.5); a whole
// number (nearly every length) is its own rounding.
Single RoundedTicks(Single ticks) {
    const double d = double(ticks);
    if (d >= -2147483648.0 && d <= 2147483647.0) {
        const auto whole = static_cast<Long>(d);
        if (whole == d) return static_cast<Single>(whole); // -0 becomes 0, as floor gives
    }
    return static_cast<Single>(std::floor(d + 0.5));
}

// StoreItemTimes; the slots of CurrentTrack are found here when not given.
bool StoreItemTimesIn(Context& c, const TrackSlots* given) {
    State& s = c.s;
    try {
        s.ItemTicks = RoundedTicks(s.ItemTicks);
        const int t = s.CurrentTrack;
        Integer& cursor = s.CurrentItem(t);
        const int n = cursor;
        // Every slot and the converted length first: a failure stores nothing.
        TrackSlots found;
        if (!given) {
            const std::optional<TrackSlots> row = SlotsOf(s, t);
            if (!row) throw VbError(err::SubscriptOutOfRange);
            found = *row;
        }
        const TrackSlots& slots = given ? *given : found;
        if (n < 0 || n > slots.Last) throw VbError(err::SubscriptOutOfRange);
        // The ticks were rounded to a whole number above, so CLng is needed
        // only outside its range (recalculation stores every item of every
        // track through here).
        const double whole = double(s.ItemTicks);
        const Long ticks = whole >= -2147483648.0 && whole <= 2147483647.0
                               ? static_cast<Long>(whole)
                               : CLng(s.ItemTicks);
        if (n >= 32767) throw VbError(err::Overflow);
        PutItem(s, slots, n, ticks);
        cursor = static_cast<Integer>(n + 1);
        if (cursor > s.MaxItems) {
            ShowCapacityMessage(c, t);
            s.CapacityReached = -1;
            return false;
        }
        return true;
    } catch (const VbError& e) {
        c.msg.MsgBox("Error " + Str(e.Number()) + " " + e.Description() + " has occured",
                     mb::Critical, std::string("Error"));
        s.CapacityReached = -1;
        return false;
    }
}

} // namespace

std::optional<TrackSlots> SlotsOf(State& s, int track) {
    if (!s.NoteCode.HoldsRow(track, 0) || !s.ItemTime.HoldsRow(track, 0) ||
        !s.ItemDyn.HoldsRow(track, 0) || !s.BarNo.HoldsRow(track, 0) ||
        !s.ItemChan.HoldsRow(track, 0) || !s.ItemBend.HoldsRow(track, 0) || track < 0 ||
        track > s.CurrentItem.Upper())
        return std::nullopt;
    return TrackSlots{s.NoteCode.Row(track),
                      s.ItemTime.Row(track),
                      s.ItemDyn.Row(track),
                      s.BarNo.Row(track),
                      s.ItemChan.Row(track),
                      s.ItemBend.Row(track),
                      std::min({s.NoteCode.Upper2(), s.ItemTime.Upper2(), s.ItemDyn.Upper2(),
                                s.BarNo.Upper2(), s.ItemChan.Upper2(), s.ItemBend.Upper2()}),
                      &s.CurrentItem(track)};
}

bool StoreItemTimes(Context& c) {
    return StoreItemTimesIn(c, nullptr);
}

bool detail::StoreItemTimesAt(Context& c, const TrackSlots& slots) {
    return StoreItemTimesIn(c, &slots);
}

} // namespace tnq
