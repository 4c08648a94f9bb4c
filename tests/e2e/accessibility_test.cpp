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

// Past the twelve lines that the history keeps: thirteen guesses too small, then
// halving to the win. Like a player who waits for the reader, each guess waits until
// the listener has read the counter's event, its last (events are read as they came).
TEST_F(AccessibilityTest, EveryVerdictTheCounterAndTheWinAreReadAsTheyCome) {
  EventListener listener(App().Program().Id());
  ASSERT_TRUE(listener.Listening());
  // What was read at each `event` for `window`, in order.
  const auto read = [&](DWORD event, HWND window,
                        std::string AccessibleObject::*text = &AccessibleObject::name) {
    std::vector<std::string> texts;
    for (const AccessibleEvent& heard : listener.Events()) {
      if (heard.event == event && heard.window == window) texts.push_back(heard.object.*text);
    }
    return texts;
  };
  const auto readCounts = [&] {
    return read(EVENT_OBJECT_VALUECHANGE, App().CounterBox(), &AccessibleObject::value);
  };

  const char separator = LocaleDecimalSeparator();
  const std::vector<std::string> tooSmall = TooSmallGuesses(separator);
  std::vector<std::string> lines;
  std::vector<std::string> counts;
  int low = LowestSecret;
  int high = HighestSecret;
  for (GuessOutcome outcome = GuessOutcome::Evaluated; outcome == GuessOutcome::Evaluated;) {
    ASSERT_LT(lines.size(), tooSmall.size() + MostGuesses);
    const int middle = (low + high) / 2;
    const bool halving = lines.size() >= tooSmall.size();
    const std::string guess = halving ? ThousandthsText(middle, separator) : tooSmall[lines.size()];
    outcome = App().SubmitGuess(guess);
    ASSERT_TRUE(outcome == GuessOutcome::Evaluated || outcome == GuessOutcome::Won) << guess;
    lines.push_back(App().HistoryLines().back());
    counts.push_back(std::to_string(lines.size()));
    if (halving && lines.back() == guess + " est trop petit") low = middle + 1;
    if (halving && lines.back() == guess + " est trop grand") high = middle - 1;
    ASSERT_TRUE(WaitUntil([&] { return readCounts().size() >= counts.size(); })) << lines.back();
  }
  EXPECT_EQ(read(EVENT_OBJECT_LIVEREGIONCHANGED, App().History()), lines)
      << "each line once, with its own text, in order";
  EXPECT_EQ(readCounts(), counts);

  const HWND dialog = App().MessageDialog();
  const std::string won = "Bravo, vous avez gagn\xe9 en " + counts.back() + " essais";
  const HWND label = ChildWindows(dialog, "Static").front();
  EXPECT_TRUE(WaitUntil([&] { return !read(EVENT_SYSTEM_ALERT, label).empty(); }));
  EXPECT_EQ(read(EVENT_SYSTEM_ALERT, label), std::vector{won});
  EXPECT_EQ(read(EVENT_SYSTEM_DIALOGSTART, dialog), std::vector<std::string>{"Message !"});
  SaveScreenshot("accessibility-win");
  EXPECT_TRUE(App().DismissMessageDialog());

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
}

}  // namespace
}  // namespace e2e
