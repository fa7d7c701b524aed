// Finding the help document: the program directory first, then each
// directory of PATH.
#pragma once

#include <functional>
#include <string>

namespace tnq {

// The help document's name before it is found.
inline constexpr const char* kHelpFileName = "Tnq32.html";

// Whether a file exists at a path; injectable for tests.
using FileExists = std::function<bool(const std::string& path)>;
bool RegularFileExists(const std::string& path);
// A regular file the user may run.
bool ProgramFileExists(const std::string& path);

// The full path of name in the first ':'-separated entry of pathEnv that
// holds it (an empty entry stands for the root directory); "" when none.
std::string FoundOnPath(const std::string& name, const std::string& pathEnv,
                        const FileExists& exists);

// Looks for helpFile in programDir, then in each ':'-separated entry of
// pathEnv (an empty entry stands for the root directory). On success
// helpFile becomes the full path and the result is true; otherwise helpFile
// is unchanged.
bool HelpFileFound(std::string& helpFile, const std::string& programDir, const std::string& pathEnv,
                   const FileExists& exists = RegularFileExists);

} // namespace tnq
