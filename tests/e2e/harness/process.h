// A program under test, started the way a launcher starts it: CreateProcessA with a
// start-up show command. The process is ended in the destructor if it still runs, so a
// failing test never leaves a window behind for the next one.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "harness/wait.h"

namespace e2e {

class Process {
public:
  // Starts `exePath` (a Windows path) with STARTF_USESHOWWINDOW and `showCommand`.
  // Throws std::runtime_error when the process cannot be created.
  Process(const std::string& exePath, WORD showCommand);
  ~Process();
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;
  Process(Process&& other) noexcept;
  Process& operator=(Process&& other) noexcept;

  DWORD Id() const { return info_.dwProcessId; }
  DWORD MainThreadId() const { return info_.dwThreadId; }
  HANDLE Handle() const { return info_.hProcess; }

  bool Running() const;
  // Waits for the end of the process; true when it ended in time.
  bool WaitForExit(Millis timeout = DefaultTimeout()) const;
  // The exit code once the process has ended, nothing while it runs.
  std::optional<DWORD> ExitCode() const;
  // Waits until the process is idle, waiting for input (WaitForInputIdle).
  bool WaitUntilIdle(Millis timeout = DefaultTimeout()) const;
  void Terminate();

private:
  void Release() noexcept;
  PROCESS_INFORMATION info_{};
};

// Whether a start that did not come up is to be made once more: only where starts fail
// now and then for the platform's own reasons (QUORL_E2E_RETRY_START, set where 32-bit
// wine runs under qemu), and only when the program has already ended. Says so in the
// test's output, so that a retried start is never silent.
bool RetryEndedStart(const Process& process, const std::string& what);

// Waits until `up` holds for the program in `process`; false as soon as it has ended.
// A start that ended early is made once more with `start` where retryEndedStart
// allows it.
template <class Start, class Up>
bool WaitUntilStarted(Process& process, Start start, Up up, const std::string& what) {
  const auto attempt = [&] {
    return WaitUntil([&] { return !process.Running() || up(); }) && process.Running();
  };
  if (attempt()) return true;
  if (!RetryEndedStart(process, what)) return false;
  process = start();
  return attempt();
}

// Converts a Unix path (as CMake knows it) to the Windows path through wine's Z: drive;
// a path that already looks like a Windows one is returned unchanged.
std::string WindowsPath(const std::string& path);

// The value of an environment variable, or `fallback` when it is unset or empty.
std::string Environment(const char* name, const std::string& fallback);

}  // namespace e2e
