#pragma once
// The text of a window: its caption, or the contents of an edit box.
#include <windows.h>

#include <string>

std::string WindowText(HWND window);
