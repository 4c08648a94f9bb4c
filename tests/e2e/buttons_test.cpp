// The painted buttons and the keyboard: Commencer, Règles, and the tab order.
#include "quorl_test.h"

#include "harness/input.h"
#include "harness/wait.h"

namespace e2e {
namespace {

class ButtonsTest : public QuorlTest {
protected:
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(start()); }

  bool focusReaches(HWND control) {
    return waitUntil([&] { return app_->focus() == control; });
  }
};

TEST_F(ButtonsTest, CommencerStartsAGameKeepsTheTypedTextAndTakesTheFocus) {
  ASSERT_NO_FATAL_FAILURE(submitAll({"0", "0" + std::string(1, localeDecimalSeparator()) + "001"}));
  ASSERT_TRUE(app().typeGuess("5"));
  clickAt(centreOf(app().commencer()));
  ASSERT_TRUE(waitUntil([&] { return app().historyLines().empty(); })) << "no new game";
  EXPECT_EQ(app().counterText(), "0");
  EXPECT_EQ(app().guessText(), "5");
  EXPECT_TRUE(focusReaches(app().commencer())) << "focus on " << describe(app().focus());
  EXPECT_TRUE(matchesReference("commencer-focused"));

  // Typing now does not reach the guess box; Enter presses Commencer again.
  ASSERT_TRUE(app().clickGuessBox());
  // The kept text is the next guess.
  const GuessOutcome kept = app().submitGuess("");
  if (kept == GuessOutcome::Won) GTEST_SKIP() << "the secret was 5.000";
  ASSERT_EQ(kept, GuessOutcome::Evaluated);
  ASSERT_EQ(app().historyLines().size(), 1u);
  EXPECT_EQ(app().historyLines()[0].substr(0, 10), "5 est trop");
  for (int i = 0; i < 3; ++i) pressKey(VK_TAB);
  ASSERT_TRUE(focusReaches(app().commencer())) << "focus on " << describe(app().focus());
  pressKey(VK_RETURN);
  EXPECT_TRUE(waitUntil([&] { return app().historyLines().empty(); })) << "Enter started no game";
  EXPECT_EQ(app().counterText(), "0");
  EXPECT_EQ(app().focus(), app().commencer());
}

TEST_F(ButtonsTest, HiddenMenuCannotBeReachedFromTheKeyboard) {
  ASSERT_NO_FATAL_FAILURE(submitAll({"0"}));
  // The mnemonics of the hidden menu: &Fichier/&Quitter, &Jeu/&Commencer, &Infos/&Règles.
  for (char key : {'F', 'Q', 'J', 'C', 'I', 'R'}) {
    SCOPED_TRACE(std::string("Alt+") + key);
    pressKey(static_cast<WORD>(key), {VK_MENU});
    pressKey(VK_ESCAPE);
  }
  // Nothing is allowed to happen, so the waits are bounded and expected to run out.
  EXPECT_FALSE(waitUntil([&] { return !app().process().running(); }, Millis{1000}));
  EXPECT_FALSE(shown(app().rulesDialog()));
  EXPECT_EQ(app().historyLines(), std::vector<std::string>{"0 est trop petit"});
  // The guess box still takes guesses.
  ASSERT_TRUE(app().clickGuessBox());
  ASSERT_NO_FATAL_FAILURE(submitAll({"0"}));
  EXPECT_EQ(app().counterText(), "2");
}

TEST_F(ButtonsTest, TabAndShiftTabFollowTheDesignedOrder) {
  const std::vector<HWND> order{app().guessBox(),  app().history(), app().counterBox(),
                                app().commencer(), app().regles(),  app().quitter(),
                                app().guessBox()};
  for (size_t i = 1; i < order.size(); ++i) {
    SCOPED_TRACE("Tab number " + std::to_string(i));
    pressKey(VK_TAB);
    ASSERT_TRUE(focusReaches(order[i])) << "focus on " << describe(app().focus());
  }
  for (size_t i = order.size() - 1; i-- > 0;) {
    SCOPED_TRACE("Shift+Tab back to position " + std::to_string(i));
    pressKey(VK_TAB, {VK_SHIFT});
    ASSERT_TRUE(focusReaches(order[i])) << "focus on " << describe(app().focus());
  }
}

TEST_F(ButtonsTest, ReglesShowsTheRulesAndEnterClosesThemWithoutANewGame) {
  ASSERT_NO_FATAL_FAILURE(submitAll({"0"}));
  clickAt(centreOf(app().regles()));
  ASSERT_TRUE(waitUntil([&] { return shown(app().rulesDialog()); })) << "no rules dialog";
  const HWND rules = app().rulesDialog();
  EXPECT_EQ(textOf(rules), "R\xe8gles");
  EXPECT_FALSE(IsWindowEnabled(app().mainWindow()));
  HWND memo = nullptr;
  HWND ok = nullptr;
  for (HWND child : childWindows(rules)) {
    if (!IsWindowVisible(child)) continue;
    if (windowClass(child) == "Edit") memo = child;
    if (windowClass(child) == "Button") ok = child;
  }
  ASSERT_NE(memo, nullptr) << "no visible rules memo";
  ASSERT_NE(ok, nullptr) << "no visible OK button";
  EXPECT_EQ(textOf(memo),
            "Quorl\r\n"
            "\r\n"
            "Devine un nombre d\xe9"
            "cimal compris entre 0 et 10.\r\n"
            "Attention, ce nombre d\xe9"
            "cimal a trois chiffres apr\xe8s la virgule.\r\n"
            "\r\n"
            "Pour jouer, clique sur Commencer.");
  EXPECT_EQ(textOf(ok), "OK");
  EXPECT_TRUE(waitUntil([&] { return app().focus() == ok; }))
      << "focus on " << describe(app().focus());
  EXPECT_TRUE(matchesReference("rules-dialog"));

  pressKey(VK_RETURN);
  ASSERT_TRUE(waitUntil([&] { return !shown(rules); })) << "Enter did not close the rules";
  EXPECT_TRUE(IsWindowEnabled(app().mainWindow()));
  EXPECT_TRUE(focusReaches(app().regles())) << "focus on " << describe(app().focus());
  EXPECT_EQ(app().historyLines(), std::vector<std::string>{"0 est trop petit"});
  EXPECT_EQ(app().counterText(), "1");

  // The focus stayed on Règles, so Enter opens the rules again.
  pressKey(VK_RETURN);
  ASSERT_TRUE(waitUntil([&] { return shown(app().rulesDialog()); })) << "no second showing";
  pressKey(VK_RETURN);
  EXPECT_TRUE(waitUntil([&] { return !shown(app().rulesDialog()); }));
  EXPECT_EQ(app().historyLines().size(), 1u);
}

}  // namespace
}  // namespace e2e
