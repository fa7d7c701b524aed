// The classic key codes and shift states the program's key handlers use,
// without any toolkit.
#pragma once

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

} // namespace tnq
