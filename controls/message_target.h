#pragma once
// An object of ours behind a platform window. Every window that the program creates
// or subclasses has the one window procedure below: it finds the object through a
// window property and runs the object's handler under the guard, so that no error
// ever crosses the platform's frames (32-bit unwinding cannot pass through them).
#include <windows.h>

#include "controls/guard.h"

class MessageTarget {
public:
  // The object behind a window of this program, or none (message boxes...).
  static MessageTarget* FromHandle(HWND window);

  // The window procedure. A window created with a MessageTarget* as its creation
  // parameter is linked to it at WM_NCCREATE; a subclassed one by Attach.
  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

protected:
  MessageTarget() = default;
  ~MessageTarget() = default;
  MessageTarget(const MessageTarget&) = delete;
  MessageTarget& operator=(const MessageTarget&) = delete;

  // Links the window to this object; Detach undoes it.
  void Attach(HWND window);
  static void Detach(HWND window);

  // The handling of one message; errors leaving it go to Reporter() with Sender().
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) = 0;
  virtual ErrorReporter& Reporter() = 0;
  virtual TObject& Sender() = 0;
  // The window was linked at its creation (WM_NCCREATE).
  virtual void Attached(HWND window) = 0;
  // The window's last message (WM_NCDESTROY) has been handled.
  virtual void Destroyed() = 0;
};
