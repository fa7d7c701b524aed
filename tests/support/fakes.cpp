// Test fakes.
#include "support/fakes.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdlib.h>

namespace tnq::test {

int FakeMessageBoxes::MsgBox(const std::string& text, int code,
                             const std::optional<std::string>& title) {
    shown.push_back({text, code, title, false});
    if (answers_.empty()) {
        if (!allowUnexpected_)
            ADD_FAILURE() << "unexpected message box: \"" << text << "\" code " << code
                          << " title \"" << title.value_or("(program title)") << "\"";
        const int buttons = mb::Buttons(code);
        return (buttons == mb::OKCancel || buttons == mb::YesNoCancel || buttons == mb::RetryCancel)
                   ? mb::Cancel
                   : (buttons == mb::YesNo ? mb::No : mb::OK);
    }
    int r = answers_.front();
    answers_.pop_front();
    return r;
}

std::string FakeMessageBoxes::InputBox(const std::string& prompt,
                                       const std::optional<std::string>& title,
                                       const std::string&) {
    shown.push_back({prompt, 0, title, true});
    if (inputs_.empty()) {
        if (!allowUnexpected_) ADD_FAILURE() << "unexpected input box: \"" << prompt << "\"";
        return "";
    }
    std::string r = inputs_.front();
    inputs_.pop_front();
    return r;
}

std::string FakeScreen::Text(Box box) const {
    auto it = boxes.find(box);
    return it == boxes.end() ? std::string() : it->second;
}

std::string FakeScreen::Caption(const std::string& control) const {
    auto it = captions.find(control);
    return it == captions.end() ? std::string() : it->second;
}

bool FakeScreen::MenuChecked(const std::string& control) const {
    auto it = menuChecked.find(control);
    return it != menuChecked.end() && it->second;
}

std::optional<std::string> FakeFileDialogs::OpenPieceFile(const std::string& startDir) {
    openStartDirs.push_back(startDir);
    return NextOpen("open-file dialog in \"" + startDir + "\"");
}

std::optional<std::string> FakeFileDialogs::OpenProgramFile() {
    ++programDialogs;
    return NextOpen("program dialog");
}

std::optional<std::string> FakeFileDialogs::NextOpen(const std::string& what) {
    if (opens_.empty()) {
        ADD_FAILURE() << "unexpected " << what;
        return std::nullopt;
    }
    Open o = opens_.front();
    opens_.pop_front();
    if (o.Error != 0) throw VbError(o.Error);
    return o.Path;
}

std::optional<std::string> FakeFileDialogs::OpenFile(const std::string& startDir,
                                                     const std::string& filter) {
    openFilters.push_back(filter);
    return OpenPieceFile(startDir);
}

std::optional<PrintChoice> FakeFileDialogs::Print(int pages) {
    printPages.push_back(pages);
    if (prints_.empty()) {
        ADD_FAILURE() << "unexpected print dialog";
        return std::nullopt;
    }
    Printed r = prints_.front();
    prints_.pop_front();
    if (r.Error != 0) throw VbError(r.Error);
    return r.Choice;
}

void FakeScreen::SetTrackFigure(int row, const std::string& text) {
    ASSERT_GE(row, 0);
    ASSERT_LT(row, 96);
    figures[row] = text;
}

TempDir::TempDir() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "tnqtest.XXXXXX").string();
    std::vector<char> buf(tmpl.begin(), tmpl.end());
    buf.push_back('\0');
    if (!::mkdtemp(buf.data())) throw std::runtime_error("mkdtemp failed");
    path_ = buf.data();
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::vector<std::string> RecordingMidiOutput::Take() {
    std::vector<std::string> out;
    for (const auto& m : sent) {
        std::string hex;
        for (unsigned char b : m) {
            char cell[4];
            std::snprintf(cell, sizeof cell, "%02X", b);
            hex += (hex.empty() ? "" : " ") + std::string(cell);
        }
        out.push_back(hex);
    }
    sent.clear();
    return out;
}

std::unique_ptr<MidiOutput::Device> RecordingMidiOutput::OpenPort(const std::string&) {
    class Recorder : public Device {
    public:
        explicit Recorder(RecordingMidiOutput& out) : out_(out) {}
        bool Send(const std::vector<unsigned char>& bytes) override {
            out_.sent.push_back(bytes);
            return true;
        }

    private:
        RecordingMidiOutput& out_;
    };
    if (refuse) return nullptr;
    return std::make_unique<Recorder>(*this);
}

Program::Program()
    : ini(dir.Path() / "config" / "tonquill" / "win.ini"), c{s, msg, ini, screen, sys} {
    c.files = &files;
    c.midi = &midi;
    c.launcher = &launcher;
    sys.programDir = (dir.Path() / "prog").string();
    sys.home = (dir.Path() / "home").string();
    sys.path = "";
    std::filesystem::create_directories(sys.programDir);
    std::filesystem::create_directories(sys.home);
}

Program::~Program() {
    EXPECT_TRUE(msg.AllAnswersUsed()) << "scripted box answers left over";
    EXPECT_TRUE(files.AllAnswersUsed()) << "scripted dialog answers left over";
}

void WriteFile(const std::filesystem::path& file, const std::string& bytes) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string ReadFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

} // namespace tnq::test
