// The scripted program around the benchmark's commands.
#include "bench/scripted.h"

#include "core/memory.h"
#include "core/vocabulary.h"

namespace tnq::bench {

std::string BenchScreen::Text(Box box) const {
    const auto it = boxes_.find(box);
    return it == boxes_.end() ? std::string() : it->second;
}

int ScriptedMessages::MsgBox(const std::string& text, int, const std::optional<std::string>&) {
    if (answers_.empty()) {
        unexpected_ += "unexpected message \"" + text + "\"; ";
        return mb::OK;
    }
    const int a = answers_.front();
    answers_.pop_front();
    return a;
}

std::string ScriptedMessages::InputBox(const std::string& prompt,
                                       const std::optional<std::string>&, const std::string&) {
    if (inputs_.empty()) {
        unexpected_ += "unexpected input box \"" + prompt + "\"; ";
        return "";
    }
    std::string a = inputs_.front();
    inputs_.pop_front();
    return a;
}

std::string ScriptedMessages::Faults() const {
    std::string f = unexpected_;
    if (!answers_.empty() || !inputs_.empty()) f += "a scripted box was not shown; ";
    return f;
}

std::optional<std::string> ScriptedFiles::OpenPieceFile(const std::string&) {
    std::optional<std::string> chosen = next;
    next.reset();
    return chosen;
}

void AllTracks::Show(Context& c) {
    c.s.SelectedTracks.assign(static_cast<std::size_t>(c.s.NumTracks), '1');
}

bool ScriptedStaccato::Show(Context& c) {
    return StaccatoOK(c, texts) == StaccatoField::None;
}

bool ScriptedSeries::Show(Context& c) {
    constexpr int kController = 1; // the list's first controller; tempos name none
    if (SeriesOK(c, texts, kController) != EditField::None) return false;
    c.s.DialogResult = SeriesResult(c.s, kController);
    return true;
}

bool ScriptedCopyByBar::Show(Context& c) {
    return CopyByBarOK(c, mode, texts, 0, 0) == CopyField::None;
}

bool ScriptedDeleteByBar::Show(Context&) {
    return DeleteByBarOK(texts) == BarField::None;
}

std::optional<MidOptions> TimedMidDialog::Show(Context& c) {
    c.s.DialogResult = "";
    MidOptions o;
    o.Title = MidDialogTitle(c.s);
    o.Copyright = MidDialogCopyright(c.s);
    okAt = std::chrono::steady_clock::now();
    return o;
}

BenchProgram::BenchProgram(const std::filesystem::path& dir)
    : ini(dir / "win.ini"), c{s, msg, ini, screen, sys} {
    c.files = &files;
    // The program's start-up, then the main window's load: pieces directory,
    // tables and limits.
    s.FilePath = (dir / "pieces").string();
    std::filesystem::create_directories(s.FilePath);
    FillNoteTables(s);
    SystemDefaults(c);
    s.CapacityReached = 0;
    s.PieceChanged = 0;
}

} // namespace tnq::bench
