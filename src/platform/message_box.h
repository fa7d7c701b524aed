// Message and input boxes as a service. Codes and results are the classic
// ones: the code adds a button set, an icon and a default button.
#pragma once

#include <optional>
#include <string>

namespace tnq {

// The program's title, shown by every box that has no title of its own.
inline constexpr const char* kProgramTitle = "Tonquill (32 bit)";

namespace mb {
// Button sets.
inline constexpr int OKOnly = 0;
inline constexpr int OKCancel = 1;
inline constexpr int AbortRetryIgnore = 2;
inline constexpr int YesNoCancel = 3;
inline constexpr int YesNo = 4;
inline constexpr int RetryCancel = 5;
// Icons.
inline constexpr int Critical = 16;
inline constexpr int Question = 32;
inline constexpr int Exclamation = 48;
inline constexpr int Information = 64;
// Default buttons.
inline constexpr int DefaultButton2 = 256;
inline constexpr int DefaultButton3 = 512;
// Results.
inline constexpr int OK = 1;
inline constexpr int Cancel = 2;
inline constexpr int Abort = 3;
inline constexpr int Retry = 4;
inline constexpr int Ignore = 5;
inline constexpr int Yes = 6;
inline constexpr int No = 7;

inline int Buttons(int code) {
    return code & 7;
}
inline int Icon(int code) {
    return code & 0x70;
}
inline int DefaultButton(int code) {
    return (code & 0x300) >> 8;
} // 0-based
} // namespace mb

// Texts are in the program's own one-byte encoding (Windows-1252); a
// screen implementation converts them.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;

    // Shows text with the buttons and icon of code; an absent title shows
    // the program's title. Returns the button chosen. Esc chooses Cancel in
    // boxes that have Cancel, OK in an OK box, and nothing in a Yes/No box.
    virtual int MsgBox(const std::string& text, int code = 0,
                       const std::optional<std::string>& title = std::nullopt) = 0;

    // Asks for one line of text; Cancel gives "". A typed character
    // Windows-1252 cannot hold comes back as kUnheldCharacter.
    virtual std::string InputBox(const std::string& prompt,
                                 const std::optional<std::string>& title = std::nullopt,
                                 const std::string& defaultText = "") = 0;
};

} // namespace tnq
