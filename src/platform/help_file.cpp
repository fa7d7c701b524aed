// The help document search.
#include "platform/help_file.h"

#include <sys/stat.h>

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

bool HelpFileFound(std::string& helpFile, const std::string& programDir, const std::string& pathEnv,
                   const FileExists& exists) {
    std::string dir = WithSlash(programDir);
    bool found = exists(dir + helpFile);
    if (!found && !pathEnv.empty()) {
        std::string path = pathEnv;
        if (path.back() != ':') path += ':';
        while (!found) {
            auto sep = path.find(':');
            if (sep == std::string::npos) break;
            dir = WithSlash(path.substr(0, sep));
            found = exists(dir + helpFile);
            path = path.substr(sep + 1);
        }
    }
    if (found) helpFile = dir + helpFile;
    return found;
}

} // namespace tnq
