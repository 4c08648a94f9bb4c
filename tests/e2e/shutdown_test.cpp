// Every way of closing the main window ends the program with exit code 0.
#include "quorl_test.h"

#include <cstdio>
#include <fstream>
#include <functional>

#include "harness/input.h"
#include "harness/wait.h"

namespace e2e {
namespace {

// A window of the program and what wine's trace calls it.
struct TracedWindow {
  std::string name;
  std::string handle;  // as the trace writes it: 0x1006e
};

TracedWindow traced(HWND window) {
  char handle[32];
  std::snprintf(handle, sizeof handle, "0x%llx",
                static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(window)));
  return {WindowClass(window), handle};
}

// wine's trace of the window calls (WINEDEBUG=trace+win), which goes where this test's
// standard error goes: the file QUORL_E2E_TRACE.
class WindowTrace {
public:
  WindowTrace() : path_(Environment("QUORL_E2E_TRACE", "")) {}

  bool available() const { return !path_.empty(); }
  // The end of the trace so far.
  std::streamoff mark() const {
    std::ifstream in(WindowsPath(path_), std::ios::ate);
    return in ? static_cast<std::streamoff>(in.tellg()) : 0;
  }

  // What `thread` did to `windows` since `from`, in order: "<class> hidden" for each
  // ShowWindow(SW_HIDE) and "<class> destroyed" for each DestroyWindow.
  std::vector<std::string> since(std::streamoff from, DWORD thread,
                                 const std::vector<TracedWindow>& windows) const {
    std::ifstream in(WindowsPath(path_));
    in.seekg(from);
    char prefix[32];
    std::snprintf(prefix, sizeof prefix, "%04lx:trace:win:", static_cast<unsigned long>(thread));
    std::vector<std::string> calls;
    for (std::string line; std::getline(in, line);) {
      if (line.rfind(prefix, 0) != 0) continue;
      for (const TracedWindow& window : windows) {
        if (line.find("show_window hwnd=" + window.handle + ", cmd=0,") != std::string::npos) {
          calls.push_back(window.name + " hidden");
        }
        if (line.find("NtUserDestroyWindow (" + window.handle + ")") != std::string::npos) {
          calls.push_back(window.name + " destroyed");
        }
      }
    }
    return calls;
  }

private:
  std::string path_;
};

// The wine this test runs under, as its ntdll names itself; "not wine" elsewhere.
std::string WineVersion() {
  using Version = const char*(CDECL*)();
  const auto version = reinterpret_cast<Version>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version")));
  return version ? version() : "not wine";
}

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

// At the end the visible windows are hidden, then every window is hidden and destroyed,
// the last created first, whichever way the player ends the program. The best-scores
// window never shows in this program, so it never gets a window to destroy.
TEST_F(ShutdownTest, WindowsEndTheLastCreatedFirst) {
  const WindowTrace trace;
  if (!trace.available()) GTEST_SKIP() << "needs wine's trace of the window calls (e2e_end)";
  const struct {
    const char* way;
    std::function<void()> end;
  } ways[] = {
      {"Quitter", [this] { ClickAt(CenterOf(App().Quitter())); }},
      {"the close box", [this] { ClickAt(CloseBox()); }},
      {"Alt+F4", [] { PressKey(VK_F4, {VK_MENU}); }},
  };
  for (const auto& w : ways) {
    SCOPED_TRACE(w.way);
    ASSERT_NO_FATAL_FAILURE(Start());
    // The dialogs get their windows when they first show.
    std::string failure;
    ASSERT_TRUE(App().PlayUntilWon(&failure)) << failure;
    ASSERT_TRUE(App().DismissMessageDialog());
    RulesDialog rules;
    ASSERT_NO_FATAL_FAILURE(OpenRules(rules));
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return !Shown(rules.window); }));
    std::vector<TracedWindow> windows;
    for (const char* name : {MainClass, "Tscore1", MessageClass, RulesClass}) {
      if (HWND window = FindTopLevel(App().Program().Id(), name)) windows.push_back(traced(window));
    }
    const std::streamoff from = trace.mark();
    w.end();
    ExpectCleanExit();
    const auto calls = trace.since(from, App().Program().MainThreadId(), windows);
    // Not one line found: the trace of another wine, which writes its lines otherwise.
    ASSERT_FALSE(calls.empty()) << "wine's trace format was not recognised under wine "
                                << WineVersion() << ": no show_window or NtUserDestroyWindow "
                                << "line of the program's windows in "
                                << Environment("QUORL_E2E_TRACE", "");
    EXPECT_EQ(calls, (std::vector<std::string>{
                         "Tquorl hidden", "Tregles hidden", "Tregles destroyed", "Tmessa hidden",
                         "Tmessa destroyed", "Tquorl hidden", "Tquorl destroyed"}));
    app_.reset();
  }
}

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
