// The record files the program reads and changes, held in memory. A file
// is read once, when it is first used, and every handle on it shares that
// image. A change stays in memory until Commit writes each changed file
// once, each directory's files all or nothing (CommitFiles), or Undo puts
// every image back as it was read. A write while no change is open is
// committed at once.
#pragma once

#include "platform/file_commit.h"
#include "platform/record_image.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace tnq {

// One file's image.
struct FileImage {
    std::string Path;
    std::size_t RecordLength = 0;
    int Tag = 0; // the owner's number for the file (a track)
    bool Loaded = false;
    RecordImage Image;
    // Bytes in the file when it was read (0 for a missing file), and
    // whether it was there.
    long long LengthAsRead = 0;
    bool Existed = false;
    // Changed in the open change. Until the change ends the file itself
    // holds the bytes as read: only the commit writes it, and no one else
    // does meanwhile.
    bool Changed = false;
};

class FileImages {
public:
    // owned: the names of the files the program writes in the directories
    // of its images (of the open piece), for the journals of its commits.
    explicit FileImages(OwnedName owned = {}) : owned_(std::move(owned)) {}
    FileImages(const FileImages&) = delete;
    FileImages& operator=(const FileImages&) = delete;

    // The image of path, shared by every handle on it, read when first
    // needed. An image that holds no change is read again at the start of
    // every change and, outside a change, after every new handle on it, so
    // that what others wrote to the file meanwhile is seen; inside a change
    // an image once read is kept to its end.
    std::shared_ptr<FileImage> Use(const std::string& path, std::size_t recordLength, int tag);
    // The image of f, read from its file when not yet (a missing file reads
    // as empty). A file that cannot be read raises VbError (Where: its path).
    RecordImage& Loaded(FileImage& f);
    // The image of path when it was read in the open change (it holds the
    // file as it was then), else none.
    std::shared_ptr<FileImage> ReadInChange(const std::string& path) const;
    // Whether path was read in the open change from a file that was there
    // (a regular file, then): it is there to the change's end.
    bool ThereInChange(const std::string& path) const {
        const std::shared_ptr<FileImage> f = ReadInChange(path);
        return f && f->Existed;
    }
    // Around every change of an image: WillChange keeps what f holds and
    // joins it to the open change, opening one of its own when none is
    // open; DidChange then commits that one at once (a VbError undoes it).
    void WillChange(FileImage& f);
    void DidChange(FileImage& f);
    // A whole file that is no record file (a text file beside the record
    // files) replaced by bytes as part of the open change (or at once).
    void Replace(const std::string& path, std::string bytes);
    // The bytes of path: its image, without a copy (valid until its next
    // change; earlier views of it go stale), when it holds a change or was
    // read in the open change, else the file read into buffer (a missing
    // file is empty).
    std::string_view Bytes(const std::string& path, std::string& buffer);
    // The bytes of f's file as they were before the open change.
    std::string BytesAsRead(const FileImage& f);

    // The change: opened by Begin (which lets go of every image that holds
    // no change), ended by Commit or Undo.
    void Begin();
    bool ChangeOpen() const { return open_; }
    const std::vector<std::shared_ptr<FileImage>>& Changed() const { return changed_; }
    // Writes every changed image that differs from its file (change names
    // it in the journal), each directory's files all or nothing on their
    // own, one directory after another; the images then hold no change. A
    // VbError leaves the files of its directory and of those after it as
    // before, and those of an earlier directory committed: their images hold
    // no change any more, the others stay in the change, still open, to be
    // undone. CommitUnfinished means the change stands (it is then closed).
    void Commit(const std::string& change);
    // Every changed image back as it was read; the change is closed.
    void Undo();
    // Drops every image no handle holds (a piece closed). No change is open.
    void Forget();

    // Called before an image is first changed in a change.
    std::function<void(FileImage&)> BeforeFirstChange;
    // The commits' steps, for tests to fail or stop one.
    CommitHooks Hooks;

private:
    void Close();
    static void LetGo(FileImage& f);
    // The file's bytes read into buffer (a missing file is empty).
    std::string_view ReadFile(const std::string& path, std::string& buffer);
    bool SameAsFile(const FileImage& f);

    OwnedName owned_;
    std::unordered_map<std::string, std::weak_ptr<FileImage>> held_;
    std::vector<std::shared_ptr<FileImage>> changed_;
    std::vector<std::shared_ptr<FileImage>> read_; // read in the open change
    std::string readBuffer_;                       // a file compared with its image
    bool open_ = false;
    bool own_ = false; // opened by WillChange for one write
};

} // namespace tnq
