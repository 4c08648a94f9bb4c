// Every way of closing the main window ends the program with exit code 0.
#include "quorl_test.h"

#include "harness/input.h"
#include "harness/wait.h"

namespace e2e {
namespace {

class ShutdownTest : public QuorlTest {
protected:
  void ExpectCleanExit() {
    ASSERT_TRUE(app_->Program().WaitForExit()) << "the program is still running";
    EXPECT_EQ(app_->Program().ExitCode(), std::optional<DWORD>(0));
  }

  // The close box at the right end of the main window's title bar.
  POINT CloseBox() const {
    WINDOWINFO info{};
    info.cbSize = sizeof info;
    GetWindowInfo(app_->MainWindow(), &info);
    const int button = GetSystemMetrics(SM_CXSIZE);
    return {info.rcWindow.right - static_cast<LONG>(info.cxWindowBorders) - button / 2 - 2,
            info.rcWindow.top + static_cast<LONG>(info.cyWindowBorders) +
                GetSystemMetrics(SM_CYCAPTION) / 2};
  }
};

TEST_F(ShutdownTest, QuitterButtonEndsTheProgram) {
  ASSERT_NO_FATAL_FAILURE(Start());
  ClickAt(CenterOf(App().Quitter()));
  ExpectCleanExit();
}

TEST_F(ShutdownTest, CloseBoxEndsTheProgram) {
  ASSERT_NO_FATAL_FAILURE(Start());
  ClickAt(CloseBox());
  ExpectCleanExit();
}

TEST_F(ShutdownTest, AltF4EndsTheProgram) {
  ASSERT_NO_FATAL_FAILURE(Start());
  PressKey(VK_F4, {VK_MENU});
  ExpectCleanExit();
}

TEST_F(ShutdownTest, AltF4AfterAGameEndsTheProgram) {
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_NO_FATAL_FAILURE(SubmitAll({"0"}));
  ASSERT_TRUE(App().TypeGuess("4"));
  PressKey(VK_F4, {VK_MENU});
  ExpectCleanExit();
}

TEST_F(ShutdownTest, TaskbarCloseEndsTheProgram) {
  ASSERT_NO_FATAL_FAILURE(Start());
  // What a taskbar entry's Close command sends to the entry's window.
  PostMessageA(App().ApplicationWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
  ExpectCleanExit();
}

TEST_F(ShutdownTest, CloseBoxOfTheMinimisedEntryEndsTheProgram) {
  ASSERT_NO_FATAL_FAILURE(Start());
  const HWND application = App().ApplicationWindow();
  // Minimising has no real-input path here (the board has no minimise box and wine's
  // desktop no taskbar); the minimised entry's own close box is clicked for real.
  PostMessageA(application, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(
      WaitUntil([&] { return IsIconic(application) && SizeOf(ScreenRect(application)).cx > 0; }));
  WINDOWINFO info{};
  info.cbSize = sizeof info;
  GetWindowInfo(application, &info);
  const int button = GetSystemMetrics(SM_CXSIZE);
  ClickAt({info.rcWindow.right - static_cast<LONG>(info.cxWindowBorders) - button / 2 - 2,
           (info.rcWindow.top + info.rcWindow.bottom) / 2});
  ExpectCleanExit();
}

TEST_F(ShutdownTest, CloseMessageToTheTaskbarEntryEndsTheProgram) {
  ASSERT_NO_FATAL_FAILURE(Start());
  PostMessageA(App().ApplicationWindow(), WM_CLOSE, 0, 0);
  ExpectCleanExit();
}

// Log-off and shutdown: the main window agrees to end the session, the program keeps
// running while the session goes on, and ends with exit code 0 when it does end.
TEST_F(ShutdownTest, SessionEndQueryIsAnsweredYesAndAnEndingSessionEndsTheProgram) {
  ASSERT_NO_FATAL_FAILURE(Start());
  DWORD_PTR answer = 0;
  ASSERT_NE(SendMessageTimeoutA(App().MainWindow(), WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG,
                                5000, &answer),
            0);
  EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE));
  ASSERT_NE(SendMessageTimeoutA(App().ApplicationWindow(), WM_QUERYENDSESSION, 0, 0,
                                SMTO_ABORTIFHUNG, 5000, &answer),
            0);
  EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE));

  // The session goes on after all: nothing changes.
  SendMessageTimeoutA(App().ApplicationWindow(), WM_ENDSESSION, FALSE, 0, SMTO_ABORTIFHUNG, 5000,
                      &answer);
  EXPECT_FALSE(app_->Program().WaitForExit(Millis{1000})) << "ended although the session goes on";
  EXPECT_TRUE(Shown(App().MainWindow()));
  EXPECT_EQ(App().SubmitGuess("0"), GuessOutcome::Evaluated) << "the game no longer answers";

  // The session ends: the program ends from inside the message.
  PostMessageA(App().ApplicationWindow(), WM_ENDSESSION, TRUE, 0);
  ExpectCleanExit();
}

}  // namespace
}  // namespace e2e
