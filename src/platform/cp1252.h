// Windows-1252 text: the one-byte-a-character form of every piece file and
// of the texts inside .MID files. The program keeps such bytes in
// std::string and converts only where text meets the screen.
#pragma once

#include <string>
#include <string_view>

namespace tnq {

// Bytes in Windows-1252 to UTF-8. The five unassigned bytes (81, 8D, 8F, 90,
// 9D) map to the control characters of the same number, so every byte
// string survives a round trip.
std::string Cp1252ToUtf8(std::string_view bytes);

// UTF-8 to Windows-1252. A character the code page cannot hold becomes
// unheld ('?' unless told); malformed UTF-8 bytes (overlong forms included)
// do too.
std::string Utf8ToCp1252(std::string_view utf8, char unheld = '?');

// What a typed character the code page cannot hold becomes where the text
// must not silently change: the control character SUB, which no title,
// name or number takes.
inline constexpr char kUnheldCharacter = '\x1A';

// True when every character of the UTF-8 text has a Windows-1252 byte.
bool FitsCp1252(std::string_view utf8);

} // namespace tnq
