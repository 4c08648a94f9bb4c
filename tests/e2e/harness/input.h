// Real input through the window system's input queue (SendInput): it reaches whatever
// window has the focus or lies under the pointer, exactly as the player's would.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// Presses and releases one key, with the given modifier keys (VK_MENU, VK_SHIFT,
// VK_CONTROL) held down around it.
void PressKey(WORD virtualKey, std::vector<WORD> modifiers = {});
// Types text as characters (KEYEVENTF_UNICODE), whatever the keyboard layout.
void TypeText(const std::wstring& text);
// Moves the pointer to a screen position and clicks the left button there.
void ClickAt(POINT screen);
void DoubleClickAt(POINT screen);
void RightClickAt(POINT screen);
// The left button held down at a screen position, and released there.
void PressLeftButtonAt(POINT screen);
void ReleaseLeftButtonAt(POINT screen);
// Moves the pointer without clicking (to park it away from the windows under test).
void MovePointerTo(POINT screen);

}  // namespace e2e
