// Waiting on conditions: the program under test runs in another process, so every
// check polls with short sleeps until the condition holds or a generous deadline
// passes (wine is slow to start a process the first time).
#pragma once

#include <chrono>

namespace e2e {

using Millis = std::chrono::milliseconds;

inline constexpr Millis kPollInterval{15};
inline constexpr Millis kDefaultTimeout{20000};

void sleepFor(Millis duration);

// Polls `condition` until it returns true or `timeout` passes; returns its last answer.
template <class Condition>
bool waitUntil(Condition condition, Millis timeout = kDefaultTimeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return condition();
    sleepFor(kPollInterval);
  }
}

}  // namespace e2e
