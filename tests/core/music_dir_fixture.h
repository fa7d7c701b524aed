// A fresh program whose pieces directory is an empty "music" directory, with
// the limits loaded from (empty) settings and the note tables filled.
#pragma once

#include "core/memory.h"
#include "core/vocabulary.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace tnq::test {

class MusicDirTest : public ::testing::Test {
protected:
    void SetUp() override {
        music = (p.dir.Path() / "music").string();
        std::filesystem::create_directories(music);
        s.FilePath = music;
        SystemDefaults(c);
        FillNoteTables(s);
    }
    // Full path of the data file of the piece title.
    std::string DataPath(const std::string& title) const {
        return music + "/" + title + ".TNQ/" + title + ".TNQ";
    }

    Program p;
    State& s = p.s;
    Context& c = p.c;
    std::string music;
};

} // namespace tnq::test
