// Piece directory and track file names, and the piece a file belongs to.
#include "core/piece_paths.h"

#include "core/piece_title.h"
#include "platform/cp1252.h"
#include "platform/vb.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <sys/stat.h>

namespace tnq {

namespace fs = std::filesystem;

namespace {

std::string Join(const std::string& dir, const std::string& name) {
    if (!dir.empty() && dir.back() == '/') return dir + name;
    return dir + "/" + name;
}

} // namespace

std::string DiskName(std::string_view name) {
    return Cp1252ToUtf8(name);
}

std::optional<std::string> NameFromDisk(std::string_view name) {
    if (!FitsCp1252(name)) return std::nullopt;
    return Utf8ToCp1252(name);
}

std::string PathText(std::string_view path) {
    return Utf8ToCp1252(path);
}

bool SameNameIgnoringCase(const std::string& a, const std::string& b) {
    if (a == b) return true;
    const std::optional<std::string> pa = NameFromDisk(a), pb = NameFromDisk(b);
    return pa && pb && UCase(*pa) == UCase(*pb);
}

std::string TrackFileName(const std::string& title, int track) {
    std::string name = title.size() >= 7 ? title.substr(0, 6) : title;
    std::string number = std::to_string(track);
    if (number.size() < 2) number = "0" + number;
    return name + number;
}

bool IsPieceFileName(const std::string& title, const std::string& diskName) {
    for (const char* ext : {".TNQ", ".DAT", ".MID"})
        if (SameNameIgnoringCase(diskName, DiskName(title + ext))) return true;
    for (int t = 1; t <= 96; ++t)
        if (SameNameIgnoringCase(diskName, DiskName(TrackFileName(title, t)))) return true;
    return false;
}

bool State::OwnsFileName(const std::string& name) const {
    return IsPieceFileName(PieceTitle, name);
}

std::string FindNameIgnoringCase(const std::string& dir, const std::string& name) {
    const std::string disk = DiskName(name);
    // The name as it stands, asked of the system at once (the common case,
    // met for every track a command walks).
    struct stat st {};
    if (::stat(((dir.empty() ? std::string(".") : dir) + "/" + disk).c_str(), &st) == 0) return disk;
    std::error_code ec;
    const fs::path d = dir.empty() ? fs::path(".") : fs::path(dir);
    // Several entries may differ only in case; take the first by byte order
    // so the choice does not depend on the order the directory lists them.
    std::set<std::string> matches;
    for (fs::directory_iterator it(d, ec), end; !ec && it != end; it.increment(ec)) {
        std::string entry = it->path().filename().string();
        if (SameNameIgnoringCase(entry, disk)) matches.insert(std::move(entry));
    }
    return matches.empty() ? disk : *matches.begin();
}

std::string JoinIgnoringCase(const std::string& dir, const std::string& name) {
    std::string base = dir;
    while (base.size() > 1 && base.back() == '/') base.pop_back();
    if (base == "/") return "/" + FindNameIgnoringCase(dir, name);
    return base + "/" + FindNameIgnoringCase(dir, name);
}

std::string PieceDirectoryOf(const std::string& filePath, const std::string& title) {
    if (title.empty() || title.find('/') != std::string::npos ||
        title.find('\0') != std::string::npos)
        throw VbError(err::BadFileNameOrNumber);
    // Never relative to the current directory.
    if (filePath.empty()) throw VbError(err::PathNotFound);
    return JoinIgnoringCase(filePath, title + ".TNQ");
}

const std::string& OpenPieceHome(const State& s) {
    return s.PieceHome.empty() ? s.FilePath : s.PieceHome;
}

std::string PieceDirectory(const State& s) {
    return PieceDirectoryOf(OpenPieceHome(s), s.PieceTitle);
}

std::string PieceDirectoryFor(const State& s, const std::string& title) {
    if (!s.PieceTitle.empty() && title == s.PieceTitle) return PieceDirectory(s);
    return PieceDirectoryOf(s.FilePath, title);
}

std::string PieceFilePath(const State& s, const std::string& fileName) {
    return JoinIgnoringCase(PieceDirectory(s), fileName);
}

std::string TrackFilePath(const State& s, const std::string& title, int track) {
    return JoinIgnoringCase(PieceDirectoryFor(s, title), TrackFileName(title, track));
}

std::string NewPieceDirectoryOf(const std::string& filePath, const std::string& title) {
    return Join(filePath, DiskName(title + ".TNQ"));
}

std::string DataFilePathOf(const std::string& filePath, const std::string& title) {
    return Join(NewPieceDirectoryOf(filePath, title), DiskName(title + ".TNQ"));
}

std::optional<PieceLocation> LocatePiece(const std::string& path) {
    if (path.empty()) return std::nullopt;
    fs::path p(path);
    if (p.is_relative()) {
        std::error_code ec;
        p = fs::absolute(p, ec);
        if (ec) return std::nullopt;
    }
    p = p.lexically_normal();
    const std::string name = p.filename().string();
    const fs::path parent = p.parent_path();
    // Names that are no UTF-8 or hold a letter beyond Windows-1252 cannot
    // be a title.
    const std::optional<std::string> dirText = NameFromDisk(parent.filename().string());
    if (!dirText) return std::nullopt;
    const std::string dirName = UCase(*dirText);
    if (name.empty() || dirName.size() <= 4 || dirName.substr(dirName.size() - 4) != ".TNQ")
        return std::nullopt;

    PieceLocation loc;
    loc.Title = dirName.substr(0, dirName.size() - 4);
    if (std::any_of(loc.Title.begin(), loc.Title.end(), IsBadTitleCharacter)) return std::nullopt;
    loc.FilePath = parent.parent_path().string();
    const std::string upperName = UCase(NameFromDisk(name).value_or(""));
    if (upperName == loc.Title + ".TNQ") {
        loc.DataFile = true;
    } else if (upperName.size() >= 4 && upperName.substr(upperName.size() - 4) == ".TNQ") {
        return std::nullopt; // some other .TNQ file: no piece's data file
    }
    return loc;
}

} // namespace tnq
