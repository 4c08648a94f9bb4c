#pragma once
// The screen object: the program's windows, the window and control that last took
// the focus, and the focus bookkeeping's shared state (the focused window, the
// saved-focus stack of modal showings, the focus change counter).
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

  // The window and control that received the focus; the window moves to the front of
  // the window order.
  void SetActive(TForm& form, TWinControl* control);
  TForm* ActiveForm() const { return activeForm_; }
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

  // The cursor forced on the whole program (0: the default one) and how often it
  // was set.
  int Cursor() const { return cursor_; }
  void SetCursor(int cursor);
  std::int32_t CursorChangeCount() const { return cursorChangeCount_; }

private:
  std::vector<TForm*> forms_;
  std::vector<TForm*> order_;  // most recently focused first
  TForm* activeForm_ = nullptr;
  TWinControl* activeControl_ = nullptr;
  TForm* focusedForm_ = nullptr;
  std::vector<TForm*> savedFocus_;
  std::int32_t focusChangeCount_ = 0;
  int cursor_ = 0;
  std::int32_t cursorChangeCount_ = 0;
};

extern TScreen* Screen;
