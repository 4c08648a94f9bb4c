#include "app/screen.h"

#include <algorithm>

#include "app/form.h"

TScreen* Screen = nullptr;

void TScreen::RegisterForm(TForm& form) { forms_.push_back(&form); }

void TScreen::UnregisterForm(TForm& form) {
  forms_.erase(std::remove(forms_.begin(), forms_.end(), &form), forms_.end());
  std::replace(savedFocus_.begin(), savedFocus_.end(), &form, static_cast<TForm*>(nullptr));
  if (activeControl_ != nullptr && &activeControl_->Host() == static_cast<ControlHost*>(&form)) {
    activeControl_ = nullptr;
  }
  if (focusedForm_ == &form) focusedForm_ = nullptr;
}

void TScreen::PopFocusedForm() {
  if (savedFocus_.empty()) {
    focusedForm_ = nullptr;
    return;
  }
  focusedForm_ = savedFocus_.back();
  savedFocus_.pop_back();
}
