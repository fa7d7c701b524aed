// Whole-file reads and replacements for the program's text files. A
// replacement writes a temporary file beside the target and renames it over
// the target only after every byte is written and flushed, so a failure
// never leaves a half-written file behind. Failures raise VbError with the
// classic numbers (53 file not found, 61 disk full, 70 permission denied,
// 76 path not found, ...).
#pragma once

#include <string>
#include <string_view>

namespace tnq {

// The bytes of the file at path.
std::string ReadWholeFile(const std::string& path);
// The same bytes read into buffer (for reading many files one after the
// other): they are its first bytes and hold until the buffer is changed.
std::string_view ReadWholeFile(const std::string& path, std::string& buffer);

// Replaces the file at path (created when missing) by bytes.
void ReplaceWholeFile(const std::string& path, const std::string& bytes);

} // namespace tnq
