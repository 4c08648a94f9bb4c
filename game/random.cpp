#include "game/random.h"

#include "base/platform.h"

std::uint32_t RandomSeed = 0;

void ReseedFromClock() {
  const TimeOfDay now = UtcTimeOfDay();
  ReseedFromTimeOfDay(now.hour, now.minute, now.second, now.millisecond);
}

void ReseedFromTimeOfDay(unsigned hour, unsigned minute, unsigned second, unsigned millisecond) {
  // At most 86 399 999: fits in 32 bits.
  RandomSeed = ((hour * 60 + minute) * 60 + second) * 1000 + millisecond;
}

std::uint32_t RandomBelow(std::uint32_t bound) {
  // Full period 2^32: the increment is odd and the multiplier minus 1 divisible by 4.
  constexpr std::uint32_t Multiplier = 134775813;
  RandomSeed = RandomSeed * Multiplier + 1;
  return static_cast<std::uint32_t>((std::uint64_t{bound} * RandomSeed) >> 32);
}
