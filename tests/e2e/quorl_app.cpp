#include "quorl_app.h"

#include <cstdio>
#include <utility>

#include "base/wide_text.h"

#include "harness/input.h"
#include "harness/query.h"
#include "harness/wait.h"

namespace e2e {
namespace {

std::wstring Widen(const std::string& text) {
  const WideText wide = ToWide(text);
  return std::wstring(wide.begin(), wide.end());
}

}  // namespace

std::string QuorlPath() { return WindowsPath(Environment("QUORL_E2E_EXE", "Quorl.exe")); }

std::string HelperWindowPath() {
  return WindowsPath(Environment("QUORL_E2E_HELPER", "e2e_other_window.exe"));
}

char LocaleDecimalSeparator() {
  char separator[8] = {};
  GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, sizeof separator);
  return separator[0] ? separator[0] : '.';
}

std::string ThousandthsText(int thousandths, char separator) {
  char text[32];
  std::snprintf(text, sizeof text, "%d%c%03d", thousandths / 1000, separator, thousandths % 1000);
  return text;
}

QuorlApp::QuorlApp(WORD showCommand, const std::string& exe, ProgramEnvironment environment)
    : ProgramUnderTest(exe, showCommand, std::move(environment)) {}

bool QuorlApp::FindControls() {
  main_ = Window(MainClass);
  if (!main_) return false;
  guessBox_ = ChildAt(main_, "Edit", GuessBoxAt);
  counterBox_ = ChildAt(main_, "Edit", CounterBoxAt);
  history_ = ChildAt(main_, "ListBox", HistoryAt);
  commencer_ = ChildAt(main_, "Button", CommencerAt);
  regles_ = ChildAt(main_, "Button", ReglesAt);
  quitter_ = ChildAt(main_, "Button", QuitterAt);
  return guessBox_ && counterBox_ && history_ && commencer_ && regles_ && quitter_;
}

bool QuorlApp::WaitForMainWindow() {
  return WaitForWindow(MainClass, [&](HWND) { return FindControls(); });
}

HWND QuorlApp::ApplicationWindow() const { return Window(ApplicationClass); }
HWND QuorlApp::MessageDialog() const { return Window(MessageClass); }
HWND QuorlApp::RulesDialog() const { return Window(RulesClass); }

std::vector<std::string> QuorlApp::HistoryLines() const { return ListLines(history_); }
std::string QuorlApp::CounterText() const { return TextOf(counterBox_); }
std::string QuorlApp::GuessText() const { return TextOf(guessBox_); }
bool QuorlApp::ClickGuessBox() { return ClickToFocus(guessBox_); }

bool QuorlApp::TypeGuess(const std::string& text) {
  const std::string before = GuessText();
  TypeText(Widen(text));
  return WaitUntil([&] { return GuessText() == before + text; });
}

GuessOutcome QuorlApp::SubmitGuess(const std::string& text) {
  if (!text.empty() && !TypeGuess(text)) return GuessOutcome::Stuck;
  PressKey(VK_RETURN);
  GuessOutcome outcome = GuessOutcome::Stuck;
  WaitUntil([&] {
    if (Shown(MessageDialog())) {
      outcome = GuessOutcome::Won;
    } else if (ErrorBox()) {
      outcome = GuessOutcome::Reported;
    } else if (GuessText().empty()) {
      outcome = GuessOutcome::Evaluated;
    } else {
      return false;
    }
    return true;
  });
  return outcome;
}

std::optional<int> QuorlApp::PlayUntilWon(std::string* failure, int exactly) {
  const char separator = LocaleDecimalSeparator();
  auto fail = [&](const std::string& why) -> std::optional<int> {
    if (failure) *failure = why;
    return std::nullopt;
  };
  // A guess may hit the secret before it is known; for an exact count that game is
  // given up and another played. Each has about an even chance.
  for (int game = 1; game <= (exactly ? 16 : 1); ++game) {
    int low = LowestSecret;
    int high = HighestSecret;
    for (int attempt = 1; attempt <= MostGuesses; ++attempt) {
      if (low > high) return fail("the verdicts contradict each other");
      // Splitting into odd parts where possible makes the secret known without a hit
      // for half the games, against 41% for plain halving.
      int below = (high - low) / 2;
      if (below % 2 == 0 && below > 0) --below;
      int guess = low + below;
      if (exactly && low == high && attempt < exactly) guess = 0;  // always too small
      const std::string text = ThousandthsText(guess, separator);
      const GuessOutcome outcome = SubmitGuess(text);
      if (outcome == GuessOutcome::Won && (!exactly || attempt == exactly)) return attempt;
      if (outcome == GuessOutcome::Won) {
        if (!DismissMessageDialog()) return fail("the message dialog did not go");
        break;
      }
      if (outcome != GuessOutcome::Evaluated) return fail("no answer to the guess " + text);
      const auto lines = HistoryLines();
      if (lines.empty()) return fail("the guess " + text + " left no line in the history");
      const std::string& last = lines.back();
      if (last == text + " est trop petit") {
        if (guess != 0) low = guess + 1;
      } else if (last == text + " est trop grand") {
        high = guess - 1;
      } else {
        return fail("unexpected verdict line \"" + last + "\" for the guess " + text);
      }
      if (attempt == MostGuesses)
        return fail("no win after " + std::to_string(attempt) + " guesses");
    }
  }
  return fail("no game won in exactly " + std::to_string(exactly) + " guesses");
}

bool QuorlApp::DismissMessageDialog() {
  PressKey(VK_RETURN);
  return WaitUntil([&] { return !Shown(MessageDialog()) && IsWindowEnabled(main_); });
}

}  // namespace e2e
