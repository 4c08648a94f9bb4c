#include "base/phase_stamps.h"

#include <windows.h>

#include <string>

namespace {

constexpr int MostStamps = 16;

struct Stamp {
  const char* name;
  LONGLONG ticks;
};

// The stamps of this process, and the file they go to: empty when stamps are off.
struct PhaseStamps {
  char file[MAX_PATH] = {};
  Stamp stamps[MostStamps] = {};
  int count = 0;
  bool on = false;
  PhaseStamps() {
    const DWORD length = GetEnvironmentVariableA("QUORL_PHASE_STAMPS", file, MAX_PATH);
    on = length > 0 && length < MAX_PATH;
  }
};

PhaseStamps& Stamps() {
  static PhaseStamps stamps;
  return stamps;
}

}  // namespace

void StampPhase(const char* name) {
  PhaseStamps& stamps = Stamps();
  if (!stamps.on || stamps.count == MostStamps) return;
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  stamps.stamps[stamps.count++] = Stamp{name, now.QuadPart};
}

void WritePhaseStamps() {
  PhaseStamps& stamps = Stamps();
  if (!stamps.on) return;
  stamps.on = false;
  // Written through the platform, not the C library's streams, which would add their
  // whole formatter to the program for the benchmark's sake.
  std::string text;
  for (int i = 0; i < stamps.count; ++i) {
    text += std::to_string(stamps.stamps[i].ticks) + ' ' + stamps.stamps[i].name + '\n';
  }
  const HANDLE file = CreateFileA(stamps.file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
}
