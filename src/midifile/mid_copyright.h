// The copyright text a .MID file already carries, read back so that a new
// file of the piece keeps it.
#pragma once

#include <string>

namespace tnq {

// The copyright text of an existing .MID file: the text of a copyright
// event standing first in the first chunk at delta 0; "" when the file is
// missing, unreadable or has no such event. The file is only read.
std::string ReadBackCopyright(const std::string& path);

} // namespace tnq
