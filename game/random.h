#pragma once
// The generator from which secrets are drawn: a 32-bit linear congruential generator,
// reseeded from the time of day.
#include <cstdint>

// The generator's whole state; 0 when the program starts.
extern std::uint32_t RandomSeed;

// Seeds with the milliseconds since midnight UTC, read from the system clock.
void ReseedFromClock();

// Seeds with the milliseconds since midnight of the given time of day.
void ReseedFromTimeOfDay(unsigned hour, unsigned minute, unsigned second, unsigned millisecond);

// Advances the state one step and returns a whole number from 0 to bound - 1.
std::uint32_t RandomBelow(std::uint32_t bound);
