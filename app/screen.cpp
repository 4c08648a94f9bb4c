#include "app/screen.h"

#include <algorithm>

TScreen* Screen = nullptr;

void TScreen::RegisterForm(TForm& form) {
  forms_.push_back(&form);
  order_.push_back(&form);
}

void TScreen::UnregisterForm(TForm& form) {
  forms_.erase(std::remove(forms_.begin(), forms_.end(), &form), forms_.end());
  order_.erase(std::remove(order_.begin(), order_.end(), &form), order_.end());
  std::replace(savedFocus_.begin(), savedFocus_.end(), &form, static_cast<TForm*>(nullptr));
  if (activeForm_ == &form) {
    activeForm_ = nullptr;
    activeControl_ = nullptr;
  }
  if (focusedForm_ == &form) focusedForm_ = nullptr;
}

void TScreen::SetActive(TForm& form, TWinControl* control) {
  activeForm_ = &form;
  activeControl_ = control;
  auto found = std::find(order_.begin(), order_.end(), &form);
  if (found != order_.end()) std::rotate(order_.begin(), found, found + 1);
}

void TScreen::PopFocusedForm() {
  if (savedFocus_.empty()) {
    focusedForm_ = nullptr;
    return;
  }
  focusedForm_ = savedFocus_.back();
  savedFocus_.pop_back();
}

void TScreen::SetCursor(int cursor) {
  cursor_ = cursor;
  ++cursorChangeCount_;
}
