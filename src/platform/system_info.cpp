// The running system, as start-up sees it.
#include "platform/system_info.h"

#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <unistd.h>

namespace tnq {

std::string SystemInfo::ProgramDirectory() const {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return std::filesystem::current_path(ec).string();
    return exe.parent_path().string();
}

std::string SystemInfo::SearchPath() const {
    const char* p = std::getenv("PATH");
    return p ? p : "";
}

std::string SystemInfo::HomeDirectory() const {
    const char* h = std::getenv("HOME");
    if (h && *h) return h;
    if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) return pw->pw_dir;
    return "/";
}

std::string PiecesHome(const SystemInfo& sys) {
    return (std::filesystem::path(sys.HomeDirectory()) / "Tonquill").string();
}

} // namespace tnq
