// The directory list and OK of Change Directory.
#include "misc/directory_change.h"

#include "core/piece_commands.h"
#include "core/piece_paths.h"
#include "platform/vb.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <unistd.h>

namespace tnq {

namespace fs = std::filesystem;

namespace {

// The error of a directory that cannot be listed or entered; 0 when it can.
int DirectoryError(const std::string& path) {
    std::error_code ec;
    if (path.empty() || !fs::is_directory(path, ec)) return err::PathNotFound;
    if (::access(path.c_str(), R_OK | X_OK) != 0) return ErrorFromErrno(errno);
    return 0;
}

} // namespace

std::vector<DirRow> DirListRows(const std::string& path) {
    if (const int e = DirectoryError(path)) throw VbError(e);
    const fs::path p = fs::path(path).lexically_normal();
    std::vector<DirRow> rows;
    fs::path sofar;
    int level = 0;
    for (const fs::path& part : p) {
        if (part.empty()) continue; // a trailing separator
        sofar /= part;
        rows.push_back({part.string(), sofar.string(), level++, true});
    }
    std::vector<DirRow> subs;
    std::error_code ec;
    for (fs::directory_iterator it(p, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code dec;
        if (it->is_directory(dec))
            subs.push_back({it->path().filename().string(), it->path().string(), level, false});
    }
    if (ec) throw VbError(err::PermissionDenied);
    std::sort(subs.begin(), subs.end(),
              [](const DirRow& a, const DirRow& b) { return a.Name < b.Name; });
    rows.insert(rows.end(), subs.begin(), subs.end());
    return rows;
}

std::string DirListErrorText(const VbError& e) {
    return "Error " + Str(e.Number()) + " " + e.Description();
}

bool ChangeDirectoryOK(Context& c, const std::string& selected, const std::string& listPath,
                       bool makeDefault) {
    State& s = c.s;
    if (selected == s.FilePath) return true;
    if (InStr(UCase(listPath), ".TNQ") > 0) return false;
    if (const int e = DirectoryError(selected)) {
        c.msg.MsgBox("Error " + std::to_string(e) + " " + ErrorText(e), mb::OKOnly,
                     std::string("Directory not changed"));
        return false;
    }
    // The open piece keeps the directory it lives in.
    if (s.PieceOpen == 1 && s.PieceHome.empty()) s.PieceHome = s.FilePath;
    s.FilePath = selected;
    c.screen.SetCaption("frmKVS", kCaptionPrefix + PathText(s.FilePath));
    if (makeDefault) c.SetIniSetting("FilePath", s.FilePath);
    return true;
}

} // namespace tnq
