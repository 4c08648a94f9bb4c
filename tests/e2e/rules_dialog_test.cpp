// The rules dialog beyond its first showing: the memo can be edited and keeps its
// text, Enter in the memo starts a line, Space presses OK, Escape does nothing, the
// arrows go from OK to the memo.
#include "accessible_controls.h"
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

// What a dialog uncovers of the board while it stays up looks as before (closing it
// would activate the board, which draws the whole of it).
TEST_F(RulesDialogTest, MovedAwayAndBackItLeavesTheBoardWholeAndSpacePressesOk) {
  ASSERT_TRUE(MoveAwayAndBack(rules_.window, {200, 300}, App().MainWindow()));
  EXPECT_TRUE(MatchesReference("rules-dialog"));
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

TEST_F(RulesDialogTest, TabAndTheArrowsGoBetweenOkAndTheMemoAndEnterThereDoesNotClose) {
  // Every arrow on OK moves to the memo, its one other control; the memo keeps them (a
  // Tab after them shows that the focus was there).
  const HWND ok = rules_.ok, memo = rules_.memo;
  const std::vector<FocusStep> steps{
      {VK_TAB, memo},  {VK_TAB, ok},     {VK_RIGHT, memo}, {VK_UP, memo},   {VK_DOWN, memo},
      {VK_LEFT, memo}, {VK_RIGHT, memo}, {VK_TAB, ok},     {VK_DOWN, memo}, {VK_TAB, ok},
      {VK_LEFT, memo}, {VK_TAB, ok},     {VK_UP, memo}};
  ExpectFocusPath([&] { return App().Focus(); }, steps);
  PressKey(VK_RETURN);
  EXPECT_FALSE(WaitUntil([&] { return !Shown(rules_.window); }, Millis{1500}));
  ClickAt(CenterOf(rules_.ok));
  EXPECT_TRUE(RulesClosed());
}

}  // namespace
}  // namespace e2e
