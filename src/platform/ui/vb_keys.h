// Keys as the program's key handlers see them: the classic key codes and
// the shift state (1 Shift, 2 Ctrl, 4 Alt), and the typed character as one
// Windows-1252 byte.
#pragma once

#include "platform/key_codes.h"

#include <QString>
#include <Qt>

class QKeyEvent;

namespace tnq {

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
