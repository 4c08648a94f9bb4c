#include "harness/process.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <thread>
#include <utility>
#include <vector>

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

Process::Process(const std::string& exePath, WORD showCommand) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = showCommand;
  std::string commandLine = "\"" + exePath + "\"";
  std::vector<char> buffer(commandLine.begin(), commandLine.end());
  buffer.push_back('\0');
  if (!CreateProcessA(exePath.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info_)) {
    throw std::runtime_error("cannot start " + exePath + " (error " +
                             std::to_string(GetLastError()) + ")");
  }
}

Process::~Process() {
  if (info_.hProcess && Running()) Terminate();
  Release();
}

Process::Process(Process&& other) noexcept : info_(std::exchange(other.info_, {})) {}

Process& Process::operator=(Process&& other) noexcept {
  if (this != &other) {
    if (info_.hProcess && Running()) Terminate();
    Release();
    info_ = std::exchange(other.info_, {});
  }
  return *this;
}

void Process::Release() noexcept {
  if (info_.hThread) CloseHandle(info_.hThread);
  if (info_.hProcess) CloseHandle(info_.hProcess);
  info_ = {};
}

bool Process::Running() const { return WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }

bool Process::WaitForExit(Millis timeout) const {
  return WaitForSingleObject(info_.hProcess, static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
}

std::optional<DWORD> Process::ExitCode() const {
  if (Running()) return std::nullopt;
  DWORD code = 0;
  if (!GetExitCodeProcess(info_.hProcess, &code)) return std::nullopt;
  return code;
}

bool Process::WaitUntilIdle(Millis timeout) const {
  return WaitForInputIdle(info_.hProcess, static_cast<DWORD>(timeout.count())) == 0;
}

void Process::Terminate() {
  TerminateProcess(info_.hProcess, 255);
  WaitForSingleObject(info_.hProcess, 10000);
}

bool RetryEndedStart(const Process& process, const std::string& what) {
  const auto code = process.ExitCode();
  if (!code || Environment("QUORL_E2E_RETRY_START", "").empty()) return false;
  std::printf("[ RETRY    ] %s ended before its window showed (exit code %lu): started again\n",
              what.c_str(), static_cast<unsigned long>(*code));
  std::fflush(stdout);
  return true;
}

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
