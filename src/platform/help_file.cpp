// The help document search.
#include "platform/help_file.h"

#include <sys/stat.h>
#include <unistd.h>

namespace tnq {

bool RegularFileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

namespace {
std::string WithSlash(std::string dir) {
    if (dir.empty() || dir.back() != '/') dir += '/';
    return dir;
}
} // namespace

bool ProgramFileExists(const std::string& path) {
    return RegularFileExists(path) && ::access(path.c_str(), X_OK) == 0;
}

std::string FoundOnPath(const std::string& name, const std::string& pathEnv,
                        const FileExists& exists) {
    if (pathEnv.empty()) return "";
    std::string path = pathEnv;
    if (path.back() != ':') path += ':';
    for (;;) {
        const auto sep = path.find(':');
        if (sep == std::string::npos) return "";
        const std::string candidate = WithSlash(path.substr(0, sep)) + name;
        if (exists(candidate)) return candidate;
        path = path.substr(sep + 1);
    }
}

bool HelpFileFound(std::string& helpFile, const std::string& programDir, const std::string& pathEnv,
                   const FileExists& exists) {
    std::string found = WithSlash(programDir) + helpFile;
    if (!exists(found)) found = FoundOnPath(helpFile, pathEnv, exists);
    if (found.empty()) return false;
    helpFile = found;
    return true;
}

} // namespace tnq
