// The painted buttons and the keyboard: Commencer, Règles, the tab order, the arrows
// and the Shift key's state.
#include "accessible_controls.h"
#include "quorl_test.h"

#include "harness/input.h"
#include "harness/wait.h"

namespace e2e {
namespace {

class ButtonsTest : public QuorlTest {
protected:
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(Start()); }

  bool FocusReaches(HWND control) {
    return WaitUntil([&] { return app_->Focus() == control; });
  }
};

TEST_F(ButtonsTest, CommencerStartsAGameKeepsTheTypedTextAndTakesTheFocus) {
  ASSERT_NO_FATAL_FAILURE(SubmitAll({"0", "0" + std::string(1, LocaleDecimalSeparator()) + "001"}));
  ASSERT_TRUE(App().TypeGuess("5"));
  ClickAt(CenterOf(App().Commencer()));
  ASSERT_TRUE(WaitUntil([&] { return App().HistoryLines().empty(); })) << "no new game";
  EXPECT_EQ(App().CounterText(), "0");
  EXPECT_EQ(App().GuessText(), "5");
  EXPECT_TRUE(FocusReaches(App().Commencer())) << "focus on " << Describe(App().Focus());
  EXPECT_TRUE(MatchesReference("commencer-focused"));

  // Typing now does not reach the guess box; Enter presses Commencer again.
  ASSERT_TRUE(App().ClickGuessBox());
  // The kept text is the next guess.
  const GuessOutcome kept = App().SubmitGuess("");
  if (kept == GuessOutcome::Won) GTEST_SKIP() << "the secret was 5.000";
  ASSERT_EQ(kept, GuessOutcome::Evaluated);
  ASSERT_EQ(App().HistoryLines().size(), 1u);
  EXPECT_EQ(App().HistoryLines()[0].substr(0, 10), "5 est trop");
  for (int i = 0; i < 3; ++i) PressKey(VK_TAB);
  ASSERT_TRUE(FocusReaches(App().Commencer())) << "focus on " << Describe(App().Focus());
  PressKey(VK_RETURN);
  EXPECT_TRUE(WaitUntil([&] { return App().HistoryLines().empty(); })) << "Enter started no game";
  EXPECT_EQ(App().CounterText(), "0");
  EXPECT_EQ(App().Focus(), App().Commencer());
}

TEST_F(ButtonsTest, HiddenMenuCannotBeReachedFromTheKeyboard) {
  ASSERT_NO_FATAL_FAILURE(SubmitAll({"0"}));
  // The mnemonics of the hidden menu: &Fichier/&Quitter, &Jeu/&Commencer, &Infos/&Règles.
  for (char key : {'F', 'Q', 'J', 'C', 'I', 'R'}) {
    SCOPED_TRACE(std::string("Alt+") + key);
    PressKey(static_cast<WORD>(key), {VK_MENU});
    PressKey(VK_ESCAPE);
  }
  // Nothing is allowed to happen, so the waits are bounded and expected to run out.
  EXPECT_FALSE(WaitUntil([&] { return !App().Program().Running(); }, Millis{1000}));
  EXPECT_FALSE(Shown(App().RulesDialog()));
  EXPECT_EQ(App().HistoryLines(), std::vector<std::string>{"0 est trop petit"});
  // The guess box still takes guesses.
  ASSERT_TRUE(App().ClickGuessBox());
  ASSERT_NO_FATAL_FAILURE(SubmitAll({"0"}));
  EXPECT_EQ(App().CounterText(), "2");
}

TEST_F(ButtonsTest, TabShiftTabAndTheArrowsFollowTheDesignedOrder) {
  const HWND guess = App().GuessBox(), history = App().History(), counter = App().CounterBox(),
             commencer = App().Commencer(), regles = App().Regles(), quitter = App().Quitter();
  // Tab round the designed order and Shift+Tab back. The boxes and the list keep the
  // arrow keys (a Tab after them shows where the focus was); on a button they move the
  // focus along the same order, Left and Up back, Right and Down on, round from Quitter.
  // Shift is held only while it is down: the plain Tabs and the Enter at the end follow
  // an odd number of Shift presses (a Shift+Tab, a digit typed with Shift).
  ExpectFocusPath([&] { return App().Focus(); },
                  {{VK_TAB, history},       {VK_TAB, counter},       {VK_TAB, commencer},
                   {VK_TAB, regles},        {VK_TAB, quitter},       {VK_TAB, guess},
                   {VK_TAB, quitter, true}, {VK_TAB, regles, true},  {VK_TAB, commencer, true},
                   {VK_TAB, counter, true}, {VK_TAB, history, true}, {VK_TAB, guess, true},
                   {VK_UP, guess},          {VK_DOWN, guess},        {VK_LEFT, guess},
                   {VK_RIGHT, guess},       {VK_TAB, history},       {VK_UP, history},
                   {VK_DOWN, history},      {VK_LEFT, history},      {VK_RIGHT, history},
                   {VK_TAB, counter},       {VK_UP, counter},        {VK_DOWN, counter},
                   {VK_LEFT, counter},      {VK_RIGHT, counter},     {VK_TAB, commencer},
                   {VK_LEFT, counter},      {VK_TAB, commencer},     {VK_UP, counter},
                   {VK_TAB, commencer},     {VK_RIGHT, regles},      {VK_LEFT, commencer},
                   {VK_DOWN, regles},       {VK_UP, commencer},      {VK_RIGHT, regles},
                   {VK_RIGHT, quitter},     {VK_LEFT, regles},       {VK_DOWN, quitter},
                   {VK_UP, regles},         {VK_RIGHT, quitter},     {VK_RIGHT, guess},
                   {VK_TAB, quitter, true}, {VK_DOWN, guess},        {VK_TAB, history},
                   {VK_TAB, guess, true},   {'1', guess, true},      {VK_TAB, history},
                   {VK_TAB, counter},       {VK_TAB, commencer},     {VK_TAB, regles}});
  // And plain Enter presses the focused button.
  PressKey(VK_RETURN);
  ASSERT_TRUE(WaitUntil([&] { return Shown(App().RulesDialog()); }))
      << "Enter did not press Règles";
  PressKey(VK_RETURN);
  EXPECT_TRUE(WaitUntil([&] { return !Shown(App().RulesDialog()); }));
}

TEST_F(ButtonsTest, ReglesShowsTheRulesAndEnterClosesThemWithoutANewGame) {
  ASSERT_NO_FATAL_FAILURE(SubmitAll({"0"}));
  RulesDialog rules;
  ASSERT_NO_FATAL_FAILURE(OpenRules(rules));  // the focus on OK
  EXPECT_EQ(TextOf(rules.window), "R\xe8gles");
  EXPECT_FALSE(IsWindowEnabled(App().MainWindow()));
  EXPECT_EQ(TextOf(rules.memo),
            "Quorl\r\n"
            "\r\n"
            "Devine un nombre d\xe9"
            "cimal compris entre 0 et 10.\r\n"
            "Attention, ce nombre d\xe9"
            "cimal a trois chiffres apr\xe8s la virgule.\r\n"
            "\r\n"
            "Pour jouer, clique sur Commencer.");
  EXPECT_EQ(TextOf(rules.ok), "OK");
  EXPECT_TRUE(MatchesReference("rules-dialog"));

  PressKey(VK_RETURN);
  ASSERT_TRUE(WaitUntil([&] { return !Shown(rules.window); })) << "Enter did not close the rules";
  EXPECT_TRUE(IsWindowEnabled(App().MainWindow()));
  EXPECT_TRUE(FocusReaches(App().Regles())) << "focus on " << Describe(App().Focus());
  EXPECT_EQ(App().HistoryLines(), std::vector<std::string>{"0 est trop petit"});
  EXPECT_EQ(App().CounterText(), "1");

  // The focus stayed on Règles, so Enter opens the rules again.
  PressKey(VK_RETURN);
  ASSERT_TRUE(WaitUntil([&] { return Shown(App().RulesDialog()); })) << "no second showing";
  PressKey(VK_RETURN);
  EXPECT_TRUE(WaitUntil([&] { return !Shown(App().RulesDialog()); }));
  EXPECT_EQ(App().HistoryLines().size(), 1u);
}

}  // namespace
}  // namespace e2e
