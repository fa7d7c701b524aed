// A fresh program with a new piece made by File > New (No to the automatic
// initialization), and scripted stand-ins for the set-up dialogs.
#pragma once

#include "core/memory.h"
#include "core/music_dir_fixture.h"
#include "core/piece_commands.h"
#include "core/piece_paths.h"
#include "core/track_files.h"
#include "core/vocabulary.h"
#include "misc/init_new_file.h"
#include "misc/settings.h"
#include "misc/track_descriptions.h"
#include "support/fake_printer.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace tnq::test {

// The settings dialog: OK with the boxes a script sets, or closed unchanged.
class FakeSettingsDialog : public SettingsDialog {
public:
    void Show(Context& c) override {
        ++shows;
        SettingsBoxes b = SettingsShowing(c.s);
        if (edit) {
            edit(b);
            lastFocus = SettingsOK(c, b);
        }
    }
    std::function<void(SettingsBoxes&)> edit;
    SettingsFocus lastFocus = SettingsFocus::None;
    int shows = 0;
};

// The grid: Initialize File with the cells set, or Cancel.
class FakeGridDialog : public InitGridDialog {
public:
    void Show(Context& c) override {
        ++shows;
        multipleAtShow = c.s.MultiplePorts == -1;
        c.s.DialogResult = cancel ? "" : "okay";
    }
    GridCells Cells() const override { return cells; }

    // Sets the data cells of track row r (from column 1).
    void Row(int r, std::vector<std::string> data) {
        if (cells.size() <= static_cast<std::size_t>(r))
            cells.resize(static_cast<std::size_t>(r) + 1);
        data.insert(data.begin(), std::to_string(r));
        cells[static_cast<std::size_t>(r)] = std::move(data);
    }
    GridCells cells;
    bool cancel = false;
    bool multipleAtShow = false;
    int shows = 0;
};

// The track description dialog: stores the typed pairs, then Update or Cancel.
class FakeTrackDescDialog : public TrackDescDialog {
public:
    void Show(Context& c) override {
        for (const auto& [track, text] : typed) StoreDescription(c.s, track, text);
        c.s.DialogResult = update ? "ok" : "";
    }
    std::vector<std::pair<std::string, std::string>> typed;
    bool update = true;
};

class NewPieceTest : public MusicDirTest {
protected:
    void SetUp() override {
        MusicDirTest::SetUp();
        c.printer = &printer;
    }
    // File > New of title with the given limits, No to the initialization.
    void NewPiece(const std::string& title, int tracks = 4, int items = 2000) {
        p.ini.SetIniSetting(IniSettings, "Tracks", std::to_string(tracks));
        p.ini.SetIniSetting(IniSettings, "Nts", std::to_string(items));
        p.msg.AnswerInput(title);
        p.msg.Answer(mb::No);
        ASSERT_TRUE(mnuFilNew_Click(c));
    }
    std::filesystem::path PieceDir() const {
        return std::filesystem::path(s.FilePath) / (s.PieceTitle + ".TNQ");
    }
    std::filesystem::path TrackPath(int t) const {
        return PieceDir() / TrackFileName(s.PieceTitle, t);
    }
    void WriteTrack(int t, const std::vector<TrackItemRecord>& items) {
        std::string bytes;
        for (const auto& r : items) bytes += EncodeRecord(r);
        WriteFile(TrackPath(t), bytes + EncodeRecord(kEndRecord));
    }
    // The records of a track file.
    std::vector<TrackItemRecord> Records(int t) const {
        const std::string bytes = ReadFile(TrackPath(t));
        std::vector<TrackItemRecord> out;
        for (std::size_t at = 0; at + kRecordLength <= bytes.size(); at += kRecordLength)
            out.push_back(Trimmed(DecodeRecord(std::string_view(bytes).substr(at, kRecordLength))));
        return out;
    }

    FakePrinter printer;
};

inline TrackItemRecord Note(const std::string& name, const std::string& bar = "1") {
    return {name, "4", "q", "0", "64", bar, "1", "0"};
}

} // namespace tnq::test
