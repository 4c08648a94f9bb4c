#pragma once
// An object of ours behind a platform window. Every window that the program creates
// or subclasses has the one window procedure below: it finds the object through a
// window property and runs the object's handler under the guard, so that no error
// ever crosses the platform's frames (32-bit unwinding cannot pass through them).
// The procedure owns the link: it is made at WM_NCCREATE (or by Attach, for a
// subclassed window) and undone after WM_NCDESTROY, in Detach alone.
#include <windows.h>

#include <cstddef>
#include <optional>

#include "controls/guard.h"

// One message as a window's handler receives it.
struct WindowMessage {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

// A handler's answer: the message's result, or nothing to let the default handling run.
using MessageResult = std::optional<LRESULT>;

// One row of a window's message table: the message and the handler that answers it.
template <class Target>
struct MessageHandler {
  UINT message;
  MessageResult (Target::*handle)(const WindowMessage& message);
};

// Runs the handler of `table` that answers the message, then, unless it answered,
// `otherwise` (the default handling).
template <class Target, std::size_t Count, class Otherwise>
LRESULT DispatchToHandler(Target& target, const MessageHandler<Target> (&table)[Count],
                          const WindowMessage& message, Otherwise&& otherwise) {
  for (const MessageHandler<Target>& row : table) {
    if (row.message != message.message) continue;
    if (const MessageResult result = (target.*row.handle)(message)) return *result;
    break;
  }
  return otherwise();
}

// The command of a WM_SYSCOMMAND: the system uses the low four bits of wParam itself.
constexpr UINT SystemCommand(WPARAM wParam) { return static_cast<UINT>(wParam & 0xFFF0); }

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

  // Links a subclassed window to this object.
  void Attach(HWND window);
  // Unlinks the window, as after its last message: from now on its messages get the
  // default handling, and Destroyed runs.
  void Detach(HWND window) noexcept;

  // The handling of one message; errors leaving it go to Reporter() with Sender().
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) = 0;
  virtual ErrorReporter& Reporter() = 0;
  virtual TObject& Sender() = 0;
  // The window was linked at its creation (WM_NCCREATE).
  virtual void Attached(HWND window) = 0;
  // The window has been unlinked: what the class keeps of it goes.
  virtual void Destroyed() noexcept = 0;
};
