// Activation: switching to another program and back, minimising and restoring,
// and clicking around the board never start a new game.
#include "quorl_test.h"

#include "harness/input.h"
#include "harness/wait.h"

namespace e2e {
namespace {

class ActivationTest : public QuorlTest {
protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(start());
    ASSERT_NO_FATAL_FAILURE(submitAll({"0"}));
    ASSERT_TRUE(app_->typeGuess("7"));
  }

  // The game in progress is still there: its line, its count and the typed text.
  void expectGameKept() {
    EXPECT_EQ(app_->historyLines(), std::vector<std::string>{"0 est trop petit"});
    EXPECT_EQ(app_->counterText(), "1");
    EXPECT_EQ(app_->guessText(), "7");
  }

  // The whole program is down to its minimised taskbar entry, which wine's desktop
  // shows as a small title bar once it has been placed.
  bool minimised() const {
    const HWND application = app_->applicationWindow();
    return IsIconic(application) && !IsWindowVisible(app_->mainWindow()) &&
           sizeOf(screenRect(application)).cx > 0;
  }

  // A point on the main window's title bar, left of its caption buttons.
  POINT titleBarPoint() const {
    WINDOWINFO info{};
    info.cbSize = sizeof info;
    GetWindowInfo(app_->mainWindow(), &info);
    return {info.rcWindow.left + 400, info.rcWindow.top + static_cast<LONG>(info.cyWindowBorders) +
                                          GetSystemMetrics(SM_CYCAPTION) / 2};
  }
};

TEST_F(ActivationTest, SwitchingToAnotherProgramAndBackKeepsTheGame) {
  Process other(helperWindowPath(), SW_SHOWNORMAL);
  HWND otherWindow = nullptr;
  ASSERT_TRUE(waitUntil([&] {
    otherWindow = findTopLevel(other.id(), "QuorlE2eOtherWindow");
    return otherWindow && GetForegroundWindow() == otherWindow;
  })) << "the other program did not take the foreground";
  EXPECT_NE(GetForegroundWindow(), app().mainWindow());
  EXPECT_TRUE(matchesReference("activation-other-program"));

  clickAt(titleBarPoint());
  ASSERT_TRUE(waitUntil([&] { return GetForegroundWindow() == app().mainWindow(); }))
      << "clicking the title bar did not bring the board back";
  EXPECT_TRUE(waitUntil([&] { return app().focus() == app().guessBox(); }))
      << "focus on " << describe(app().focus());
  expectGameKept();

  // Once more, with a second program, and back by clicking into the guess box.
  Process second(helperWindowPath(), SW_SHOWNORMAL);
  ASSERT_TRUE(waitUntil([&] {
    const HWND window = findTopLevel(second.id(), "QuorlE2eOtherWindow");
    return window && GetForegroundWindow() == window;
  })) << "the second program did not take the foreground";
  clickAt(centreOf(app().guessBox()));
  ASSERT_TRUE(waitUntil([&] { return app().focus() == app().guessBox(); }));
  ASSERT_TRUE(waitUntil([&] { return GetForegroundWindow() == app().mainWindow(); }));
  expectGameKept();
}

TEST_F(ActivationTest, MinimiseAndRestoreThroughTheTaskbarEntryKeepTheGame) {
  const HWND application = app().applicationWindow();
  ASSERT_NE(application, nullptr);
  // Wine's desktop has no taskbar to click: these are the system commands that a
  // taskbar button sends to the entry's window.
  PostMessageA(application, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(waitUntil([&] { return minimised(); })) << "the program did not minimise";
  EXPECT_TRUE(matchesReference("activation-minimised"));
  PostMessageA(application, WM_SYSCOMMAND, SC_RESTORE, 0);
  ASSERT_TRUE(waitUntil([&] { return !IsIconic(application) && shown(app().mainWindow()); }))
      << "the program did not come back";
  EXPECT_TRUE(IsZoomed(app().mainWindow()));
  EXPECT_TRUE(waitUntil([&] { return app().focus() == app().guessBox(); }))
      << "focus on " << describe(app().focus());
  expectGameKept();

  // Minimised again, and restored by double-clicking the minimised entry.
  PostMessageA(application, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(waitUntil([&] { return minimised(); })) << "the program did not minimise again";
  doubleClickAt(minimisedEntryPoint(application));
  ASSERT_TRUE(waitUntil([&] { return shown(app().mainWindow()); }))
      << "double-clicking the minimised entry did not restore the program";
  expectGameKept();
}

TEST_F(ActivationTest, ClickingAroundTheBoardKeepsTheGame) {
  const HWND main = app().mainWindow();
  RECT client{};
  GetClientRect(main, &client);
  const POINT places[] = {{100, 300}, {700, 500}, {50, 100}};  // the picture, on and off
  for (POINT place : places) {
    ClientToScreen(main, &place);
    clickAt(place);
  }
  clickAt(centreOf(app().history()));
  clickAt(centreOf(app().counterBox()));
  ASSERT_TRUE(waitUntil([&] { return app().focus() == app().counterBox(); }));
  clickAt(titleBarPoint());
  ASSERT_TRUE(app().clickGuessBox());
  EXPECT_EQ(app().historyLines(), std::vector<std::string>{"0 est trop petit"});
  EXPECT_EQ(app().counterText(), "1");
}

}  // namespace
}  // namespace e2e
