#include "app/thread_windows.h"

#include <exception>

namespace {

struct Enumeration {
  const std::function<bool(HWND)>& visit;
  std::exception_ptr error;
};

BOOL CALLBACK VisitOne(HWND window, LPARAM data) {
  auto& enumeration = *reinterpret_cast<Enumeration*>(data);
  try {
    return enumeration.visit(window) ? TRUE : FALSE;
  } catch (...) {
    enumeration.error = std::current_exception();
    return FALSE;
  }
}

}  // namespace

void ForEachThreadWindow(const std::function<bool(HWND)>& visit) {
  Enumeration enumeration{visit, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), &VisitOne, reinterpret_cast<LPARAM>(&enumeration));
  if (enumeration.error) std::rethrow_exception(enumeration.error);
}

HWND FirstTaskWindow(const std::vector<HWND>& candidates) {
  HWND topmost = nullptr;
  for (HWND window : candidates) {
    if (window == nullptr || !IsWindowVisible(window) || !IsWindowEnabled(window)) continue;
    if ((GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) == 0) return window;
    if (topmost == nullptr) topmost = window;
  }
  return topmost;
}
