// FileImages: the images by path, their reading, and the change's commit.
#include "platform/file_images.h"

#include "platform/vb.h"
#include "platform/whole_file.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <map>
#include <optional>
#include <sys/stat.h>

namespace tnq {

namespace {

// The path in its normal form: as it stands when it has no empty, "." or
// ".." part (as the program's own paths have none).
std::string KeyOf(const std::string& path) {
    bool normal = !path.empty();
    for (std::size_t b = path[0] == '/' ? 1 : 0; normal && b <= path.size();) {
        const std::size_t e = std::min(path.find('/', b), path.size());
        const std::string_view part = std::string_view(path).substr(b, e - b);
        normal = !part.empty() && part != "." && part != "..";
        b = e + 1;
    }
    return normal ? path : std::filesystem::path(path).lexically_normal().string();
}

// A read's error with the file it concerns.
[[noreturn]] void RethrowOn(const VbError& e, const std::string& path) {
    if (!e.Where().empty()) throw e;
    throw VbError(e.Number(), ErrorText(e.Number()), path);
}

bool Exists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

} // namespace

std::shared_ptr<FileImage> FileImages::Use(const std::string& path, std::size_t recordLength,
                                           int tag) {
    const std::string key = KeyOf(path);
    if (auto it = held_.find(key); it != held_.end()) {
        if (std::shared_ptr<FileImage> f = it->second.lock()) {
            // While a change is open no one else writes the files (the
            // piece is this program's alone), so an image read in it stays.
            if (!f->Changed && (!open_ || f->Image.RecordLength() != recordLength)) LetGo(*f);
            f->RecordLength = recordLength;
            if (tag != 0) f->Tag = tag;
            return f;
        }
    }
    // Images no handle holds any more are dropped now and then.
    if (held_.size() > 256)
        std::erase_if(held_, [](const auto& entry) { return entry.second.expired(); });
    auto f = std::make_shared<FileImage>();
    f->Path = key;
    f->RecordLength = recordLength;
    f->Tag = tag;
    held_[key] = f;
    return f;
}

std::string_view FileImages::ReadFile(const std::string& path, std::string& buffer) {
    try {
        return ReadWholeFile(path, buffer);
    } catch (const VbError& e) {
        // Asked only when the reading fails: most files are there.
        if (!Exists(path)) return {};
        RethrowOn(e, path);
    }
}

RecordImage& FileImages::Loaded(FileImage& f) {
    if (f.Loaded) return f.Image;
    f.Existed = true;
    try {
        f.Image = RecordImage::OfFile(f.RecordLength, f.Path);
    } catch (const VbError& e) {
        // Asked only when the reading fails: most files are there.
        if (Exists(f.Path)) RethrowOn(e, f.Path);
        f.Existed = false;
        f.Image = RecordImage(f.RecordLength, "");
    }
    f.LengthAsRead = f.Image.Length();
    f.Loaded = true;
    // Kept until the change ends, also when its handles are closed.
    if (open_) read_.push_back(held_.at(f.Path).lock());
    return f.Image;
}

std::shared_ptr<FileImage> FileImages::ReadInChange(const std::string& path) const {
    if (!open_) return nullptr;
    const auto it = held_.find(KeyOf(path));
    if (it == held_.end()) return nullptr;
    std::shared_ptr<FileImage> f = it->second.lock();
    return f && f->Loaded ? f : nullptr;
}

void FileImages::WillChange(FileImage& f) {
    const bool opened = !open_;
    if (opened) {
        Begin();
        own_ = true;
    }
    try {
        Loaded(f);
    } catch (...) {
        if (opened) Close();
        throw;
    }
    if (f.Changed) return;
    if (BeforeFirstChange) BeforeFirstChange(f);
    f.Changed = true;
    changed_.push_back(held_.at(f.Path).lock());
}

void FileImages::DidChange(FileImage&) {
    if (!own_) return;
    try {
        Commit("write");
    } catch (const CommitUnfinished&) {
        throw;
    } catch (const VbError&) {
        Undo();
        throw;
    }
}

void FileImages::Replace(const std::string& path, std::string bytes) {
    const std::shared_ptr<FileImage> f = Use(path, 1, 0);
    WillChange(*f);
    f->Image = RecordImage(1, std::move(bytes));
    DidChange(*f);
}

std::string_view FileImages::Bytes(const std::string& path, std::string& buffer) {
    if (auto it = held_.find(KeyOf(path)); it != held_.end()) {
        const std::shared_ptr<FileImage> f = it->second.lock();
        if (f && (f->Changed || (open_ && f->Loaded))) return f->Image.View();
    }
    return ReadFile(path, buffer);
}

std::string FileImages::BytesAsRead(const FileImage& f) {
    std::string buffer;
    buffer.resize(ReadFile(f.Path, buffer).size());
    return buffer;
}

bool FileImages::SameAsFile(const FileImage& f) {
    // A length of its own tells most changes without reading the file.
    if (f.Image.Length() != f.LengthAsRead) return false;
    return FileHolds(f.Path, f.Image.Pieces(), readBuffer_);
}

void FileImages::Begin() {
    for (auto& [key, held] : held_)
        if (const std::shared_ptr<FileImage> f = held.lock(); f && !f->Changed) LetGo(*f);
    open_ = true;
    own_ = false;
}

void FileImages::LetGo(FileImage& f) {
    f.Loaded = false;
    f.Image = RecordImage();
}

void FileImages::Commit(const std::string& change) {
    // Each directory's files all or nothing (a change keeps to one piece's
    // directory); a directory committed stays so when a later one fails.
    std::map<std::string, std::vector<std::shared_ptr<FileImage>>> byDirectory;
    for (const std::shared_ptr<FileImage>& f : changed_)
        byDirectory[std::filesystem::path(f->Path).parent_path().string()].push_back(f);
    std::optional<CommitUnfinished> unfinished;
    for (const auto& [dir, images] : byDirectory) {
        std::vector<NewFile> files;
        for (const std::shared_ptr<FileImage>& f : images)
            if (!SameAsFile(*f)) files.push_back({f->Path, f->Image.Pieces()});
        try {
            CommitFiles(files, change, owned_, Hooks);
        } catch (const CommitUnfinished& e) {
            unfinished = e;
        }
        for (const std::shared_ptr<FileImage>& f : images) {
            if (!f->Changed) continue;
            f->Changed = false;
            f->LengthAsRead = f->Image.Length();
        }
        std::erase_if(changed_, [](const std::shared_ptr<FileImage>& f) { return !f->Changed; });
    }
    Close();
    if (unfinished) throw *unfinished;
}

void FileImages::Undo() {
    // The files hold what the images held before the change.
    for (const std::shared_ptr<FileImage>& f : changed_) {
        LetGo(*f);
        f->Changed = false;
    }
    Close();
}

void FileImages::Forget() {
    if (open_) Undo();
    held_.clear();
}

void FileImages::Close() {
    changed_.clear();
    read_.clear();
    open_ = false;
    own_ = false;
}

} // namespace tnq
