// Help topics, the viewer's own page, the About box's texts and System Info.
#include "misc/help_commands.h"

#include "platform/message_box.h"

#include <string_view>

namespace tnq {

std::string HelpAnchor(const std::string& document, int topic) {
    const std::string anchor = "topic-" + std::to_string(topic);
    if (topic > 0 && document.find("id=\"" + anchor + "\"") != std::string::npos) return anchor;
    return kHelpContents;
}

int FormHelpTopic(const std::string& formName, const std::string& menuMode) {
    if (formName == "frmVolume") return menuMode == "mnuEdtTempos" ? 15 : 32;
    if (formName == "frmCopyByBar") return menuMode == "mnuEdtVertical" ? 20 : 16;
    struct Row {
        std::string_view Form;
        int Topic;
    };
    // The topic of the command or entry field that shows the window.
    static constexpr Row kTopics[] = {
        {"frmDynamics", 14},    {"frmPitchbend", 31}, {"frmCCPrep", 36},      {"frmCopyByItem", 16},
        {"frmDeletebyBar", 40}, {"frmStaccato", 19},  {"frmParameters", 21},  {"frmPunch", 27},
        {"frmRandom", 41},      {"frmTwoNote", 42},   {"frmReviseBarNos", 5}, {"frmNoteOptions", 6},
        {"frmMidFile", 11},     {"frmBalance", 22},   {"frmGrid1", 44},       {"frmMisc", 25},
        {"frmFilter", 46},      {"frmTrackDesc", 45}, {"frmDirectory", 26},   {"frmMidiOutput", 33},
    };
    for (const Row& r : kTopics)
        if (r.Form == formName) return r.Topic;
    return 0;
}

std::string UsingHelpPage() {
    return "<h1>Using Help</h1>"
           "<p>The help viewer shows the program's help document. It stays open beside the "
           "main window while you work, and closes when the program ends.</p>"
           "<h2>Finding a topic</h2>"
           "<ul>"
           "<li><b>Contents</b> goes to the list of topics at the start of the document.</li>"
           "<li>Click an underlined link to go to its topic.</li>"
           "<li><b>Back</b> returns to the topic shown before; <b>Forward</b> goes on again.</li>"
           "<li>Scroll with the scroll bar, the mouse wheel, or the Page Up and Page Down "
           "keys.</li>"
           "</ul>"
           "<h2>Help on what you are doing</h2>"
           "<p>Press <b>F1</b> in an entry field of the main window, or while an item of a menu "
           "is highlighted, to see the topic on that field or command; in a dialog or any other "
           "window, to see the topic on that window. <b>Esc</b> or <b>Close</b> closes the "
           "viewer.</p>"
           "<h2>From the Help menu</h2>"
           "<ul>"
           "<li><b>Overview</b> pages through a short introduction to the program.</li>"
           "<li><b>Contents</b> opens this viewer at the list of topics.</li>"
           "<li><b>Using Help</b> shows this page.</li>"
           "<li><b>About Tonquill</b> shows the program's version.</li>"
           "</ul>";
}

std::string MissingHelpPage(const std::string& helpFile) {
    return "<h1>Help is not available</h1><p>The help document <b>" + helpFile +
           "</b> could not be read. Copy it into the program's directory to obtain help while "
           "running this program.</p>";
}

std::string AboutCaption() {
    return std::string("About ") + kProgramTitle;
}

std::string AboutTitle(const State& s) {
    return std::string(kProgramTitle) + " v" + s.Version;
}

std::string SysInfoProgram(const std::string& pathEnv, const FileExists& exists) {
    for (const char* name : kSysInfoPrograms) {
        const std::string found = FoundOnPath(name, pathEnv, exists);
        if (!found.empty()) return found;
    }
    return "";
}

void StartSysInfo(Context& c, const FileExists& exists) {
    const std::string program = SysInfoProgram(c.sys.SearchPath(), exists);
    if (!program.empty() && c.launcher && c.launcher->Start(program, {})) return;
    c.msg.MsgBox("System Information Is Unavailable At This Time", mb::OKOnly);
}

} // namespace tnq
