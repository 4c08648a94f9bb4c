// Showing a window modally, and the close request. A modal showing is a nested event
// loop inside the handler that asked for it; it hands the focused window on without
// any deactivate notice and gives it back without any activate notice.
#include "app/form.h"

#include <optional>

#include "app/application.h"
#include "app/guard.h"
#include "app/screen.h"
#include "app/scope_exit.h"
#include "app/task_windows.h"
#include "game/errors.h"

int TForm::ShowModal() {
  if (Visible() || !Enabled() || modal_) {
    throw EInvalidOperation("Impossible de rendre modale une fenêtre visible");
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
  const int savedCursor = Screen->Cursor();
  Screen->SetCursor(0);
  const std::int32_t cursorCount = Screen->CursorChangeCount();
  std::optional<DisabledTaskWindows> disabled(std::in_place);

  // Whatever ends the showing: cursor, disabled windows, focused window, the window
  // that was active, the counter and the modal flag come back.
  ScopeExit cleanup([&] {
    Screen->SetCursor(Screen->CursorChangeCount() == cursorCount ? savedCursor : 0);
    disabled.reset();
    Screen->PopFocusedForm();
    if (reactivate != nullptr && IsWindow(reactivate)) SetActiveWindow(reactivate);
    Screen->RestoreFocusChangeCount(focusCount);
    modal_ = false;
  });

  int result = mrNone;
  {
    ScopeExit hide([this] {
      try {
        Hide();
      } catch (...) {
        ReportHandlerError(*this);
      }
    });
    Show();
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

void TForm::CloseModal() {
  try {
    TCloseAction action = TCloseAction::caNone;
    if (CloseQuery()) {
      action = TCloseAction::caHide;
      DoClose(action);
    }
    if (action == TCloseAction::caNone) modalResult_ = mrNone;
  } catch (...) {
    modalResult_ = mrNone;
    ReportHandlerError(*this);
  }
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
