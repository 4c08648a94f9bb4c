// The application window: the task-bar entry's commands, the application's
// activation, the settings change and the end of the session.
#include "app/application.h"

#include "app/screen.h"
#include "app/thread_windows.h"
#include "game/decimal.h"

namespace {

// Posted to itself when the application window takes the focus.
constexpr UINT FocusNotice = WM_APP + 1;

// Runs one show command on the application window with the minimise animation
// switched off for the call.
void ShowWithoutAnimation(HWND window, int command) {
  ANIMATIONINFO animation{};
  animation.cbSize = sizeof animation;
  SystemParametersInfoA(SPI_GETANIMATION, sizeof animation, &animation, 0);
  const bool wasOn = animation.iMinAnimate != 0;
  if (wasOn) {
    animation.iMinAnimate = 0;
    SystemParametersInfoA(SPI_SETANIMATION, sizeof animation, &animation, 0);
  }
  ShowWindow(window, command);
  if (wasOn) {
    animation.iMinAnimate = 1;
    SystemParametersInfoA(SPI_SETANIMATION, sizeof animation, &animation, 0);
  }
}

}  // namespace

void TApplication::Minimize() {
  if (IsIconic(handle_)) return;
  SetActiveWindow(handle_);
  ShowWithoutAnimation(handle_, SW_MINIMIZE);
  // The owned windows go with the application window. Windows hides them itself;
  // wine leaves owned windows that are not pop-ups on the screen.
  hiddenWithApplication_.clear();
  for (const TForm* form : Screen->Forms()) {
    HWND window = form->HandleIfCreated();
    if (window != nullptr && IsWindowVisible(window)) {
      ShowWindow(window, SW_HIDE);
      hiddenWithApplication_.push_back(window);
    }
  }
}

void TApplication::Restore() {
  if (!IsIconic(handle_)) return;
  SetActiveWindow(handle_);
  ShowWithoutAnimation(handle_, SW_RESTORE);
  for (HWND window : hiddenWithApplication_) {
    if (IsWindow(window) && !IsWindowVisible(window)) ShowWindow(window, SW_SHOWNA);
  }
  hiddenWithApplication_.clear();
  // After a minimised start the main window shows for the first time now, at its
  // designed place and size.
  if (mainForm_ != nullptr && mainForm_->WindowState() == TWindowState::wsMinimized &&
      !mainForm_->Visible()) {
    mainForm_->RecordWindowState(TWindowState::wsNormal);
    mainForm_->Show();
  }
  if (TWinControl* control = Screen->ActiveControl()) {
    if (control->CanFocus()) ::SetFocus(control->Handle());
  }
}

void TApplication::FocusFirstWindow() {
  if (GetFocus() != handle_ || IsIconic(handle_)) return;
  std::vector<HWND> windows;
  for (const TForm* form : Screen->Forms()) windows.push_back(form->HandleIfCreated());
  if (HWND target = FirstTaskWindow(windows)) ::SetFocus(target);
}

LRESULT TApplication::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  static constexpr MessageHandler<TApplication> Handlers[] = {
      {WM_CLOSE, &TApplication::WmClose},
      {WM_SYSCOMMAND, &TApplication::WmSysCommand},
      {WM_SETFOCUS, &TApplication::WmSetFocus},
      {FocusNotice, &TApplication::WmFocusNotice},
      {WM_WININICHANGE, &TApplication::WmSettingChange},
      {WM_QUERYENDSESSION, &TApplication::WmQueryEndSession},
      {WM_ENDSESSION, &TApplication::WmEndSession},
  };
  return DispatchToHandler(*this, Handlers, {message, wParam, lParam},
                           [&] { return DefWindowProcA(handle_, message, wParam, lParam); });
}

// The task-bar entry's Close.
MessageResult TApplication::WmClose(const WindowMessage&) {
  if (mainForm_ != nullptr) mainForm_->Close();
  return 0;
}

MessageResult TApplication::WmSysCommand(const WindowMessage& message) {
  switch (SystemCommand(message.wParam)) {
    case SC_MINIMIZE:
      Minimize();
      return 0;
    case SC_RESTORE:
      Restore();
      return 0;
    default:
      return std::nullopt;
  }
}

MessageResult TApplication::WmSetFocus(const WindowMessage&) {
  PostMessageA(handle_, FocusNotice, 0, 0);
  return std::nullopt;
}

MessageResult TApplication::WmFocusNotice(const WindowMessage&) {
  FocusFirstWindow();
  return 0;
}

MessageResult TApplication::WmSettingChange(const WindowMessage&) {
  SetThreadLocale(LOCALE_USER_DEFAULT);
  ReadLocaleFormatSettings();
  return std::nullopt;
}

MessageResult TApplication::WmQueryEndSession(const WindowMessage&) { return TRUE; }

MessageResult TApplication::WmEndSession(const WindowMessage& message) {
  if (message.wParam != 0) {
    DoneApplication();
    ExitProcess(0);
  }
  return 0;
}
