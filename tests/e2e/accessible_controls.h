// The names and roles that screen readers read of the controls of Quorl's four
// windows: one table, checked by tabbing through each window as a player would.
#pragma once

#include <windows.h>

#include <functional>

namespace e2e {

// Presses Tab through the window of class `windowClass` (whose focused control
// `focus` tells) and checks that the controls the focus visits are those of the
// table, each with its name, role and read-only state.
void ExpectNamedControls(const char* windowClass, const std::function<HWND()>& focus);

}  // namespace e2e
