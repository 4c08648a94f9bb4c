// Showing and hiding a window: the change of Visible, with the application window's
// visibility kept up to date and the active window handed on when it hides.
#include "app/form.h"

#include "app/application.h"
#include "app/task_windows.h"
#include "base/errors.h"
#include "base/platform.h"
#include "controls/handles.h"
#include "res/strings.h"

namespace {

constexpr UINT HideWithoutActivating =
    SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;  // 0x97

}  // namespace

int TForm::ShowCommand() const {
  switch (windowState_) {
    case TWindowState::wsMinimized:
      return SW_SHOWMINNOACTIVE;
    case TWindowState::wsMaximized:
      return SW_SHOWMAXIMIZED;
    case TWindowState::wsNormal:
      break;
  }
  return SW_SHOWNORMAL;
}

void TForm::SetVisible(bool visible) {
  if (loading_) {
    // A description only records that the window is to be shown.
    visibleRequested_ = visible;
    return;
  }
  if (showingChange_) throw EInvalidOperation(LoadText(IDS_VISIBLE_CHANGE));
  if (visible == Visible()) return;
  StoreVisible(visible);
  Application->UpdateVisible();
  showingChange_ = true;
  ScopeExit done([this] { showingChange_ = false; });
  if (visible) {
    Guarded(*Application, *this, [this] {
      if (OnShow) OnShow(*this);
    });
    ShowWindow(Handle(), ShowCommand());
  } else {
    Guarded(*Application, *this, [this] {
      if (OnHide) OnHide(*this);
    });
    if (HWND window = HandleIfCreated()) HideWindow(window);
  }
}

void TForm::HideWindow(HWND window) {
  if (modal_) {
    SetWindowPos(window, nullptr, 0, 0, 0, 0, HideWithoutActivating);
    return;
  }
  if (window == GetActiveWindow() && !IsIconic(window)) {
    if (HWND other = FindOtherTaskWindow(window)) {
      SetWindowPos(window, nullptr, 0, 0, 0, 0, HideWithoutActivating);
      SetActiveWindow(other);
      return;
    }
  }
  ShowWindow(window, SW_HIDE);
}

void TForm::BringToFront() {
  if (HWND window = HandleIfCreated()) {
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  }
}

void TForm::Show() {
  SetVisible(true);
  BringToFront();
}

void TForm::Hide() { SetVisible(false); }
