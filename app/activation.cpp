// When a window counts as activated. OnActivate follows the program's own focus
// bookkeeping, not the platform's activation: it fires when the focused window changes
// to this window, and once at the start of each modal showing.
#include "app/form.h"

#include "app/application.h"
#include "app/screen.h"
#include "base/errors.h"
#include "base/platform.h"
#include "controls/handles.h"
#include "res/strings.h"

void TForm::HandleActivate(WPARAM wParam) {
  windowActive_ = LOWORD(wParam) != WA_INACTIVE;
  if (!windowActive_) return;
  HWND window = HandleIfCreated();
  if (IsIconic(window)) return;
  if (activeControl_ == nullptr) activeControl_ = FindNextControl(nullptr, true, true);
  // The focus message that follows runs the bookkeeping; platform activation never
  // fires OnActivate by itself.
  if (activeControl_ != nullptr) {
    ::SetFocus(activeControl_->Handle());
  } else {
    ::SetFocus(window);
  }
}

void TForm::SetActiveControl(TWinControl* control) {
  if (control != nullptr && (static_cast<TControl*>(control) == this || &control->Host() != this ||
                             !control->CanFocus())) {
    throw EInvalidOperation(LoadText(IDS_CANNOT_FOCUS));
  }
  activeControl_ = control;
  if (control != nullptr && windowActive_) control->SetFocus();
}

void TForm::SendActivateNotice() {
  Guarded(*Application, *this, [this] {
    if (OnActivate) OnActivate(*this);
  });
}

void TForm::SendDeactivateNotice() {
  Guarded(*Application, *this, [this] {
    if (OnDeactivate) OnDeactivate(*this);
  });
}

bool TForm::FocusBookkeeping(TWinControl& control) {
  TScreen& screen = *Screen;
  screen.CountFocusChange();
  const std::int32_t count = screen.FocusChangeCount();
  activeControl_ = static_cast<TControl*>(&control) == this ? nullptr : &control;
  screen.SetActiveControl(activeControl_);
  if (control.ChangingFocus()) return false;
  control.SetChangingFocus(true);
  ScopeExit unmark([&control] { control.SetChangingFocus(false); });

  if (screen.FocusedForm() != this) {
    if (TForm* previous = screen.FocusedForm()) {
      screen.SetFocusedForm(nullptr);
      previous->SendDeactivateNotice();
      if (screen.FocusChangeCount() != count) return false;
    }
    screen.SetFocusedForm(this);
    SendActivateNotice();
    if (screen.FocusChangeCount() != count) return false;
  }
  // No control of this program has OnEnter or OnExit handlers: the enter and exit
  // notices have nobody to tell.
  for (TControl* child : controls_) {
    if (child->IsWindowed()) static_cast<TWinControl*>(child)->FocusChanged(control);
  }
  return true;
}
