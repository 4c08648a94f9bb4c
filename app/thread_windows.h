#pragma once
// The top-level windows of the event-loop thread, and the rule that picks the one to
// hand the focus or the activation to.
#include <windows.h>

#include <functional>
#include <vector>

// Calls `visit` for each top-level window of the calling thread, in the platform's
// order, until it returns false. An error raised by `visit` ends the enumeration and
// goes on from here once the platform's enumeration has returned: errors never cross
// the platform's frames.
void ForEachThreadWindow(const std::function<bool(HWND)>& visit);

// Among `candidates`, in their order: the first visible and enabled window that is
// not topmost, else the first visible and enabled topmost one; none when there is
// neither.
HWND FirstTaskWindow(const std::vector<HWND>& candidates);
