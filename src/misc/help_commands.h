// What the Help menu and F1 show: the place in the help document for a
// help topic, the viewer's own page on using it, the About box's texts and
// the system-information program it starts.
#pragma once

#include "core/context.h"
#include "platform/help_file.h"

#include <string>

namespace tnq {

// The anchor of the help document's contents.
inline constexpr const char* kHelpContents = "contents";

// The anchor a help topic (a control's or menu's help number) leads to:
// "topic-N" where the document has it, else its contents.
std::string HelpAnchor(const std::string& document, int topic);

// The help topic of a window other than the main window, by its name, for
// F1 pressed in it: the topic of the command or field that shows the window,
// 0 (the contents) for a window the help has no topic for. A dialog shared
// by two commands takes the topic of the one running (menuMode).
int FormHelpTopic(const std::string& formName, const std::string& menuMode);

// The viewer's own page on how to use it (Help > Using Help).
std::string UsingHelpPage();
// The page shown in place of a help document that cannot be read.
std::string MissingHelpPage(const std::string& helpFile);

// The About box: its caption ("About Tonquill (32 bit)") and title line
// ("Tonquill (32 bit) v4.4").
std::string AboutCaption();
std::string AboutTitle(const State& s);

// Programs that show the system's information, looked for in this order.
inline constexpr const char* kSysInfoPrograms[] = {"hardinfo2", "hardinfo", "kinfocenter",
                                                   "gnome-system-monitor", "xfce4-taskmanager"};

// The first of those on the search path, "" when none is.
std::string SysInfoProgram(const std::string& pathEnv,
                           const FileExists& exists = ProgramFileExists);

// System Info: starts that program through the launcher; none found, no
// launcher, or a failed start gives "System Information Is Unavailable At
// This Time".
void StartSysInfo(Context& c, const FileExists& exists = ProgramFileExists);

} // namespace tnq
