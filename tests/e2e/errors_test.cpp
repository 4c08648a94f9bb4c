// Errors the player can meet: a guess too large for a double, reported in a message
// box, moved off the board and back as in the rules' case, after which the game goes
// on; and a program whose main window description is missing, which reports it and
// ends with exit code 1.
#include "quorl_test.h"

#include "harness/input.h"
#include "harness/resources.h"
#include "harness/wait.h"

namespace e2e {
namespace {

using OverflowTest = OneGuessTest;

TEST_F(OverflowTest, HugeGuessIsReportedAndTheGameGoesOn) {
  for (const char* text : {"1E400", "-1E400"}) {
    SCOPED_TRACE(text);
    ASSERT_TRUE(App().TypeGuess(text));
    PressKey(VK_RETURN);
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (box = App().ErrorBox()) != nullptr; })) << "no error box";
    EXPECT_EQ(TextOf(box), "Quorl");
    const BoxContents contents = MessageBoxContents(box);
    EXPECT_EQ(contents.texts, std::vector<std::string>{"D\xe9"
                                                       "bordement en virgule flottante."});
    EXPECT_EQ(contents.buttons, std::vector<std::string>{"OK"});
    EXPECT_FALSE(IsWindowEnabled(App().MainWindow()));
    const std::string picture = std::string("overflow-box") + (text[0] == '-' ? "-negative" : "");
    EXPECT_TRUE(MatchesReference(picture));
    ASSERT_TRUE(MoveAwayAndBack(box, {100, 150}, App().MainWindow()));
    EXPECT_TRUE(MatchesReference(picture));

    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return !App().ErrorBox(); })) << "OK did not close the box";
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(App().MainWindow()); }));
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == App().MainWindow(); }))
        << "foreground " << Describe(GetForegroundWindow());
    EXPECT_TRUE(WaitUntil([&] { return App().Focus() == App().GuessBox(); }))
        << "focus on " << Describe(App().Focus());
    EXPECT_EQ(App().GuessText(), text);
    EXPECT_EQ(App().HistoryLines(), std::vector<std::string>{"0 est trop petit"});
    EXPECT_EQ(App().CounterText(), "1");
    // Clear the kept text for the next case.
    PressKey(VK_END);
    PressKey(VK_HOME, {VK_SHIFT});
    PressKey(VK_DELETE);
    ASSERT_TRUE(WaitUntil([&] { return App().GuessText().empty(); }));
  }
}

TEST(StartupFailureTest, MissingMainWindowDescriptionIsReportedWithExitCodeOne) {
  const std::string damaged =
      CopyWithoutResource(QuorlPath(), ScreenshotFolder() + "\\without-tquorl", "TQUORL");
  ASSERT_FALSE(damaged.empty()) << "could not remove the TQUORL resource from a copy";
  Process process(damaged, SW_SHOWDEFAULT);
  HWND box = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (box = VisibleMessageBox(process.Id())) != nullptr; }))
      << "no error report";
  EXPECT_EQ(TextOf(box), "Erreur d'application");
  const BoxContents contents = MessageBoxContents(box);
  ASSERT_EQ(contents.texts.size(), 1u);
  const std::string& text = contents.texts.front();
  const std::string head = "Exception EResNotFound dans le module Quorl.exe \xe0 ";
  EXPECT_EQ(text.substr(0, head.size()), head) << text;
  const std::string tail =
      ".\nRessource Tquorl non trouv\xe9"
      "e.";
  ASSERT_GE(text.size(), head.size() + 8 + tail.size()) << text;
  const std::string offset = text.substr(head.size(), 8);
  EXPECT_EQ(offset.find_first_not_of("0123456789ABCDEF"), std::string::npos) << text;
  EXPECT_EQ(text.substr(head.size() + 8), tail) << text;
  EXPECT_EQ(contents.buttons, std::vector<std::string>{"OK"});
  // Nothing else came up: no board.
  for (HWND window : TopLevelWindows(process.Id())) {
    if (window != box) {
      EXPECT_FALSE(IsWindowVisible(window) && WindowClass(window) != "TApplication")
          << Describe(window);
    }
  }
  // Not compared with a picture: the report names a code address, which moves with every
  // build, and the box's width follows the address's text.
  SaveScreenshot("missing-description");
  SetForegroundWindow(box);
  PressKey(VK_RETURN);
  ASSERT_TRUE(process.WaitForExit()) << "the program did not end";
  EXPECT_EQ(process.ExitCode(), std::optional<DWORD>(1));
}

}  // namespace
}  // namespace e2e
