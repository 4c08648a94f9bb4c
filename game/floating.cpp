#include "game/floating.h"

#include "base/errors.h"
#include "game/x87.h"

namespace {

// Raises the error that the default control word would have trapped for; the flags
// are cleared first so that the next checked operation starts clean.
void RaiseFault(std::uint16_t flags) {
  if (flags & (x87::InvalidOperation | x87::ZeroDivide | x87::Overflow)) {
    x87::ClearFlags();
  }
  if (flags & x87::InvalidOperation) throw EInvalidOp();
  if (flags & x87::ZeroDivide) throw EZeroDivide();
  if (flags & x87::Overflow) throw EOverflow();
}

}  // namespace

void InitFloatingPointUnit() {
  const std::uint16_t control = x87::MaskedControlWord;
  asm volatile("fninit\n\tfldcw %0" : : "m"(control) : "memory");
}

double NarrowToDouble(long double value) {
  x87::ClearFlagsBefore(value);
  double narrowed = static_cast<double>(value);
  RaiseFault(x87::FlagsAfter(narrowed));
  return narrowed;
}

long double CheckedMultiply(long double a, long double b) {
  x87::ClearFlagsBefore(a);
  long double product = a * b;
  RaiseFault(x87::FlagsAfter(product));
  return product;
}

std::int64_t RoundToInteger(long double value) {
  x87::ClearFlagsBefore(value);
  std::int64_t rounded;
  asm("fistpll %0" : "=m"(rounded) : "t"(value) : "st");
  RaiseFault(x87::FlagsAfter(rounded));
  return rounded;
}
