#pragma once

#include <Qt>

class QKeyEvent;

// The key codes, shift states and character codes that the grid's key notifications carry,
// as the module's handlers know them (Delete 46, Enter 13, Ctrl+Enter 10, Ctrl+D 4).
namespace key_codes {

// The codes the handlers compare with.
inline constexpr int DeleteKey = 46; // a key code
inline constexpr int Enter = 13;     // character codes
inline constexpr int CtrlEnter = 10;

// 0 for a key that has no code.
int keyCode(int qtKey);
// 1 Shift, 2 Ctrl, 4 Alt, added up.
int shiftState(Qt::KeyboardModifiers modifiers);
// 0 for a key that types no character.
int keyAscii(const QKeyEvent& event);

} // namespace key_codes
