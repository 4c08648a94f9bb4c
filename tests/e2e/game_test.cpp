// Playing: verdict lines, the twelve-line history, refused inputs and wins.
#include "quorl_test.h"

#include <utility>

#include "harness/input.h"
#include "harness/wait.h"

namespace e2e {
namespace {

class GameTest : public QuorlTest {
protected:
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(Start()); }

  // The message dialog's label and OK button.
  HWND DialogLabel() const { return FirstChild(app_->MessageDialog(), "Static"); }
  HWND DialogButton() const { return FirstChild(app_->MessageDialog(), "Button"); }

  static HWND FirstChild(HWND parent, const char* className) {
    const auto children = ChildWindows(parent, className);
    return children.empty() ? nullptr : children.front();
  }

  // Plays one game to its win and checks the congratulation; returns the count.
  // With `reference`, the game is won in PicturedWin guesses and the dialog compared.
  int WinOneGame(const std::string& reference = {}) {
    std::string failure;
    const auto attempts = app_->PlayUntilWon(&failure, reference.empty() ? 0 : PicturedWin);
    EXPECT_TRUE(attempts.has_value()) << failure;
    if (!attempts) return 0;
    const HWND dialog = app_->MessageDialog();
    EXPECT_EQ(TextOf(dialog), "Message !");
    EXPECT_FALSE(IsWindowEnabled(app_->MainWindow())) << "the board must wait for OK";
    EXPECT_EQ(TextOf(DialogLabel()),
              "Bravo, vous avez gagn\xe9 en " + std::to_string(*attempts) + " essais");
    const RECT bounds = ScreenRect(dialog);
    EXPECT_EQ(bounds.left, 683);
    EXPECT_EQ(bounds.top, 377);
    EXPECT_EQ(SizeOf(bounds).cy, 179);
    EXPECT_EQ(app_->Focus(), DialogButton()) << "focus on " << Describe(app_->Focus());
    EXPECT_EQ(TextOf(DialogButton()), "OK");
    // Behind the dialog the board still shows the winning line, without a verdict,
    // and the final count.
    const auto lines = app_->HistoryLines();
    EXPECT_FALSE(lines.empty());
    if (!lines.empty()) {
      EXPECT_EQ(lines.back().find(" est trop"), std::string::npos) << lines.back();
    }
    EXPECT_EQ(app_->CounterText(), std::to_string(*attempts));
    if (!reference.empty()) {
      EXPECT_TRUE(MatchesReference(reference, dialog));
    }
    return *attempts;
  }

