#pragma once
// The screen object: the program's windows, the control that last took the focus, and the focus
// bookkeeping's shared state (the focused window, the saved-focus stack of modal showings, the
// focus change counter).
#include <cstdint>
#include <vector>

class TForm;
class TWinControl;

class TScreen {
public:
  void RegisterForm(TForm& form);
  void UnregisterForm(TForm& form);
  // In creation order.
  const std::vector<TForm*>& Forms() const { return forms_; }

  // The control that last received the focus (none when a window itself took it).
  void SetActiveControl(TWinControl* control) { activeControl_ = control; }
  TWinControl* ActiveControl() const { return activeControl_; }

  // The window whose OnActivate the bookkeeping fired last.
  TForm* FocusedForm() const { return focusedForm_; }
  void SetFocusedForm(TForm* form) { focusedForm_ = form; }
  void PushFocusedForm() { savedFocus_.push_back(focusedForm_); }
  // Restores the most recently saved focused window (none when nothing is saved).
  void PopFocusedForm();

  std::int32_t FocusChangeCount() const { return focusChangeCount_; }
  void CountFocusChange() { ++focusChangeCount_; }
  void RestoreFocusChangeCount(std::int32_t count) { focusChangeCount_ = count; }

private:
  std::vector<TForm*> forms_;
  TWinControl* activeControl_ = nullptr;
  TForm* focusedForm_ = nullptr;
  std::vector<TForm*> savedFocus_;
  std::int32_t focusChangeCount_ = 0;
};

extern TScreen* Screen;
