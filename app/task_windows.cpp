#include "app/task_windows.h"

#include "app/application.h"
#include "app/thread_windows.h"

DisabledTaskWindows::DisabledTaskWindows() {
  ForEachThreadWindow([this](HWND window) {
    if (IsWindowVisible(window) && IsWindowEnabled(window)) windows_.push_back(window);
    return true;
  });
  for (HWND window : windows_) EnableWindow(window, FALSE);
}

DisabledTaskWindows::~DisabledTaskWindows() {
  for (HWND window : windows_) {
    if (IsWindow(window)) EnableWindow(window, TRUE);
  }
}

HWND FindOtherTaskWindow(HWND except) {
  const HWND application = Application != nullptr ? Application->Handle() : nullptr;
  std::vector<HWND> candidates;
  ForEachThreadWindow([&](HWND window) {
    if (window != except && window != application) candidates.push_back(window);
    return true;
  });
  return FirstTaskWindow(candidates);
}
