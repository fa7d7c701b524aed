// Which typed texts can be a piece's title: the title names the piece
// directory TITLE.TNQ, its track files and the settings key TITLE-init.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tnq {

// Longest title New accepts.
inline constexpr std::size_t kMaxTitleLength = 8;

enum class TitleCheck {
    Ok,
    Empty,        // nothing but blanks (or a cancelled input box)
    TooLong,      // more than kMaxTitleLength characters
    BadCharacter, // a path separator, ".", a settings-key character or a control character
};

struct CheckedTitle {
    TitleCheck Result = TitleCheck::Empty;
    std::string Title; // the text without leading and trailing blanks, upper case
};

// Checks a typed title: leading and trailing blanks are removed and the rest
// upper-cased; "/", "\", ".", "=", "[", "]", ";" and control characters
// cannot stand in a title.
CheckedTitle CheckPieceTitle(std::string_view typed);

// True for a character a title cannot hold.
bool IsBadTitleCharacter(char ch);

// The message for a title with a character it cannot hold (the input box
// gives a character beyond Windows-1252 as a control character).
inline constexpr const char* kBadTitleMessage =
    "A title cannot contain / \\ . = [ ] ;, control characters or characters outside "
    "Windows-1252 (such as Greek or Japanese letters)";

} // namespace tnq
