// Waiting on conditions: the program under test runs in another process, so every
// check polls with short sleeps until the condition holds or a generous deadline
// passes (wine is slow to start a process the first time).
#pragma once

#include <chrono>

namespace e2e {

using Millis = std::chrono::milliseconds;

inline constexpr Millis PollInterval{15};

void SleepFor(Millis duration);

// The deadline of a wait that names none: 20 s, or QUORL_E2E_TIMEOUT_SECONDS where
// every program starts slowly (32-bit wine emulated by qemu takes most of a minute).
Millis DefaultTimeout();

// Polls `condition` every `poll` until it returns true or `timeout` passes; returns its
// last answer.
template <class Condition>
bool WaitUntil(Condition condition, Millis timeout = DefaultTimeout(), Millis poll = PollInterval) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return condition();
    SleepFor(poll);
  }
}

}  // namespace e2e
