#pragma once
// Exact comparison and printing of extended reals for the tests: the 64-bit
// significand in hexadecimal and the power of two, as the tables write them.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

inline std::string Hex(long double value) {
  std::uint64_t significand;
  std::uint16_t signAndExponent;
  std::memcpy(&significand, &value, sizeof significand);
  std::memcpy(&signAndExponent, reinterpret_cast<const char*>(&value) + 8, sizeof signAndExponent);
  const int exponent = (signAndExponent & 0x7FFF) - 16383 - 63;
  char text[48];
  std::snprintf(text, sizeof text, "%s0x%016llXp%+d", (signAndExponent & 0x8000) ? "-" : "",
                static_cast<unsigned long long>(significand), exponent);
  return text;
}

// Same value and same sign: tells negative zero from zero.
inline bool SameExtended(long double a, long double b) { return Hex(a) == Hex(b); }