  void ExpectBackOnTheBoardAfterWin(int attempts) {
    EXPECT_TRUE(IsWindowEnabled(app_->MainWindow()));
    EXPECT_TRUE(WaitUntil([&] { return app_->Focus() == app_->GuessBox(); }))
        << "focus on " << Describe(app_->Focus());
    EXPECT_TRUE(app_->HistoryLines().empty());
    // The counter keeps the winning count until the next accepted guess.
    EXPECT_EQ(app_->CounterText(), std::to_string(attempts));
  }
};

TEST_F(GameTest, WinShowsTheCongratulationModallyAndTheNextGuessCountsOne) {
  const int attempts = WinOneGame("win-dialog");
  ASSERT_GT(attempts, 0);
  ASSERT_TRUE(App().DismissMessageDialog());
  ExpectBackOnTheBoardAfterWin(attempts);
  EXPECT_TRUE(MatchesReference("after-win"));
  ASSERT_NO_FATAL_FAILURE(SubmitAll({"0"}));
  EXPECT_EQ(App().CounterText(), "1");
  EXPECT_EQ(App().HistoryLines(), std::vector<std::string>{"0 est trop petit"});
}

TEST_F(GameTest, TwoWinsInARowEachShowTheirOwnCount) {
  // The one case that every build runs: it compares the board before and after a win
  // and the congratulation.
  EXPECT_TRUE(MatchesReference("startup"));
  for (int game = 1; game <= 2; ++game) {
    SCOPED_TRACE("game " + std::to_string(game));
    const int attempts = WinOneGame(game == 1 ? "win-dialog" : "");
    ASSERT_GT(attempts, 0);
    ASSERT_TRUE(App().DismissMessageDialog());
    ExpectBackOnTheBoardAfterWin(attempts);
    if (game == 1) {
      EXPECT_TRUE(MatchesReference("after-win"));
    }
  }
}

TEST_F(GameTest, HistoryKeepsTheTwelveMostRecentVerdicts) {
  const auto guesses = TooSmallGuesses(LocaleDecimalSeparator());
  ASSERT_EQ(guesses.size(), 13u);
  ASSERT_NO_FATAL_FAILURE(SubmitAll(guesses));
  std::vector<std::string> expected;
  for (size_t i = 1; i < guesses.size(); ++i) expected.push_back(guesses[i] + " est trop petit");
  EXPECT_EQ(App().HistoryLines(), expected);
  EXPECT_EQ(App().CounterText(), "13");
  // Twelve rows fit the list: no scroll bar is left once the first line has gone.
  EXPECT_FALSE(GetWindowLongPtrA(App().History(), GWL_STYLE) & WS_VSCROLL);
  EXPECT_TRUE(MatchesReference("history-twelve-lines"));
}

TEST_F(GameTest, RefusedInputsAddNothingAndEmptyTheBox) {
  ASSERT_NO_FATAL_FAILURE(SubmitAll({"0"}));
  // Text, and why it is refused.
  const std::pair<const char*, const char*> cases[] = {
      {"", "an empty box"},
      {"abc", "not a number"},
      {"-1", "below 0"},
      {"10.001", "above 10 with a point"},
      {"10,001", "above 10 with a comma"},
      {"1.2.3", "two separators"},
      {"1,2,3", "two commas"},
      {"5 5", "a blank inside"},
  };
  for (const auto& [text, reason] : cases) {
    SCOPED_TRACE(std::string("\"") + text + "\": " + reason);
    EXPECT_EQ(App().SubmitGuess(text), GuessOutcome::Evaluated);
    EXPECT_EQ(App().GuessText(), "");
    EXPECT_EQ(App().HistoryLines(), std::vector<std::string>{"0 est trop petit"});
    EXPECT_EQ(App().CounterText(), "1");
  }
}

TEST_F(GameTest, BoundsAndSignedZeroAreAccepted) {
  // Text, and why it is too small.
  const std::pair<const char*, const char*> cases[] = {
      {"0", "the lower bound; every secret is above it"},
      {"-0", "minus zero passes the range check"},
      {"1E-400", "too small for a double: read as 0"},
  };
  size_t count = 0;
  for (const auto& [text, reason] : cases) {
    SCOPED_TRACE(std::string(text) + ": " + reason);
    ASSERT_EQ(App().SubmitGuess(text), GuessOutcome::Evaluated);
    ++count;
    const auto lines = App().HistoryLines();
    ASSERT_EQ(lines.size(), count);
    EXPECT_EQ(lines.back(), std::string(text) + " est trop petit");
  }
  EXPECT_TRUE(MatchesReference("verdicts"));
  // 10 is accepted too; only a secret of exactly 10.000 would make it win.
  const GuessOutcome ten = App().SubmitGuess("10");
  if (ten == GuessOutcome::Won) {
    ASSERT_TRUE(App().DismissMessageDialog());
  } else {
    ASSERT_EQ(ten, GuessOutcome::Evaluated);
    EXPECT_EQ(App().HistoryLines().back(), "10 est trop grand");
  }
}

TEST_F(GameTest, EnterTwiceEvaluatesOnceAndRefusesTheEmptyBox) {
  ASSERT_TRUE(App().TypeGuess("0"));
  PressKey(VK_RETURN);
  ASSERT_EQ(App().SubmitGuess(""), GuessOutcome::Evaluated);
  EXPECT_EQ(App().HistoryLines(), std::vector<std::string>{"0 est trop petit"});
  EXPECT_EQ(App().CounterText(), "1");
}

}  // namespace
}  // namespace e2e
