#include "rules_oracle.h"

#include <mpfr.h>

#include <cstdint>
#include <cstdlib>

namespace {

// The x87 extended format in MPFR's terms: a 64-bit significand; the largest finite
// value is just below 2^16384 = 0.5 × 2^16385, the smallest denormal 2^-16445 =
// 0.5 × 2^-16444.
constexpr mpfr_prec_t Precision = 64;
constexpr mpfr_exp_t SmallestExponent = -16444;
constexpr mpfr_exp_t LargestExponent = 16384;

// One MPFR number at the extended precision.
class Real {
public:
  Real() {
    mpfr_init2(value_, Precision);
    mpfr_set_zero(value_, 1);
  }
  ~Real() { mpfr_clear(value_); }
  Real(const Real&) = delete;
  Real& operator=(const Real&) = delete;
  mpfr_ptr get() { return value_; }

private:
  mpfr_t value_;
};

// Sets MPFR's exponent range to the extended format's for one evaluation.
class ExtendedRange {
public:
  ExtendedRange() : emin_(mpfr_get_emin()), emax_(mpfr_get_emax()) {
    mpfr_set_emin(SmallestExponent);
    mpfr_set_emax(LargestExponent);
    mpfr_clear_flags();
  }
  ~ExtendedRange() {
    mpfr_set_emin(emin_);
    mpfr_set_emax(emax_);
  }
  ExtendedRange(const ExtendedRange&) = delete;
  ExtendedRange& operator=(const ExtendedRange&) = delete;

private:
  mpfr_exp_t emin_, emax_;
};

// Rounds an operation's exact result to the format, denormals with their fewer bits.
void Subnormalize(mpfr_ptr x, int ternary) { mpfr_subnormalize(x, ternary, MPFR_RNDN); }

// 10^k rounded to the format (k <= 4608, well inside its range).
void PowerOfTen(mpfr_ptr out, unsigned long k) {
  Subnormalize(out, mpfr_ui_pow_ui(out, 10, k, MPFR_RNDN));
}

struct Reading {
  bool negative = false;
  std::string_view digits[2];  // before and after the separator
  long exponent = 0;
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The text as the rules read it; false when it is refused.
bool Read(std::string_view text, char separator, Reading& reading) {
  const std::size_t nul = text.find('\0');
  if (nul != std::string_view::npos) text = text.substr(0, nul);
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) reading.negative = text[i++] == '-';
  const std::size_t start = i;
  while (i < text.size() && IsDigit(text[i])) ++i;
  reading.digits[0] = text.substr(start, i - start);
  if (i < text.size() && text[i] == separator) {
    const std::size_t fraction = ++i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    reading.digits[1] = text.substr(fraction, i - fraction);
  }
  if (i == start) return false;
  reading.exponent = -static_cast<long>(reading.digits[1].size());
  if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
    ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long e = 0;
    while (i < text.size() && IsDigit(text[i]) && e < 500) e = e * 10 + (text[i++] - '0');
    reading.exponent += negative ? -e : e;
  }
  while (i < text.size() && text[i] == ' ') ++i;
  return i == text.size();
}

bool WithinCorrectRounding(const Reading& reading) {
  if (reading.exponent < -27 || reading.exponent > 27) return false;
  std::uint64_t whole = 0;
  for (const std::string_view part : reading.digits) {
    for (const char c : part) {
      const unsigned digit = static_cast<unsigned>(c - '0');
      if (whole > (UINT64_MAX - digit) / 10) return false;
      whole = whole * 10 + digit;
    }
  }
  return true;
}

}  // namespace

OracleResult EvaluateConversionRules(std::string_view text, char separator) {
  OracleResult result;
  Reading reading;
  if (!Read(text, separator, reading)) return result;
  result.exactlyRounded = WithinCorrectRounding(reading);

  const ExtendedRange range;
  Real value;
  for (const std::string_view part : reading.digits) {
    for (const char c : part) {
      Subnormalize(value.get(), mpfr_mul_ui(value.get(), value.get(), 10, MPFR_RNDN));
      Subnormalize(value.get(), mpfr_add_ui(value.get(), value.get(),
                                            static_cast<unsigned long>(c - '0'), MPFR_RNDN));
    }
  }

  const unsigned long magnitude = static_cast<unsigned long>(std::labs(reading.exponent));
  if (magnitude >= 5120) {
    mpfr_set_zero(value.get(), 1);
  } else if (magnitude != 0) {
    const unsigned long factors[] = {magnitude % 32, 32 * ((magnitude / 32) % 16),
                                     512 * (magnitude / 512)};
    for (std::size_t f = 0; f < 3; ++f) {
      if (f != 0 && factors[f] == 0) continue;  // the units entry is always applied
      Real power;
      PowerOfTen(power.get(), factors[f]);
      const int ternary = reading.exponent > 0
                              ? mpfr_mul(value.get(), value.get(), power.get(), MPFR_RNDN)
                              : mpfr_div(value.get(), value.get(), power.get(), MPFR_RNDN);
      Subnormalize(value.get(), ternary);
    }
  }
  if (reading.negative) mpfr_neg(value.get(), value.get(), MPFR_RNDN);

  result.accepted = !mpfr_overflow_p() && !mpfr_nanflag_p();
  if (result.accepted) result.value = mpfr_get_ld(value.get(), MPFR_RNDN);
  return result;
}
