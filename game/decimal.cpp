#include "game/decimal.h"

#include <limits>

#include "game/errors.h"
#include "game/platform.h"
#include "game/power_tables.h"
#include "game/x87.h"

char LocaleDecimalSeparator = '.';

void ReadLocaleFormatSettings() { LocaleDecimalSeparator = PlatformDecimalSeparator(); }

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

unsigned DigitValue(char c) { return static_cast<unsigned>(c - '0'); }

// Digit accumulation, value := value × 10 + digit with every step rounded to the
// extended format. While the value stays below 2^64 every step is exact, so it is
// kept in an integer, which is faster and gives the same result; past that it goes
// on in extended, one rounding per step.
class Accumulator {
public:
  void Add(unsigned digit) {
    if (!extendedInUse_) {
      if (whole_ <= (std::numeric_limits<std::uint64_t>::max() - digit) / 10) {
        whole_ = whole_ * 10 + digit;
        return;
      }
      extended_ = static_cast<long double>(whole_);
      extendedInUse_ = true;
    }
    extended_ = extended_ * 10 + static_cast<long double>(digit);
  }

  long double Value() const {
    return extendedInUse_ ? extended_ : static_cast<long double>(whole_);
  }

private:
  std::uint64_t whole_ = 0;
  long double extended_ = 0;
  bool extendedInUse_ = false;
};

// Largest exponent part read: digits stop being read once it reaches this, so that a
// further digit is left over and refuses the text.
constexpr int ExponentReadLimit = 500;

// A scaling this large, only reachable downwards, is below every denormal.
constexpr std::uint64_t ScaleToZero = 5120;

// The text as parsed: true when it is a number, with its digits, decimal exponent and
// sign. Touches no floating point except through the accumulator.
struct Parsed {
  Accumulator digits;
  std::int64_t exponent = 0;
  bool negative = false;
};

bool Parse(std::string_view text, char separator, Parsed& parsed) {
  const std::size_t end = text.size();
  std::size_t i = 0;
  auto skipBlanks = [&] {
    while (i < end && text[i] == ' ') ++i;
  };

  skipBlanks();
  if (i < end && (text[i] == '+' || text[i] == '-')) {
    parsed.negative = text[i] == '-';
    ++i;
  }

  const std::size_t numberStart = i;
  while (i < end && IsDigit(text[i])) parsed.digits.Add(DigitValue(text[i++]));
  if (i < end && text[i] == separator) {
    ++i;
    const std::size_t fractionStart = i;
    while (i < end && IsDigit(text[i])) parsed.digits.Add(DigitValue(text[i++]));
    parsed.exponent = -static_cast<std::int64_t>(i - fractionStart);
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
    parsed.exponent += negativeExponent ? -exponent : exponent;
  }

  skipBlanks();
  return i == end;
}

std::string ConvertErrorMessage(std::string_view text) {
  std::string message;
  message.reserve(text.size() + 60);
  message += '\'';
  message += text;
  message += "' n'est pas une valeur en virgule flottante correcte";
  return message;
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
  const std::size_t nul = text.find('\0');
  if (nul != std::string_view::npos) text = text.substr(0, nul);

  // Computes with a 64-bit significand and round-to-nearest whatever the caller's
  // control word, and hands the caller's environment back untouched.
  const std::uint16_t callerControl = x87::ControlWord();
  const std::uint16_t callerFlags = x87::Flags();
  x87::LoadControlWord(x87::MaskedControlWord);

  Parsed parsed;
  x87::ClearFlagsBefore(parsed);
  bool accepted = Parse(text, separator, parsed);
  long double accumulated = parsed.digits.Value();
  long double result = ScaleByPowerOfTen(accumulated, parsed.exponent);
  if (parsed.negative) result = -result;
  // Digits beyond the extended range fail even when the exponent would bring the
  // value back: the overflow flag of the accumulation stays raised.
  x87::FlagsAfter(accumulated);
  if (x87::FlagsAfter(result) & (x87::InvalidOperation | x87::Overflow)) accepted = false;

  x87::RestoreEnvironment(callerControl, callerFlags);
  if (accepted) value = result;
  return accepted;
}

long double DecimalTextToReal(std::string_view text) {
  long double value;
  if (!TryDecimalTextToReal(text, LocaleDecimalSeparator, value)) {
    throw EConvertError(ConvertErrorMessage(text));
  }
  return value;
}

std::string IntegerToDecimalText(std::int32_t n) {
  std::uint32_t magnitude =
      n < 0 ? 0u - static_cast<std::uint32_t>(n) : static_cast<std::uint32_t>(n);
  char digits[11];
  char* const end = digits + sizeof digits;
  char* first = end;
  do {
    *--first = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (n < 0) *--first = '-';
  return std::string(first, end);
}
