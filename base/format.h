#pragma once
// The program's own text formatter for the patterns of its string table: "%s" takes
// a text, "%d" a signed decimal number, "%x" and "%X" a number in lower- or upper-case
// hexadecimal without leading zeros, "%p" a number in upper-case hexadecimal with as
// many digits as its type holds (eight for 32 bits), "%%" a percent sign. Arguments
// are taken in order; a directive without an argument is left as it stands.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>

class FormatArg {
public:
  FormatArg(std::string_view text) : text_(text), isText_(true) {}
  FormatArg(const char* text) : text_(text), isText_(true) {}
  FormatArg(const std::string& text) : text_(text), isText_(true) {}
  template <class Integer, std::enable_if_t<std::is_integral_v<Integer>, int> = 0>
  FormatArg(Integer number)
      : bits_(static_cast<std::uint64_t>(number)),
        negative_(number < 0),
        digits_(2 * static_cast<int>(sizeof(Integer))) {}

private:
  friend std::string FormatText(std::string_view, std::initializer_list<FormatArg>);
  std::string_view text_;
  bool isText_ = false;
  std::uint64_t bits_ = 0;  // two's complement, sign-extended to 64 bits
  bool negative_ = false;
  int digits_ = 0;  // hexadecimal digits of the argument's type
};

std::string FormatText(std::string_view pattern, std::initializer_list<FormatArg> args);

// The value of a hexadecimal digit in either case, -1 for any other character.
int HexDigitValue(char c);
// A decimal digit, '0' to '9', whatever the locale.
constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }
