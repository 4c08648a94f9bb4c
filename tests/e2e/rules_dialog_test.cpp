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
    ASSERT_NO_FATAL_FAILURE(openRules());
  }

  void openRules() {
    clickAt(centreOf(app().regles()));
    ASSERT_TRUE(waitUntil([&] { return shown(app().rulesDialog()); })) << "no rules dialog";
    rules_ = app().rulesDialog();
    memo_ = ok_ = nullptr;
    for (HWND child : childWindows(rules_)) {
      if (!IsWindowVisible(child)) continue;
      if (windowClass(child) == "Edit") memo_ = child;
      if (windowClass(child) == "Button") ok_ = child;
    }
    ASSERT_NE(memo_, nullptr);
    ASSERT_NE(ok_, nullptr);
    ASSERT_TRUE(waitUntil([&] { return app().focus() == ok_; }));
  }

  bool rulesClosed() {
    return waitUntil([&] { return !shown(rules_) && IsWindowEnabled(app().mainWindow()); });
  }

  HWND rules_ = nullptr;
  HWND memo_ = nullptr;
  HWND ok_ = nullptr;
};

TEST_F(RulesDialogTest, EditedRulesStayForTheNextShowing) {
  const std::string original = textOf(memo_);
  clickAt(centreOf(memo_));
  ASSERT_TRUE(waitUntil([&] { return app().focus() == memo_; }));
  pressKey(VK_END, {VK_CONTROL});
  typeText(L"Bonne chance");
  pressKey(VK_RETURN);  // a new line in the memo, not OK
  typeText(L"!");
  const std::string edited = original + "Bonne chance\r\n!";
  ASSERT_TRUE(waitUntil([&] { return textOf(memo_) == edited; })) << textOf(memo_);
  EXPECT_TRUE(shown(rules_)) << "Enter in the memo closed the rules";
  saveScreenshot("rules-edited");

  clickAt(centreOf(ok_));
  ASSERT_TRUE(rulesClosed());
  ASSERT_NO_FATAL_FAILURE(openRules());
  EXPECT_EQ(textOf(memo_), edited);
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
  EXPECT_FALSE(waitUntil([&] { return !shown(rules_); }, Millis{1500}));
  pressKey(VK_RETURN);
  EXPECT_TRUE(rulesClosed());
}

TEST_F(RulesDialogTest, TabReachesTheMemoAndEnterThereDoesNotClose) {
  pressKey(VK_TAB);
  ASSERT_TRUE(waitUntil([&] { return app().focus() == memo_; }))
      << "focus on " << describe(app().focus());
  pressKey(VK_RETURN);
  EXPECT_FALSE(waitUntil([&] { return !shown(rules_); }, Millis{1500}));
  clickAt(centreOf(ok_));
  EXPECT_TRUE(rulesClosed());
}

}  // namespace
}  // namespace e2e
