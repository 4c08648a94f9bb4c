// Errors the player can meet: a guess too large for a double, reported in a message
// box after which the game goes on; and a program whose main window description is
// missing, which reports it and ends with exit code 1.
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
    ASSERT_TRUE(app().typeGuess(text));
    pressKey(VK_RETURN);
    HWND box = nullptr;
    ASSERT_TRUE(waitUntil([&] { return (box = app().messageBox()) != nullptr; })) << "no error box";
    EXPECT_EQ(textOf(box), "Quorl");
    const BoxContents contents = messageBoxContents(box);
    EXPECT_EQ(contents.texts, std::vector<std::string>{"D\xe9"
                                                       "bordement en virgule flottante."});
    EXPECT_EQ(contents.buttons, std::vector<std::string>{"OK"});
    EXPECT_FALSE(IsWindowEnabled(app().mainWindow()));
    saveScreenshot(std::string("overflow-box") + (text[0] == '-' ? "-negative" : ""));

    pressKey(VK_RETURN);
    ASSERT_TRUE(waitUntil([&] { return !app().messageBox(); })) << "OK did not close the box";
    EXPECT_TRUE(waitUntil([&] { return IsWindowEnabled(app().mainWindow()); }));
    EXPECT_TRUE(waitUntil([&] { return GetForegroundWindow() == app().mainWindow(); }))
        << "foreground " << describe(GetForegroundWindow());
    EXPECT_TRUE(waitUntil([&] { return app().focus() == app().guessBox(); }))
        << "focus on " << describe(app().focus());
    EXPECT_EQ(app().guessText(), text);
    EXPECT_EQ(app().historyLines(), std::vector<std::string>{"0 est trop petit"});
    EXPECT_EQ(app().counterText(), "1");
    // Clear the kept text for the next case.
    pressKey(VK_END);
    pressKey(VK_HOME, {VK_SHIFT});
    pressKey(VK_DELETE);
    ASSERT_TRUE(waitUntil([&] { return app().guessText().empty(); }));
  }
}

TEST(StartupFailureTest, MissingMainWindowDescriptionIsReportedWithExitCodeOne) {
  const std::string damaged =
      copyWithoutResource(quorlPath(), screenshotFolder() + "\\without-tquorl", "TQUORL");
  ASSERT_FALSE(damaged.empty()) << "could not remove the TQUORL resource from a copy";
  Process process(damaged, SW_SHOWDEFAULT);
  HWND box = nullptr;
  ASSERT_TRUE(waitUntil([&] { return (box = visibleMessageBox(process.id())) != nullptr; }))
      << "no error report";
  EXPECT_EQ(textOf(box), "Erreur d'application");
  const BoxContents contents = messageBoxContents(box);
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
  for (HWND window : topLevelWindows(process.id())) {
    if (window != box) {
      EXPECT_FALSE(IsWindowVisible(window) && windowClass(window) != "TApplication")
          << describe(window);
    }
  }
  saveScreenshot("missing-description");
  SetForegroundWindow(box);
  pressKey(VK_RETURN);
  ASSERT_TRUE(process.waitForExit()) << "the program did not end";
  EXPECT_EQ(process.exitCode(), std::optional<DWORD>(1));
}

}  // namespace
}  // namespace e2e
