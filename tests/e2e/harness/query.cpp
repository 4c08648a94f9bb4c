#include "harness/query.h"

#include "harness/wait.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "base/wide_text.h"

namespace e2e {
namespace {

// Answers from a hung program must not hang the tests.
constexpr UINT MessageTimeoutMs = 5000;

// Texts are asked for in UTF-16: wine hands a list box's lines to another process in
// UTF-16 whatever the caller's character set, so the wide messages are the ones that
// behave the same everywhere. They are compared as code page 1252, the program's.
LRESULT SendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, MessageTimeoutMs,
                           &result)) {
    return -1;
  }
  return static_cast<LRESULT>(result);
}

struct TopLevelSearch {
  DWORD processId;
  const char* className;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM context) {
  auto& search = *reinterpret_cast<TopLevelSearch*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search.processId && (!search.className || WindowClass(window) == search.className)) {
    search.found.push_back(window);
  }
  return TRUE;
}

}  // namespace

std::vector<HWND> TopLevelWindows(DWORD processId, const char* className) {
  TopLevelSearch search{processId, className, {}};
  EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindTopLevel(DWORD processId, const char* className) {
  const auto windows = TopLevelWindows(processId, className);
  return windows.empty() ? nullptr : windows.front();
}

std::vector<HWND> ChildWindows(HWND parent, const char* className) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!className || WindowClass(child) == className) children.push_back(child);
  }
  return children;
}

namespace {

struct ControlSearch {
  HWND top;
  const char* className;
  POINT at;
  HWND found;
};

// A named callback: the 32-bit build needs the stdcall convention, which a lambda
// does not convert to.
BOOL CALLBACK MatchControl(HWND child, LPARAM context) {
  auto& s = *reinterpret_cast<ControlSearch*>(context);
  if (WindowClass(child) != s.className) return TRUE;
  RECT rect = ScreenRect(child);
  MapWindowPoints(HWND_DESKTOP, s.top, reinterpret_cast<POINT*>(&rect), 2);
  if (rect.left == s.at.x && rect.top == s.at.y) {
    s.found = child;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

HWND ChildAt(HWND parent, const char* className, POINT clientPos) {
  ControlSearch search{parent, className, clientPos, nullptr};
  EnumChildWindows(parent, MatchControl, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND VisibleMessageBox(DWORD processId) {
  for (HWND window : TopLevelWindows(processId, "#32770")) {
    if (IsWindowVisible(window)) return window;
  }
  return nullptr;
}

BoxContents MessageBoxContents(HWND box) {
  BoxContents contents;
  for (HWND child : ChildWindows(box, "Static")) {
    std::string text = TextOf(child);
    if (!text.empty()) contents.texts.push_back(std::move(text));
  }
  for (HWND child : ChildWindows(box, "Button")) {
    if (IsWindowVisible(child)) contents.buttons.push_back(TextOf(child));
  }
  return contents;
}

std::string MessageBoxText(HWND box) {
  const BoxContents contents = MessageBoxContents(box);
  return contents.texts.empty() ? std::string() : contents.texts.front();
}

std::string WindowClass(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::string TextOf(HWND window) {
  const LRESULT length = SendWithTimeout(window, WM_GETTEXTLENGTH, 0, 0);
  if (length < 0) return "<no answer>";
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const LRESULT copied =
      SendWithTimeout(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
  return FromWide(text.data(), text.size());
}

std::vector<std::string> ListLines(HWND listBox) {
  std::vector<std::string> lines;
  const LRESULT count = SendWithTimeout(listBox, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const auto index = static_cast<WPARAM>(i);
    const LRESULT length = SendWithTimeout(listBox, LB_GETTEXTLEN, index, 0);
    std::wstring line(length > 0 ? static_cast<size_t>(length) + 1 : 1, L'\0');
    const LRESULT copied =
        SendWithTimeout(listBox, LB_GETTEXT, index, reinterpret_cast<LPARAM>(line.data()));
    line.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    lines.push_back(FromWide(line.data(), line.size()));
  }
  return lines;
}

RECT RectInParent(HWND child) {
  RECT rect = ScreenRect(child);
  MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

RECT ScreenRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

SIZE SizeOf(const RECT& rect) { return {rect.right - rect.left, rect.bottom - rect.top}; }

POINT CenterOf(HWND window) {
  const RECT rect = ScreenRect(window);
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

POINT MinimizedEntryPoint(HWND window) {
  // Left of the middle, on the title text and clear of the caption buttons.
  const RECT rect = ScreenRect(window);
  return {rect.left + std::min(40L, (rect.right - rect.left) / 2), (rect.top + rect.bottom) / 2};
}

HWND FocusedWindow(DWORD threadId) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(threadId, &info) ? info.hwndFocus : nullptr;
}

HWND ActiveWindow(DWORD threadId) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(threadId, &info) ? info.hwndActive : nullptr;
}

std::string Describe(HWND window) {
  if (!window) return "(none)";
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%p ", static_cast<void*>(window));
  const RECT rect = IsWindow(window) ? RectInParent(window) : RECT{};
  char position[64];
  std::snprintf(position, sizeof position, " at %ld,%ld", rect.left, rect.top);
  return buffer + WindowClass(window) + " \"" + TextOf(window) + "\"" + position;
}

std::string Describe(const RECT& rect) {
  return "(" + std::to_string(rect.left) + "," + std::to_string(rect.top) + ")-(" +
         std::to_string(rect.right) + "," + std::to_string(rect.bottom) + ")";
}

bool MoveAwayAndBack(HWND window, POINT away, HWND below) {
  const RECT first = ScreenRect(window);
  for (POINT to : {away, POINT{first.left, first.top}}) {
    RECT uncovered = ScreenRect(window);
    SetWindowPos(window, nullptr, to.x, to.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    // Wine keeps each window's pixels and puts back what a move uncovers; a desktop
    // that keeps none asks the window below to draw that part again. Ask as it would,
    // so that the board's drawing of a part of itself is what the picture shows.
    MapWindowPoints(HWND_DESKTOP, below, reinterpret_cast<POINT*>(&uncovered), 2);
    RedrawWindow(below, &uncovered, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    std::vector<HWND> windows = ChildWindows(below);
    windows.push_back(below);
    // Nothing left to draw, and the drawing under way (the message after it) finished.
    DWORD_PTR result = 0;
    if (!WaitUntil([&] {
          return std::none_of(windows.begin(), windows.end(),
                              [](HWND w) { return GetUpdateRect(w, nullptr, FALSE); });
        }) ||
        !SendMessageTimeoutA(below, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, MessageTimeoutMs, &result)) {
      return false;
    }
  }
  return true;
}

}  // namespace e2e
