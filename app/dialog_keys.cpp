// The window-level meaning of Tab, the arrow keys, Enter and Escape: keys that the
// focused control does not claim move the focus or go to the push buttons.
#include "app/form.h"

#include <algorithm>

std::vector<TWinControl*> TForm::TabList() const {
  std::vector<TWinControl*> list;
  for (TControl* control : controls_) {
    if (!control->IsWindowed()) continue;
    auto* windowed = static_cast<TWinControl*>(control);
    if (windowed->Focusable()) list.push_back(windowed);
  }
  std::stable_sort(list.begin(), list.end(), [](const TWinControl* a, const TWinControl* b) {
    return a->TabOrder() < b->TabOrder();
  });
  return list;
}

TWinControl* TForm::FindNextControl(TWinControl* current, bool forward, bool checkTabStop) const {
  const std::vector<TWinControl*> list = TabList();
  if (list.empty()) return nullptr;
  const auto count = static_cast<std::ptrdiff_t>(list.size());
  auto found = std::find(list.begin(), list.end(), current);
  // Without a current control the search starts at the first (or last) control.
  std::ptrdiff_t start = found != list.end() ? found - list.begin() : (forward ? count - 1 : 0);
  std::ptrdiff_t index = start;
  do {
    if (forward) {
      index = (index + 1) % count;
    } else {
      index = (index == 0 ? count : index) - 1;
    }
    TWinControl* candidate = list[static_cast<std::size_t>(index)];
    if (candidate != current && candidate->CanFocus() && (!checkTabStop || candidate->TabStop())) {
      return candidate;
    }
  } while (index != start);
  return nullptr;
}

void TForm::SelectNext(TWinControl* current, bool forward, bool checkTabStop) {
  if (TWinControl* next = FindNextControl(current, forward, checkTabStop)) next->SetFocus();
}

bool TForm::FormDialogKey(WORD key, TShiftState shift) {
  if ((shift & ssAlt) == 0) {
    if (key == VK_TAB && (shift & ssCtrl) == 0) {
      SelectNext(activeControl_, (shift & ssShift) == 0, true);
      return true;
    }
    if (key == VK_LEFT || key == VK_UP || key == VK_RIGHT || key == VK_DOWN) {
      if (activeControl_ == nullptr) return false;
      // All controls of these windows have the window itself as parent.
      SelectNext(activeControl_, key == VK_RIGHT || key == VK_DOWN, false);
      return true;
    }
  }
  for (TControl* control : controls_) {
    if (control->IsWindowed() && static_cast<TWinControl*>(control)->DialogKey(key, shift)) {
      return true;
    }
  }
  return false;
}
