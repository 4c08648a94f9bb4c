// What a screen reader gets from another process: the objects that Microsoft Active
// Accessibility serves for its windows (name, role, value, state), and the events
// that the program raises for them, heard by a hook in a thread of this process.
#pragma once

#include <windows.h>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace e2e {

// An object as a screen reader reads it; texts in code page 1252.
struct AccessibleObject {
  bool found = false;
  std::string name;
  long role = 0;
  std::string value;
  long state = 0;
};

// The client object of `window` (AccessibleObjectFromWindow, OBJID_CLIENT).
AccessibleObject ReadAccessible(HWND window);
// "name | role n | value" for failure messages.
std::string Describe(const AccessibleObject& object);

// One event as heard.
struct AccessibleEvent {
  DWORD event = 0;
  HWND window = nullptr;
  LONG objectId = 0;
  LONG child = 0;
};
// The object that the event names, as it is now (AccessibleObjectFromEvent).
AccessibleObject ReadAccessible(const AccessibleEvent& heard);

// Hears the program's accessibility events out of process, as a screen reader does,
// from its own thread (which the hook needs to pump messages). The thread only
// records them: reading their objects from it, while events keep coming, hangs wine. While it
// listens it sets the system's "screen reader running" flag, as screen readers do.
class EventListener {
public:
  explicit EventListener(DWORD processId);
  ~EventListener();
  EventListener(const EventListener&) = delete;
  EventListener& operator=(const EventListener&) = delete;

  // The hook is in place.
  bool Listening() const;
  // The events heard so far, oldest first.
  std::vector<AccessibleEvent> Events() const;
  // Waits until an event satisfying `match` has been heard.
  bool WaitFor(const std::function<bool(const AccessibleEvent&)>& match);
  void Clear();

private:
  void Listen(DWORD processId);
  static void CALLBACK Heard(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object, LONG child,
                             DWORD thread, DWORD time);

  mutable std::mutex mutex_;
  std::condition_variable ready_;
  bool listening_ = false;
  DWORD threadId_ = 0;
  std::vector<AccessibleEvent> events_;
  std::thread thread_;
};

}  // namespace e2e
