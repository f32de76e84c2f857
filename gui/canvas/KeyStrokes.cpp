#include "gui/canvas/KeyStrokes.h"

#include <wx/event.h>

#include <cctype>

namespace plandor {

KeyStroke keyStroke(const wxKeyEvent& event) {
    KeyStroke k;
    k.ctrl = event.ControlDown();
    k.shift = event.ShiftDown();
    k.alt = event.AltDown();
    const int code = event.GetKeyCode();
    switch (code) {
    case WXK_DELETE:
    case WXK_NUMPAD_DELETE:
        k.key = KeyDelete;
        return k;
    case WXK_BACK:
        k.key = KeyBackspace;
        return k;
    case WXK_ESCAPE:
        k.key = KeyEscape;
        return k;
    case WXK_RETURN:
    case WXK_NUMPAD_ENTER:
        k.key = KeyEnter;
        return k;
    case WXK_F1:
        k.key = KeyF1;
        return k;
    case WXK_NUMPAD_ADD:
        k.key = '+';
        return k;
    case WXK_NUMPAD_SUBTRACT:
        k.key = '-';
        return k;
    default:
        break;
    }
    // The character typed ("+" is Shift and "=" on many keyboards), else the key's own code.
    // On GTK the raw code is the key symbol, which for printable ASCII is the character itself.
    const unsigned typed = event.GetRawKeyCode();
    const int key = typed > ' ' && typed < 127 ? static_cast<int>(typed) : code;
    k.key = key > 0 && key < 127 ? std::toupper(key) : 0;
    return k;
}

} // namespace plandor
