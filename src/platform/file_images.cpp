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

std::string KeyOf(const std::string& path) {
    return std::filesystem::path(path).lexically_normal().string();
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

bool SameBytes(const RecordImage& image, const std::string& bytes) {
    if (image.Length() != static_cast<long long>(bytes.size())) return false;
    std::size_t at = 0;
    for (const std::string_view piece : image.Pieces()) {
        if (bytes.compare(at, piece.size(), piece) != 0) return false;
        at += piece.size();
    }
    return true;
}

} // namespace

std::shared_ptr<FileImage> FileImages::Use(const std::string& path, std::size_t recordLength,
                                           int tag) {
    const std::string key = KeyOf(path);
    if (auto it = held_.find(key); it != held_.end()) {
        if (std::shared_ptr<FileImage> f = it->second.lock()) {
            if (!f->Changed) LetGo(*f);
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

RecordImage& FileImages::Loaded(FileImage& f) {
    if (f.Loaded) return f.Image;
    std::string bytes;
    if (Exists(f.Path)) {
        try {
            bytes = ReadWholeFile(f.Path);
        } catch (const VbError& e) {
            RethrowOn(e, f.Path);
        }
    }
    f.Image = RecordImage(f.RecordLength, std::move(bytes));
    f.Loaded = true;
    return f.Image;
}

void FileImages::WillChange(FileImage& f) {
    const bool opened = !open_;
    if (opened) {
        Begin();
        own_ = true;
        ++AutoCommits;
    }
    try {
        Loaded(f);
    } catch (...) {
        if (opened) Close();
        throw;
    }
    if (f.Changed) return;
    if (BeforeFirstChange) BeforeFirstChange(f);
    f.Before = f.Image.Bytes();
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
    const std::string key = KeyOf(path);
    if (auto it = held_.find(key); it != held_.end()) {
        const std::shared_ptr<FileImage> f = it->second.lock();
        if (f && f->Changed) {
            std::size_t size = 0;
            const std::vector<std::string_view> pieces = f->Image.Pieces();
            for (const std::string_view p : pieces) size += p.size();
            if (buffer.size() < size) buffer.resize(size);
            std::size_t at = 0;
            for (const std::string_view p : pieces) {
                std::copy(p.begin(), p.end(), buffer.begin() + static_cast<long>(at));
                at += p.size();
            }
            return std::string_view(buffer.data(), size);
        }
    }
    if (!Exists(path)) return {};
    try {
        return ReadWholeFile(path, buffer);
    } catch (const VbError& e) {
        RethrowOn(e, path);
    }
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
            if (!SameBytes(f->Image, f->Before)) files.push_back({f->Path, f->Image.Pieces()});
        try {
            CommitFiles(files, change, Hooks);
        } catch (const CommitUnfinished& e) {
            unfinished = e;
        }
        for (const std::shared_ptr<FileImage>& f : images) {
            if (!f->Changed) continue;
            f->Changed = false;
            std::string().swap(f->Before);
        }
        std::erase_if(changed_, [](const std::shared_ptr<FileImage>& f) { return !f->Changed; });
    }
    Close();
    if (unfinished) throw *unfinished;
}

void FileImages::Undo() {
    for (const std::shared_ptr<FileImage>& f : changed_) {
        f->Image = RecordImage(f->RecordLength, std::move(f->Before));
        f->Before.clear();
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
    open_ = false;
    own_ = false;
}

} // namespace tnq
