// The settings store: a profile file of [section] and key=value lines, read
// and written the way the program's settings rules expect (missing key gives
// "", keys and sections match without regard to case, values whole up to the
// line length, every write on disk at once).
#pragma once

#include <filesystem>
#include <string>

namespace tnq {

// The program's section of the settings file.
inline constexpr const char* IniSettings = "Tnq32dem";

// Longest line the store writes: a key, "=" and the value. A path the
// system takes (4096 bytes) fits with room for its key.
inline constexpr std::size_t kMaxSettingLine = 8192;

class SettingsStore {
public:
    explicit SettingsStore(std::filesystem::path file);

    // $XDG_CONFIG_HOME/tonquill/win.ini, or ~/.config/tonquill/win.ini.
    static std::filesystem::path DefaultFile();

    const std::filesystem::path& File() const { return file_; }

    // The value of key in section, "" when missing. Blanks around the value
    // and a pair of enclosing quotes are removed; the rest is given whole.
    std::string GetIniSetting(const std::string& section, const std::string& key) const;

    // Writes key=value into section, keeping every other line. The file is
    // replaced atomically. Returns false when the file could not be written
    // or the line would be longer than kMaxSettingLine (nothing is written:
    // a value is never stored cut). Callers of the program ignore the
    // result, as the rules say.
    bool SetIniSetting(const std::string& section, const std::string& key,
                       const std::string& value);

private:
    std::filesystem::path file_;
};

} // namespace tnq
