// The program around a command without a window, for the benchmark: the
// screen as plain values, message boxes and dialogs answered from a script,
// and the start-up steps of the main window that the commands rely on. Any
// box that was not scripted counts as a fault of the run.
#pragma once

#include "core/context.h"
#include "editing/copy_commands.h"
#include "editing/delete_by_bar.h"
#include "editing/series.h"
#include "editing/staccato.h"
#include "midifile/mid_options.h"

#include <chrono>
#include <deque>
#include <filesystem>
#include <map>
#include <optional>
#include <string>

namespace tnq::bench {

// The entry boxes, the track figures and the status lines as values.
class BenchScreen : public MainScreen {
public:
    std::string Text(Box box) const override;
    void SetText(Box box, const std::string& text) override { boxes_[box] = text; }
    void SetStatus1(const std::string&) override {}
    void SetStatus2(const std::string&) override {}
    void SetTrackFigure(int, const std::string&) override {}
    void SetHourglass(bool) override {}
    void SetFocus(Box) override {}

private:
    std::map<Box, std::string> boxes_;
};

// Message and input boxes answered in turn from a script.
class ScriptedMessages : public MessageBoxes {
public:
    int MsgBox(const std::string& text, int code,
               const std::optional<std::string>& title) override;
    std::string InputBox(const std::string& prompt, const std::optional<std::string>& title,
                         const std::string& defaultText) override;

    void Answer(int result) { answers_.push_back(result); }
    void AnswerInput(const std::string& text) { inputs_.push_back(text); }
    // The boxes shown without a scripted answer and the answers left over;
    // "" when the script was followed exactly.
    std::string Faults() const;

private:
    std::deque<int> answers_;
    std::deque<std::string> inputs_;
    std::string unexpected_;
};

// The file dialogs: the open dialog chooses the scripted path once.
class ScriptedFiles : public FileDialogs {
public:
    std::optional<std::string> OpenPieceFile(const std::string&) override;
    std::optional<std::string> OpenProgramFile() override { return std::nullopt; }
    std::optional<std::string> OpenFile(const std::string&, const std::string&) override {
        return std::nullopt;
    }
    std::optional<PrintChoice> Print(int) override { return std::nullopt; }

    std::optional<std::string> next;
};

// The track-selection dialog: OK with every track of the piece ticked.
class AllTracks : public TrackSelectionDialog {
public:
    void Show(Context& c) override;
    void SetCaption(const std::string&) override {}
};

// The command dialogs: OK with the texts given, through the dialogs' own
// OK checks (a refused text shows the dialog's Cancel).
class ScriptedStaccato : public StaccatoDialog {
public:
    bool Show(Context& c) override;
    StaccatoTexts Texts() const override { return texts; }
    StaccatoTexts texts;
};

class ScriptedSeries : public SeriesDialog {
public:
    bool Show(Context& c) override;
    SeriesTexts Texts() const override { return texts; }
    SeriesTexts texts;
};

class ScriptedCopyByBar : public CopyByBarDialog {
public:
    bool Show(Context& c) override;
    CopyByBarTexts Texts() const override { return texts; }
    std::string mode = "INSERT";
    CopyByBarTexts texts;
};

class ScriptedDeleteByBar : public DeleteByBarDialog {
public:
    bool Show(Context& c) override;
    DeleteByBarTexts Texts() const override { return texts; }
    DeleteByBarTexts texts;
};

// The .MID options dialog answered OK with the title and copyright it
// offers; remembers when OK was given.
class TimedMidDialog : public MidOptionsDialog {
public:
    std::optional<MidOptions> Show(Context& c) override;
    std::chrono::steady_clock::time_point okAt;
};

// A program as the main window's start leaves it, its pieces directory
// dir/pieces and its settings file in dir.
struct BenchProgram {
    explicit BenchProgram(const std::filesystem::path& dir);
    BenchProgram(const BenchProgram&) = delete;
    BenchProgram& operator=(const BenchProgram&) = delete;

    State s;
    ScriptedMessages msg;
    SettingsStore ini;
    BenchScreen screen;
    SystemInfo sys;
    ScriptedFiles files;
    Context c;
};

} // namespace tnq::bench
