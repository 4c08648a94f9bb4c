#pragma once
// The UI Automation notification of Windows 10 version 1709 and later, raised on a
// provider of the program's own. The provider answers for a window of its own inside
// the window in front: a child of one pixel that paints nothing and is not clipped out
// of its parent (so no pixel changes), visible and not of zero size (the notification
// fails on such a window). No other window of the program answers UI Automation, so
// screen readers go on reading those through Active Accessibility.
#include <windows.h>

#include <string>

// Speaks `text` from the window `root`; false where it did not go out: the platform
// lacks the notification, or a screen reader that ignores it is hooked into the
// program (those hear the name change of the focus instead, see accessible.cpp).
bool RaiseNotification(HWND root, const std::string& text);
