// The names, roles and states that screen readers read of the controls of Quorl's four
// windows: one table, checked by tabbing through each window as a player would; and
// the walks that the keyboard's keys take through the controls.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

namespace e2e {

// Presses Tab through the window of class `windowClass` (whose focused control
// `focus` tells) and checks that the controls the focus visits are those of the
// table, each with its name, role and states (focused, and no longer once Tab has moved on).
void ExpectNamedControls(const char* windowClass, const std::function<HWND()>& focus);

// One key of a walk through a window's controls, and the control it leaves the focus on.
struct FocusStep {
  WORD key;
  HWND to;
  bool shift = false;
};
// Presses each key in turn and checks that the focus reaches the step's control.
void ExpectFocusPath(const std::function<HWND()>& focus, const std::vector<FocusStep>& steps);

}  // namespace e2e
