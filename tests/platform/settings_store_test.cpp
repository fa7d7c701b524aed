// The settings file: reads, writes, case rules, atomic replacement.
#include "platform/settings_store.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace tnq {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

TEST(SettingsStore, MissingFileAndMissingKeysGiveEmptyText) {
    TempDir d;
    SettingsStore ini(d.Path() / "none" / "win.ini");
    EXPECT_EQ(ini.GetIniSetting(IniSettings, "Tracks"), "");
    EXPECT_FALSE(std::filesystem::exists(ini.File()));
}

TEST(SettingsStore, WritesReachTheFileAndKeepOtherLines) {
    TempDir d;
    const auto file = d.Path() / "win.ini";
    WriteFile(file, "; user notes\r\n[other]\r\nTracks=7\r\n\r\n[TNQ32DEM]\r\nnts = 2500 \r\n"
                    "[last]\r\nx=1\r\n");
    SettingsStore ini(file);
    // Sections and keys match without regard to case; blanks around values go.
    EXPECT_EQ(ini.GetIniSetting(IniSettings, "Nts"), "2500");
    EXPECT_EQ(ini.GetIniSetting(IniSettings, "Tracks"), "");
    EXPECT_EQ(ini.GetIniSetting("Other", "TRACKS"), "7");

    EXPECT_TRUE(ini.SetIniSetting(IniSettings, "NTS", "3000"));
    EXPECT_TRUE(ini.SetIniSetting(IniSettings, "Tracks", "40"));
    EXPECT_TRUE(ini.SetIniSetting("New", "File1", "/home/a/X.TNQ/X.TNQ"));
    EXPECT_EQ(ini.GetIniSetting(IniSettings, "nts"), "3000");
    EXPECT_EQ(ini.GetIniSetting(IniSettings, "Tracks"), "40");
    EXPECT_EQ(ini.GetIniSetting("new", "file1"), "/home/a/X.TNQ/X.TNQ");
    EXPECT_EQ(ini.GetIniSetting("other", "Tracks"), "7");
    EXPECT_EQ(ini.GetIniSetting("last", "x"), "1");

    const std::string text = ReadFile(file);
    EXPECT_NE(text.find("; user notes"), std::string::npos);
    // The new key sits in its own section, before the next one.
    EXPECT_LT(text.find("Tracks=40"), text.find("[last]"));
    // No temporary file is left behind.
    int files = 0;
    for (auto& e : std::filesystem::directory_iterator(d.Path())) {
        (void)e;
        ++files;
    }
    EXPECT_EQ(files, 1);
}

TEST(SettingsStore, ASettingsFileThatIsALinkStaysALink) {
    TempDir d;
    WriteFile(d.Path() / "mine" / "win.ini", "[TNQ32DEM]\nTracks=7\n");
    std::filesystem::create_directory(d.Path() / "tonquill");
    std::filesystem::create_symlink("../mine/win.ini", d.Path() / "tonquill" / "win.ini");
    SettingsStore ini(d.Path() / "tonquill" / "win.ini");
    EXPECT_TRUE(ini.SetIniSetting(IniSettings, "Tracks", "40"));
    EXPECT_TRUE(std::filesystem::is_symlink(ini.File()));
    EXPECT_EQ(ReadFile(d.Path() / "mine" / "win.ini"), "[TNQ32DEM]\nTracks=40\n");
}

TEST(SettingsStore, ValuesAreKeptWholeUpToTheLineLength) {
    TempDir d;
    SettingsStore ini(d.Path() / "win.ini");
    const std::size_t room = kMaxSettingLine - std::string("FilePath=").size();
    for (std::size_t length : {std::size_t{127}, std::size_t{128}, std::size_t{262},
                               std::size_t{286}, std::size_t{4096}, room}) {
        const std::string value = "/" + std::string(length - 1, 'v');
        EXPECT_TRUE(ini.SetIniSetting(IniSettings, "FilePath", value)) << length;
        EXPECT_EQ(ini.GetIniSetting(IniSettings, "FilePath"), value) << length;
    }
    // A line longer than the store writes is refused, never stored cut.
    EXPECT_FALSE(ini.SetIniSetting(IniSettings, "FilePath", std::string(room + 1, 'w')));
    EXPECT_EQ(ini.GetIniSetting(IniSettings, "FilePath").size(), room);
}

TEST(SettingsStore, ValuesAreOneLineWithoutBlanksOrQuotesAround) {
    TempDir d;
    SettingsStore ini(d.Path() / "win.ini");
    ini.SetIniSetting(IniSettings, "Desc", "two\r\nlines");
    EXPECT_EQ(ini.GetIniSetting(IniSettings, "Desc"), "two  lines");
    ini.SetIniSetting(IniSettings, "Resolution", " 0");
    EXPECT_EQ(ini.GetIniSetting(IniSettings, "Resolution"), "0");
    ini.SetIniSetting(IniSettings, "Quoted", "\"a b\"");
    EXPECT_EQ(ini.GetIniSetting(IniSettings, "Quoted"), "a b");
    ini.SetIniSetting(IniSettings, "Empty", "");
    EXPECT_EQ(ini.GetIniSetting(IniSettings, "Empty"), "");
}

// Sets an environment variable for the scope and puts its old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) saved_ = old;
        ::setenv(name, value, 1);
    }
    ~ScopedEnv() {
        if (saved_)
            ::setenv(name_, saved_->c_str(), 1);
        else
            ::unsetenv(name_);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name_;
    std::optional<std::string> saved_;
};

TEST(SettingsStore, DefaultFileFollowsXdgConfigHome) {
    ScopedEnv home("HOME", "/tmp/tnq-home");
    {
        ScopedEnv xdg("XDG_CONFIG_HOME", "/tmp/tnq-xdg");
        EXPECT_EQ(SettingsStore::DefaultFile(), "/tmp/tnq-xdg/tonquill/win.ini");
    }
    ScopedEnv xdg("XDG_CONFIG_HOME", "");
    EXPECT_EQ(SettingsStore::DefaultFile(), "/tmp/tnq-home/.config/tonquill/win.ini");
}

} // namespace
} // namespace tnq
