#include "quorl_app.h"

#include <cstdio>

#include "harness/input.h"
#include "harness/query.h"
#include "harness/wait.h"

namespace e2e {
namespace {

// Descendants of `top` of class `className` whose top-left corner lies at `at` in
// top's client coordinates (the controls may sit in a panel of their own).
struct ControlSearch {
  HWND top;
  const char* className;
  POINT at;
  HWND found;
};

// A named callback: the 32-bit build needs the stdcall convention, which a lambda
// does not convert to.
BOOL CALLBACK matchControl(HWND child, LPARAM context) {
  auto& s = *reinterpret_cast<ControlSearch*>(context);
  if (windowClass(child) != s.className) return TRUE;
  RECT rect = screenRect(child);
  MapWindowPoints(HWND_DESKTOP, s.top, reinterpret_cast<POINT*>(&rect), 2);
  if (rect.left == s.at.x && rect.top == s.at.y) {
    s.found = child;
    return FALSE;
  }
  return TRUE;
}

HWND controlAt(HWND top, const char* className, POINT at) {
  ControlSearch search{top, className, at, nullptr};
  EnumChildWindows(top, matchControl, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

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
  guessBox_ = controlAt(main_, "Edit", kGuessBoxAt);
  counterBox_ = controlAt(main_, "Edit", kCounterBoxAt);
  history_ = controlAt(main_, "ListBox", kHistoryAt);
  commencer_ = controlAt(main_, "Button", kCommencerAt);
  regles_ = controlAt(main_, "Button", kReglesAt);
  quitter_ = controlAt(main_, "Button", kQuitterAt);
  return guessBox_ && counterBox_ && history_ && commencer_ && regles_ && quitter_;
}

bool QuorlApp::waitForMainWindow() {
  const auto up = [&] {
    return waitUntil([&] {
      if (!process_.running()) return true;
      if (!findControls()) return false;
      // Keyboard input goes to the foreground window: typing before the board has
      // become it would send the keys elsewhere.
      return shown(main_) && focus() != nullptr && GetForegroundWindow() == main_;
    }) && process_.running();
  };
  if (up()) return true;
  if (!retryEndedStart(process_, "Quorl.exe")) return false;
  process_ = Process(exe_, showCommand_);
  return up();
}

HWND QuorlApp::applicationWindow() const { return findTopLevel(process_.id(), kApplicationClass); }
HWND QuorlApp::messageDialog() const { return findTopLevel(process_.id(), kMessageClass); }
HWND QuorlApp::rulesDialog() const { return findTopLevel(process_.id(), kRulesClass); }

HWND QuorlApp::messageBox() const {
  for (HWND window : topLevelWindows(process_.id(), "#32770")) {
    if (IsWindowVisible(window)) return window;
  }
  return nullptr;
}

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

std::optional<int> QuorlApp::playUntilWon(std::string* failure) {
  const char separator = localeDecimalSeparator();
  int low = kLowestSecret;
  int high = kHighestSecret;
  auto fail = [&](const std::string& why) -> std::optional<int> {
    if (failure) *failure = why;
    return std::nullopt;
  };
  for (int attempt = 1; attempt <= 20; ++attempt) {
    if (low > high) return fail("the verdicts contradict each other");
    const int middle = low + (high - low) / 2;
    const std::string text = thousandthsText(middle, separator);
    const GuessOutcome outcome = submitGuess(text);
    if (outcome == GuessOutcome::Won) return attempt;
    if (outcome != GuessOutcome::Evaluated) return fail("no answer to the guess " + text);
    const auto lines = historyLines();
    if (lines.empty()) return fail("the guess " + text + " left no line in the history");
    const std::string& last = lines.back();
    if (last == text + " est trop petit") {
      low = middle + 1;
    } else if (last == text + " est trop grand") {
      high = middle - 1;
    } else {
      return fail("unexpected verdict line \"" + last + "\" for the guess " + text);
    }
  }
  return fail("no win after 20 guesses");
}

bool QuorlApp::dismissMessageDialog() {
  pressKey(VK_RETURN);
  return waitUntil([&] { return !shown(messageDialog()) && IsWindowEnabled(main_); });
}

}  // namespace e2e
