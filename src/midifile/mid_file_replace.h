// NAME.MID replaced in one step: the new bytes go to a file beside it that
// takes its place only when complete, so a failure never leaves a
// half-written file behind.
#pragma once

#include "core/state.h"

#include <string>

namespace tnq {

// Makes bytes the contents of path: they are written to a new file beside
// it, which replaces path only when complete. fileOpen is 1 while that file
// is open. On a failure the new file is removed, path is left as it was and
// VbError is raised.
void ReplaceFileContents(const std::string& path, const std::string& bytes, Integer& fileOpen);

} // namespace tnq
