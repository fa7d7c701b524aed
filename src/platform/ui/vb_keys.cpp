// Qt keys to the classic key codes and back.
#include "platform/ui/vb_keys.h"

#include "platform/ui/qt_message_boxes.h"

#include <QKeyEvent>

namespace tnq {

int VbKeyCode(int k, Qt::KeyboardModifiers modifiers) {
    if (k >= Qt::Key_A && k <= Qt::Key_Z) return vbkey::A + (k - Qt::Key_A);
    if (k >= Qt::Key_F1 && k <= Qt::Key_F12) return vbkey::F1 + (k - Qt::Key_F1);
    if (k >= Qt::Key_0 && k <= Qt::Key_9)
        return (modifiers & Qt::KeypadModifier) ? vbkey::Numpad0 + (k - Qt::Key_0)
                                                : vbkey::Key0 + (k - Qt::Key_0);
    switch (k) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return vbkey::Return;
    case Qt::Key_Escape:
        return vbkey::Escape;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return vbkey::Tab;
    case Qt::Key_Backspace:
        return vbkey::Back;
    case Qt::Key_Space:
        return vbkey::Space;
    case Qt::Key_PageUp:
        return vbkey::PageUp;
    case Qt::Key_PageDown:
        return vbkey::PageDown;
    case Qt::Key_End:
        return vbkey::End;
    case Qt::Key_Home:
        return vbkey::Home;
    case Qt::Key_Left:
        return vbkey::Left;
    case Qt::Key_Up:
        return vbkey::Up;
    case Qt::Key_Right:
        return vbkey::Right;
    case Qt::Key_Down:
        return vbkey::Down;
    case Qt::Key_Insert:
        return vbkey::Insert;
    case Qt::Key_Delete:
        return vbkey::Delete;
    case Qt::Key_Shift:
        return vbkey::Shift;
    case Qt::Key_Control:
        return vbkey::Control;
    case Qt::Key_Alt:
        return vbkey::Menu;
    case Qt::Key_Asterisk:
        return (modifiers & Qt::KeypadModifier) ? 106 : 0;
    case Qt::Key_Plus:
        return (modifiers & Qt::KeypadModifier) ? 107 : 0;
    case Qt::Key_Minus:
        return (modifiers & Qt::KeypadModifier) ? 109 : 189;
    case Qt::Key_Period:
        return (modifiers & Qt::KeypadModifier) ? 110 : 190;
    case Qt::Key_Slash:
        return (modifiers & Qt::KeypadModifier) ? 111 : 191;
    case Qt::Key_Comma:
        return 188;
    case Qt::Key_Semicolon:
        return 186;
    case Qt::Key_Equal:
        return 187;
    default:
        return 0;
    }
}

int VbKeyCode(const QKeyEvent& e) {
    return VbKeyCode(e.key(), e.modifiers());
}

int VbShiftState(Qt::KeyboardModifiers m) {
    return ((m & Qt::ShiftModifier) ? vbshift::Shift : 0) |
           ((m & Qt::ControlModifier) ? vbshift::Ctrl : 0) |
           ((m & Qt::AltModifier) ? vbshift::Alt : 0);
}

int VbKeyAscii(const QKeyEvent& e) {
    if (e.key() == Qt::Key_Tab || e.key() == Qt::Key_Backtab) return 0;
    if (e.key() == Qt::Key_Return || e.key() == Qt::Key_Enter) return 13;
    if (e.key() == Qt::Key_Escape) return 27;
    if (e.key() == Qt::Key_Backspace) return 8;
    const QString t = e.text();
    if (t.size() != 1) return 0;
    const std::string b = FromQt(t);
    return b.size() == 1 ? static_cast<unsigned char>(b[0]) : 0;
}

int QtKeyFor(int code, int shift) {
    if (code >= vbkey::A && code <= vbkey::A + 25) return Qt::Key_A + (code - vbkey::A);
    if (code >= vbkey::F1 && code <= vbkey::F12) return Qt::Key_F1 + (code - vbkey::F1);
    if (code >= vbkey::Key0 && code <= vbkey::Key0 + 9) return Qt::Key_0 + (code - vbkey::Key0);
    if (code >= vbkey::Numpad0 && code <= vbkey::Numpad0 + 9)
        return Qt::Key_0 + (code - vbkey::Numpad0);
    switch (code) {
    case vbkey::Return:
        return Qt::Key_Return;
    case vbkey::Escape:
        return Qt::Key_Escape;
    case vbkey::Tab:
        return (shift & vbshift::Shift) ? Qt::Key_Backtab : Qt::Key_Tab;
    case vbkey::Back:
        return Qt::Key_Backspace;
    case vbkey::Space:
        return Qt::Key_Space;
    case vbkey::PageUp:
        return Qt::Key_PageUp;
    case vbkey::PageDown:
        return Qt::Key_PageDown;
    case vbkey::End:
        return Qt::Key_End;
    case vbkey::Home:
        return Qt::Key_Home;
    case vbkey::Left:
        return Qt::Key_Left;
    case vbkey::Up:
        return Qt::Key_Up;
    case vbkey::Right:
        return Qt::Key_Right;
    case vbkey::Down:
        return Qt::Key_Down;
    case vbkey::Insert:
        return Qt::Key_Insert;
    case vbkey::Delete:
        return Qt::Key_Delete;
    default:
        return Qt::Key_unknown;
    }
}

Qt::KeyboardModifiers QtModifiersFor(int shift) {
    Qt::KeyboardModifiers m;
    if (shift & vbshift::Shift) m |= Qt::ShiftModifier;
    if (shift & vbshift::Ctrl) m |= Qt::ControlModifier;
    if (shift & vbshift::Alt) m |= Qt::AltModifier;
    return m;
}

QString QtTextFor(int code, int shift) {
    if (shift & (vbshift::Ctrl | vbshift::Alt)) return {};
    if (code >= vbkey::A && code <= vbkey::A + 25) {
        const char c = static_cast<char>((shift & vbshift::Shift) ? code : code + 32);
        return QString(QChar(c));
    }
    if (code >= vbkey::Key0 && code <= vbkey::Key0 + 9) return QString(QChar(char(code)));
    if (code >= vbkey::Numpad0 && code <= vbkey::Numpad0 + 9)
        return QString(QChar(char('0' + code - vbkey::Numpad0)));
    switch (code) {
    case vbkey::Return:
        return QStringLiteral("\r");
    case vbkey::Escape:
        return QString(QChar(27));
    case vbkey::Back:
        return QStringLiteral("\b");
    case vbkey::Space:
        return QStringLiteral(" ");
    default:
        return {};
    }
}

QString AsciiToQt(int keyAscii) {
    return ToQt(std::string(1, static_cast<char>(keyAscii)));
}

} // namespace tnq
