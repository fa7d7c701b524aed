// TrackChange: the open change, its check, its commit and its undoing.
#include "core/track_change.h"

#include "core/piece_commands.h"
#include "core/recalculate.h"
#include "core/track_files.h"
#include "platform/vb.h"

#include <algorithm>

namespace tnq {

TrackChange::TrackChange(Context& c, std::string command) : c_(c), command_(std::move(command)) {
    State& s = c.s;
    if (s.OpenChange) {
        outer_ = s.OpenChange;
        return;
    }
    s.OpenChange = this;
    s.TrackImages.Begin();
    s.TrackImages.BeforeFirstChange = [this](FileImage& f) {
        if (f.Tag > 0) Note(f.Tag);
    };
    pieceChanged_ = s.PieceChanged;
    recalcDone_ = s.RecalcDone;
    // The track the entry screen stands on is where most changes begin.
    if (s.File2.IsOpen() && s.File2.Tag() > 0) Note(s.File2.Tag());
}

TrackChange::~TrackChange() {
    if (!outer_ && !done_) Undo();
}

TrackChange& TrackChange::Root() {
    return outer_ ? outer_->Root() : *this;
}

bool TrackChange::Failed() const {
    return outer_ ? outer_->Failed() : failed_.has_value() || undone_;
}

void TrackChange::Fail(const VbError& e) {
    TrackChange& root = Root();
    if (!root.failed_) root.failed_ = root.Placed(e);
}

void TrackChange::Note(int t) {
    TrackChange& root = Root();
    if (root.done_) return;
    for (const SavedTrack& kept : root.saved_)
        if (kept.Track() == t) return;
    root.saved_.emplace_back(c_.s, t);
}

void TrackChange::Close() {
    State& s = c_.s;
    done_ = true;
    s.TrackImages.BeforeFirstChange = nullptr;
    if (s.OpenChange == this) s.OpenChange = nullptr;
}

void TrackChange::Undo() {
    if (outer_) {
        Root().undone_ = true;
        return;
    }
    if (done_) return;
    State& s = c_.s;
    s.TrackImages.Undo();
    for (const SavedTrack& kept : saved_) {
        const int t = kept.Track();
        // Whatever the command stored above the kept slots goes too.
        const int upTo = t <= s.ItemCount.Upper() ? std::max<int>(s.ItemCount(t), s.CurrentItem(t)) + 1 : 0;
        kept.Restore(s, upTo);
        if (t >= 1 && t <= s.NumTracks && t <= s.ItemCount.Upper())
            c_.screen.SetTrackFigure(t - 1, std::to_string(s.ItemCount(t)));
    }
    s.PieceChanged = pieceChanged_;
    s.RecalcDone = recalcDone_;
    Close();
}

VbError TrackChange::Placed(const VbError& e) const {
    return Placed(e, c_.s.TrackImages.Changed());
}

VbError TrackChange::Placed(const VbError& e,
                            const std::vector<std::shared_ptr<FileImage>>& files) {
    // A file of the change is named with its track.
    for (const std::shared_ptr<FileImage>& f : files)
        if (f->Path == e.Where() && f->Tag > 0)
            return VbError(e.Number(), ErrorText(e.Number()), TrackPlace(f->Tag, f->Path));
    return e;
}

void TrackChange::TellFailure(const VbError& e) {
    c_.msg.MsgBox(ErrorOccuredText(e) + "; nothing has been changed.", mb::Exclamation,
                  command_);
}

bool TrackChange::Store() {
    if (outer_) return !Failed();
    if (done_) return false;
    State& s = c_.s;
    if (undone_) {
        Undo();
        return false;
    }
    if (failed_) {
        const VbError e = *failed_;
        Undo();
        TellFailure(e);
        return false;
    }

    // No track the recalculation read before the command may be left one
    // it refuses: every changed track is read as the recalculation reads it.
    RecordConverter converter;
    for (const std::shared_ptr<FileImage>& f : s.TrackImages.Changed()) {
        const int t = f->Tag;
        if (t < 1) continue;
        if (static_cast<std::size_t>(t) <= recalculated_.size() &&
            recalculated_[static_cast<std::size_t>(t) - 1] == '1')
            continue; // read by the recalculation already
        const TrackCheck after = CheckTrackBytes(c_, t, Checked(f->Image.View()), &converter);
        if (after.Reads ||
            !CheckTrackBytes(c_, t, Checked(s.TrackImages.BytesAsRead(*f)), &converter).Reads)
            continue;
        Undo();
        const std::string what =
            after.Full ? "Track" + Str(t) + " would hold more items than it can"
                       : "Item" + Str(after.Item) + " on Track" + Str(t) +
                             " could not be read by Recalc or Make .MID";
        c_.msg.MsgBox("After this change, " + what + "; nothing has been changed.",
                      mb::Exclamation, command_);
        return false;
    }

    const std::vector<std::shared_ptr<FileImage>> changed = s.TrackImages.Changed();
    try {
        s.TrackImages.Commit(command_);
    } catch (const CommitUnfinished& e) {
        // Past the commit point, and refused again: the change stands, and
        // nothing touches the piece's files until the next Open finishes it.
        Close();
        ClosePiece(c_);
        c_.msg.MsgBox(ErrorOccuredText(Placed(e, changed)) +
                          "; the change has been made but could not be finished. The piece has "
                          "been closed, and the change is completed when it is opened again.",
                      mb::Exclamation, command_);
        return false;
    } catch (const VbError& e) {
        const VbError placed = Placed(e);
        Undo();
        TellFailure(placed);
        return false;
    }
    Close();
    return true;
}

bool TrackChange::StoreRecalculated() {
    State& s = c_.s;
    const auto storeThenRecalculate = [this] {
        const bool stored = Store();
        if (stored) Recalculate(c_);
        return stored;
    };
    if (outer_ || done_ || Failed() || opensRoom_) return storeThenRecalculate();
    RecalculationKept kept(s);
    if (!RecalculateSilently(c_)) {
        // The recalculation after the store tells what it finds; the rows
        // it reads again are the same.
        kept.PutBack(s);
        return storeThenRecalculate();
    }
    recalculated_ = s.SelectedTracks;
    const bool stored = Store();
    if (!stored) kept.PutBack(s);
    return stored;
}

std::string_view TrackChange::Checked(std::string_view bytes) {
    if (!opensRoom_) return bytes;
    // The room opened (blank items) is passed over.
    const std::string blank = EncodeRecord(kBlankItem);
    std::string& out = checked_;
    out.clear();
    std::size_t at = 0;
    for (; at + kRecordLength <= bytes.size(); at += kRecordLength)
        if (bytes.compare(at, kRecordLength, blank) != 0) out.append(bytes, at, kRecordLength);
    out.append(bytes, at, std::string::npos);
    return out;
}

void NoteTrackInChange(Context& c, int t) {
    if (c.s.OpenChange) c.s.OpenChange->Note(t);
}

std::string TrackPlace(int t, const std::string& path) {
    return "Track" + Str(t) + ", " + path;
}

namespace {

struct Named {
    const char* MenuMode;
    const char* Name;
};

constexpr Named kCommandNames[] = {
        {"mnuEdtDynamics", "Edit Dynamics"},
        {"mnuEdtCC", "Set Up Rests"},
        {"mnuEdtTempos", "Set up a series of Tempos"},
        {"mnuEdtPitchBend", "Edit Pitch Bend"},
        {"mnuEdtVolume", "Edit Continuous Controller"},
        {"mnuEdtCopy", "Copy a Section"},
        {"mnuEdtVertical", "Vertical Copy"},
        {"mnuEdtCopyItem", "Copy by Item"},
        {"mnuEdtDelete", "Delete by Bar"},
        {"mnuEdtStaccato", "Apply Staccato"},
        {"mnuEdtReverseStac", "Reverse Staccato"},
        {"mnuEdtParameters", "Revise Parameters"},
        {"mnuEdtPunch", "Punch In/Punch Out"},
        {"mnuEdtRandom", "Randomize a Passage"},
        {"mnuEdtTwoNote", "Set Up a 2 Note Pattern"},
        {"mnuEdtRests", "Set a Track to Rests"},
        {"mnuEdtRenumber", "Renumber Bars"},
        {"mnuPlyBalance", "Balance Tracks"},
};

} // namespace

std::string CommandName(const std::string& menuMode) {
    for (const Named& n : kCommandNames)
        if (menuMode == n.MenuMode) return n.Name;
    return "Edit";
}

} // namespace tnq
