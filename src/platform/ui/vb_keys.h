// Keys as the program's key handlers see them: the classic key codes and
// the shift state (1 Shift, 2 Ctrl, 4 Alt), and the typed character as one
// Windows-1252 byte.
#pragma once

#include <QString>
#include <Qt>

class QKeyEvent;

namespace tnq {

namespace vbkey {
inline constexpr int Back = 8;
inline constexpr int Tab = 9;
inline constexpr int Return = 13;
inline constexpr int Shift = 16;
inline constexpr int Control = 17;
inline constexpr int Menu = 18; // Alt
inline constexpr int Escape = 27;
inline constexpr int Space = 32;
inline constexpr int PageUp = 33;
inline constexpr int PageDown = 34;
inline constexpr int End = 35;
inline constexpr int Home = 36;
inline constexpr int Left = 37;
inline constexpr int Up = 38;
inline constexpr int Right = 39;
inline constexpr int Down = 40;
inline constexpr int Insert = 45;
inline constexpr int Delete = 46;
inline constexpr int Key0 = 48; // .. 57 for 9
inline constexpr int A = 65;    // .. 90 for Z
inline constexpr int F1 = 112;  // .. 123 for F12
inline constexpr int F12 = 123;
inline constexpr int Numpad0 = 96; // .. 105 for 9 on the keypad
} // namespace vbkey

namespace vbshift {
inline constexpr int Shift = 1;
inline constexpr int Ctrl = 2;
inline constexpr int Alt = 4;
} // namespace vbshift

// The key code of a Qt key (0 for a key the program has no code for). Keypad
// Enter counts as Enter; the keypad digits have their own codes.
int VbKeyCode(int qtKey, Qt::KeyboardModifiers modifiers);
int VbKeyCode(const QKeyEvent& e);

// The shift state of the modifiers (the keypad flag is not part of it).
int VbShiftState(Qt::KeyboardModifiers modifiers);

// The character a key press types, as one byte (0 when it types none or
// more than one; Tab types none).
int VbKeyAscii(const QKeyEvent& e);

// A Qt key and modifiers for a code and shift state, as a keystroke sent
// by the program (Shift+Tab is the back-tab key).
int QtKeyFor(int keyCode, int shift);
Qt::KeyboardModifiers QtModifiersFor(int shift);
// The text a sent keystroke carries.
QString QtTextFor(int keyCode, int shift);

// One byte of typed text to a QString and back.
QString AsciiToQt(int keyAscii);

} // namespace tnq
