// Every way of closing the main window ends the program with exit code 0.
#include "quorl_test.h"

#include "harness/input.h"
#include "harness/wait.h"

namespace e2e {
namespace {

class ShutdownTest : public QuorlTest {
protected:
  void expectCleanExit() {
    ASSERT_TRUE(app_->process().waitForExit()) << "the program is still running";
    EXPECT_EQ(app_->process().exitCode(), std::optional<DWORD>(0));
  }

  // The close box at the right end of the main window's title bar.
  POINT closeBox() const {
    WINDOWINFO info{};
    info.cbSize = sizeof info;
    GetWindowInfo(app_->mainWindow(), &info);
    const int button = GetSystemMetrics(SM_CXSIZE);
    return {info.rcWindow.right - static_cast<LONG>(info.cxWindowBorders) - button / 2 - 2,
            info.rcWindow.top + static_cast<LONG>(info.cyWindowBorders) +
                GetSystemMetrics(SM_CYCAPTION) / 2};
  }
};

TEST_F(ShutdownTest, QuitterButtonEndsTheProgram) {
  ASSERT_NO_FATAL_FAILURE(start());
  clickAt(centreOf(app().quitter()));
  expectCleanExit();
}

TEST_F(ShutdownTest, CloseBoxEndsTheProgram) {
  ASSERT_NO_FATAL_FAILURE(start());
  clickAt(closeBox());
  expectCleanExit();
}

TEST_F(ShutdownTest, AltF4EndsTheProgram) {
  ASSERT_NO_FATAL_FAILURE(start());
  pressKey(VK_F4, {VK_MENU});
  expectCleanExit();
}

TEST_F(ShutdownTest, AltF4AfterAGameEndsTheProgram) {
  ASSERT_NO_FATAL_FAILURE(start());
  ASSERT_NO_FATAL_FAILURE(submitAll({"0"}));
  ASSERT_TRUE(app().typeGuess("4"));
  pressKey(VK_F4, {VK_MENU});
  expectCleanExit();
}

TEST_F(ShutdownTest, TaskbarCloseEndsTheProgram) {
  ASSERT_NO_FATAL_FAILURE(start());
  // What a taskbar entry's Close command sends to the entry's window.
  PostMessageA(app().applicationWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
  expectCleanExit();
}

TEST_F(ShutdownTest, CloseBoxOfTheMinimisedEntryEndsTheProgram) {
  ASSERT_NO_FATAL_FAILURE(start());
  const HWND application = app().applicationWindow();
  // Minimising has no real-input path here (the board has no minimise box and wine's
  // desktop no taskbar); the minimised entry's own close box is clicked for real.
  PostMessageA(application, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(
      waitUntil([&] { return IsIconic(application) && sizeOf(screenRect(application)).cx > 0; }));
  WINDOWINFO info{};
  info.cbSize = sizeof info;
  GetWindowInfo(application, &info);
  const int button = GetSystemMetrics(SM_CXSIZE);
  clickAt({info.rcWindow.right - static_cast<LONG>(info.cxWindowBorders) - button / 2 - 2,
           (info.rcWindow.top + info.rcWindow.bottom) / 2});
  expectCleanExit();
}

TEST_F(ShutdownTest, CloseMessageToTheTaskbarEntryEndsTheProgram) {
  ASSERT_NO_FATAL_FAILURE(start());
  PostMessageA(app().applicationWindow(), WM_CLOSE, 0, 0);
  expectCleanExit();
}

// Log-off and shutdown: the main window agrees to end the session, the program keeps
// running while the session goes on, and ends with exit code 0 when it does end.
TEST_F(ShutdownTest, SessionEndQueryIsAnsweredYesAndAnEndingSessionEndsTheProgram) {
  ASSERT_NO_FATAL_FAILURE(start());
  DWORD_PTR answer = 0;
  ASSERT_NE(SendMessageTimeoutA(app().mainWindow(), WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG,
                                5000, &answer),
            0);
  EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE));
  ASSERT_NE(SendMessageTimeoutA(app().applicationWindow(), WM_QUERYENDSESSION, 0, 0,
                                SMTO_ABORTIFHUNG, 5000, &answer),
            0);
  EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE));

  // The session goes on after all: nothing changes.
  SendMessageTimeoutA(app().applicationWindow(), WM_ENDSESSION, FALSE, 0, SMTO_ABORTIFHUNG, 5000,
                      &answer);
  EXPECT_FALSE(app_->process().waitForExit(Millis{1000})) << "ended although the session goes on";
  EXPECT_TRUE(shown(app().mainWindow()));
  EXPECT_EQ(app().submitGuess("0"), GuessOutcome::Evaluated) << "the game no longer answers";

  // The session ends: the program ends from inside the message.
  PostMessageA(app().applicationWindow(), WM_ENDSESSION, TRUE, 0);
  expectCleanExit();
}

}  // namespace
}  // namespace e2e
