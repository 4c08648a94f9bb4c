#pragma once
// The floating-point environment of the game's arithmetic. The program behaves as if
// invalid operations, divisions by zero and overflows raised errors at the faulting
// operation (EInvalidOp, EZeroDivide, EOverflow) while underflows and inexact results
// pass silently; the operations that can fault in the rules check for it themselves.
#include <cstdint>

// Empties the register stack, clears the fault flags and loads the control word:
// 64-bit significand, round to nearest even, every fault masked.
void InitFloatingPointUnit();

// Rounds to a double real; a magnitude beyond its range raises EOverflow, one below
// it becomes a denormal or zero.
double NarrowToDouble(long double value);

// a × b in extended; EOverflow beyond the range, EInvalidOp for 0 × infinity.
long double CheckedMultiply(long double a, long double b);

// The nearest integer under the rounding in force (to nearest, halves to even);
// EInvalidOp outside the signed 64-bit range, for infinities and NaNs.
std::int64_t RoundToInteger(long double value);
