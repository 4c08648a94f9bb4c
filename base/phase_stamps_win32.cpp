#include "base/phase_stamps.h"

#include <windows.h>

#include <cstdio>

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
  std::FILE* out = std::fopen(stamps.file, "w");
  if (out == nullptr) return;
  for (int i = 0; i < stamps.count; ++i) {
    std::fprintf(out, "%lld %s\n", static_cast<long long>(stamps.stamps[i].ticks),
                 stamps.stamps[i].name);
  }
  std::fclose(out);
}
