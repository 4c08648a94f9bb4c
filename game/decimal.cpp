#include "game/decimal.h"

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
  // 2^64 - 1 = 1844674407370955161 × 10 + 5.
  static constexpr std::uint64_t LargestExactBeforeDigit = 1844674407370955161u;
  static constexpr unsigned LargestExactLastDigit = 5;

public:
  void Add(unsigned digit) {
    if (!extendedInUse_) {
      if (whole_ < LargestExactBeforeDigit ||
          (whole_ == LargestExactBeforeDigit && digit <= LargestExactLastDigit)) {
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

// A NUL character is none of the characters that the steps look for, so it stops
// every one of them, and it ends the text.
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
  if (i < end && text[i] == separator && separator != '\0') {
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
  return i == end || text[i] == '\0';
}

// The faults that refuse a text, and the control word's precision, rounding and masks.
constexpr std::uint16_t Faults = x87::InvalidOperation | x87::Overflow;
constexpr std::uint16_t ComputingBits = 0x0F00 | x87::AllFaults;

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
  // Computes with a 64-bit significand, rounding to nearest and every fault masked,
  // whatever the caller's control word; the control word is loaded only when the
  // caller's differs in those respects, which in the program it never does.
  const std::uint16_t callerControl = x87::ControlWord();
  const std::uint16_t callerFlags = x87::Flags();
  const bool controlChanged = (callerControl & ComputingBits) != (x87::MaskedControlWord & ComputingBits);
  if (controlChanged) x87::LoadControlWord(x87::MaskedControlWord);
  // A fault already pending would pass for one of the conversion's.
  if (callerFlags & Faults) x87::ClearFlags();

  Parsed parsed;
  x87::Barrier(parsed);
  bool accepted = Parse(text, separator, parsed);
  long double accumulated = parsed.digits.Value();
  long double result = ScaleByPowerOfTen(accumulated, parsed.exponent);
  if (parsed.negative) result = -result;
  // Digits beyond the extended range fail even when the exponent would bring the
  // value back: the overflow flag of the accumulation stays raised.
  const std::uint16_t flags = x87::FlagsAfter(accumulated, result);
  if (flags & Faults) accepted = false;

  RestoreCaller(callerControl, controlChanged, callerFlags, flags);
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
