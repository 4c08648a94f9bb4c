// Elsewhere: the C++ system clock and the C library's numeric locale.
#include <chrono>
#include <clocale>
#include <cstring>

#include "base/platform.h"

TimeOfDay UtcTimeOfDay() {
  using std::chrono::milliseconds;
  constexpr long long MillisecondsPerDay = 86'400'000;
  const long long sinceEpoch =
      std::chrono::duration_cast<milliseconds>(std::chrono::system_clock::now().time_since_epoch())
          .count();
  // The system clock counts from midnight UTC and ignores leap seconds.
  long long today = sinceEpoch % MillisecondsPerDay;
  if (today < 0) today += MillisecondsPerDay;
  const auto ms = static_cast<unsigned>(today);
  return {ms / 3'600'000, ms / 60'000 % 60, ms / 1000 % 60, ms % 1000};
}

char PlatformDecimalSeparator() {
  const std::lconv* conventions = std::localeconv();
  if (conventions != nullptr && conventions->decimal_point != nullptr &&
      std::strlen(conventions->decimal_point) == 1) {
    return conventions->decimal_point[0];
  }
  return '.';
}
