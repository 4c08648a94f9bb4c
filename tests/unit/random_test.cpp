#include "game/random.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <tuple>

namespace {

TEST(Random, DrawsFromKnownStates) {
  // Why, the seed, the first draw, the state after it, the second draw.
  using U = std::uint32_t;
  const std::tuple<const char*, U, U, U, U> cases[] = {
      {"the state at start-up", 0, 0, 1, 313},
      {"reseeded at 00:00:00.001", 1, 313, 134775814, 8610},
      {"reseeded at 00:00:01.000", 1000, 3799, 1631826825, 6999},
      {"reseeded at 23:59:59.999", 86399999, 7232, 3106359292u, 9951},
  };
  for (const auto& [reason, seed, first, stateAfterFirst, second] : cases) {
    SCOPED_TRACE(reason);
    RandomSeed = seed;
    EXPECT_EQ(RandomBelow(10000), first);
    EXPECT_EQ(RandomSeed, stateAfterFirst);
    EXPECT_EQ(RandomBelow(10000), second);
  }
}

TEST(Random, ReseedCountsMillisecondsSinceMidnight) {
  ReseedFromTimeOfDay(0, 0, 0, 1);
  EXPECT_EQ(RandomSeed, 1u);
  ReseedFromTimeOfDay(0, 0, 1, 0);
  EXPECT_EQ(RandomSeed, 1000u);
  ReseedFromTimeOfDay(23, 59, 59, 999);
  EXPECT_EQ(RandomSeed, 86399999u);
}

// A new game's secret depends on the time of day alone: reseedings one millisecond
// apart move the first draw by 313 or 314.
TEST(Random, OneMillisecondLaterMovesTheFirstDrawBy313Or314) {
  for (unsigned ms = 0; ms < 1000; ++ms) {
    SCOPED_TRACE(ms);
    ReseedFromTimeOfDay(12, 34, 56, ms);
    const std::uint32_t now = RandomBelow(10000);
    ReseedFromTimeOfDay(12, 34, 56, ms + 1);
    const std::uint32_t later = RandomBelow(10000);
    const std::uint32_t step = (later + 10000 - now) % 10000;
    EXPECT_TRUE(step == 313 || step == 314) << step;
  }
}

TEST(Random, BoundOneGivesZeroAndStillAdvances) {
  RandomSeed = 5;
  EXPECT_EQ(RandomBelow(1), 0u);
  EXPECT_EQ(RandomSeed, 5u * 134775813u + 1u);
}

TEST(Random, ClockReseedGivesATimeOfDay) {
  ReseedFromClock();
  EXPECT_LT(RandomSeed, 86400000u);
}

}  // namespace
