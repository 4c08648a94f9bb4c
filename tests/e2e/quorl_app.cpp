#include "quorl_app.h"

#include <cstdio>

#include "harness/input.h"
#include "harness/query.h"
#include "harness/wait.h"

namespace e2e {
namespace {

std::wstring widen(const std::string& text) {
  std::wstring wide;
  for (char c : text) wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
  return wide;
}

}  // namespace

std::string quorlPath() { return windowsPath(environment("QUORL_E2E_EXE", "Quorl.exe")); }

std::string helperWindowPath() {
  return windowsPath(environment("QUORL_E2E_HELPER", "e2e_other_window.exe"));
}

char localeDecimalSeparator() {
  char separator[8] = {};
  GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, sizeof separator);
  return separator[0] ? separator[0] : '.';
}

std::string thousandthsText(int thousandths, char separator) {
  char text[32];
  std::snprintf(text, sizeof text, "%d%c%03d", thousandths / 1000, separator, thousandths % 1000);
  return text;
}

bool shown(HWND window) { return window && IsWindow(window) && IsWindowVisible(window); }

QuorlApp::QuorlApp(WORD showCommand, const std::string& exe)
    : showCommand_(showCommand), exe_(exe), process_(exe, showCommand) {}

bool QuorlApp::findControls() {
  main_ = findTopLevel(process_.id(), kMainClass);
  if (!main_) return false;
  guessBox_ = childAt(main_, "Edit", kGuessBoxAt);
  counterBox_ = childAt(main_, "Edit", kCounterBoxAt);
  history_ = childAt(main_, "ListBox", kHistoryAt);
  commencer_ = childAt(main_, "Button", kCommencerAt);
  regles_ = childAt(main_, "Button", kReglesAt);
  quitter_ = childAt(main_, "Button", kQuitterAt);
  return guessBox_ && counterBox_ && history_ && commencer_ && regles_ && quitter_;
}

bool QuorlApp::waitForMainWindow() {
  return waitUntilStarted(
      process_, [&] { return Process(exe_, showCommand_); },
      [&] {
        // Keyboard input goes to the foreground window: typing before the board has
        // become it would send the keys elsewhere.
        return findControls() && shown(main_) && focus() != nullptr &&
               GetForegroundWindow() == main_;
      },
      "Quorl.exe");
}

HWND QuorlApp::applicationWindow() const { return findTopLevel(process_.id(), kApplicationClass); }
HWND QuorlApp::messageDialog() const { return findTopLevel(process_.id(), kMessageClass); }
HWND QuorlApp::rulesDialog() const { return findTopLevel(process_.id(), kRulesClass); }

HWND QuorlApp::messageBox() const { return visibleMessageBox(process_.id()); }

std::vector<std::string> QuorlApp::historyLines() const { return listLines(history_); }
std::string QuorlApp::counterText() const { return textOf(counterBox_); }
std::string QuorlApp::guessText() const { return textOf(guessBox_); }
HWND QuorlApp::focus() const { return focusedWindow(process_.mainThreadId()); }
HWND QuorlApp::active() const { return activeWindow(process_.mainThreadId()); }

bool QuorlApp::clickGuessBox() {
  clickAt(centreOf(guessBox_));
  return waitUntil([&] { return focus() == guessBox_; });
}

bool QuorlApp::typeGuess(const std::string& text) {
  const std::string before = guessText();
  typeText(widen(text));
  return waitUntil([&] { return guessText() == before + text; });
}

GuessOutcome QuorlApp::submitGuess(const std::string& text) {
  if (!text.empty() && !typeGuess(text)) return GuessOutcome::Stuck;
  pressKey(VK_RETURN);
  GuessOutcome outcome = GuessOutcome::Stuck;
  waitUntil([&] {
    if (shown(messageDialog())) {
      outcome = GuessOutcome::Won;
    } else if (messageBox()) {
      outcome = GuessOutcome::Reported;
    } else if (guessText().empty()) {
      outcome = GuessOutcome::Evaluated;
    } else {
      return false;
    }
    return true;
  });
  return outcome;
}

std::optional<int> QuorlApp::playUntilWon(std::string* failure, int exactly) {
  const char separator = localeDecimalSeparator();
  auto fail = [&](const std::string& why) -> std::optional<int> {
    if (failure) *failure = why;
    return std::nullopt;
  };
  // A guess may hit the secret before it is known; for an exact count that game is
  // given up and another played. Each has about an even chance.
  for (int game = 1; game <= (exactly ? 16 : 1); ++game) {
    int low = kLowestSecret;
    int high = kHighestSecret;
    for (int attempt = 1; attempt <= kMostGuesses; ++attempt) {
      if (low > high) return fail("the verdicts contradict each other");
      // Splitting into odd parts where possible makes the secret known without a hit
      // for half the games, against 41% for plain halving.
      int below = (high - low) / 2;
      if (below % 2 == 0 && below > 0) --below;
      int guess = low + below;
      if (exactly && low == high && attempt < exactly) guess = 0;  // always too small
      const std::string text = thousandthsText(guess, separator);
      const GuessOutcome outcome = submitGuess(text);
      if (outcome == GuessOutcome::Won && (!exactly || attempt == exactly)) return attempt;
      if (outcome == GuessOutcome::Won) {
        if (!dismissMessageDialog()) return fail("the message dialog did not go");
        break;
      }
      if (outcome != GuessOutcome::Evaluated) return fail("no answer to the guess " + text);
      const auto lines = historyLines();
      if (lines.empty()) return fail("the guess " + text + " left no line in the history");
      const std::string& last = lines.back();
      if (last == text + " est trop petit") {
        if (guess != 0) low = guess + 1;
      } else if (last == text + " est trop grand") {
        high = guess - 1;
      } else {
        return fail("unexpected verdict line \"" + last + "\" for the guess " + text);
      }
      if (attempt == kMostGuesses)
        return fail("no win after " + std::to_string(attempt) + " guesses");
    }
  }
  return fail("no game won in exactly " + std::to_string(exactly) + " guesses");
}

bool QuorlApp::dismissMessageDialog() {
  pressKey(VK_RETURN);
  return waitUntil([&] { return !shown(messageDialog()) && IsWindowEnabled(main_); });
}

}  // namespace e2e
