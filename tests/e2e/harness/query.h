// Reading another process's windows the way any program may: enumeration, class
// names, standard messages (WM_GETTEXT, LB_GETTEXT...) and the window manager's
// state queries. Nothing here sends a command to the program under test.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// Top-level windows of the process `processId`, of window class `className` (any
// class when null), visible or not, in z-order.
std::vector<HWND> TopLevelWindows(DWORD processId, const char* className = nullptr);
// The first of them, or null.
HWND FindTopLevel(DWORD processId, const char* className);

// Direct children of `parent` of window class `className` (any when null).
std::vector<HWND> ChildWindows(HWND parent, const char* className = nullptr);
// The descendant of `parent` of class `className` whose top-left corner lies at
// `clientPos` in the parent's client coordinates (the designed layout; the control may
// sit in a panel of its own), or null.
HWND ChildAt(HWND parent, const char* className, POINT clientPos);

// A visible top-level window of the process of the standard dialog class #32770 (a
// message box), or null.
HWND VisibleMessageBox(DWORD processId);
// What a message box shows: the texts of its static controls but the icon's, and the
// captions of its visible buttons.
struct BoxContents {
  std::vector<std::string> texts;
  std::vector<std::string> buttons;
};
BoxContents MessageBoxContents(HWND box);
// A message box's text: its one non-empty static control.
std::string MessageBoxText(HWND box);

std::string WindowClass(HWND window);
// WM_GETTEXT: the text of an edit box, a label, a button or a window's caption.
std::string TextOf(HWND window);
// LB_GETCOUNT and LB_GETTEXT: every line of a list box.
std::vector<std::string> ListLines(HWND listBox);

// A child's rectangle in its parent's client coordinates.
RECT RectInParent(HWND child);
RECT ScreenRect(HWND window);
SIZE SizeOf(const RECT& rect);
POINT CenterOf(HWND window);

// A point on the title of a minimised top-level window: without a taskbar, wine's
// desktop shows it as a small title bar at its minimised position.
POINT MinimizedEntryPoint(HWND window);

// The focus and the active window of a GUI thread (GetGUIThreadInfo).
HWND FocusedWindow(DWORD threadId);
HWND ActiveWindow(DWORD threadId);

// A readable description of a window handle, or of a rectangle ("(l,t)-(r,b)"), for
// failure messages.
std::string Describe(HWND window);
std::string Describe(const RECT& rect);

// Moves `window` (as a window manager would) to `away` and back, each time asking
// `below` to draw again what the move uncovered and waiting until it and its controls
// have.
bool MoveAwayAndBack(HWND window, POINT away, HWND below);

}  // namespace e2e
