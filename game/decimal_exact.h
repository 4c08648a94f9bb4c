#pragma once
// The common case of the decimal conversion with integers only: a number of at most
// 19 significant digits scaled by a power of ten that the extended format holds
// exactly. The x87 computation rounds that once, to nearest even; so does this, so
// both give the same value, and this one touches neither the control word nor the
// fault flags.
#include <cstdint>

// (negative ? -1 : 1) × whole × 10^exponent rounded to the extended format, when the
// exponent is from -19 to 27; false otherwise, and where the compiler has no 128-bit
// integers (the 32-bit build), leaving the x87 computation to the caller.
bool ExactlyRoundedDecimal(std::uint64_t whole, std::int64_t exponent, bool negative,
                           long double& value) noexcept;
