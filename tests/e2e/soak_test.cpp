// A long run: hundreds of games in one process, watching the program's GDI and USER
// objects and its memory for growth. Figures are printed; only growth fails.
// GetGuiResources counts nothing under wine (it answers 0), so there the windows are
// counted by enumeration, and soak_gdi_objects.sh reads the GDI objects from wine's own
// trace of their creation and deletion, matched to the lines printed here by the
// program's process id.
#include "quorl_test.h"

#include <psapi.h>

#include <cstdio>
#include <cstdlib>

namespace e2e {
namespace {

struct Resources {
  DWORD gdiObjects = 0;
  DWORD userObjects = 0;
  std::size_t windows = 0;
  DWORD handles = 0;
  double workingSetMiB = 0;
  double committedMiB = 0;
};

BOOL CALLBACK CountWindow(HWND, LPARAM count) {
  ++*reinterpret_cast<std::size_t*>(count);
  return TRUE;
}

// The process's windows: its top-level windows and all of their descendants.
std::size_t WindowsOf(DWORD processId) {
  std::size_t count = 0;
  for (HWND window : TopLevelWindows(processId)) {
    ++count;
    EnumChildWindows(window, CountWindow, reinterpret_cast<LPARAM>(&count));
  }
  return count;
}

Resources ResourcesOf(const Process& process) {
  Resources r;
  r.windows = WindowsOf(process.Id());
  r.gdiObjects = GetGuiResources(process.Handle(), GR_GDIOBJECTS);
  r.userObjects = GetGuiResources(process.Handle(), GR_USEROBJECTS);
  GetProcessHandleCount(process.Handle(), &r.handles);
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof memory;
  if (GetProcessMemoryInfo(process.Handle(), &memory, sizeof memory)) {
    r.workingSetMiB = static_cast<double>(memory.WorkingSetSize) / (1024.0 * 1024.0);
    r.committedMiB = static_cast<double>(memory.PagefileUsage) / (1024.0 * 1024.0);
  }
  return r;
}

void Print(const Process& process, int games, const Resources& r) {
  std::printf(
      "[ soak     ] process %04lx after %4d games: GDI objects %lu, USER objects %lu,"
      " windows %zu, handles %lu, working set %.2f MiB, committed %.2f MiB\n",
      process.Id(), games, r.gdiObjects, r.userObjects, r.windows, r.handles, r.workingSetMiB,
      r.committedMiB);
  // The trace of the program's objects shares this output: each line goes out at once.
  std::fflush(stdout);
}

class SoakTest : public QuorlTest {};

TEST_F(SoakTest, ManyGamesLeakNeitherObjectsNorMemory) {
  const int games = std::max(2, std::atoi(Environment("QUORL_E2E_SOAK_GAMES", "300").c_str()));
  ASSERT_NO_FATAL_FAILURE(Start());
  Print(App().Program(), 0, ResourcesOf(App().Program()));
  const auto playOne = [&](int game) {
    std::string failure;
    ASSERT_TRUE(App().PlayUntilWon(&failure).has_value()) << "game " << game << ": " << failure;
    ASSERT_TRUE(App().DismissMessageDialog()) << "game " << game;
  };
  // The first game settles lazily created things (the dialog's window, fonts).
  ASSERT_NO_FATAL_FAILURE(playOne(1));
  const Process& program = App().Program();
  const Resources first = ResourcesOf(program);
  Print(program, 1, first);
  for (int game = 2; game <= games; ++game) {
    ASSERT_NO_FATAL_FAILURE(playOne(game));
    if (game % 50 == 0 && game != games) Print(program, game, ResourcesOf(program));
  }
  const Resources last = ResourcesOf(program);
  Print(program, games, last);
  RecordProperty("gdi_objects_growth", static_cast<int>(last.gdiObjects - first.gdiObjects));
  RecordProperty("user_objects_growth", static_cast<int>(last.userObjects - first.userObjects));
  EXPECT_LE(last.gdiObjects, first.gdiObjects + 5);
  EXPECT_LE(last.userObjects, first.userObjects + 5);
  EXPECT_LE(last.windows, first.windows);
  EXPECT_LE(last.handles, first.handles + 5);
  EXPECT_LT(last.workingSetMiB - first.workingSetMiB, 2.0);
  EXPECT_LT(last.committedMiB - first.committedMiB, 2.0);
}

}  // namespace
}  // namespace e2e
