// Showing a window modally, and the close request. A modal showing is a nested event
// loop inside the handler that asked for it; it hands the focused window on without
// any deactivate notice and gives it back without any activate notice.
#include "app/form.h"

#include <oleacc.h>

#include <optional>

#include "app/application.h"
#include "app/screen.h"
#include "app/task_windows.h"
#include "base/errors.h"
#include "base/platform.h"
#include "controls/handles.h"
#include "res/strings.h"

int TForm::ShowModal() {
  if (Visible() || !Enabled() || modal_) {
    throw EInvalidOperation(LoadText(IDS_MODAL_VISIBLE));
  }
  if (HWND capture = GetCapture()) {
    SendMessageA(capture, WM_CANCELMODE, 0, 0);
    ReleaseCapture();
  }
  modal_ = true;
  HWND reactivate = GetActiveWindow();
  const std::int32_t focusCount = Screen->FocusChangeCount();
  Screen->PushFocusedForm();
  Screen->SetFocusedForm(this);
  std::optional<DisabledTaskWindows> disabled(std::in_place);

  // Whatever ends the showing: disabled windows, focused window, the window that was
  // active, the counter and the modal flag come back.
  ScopeExit cleanup([&] {
    disabled.reset();
    Screen->PopFocusedForm();
    if (reactivate != nullptr && IsWindow(reactivate)) SetActiveWindow(reactivate);
    Screen->RestoreFocusChangeCount(focusCount);
    modal_ = false;
  });

  int result = mrNone;
  {
    ScopeExit hide([this] {
      Guarded(*Application, *this, [this] { Hide(); });
      TellDialog(EVENT_SYSTEM_DIALOGEND);
    });
    Show();
    TellDialog(EVENT_SYSTEM_DIALOGSTART);
    SendActivateNotice();
    modalResult_ = mrNone;
    do {
      Application->HandleMessage();
      if (Application->Terminated()) {
        modalResult_ = mrCancel;
      } else if (modalResult_ != mrNone) {
        CloseModal();
      }
    } while (modalResult_ == mrNone);
    result = modalResult_;
    SendDeactivateNotice();
    if (GetActiveWindow() != HandleIfCreated()) reactivate = nullptr;
  }
  return result;
}

// Screen readers read a dialog's text as it opens. Runs at the end of a showing too,
// from a destructor: nothing here may throw.
void TForm::TellDialog(DWORD event) noexcept {
  HWND window = HandleIfCreated();
  if (AccessibleRole() == ROLE_SYSTEM_DIALOG && window != nullptr) {
    NotifyWinEvent(event, window, OBJID_WINDOW, CHILDID_SELF);
  }
}

void TForm::CloseModal() {
  TCloseAction action = TCloseAction::caNone;
  const bool completed = Guarded(*Application, *this, [&] {
    if (CloseQuery()) {
      action = TCloseAction::caHide;
      DoClose(action);
    }
  });
  if (!completed || action == TCloseAction::caNone) modalResult_ = mrNone;
}

bool TForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(*this, canClose);
  return canClose;
}

void TForm::DoClose(TCloseAction& action) {
  if (OnClose) OnClose(*this, action);
}

void TForm::Close() {
  if (modal_) {
    modalResult_ = mrCancel;  // the modal loop ends the showing after this message
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = TCloseAction::caHide;
  DoClose(action);
  if (action == TCloseAction::caNone) return;
  if (this == Application->MainForm()) {
    Application->Terminate();
  } else if (action == TCloseAction::caMinimize) {
    SetWindowState(TWindowState::wsMinimized);
  } else {
    // No window of this program frees itself on closing; a freed one just hides.
    Hide();
  }
}
