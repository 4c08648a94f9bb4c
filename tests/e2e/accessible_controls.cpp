#include "accessible_controls.h"

#include <gtest/gtest.h>
#include <oleacc.h>

#include <algorithm>
#include <string>
#include <vector>

#include "harness/accessibility.h"
#include "harness/input.h"
#include "harness/query.h"
#include "harness/wait.h"

namespace e2e {
namespace {

// The states read while the control has the focus: all take it, some are read-only.
constexpr long Focused = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED;
constexpr long ReadOnly = Focused | STATE_SYSTEM_READONLY;

const struct {
  const char* window;
  const char* name;  // code page 1252
  long role;
  long state;
} Controls[] = {
    {"Tquorl", "Votre nombre", ROLE_SYSTEM_TEXT, Focused},
    {"Tquorl", "Essais", ROLE_SYSTEM_LIST, Focused},
    {"Tquorl", "Essai num\xe9ro", ROLE_SYSTEM_TEXT, ReadOnly},
    {"Tquorl", "Commencer", ROLE_SYSTEM_PUSHBUTTON, Focused},
    {"Tquorl", "R\xe8gles", ROLE_SYSTEM_PUSHBUTTON, Focused},
    {"Tquorl", "Quitter", ROLE_SYSTEM_PUSHBUTTON, Focused},
    {"Tregles", "R\xe8gles du jeu", ROLE_SYSTEM_TEXT, Focused},
    {"Tregles", "OK", ROLE_SYSTEM_PUSHBUTTON, Focused},
    {"Tmessa", "OK", ROLE_SYSTEM_PUSHBUTTON, Focused},
    {"Tscore1", "Votre nom", ROLE_SYSTEM_TEXT, Focused},
    {"Tscore1", "Meilleurs scores", ROLE_SYSTEM_LIST, Focused},
    {"Tscore1", "Fermer", ROLE_SYSTEM_PUSHBUTTON, Focused},
    {"Tscore1", "Consigne", ROLE_SYSTEM_TEXT, ReadOnly},
    {"Tscore1", "Effacer les scores", ROLE_SYSTEM_PUSHBUTTON, Focused},
};

std::string line(const std::string& name, long role, long state) {
  const auto flag = [state](long bit, const char* word) { return (state & bit) ? word : ""; };
  return name + " | role " + std::to_string(role) + flag(STATE_SYSTEM_FOCUSABLE, " | focusable") +
         flag(STATE_SYSTEM_FOCUSED, " | focused") + flag(STATE_SYSTEM_READONLY, " | read-only") +
         " | others " + std::to_string(state & ~ReadOnly);
}

}  // namespace

void ExpectNamedControls(const char* windowClass, const std::function<HWND()>& focus) {
  SCOPED_TRACE(windowClass);
  std::vector<std::string> expected;
  for (const auto& control : Controls) {
    if (std::string(control.window) == windowClass) {
      expected.push_back(line(control.name, control.role, control.state));
    }
  }
  std::vector<std::string> visited;
  for (size_t i = 0; i < expected.size(); ++i) {
    const HWND focused = focus();
    const AccessibleObject object = ReadAccessible(focused);
    visited.push_back(line(object.name, object.role, object.state));
    if (i + 1 == expected.size()) break;
    PressKey(VK_TAB);
    EXPECT_TRUE(WaitUntil([&] { return focus() != focused; }))
        << "Tab left the focus on " << Describe(object);
    EXPECT_EQ(line(object.name, object.role, ReadAccessible(focused).state),
              line(object.name, object.role, object.state & ~STATE_SYSTEM_FOCUSED))
        << "once the focus has gone";
  }
  std::sort(expected.begin(), expected.end());
  std::sort(visited.begin(), visited.end());
  EXPECT_EQ(visited, expected);
}

void ExpectFocusPath(const std::function<HWND()>& focus, const std::vector<FocusStep>& steps) {
  for (size_t i = 0; i < steps.size(); ++i) {
    PressKey(steps[i].key, steps[i].shift ? std::vector<WORD>{VK_SHIFT} : std::vector<WORD>{});
    ASSERT_TRUE(WaitUntil([&] { return focus() == steps[i].to; }))
        << "step " << i << ", key " << steps[i].key << (steps[i].shift ? " with Shift" : "")
        << ": focus on " << Describe(focus()) << ", expected " << Describe(steps[i].to);
  }
}

}  // namespace e2e
