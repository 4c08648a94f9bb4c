// A program under test, started the way a launcher starts it: CreateProcessA with a
// start-up show command. The process is ended when its owner goes if it still runs, so
// a failing test never leaves a window behind for the next one.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "controls/handles.h"
#include "harness/wait.h"

namespace e2e {

// Variables ("NAME=value") set for a program under test alone, over this process's own.
using ProgramEnvironment = std::vector<std::string>;

class Process {
public:
  // Starts `exePath` (a Windows path) with STARTF_USESHOWWINDOW and `showCommand`.
  // Throws std::runtime_error when the process cannot be created.
  Process(const std::string& exePath, WORD showCommand, const ProgramEnvironment& environment = {});
  ~Process();
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;
  Process(Process&& other) noexcept = default;
  Process& operator=(Process&& other) noexcept;

  DWORD Id() const { return id_; }
  DWORD MainThreadId() const { return threadId_; }
  HANDLE Handle() const { return process_.get(); }

  bool Running() const;
  // Waits for the end of the process; true when it ended in time.
  bool WaitForExit(Millis timeout = DefaultTimeout()) const;
  // The exit code once the process has ended, nothing while it runs.
  std::optional<DWORD> ExitCode() const;
  // Waits until the process is idle, waiting for input (WaitForInputIdle).
  bool WaitUntilIdle(Millis timeout = DefaultTimeout()) const;
  void Terminate();

private:
  UniqueKernelHandle process_;
  DWORD id_ = 0;
  DWORD threadId_ = 0;
};

// The program as a player meets it: its windows waited for and found, the focus that
// keys go to, clicks on its controls, the error box it raises. What it shows is read
// with harness/query.h, harness/screenshot.h and harness/accessibility.h.
class ProgramUnderTest {
public:
  ProgramUnderTest(std::string exePath, WORD showCommand, ProgramEnvironment environment = {});

  Process& Program() { return process_; }
  const Process& Program() const { return process_; }

  // Waits until `up` holds; false as soon as the program has ended. A start that ended
  // before anything was up is made once more where the platform's starts fail now and
  // then (QUORL_E2E_RETRY_START, set where 32-bit wine runs under qemu), and the test's
  // output says so. `poll` is how often `up` is asked.
  bool WaitUntilUp(const std::function<bool()>& up, Millis poll = PollInterval);
  // Waits until the program's top-level window of class `windowClass` is visible in
  // the foreground (keyboard input goes to the foreground window), the focus is in the
  // program and `found` finds its controls.
  bool WaitForWindow(const char* windowClass, const std::function<bool(HWND)>& found);

  HWND Window(const char* windowClass) const;
  HWND Focus() const;
  HWND Active() const;
  // A visible message box of the program, or null.
  HWND ErrorBox() const;
  // Clicks `control` and waits until it has the focus.
  bool ClickToFocus(HWND control) const;

private:
  std::string exePath_;
  WORD showCommand_;
  ProgramEnvironment environment_;
  Process process_;
  bool started_ = false;  // something was up
};

// True while `window` exists and is visible.
bool Shown(HWND window);

// Converts a Unix path (as CMake knows it) to the Windows path through wine's Z: drive;
// a path that already looks like a Windows one is returned unchanged.
std::string WindowsPath(const std::string& path);

// The value of an environment variable, or `fallback` when it is unset or empty.
std::string Environment(const char* name, const std::string& fallback);

}  // namespace e2e
