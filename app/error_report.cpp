// The error report: an error that no handler caught is shown in a message box
// captioned with the application's title, and the event loop goes on.
#include "app/application.h"
#include "app/error_description.h"
#include "app/report_text.h"
#include "app/task_windows.h"
#include "app/unhandled_report.h"
#include "controls/handles.h"

void TApplication::ReportError(TObject& /*sender*/) noexcept {
  try {
    if (HWND capture = GetCapture()) SendMessageA(capture, WM_CANCELMODE, 0, 0);
    const ErrorDescription error = DescribeCurrentError();
    switch (error.kind) {
      case ErrorDescription::Silent:
        break;
      case ErrorDescription::Error:
        ShowException(error.message);
        break;
      case ErrorDescription::OtherObject:
        ShowUnhandledReport(error.className, std::string(), ReportAddress());
        break;
    }
  } catch (...) {
    // Nothing may leave the report: the loop must go on.
  }
}

void TApplication::ShowException(const std::string& message) {
  ProgramMessageBox(ErrorBoxText(message), Title(), MB_OK | MB_ICONSTOP);
}

namespace {

// Moves the application window without changing its size, its place in the z-order,
// the screen or the active window.
constexpr UINT MoveOnly = SWP_NOSIZE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE;

}  // namespace

int TApplication::ProgramMessageBox(const std::string& text, const std::string& caption,
                                    UINT flags) {
  HWND active = GetActiveWindow();
  // The box comes up on the monitor of the active window.
  RECT moved{};
  bool wasMoved = false;
  if (active != nullptr && MonitorFromWindow(active, MONITOR_DEFAULTTONEAREST) !=
                               MonitorFromWindow(handle_, MONITOR_DEFAULTTONEAREST)) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(active, MONITOR_DEFAULTTONEAREST), &monitor);
    GetWindowRect(handle_, &moved);
    SetWindowPos(handle_, nullptr, (monitor.rcMonitor.left + monitor.rcMonitor.right) / 2,
                 (monitor.rcMonitor.top + monitor.rcMonitor.bottom) / 2, 0, 0, MoveOnly);
    wasMoved = true;
  }
  int answer = 0;
  {
    ScopeExit restore([&] {
      if (wasMoved) SetWindowPos(handle_, nullptr, moved.left, moved.top, 0, 0, MoveOnly);
    });
    DisabledTaskWindows disabled;
    answer = ::MessageBoxA(handle_, text.c_str(), caption.c_str(), flags);
  }
  // The window that was active comes back; the focus bookkeeping finds it still the
  // focused window, so no OnActivate fires.
  if (active != nullptr && IsWindow(active)) SetActiveWindow(active);
  return answer;
}
