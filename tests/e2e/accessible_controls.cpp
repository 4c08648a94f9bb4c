#include "accessible_controls.h"

#include <gtest/gtest.h>
#include <oleacc.h>

#include <algorithm>
#include <string>
#include <vector>

#include "harness/accessibility.h"
#include "harness/input.h"
#include "harness/wait.h"

namespace e2e {
namespace {

const struct {
  const char* window;
  const char* name;  // code page 1252
  long role;
  bool readOnly;
} Controls[] = {
    {"Tquorl", "Votre nombre", ROLE_SYSTEM_TEXT, false},
    {"Tquorl", "Essais", ROLE_SYSTEM_LIST, false},
    {"Tquorl", "Essai num\xe9ro", ROLE_SYSTEM_TEXT, true},
    {"Tquorl", "Commencer", ROLE_SYSTEM_PUSHBUTTON, false},
    {"Tquorl", "R\xe8gles", ROLE_SYSTEM_PUSHBUTTON, false},
    {"Tquorl", "Quitter", ROLE_SYSTEM_PUSHBUTTON, false},
    {"Tregles", "R\xe8gles du jeu", ROLE_SYSTEM_TEXT, false},
    {"Tregles", "OK", ROLE_SYSTEM_PUSHBUTTON, false},
    {"Tmessa", "OK", ROLE_SYSTEM_PUSHBUTTON, false},
    {"Tscore1", "Votre nom", ROLE_SYSTEM_TEXT, false},
    {"Tscore1", "Meilleurs scores", ROLE_SYSTEM_LIST, false},
    {"Tscore1", "Fermer", ROLE_SYSTEM_PUSHBUTTON, false},
    {"Tscore1", "Consigne", ROLE_SYSTEM_TEXT, true},
    {"Tscore1", "Effacer les scores", ROLE_SYSTEM_PUSHBUTTON, false},
};

std::string line(const std::string& name, long role, bool readOnly) {
  return name + " | role " + std::to_string(role) + (readOnly ? " | read-only" : "");
}

}  // namespace

void ExpectNamedControls(const char* windowClass, const std::function<HWND()>& focus) {
  SCOPED_TRACE(windowClass);
  std::vector<std::string> expected;
  for (const auto& control : Controls) {
    if (std::string(control.window) == windowClass) {
      expected.push_back(line(control.name, control.role, control.readOnly));
    }
  }
  std::vector<std::string> visited;
  for (size_t i = 0; i < expected.size(); ++i) {
    const HWND focused = focus();
    const AccessibleObject object = ReadAccessible(focused);
    visited.push_back(line(object.name, object.role, (object.state & STATE_SYSTEM_READONLY) != 0));
    if (i + 1 == expected.size()) break;
    PressKey(VK_TAB);
    EXPECT_TRUE(WaitUntil([&] { return focus() != focused; }))
        << "Tab left the focus on " << Describe(object);
  }
  std::sort(expected.begin(), expected.end());
  std::sort(visited.begin(), visited.end());
  EXPECT_EQ(visited, expected);
}

}  // namespace e2e
