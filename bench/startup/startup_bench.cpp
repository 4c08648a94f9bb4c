// Start-up figures of Quorl against yardstick programs, all started the same way
// (CreateProcessA, SW_SHOWDEFAULT) under the same wine:
//   - time from process creation to the main window shown and ready for input (for
//     Quorl: its first game started, which happens while the window is shown, and the
//     guess box focused);
//   - CPU time the program used until then, and over the idle seconds afterwards;
//   - peak working set (PeakWorkingSetSize).
// Usage: startup_bench <Quorl.exe> <yardstick.exe>... [--runs N] [--idle S]
// The first program is compared with each of the others.
#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Figures {
  double readyMs = 0;
  double startCpuMs = 0;
  double idleCpuMs = 0;
  double peakMiB = 0;
};

double nowMs() {
  LARGE_INTEGER frequency, counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double ticksMs(FILETIME time) {
  const auto ticks =
      (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
  return static_cast<double>(ticks) / 10000.0;  // 100 ns units
}

// CPU time of the process's threads, added up. GetProcessTimes is not used: wine
// answers it with the calling process's own times whatever the handle, while it
// reads each thread's real times from the system.
double cpuMs(DWORD processId) {
  double total = 0;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return 0;
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
    if (entry.th32OwnerProcessID != processId) continue;
    HANDLE thread = OpenThread(THREAD_QUERY_INFORMATION, FALSE, entry.th32ThreadID);
    if (!thread) continue;
    FILETIME created, exited, kernel, user;
    if (GetThreadTimes(thread, &created, &exited, &kernel, &user))
      total += ticksMs(kernel) + ticksMs(user);
    CloseHandle(thread);
  }
  CloseHandle(snapshot);
  return total;
}

struct Search {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK findVisible(HWND window, LPARAM context) {
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
}

// The visible top-level window of the process, once the focus is in one of its windows.
HWND readyWindow(DWORD processId, DWORD threadId) {
  Search search{processId, nullptr};
  EnumWindows(findVisible, reinterpret_cast<LPARAM>(&search));
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
  if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info)) {
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
  figures.startCpuMs = cpuMs(info.dwProcessId);
  if (idleSeconds > 0) {
    Sleep(idleSeconds * 1000);
    figures.idleCpuMs = cpuMs(info.dwProcessId) - figures.startCpuMs;
  }
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
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::string baseName(const std::string& path) {
  const std::size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

struct Program {
  std::string path;
  std::vector<Figures> runs;
  Figures idle;
  double Median(double Figures::*field) const {
    std::vector<double> values;
    for (const Figures& f : runs) values.push_back(f.*field);
    return median(values);
  }
};

}  // namespace

int main(int argc, char** argv) {
  std::vector<Program> programs;
  int runs = 15;
  DWORD idleSeconds = 10;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--runs") && i + 1 < argc) {
      runs = std::max(1, std::atoi(argv[++i]));
    } else if (!std::strcmp(argv[i], "--idle") && i + 1 < argc) {
      idleSeconds = static_cast<DWORD>(std::atoi(argv[++i]));
    } else {
      programs.push_back(Program{argv[i], {}, {}});
    }
  }
  if (programs.size() < 2) {
    std::fprintf(stderr, "usage: %s Quorl.exe yardstick.exe... [--runs N] [--idle S]\n", argv[0]);
    return 2;
  }
  // One run of each first that is not counted: wine maps its libraries on first use.
  for (Program& program : programs) {
    Figures warmUp;
    measure(program.path, 0, warmUp);
  }
  // The programs take turns, so that whatever else the machine is doing weighs on all
  // alike; the idle CPU is measured once, in a separate round.
  for (int run = 0; run < runs; ++run) {
    for (Program& program : programs) {
      Figures figures;
      if (!measure(program.path, 0, figures)) {
        std::fprintf(stderr, "%s: no window\n", program.path.c_str());
        return 1;
      }
      program.runs.push_back(figures);
      std::printf("  %-18s run %2d: ready %6.1f ms, CPU until ready %6.1f ms, peak %5.2f MiB\n",
                  baseName(program.path).c_str(), run, figures.readyMs, figures.startCpuMs,
                  figures.peakMiB);
    }
  }
  for (Program& program : programs) measure(program.path, idleSeconds, program.idle);

  std::printf("\n%-18s %10s %8s %8s %12s %10s %14s\n", "program", "ready ms", "min", "max",
              "CPU ready ms", "peak MiB", "idle CPU ms");
  for (const Program& program : programs) {
    std::vector<double> ready;
    for (const Figures& f : program.runs) ready.push_back(f.readyMs);
    std::printf("%-18s %10.1f %8.1f %8.1f %12.1f %10.2f %9.1f /%2lus\n",
                baseName(program.path).c_str(), program.Median(&Figures::readyMs),
                *std::min_element(ready.begin(), ready.end()),
                *std::max_element(ready.begin(), ready.end()), program.Median(&Figures::startCpuMs),
                program.Median(&Figures::peakMiB), program.idle.idleCpuMs, idleSeconds);
  }
  std::printf("(medians of %d runs)\n", runs);
  const Program& quorl = programs.front();
  for (std::size_t i = 1; i < programs.size(); ++i) {
    const Program& other = programs[i];
    std::printf("%s / %s: start-up %.2fx, CPU until ready %.2fx, peak working set %+.2f MiB\n",
                baseName(quorl.path).c_str(), baseName(other.path).c_str(),
                quorl.Median(&Figures::readyMs) / other.Median(&Figures::readyMs),
                quorl.Median(&Figures::startCpuMs) / other.Median(&Figures::startCpuMs),
                quorl.Median(&Figures::peakMiB) - other.Median(&Figures::peakMiB));
  }
  return 0;
}
