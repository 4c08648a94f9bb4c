// Start-up figures of Quorl against a minimal window program, both started the same
// way (CreateProcessA, SW_SHOWDEFAULT) under the same wine:
//   - time from process creation to the main window shown and ready for input (for
//     Quorl: its first game started, which happens while the window is shown, and the
//     guess box focused);
//   - CPU time used over 10 idle seconds afterwards (GetProcessTimes);
//   - peak working set (PeakWorkingSetSize).
// Usage: startup_bench <minimal.exe> <Quorl.exe> [runs] [idle seconds]
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Figures {
  double readyMs = 0;
  double idleCpuMs = 0;
  double startCpuMs = 0;
  double peakMiB = 0;
};

double nowMs() {
  LARGE_INTEGER frequency, counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double cpuMs(HANDLE process) {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(process, &created, &exited, &kernel, &user);
  auto ticks = [](FILETIME t) {
    return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
  };
  return static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;  // 100 ns units
}

struct Search {
  DWORD processId;
  HWND found;
};

// The visible top-level window of the process that has the keyboard focus in it.
HWND readyWindow(DWORD processId, DWORD threadId) {
  Search search{processId, nullptr};
  EnumWindows(
      [](HWND window, LPARAM context) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(context);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        RECT rect;
        if (owner == s.processId && IsWindowVisible(window) && GetWindowRect(window, &rect) &&
            rect.right > rect.left) {
          s.found = window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  if (!search.found) return nullptr;
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(threadId, &info) || !info.hwndFocus) return nullptr;
  return search.found;
}

bool measure(const std::string& exe, DWORD idleSeconds, Figures& figures) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWDEFAULT;
  PROCESS_INFORMATION info{};
  std::string commandLine = "\"" + exe + "\"";
  const double start = nowMs();
  if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &info)) {
    std::fprintf(stderr, "cannot start %s (error %lu)\n", exe.c_str(), GetLastError());
    return false;
  }
  HWND window = nullptr;
  // Polls as fast as the platform lets a thread wake; the figure's resolution is
  // that of Sleep(1) under wine, about a millisecond.
  while (!(window = readyWindow(info.dwProcessId, info.dwThreadId)) && nowMs() - start < 60000) {
    Sleep(1);
  }
  WaitForInputIdle(info.hProcess, 10000);
  figures.readyMs = nowMs() - start;
  const double cpuBefore = cpuMs(info.hProcess);
  figures.startCpuMs = cpuBefore;
  Sleep(idleSeconds * 1000);
  figures.idleCpuMs = cpuMs(info.hProcess) - cpuBefore;
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(info.hProcess, &memory, sizeof memory);
  figures.peakMiB = static_cast<double>(memory.PeakWorkingSetSize) / (1024.0 * 1024.0);
  if (window) PostMessageA(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(info.hProcess, 10000) != WAIT_OBJECT_0) {
    TerminateProcess(info.hProcess, 1);
  }
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return window != nullptr;
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s minimal.exe Quorl.exe [runs] [idle seconds]\n", argv[0]);
    return 2;
  }
  const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 15;
  const DWORD idleSeconds = argc > 4 ? static_cast<DWORD>(std::atoi(argv[4])) : 10;
  const char* names[] = {"minimal", "Quorl"};
  std::vector<double> ready[2], idle[2], memory[2];
  // One run of each first that is not counted: wine maps its libraries on first use.
  for (int program = 0; program < 2; ++program) {
    Figures warmUp;
    measure(argv[1 + program], 0, warmUp);
  }
  // The two programs take turns, so that whatever else the machine is doing weighs on
  // both alike.
  for (int run = 0; run < runs; ++run) {
    for (int program = 0; program < 2; ++program) {
      Figures figures;
      if (!measure(argv[1 + program], run == 0 ? idleSeconds : 0, figures)) {
        std::fprintf(stderr, "%s: no window\n", names[program]);
        return 1;
      }
      ready[program].push_back(figures.readyMs);
      if (run == 0) idle[program].push_back(figures.idleCpuMs);
      memory[program].push_back(figures.peakMiB);
      std::printf("  %-8s run %2d: ready %6.1f ms, CPU until ready %6.1f ms\n", names[program], run,
                  figures.readyMs, figures.startCpuMs);
    }
  }
  double readyMedian[2] = {};
  double peak[2] = {};
  for (int program = 0; program < 2; ++program) {
    readyMedian[program] = median(ready[program]);
    peak[program] = median(memory[program]);
    std::printf("%-8s ready %7.1f ms (median of %d, min %.1f, max %.1f)  idle CPU over %lus %6.1f ms"
                "  peak working set %6.2f MiB\n",
                names[program], readyMedian[program], runs,
                *std::min_element(ready[program].begin(), ready[program].end()),
                *std::max_element(ready[program].begin(), ready[program].end()), idleSeconds,
                idle[program].front(), peak[program]);
  }
  std::printf("start-up ratio Quorl/minimal %.2f (goal <= 1.30); peak memory difference %+.2f MiB"
              " (goal <= 2)\n",
              readyMedian[1] / readyMedian[0], peak[1] - peak[0]);
  return 0;
}
