#include "game/floating.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cstdint>
#include <limits>
#include <tuple>

#include "base/errors.h"
#include "extended.h"
#include "game/decimal.h"
#include "game/x87.h"

namespace {

class FloatingPoint : public ::testing::Test {
protected:
  void SetUp() override {
    InitFloatingPointUnit();
    saved_ = LocaleDecimalSeparator;
    LocaleDecimalSeparator = ',';
  }
  void TearDown() override { LocaleDecimalSeparator = saved_; }

private:
  char saved_ = '.';
};

// A guess's way to whole thousandths: text, extended, double, times 1000, rounded to
// nearest even. With more than three decimals the binary value held decides.
TEST_F(FloatingPoint, GuessChainToThousandths) {
  // Text, thousandths, and why.
  const std::tuple<const char*, std::int64_t, const char*> cases[] = {
      {"3,257", 3257, "slightly above 3.257"},
      {"0,0625", 62, "exactly 62.5: the tie goes to even, down"},
      {"0,1875", 188, "exactly 187.5: the tie goes to even, up"},
      {"2,0005", 2001, "slightly above 2000.5"},
      {"1,0005", 1000, "slightly below 1000.5"},
      {"0,0005", 1, "slightly above 0.5"},
      {"9,9995", 9999, "slightly below 9999.5"},
      {"9,9996", 10000, "about 9999.6"},
      {"4,3214", 4321, "a fourth decimal below the half"},
      {"4,3216", 4322, "a fourth decimal above the half"},
      {"10", 10000, "the largest guess"},
      {"0,001", 1, "three decimals are always exact"},
      {"1E-400", 0, "below the double range: zero"},
  };
  for (const auto& [text, thousandths, reason] : cases) {
    SCOPED_TRACE(std::string(reason) + ": " + text);
    const double guess = NarrowToDouble(DecimalTextToReal(text));
    EXPECT_EQ(RoundToInteger(CheckedMultiply(guess, 1000.0L)), thousandths);
  }
}

// Every guess with at most three decimals comes out exact.
TEST_F(FloatingPoint, ThreeDecimalsAreAlwaysExact) {
  for (std::int32_t n = 0; n <= 10000; ++n) {
    const std::string text =
        std::to_string(n / 1000) + "," + std::to_string(1000 + n % 1000).substr(1);
    SCOPED_TRACE(text);
    const double guess = NarrowToDouble(DecimalTextToReal(text));
    ASSERT_EQ(RoundToInteger(CheckedMultiply(guess, 1000.0L)), n);
  }
}

TEST_F(FloatingPoint, RoundToIntegerGoesToNearestEven) {
  // Value, rounded, and why.
  const std::tuple<long double, std::int64_t, const char*> cases[] = {
      {62.5L, 62, "tie to even, down"},
      {187.5L, 188, "tie to even, up"},
      {0.5L, 0, "tie to zero"},
      {1.5L, 2, "tie to two"},
      {-0.0L, 0, "negative zero"},
      {-2.5L, -2, "negative tie to even"},
      {0x1.0000000000000002p-1L, 1, "just above the half"},
      {0xFFFFFFFFFFFFFFFEp-1L, std::numeric_limits<std::int64_t>::max(), "largest"},
      {-0x1p63L, std::numeric_limits<std::int64_t>::min(), "smallest"},
  };
  for (const auto& [value, rounded, reason] : cases) {
    SCOPED_TRACE(reason);
    EXPECT_EQ(RoundToInteger(value), rounded);
  }
}

TEST_F(FloatingPoint, RoundToIntegerOutsideTheRangeIsInvalid) {
  const long double invalid[] = {
      0x1p63L,
      -0x1.0000000000000002p63L,
      std::numeric_limits<long double>::infinity(),
      -std::numeric_limits<long double>::infinity(),
      std::numeric_limits<long double>::quiet_NaN(),
  };
  for (const long double value : invalid) {
    SCOPED_TRACE(Hex(value));
    EXPECT_THROW(RoundToInteger(value), EInvalidOp);
    EXPECT_EQ(x87::Flags() & x87::InvalidOperation, 0) << "the fault is not left pending";
  }
}

TEST_F(FloatingPoint, NarrowToDoubleOverflowsBeyondTheDoubleRange) {
  // Value, whether it overflows, the double otherwise, and why.
  const std::tuple<long double, bool, double, const char*> cases[] = {
      {0x1.fffffffffffff7fep+1023L, false, DBL_MAX, "rounds down to the largest double"},
      {0x1.fffffffffffff8p+1023L, true, 0, "a tie that rounds up past the largest double"},
      {-0x1p1024L, true, 0, "negative, beyond the range"},
      {0x1p-1080L, false, 0.0, "below the denormals: zero"},
      {0x1p-1070L, false, 0x1p-1070, "a denormal"},
      {0x1.00000000000008p+0L, false, 1.0, "tie to even"},
  };
  for (const auto& [value, overflows, narrowed, reason] : cases) {
    SCOPED_TRACE(reason);
    if (overflows) {
      EXPECT_THROW(NarrowToDouble(value), EOverflow);
    } else {
      EXPECT_EQ(NarrowToDouble(value), narrowed);
    }
  }
}

// 1E400 converts, and only storing it as the guess overflows.
TEST_F(FloatingPoint, HugeGuessOverflowsWhenNarrowed) {
  const long double huge = DecimalTextToReal("1E400");
  EXPECT_THROW(NarrowToDouble(huge), EOverflow);
  EXPECT_THROW(NarrowToDouble(DecimalTextToReal("-1E400")), EOverflow);
  EXPECT_EQ(x87::Flags() & x87::Overflow, 0) << "the fault is not left pending";
  EXPECT_EQ(NarrowToDouble(2.5L), 2.5);
}

TEST_F(FloatingPoint, CheckedMultiplyFaults) {
  EXPECT_THROW(CheckedMultiply(LDBL_MAX, 2.0L), EOverflow);
  EXPECT_THROW(CheckedMultiply(0.0L, std::numeric_limits<long double>::infinity()), EInvalidOp);
  EXPECT_EQ(CheckedMultiply(0x1p-16000L, 0x1p-1000L), 0.0L) << "underflow passes";
  EXPECT_EQ(CheckedMultiply(3.25, 1000.0L), 3250.0L);
}

TEST_F(FloatingPoint, InitLoadsTheMaskedControlWord) {
  x87::LoadControlWord(0x027F);
  InitFloatingPointUnit();
  // Bit 6 is reserved: processors read it as 1, emulators as they find it.
  EXPECT_EQ(x87::ControlWord() & ~0x40, 0x133F);
  EXPECT_EQ(x87::Flags(), 0);
}

}  // namespace
