// The thread's windows as the modal showing and the hiding see them. Errors raised
// while the platform enumerates must come out of the enumeration intact: on 32-bit
// Windows a C++ error cannot unwind through the platform's frames, and the program
// would end instead.
#include "app/thread_windows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace {

// A plain top-level window of this thread, destroyed with the object.
class Window {
public:
  explicit Window(DWORD style, DWORD exStyle = 0) {
    static const ATOM windowClass = [] {
      WNDCLASSA description{};
      description.lpfnWndProc = DefWindowProcA;
      description.hInstance = GetModuleHandleA(nullptr);
      description.lpszClassName = "ThreadWindowsTest";
      return RegisterClassA(&description);
    }();
    handle_ = CreateWindowExA(exStyle, MAKEINTATOM(windowClass), "", WS_POPUP | style, 0, 0, 20, 20,
                              nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  }
  ~Window() { DestroyWindow(handle_); }
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  HWND get() const { return handle_; }

private:
  HWND handle_ = nullptr;
};

TEST(ForEachThreadWindow, VisitsTheThreadsWindowsUntilTheVisitorSaysStop) {
  const Window first(0);
  const Window second(0);
  std::vector<HWND> seen;
  ForEachThreadWindow([&](HWND window) {
    seen.push_back(window);
    return true;
  });
  EXPECT_NE(std::find(seen.begin(), seen.end(), first.get()), seen.end());
  EXPECT_NE(std::find(seen.begin(), seen.end(), second.get()), seen.end());

  int visits = 0;
  ForEachThreadWindow([&](HWND) { return ++visits < 1; });
  EXPECT_EQ(visits, 1);
}

TEST(ForEachThreadWindow, AnErrorOfTheVisitorLeavesAfterTheEnumeration) {
  const Window window(0);
  int visits = 0;
  try {
    ForEachThreadWindow([&](HWND) -> bool {
      ++visits;
      throw std::length_error("liste pleine");
    });
    FAIL() << "the error was lost";
  } catch (const std::length_error& error) {
    EXPECT_STREQ(error.what(), "liste pleine");
  }
  EXPECT_EQ(visits, 1) << "the enumeration goes no further";
  // The thread goes on enumerating normally afterwards.
  int later = 0;
  ForEachThreadWindow([&](HWND) { return ++later > 0; });
  EXPECT_GE(later, 1);
}

TEST(FirstTaskWindow, PrefersVisibleEnabledWindowsThatAreNotTopmost) {
  const Window hidden(0);
  const Window disabled(WS_VISIBLE | WS_DISABLED);
  const Window topmost(WS_VISIBLE, WS_EX_TOPMOST);
  const Window otherTopmost(WS_VISIBLE, WS_EX_TOPMOST);
  const Window normal(WS_VISIBLE);
  const struct {
    std::vector<HWND> candidates;
    HWND expected;
    const char* reason;
  } cases[] = {
      {{hidden.get(), disabled.get(), topmost.get(), normal.get()},
       normal.get(),
       "a normal window before a topmost one that comes first"},
      {{topmost.get(), otherTopmost.get()}, topmost.get(), "else the first topmost window"},
      {{hidden.get(), disabled.get(), nullptr}, nullptr, "hidden and disabled windows never"},
      {{}, nullptr, "no candidates"},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.reason);
    EXPECT_EQ(FirstTaskWindow(row.candidates), row.expected);
  }
}

}  // namespace
