#include "harness/process.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <thread>
#include <utility>
#include <vector>

#include "harness/input.h"
#include "harness/query.h"

namespace e2e {

void SleepFor(Millis duration) { std::this_thread::sleep_for(duration); }

Millis DefaultTimeout() {
  static const Millis timeout{[] {
    const char* seconds = std::getenv("QUORL_E2E_TIMEOUT_SECONDS");
    const long value = seconds ? std::strtol(seconds, nullptr, 10) : 0;
    return value > 0 ? value * 1000 : 20000L;
  }()};
  return timeout;
}

namespace {

// This process's environment block with `environment` over it; empty when it is empty.
std::string EnvironmentBlock(const ProgramEnvironment& environment) {
  if (environment.empty()) return {};
  const auto named = [](const std::string& entry) { return entry.substr(0, entry.find('=', 1)); };
  std::string block;
  char* strings = GetEnvironmentStringsA();
  for (const char* entry = strings; *entry; entry += std::strlen(entry) + 1) {
    bool replaced = false;
    for (const std::string& setting : environment) replaced |= named(setting) == named(entry);
    if (!replaced) block.append(entry).push_back('\0');
  }
  FreeEnvironmentStringsA(strings);
  for (const std::string& setting : environment) block.append(setting).push_back('\0');
  return block + '\0';
}

}  // namespace

Process::Process(const std::string& exePath, WORD showCommand,
                 const ProgramEnvironment& environment) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = showCommand;
  std::string commandLine = "\"" + exePath + "\"";
  std::vector<char> buffer(commandLine.begin(), commandLine.end());
  buffer.push_back('\0');
  PROCESS_INFORMATION info{};
  std::string block = EnvironmentBlock(environment);
  if (!CreateProcessA(exePath.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0,
                      block.empty() ? nullptr : block.data(), nullptr, &startup, &info)) {
    throw std::runtime_error("cannot start " + exePath + " (error " +
                             std::to_string(GetLastError()) + ")");
  }
  UniqueKernelHandle thread(info.hThread);
  process_.reset(info.hProcess);
  id_ = info.dwProcessId;
  threadId_ = info.dwThreadId;
}

Process::~Process() {
  if (process_ && Running()) Terminate();
}

Process& Process::operator=(Process&& other) noexcept {
  if (this != &other) {
    if (process_ && Running()) Terminate();
    process_ = std::move(other.process_);
    id_ = other.id_;
    threadId_ = other.threadId_;
  }
  return *this;
}

bool Process::Running() const { return WaitForSingleObject(Handle(), 0) == WAIT_TIMEOUT; }

bool Process::WaitForExit(Millis timeout) const {
  return WaitForSingleObject(Handle(), static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
}

std::optional<DWORD> Process::ExitCode() const {
  if (Running()) return std::nullopt;
  DWORD code = 0;
  if (!GetExitCodeProcess(Handle(), &code)) return std::nullopt;
  return code;
}

bool Process::WaitUntilIdle(Millis timeout) const {
  return WaitForInputIdle(Handle(), static_cast<DWORD>(timeout.count())) == 0;
}

void Process::Terminate() {
  TerminateProcess(Handle(), 255);
  WaitForSingleObject(Handle(), 10000);
}

ProgramUnderTest::ProgramUnderTest(std::string exePath, WORD showCommand,
                                   ProgramEnvironment environment)
    : exePath_(std::move(exePath)),
      showCommand_(showCommand),
      environment_(std::move(environment)),
      process_(exePath_, showCommand, environment_) {}

bool ProgramUnderTest::WaitUntilUp(const std::function<bool()>& up, Millis poll) {
  const auto attempt = [&] {
    return WaitUntil([&] { return !process_.Running() || up(); }, DefaultTimeout(), poll) &&
           process_.Running();
  };
  if (attempt()) return started_ = true;
  const auto code = process_.ExitCode();
  if (started_ || !code || Environment("QUORL_E2E_RETRY_START", "").empty()) return false;
  std::printf("[ RETRY    ] %s ended before its window showed (exit code %lu): started again\n",
              exePath_.c_str(), static_cast<unsigned long>(*code));
  std::fflush(stdout);
  process_ = Process(exePath_, showCommand_, environment_);
  return started_ = attempt();
}

bool ProgramUnderTest::WaitForWindow(const char* windowClass,
                                     const std::function<bool(HWND)>& found) {
  return WaitUntilUp([&] {
    const HWND window = Window(windowClass);
    return Shown(window) && found(window) && Focus() != nullptr && GetForegroundWindow() == window;
  });
}

HWND ProgramUnderTest::Window(const char* windowClass) const {
  return FindTopLevel(process_.Id(), windowClass);
}
HWND ProgramUnderTest::Focus() const { return FocusedWindow(process_.MainThreadId()); }
HWND ProgramUnderTest::Active() const { return ActiveWindow(process_.MainThreadId()); }
HWND ProgramUnderTest::ErrorBox() const { return VisibleMessageBox(process_.Id()); }

bool ProgramUnderTest::ClickToFocus(HWND control) const {
  ClickAt(CenterOf(control));
  return WaitUntil([&] { return Focus() == control; });
}

bool Shown(HWND window) { return window && IsWindow(window) && IsWindowVisible(window); }

std::string WindowsPath(const std::string& path) {
  if (path.empty() || path.front() != '/') return path;
  std::string converted = "Z:" + path;
  for (char& c : converted) {
    if (c == '/') c = '\\';
  }
  return converted;
}

std::string Environment(const char* name, const std::string& fallback) {
  const char* value = std::getenv(name);
  return value && *value ? std::string(value) : fallback;
}

}  // namespace e2e
