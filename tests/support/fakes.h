// Fakes for the services and the main window's screen, and a fixture that
// builds a fresh program state around them in a temporary directory.
#pragma once

#include "core/context.h"

#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tnq::test {

// Message boxes answered from a script. A box with no scripted answer fails
// the test (and is answered OK / Cancel so the code under test can go on).
class FakeMessageBoxes : public MessageBoxes {
public:
    struct Shown {
        std::string Text;
        int Code = 0;
        std::optional<std::string> Title;
        bool Input = false;
    };

    int MsgBox(const std::string& text, int code = 0,
               const std::optional<std::string>& title = std::nullopt) override;
    std::string InputBox(const std::string& prompt,
                         const std::optional<std::string>& title = std::nullopt,
                         const std::string& defaultText = "") override;

    // The next message box is answered with result.
    void Answer(int result) { answers_.push_back(result); }
    void AnswerOk() { Answer(1); }
    // The next input box is answered with text ("" = Cancel).
    void AnswerInput(const std::string& text) { inputs_.push_back(text); }
    // Answers every box without a script: OK, or Cancel where there is one.
    void AllowUnexpected(bool allow) { allowUnexpected_ = allow; }

    std::vector<Shown> shown;
    bool AllAnswersUsed() const { return answers_.empty() && inputs_.empty(); }
    const Shown& Last() const { return shown.back(); }

private:
    std::deque<int> answers_;
    std::deque<std::string> inputs_;
    bool allowUnexpected_ = false;
};

// The main window's screen as plain values.
class FakeScreen : public MainScreen {
public:
    std::string Text(Box box) const override;
    void SetText(Box box, const std::string& text) override { boxes[box] = text; }
    void SetStatus1(const std::string& text) override { status1 = text; }
    void SetStatus2(const std::string& text) override { status2 = text; }
    void SetTrackFigure(int row, const std::string& text) override;
    void SetHourglass(bool on) override { hourglass = on; }
    void DoEvents() override {
        ++doEvents;
        if (onDoEvents) onDoEvents();
    }
    void SetFocus(Box box) override { focus = box; }

    void SetCaption(const std::string& control, const std::string& text) override {
        captions[control] = text;
    }
    std::string Caption(const std::string& control) const override;
    void SetMenuEnabled(const std::string& control, bool enabled) override {
        menuEnabled[control] = enabled;
    }
    void SetMenuChecked(const std::string& control, bool checked) override {
        menuChecked[control] = checked;
    }
    bool MenuChecked(const std::string& control) const override;
    void EnableMenus() override { ++enableMenusCalls; }
    void ShowEntryHelp() override { ++entryHelpCalls; }
    void ArrangeTrackLabels() override { ++arrangeCalls; }
    void ShowRecentPieces(const std::vector<std::string>& paths) override { recent = paths; }
    void SetTrackList(const std::vector<std::string>& rows, int selected) override {
        trackList = rows;
        trackListSelected = selected;
    }
    void SetBackColor(Box box, std::uint32_t rgb) override { backColor[box] = rgb; }
    void SetControlEnabled(const std::string& control, bool enabled) override {
        controlEnabled[control] = enabled;
    }
    bool GMNamesVisible() const override { return gmNamesVisible; }
    std::string GMNamesText() const override { return gmNamesText; }
    int GMNamesListIndex() const override { return gmNamesIndex; }
    void HideGMNames() override {
        gmNamesVisible = false;
        gmNamesText.clear();
        gmNamesIndex = -1;
    }
    void Beep() override { ++beeps; }
    void SetControlVisible(const std::string& control, bool visible) override {
        controlVisible[control] = visible;
        if (control == "cboGMNames") gmNamesVisible = visible;
    }
    bool ControlVisible(const std::string& control) const override {
        if (control == "cboGMNames") return gmNamesVisible;
        const auto it = controlVisible.find(control);
        return it != controlVisible.end() && it->second;
    }
    void SetFocusOn(const std::string& control) override { focusOn = control; }
    void btnFlip_Click() override { ++flipCalls; }
    void mnuMiscInit_Click() override { ++initCalls; }
    void CloseHelpViewer() override { ++helpClosed; }

    std::map<Box, std::string> boxes;
    std::string status1, status2;
    std::string figures[96];
    bool hourglass = false;
    int doEvents = 0;
    std::function<void()> onDoEvents; // what happens while events run
    std::optional<Box> focus;
    std::map<std::string, std::string> captions;
    std::map<std::string, bool> menuEnabled, menuChecked;
    int enableMenusCalls = 0, entryHelpCalls = 0, arrangeCalls = 0;
    std::vector<std::string> recent, trackList;
    int trackListSelected = -1;
    int initCalls = 0, helpClosed = 0;
    std::map<Box, std::uint32_t> backColor;
    std::map<std::string, bool> controlEnabled;
    bool gmNamesVisible = false;
    std::string gmNamesText;
    int gmNamesIndex = -1;
    int beeps = 0, flipCalls = 0;
    std::map<std::string, bool> controlVisible;
    std::string focusOn;
};

