// What a screen reader gets from another process: the objects that Microsoft Active
// Accessibility serves for its windows (name, role, value, state), and the events
// that the program raises for them, heard by a hook in a thread of this process.
#pragma once

#include <windows.h>

#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "harness/process.h"

namespace e2e {

// An object as a screen reader reads it; texts in code page 1252.
struct AccessibleObject {
  bool found = false;
  std::string name;
  long role = 0;
  std::string value;
  long state = 0;
  std::string description;
};

// The client object of `window` (AccessibleObjectFromWindow, OBJID_CLIENT).
AccessibleObject ReadAccessible(HWND window);
// "name | role n | value" for failure messages.
std::string Describe(const AccessibleObject& object);

// One event as heard, with its object as the hook read it when the event arrived
// (AccessibleObjectFromEvent; for a window-level event, the window's client object,
// as wine's standard window object answers no name), and what a reader asks then.
struct AccessibleEvent {
  DWORD event = 0;
  HWND window = nullptr;
  LONG objectId = 0;
  LONG child = 0;
  AccessibleObject object;
  std::string windowClass;
  bool focused = false;    // the window had its thread's keyboard focus
  bool uiaWindow = false;  // it answers WM_GETOBJECT with UiaRootObjectId (a UIA server)
  // For a dialog's start: the names of its visible static texts among the children that
  // AccessibleChildren gives (a child window's own client object for a window child).
  std::vector<std::string> dialogTexts;
  long long time = 0;  // the performance counter when it was read
};

// Hears the program's accessibility events out of process and reads each one's object
// in the hook, after the program has moved on, as a reader's out-of-context hook does.
// Events let in as nested callbacks by the hook's calls into the program wait for the
// read in progress and are read in the order they came. While listening it sets the
// system's "screen reader running" flag to `screenReader`, and clears it at its end.
class EventListener {
public:
  explicit EventListener(DWORD processId, bool screenReader = true);
  ~EventListener();
  EventListener(const EventListener&) = delete;
  EventListener& operator=(const EventListener&) = delete;

  // The hook is in place.
  bool Listening() const;
  // The events heard and read so far, in the order they came.
  std::vector<AccessibleEvent> Events() const;

private:
  void Listen(DWORD processId);
  static void CALLBACK Heard(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object, LONG child,
                             DWORD thread, DWORD time);

  UniqueWinEventHook hook_;  // the hook's thread alone uses it
  mutable std::mutex mutex_;
  std::condition_variable ready_;
  bool listening_ = false;
  DWORD threadId_ = 0;
  // The hook's thread alone uses these two.
  bool reading_ = false;
  std::deque<AccessibleEvent> waiting_;
  std::vector<AccessibleEvent> events_;
  std::thread thread_;
};

// Sets the system's "screen reader running" flag (SPI_SETSCREENREADER), which the
// prefix keeps for the processes started after.
void SetScreenReaderFlag(bool on);

// One call recorded by the stand-in UI Automation core: its kind (notify, provider,
// disconnect, event, property) and fields, texts in code page 1252.
struct UiaCall {
  std::string kind;
  std::map<std::string, std::string> fields;
  std::string Field(const std::string& key) const;
};

// Installs the stand-in (the DLL that QUORL_E2E_UIA_STANDIN names) in the system folder
// of this process's bitness, and gives the environment that makes the program under
// test alone load it, recording into the Windows file `record`, emptied now.
ProgramEnvironment InstallUiaStandIn(const std::string& record);
// Puts wine's own library back, as the rest of the suite expects.
void RemoveUiaStandIn();
std::vector<UiaCall> ReadUiaCalls(const std::string& record);

}  // namespace e2e
