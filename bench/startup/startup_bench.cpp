// Start-up figures of Quorl against yardstick programs, all started the same way
// (the end-to-end harness's ProgramUnderTest, SW_SHOWDEFAULT) under the same wine:
//   - time from process creation to the main window shown and ready for input (for
//     Quorl: its first game started, which happens while the window is shown, and the
//     guess box focused);
//   - CPU time the program used until then, and over the idle seconds afterwards;
//   - peak working set (PeakWorkingSetSize);
//   - the phase stamps of the programs that make them (QUORL_PHASE_STAMPS, set here
//     for every program started): when each start-up phase ended.
// Usage: startup_bench <Quorl.exe> <yardstick.exe>... [--runs N] [--idle S]
// The first program is compared with each of the others.
#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "harness/process.h"

namespace {

struct Figures {
  double readyMs = 0;
  double startCpuMs = 0;
  double idleCpuMs = 0;
  double peakMiB = 0;
  std::vector<std::pair<std::string, double>> phases;  // name, ms from the start
};

double TicksToMs(long long ticks) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(ticks) / static_cast<double>(frequency.QuadPart);
}

long long nowTicks() {
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return counter.QuadPart;
}

double nowMs() { return TicksToMs(nowTicks()); }

// The file that the programs write their phase stamps to, in the temporary folder.
std::string StampFile() {
  char folder[MAX_PATH];
  const DWORD length = GetTempPathA(MAX_PATH, folder);
  return std::string(folder, length) + "quorl-phase-stamps.txt";
}

// The stamps of the last run ("ticks name" lines), as ms from `startTicks`.
std::vector<std::pair<std::string, double>> ReadStamps(const std::string& file,
                                                       long long startTicks) {
  std::vector<std::pair<std::string, double>> phases;
  std::ifstream in(file);
  long long ticks = 0;
  std::string name;
  while (in >> ticks && std::getline(in >> std::ws, name)) {
    phases.emplace_back(name, TicksToMs(ticks - startTicks));
  }
  return phases;
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
  UniqueKernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
  if (snapshot.get() == INVALID_HANDLE_VALUE) {
    snapshot.release();
    return 0;
  }
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Thread32First(snapshot.get(), &entry); more;
       more = Thread32Next(snapshot.get(), &entry)) {
    if (entry.th32OwnerProcessID != processId) continue;
    UniqueKernelHandle thread(OpenThread(THREAD_QUERY_INFORMATION, FALSE, entry.th32ThreadID));
    if (!thread) continue;
    FILETIME created, exited, kernel, user;
    if (GetThreadTimes(thread.get(), &created, &exited, &kernel, &user))
      total += ticksMs(kernel) + ticksMs(user);
  }
  return total;
}

// Ready: the program's active window is shown and the focus is in one of its windows,
// then the program waits for input.
bool measure(const std::string& exe, DWORD idleSeconds, Figures& figures) {
  const std::string stamps = StampFile();
  DeleteFileA(stamps.c_str());
  const long long start = nowTicks();
  e2e::ProgramUnderTest program(exe, SW_SHOWDEFAULT);
  // Polled as fast as the platform lets a thread wake: the figure's resolution is
  // that of a 1 ms sleep under wine, about a millisecond.
  const bool up = program.WaitUntilUp(
      [&] { return e2e::Shown(program.Active()) && program.Focus() != nullptr; }, e2e::Millis(1));
  program.Program().WaitUntilIdle(e2e::Millis(10000));
  figures.readyMs = nowMs() - TicksToMs(start);
  const DWORD id = program.Program().Id();
  figures.startCpuMs = cpuMs(id);
  if (idleSeconds > 0) {
    Sleep(idleSeconds * 1000);
    figures.idleCpuMs = cpuMs(id) - figures.startCpuMs;
  }
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(program.Program().Handle(), &memory, sizeof memory);
  figures.peakMiB = static_cast<double>(memory.PeakWorkingSetSize) / (1024.0 * 1024.0);
  if (up) PostMessageA(program.Active(), WM_CLOSE, 0, 0);
  program.Program().WaitForExit(e2e::Millis(10000));  // else ended when `program` goes
  figures.phases = ReadStamps(stamps, start);
  return up;
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

// The phases that any of the programs stamped, in the order of the first program that
// stamped each, with the median time at which each ended, per program.
void PrintPhases(const std::vector<Program>& programs) {
  std::vector<std::string> names;
  for (const Program& program : programs) {
    if (program.runs.empty()) continue;
    for (const auto& phase : program.runs.front().phases) {
      if (std::find(names.begin(), names.end(), phase.first) == names.end()) {
        names.push_back(phase.first);
      }
    }
  }
  if (names.empty()) return;
  std::printf("\nphases, median ms from the start at which each ended (its own length):\n%-20s",
              "phase");
  for (const Program& program : programs) std::printf(" %22s", baseName(program.path).c_str());
  std::printf("\n");
  std::vector<double> previous(programs.size(), 0);
  for (const std::string& name : names) {
    std::printf("%-20s", name.c_str());
    for (std::size_t p = 0; p < programs.size(); ++p) {
      std::vector<double> ends;
      for (const Figures& f : programs[p].runs) {
        for (const auto& phase : f.phases) {
          if (phase.first == name) ends.push_back(phase.second);
        }
      }
      if (ends.empty()) {
        std::printf(" %22s", "-");
        continue;
      }
      const double end = median(ends);
      std::printf(" %10.1f (%+8.1f) ", end, end - previous[p]);
      previous[p] = end;
    }
    std::printf("\n");
  }
}

int Bench(int argc, char** argv) {
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
  // Every program started from here makes its stamps, if it makes any.
  SetEnvironmentVariableA("QUORL_PHASE_STAMPS", StampFile().c_str());
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
  PrintPhases(programs);
  return 0;
}

int main(int argc, char** argv) {
  try {
    return Bench(argc, argv);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
}