// File and print dialogs answered from a script. A dialog with no scripted
// answer fails the test and is cancelled.
class FakeFileDialogs : public FileDialogs {
public:
    std::optional<std::string> OpenPieceFile(const std::string& startDir) override;
    std::optional<std::string> OpenFile(const std::string& startDir,
                                        const std::string& filter) override;
    std::optional<PrintChoice> Print(int pages) override;
    // Answered from the same script as the piece-file dialog.
    std::optional<std::string> OpenProgramFile() override;

    // The next open dialog chooses path / is cancelled / fails with error n.
    void Choose(const std::string& path) { opens_.push_back({path, 0}); }
    void CancelOpen() { opens_.push_back({std::nullopt, 0}); }
    void FailOpen(int number) { opens_.push_back({std::nullopt, number}); }
    // The next print dialog gives choice / is cancelled.
    void ChoosePrint(const PrintChoice& choice) { prints_.push_back({choice, 0}); }
    void CancelPrint() { prints_.push_back({std::nullopt, 0}); }
    // The next print dialog fails with error n.
    void FailPrint(int number) { prints_.push_back({std::nullopt, number}); }

    std::vector<std::string> openStartDirs; // start directory of each open dialog shown
    int programDialogs = 0;                 // program dialogs shown
    std::vector<int> printPages;            // pages of each print dialog shown
    std::vector<std::string> openFilters;   // filter of each OpenFile dialog shown
    bool AllAnswersUsed() const { return opens_.empty() && prints_.empty(); }

private:
    struct Open {
        std::optional<std::string> Path;
        int Error = 0;
    };
    std::optional<std::string> NextOpen(const std::string& what);
    std::deque<Open> opens_;
    struct Printed {
        std::optional<PrintChoice> Choice;
        int Error = 0;
    };
    std::deque<Printed> prints_;
};

// A MIDI output whose ports are names in a list and whose devices record
// every message sent, as the bytes that would go out.
class RecordingMidiOutput : public MidiOutput {
public:
    std::vector<std::string> Ports() override { return ports; }

    // The messages sent since the last Take, as hex bytes ("C0 00",
    // "B0 79 00"), and forgotten.
    std::vector<std::string> Take();

    std::vector<std::string> ports{"Synth"};
    std::vector<std::vector<unsigned char>> sent;
    bool refuse = false; // the system refuses every open

protected:
    std::unique_ptr<Device> OpenPort(const std::string& port) override;
};

// Records every program it is asked to start; starts succeed unless told.
class FakeLauncher : public Launcher {
public:
    struct Started {
        std::string Program;
        std::vector<std::string> Arguments;
        std::function<void()> OnEarlyFailure; // a test calls it as the program failing
    };
    using Launcher::Start;
    bool Start(const std::string& program, const std::vector<std::string>& arguments,
               std::function<void()> onEarlyFailure) override {
        started.push_back({program, arguments, std::move(onEarlyFailure)});
        return startable;
    }

    std::vector<Started> started;
    bool startable = true;
};

class FakeSystemInfo : public SystemInfo {
public:
    int MajorVersion() const override { return major; }
    std::string ProgramDirectory() const override { return programDir; }
    std::string SearchPath() const override { return path; }
    std::string HomeDirectory() const override { return home; }
    ScreenMetrics Screen() const override { return screen; }

    int major = 4;
    ScreenMetrics screen = ScreenMetrics::FromPixels(1024, 768);
    std::string programDir, path, home;
};

// A temporary directory removed with its contents at the end of the test.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& Path() const { return path_; }
    std::string Str() const { return path_.string(); }

private:
    std::filesystem::path path_;
};

// A fresh program: state, fakes, a settings file and a home directory in a
// temporary directory. Checks at the end that every scripted answer was used.
class Program {
public:
    Program();
    ~Program();

    TempDir dir;
    State s;
    FakeMessageBoxes msg;
    SettingsStore ini;
    FakeScreen screen;
    FakeSystemInfo sys;
    FakeFileDialogs files;
    RecordingMidiOutput midi;
    FakeLauncher launcher;
    Context c;
};

// Writes bytes to a file, creating directories.
void WriteFile(const std::filesystem::path& file, const std::string& bytes);
// Reads a whole file as bytes ("" when missing).
std::string ReadFile(const std::filesystem::path& file);

} // namespace tnq::test
