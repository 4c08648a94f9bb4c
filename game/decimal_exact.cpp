#include "game/decimal_exact.h"

#include <cstring>

#if defined(__SIZEOF_INT128__)

namespace {

using Wide = unsigned __int128;

// 5^0 to 5^27: 10^e = 5^e × 2^e, and 5^27 < 2^63.
constexpr std::uint64_t PowersOfFive[28] = {
    1u,
    5u,
    25u,
    125u,
    625u,
    3125u,
    15625u,
    78125u,
    390625u,
    1953125u,
    9765625u,
    48828125u,
    244140625u,
    1220703125u,
    6103515625u,
    30517578125u,
    152587890625u,
    762939453125u,
    3814697265625u,
    19073486328125u,
    95367431640625u,
    476837158203125u,
    2384185791015625u,
    11920928955078125u,
    59604644775390625u,
    298023223876953125u,
    1490116119384765625u,
    7450580596923828125u,
};

// 10^0 to 10^19, the powers of ten below 2^64.
constexpr std::uint64_t PowersOfTen[20] = {
    1u,
    10u,
    100u,
    1000u,
    10000u,
    100000u,
    1000000u,
    10000000u,
    100000000u,
    1000000000u,
    10000000000u,
    100000000000u,
    1000000000000u,
    10000000000000u,
    100000000000000u,
    1000000000000000u,
    10000000000000000u,
    100000000000000000u,
    1000000000000000000u,
    10000000000000000000u,
};

constexpr std::int64_t LargestExponent = 27;
constexpr std::int64_t SmallestExponent = -19;
constexpr int SignificandBits = 64;
constexpr int ExponentBias = 16383;

int BitLength(std::uint64_t x) { return SignificandBits - __builtin_clzll(x); }

int BitLength(Wide x) {
  const auto high = static_cast<std::uint64_t>(x >> 64);
  return high != 0 ? SignificandBits + BitLength(high) : BitLength(static_cast<std::uint64_t>(x));
}

// significand × 2^exponent, the significand's top bit set, as an 80-bit extended real.
long double Compose(std::uint64_t significand, int exponent, bool negative) {
  const auto signAndExponent = static_cast<std::uint16_t>(
      (negative ? 0x8000 : 0) | (exponent + SignificandBits - 1 + ExponentBias));
  long double value = 0;
  unsigned char bytes[sizeof value] = {};
  std::memcpy(bytes, &significand, sizeof significand);
  std::memcpy(bytes + sizeof significand, &signAndExponent, sizeof signAndExponent);
  std::memcpy(&value, bytes, sizeof value);
  return value;
}

// Rounds significand + fraction (0 <= fraction < 1) to nearest, ties to even, where
// aboveHalf and exactlyHalf describe the fraction; a carry out of the top bit moves
// to the next power of two.
long double RoundAndCompose(std::uint64_t significand, int exponent, bool aboveHalf,
                            bool exactlyHalf, bool negative) {
  if (aboveHalf || (exactlyHalf && (significand & 1) != 0)) {
    ++significand;
    if (significand == 0) {
      significand = std::uint64_t{1} << (SignificandBits - 1);
      ++exponent;
    }
  }
  return Compose(significand, exponent, negative);
}

// whole × 5^e × 2^e: the product has at most 127 bits; its top 64 are kept.
long double Multiply(std::uint64_t whole, int exponent, bool negative) {
  const Wide product = Wide{whole} * PowersOfFive[exponent];
  const int length = BitLength(product);
  if (length <= SignificandBits) {
    const int shift = SignificandBits - length;
    return Compose(static_cast<std::uint64_t>(product) << shift, exponent - shift, negative);
  }
  const int dropped = length - SignificandBits;
  const Wide half = Wide{1} << (dropped - 1);
  const Wide rest = product & ((Wide{1} << dropped) - 1);
  return RoundAndCompose(static_cast<std::uint64_t>(product >> dropped), exponent + dropped,
                         rest > half, rest == half, negative);
}

// whole / 10^k: the dividend is shifted so that the quotient has 64 or 65 bits; the
// remainder decides the rounding.
long double Divide(std::uint64_t whole, int k, bool negative) {
  const std::uint64_t divisor = PowersOfTen[k];
  const int shift = BitLength(divisor) + SignificandBits - BitLength(whole);
  const Wide dividend = Wide{whole} << shift;
  const Wide quotient = dividend / divisor;
  const auto remainder = static_cast<std::uint64_t>(dividend - quotient * divisor);
  if ((quotient >> SignificandBits) != 0) {
    const bool roundBit = (quotient & 1) != 0;
    return RoundAndCompose(static_cast<std::uint64_t>(quotient >> 1), 1 - shift,
                           roundBit && remainder != 0, roundBit && remainder == 0, negative);
  }
  const std::uint64_t toNext = divisor - remainder;
  return RoundAndCompose(static_cast<std::uint64_t>(quotient), -shift, remainder > toNext,
                         remainder == toNext, negative);
}

}  // namespace

bool ExactlyRoundedDecimal(std::uint64_t whole, std::int64_t exponent, bool negative,
                           long double& value) noexcept {
  if (exponent < SmallestExponent || exponent > LargestExponent) return false;
  if (whole == 0) {
    value = negative ? -0.0L : 0.0L;
  } else if (exponent >= 0) {
    value = Multiply(whole, static_cast<int>(exponent), negative);
  } else {
    value = Divide(whole, static_cast<int>(-exponent), negative);
  }
  return true;
}

#else

bool ExactlyRoundedDecimal(std::uint64_t, std::int64_t, bool, long double&) noexcept {
  return false;
}

#endif
