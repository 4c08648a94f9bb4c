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
    ASSERT_NO_FATAL_FAILURE(start());
    ASSERT_NO_FATAL_FAILURE(submitAll({"0"}));
    ASSERT_NO_FATAL_FAILURE(openRules(rules_));
  }

  bool rulesClosed() {
    return waitUntil([&] { return !shown(rules_.window) && IsWindowEnabled(app().mainWindow()); });
  }

  RulesDialog rules_;
};

TEST_F(RulesDialogTest, EditedRulesStayForTheNextShowing) {
  const std::string original = textOf(rules_.memo);
  clickAt(centreOf(rules_.memo));
  ASSERT_TRUE(waitUntil([&] { return app().focus() == rules_.memo; }));
  pressKey(VK_END, {VK_CONTROL});
  typeText(L"Bonne chance");
  pressKey(VK_RETURN);  // a new line in the memo, not OK
  typeText(L"!");
  const std::string edited = original + "Bonne chance\r\n!";
  ASSERT_TRUE(waitUntil([&] { return textOf(rules_.memo) == edited; })) << textOf(rules_.memo);
  EXPECT_TRUE(shown(rules_.window)) << "Enter in the memo closed the rules";
  EXPECT_TRUE(matchesReference("rules-edited"));

  clickAt(centreOf(rules_.ok));
  ASSERT_TRUE(rulesClosed());
  ASSERT_NO_FATAL_FAILURE(openRules(rules_));
  EXPECT_EQ(textOf(rules_.memo), edited);
  pressKey(VK_RETURN);
  EXPECT_TRUE(rulesClosed());
  EXPECT_EQ(app().historyLines(), std::vector<std::string>{"0 est trop petit"});
}

TEST_F(RulesDialogTest, SpacePressesOk) {
  pressKey(VK_SPACE);
  EXPECT_TRUE(rulesClosed());
  EXPECT_TRUE(waitUntil([&] { return app().focus() == app().regles(); }));
}

TEST_F(RulesDialogTest, EscapeDoesNothing) {
  pressKey(VK_ESCAPE);
  EXPECT_FALSE(waitUntil([&] { return !shown(rules_.window); }, Millis{1500}));
  pressKey(VK_RETURN);
  EXPECT_TRUE(rulesClosed());
}

TEST_F(RulesDialogTest, TabReachesTheMemoAndEnterThereDoesNotClose) {
  pressKey(VK_TAB);
  ASSERT_TRUE(waitUntil([&] { return app().focus() == rules_.memo; }))
      << "focus on " << describe(app().focus());
  pressKey(VK_RETURN);
  EXPECT_FALSE(waitUntil([&] { return !shown(rules_.window); }, Millis{1500}));
  clickAt(centreOf(rules_.ok));
  EXPECT_TRUE(rulesClosed());
}

}  // namespace
}  // namespace e2e
