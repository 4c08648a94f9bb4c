#include "app/task_windows.h"

#include "app/application.h"

namespace {

BOOL CALLBACK DisableOne(HWND window, LPARAM list) {
  if (IsWindowVisible(window) && IsWindowEnabled(window)) {
    EnableWindow(window, FALSE);
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  }
  return TRUE;
}

struct OtherWindowSearch {
  HWND except;
  HWND application;
  HWND normal = nullptr;
  HWND topmost = nullptr;
};

BOOL CALLBACK ConsiderOne(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<OtherWindowSearch*>(data);
  if (window == search->except || window == search->application) return TRUE;
  if (!IsWindowVisible(window) || !IsWindowEnabled(window)) return TRUE;
  const bool topmost = (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  if (!topmost) {
    search->normal = window;
    return FALSE;
  }
  if (search->topmost == nullptr) search->topmost = window;
  return TRUE;
}

}  // namespace

DisabledTaskWindows::DisabledTaskWindows() {
  EnumThreadWindows(GetCurrentThreadId(), &DisableOne, reinterpret_cast<LPARAM>(&windows_));
}

DisabledTaskWindows::~DisabledTaskWindows() {
  for (HWND window : windows_) {
    if (IsWindow(window)) EnableWindow(window, TRUE);
  }
}

HWND FindOtherTaskWindow(HWND except) {
  OtherWindowSearch search{except, Application ? Application->Handle() : nullptr};
  EnumThreadWindows(GetCurrentThreadId(), &ConsiderOne, reinterpret_cast<LPARAM>(&search));
  return search.normal != nullptr ? search.normal : search.topmost;
}
