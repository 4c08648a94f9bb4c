#pragma once
// Direct access to the x87 unit's control word and fault flags. Every fault stays
// masked in the real control word (a hardware trap cannot portably become a C++
// exception); the operations that must report a fault clear the flags, compute, and
// read them back. Each statement takes the value it orders as an operand, so the
// compiler can neither compute it before the flags are cleared nor after they are read.
#include <cfloat>
#include <cstdint>

static_assert(LDBL_MANT_DIG == 64, "the rules compute in the x87 80-bit extended format");

namespace x87 {

// Fault flags of the status word and the matching masks of the control word.
constexpr std::uint16_t InvalidOperation = 0x01;
constexpr std::uint16_t DenormalOperand = 0x02;
constexpr std::uint16_t ZeroDivide = 0x04;
constexpr std::uint16_t Overflow = 0x08;
constexpr std::uint16_t Underflow = 0x10;
constexpr std::uint16_t Inexact = 0x20;
constexpr std::uint16_t AllFaults = 0x3F;

// 64-bit significand, round to nearest even, infinity control set, every fault masked.
constexpr std::uint16_t MaskedControlWord = 0x133F;

inline std::uint16_t ControlWord() {
  std::uint16_t control;
  asm volatile("fnstcw %0" : "=m"(control) : : "memory");
  return control;
}

inline void LoadControlWord(std::uint16_t control) {
  asm volatile("fldcw %0" : : "m"(control) : "memory");
}

inline std::uint16_t Flags() {
  std::uint16_t status;
  asm volatile("fnstsw %0" : "=m"(status) : : "memory");
  return static_cast<std::uint16_t>(status & AllFaults);
}

inline void ClearFlags() { asm volatile("fnclex" : : : "memory"); }

// Clears the flags; `operand` passes through the statement, so what is computed from
// it comes after.
template <class T>
inline void ClearFlagsBefore(T& operand) {
  asm volatile("fnclex" : "+m"(operand) : : "memory");
}

// Reads the flags once `result` sits in memory in its own type: for a double real
// that store is the narrowing, which raises the overflow flag. The caller reads the
// value back from that memory, rounded.
template <class T>
inline std::uint16_t FlagsAfter(T& result) {
  std::uint16_t status;
  asm volatile("fnstsw %0" : "=m"(status), "+m"(result) : : "memory");
  return static_cast<std::uint16_t>(status & AllFaults);
}

// The same once two results sit in memory.
template <class T, class U>
inline std::uint16_t FlagsAfter(T& first, U& second) {
  std::uint16_t status;
  asm volatile("fnstsw %0" : "=m"(status), "+m"(first), "+m"(second) : : "memory");
  return static_cast<std::uint16_t>(status & AllFaults);
}

// Loads `control` and replaces the fault flags with `flags`. The environment is stored,
// patched and loaded in one statement: the register tags and stack top that it carries
// must be the current ones, so no x87 instruction may run in between.
inline void RestoreEnvironment(std::uint16_t control, std::uint16_t flags) {
  struct Environment {
    std::uint16_t control, unused0, status, unused1;
    std::uint8_t rest[20];
  } environment;
  const std::uint16_t keptFlags = static_cast<std::uint16_t>(flags & AllFaults);
  asm volatile(
      "fnstenv %[env]\n\t"
      "movw %[control], %[envControl]\n\t"
      "andw $0xFF00, %[envStatus]\n\t"
      "orw %[flags], %[envStatus]\n\t"
      "fldenv %[env]"
      : [env] "+m"(environment), [envControl] "=m"(environment.control),
        [envStatus] "+m"(environment.status)
      : [control] "r"(control), [flags] "r"(keptFlags)
      : "cc", "memory");
}

}  // namespace x87
