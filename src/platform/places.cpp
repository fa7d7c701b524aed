// The root, home and mounted media as places.
#include "platform/places.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace tnq {

namespace {

// A mount point as /proc/mounts writes it: blanks, tabs, newlines and
// backslashes as three octal digits after a backslash.
std::string Unescaped(const std::string& field) {
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() &&
            std::all_of(field.begin() + static_cast<long>(i) + 1,
                        field.begin() + static_cast<long>(i) + 4,
                        [](char c) { return c >= '0' && c <= '7'; })) {
            out += static_cast<char>(std::stoi(field.substr(i + 1, 3), nullptr, 8));
            i += 3;
        } else {
            out += field[i];
        }
    }
    return out;
}

bool IsMedia(const std::string& dir) {
    for (const char* root : {"/media/", "/run/media/", "/mnt/"})
        if (dir.rfind(root, 0) == 0 && dir.size() > std::char_traits<char>::length(root))
            return true;
    return false;
}

} // namespace

std::vector<std::string> Places(const std::string& home, const std::string& mounts) {
    std::vector<std::string> places{"/"};
    auto add = [&](const std::string& p) {
        if (!p.empty() && std::find(places.begin(), places.end(), p) == places.end())
            places.push_back(p);
    };
    add(home);
    std::istringstream lines(mounts);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string device, dir;
        if (!(fields >> device >> dir)) continue;
        dir = Unescaped(dir);
        if (IsMedia(dir)) add(dir);
    }
    return places;
}

std::vector<std::string> SystemPlaces(const std::string& home) {
    std::ifstream in("/proc/mounts");
    std::stringstream text;
    text << in.rdbuf();
    return Places(home, text.str());
}

} // namespace tnq
