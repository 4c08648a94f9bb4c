// Activation: switching to another program and back, minimising and restoring,
// and clicking around the board never start a new game; the board looks as before
// where another program's window moved off it.
#include "quorl_test.h"

#include "harness/input.h"
#include "harness/wait.h"

namespace e2e {
namespace {

class ActivationTest : public QuorlTest {
protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(SubmitAll({"0"}));
    ASSERT_TRUE(app_->TypeGuess("7"));
  }

  // The game in progress is still there: its line, its count and the typed text.
  void ExpectGameKept() {
    EXPECT_EQ(app_->HistoryLines(), std::vector<std::string>{"0 est trop petit"});
    EXPECT_EQ(app_->CounterText(), "1");
    EXPECT_EQ(app_->GuessText(), "7");
  }

  // The whole program is down to its minimised taskbar entry, which wine's desktop
  // shows as a small title bar once it has been placed.
  bool Minimized() const {
    const HWND application = app_->ApplicationWindow();
    return IsIconic(application) && !IsWindowVisible(app_->MainWindow()) &&
           SizeOf(ScreenRect(application)).cx > 0;
  }

  // A point on the main window's title bar, left of its caption buttons.
  POINT TitleBarPoint() const {
    WINDOWINFO info{};
    info.cbSize = sizeof info;
    GetWindowInfo(app_->MainWindow(), &info);
    return {info.rcWindow.left + 400, info.rcWindow.top + static_cast<LONG>(info.cyWindowBorders) +
                                          GetSystemMetrics(SM_CYCAPTION) / 2};
  }
};

TEST_F(ActivationTest, SwitchingToAnotherProgramAndBackKeepsTheGame) {
  Process other(HelperWindowPath(), SW_SHOWNORMAL);
  HWND otherWindow = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    otherWindow = FindTopLevel(other.Id(), "QuorlE2eOtherWindow");
    return otherWindow && GetForegroundWindow() == otherWindow;
  })) << "the other program did not take the foreground";
  EXPECT_NE(GetForegroundWindow(), App().MainWindow());
  EXPECT_TRUE(MatchesReference("activation-other-program"));
  // Over part of the board and back, the board not activated: what the window uncovers
  // looks as before (drawn again by the board, unless the desktop kept its pixels).
  ASSERT_TRUE(MoveAwayAndBack(otherWindow, {150, 200}, App().MainWindow()));
  EXPECT_TRUE(MatchesReference("activation-other-program"));

  ClickAt(TitleBarPoint());
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == App().MainWindow(); }))
      << "clicking the title bar did not bring the board back";
  EXPECT_TRUE(WaitUntil([&] { return App().Focus() == App().GuessBox(); }))
      << "focus on " << Describe(App().Focus());
  ExpectGameKept();

  // Once more, with a second program, and back by clicking into the guess box.
  Process second(HelperWindowPath(), SW_SHOWNORMAL);
  ASSERT_TRUE(WaitUntil([&] {
    const HWND window = FindTopLevel(second.Id(), "QuorlE2eOtherWindow");
    return window && GetForegroundWindow() == window;
  })) << "the second program did not take the foreground";
  ClickAt(CenterOf(App().GuessBox()));
  ASSERT_TRUE(WaitUntil([&] { return App().Focus() == App().GuessBox(); }));
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == App().MainWindow(); }));
  ExpectGameKept();
}

TEST_F(ActivationTest, MinimiseAndRestoreThroughTheTaskbarEntryKeepTheGame) {
  const HWND application = App().ApplicationWindow();
  ASSERT_NE(application, nullptr);
  // Wine's desktop has no taskbar to click: these are the system commands that a
  // taskbar button sends to the entry's window.
  PostMessageA(application, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(WaitUntil([&] { return Minimized(); })) << "the program did not minimise";
  EXPECT_TRUE(MatchesReference("activation-minimised"));
  PostMessageA(application, WM_SYSCOMMAND, SC_RESTORE, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsIconic(application) && Shown(App().MainWindow()); }))
      << "the program did not come back";
  EXPECT_TRUE(IsZoomed(App().MainWindow()));
  EXPECT_TRUE(WaitUntil([&] { return App().Focus() == App().GuessBox(); }))
      << "focus on " << Describe(App().Focus());
  ExpectGameKept();

  // Minimised again, and restored by double-clicking the minimised entry.
  PostMessageA(application, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(WaitUntil([&] { return Minimized(); })) << "the program did not minimise again";
  // One click on the entry opens its system menu, trimmed by the program: Restore,
  // Minimise greyed (the entry is minimised), Close, and the line that wine adds.
  // Another process cannot read the menu's items under wine: the picture shows them.
  ClickAt(MinimizedEntryPoint(application));
  HWND menu = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    menu = FindTopLevel(App().Program().Id(), "#32768");
    return menu && IsWindowVisible(menu);
  })) << "clicking the minimised entry opened no menu";
  EXPECT_TRUE(MatchesReference("taskbar-menu", menu));
  PressKey(VK_ESCAPE);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(menu); })) << "Escape left the menu open";
  DoubleClickAt(MinimizedEntryPoint(application));
  ASSERT_TRUE(WaitUntil([&] { return Shown(App().MainWindow()); }))
      << "double-clicking the minimised entry did not restore the program";
  ExpectGameKept();
}

TEST_F(ActivationTest, ClickingAroundTheBoardKeepsTheGame) {
  const HWND main = App().MainWindow();
  RECT client{};
  GetClientRect(main, &client);
  const POINT places[] = {{100, 300}, {700, 500}, {50, 100}};  // the picture, on and off
  for (POINT place : places) {
    ClientToScreen(main, &place);
    ClickAt(place);
  }
  ClickAt(CenterOf(App().History()));
  ClickAt(CenterOf(App().CounterBox()));
  ASSERT_TRUE(WaitUntil([&] { return App().Focus() == App().CounterBox(); }));
  ClickAt(TitleBarPoint());
  ASSERT_TRUE(App().ClickGuessBox());
  EXPECT_EQ(App().HistoryLines(), std::vector<std::string>{"0 est trop petit"});
  EXPECT_EQ(App().CounterText(), "1");
}

}  // namespace
}  // namespace e2e
