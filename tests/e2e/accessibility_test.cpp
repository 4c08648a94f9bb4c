// What a screen reader gets from Quorl, read from this process as one would: each
// control's French name and role as the focus visits it, the dialogs as dialogs, and
// during a real game each verdict, the counter's new value and the win message
// announced without the player moving the focus, as each reader of the table hears them.
#include <oleacc.h>

#include <algorithm>
#include <cstdio>
#include <map>

#include "accessible_controls.h"
#include "harness/accessibility.h"
#include "harness/readers.h"
#include "quorl_test.h"

namespace e2e {
namespace {

class AccessibilityTest : public QuorlTest {
protected:
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(Start()); }
};

TEST_F(AccessibilityTest, EveryControlThatTakesTheFocusHasItsNameAndRole) {
  {
    SCOPED_TRACE("main window");
    ExpectNamedControls(MainClass, [&] { return App().Focus(); });
  }
  RulesDialog rules;
  ASSERT_NO_FATAL_FAILURE(OpenRules(rules));
  EXPECT_EQ(ReadAccessible(rules.window).role, ROLE_SYSTEM_DIALOG);
  ExpectNamedControls(RulesClass, [&] { return App().Focus(); });
  ClickAt(CenterOf(rules.ok));
  ASSERT_TRUE(WaitUntil([&] { return !Shown(rules.window); }));

  ASSERT_TRUE(App().ClickGuessBox());
  ASSERT_TRUE(App().PlayUntilWon().has_value());
  EXPECT_EQ(ReadAccessible(App().MessageDialog()).role, ROLE_SYSTEM_DIALOG);
  ExpectNamedControls(MessageClass, [&] { return App().Focus(); });
  EXPECT_TRUE(App().DismissMessageDialog());
}

// How the program is heard: without the stand-in UI Automation core, as on Windows
// before 1709 (wine has no UiaRaiseNotificationEvent), and with it, as on 1709 and
// later, the screen-reader flag on and off.
struct Hearing {
  const char* name;
  bool standIn;
  bool screenReader;
};
void PrintTo(const Hearing& hearing, std::ostream* out) { *out << hearing.name; }

class AnnouncementTest : public QuorlTest, public ::testing::WithParamInterface<Hearing> {
protected:
  void SetUp() override {
    char folder[MAX_PATH];
    record_ = std::string(folder, GetTempPathA(MAX_PATH, folder)) + "quorl-uia-record.txt";
    ProgramEnvironment environment;
    RemoveUiaStandIn();  // one left by a run that did not end (still loaded at its end)
    if (GetParam().standIn) {
      environment = InstallUiaStandIn(record_);
      ASSERT_FALSE(environment.empty()) << "the stand-in (QUORL_E2E_UIA_STANDIN) not installed";
    }
    SetScreenReaderFlag(GetParam().screenReader);
    ASSERT_NO_FATAL_FAILURE(Start(SW_SHOWDEFAULT, environment));
  }
  void TearDown() override {
    app_.reset();  // the program ended before its library goes
    RemoveUiaStandIn();
    SetScreenReaderFlag(false);
  }

  std::string record_;
};

// Past the twelve lines that the history keeps: thirteen guesses too small, then
// halving to the win. Like a player who waits for the reader, each guess waits until
// the listener has read the counter's event, its last (events are read as they came).
// Each reader of the table that applies hears every verdict and the win once, in
// order, with its own text, and the guess box is "Votre nombre" whenever it gets the focus.
TEST_P(AnnouncementTest, EachReaderHearsEveryVerdictAndTheWinOnce) {
  EventListener listener(App().Program().Id(), GetParam().screenReader);
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
  EXPECT_EQ(readCounts(), counts);
  const HWND dialog = App().MessageDialog();
  EXPECT_TRUE(WaitUntil([&] { return !read(EVENT_SYSTEM_DIALOGSTART, dialog).empty(); }));
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
  const HWND guessBox = App().GuessBox();
  ASSERT_TRUE(WaitUntil([&] { return read(EVENT_OBJECT_FOCUS, guessBox).size() >= 2; }));
  const std::vector<std::string> focused = read(EVENT_OBJECT_FOCUS, guessBox);
  EXPECT_EQ(focused, std::vector<std::string>(focused.size(), "Votre nombre"));

  const std::vector<UiaCall> calls =
      GetParam().standIn ? ReadUiaCalls(record_) : std::vector<UiaCall>{};
  // What was raised and heard, for the messages: each notification not on a provider of
  // the program's own with a visible host window of non-zero size, then the counts.
  std::string faulty;
  std::map<std::string, int> tally;
  for (const UiaCall& call : calls) {
    ++tally[call.kind + (call.kind == "notify" ? " on " + call.Field("host") : "")];
    if (call.kind == "notify" && !OnOwnShownWindow(call)) {
      faulty += "\n  \"" + call.Field("text") + "\" on " + call.Field("host") + ", window " +
                call.Field("hwnd") + " (ours " + call.Field("ours") + ", visible " +
                call.Field("visible") + ", " + call.Field("width") + "x" + call.Field("height") +
                ")";
    }
  }
  for (const AccessibleEvent& heard : listener.Events()) {
    char event[16];
    std::snprintf(event, sizeof event, "event 0x%04lX", static_cast<unsigned long>(heard.event));
    ++tally[event + std::string(heard.focused ? " focused" : "") +
            (heard.uiaWindow ? " uia-window" : "")];
    for (const std::string& text : heard.dialogTexts) ++tally["dialog text \"" + text + "\""];
  }
  std::string summary = "\nrecorded and heard:";
  for (const auto& [what, count] : tally) summary += "\n  " + std::to_string(count) + " " + what;
  EXPECT_TRUE(faulty.empty()) << "notifications not on the program's own provider:" << faulty
                              << summary;
  // Every verdict, then the win message (the winning line itself tells no verdict).
  std::vector<std::string> expected(lines.begin(), lines.end() - 1);
  expected.push_back("Bravo, vous avez gagn\xe9 en " + counts.back() + " essais");
  for (const Reader& reader : Readers) {
    if (!(GetParam().standIn ? reader.from1709 : reader.before1709)) continue;
    std::vector<std::string> announced;
    std::string all;
    for (const std::string& text : Heard(reader, listener.Events(), calls)) {
      all += "\n  " + text;
      if (std::find(expected.begin(), expected.end(), text) != expected.end()) {
        announced.push_back(text);
      }
    }
    EXPECT_EQ(announced, expected) << reader.name << " heard:" << all << summary;
  }
}

INSTANTIATE_TEST_SUITE_P(Hearings, AnnouncementTest,
                         ::testing::Values(Hearing{"WithoutStandIn", false, true},
                                           Hearing{"StandInFlagOn", true, true},
                                           Hearing{"StandInFlagOff", true, false}),
                         [](const auto& hearing) { return std::string(hearing.param.name); });

}  // namespace
}  // namespace e2e
