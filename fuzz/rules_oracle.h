#pragma once
// The conversion rules evaluated again, independently of the program's code: the text
// read by a parser of its own, every operation carried out by MPFR at the extended
// format's precision and exponent range (denormals included), and the powers of ten
// computed by MPFR rather than read from the program's tables.
#include <string_view>

struct OracleResult {
  bool accepted = false;
  long double value = 0;
  // The rules give the correctly rounded value: at most 19 significant digits that
  // form an integer below 2^64, and a decimal exponent from -27 to 27.
  bool exactlyRounded = false;
};

OracleResult EvaluateConversionRules(std::string_view text, char separator);
