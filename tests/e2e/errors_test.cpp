// Errors the player can meet: a guess too large for a double, reported in a message
// box after which the game goes on; and a program whose main window description is
// missing, which reports it and ends with exit code 1.
#include "quorl_test.h"

#include "harness/input.h"
#include "harness/resources.h"
#include "harness/wait.h"

namespace e2e {
namespace {

// The texts of a message box's static controls (icon and text) and its buttons.
struct BoxContents {
  std::vector<std::string> texts;
  std::vector<std::string> buttons;
};

BoxContents contentsOf(HWND box) {
  BoxContents contents;
  for (HWND child : childWindows(box)) {
    const std::string cls = windowClass(child);
    if (cls == "Static") {
      const std::string text = textOf(child);
      if (!text.empty()) contents.texts.push_back(text);
    } else if (cls == "Button" && IsWindowVisible(child)) {
      contents.buttons.push_back(textOf(child));
    }
  }
  return contents;
}

class OverflowTest : public QuorlTest {
protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(start());
    ASSERT_NO_FATAL_FAILURE(submitAll({"0"}));
  }
};

TEST_F(OverflowTest, HugeGuessIsReportedAndTheGameGoesOn) {
  for (const char* text : {"1E400", "-1E400"}) {
    SCOPED_TRACE(text);
    ASSERT_TRUE(app().typeGuess(text));
    pressKey(VK_RETURN);
    HWND box = nullptr;
    ASSERT_TRUE(waitUntil([&] { return (box = app().messageBox()) != nullptr; })) << "no error box";
    EXPECT_EQ(textOf(box), "Quorl");
    const BoxContents contents = contentsOf(box);
    EXPECT_EQ(contents.texts, std::vector<std::string>{"D\xe9"
                                                       "bordement en virgule flottante."});
    EXPECT_EQ(contents.buttons, std::vector<std::string>{"OK"});
    EXPECT_FALSE(IsWindowEnabled(app().mainWindow()));
    EXPECT_TRUE(
        matchesReference(std::string("overflow-box") + (text[0] == '-' ? "-negative" : "")));

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
  const BoxContents contents = contentsOf(box);
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
  // Not compared with a picture: the report names a code address, which moves with every
  // build, and the box's width follows the address's text.
  saveScreenshot("missing-description");
  SetForegroundWindow(box);
  pressKey(VK_RETURN);
  ASSERT_TRUE(process.waitForExit()) << "the program did not end";
  EXPECT_EQ(process.exitCode(), std::optional<DWORD>(1));
}

}  // namespace
}  // namespace e2e
