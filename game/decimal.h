#pragma once
// Numbers as the game reads and writes them: decimal text to an extended real with
// the user's decimal separator, and whole numbers to decimal text.
#include <cstdint>
#include <string>
#include <string_view>

// The user's decimal separator; "." until ReadLocaleFormatSettings has run, and when
// the platform's is not a single character.
extern char LocaleDecimalSeparator;

// Reads LocaleDecimalSeparator from the platform's locale settings. Runs at start-up
// and again when the platform reports that the settings changed.
void ReadLocaleFormatSettings();

// Converts a decimal text: blanks (spaces only) around, an optional sign, digits with
// at most one LocaleDecimalSeparator, an optional exponent "E"/"e" with optional
// sign. A NUL character ends the text. Raises EConvertError with the whole text in
// the message when the text is not such a number or its value leaves the extended
// range. The caller's control word and fault flags are in force again on return.
long double DecimalTextToReal(std::string_view text);

// The same without an error: false when the text is refused. Allocates nothing.
bool TryDecimalTextToReal(std::string_view text, char separator, long double& value) noexcept;

// x × 10^exponent with the power-of-ten tables: at most three multiplications or
// divisions, each rounded to nearest even; zero when |exponent| >= 5120.
long double ScaleByPowerOfTen(long double x, std::int64_t exponent) noexcept;

// Decimal digits of n, with "-" when negative; -2147483648 is written in full.
std::string IntegerToDecimalText(std::int32_t n);
