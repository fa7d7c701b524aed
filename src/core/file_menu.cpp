// CommonDialogOpen, the recent pieces, Exit, Delete and the File and Edit
// menu openers.
#include "core/file_menu.h"

#include "core/piece_commands.h"
#include "core/piece_paths.h"
#include "core/screen_procs.h"
#include "platform/system_info.h"
#include "platform/vb.h"

#include <algorithm>

namespace tnq {

bool CommonDialogOpen(Context& c, Integer& kind, std::string& path) {
    State& s = c.s;
    s.DialogError = 0;
    if (kind != 1 && kind != 5) return false;
    if (c.files == nullptr) {
        s.DialogError = err::CancelSelected;
        return false;
    }
    try {
        if (kind == 1) {
            const std::string start =
                (s.PieceOpen == 1 && !s.PieceTitle.empty()) ? PieceDirectory(s) : s.FilePath;
            const std::optional<std::string> chosen = c.files->OpenPieceFile(start);
            if (!chosen) {
                s.DialogError = err::CancelSelected;
                return false;
            }
            path = *chosen;
            return true;
        }
        const std::optional<PrintChoice> choice = c.files->Print(s.PrintPages);
        if (!choice) {
            s.DialogError = err::CancelSelected;
            return false;
        }
        const auto clamp = [](int v) { return static_cast<Integer>(std::clamp(v, 0, 32767)); };
        if (choice->PageRange) {
            s.PrintFromPage = clamp(choice->FromPage);
            s.PrintToPage = clamp(choice->ToPage);
        } else {
            s.PrintFromPage = 1;
            s.PrintToPage = s.PrintPages;
        }
        s.PrintCopies = clamp(choice->Copies);
        return true;
    } catch (const VbError& e) {
        if (e.Number() == err::CancelSelected) {
            s.DialogError = err::CancelSelected;
        } else {
            c.msg.MsgBox("Error " + std::to_string(e.Number()) + " " + e.Description() + " Occured",
                         mb::Information, std::string("Common Dialog Error"));
        }
        return false;
    }
}

namespace {

void ShowRecent(Context& c) {
    State& s = c.s;
    s.RecentCount = static_cast<Integer>(s.RecentPieces.size());
    c.screen.ShowRecentPieces(s.RecentPieces);
}

} // namespace

void UpdateFileMenu(Context& c) {
    State& s = c.s;
    if (s.PiecePath.empty()) return;
    auto& list = s.RecentPieces;
    const auto found = std::find(list.begin(), list.end(), s.PiecePath);
    if (found != list.end()) list.erase(found);
    list.insert(list.begin(), s.PiecePath);
    if (list.size() > static_cast<std::size_t>(kMaxRecentPieces))
        list.resize(static_cast<std::size_t>(kMaxRecentPieces));
    ShowRecent(c);
}

void LoadRecentPieces(Context& c) {
    State& s = c.s;
    s.RecentPieces.clear();
    for (int n = 1; n <= kMaxRecentPieces; ++n) {
        const std::string v = c.GetIniSetting("File" + std::to_string(n));
        if (v.empty()) break;
        s.RecentPieces.push_back(v);
    }
    ShowRecent(c);
}

bool mnuFileArray_Click(Context& c, int index) {
    State& s = c.s;
    if (index < 1 || index > static_cast<int>(s.RecentPieces.size())) return false;
    const std::string path = s.RecentPieces[static_cast<std::size_t>(index) - 1];
    if (s.PieceOpen == 1 && s.PieceChanged == 1) {
        const int answer = c.msg.MsgBox("Do you wish to save the changes to " + s.PieceTitle + "?",
                                        mb::YesNo | mb::Critical, std::string("Save File"));
        s.Response = static_cast<Integer>(answer);
        // A Save that failed keeps the piece open.
        if (answer == mb::Yes && !mnuFilSave_Click(c)) return false;
        if (answer == mb::No) s.PieceChanged = 0;
    }
    s.OpenFromRecent = -1;
    const bool opened = OpenPieceFile(c, path);
    s.OpenFromRecent = 0;
    return opened;
}

bool ExitProgram(Context& c) {
    State& s = c.s;
    if (s.PieceOpen == 1 && s.PieceChanged == 1) {
        const int answer = c.msg.MsgBox("Do you wish to save the changes ?",
                                        mb::YesNoCancel | mb::Critical, std::string("Save File"));
        s.Response = static_cast<Integer>(answer);
        if (answer == mb::Yes) {
            if (!mnuFilSave_Click(c)) return false;
        } else if (answer != mb::No) {
            return false;
        }
    }
    for (std::size_t i = 0; i < s.RecentPieces.size(); ++i)
        c.SetIniSetting("File" + std::to_string(i + 1), s.RecentPieces[i]);
    c.screen.CloseHelpViewer();
    return true;
}

bool mnuFilExit_Click(Context& c) {
    return ExitProgram(c);
}

bool Form_QueryUnload(Context& c) {
    return !ExitProgram(c);
}

void mnuFilDelete_Click(Context& c) {
    if (c.s.PieceOpen == 1) {
        c.msg.MsgBox(std::string("Use ") + kFileManagerName +
                         " to delete an individual track, the '.TNQ' file, or the entire folder.",
                     mb::Information, std::string("Delete File"));
    } else {
        NoFileOpenMsg(c);
    }
}

namespace {

void MenuOpened(Context& c) {
    c.screen.SetCaption("Label3", "Items Entered");
    try {
        ShowTrackCounts(c);
    } catch (const VbError&) {
        // No score yet.
    }
    c.s.MenuActive = 0;
    c.screen.SetCaption("lblTimeElapsed", "");
}

} // namespace

void mnuFile_Click(Context& c) {
    MenuOpened(c);
    c.screen.SetStatus1("");
}

bool mnuEdit_Click(Context& c) {
    if (c.s.PieceOpen != 1) {
        NoFileOpenMsg(c);
        return false;
    }
    MenuOpened(c);
    return true;
}

} // namespace tnq
