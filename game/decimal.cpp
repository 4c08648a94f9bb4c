#include "game/decimal.h"

#include "base/errors.h"
#include "base/format.h"
#include "base/platform.h"
#include "game/power_tables.h"
#include "game/x87.h"
#include "res/strings.h"

char LocaleDecimalSeparator = '.';

void ReadLocaleFormatSettings() { LocaleDecimalSeparator = PlatformDecimalSeparator(); }

namespace {

unsigned DigitValue(char c) { return static_cast<unsigned>(c - '0'); }

// Largest exponent part read: digits stop being read once it reaches this, so that a
// further digit is left over and refuses the text.
constexpr int ExponentReadLimit = 500;

// A scaling this large, only reachable downwards, is below every denormal.
constexpr std::uint64_t ScaleToZero = 5120;

// The faults that refuse a text, and the control word's precision, rounding and masks.
constexpr std::uint16_t Faults = x87::InvalidOperation | x87::Overflow;
constexpr std::uint16_t ComputingBits = 0x0F00 | x87::AllFaults;

// A number as written: its digits before and after the separator, the decimal
// exponent of its last digit, and its sign.
struct DecimalNumber {
  std::string_view integerDigits;
  std::string_view fractionDigits;
  std::int64_t exponent = 0;
  bool negative = false;
};

// Reads the text; false when it is not a number. A NUL character is none of the
// characters that the steps look for, so it stops every one of them, and it ends
// the text.
bool Parse(std::string_view text, char separator, DecimalNumber& number) {
  const std::size_t end = text.size();
  std::size_t i = 0;
  auto skipBlanks = [&] {
    while (i < end && text[i] == ' ') ++i;
  };
  auto digitsFrom = [&](std::size_t start) {
    while (i < end && IsDigit(text[i])) ++i;
    return text.substr(start, i - start);
  };

  skipBlanks();
  if (i < end && (text[i] == '+' || text[i] == '-')) {
    number.negative = text[i] == '-';
    ++i;
  }

  const std::size_t numberStart = i;
  number.integerDigits = digitsFrom(i);
  if (i < end && text[i] == separator && separator != '\0') {
    ++i;
    number.fractionDigits = digitsFrom(i);
    number.exponent = -static_cast<std::int64_t>(number.fractionDigits.size());
  }
  if (i == numberStart) return false;

  if (i < end && (text[i] == 'E' || text[i] == 'e')) {
    ++i;
    bool negativeExponent = false;
    if (i < end && (text[i] == '+' || text[i] == '-')) {
      negativeExponent = text[i] == '-';
      ++i;
    }
    int exponent = 0;
    while (i < end && IsDigit(text[i]) && exponent < ExponentReadLimit) {
      exponent = exponent * 10 + static_cast<int>(DigitValue(text[i++]));
    }
    number.exponent += negativeExponent ? -exponent : exponent;
  }

  skipBlanks();
  return i == end || text[i] == '\0';
}

// value := value × 10 + digit over all the digits, each step rounded to the extended
// format. The steps are exact while the value stays below 2^64, so up to there the
// digits are gathered in a 64-bit integer, which holds the same value and costs less
// than the floating-point steps; the extended format takes over at the first digit
// that would leave that range.
long double AccumulateDigits(const DecimalNumber& number) {
  constexpr std::uint64_t Largest = ~std::uint64_t{0};
  std::uint64_t whole = 0;
  long double value = 0;
  bool beyondWhole = false;
  for (const std::string_view digits : {number.integerDigits, number.fractionDigits}) {
    for (const char c : digits) {
      const unsigned digit = DigitValue(c);
      if (!beyondWhole) {
        if (whole <= (Largest - digit) / 10) {
          whole = whole * 10 + digit;
          continue;
        }
        value = static_cast<long double>(whole);
        beyondWhole = true;
      }
      value = value * 10 + static_cast<long double>(digit);
    }
  }
  return beyondWhole ? value : static_cast<long double>(whole);
}

// Gives the caller its control word and fault flags back; the full environment is
// stored and reloaded only when flags must be both removed and kept.
void RestoreCaller(std::uint16_t control, bool controlChanged, std::uint16_t callerFlags,
                   std::uint16_t flags) {
  if (flags != callerFlags) {
    if (callerFlags != 0) {
      x87::RestoreEnvironment(control, callerFlags);
      return;
    }
    x87::ClearFlags();
  }
  if (controlChanged) x87::LoadControlWord(control);
}

// The conversion on the x87 unit: accumulation, scaling by the power-of-ten tables,
// sign; refused when the invalid-operation or the overflow flag went up on the way.
bool ComputeWithX87(const DecimalNumber& number, long double& value) {
  // A 64-bit significand, rounding to nearest and every fault masked, whatever the
  // caller's control word; it is loaded only when the caller's differs in those
  // respects, which in the program it never does.
  const std::uint16_t callerControl = x87::ControlWord();
  const std::uint16_t callerFlags = x87::Flags();
  const bool controlChanged =
      (callerControl & ComputingBits) != (x87::MaskedControlWord & ComputingBits);
  if (controlChanged) x87::LoadControlWord(x87::MaskedControlWord);
  // A fault already pending would pass for one of the conversion's.
  if (callerFlags & Faults) x87::ClearFlags();

  long double accumulated = AccumulateDigits(number);
  long double result = ScaleByPowerOfTen(accumulated, number.exponent);
  if (number.negative) result = -result;
  // Digits beyond the extended range fail even when the exponent would bring the
  // value back: the overflow flag of the accumulation stays raised.
  const std::uint16_t flags = x87::FlagsAfter(accumulated, result);

  RestoreCaller(callerControl, controlChanged, callerFlags, flags);
  if (flags & Faults) return false;
  value = result;
  return true;
}

std::string ConvertErrorMessage(std::string_view text) {
  return FormatText(LoadText(IDS_BAD_FLOAT), {text});
}

}  // namespace

long double ScaleByPowerOfTen(long double x, std::int64_t exponent) noexcept {
  if (exponent == 0) return x;
  const std::uint64_t magnitude = exponent < 0 ? 0 - static_cast<std::uint64_t>(exponent)
                                               : static_cast<std::uint64_t>(exponent);
  if (magnitude >= ScaleToZero) return 0.0L;
  const long double units = PowersOfTenUnits[magnitude % 32];
  const std::uint64_t thirtyTwos = (magnitude / 32) % 16;
  const std::uint64_t fiveTwelves = magnitude / 512;
  if (exponent > 0) {
    x *= units;
    if (thirtyTwos != 0) x *= PowersOfTenThirtyTwos[thirtyTwos - 1];
    if (fiveTwelves != 0) x *= PowersOfTenFiveTwelves[fiveTwelves - 1];
  } else {
    x /= units;
    if (thirtyTwos != 0) x /= PowersOfTenThirtyTwos[thirtyTwos - 1];
    if (fiveTwelves != 0) x /= PowersOfTenFiveTwelves[fiveTwelves - 1];
  }
  return x;
}

bool TryDecimalTextToReal(std::string_view text, char separator, long double& value) noexcept {
  DecimalNumber number;
  if (!Parse(text, separator, number)) return false;
  return ComputeWithX87(number, value);
}

long double DecimalTextToReal(std::string_view text) {
  long double value;
  if (!TryDecimalTextToReal(text, LocaleDecimalSeparator, value)) {
    throw EConvertError(ConvertErrorMessage(text));
  }
  return value;
}

std::string IntegerToDecimalText(std::int32_t n) { return FormatText("%d", {n}); }
