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
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(Start()); }

  std::function<HWND()> Focus() {
    return [this] { return App().Focus(); };
  }
};

TEST_F(AccessibilityTest, EveryControlThatTakesTheFocusHasItsNameAndRole) {
  {
    SCOPED_TRACE("main window");
    ExpectNamedControls(MainClass, Focus());
  }
  RulesDialog rules;
  ASSERT_NO_FATAL_FAILURE(OpenRules(rules));
  EXPECT_EQ(ReadAccessible(rules.window).role, ROLE_SYSTEM_DIALOG);
  ExpectNamedControls(RulesClass, Focus());
  ClickAt(CenterOf(rules.ok));
  ASSERT_TRUE(WaitUntil([&] { return !Shown(rules.window); }));

  ASSERT_TRUE(App().ClickGuessBox());
  ASSERT_TRUE(App().PlayUntilWon().has_value());
  EXPECT_EQ(ReadAccessible(App().MessageDialog()).role, ROLE_SYSTEM_DIALOG);
  ExpectNamedControls(MessageClass, Focus());
  EXPECT_TRUE(App().DismissMessageDialog());
}

TEST_F(AccessibilityTest, VerdictsTheCounterAndTheWinAreAnnouncedAsTheyCome) {
  EventListener listener(App().Program().Id());
  ASSERT_TRUE(listener.Listening());
  const auto announced = [&](DWORD event, HWND window,
                             const std::string& text) -> ::testing::AssertionResult {
    if (listener.WaitFor([&](const AccessibleEvent& heard) {
          if (heard.event != event || heard.window != window) return false;
          // Wine's standard window object answers no name: a window-level event is read
          // through the window's client object, which names it on Windows too.
          const AccessibleObject object =
              heard.objectId == OBJID_WINDOW ? ReadAccessible(heard.window) : ReadAccessible(heard);
          return object.name == text || object.value == text;
        })) {
      return ::testing::AssertionSuccess();
    }
    auto failure = ::testing::AssertionFailure() << "not heard; heard:";
    for (const AccessibleEvent& heard : listener.Events()) {
      failure << "\n  event " << std::hex << heard.event << std::dec << " child " << heard.child;
    }
    return failure;
  };

  ASSERT_NO_FATAL_FAILURE(SubmitAll({"0"}));
  EXPECT_TRUE(announced(EVENT_OBJECT_LIVEREGIONCHANGED, App().History(), "0 est trop petit"));
  EXPECT_TRUE(announced(EVENT_OBJECT_VALUECHANGE, App().CounterBox(), "1"));

  // The error report is the system's message box: its text is read like any label's.
  ASSERT_TRUE(App().TypeGuess("1E400"));
  PressKey(VK_RETURN);
  HWND box = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (box = App().ErrorBox()) != nullptr; }));
  EXPECT_EQ(ReadAccessible(ChildWindows(box, "Static").back()).name,
            "D\xe9"
            "bordement en virgule flottante.");
  PressKey(VK_RETURN);
  ASSERT_TRUE(WaitUntil([&] { return !App().ErrorBox(); }));
  ASSERT_TRUE(WaitUntil([&] { return App().Focus() == App().GuessBox(); }));
  PressKey(VK_END);
  PressKey(VK_HOME, {VK_SHIFT});
  PressKey(VK_DELETE);
  ASSERT_TRUE(WaitUntil([&] { return App().GuessText().empty(); }));

  std::string failure;
  const auto attempts = App().PlayUntilWon(&failure);
  ASSERT_TRUE(attempts.has_value()) << failure;
  auto verdicts = App().HistoryLines();
  verdicts.pop_back();  // the winning guess, without a verdict
  for (const std::string& verdict : verdicts) {
    EXPECT_TRUE(announced(EVENT_OBJECT_LIVEREGIONCHANGED, App().History(), verdict)) << verdict;
  }
  const std::string count = std::to_string(*attempts + 1);
  EXPECT_TRUE(announced(EVENT_OBJECT_VALUECHANGE, App().CounterBox(), count));
  const HWND dialog = App().MessageDialog();
  EXPECT_TRUE(announced(EVENT_SYSTEM_DIALOGSTART, dialog, "Message !"));
  EXPECT_TRUE(announced(EVENT_SYSTEM_ALERT, ChildWindows(dialog, "Static").front(),
                        "Bravo, vous avez gagn\xe9 en " + count + " essais"));
  SaveScreenshot("accessibility-win");
  EXPECT_TRUE(App().DismissMessageDialog());
}

}  // namespace
}  // namespace e2e
