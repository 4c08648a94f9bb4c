// A long run: hundreds of games in one process, watching the program's GDI and USER
// objects and its memory for growth. Figures are printed; only growth fails.
#include "quorl_test.h"

#include <psapi.h>

#include <cstdio>
#include <cstdlib>

namespace e2e {
namespace {

// GetGuiResources counts nothing under wine (it answers 0), so there the handle
// count and the memory figures are what can show a leak.
struct Resources {
  DWORD gdiObjects = 0;
  DWORD userObjects = 0;
  DWORD handles = 0;
  double workingSetMiB = 0;
  double committedMiB = 0;
};

Resources resourcesOf(HANDLE process) {
  Resources r;
  r.gdiObjects = GetGuiResources(process, GR_GDIOBJECTS);
  r.userObjects = GetGuiResources(process, GR_USEROBJECTS);
  GetProcessHandleCount(process, &r.handles);
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof memory;
  if (GetProcessMemoryInfo(process, &memory, sizeof memory)) {
    r.workingSetMiB = static_cast<double>(memory.WorkingSetSize) / (1024.0 * 1024.0);
    r.committedMiB = static_cast<double>(memory.PagefileUsage) / (1024.0 * 1024.0);
  }
  return r;
}

void print(const char* when, int games, const Resources& r) {
  std::printf("[ soak     ] %s %4d games: GDI objects %lu, USER objects %lu, handles %lu,"
              " working set %.2f MiB, committed %.2f MiB\n",
              when, games, r.gdiObjects, r.userObjects, r.handles, r.workingSetMiB,
              r.committedMiB);
}

class SoakTest : public QuorlTest {};

TEST_F(SoakTest, ManyGamesLeakNeitherObjectsNorMemory) {
  const int games = std::max(2, std::atoi(environment("QUORL_E2E_SOAK_GAMES", "300").c_str()));
  ASSERT_NO_FATAL_FAILURE(start());
  const auto playOne = [&](int game) {
    std::string failure;
    ASSERT_TRUE(app().playUntilWon(&failure).has_value()) << "game " << game << ": " << failure;
    ASSERT_TRUE(app().dismissMessageDialog()) << "game " << game;
  };
  // The first game settles lazily created things (the dialog's window, fonts).
  ASSERT_NO_FATAL_FAILURE(playOne(1));
  const Resources first = resourcesOf(app().process().handle());
  print("after", 1, first);
  for (int game = 2; game <= games; ++game) {
    ASSERT_NO_FATAL_FAILURE(playOne(game));
    if (game % 50 == 0) print("after", game, resourcesOf(app().process().handle()));
  }
  const Resources last = resourcesOf(app().process().handle());
  print("after", games, last);
  RecordProperty("gdi_objects_growth", static_cast<int>(last.gdiObjects - first.gdiObjects));
  RecordProperty("user_objects_growth", static_cast<int>(last.userObjects - first.userObjects));
  EXPECT_LE(last.gdiObjects, first.gdiObjects + 5);
  EXPECT_LE(last.userObjects, first.userObjects + 5);
  EXPECT_LE(last.handles, first.handles + 5);
  EXPECT_LT(last.workingSetMiB - first.workingSetMiB, 2.0);
  EXPECT_LT(last.committedMiB - first.committedMiB, 2.0);
}

}  // namespace
}  // namespace e2e
