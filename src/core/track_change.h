// One command's change to the open piece's track files, all or nothing.
// While a change is open every track file the command writes is changed
// in memory only (the record procedures work on the files' images); Store
// then checks that every changed track the recalculation read before still
// reads, and writes each changed file once, all of them or none. A change
// not stored (refused by that check, stopped by a run-time error, or left
// without Store) leaves the track files, and the item counts, cursors and
// score rows of the tracks the command opened, as they were before it.
#pragma once

#include "core/context.h"
#include "core/saved_track.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tnq {

class TrackChange {
public:
    // command names the command in its messages ("Copy a Section",
    // "Accept Item"). Inside an open change this one is part of it: the
    // outer one stores or undoes.
    TrackChange(Context& c, std::string command);
    // Undoes a change that was not stored.
    ~TrackChange();
    TrackChange(const TrackChange&) = delete;
    TrackChange& operator=(const TrackChange&) = delete;

    // Checks and writes. False after its message (the command's name as
    // its title): nothing has been changed, or, when the system refused to
    // finish the change past its commit point, the piece has been closed
    // (ClosePiece) for the next Open to finish it. Part of an outer change:
    // true unless the change has failed; the outer one decides.
    bool Store();
    // Store, then Recalculate, for a command whose selected tracks are
    // recalculated once its change is stored. They are read from the change
    // first, with nothing told: when all of them read, the check takes them
    // for checked and that reading for the recalculation, so that no track
    // is read twice; a change not stored leaves everything as Store does.
    bool StoreRecalculated();
    // Undoes now, without a message. Part of an outer change, it has the
    // outer one undone when that ends instead, and leaves it open so that
    // what the command writes meanwhile stays in it.
    void Undo();
    // A run-time error stopped the command: the change is undone when it
    // ends, and the error told then, with the command and the file.
    void Fail(const VbError& e);
    bool Failed() const;
    // The change opens room on purpose: blank items that the user fills in
    // next (Insert Items). The check passes them over.
    void OpensRoom() { Root().opensRoom_ = true; }

    // Keeps track t's count, cursor and rows to be put back (the record
    // procedures call it, through NoteTrackInChange, when the command opens
    // the track's file).
    void Note(int t);

private:
    TrackChange& Root();
    void Close();
    void TellFailure(const VbError& e);
    // A track's bytes as the check reads them (valid until the next call).
    std::string_view Checked(std::string_view bytes);
    // The change's error with the track its file (of files) belongs to.
    VbError Placed(const VbError& e) const;
    static VbError Placed(const VbError& e, const std::vector<std::shared_ptr<FileImage>>& files);

    Context& c_;
    std::string command_;
    TrackChange* outer_ = nullptr;
    bool done_ = false;
    std::optional<VbError> failed_;
    bool undone_ = false; // by a change inside it
    std::vector<SavedTrack> saved_;
    Integer pieceChanged_ = 0, recalcDone_ = 0;
    bool opensRoom_ = false;
    std::string checked_;
    std::string recalculated_; // SelectedTracks of a reading before the check

};

// The open change's Note for track t, when a change is open.
void NoteTrackInChange(Context& c, int t);

// Where a track file is, for messages: "Track 3, /home/ann/Tonquill/SONG.TNQ/SONG03".
std::string TrackPlace(int t, const std::string& path);

// The name of the command whose control is menuMode ("mnuEdtCopy": "Copy a
// Section"), for the messages of its change.
std::string CommandName(const std::string& menuMode);

} // namespace tnq
