// Main, DefaultPath, DisplayError, ItemSelectionWarning.
#include "core/startup.h"

#include "core/track_change.h"
#include "platform/help_file.h"
#include "platform/vb.h"

#include <filesystem>

namespace tnq {

void FillRequiredFiles(State& s) {
    // Names as they are spelled on disk; the directory is named by its role,
    // not by where this copy of the program happens to have been built.
    const std::string there = " - should be in the program's directory";
    s.RequiredFiles[1] = "libQt6Widgets.so.6 - may already exist on your system";
    s.RequiredFiles[2] = "libQt6Gui.so.6 - may already exist on your system";
    s.RequiredFiles[3] = "libQt6PrintSupport.so.6 - may already exist on your system";
    s.RequiredFiles[4] = "librtmidi.so.6 - may already exist on your system";
    s.RequiredFiles[5] = kHelpFileName + there;
    for (int i = 0; i < 3; ++i)
        s.RequiredFiles[6 + i] = std::string(kSamplePieces[i]) + ".TNQ (a directory)" + there;
}

bool Main(Context& c, const std::function<void()>& showMainForm) {
    State& s = c.s;
    s.ProgramDirectory = c.sys.ProgramDirectory();
    s.CRLF = "\r\n";
    if (c.sys.MajorVersion() < 4) {
        c.msg.MsgBox("This program requires Windows 95 or greater to function properly. Sorry!",
                     mb::Information, std::string("Tonquill"));
        return false;
    }
    s.Version = "4.4";
    FillRequiredFiles(s);
    s.HelpFile = kHelpFileName;
    if (!HelpFileFound(s.HelpFile, s.ProgramDirectory, c.sys.SearchPath())) {
        const std::string name = UCase(s.HelpFile);
        c.msg.MsgBox(name + " not found in your path." + s.CRLF + s.CRLF + "Copy " + name +
                         " to directory " + s.ProgramDirectory +
                         " if you wish to obtain help while running this program.",
                     mb::Exclamation, std::string("Help file not available"));
    }
    showMainForm();
    return true;
}

std::string DefaultPath(Context& c) {
    std::error_code ec;
    const std::string value = c.GetIniSetting("FilePath");
    if (!value.empty() && std::filesystem::is_directory(value, ec)) return value;
    // No directory chosen, or the chosen one has gone: the pieces home. When
    // it is made, the sample pieces go into it so a new user finds them.
    const std::string home = PiecesHome(c.sys);
    if (std::filesystem::create_directories(home, ec))
        CopySamplePieces(c.sys.ProgramDirectory(), home);
    return home;
}

void CopySamplePieces(const std::string& programDir, const std::string& piecesDir) {
    namespace fs = std::filesystem;
    for (const char* name : kSamplePieces) {
        const std::string dir = std::string(name) + ".TNQ";
        const fs::path from = fs::path(programDir) / dir, to = fs::path(piecesDir) / dir;
        std::error_code ec;
        if (!fs::is_directory(from, ec) || fs::exists(to, ec)) continue;
        fs::copy(from, to, fs::copy_options::recursive, ec);
        // A piece copied in part is no piece.
        if (ec) fs::remove_all(to, ec);
    }
}

void DisplayError(Context& c, int number) {
    DisplayError(c, VbError(number));
}

void DisplayError(Context& c, const VbError& e) {
    if (c.s.OpenChange) return c.s.OpenChange->Fail(e);
    c.msg.MsgBox("Error " + std::to_string(e.Number()) + " " + e.Description(), mb::Exclamation);
}

void ItemSelectionWarning(Context& c) {
    c.msg.MsgBox("Selection by Item can only be for one track", mb::Information,
                 std::string("Selection by Item"));
}

} // namespace tnq
