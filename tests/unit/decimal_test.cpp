#include "game/decimal.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <tuple>

#include "base/errors.h"
#include "extended.h"
#include "game/x87.h"

using namespace std::string_view_literals;

namespace {

class Separator {
public:
  explicit Separator(char separator) : saved_(LocaleDecimalSeparator) {
    LocaleDecimalSeparator = separator;
  }
  ~Separator() { LocaleDecimalSeparator = saved_; }
  Separator(const Separator&) = delete;
  Separator& operator=(const Separator&) = delete;

private:
  char saved_;
};

constexpr bool Fails = false;
constexpr bool Converts = true;

struct ConversionCase {
  std::string_view text;
  char separator;
  bool converts;
  long double value;
  const char* reason;
};

// Texts at the number of digits whose accumulation still fits the extended range.
const std::string OneAnd4932Zeros = "1" + std::string(4932, '0');
const std::string OneAnd4933Zeros = "1" + std::string(4933, '0');
const std::string BroughtBackToOne = OneAnd4932Zeros + "E-4932";

const ConversionCase ConversionCases[] = {
    {""sv, ',', Fails, 0, "empty text"},
    {"   "sv, ',', Fails, 0, "blanks only"},
    {"+"sv, ',', Fails, 0, "a sign alone"},
    {"-"sv, ',', Fails, 0, "a sign alone"},
    {"- 5"sv, ',', Fails, 0, "no blank may follow the sign"},
    {"\t5"sv, ',', Fails, 0, "a tab is not a blank"},
    {"5\t"sv, ',', Fails, 0, "a tab is not a blank, after the number either"},
    {"   5   "sv, ',', Converts, 5, "blanks around"},
    {"+5"sv, ',', Converts, 5, "plus sign"},
    {"-0"sv, ',', Converts, -0.0L, "negative zero"},
    {","sv, ',', Converts, 0, "the separator alone reads as zero"},
    {"5,"sv, ',', Converts, 5, "no digit after the separator"},
    {",5"sv, ',', Converts, 0x1p-1L, "no digit before the separator"},
    {"-,5"sv, ',', Converts, -0x1p-1L, "sign then separator"},
    {"12,5"sv, ',', Converts, 0x1.9p+3L, "integer digits do not move the exponent"},
    {"3,25"sv, ',', Converts, 0x1.ap+1L, "a typical guess"},
    {"0,1"sv, ',', Converts, 0xCCCCCCCCCCCCCCCDp-67L, "nearest extended to 0.1, rounded up"},
    {"1,2,3"sv, ',', Fails, 0, "a second separator"},
    {"1 000"sv, ',', Fails, 0, "a blank inside the number"},
    {"1.5"sv, ',', Fails, 0, "the other separator is an ordinary character"},
    {"1,000"sv, ',', Converts, 1, "no thousands separator: one and three zeros"},
    {"1E3"sv, ',', Converts, 1000, "exponent"},
    {"1e3"sv, ',', Converts, 1000, "lower-case exponent"},
    {"1E+3"sv, ',', Converts, 1000, "signed exponent"},
    {"325E-2"sv, ',', Converts, 0x1.ap+1L, "negative exponent"},
    {"325E-2"sv, '.', Converts, 0x1.ap+1L, "negative exponent, under the other separator"},
    {"1E"sv, ',', Converts, 1, "an exponent without digits is zero"},
    {"1E-"sv, ',', Converts, 1, "an exponent without digits is zero, even signed"},
    {"E5"sv, ',', Fails, 0, "no digit before the exponent"},
    {",E5"sv, ',', Converts, 0, "the separator counts as a digit"},
    {"1 E5"sv, ',', Fails, 0, "blank before the exponent"},
    {"1E 5"sv, ',', Fails, 0, "blank inside the exponent"},
    {"1E4999"sv, ',', Fails, 0, "beyond the largest extended"},
    {"1E5000"sv, ',', Fails, 0, "the exponent's last digit is left over"},
    {"1E0000000005"sv, ',', Converts, 100000, "leading zeros of the exponent cost nothing"},
    {"1E-4999"sv, ',', Converts, 0, "below the smallest denormal"},
    {"1E-4960"sv, ',', Converts, 0, "underflow passes silently"},
    // The limits, each with the texts on either side of it.
    {"1E499"sv, ',', Converts, 0xC7C265EA160544ACp+1594L, "below the exponent read limit"},
    {"1E500"sv, ',', Converts, 0xF9B2FF649B8695D7p+1597L, "the exponent reaches the read limit"},
    {"1E-5000"sv, ',', Fails, 0, "a digit left over after the read limit, though the value is 0"},
    {"1E0500"sv, ',', Converts, 0xF9B2FF649B8695D7p+1597L, "a leading zero counts for nothing"},
    {"0E5000"sv, ',', Fails, 0, "a digit left over after the read limit, though the value is 0"},
    {"1E-500"sv, ',', Converts, 0x833ADA2003DB9A80p-1724L, "the read limit, negative"},
    {"1E4933"sv, ',', Fails, 0, "just beyond the largest extended"},
    {"1189731495357231765E4914"sv, ',', Converts, 0xFFFFFFFFFFFFFFFEp+16320L,
     "one step below the largest extended"},
    {"1189731495357231766E4914"sv, ',', Fails, 0, "rounds beyond the largest extended"},
    {"3,363E-4932"sv, ',', Converts, 0x8008BDB36713DE44p-16445L, "the smallest normals"},
    {"3,362E-4932"sv, ',', Converts, 0x7FFEFEA72B716AB8p-16445L, "just below: a denormal"},
    {"1,823E-4951"sv, ',', Converts, 0x1p-16445L, "rounds up to the smallest denormal"},
    {"1,822E-4951"sv, ',', Converts, 0, "rounds down to zero"},
    {OneAnd4932Zeros, ',', Converts, 0xD72CB2A95C7EF6CDp+16320L, "4933 digits still fit"},
    {OneAnd4933Zeros, ',', Fails, 0, "4934 digits leave the extended range"},
    {BroughtBackToOne, ',', Converts, 1, "4933 digits, scaled back to exactly 1"},
    {"5\0x"sv, ',', Converts, 5, "NUL ends the text"},
    {"\0"sv, ',', Fails, 0, "NUL at once: empty text"},
    {"18446744073709551615"sv, ',', Converts, 0xFFFFFFFFFFFFFFFFp+0L,
     "2^64 - 1: the largest exact accumulation"},
    {"18446744073709551617"sv, ',', Converts, 0x8000000000000000p+1L,
     "2^64 + 1: a tie, rounded to even"},
    {"18446744073709551619"sv, ',', Converts, 0x8000000000000002p+1L,
     "2^64 + 3: a tie, rounded to even, upwards"},
    {"18446744073709546620E1"sv, ',', Converts, 0x9FFFFFFFFFFFF3CEp+4L,
     "a product with a tie, rounded to even, upwards"},
    {"18446744073709546628E1"sv, ',', Converts, 0x9FFFFFFFFFFFF3D2p+4L,
     "a product with a tie, rounded to even, downwards"},
    {"1E-25"sv, ',', Converts, 0xF79687AED3EEC551p-147L,
     "one division by an exact power of ten, beyond 10^19"},
    {"1E4932"sv, ',', Converts, 0xD72CB2A95C7EF6CDp+16320L,
     "close to the largest extended: 10^4 x 10^320 x 10^4608, each product rounded"},
    {"1,5"sv, '.', Fails, 0, "under '.', the comma is an ordinary character"},
    {"1.5"sv, '.', Converts, 0x1.8p+0L, "under '.'"},
    {"3"sv, '.', Converts, 3, "no separator: either locale"},
    {"3"sv, ',', Converts, 3, "no separator: either locale"},
};

TEST(DecimalTextToReal, EdgeCases) {
  for (const ConversionCase& c : ConversionCases) {
    SCOPED_TRACE(std::string(c.reason) + ": '" + std::string(c.text.substr(0, 32)) + "' with '" +
                 c.separator + "'");
    const Separator separator(c.separator);
    if (c.converts) {
      long double value = -1;
      EXPECT_NO_THROW(value = DecimalTextToReal(c.text));
      EXPECT_PRED2(SameExtended, value, c.value) << Hex(value) << " != " << Hex(c.value);
    } else {
      EXPECT_THROW(DecimalTextToReal(c.text), EConvertError);
    }
  }
}

TEST(DecimalTextToReal, HugeExponentsStayInRange) {
  const Separator separator(',');
  EXPECT_TRUE(std::isfinite(DecimalTextToReal("1E499")));
  EXPECT_TRUE(std::isfinite(DecimalTextToReal("-1E4932")));
}

// Digits whose accumulation leaves the extended range fail even when the exponent
// would bring the value back into range.
TEST(DecimalTextToReal, AccumulationBeyondTheRangeFails) {
  const Separator separator(',');
  const std::string digits = "1" + std::string(4940, '0');
  EXPECT_THROW(DecimalTextToReal(digits + "E-4940"), EConvertError);
  EXPECT_THROW(DecimalTextToReal("," + digits), EConvertError);
  EXPECT_NO_THROW(DecimalTextToReal(std::string(4900, '9') + "E-499"));
}

TEST(DecimalTextToReal, MessageQuotesTheWholeText) {
  const Separator separator(',');
  const char* const texts[] = {"abc", " 1,2,3 ", ""};
  for (const char* text : texts) {
    SCOPED_TRACE(text);
    try {
      DecimalTextToReal(text);
      ADD_FAILURE() << "converted";
    } catch (const EConvertError& error) {
      EXPECT_EQ(error.Message(),
                "'" + std::string(text) + "' n'est pas une valeur en virgule flottante correcte");
    }
  }
}

// The user's separator changes from one conversion to the next.
TEST(DecimalTextToReal, FollowsALocaleChange) {
  Separator comma(',');
  EXPECT_EQ(DecimalTextToReal("1,5"), 1.5L);
  LocaleDecimalSeparator = '.';
  EXPECT_THROW(DecimalTextToReal("1,5"), EConvertError);
  EXPECT_EQ(DecimalTextToReal("1.5"), 1.5L);
}

// Sets a control word and restores the one before, leaving no flags pending.
class ControlWordScope {
public:
  explicit ControlWordScope(std::uint16_t control) : saved_(x87::ControlWord()) {
    x87::LoadControlWord(control);
  }
  ~ControlWordScope() {
    x87::LoadControlWord(saved_);
    x87::ClearFlags();
  }
  ControlWordScope(const ControlWordScope&) = delete;
  ControlWordScope& operator=(const ControlWordScope&) = delete;

private:
  std::uint16_t saved_;
};

// whole × 10^exponent as the x87 unit computes it with a 64-bit significand and
// rounding to nearest: the value converted, the scaling by the power-of-ten tables.
long double ScaledReference(std::uint64_t whole, std::int64_t exponent) {
  const ControlWordScope scope(x87::MaskedControlWord);
  const volatile long double scaled = ScaleByPowerOfTen(static_cast<long double>(whole), exponent);
  return scaled;
}

// Numbers of up to 19 digits scaled by up to 10^27 are computed with integers, numbers
// with more digits or larger exponents on the x87 unit, which is the reference: both
// must agree to the last bit.
TEST(DecimalTextToReal, IntegerAndX87ComputationsAgree) {
  const Separator separator(',');
  std::mt19937_64 generator(1000);
  for (int i = 0; i < 50000; ++i) {
    const int bits = 1 + static_cast<int>(generator() % 64);
    const std::uint64_t whole = generator() >> (64 - bits);
    const std::int64_t exponent = static_cast<std::int64_t>(generator() % 61) - 30;
    const std::string text = std::to_string(whole) + "E" + std::to_string(exponent);
    SCOPED_TRACE(text);
    const long double value = DecimalTextToReal(text);
    const long double expected = ScaledReference(whole, exponent);
    ASSERT_PRED2(SameExtended, value, expected) << Hex(value) << " != " << Hex(expected);
  }
}

// Whatever precision and rounding the caller has set, the conversion computes with a
// 64-bit significand and rounds to nearest, then hands the caller's control word
// and fault flags back, on success and on failure.
TEST(DecimalTextToReal, KeepsTheCallersEnvironment) {
  const Separator separator(',');
  const std::uint16_t callerControls[] = {
      0x027F,  // 53-bit significand
      0x0F7F,  // round toward zero, 64-bit significand
      0x137F,  // the masked control word; bit 6 is reserved and reads as 1
  };
  for (const std::uint16_t control : callerControls) {
    SCOPED_TRACE(control);
    const ControlWordScope scope(control);
    x87::ClearFlags();
    EXPECT_PRED2(SameExtended, DecimalTextToReal("0,1"), 0xCCCCCCCCCCCCCCCDp-67L);
    EXPECT_PRED2(SameExtended, DecimalTextToReal("1E-25"), 0xF79687AED3EEC551p-147L);
    EXPECT_PRED2(SameExtended, DecimalTextToReal("1,5E300"), ScaledReference(15, 299));
    EXPECT_EQ(x87::ControlWord(), control);
    EXPECT_EQ(x87::Flags(), 0);
    EXPECT_THROW(DecimalTextToReal("1E4999"), EConvertError);
    EXPECT_EQ(x87::ControlWord(), control);
    EXPECT_EQ(x87::Flags(), 0);

    volatile long double third = 1.0L;
    third = third / 3.0L;  // leaves the inexact flag pending
    const std::uint16_t pending = x87::Flags();
    ASSERT_NE(pending & x87::Inexact, 0);
    EXPECT_THROW(DecimalTextToReal("1E4999"), EConvertError);
    EXPECT_EQ(x87::Flags(), pending) << "pending flags are kept, the overflow is not added";
    EXPECT_EQ(x87::ControlWord(), control);
  }
}

// Each table entry is the extended value nearest to its power of ten; the C library's
// conversion rounds correctly and serves as the reference.
TEST(ScaleByPowerOfTen, TablesHoldTheNearestExtendedValues) {
  for (int power = 0; power < 4933; power += (power < 32 ? 1 : power < 512 ? 32 : 512)) {
    SCOPED_TRACE(power);
    const std::string text = "1e" + std::to_string(power);
    const long double expected = std::strtold(text.c_str(), nullptr);
    const long double scaled = ScaleByPowerOfTen(1.0L, power);
    EXPECT_PRED2(SameExtended, scaled, expected) << Hex(scaled) << " != " << Hex(expected);
  }
}

TEST(ScaleByPowerOfTen, BoundaryExponents) {
  EXPECT_EQ(ScaleByPowerOfTen(7.0L, 0), 7.0L);
  EXPECT_EQ(ScaleByPowerOfTen(1.0L, -5120), 0.0L);
  EXPECT_GT(ScaleByPowerOfTen(1.0L, -4950), 0.0L) << "a denormal, not zero";
}

// A decimal number with at most 19 significant digits and at most 27 digits after the
// separator converts to the correctly rounded extended value: one exact accumulation
// and one division by an exact power of ten. Random such texts are checked against the
// C library's correctly rounded conversion.
TEST(DecimalTextToReal, ShortNumbersAreCorrectlyRounded) {
  const Separator separator(',');
  std::mt19937_64 generator(20261208);
  for (int i = 0; i < 20000; ++i) {
    const int digitCount = 1 + static_cast<int>(generator() % 19);
    std::string digits;
    for (int d = 0; d < digitCount; ++d) digits += static_cast<char>('0' + generator() % 10);
    const int point = static_cast<int>(generator() % static_cast<unsigned>(digitCount + 1));
    const int exponent = static_cast<int>(generator() % 55) - 27;
    std::string ours = digits.substr(0, static_cast<std::size_t>(point)) + "," +
                       digits.substr(static_cast<std::size_t>(point));
    const int fractionDigits = digitCount - point;
    if (fractionDigits - exponent > 27 || fractionDigits - exponent < -27) continue;
    ours += "E" + std::to_string(exponent);
    std::string reference = ours;
    reference[static_cast<std::size_t>(point)] = '.';
    SCOPED_TRACE(ours);
    const long double value = DecimalTextToReal(ours);
    const long double expected = std::strtold(reference.c_str(), nullptr);
    ASSERT_PRED2(SameExtended, value, expected) << Hex(value) << " != " << Hex(expected);
  }
}

// Any byte string converts or is refused with EConvertError; nothing reads past the
// text (each text sits alone in a heap block of its exact size, which the address
// sanitizer guards).
void ConvertsOrRefuses(std::string_view bytes) {
  const std::unique_ptr<char[]> copy(new char[bytes.size() + 1]);
  std::memcpy(copy.get(), bytes.data(), bytes.size());
  const std::string_view text(copy.get(), bytes.size());
  try {
    const long double value = DecimalTextToReal(text);
    EXPECT_FALSE(std::isnan(value));
    EXPECT_FALSE(std::isinf(value));
  } catch (const EConvertError&) {
  }
  EXPECT_EQ(x87::Flags() & (x87::InvalidOperation | x87::Overflow), 0);
}

TEST(DecimalTextToReal, AnyBytesConvertOrAreRefused) {
  const Separator separator(',');
  const std::string large[] = {
      std::string(100000, '7'),
      std::string(100000, '0'),
      "," + std::string(100000, '3'),
      "1E" + std::string(100000, '9'),
      "1E-" + std::string(100000, '0') + "5",
      std::string(100000, ' '),
      std::string(100000, '\xE9'),
      "5" + std::string(1, '\0') + std::string(99998, 'x'),
  };
  for (const std::string& text : large) {
    SCOPED_TRACE(text.substr(0, 8));
    ConvertsOrRefuses(text);
  }
  EXPECT_THROW(DecimalTextToReal(std::string(100000, '7')), EConvertError);
  EXPECT_EQ(DecimalTextToReal(std::string(100000, '0')), 0.0L);

  std::mt19937 generator(4321);
  const char alphabet[] = "0123456789,.+-eE \t\x80\xA0\xE9\xFF";
  for (int i = 0; i < 20000; ++i) {
    std::string text(generator() % 24, ' ');
    for (char& c : text) {
      c = generator() % 4 == 0 ? static_cast<char>(generator() % 256)
                               : alphabet[generator() % (sizeof alphabet - 1)];
    }
    SCOPED_TRACE(text);
    ConvertsOrRefuses(text);
  }
}

TEST(IntegerToDecimalText, WritesDigitsAndSign) {
  // Number, text, and why.
  const std::tuple<std::int32_t, const char*, const char*> cases[] = {
      {0, "0", "zero has one digit"},
      {13, "13", "no padding"},
      {-5, "-5", "negative"},
      {2147483647, "2147483647", "largest"},
      {-2147483647 - 1, "-2147483648", "smallest, written in full"},
  };
  for (const auto& [n, text, reason] : cases) {
    SCOPED_TRACE(reason);
    EXPECT_EQ(IntegerToDecimalText(n), text);
  }
}

}  // namespace
