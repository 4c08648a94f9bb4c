// The fixture of every end-to-end test: each test starts its own Quorl and the
// process is ended when the test is over, whatever happened.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "harness/input.h"
#include "harness/query.h"
#include "harness/screenshot.h"
#include "harness/wait.h"
#include "quorl_app.h"

namespace e2e {

class QuorlTest : public ::testing::Test {
protected:
  // Starts Quorl and waits for its board; fails the test when it does not come up.
  void start(WORD showCommand = SW_SHOWDEFAULT) {
    app_.emplace(showCommand);
    const bool up = app_->waitForMainWindow();
    const auto ended = app_->process().exitCode();
    ASSERT_TRUE(up) << "the main window with its controls did not come up: main "
                    << describe(app_->mainWindow()) << ", guess box " << describe(app_->guessBox())
                    << ", focus " << describe(app_->focus())
                    << (ended ? ", ended with exit code " + std::to_string(*ended) : "");
  }

  // Accepted guesses that are always too small (below the lowest secret, 0.010) and
  // all different, so that each verdict line tells which guess it came from.
  static std::vector<std::string> tooSmallGuesses(char separator) {
    const std::string s(1, separator);
    std::vector<std::string> guesses{"0", "0" + s + "0", "0" + s + "00"};
    for (int i = 0; i <= 9; ++i) guesses.push_back("0" + s + "00" + std::to_string(i));
    return guesses;
  }

  // Submits `guesses`, each of which must be answered with a verdict line.
  void submitAll(const std::vector<std::string>& guesses) {
    for (const auto& guess : guesses) {
      SCOPED_TRACE("guess " + guess);
      ASSERT_EQ(app_->submitGuess(guess), GuessOutcome::Evaluated)
          << "guess box \"" << app_->guessText() << "\", focus " << describe(app_->focus())
          << ", foreground " << describe(GetForegroundWindow());
    }
  }

  // The rules dialog as the Règles button opens it, the focus on its OK button.
  struct RulesDialog {
    HWND window = nullptr;
    HWND memo = nullptr;
    HWND ok = nullptr;
  };

  void openRules(RulesDialog& rules) {
    clickAt(centreOf(app_->regles()));
    ASSERT_TRUE(waitUntil([&] { return shown(app_->rulesDialog()); })) << "no rules dialog";
    rules = RulesDialog{app_->rulesDialog()};
    for (HWND child : childWindows(rules.window)) {
      if (!IsWindowVisible(child)) continue;
      if (windowClass(child) == "Edit") rules.memo = child;
      if (windowClass(child) == "Button") rules.ok = child;
    }
    ASSERT_NE(rules.memo, nullptr);
    ASSERT_NE(rules.ok, nullptr);
    ASSERT_TRUE(waitUntil([&] { return app_->focus() == rules.ok; }));
  }

  QuorlApp& app() { return *app_; }

  // The count of the wins whose pictures are compared: a game is played until it is won
  // with exactly this many guesses.
  static constexpr int kPicturedWin = 20;

  std::optional<QuorlApp> app_;
};

inline std::string showName(WORD showCommand) {
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
