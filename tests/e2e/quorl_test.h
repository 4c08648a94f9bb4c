// The fixture of every end-to-end test: each test starts its own Quorl and the
// process is ended when the test is over, whatever happened.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>

#include "harness/input.h"
#include "harness/query.h"
#include "harness/screenshot.h"
#include "harness/wait.h"
#include "quorl_app.h"

namespace e2e {

class QuorlTest : public ::testing::Test {
protected:
  // Starts Quorl and waits for its board; fails the test when it does not come up.
  void Start(WORD showCommand = SW_SHOWDEFAULT, ProgramEnvironment environment = {}) {
    app_.emplace(showCommand, QuorlPath(), std::move(environment));
    const bool up = app_->WaitForMainWindow();
    const auto ended = app_->Program().ExitCode();
    ASSERT_TRUE(up) << "the main window with its controls did not come up: main "
                    << Describe(app_->MainWindow()) << ", guess box " << Describe(app_->GuessBox())
                    << ", focus " << Describe(app_->Focus())
                    << (ended ? ", ended with exit code " + std::to_string(*ended) : "");
  }

  // Accepted guesses that are always too small (below the lowest secret, 0.010) and
  // all different, so that each verdict line tells which guess it came from.
  static std::vector<std::string> TooSmallGuesses(char separator) {
    const std::string s(1, separator);
    std::vector<std::string> guesses{"0", "0" + s + "0", "0" + s + "00"};
    for (int i = 0; i <= 9; ++i) guesses.push_back("0" + s + "00" + std::to_string(i));
    return guesses;
  }

  // Submits `guesses`, each of which must be answered with a verdict line.
  void SubmitAll(const std::vector<std::string>& guesses) {
    for (const auto& guess : guesses) {
      SCOPED_TRACE("guess " + guess);
      ASSERT_EQ(app_->SubmitGuess(guess), GuessOutcome::Evaluated)
          << "guess box \"" << app_->GuessText() << "\", focus " << Describe(app_->Focus())
          << ", foreground " << Describe(GetForegroundWindow());
    }
  }

  // The rules dialog as the Règles button opens it, the focus on its OK button.
  struct RulesDialog {
    HWND window = nullptr;
    HWND memo = nullptr;
    HWND ok = nullptr;
  };

  void OpenRules(RulesDialog& rules) {
    ClickAt(CenterOf(app_->Regles()));
    ASSERT_TRUE(WaitUntil([&] { return Shown(app_->RulesDialog()); })) << "no rules dialog";
    rules = RulesDialog{app_->RulesDialog()};
    for (HWND child : ChildWindows(rules.window)) {
      if (!IsWindowVisible(child)) continue;
      if (WindowClass(child) == "Edit") rules.memo = child;
      if (WindowClass(child) == "Button") rules.ok = child;
    }
    ASSERT_NE(rules.memo, nullptr);
    ASSERT_NE(rules.ok, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return app_->Focus() == rules.ok; }));
  }

  QuorlApp& App() { return *app_; }

  // The count of the wins whose pictures are compared: a game is played until it is won
  // with exactly this many guesses.
  static constexpr int PicturedWin = 20;

  std::optional<QuorlApp> app_;
};

// A game under way: the program started and one guess, 0, answered with its verdict
// line, so that a case can tell that nothing more was counted.
class OneGuessTest : public QuorlTest {
protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(SubmitAll({"0"}));
  }
};

inline std::string ShowName(WORD showCommand) {
  switch (showCommand) {
    case SW_SHOWDEFAULT:
      return "SW_SHOWDEFAULT";
    case SW_SHOWNORMAL:
      return "SW_SHOWNORMAL";
    case SW_SHOWMAXIMIZED:
      return "SW_SHOWMAXIMIZED";
    case SW_SHOWMINNOACTIVE:
      return "SW_SHOWMINNOACTIVE";
    default:
      return std::to_string(showCommand);
  }
}

}  // namespace e2e
