// The rules dialog beyond its first showing: the memo can be edited and keeps its
// text, Enter in the memo starts a line, Space presses OK, Escape does nothing.
#include "quorl_test.h"

#include "harness/input.h"
#include "harness/wait.h"

namespace e2e {
namespace {

class RulesDialogTest : public QuorlTest {
protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(SubmitAll({"0"}));
    ASSERT_NO_FATAL_FAILURE(OpenRules(rules_));
  }

  bool RulesClosed() {
    return WaitUntil([&] { return !Shown(rules_.window) && IsWindowEnabled(App().MainWindow()); });
  }

  RulesDialog rules_;
};

TEST_F(RulesDialogTest, EditedRulesStayForTheNextShowing) {
  const std::string original = TextOf(rules_.memo);
  ClickAt(CenterOf(rules_.memo));
  ASSERT_TRUE(WaitUntil([&] { return App().Focus() == rules_.memo; }));
  PressKey(VK_END, {VK_CONTROL});
  TypeText(L"Bonne chance");
  PressKey(VK_RETURN);  // a new line in the memo, not OK
  TypeText(L"!");
  const std::string edited = original + "Bonne chance\r\n!";
  ASSERT_TRUE(WaitUntil([&] { return TextOf(rules_.memo) == edited; })) << TextOf(rules_.memo);
  EXPECT_TRUE(Shown(rules_.window)) << "Enter in the memo closed the rules";
  EXPECT_TRUE(MatchesReference("rules-edited"));

  ClickAt(CenterOf(rules_.ok));
  ASSERT_TRUE(RulesClosed());
  ASSERT_NO_FATAL_FAILURE(OpenRules(rules_));
  EXPECT_EQ(TextOf(rules_.memo), edited);
  PressKey(VK_RETURN);
  EXPECT_TRUE(RulesClosed());
  EXPECT_EQ(App().HistoryLines(), std::vector<std::string>{"0 est trop petit"});
}

TEST_F(RulesDialogTest, SpacePressesOk) {
  PressKey(VK_SPACE);
  EXPECT_TRUE(RulesClosed());
  EXPECT_TRUE(WaitUntil([&] { return App().Focus() == App().Regles(); }));
}

TEST_F(RulesDialogTest, EscapeDoesNothing) {
  PressKey(VK_ESCAPE);
  EXPECT_FALSE(WaitUntil([&] { return !Shown(rules_.window); }, Millis{1500}));
  PressKey(VK_RETURN);
  EXPECT_TRUE(RulesClosed());
}

TEST_F(RulesDialogTest, TabReachesTheMemoAndEnterThereDoesNotClose) {
  PressKey(VK_TAB);
  ASSERT_TRUE(WaitUntil([&] { return App().Focus() == rules_.memo; }))
      << "focus on " << Describe(App().Focus());
  PressKey(VK_RETURN);
  EXPECT_FALSE(WaitUntil([&] { return !Shown(rules_.window); }, Millis{1500}));
  ClickAt(CenterOf(rules_.ok));
  EXPECT_TRUE(RulesClosed());
}

}  // namespace
}  // namespace e2e
