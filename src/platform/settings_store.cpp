// Profile-file reads and atomic rewrites.
#include "platform/settings_store.h"

#include "platform/vb.h"
#include "platform/whole_file.h"

#include <cstdlib>
#include <fstream>
#include <vector>

namespace tnq {

namespace {

std::string TrimWs(const std::string& s) {
    std::size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t' || s[b] == '\r')) ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t' || s[e - 1] == '\r')) --e;
    return s.substr(b, e - b);
}

bool SameName(const std::string& a, const std::string& b) {
    return UCase(a) == UCase(b);
}

std::vector<std::string> ReadLines(const std::filesystem::path& file) {
    std::vector<std::string> lines;
    std::ifstream in(file, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// The section name of a "[name]" line, or false.
bool SectionOf(const std::string& line, std::string& name) {
    std::string t = TrimWs(line);
    if (t.size() < 2 || t.front() != '[') return false;
    auto close = t.find(']');
    if (close == std::string::npos) return false;
    name = TrimWs(t.substr(1, close - 1));
    return true;
}

// The key of a "key=value" line, or false.
bool KeyOf(const std::string& line, std::string& key, std::string& value) {
    auto eq = line.find('=');
    if (eq == std::string::npos) return false;
    std::string t = TrimWs(line.substr(0, eq));
    if (t.empty() || t[0] == ';') return false;
    key = t;
    value = line.substr(eq + 1);
    return true;
}

// A value written on one line: line breaks would split it.
std::string OneLine(const std::string& s) {
    std::string r = s;
    for (char& c : r)
        if (c == '\r' || c == '\n') c = ' ';
    return r;
}

} // namespace

SettingsStore::SettingsStore(std::filesystem::path file) : file_(std::move(file)) {}

std::filesystem::path SettingsStore::DefaultFile() {
    std::filesystem::path base;
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && *xdg) {
        base = xdg;
    } else {
        const char* home = std::getenv("HOME");
        base = std::filesystem::path(home && *home ? home : ".") / ".config";
    }
    return base / "tonquill" / "win.ini";
}

std::string SettingsStore::GetIniSetting(const std::string& section, const std::string& key) const {
    bool inSection = false;
    for (const auto& line : ReadLines(file_)) {
        std::string name, k, v;
        if (SectionOf(line, name)) {
            inSection = SameName(name, section);
            continue;
        }
        if (!inSection || !KeyOf(line, k, v) || !SameName(k, key)) continue;
        v = TrimWs(v);
        if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
            v = v.substr(1, v.size() - 2);
        return v;
    }
    return "";
}

bool SettingsStore::SetIniSetting(const std::string& section, const std::string& key,
                                  const std::string& value) {
    std::vector<std::string> lines = ReadLines(file_);
    const std::string entry = OneLine(key) + "=" + OneLine(value);
    if (entry.size() > kMaxSettingLine) return false;

    bool inSection = false, done = false;
    std::size_t sectionEnd = std::string::npos; // insert position inside our section
    for (std::size_t i = 0; i < lines.size() && !done; ++i) {
        std::string name, k, v;
        if (SectionOf(lines[i], name)) {
            if (inSection) break; // our section ended without the key
            inSection = SameName(name, section);
            if (inSection) sectionEnd = i + 1;
            continue;
        }
        if (!inSection) continue;
        if (KeyOf(lines[i], k, v) && SameName(k, key)) {
            lines[i] = entry;
            done = true;
        } else if (!TrimWs(lines[i]).empty()) {
            sectionEnd = i + 1;
        }
    }
    if (!done) {
        if (sectionEnd != std::string::npos) {
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(sectionEnd), entry);
        } else {
            lines.push_back("[" + section + "]");
            lines.push_back(entry);
        }
    }

    std::string text;
    for (const auto& l : lines) {
        text += l;
        text += '\n';
    }

    std::error_code ec;
    std::filesystem::create_directories(file_.parent_path(), ec);
    try {
        ReplaceWholeFile(file_.string(), text, Beside::UniqueName);
    } catch (const VbError&) {
        return false;
    }
    return true;
}

} // namespace tnq
