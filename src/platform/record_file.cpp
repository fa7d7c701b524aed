// Record handles on file images.
#include "platform/record_file.h"

#include "platform/vb.h"

#include <cerrno>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace tnq {

void RecordFile::Open(FileImages& images, const std::string& path, std::size_t recordLength,
                      int tag) {
    OpenWith(images, path, recordLength, tag, false);
}

void RecordFile::OpenForReading(FileImages& images, const std::string& path,
                                std::size_t recordLength, int tag) {
    OpenWith(images, path, recordLength, tag, true);
}

void RecordFile::OpenWith(FileImages& images, const std::string& path, std::size_t recordLength,
                          int tag, bool readOnly) {
    Close();
    if (recordLength == 0) throw VbError(59);
    // A file read in the open change is as it was then: no one else changes
    // the piece's files meanwhile.
    if (images.ThereInChange(path)) {
        images_ = &images;
        file_ = images.Use(path, recordLength, tag);
        readOnly_ = readOnly;
        return;
    }
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        const int e = errno;
        if (e != ENOENT) throw VbError(ErrorFromErrno(e), ErrorText(ErrorFromErrno(e)), path);
        if (readOnly) throw VbError(err::FileNotFound, ErrorText(err::FileNotFound), path);
        // Missing: it is made by the first write, in a directory that exists.
        const std::filesystem::path dir = std::filesystem::path(path).parent_path();
        struct stat ds {};
        if (::stat(dir.empty() ? "." : dir.c_str(), &ds) != 0 || !S_ISDIR(ds.st_mode))
            throw VbError(err::PathNotFound, ErrorText(err::PathNotFound), path);
    } else if (S_ISDIR(st.st_mode)) {
        throw VbError(err::PathFileAccessError, ErrorText(err::PathFileAccessError), path);
    } else if (::access(path.c_str(), R_OK) != 0) {
        const int n = ErrorFromErrno(errno);
        throw VbError(n, ErrorText(n), path);
    }
    images_ = &images;
    file_ = images.Use(path, recordLength, tag);
    readOnly_ = readOnly;
}

void RecordFile::Close() {
    file_.reset();
    images_ = nullptr;
    readOnly_ = false;
}

FileImage& RecordFile::File() const {
    if (!file_) throw VbError(err::BadFileNameOrNumber);
    return *file_;
}

const std::string& RecordFile::Path() const {
    static const std::string none;
    return file_ ? file_->Path : none;
}

std::size_t RecordFile::RecordLength() const {
    return file_ ? file_->RecordLength : 0;
}

int RecordFile::Tag() const {
    return file_ ? file_->Tag : 0;
}

long long RecordFile::Length() const {
    FileImage& f = File();
    return images_->Loaded(f).Length();
}

bool RecordFile::Read(long long n, std::string& record) const {
    FileImage& f = File();
    if (n < 1) throw VbError(err::BadRecordNumber);
    return images_->Loaded(f).Read(n, record);
}

std::string_view RecordFile::Record(long long n) const {
    FileImage& f = File();
    if (n < 1) throw VbError(err::BadRecordNumber);
    return images_->Loaded(f).Record(n);
}

template <class Change> void RecordFile::Changing(Change change) {
    FileImage& f = File();
    if (readOnly_) throw VbError(err::BadFileMode);
    images_->WillChange(f);
    try {
        change(f.Image);
    } catch (...) {
        // A move refused leaves the image as it was: nothing to commit.
        images_->DidChange(f);
        throw;
    }
    images_->DidChange(f);
}

void RecordFile::Write(long long n, const std::string& record) {
    File();
    if (n < 1) throw VbError(err::BadRecordNumber);
    Changing([&](RecordImage& image) { image.Write(n, record); });
}

void RecordFile::WriteRecords(long long n, std::string_view records) {
    File();
    if (n < 1) throw VbError(err::BadRecordNumber);
    if (records.empty()) return;
    Changing([&](RecordImage& image) { image.WriteRecords(n, records); });
}

void RecordFile::FillRecords(long long n, long long count, std::string_view record) {
    File();
    if (n < 1) throw VbError(err::BadRecordNumber);
    if (count < 1) return;
    Changing([&](RecordImage& image) { image.FillRecords(n, count, record); });
}

void RecordFile::MoveUp(long long first, long long last, long long n) {
    Changing([&](RecordImage& image) { image.MoveUp(first, last, n); });
}

void RecordFile::MoveDown(long long first, long long last, long long n) {
    Changing([&](RecordImage& image) { image.MoveDown(first, last, n); });
}

std::string_view RecordFile::View() const {
    return images_->Loaded(File()).View();
}

std::string_view RecordFile::Bytes(std::string& buffer) const {
    FileImage& f = File();
    // In a change the file is read once and kept to its end.
    if (images_->ChangeOpen()) images_->Loaded(f);
    return images_->Bytes(f.Path, buffer);
}

} // namespace tnq
