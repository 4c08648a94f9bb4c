// What a screen reader gets from Quorl, read from this process as one would: each
// control's French name and role as the focus visits it, the dialogs as dialogs, and
// during a real game each verdict, the counter's new value and the win message
// announced without the player moving the focus.
#include <oleacc.h>

#include "accessible_controls.h"
#include "harness/accessibility.h"
#include "quorl_test.h"

namespace e2e {
namespace {

class AccessibilityTest : public QuorlTest {
protected:
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(start()); }

  std::function<HWND()> focus() {
    return [this] { return app().focus(); };
  }
};

TEST_F(AccessibilityTest, EveryControlThatTakesTheFocusHasItsNameAndRole) {
  {
    SCOPED_TRACE("main window");
    expectNamedControls(kMainClass, focus());
  }
  RulesDialog rules;
  ASSERT_NO_FATAL_FAILURE(openRules(rules));
  EXPECT_EQ(readAccessible(rules.window).role, ROLE_SYSTEM_DIALOG);
  expectNamedControls(kRulesClass, focus());
  clickAt(centreOf(rules.ok));
  ASSERT_TRUE(waitUntil([&] { return !shown(rules.window); }));

  ASSERT_TRUE(app().clickGuessBox());
  ASSERT_TRUE(app().playUntilWon().has_value());
  EXPECT_EQ(readAccessible(app().messageDialog()).role, ROLE_SYSTEM_DIALOG);
  expectNamedControls(kMessageClass, focus());
  EXPECT_TRUE(app().dismissMessageDialog());
}

TEST_F(AccessibilityTest, DISABLED_VerdictsTheCounterAndTheWinAreAnnouncedAsTheyCome) {
  EventListener listener(app().process().id());
  ASSERT_TRUE(listener.listening());
  const auto announced = [&](DWORD event, HWND window,
                             const std::string& text) -> ::testing::AssertionResult {
    if (listener.waitFor([&](const AccessibleEvent& heard) {
          if (heard.event != event || heard.window != window) return false;
          const AccessibleObject object = readAccessible(heard);
          return object.name == text || object.value == text;
        })) {
      return ::testing::AssertionSuccess();
    }
    auto failure = ::testing::AssertionFailure() << "not heard; heard:";
    for (const AccessibleEvent& heard : listener.events()) {
      failure << "\n  event " << std::hex << heard.event << std::dec << " child " << heard.child;
    }
    return failure;
  };

  ASSERT_NO_FATAL_FAILURE(submitAll({"0"}));
  EXPECT_TRUE(announced(EVENT_OBJECT_LIVEREGIONCHANGED, app().history(), "0 est trop petit"));
  EXPECT_TRUE(announced(EVENT_OBJECT_VALUECHANGE, app().counterBox(), "1"));

  // The error report is the system's message box: its text is read like any label's.
  ASSERT_TRUE(app().typeGuess("1E400"));
  pressKey(VK_RETURN);
  HWND box = nullptr;
  ASSERT_TRUE(waitUntil([&] { return (box = app().messageBox()) != nullptr; }));
  EXPECT_EQ(readAccessible(childWindows(box, "Static").back()).name,
            "D\xe9"
            "bordement en virgule flottante.");
  pressKey(VK_RETURN);
  ASSERT_TRUE(waitUntil([&] { return !app().messageBox(); }));
  ASSERT_TRUE(waitUntil([&] { return app().focus() == app().guessBox(); }));
  pressKey(VK_END);
  pressKey(VK_HOME, {VK_SHIFT});
  pressKey(VK_DELETE);
  ASSERT_TRUE(waitUntil([&] { return app().guessText().empty(); }));

  std::string failure;
  const auto attempts = app().playUntilWon(&failure);
  ASSERT_TRUE(attempts.has_value()) << failure;
  auto verdicts = app().historyLines();
  verdicts.pop_back();  // the winning guess, without a verdict
  for (const std::string& verdict : verdicts) {
    EXPECT_TRUE(announced(EVENT_OBJECT_LIVEREGIONCHANGED, app().history(), verdict)) << verdict;
  }
  const std::string count = std::to_string(*attempts + 1);
  EXPECT_TRUE(announced(EVENT_OBJECT_VALUECHANGE, app().counterBox(), count));
  const HWND dialog = app().messageDialog();
  EXPECT_TRUE(announced(EVENT_SYSTEM_DIALOGSTART, dialog, "Message !"));
  EXPECT_TRUE(announced(EVENT_SYSTEM_ALERT, childWindows(dialog, "Static").front(),
                        "Bravo, vous avez gagn\xe9 en " + count + " essais"));
  saveScreenshot("accessibility-win");
  EXPECT_TRUE(app().dismissMessageDialog());
}

}  // namespace
}  // namespace e2e
