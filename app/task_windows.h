#pragma once
// The windows that a modal showing or a program message box disables: every visible
// and enabled top-level window of the thread at that moment. Each showing keeps its
// own list, so nested showings restore correctly.
#include <windows.h>

#include <vector>

class DisabledTaskWindows {
public:
  DisabledTaskWindows();
  // Enables again those that still exist.
  ~DisabledTaskWindows();
  DisabledTaskWindows(const DisabledTaskWindows&) = delete;
  DisabledTaskWindows& operator=(const DisabledTaskWindows&) = delete;

private:
  std::vector<HWND> windows_;
};

// Another visible and enabled top-level window of the thread than `except` and the
// application window: the first that is not topmost, else the first topmost one.
HWND FindOtherTaskWindow(HWND except);
