#include "base/format.h"

namespace {

std::string Hexadecimal(std::uint64_t value, int minimumDigits, bool upper) {
  const char* digits = upper ? "0123456789ABCDEF" : "0123456789abcdef";
  std::string text;
  do {
    text.insert(text.begin(), digits[value & 0xF]);
    value >>= 4;
  } while (value != 0);
  if (static_cast<int>(text.size()) < minimumDigits) {
    text.insert(0, static_cast<std::size_t>(minimumDigits) - text.size(), '0');
  }
  return text;
}

std::string Decimal(std::uint64_t bits, bool negative) {
  // The magnitude of the most negative value still fits the unsigned type.
  std::uint64_t magnitude = negative ? ~bits + 1 : bits;
  std::string text;
  do {
    text.insert(text.begin(), static_cast<char>('0' + magnitude % 10));
    magnitude /= 10;
  } while (magnitude != 0);
  if (negative) text.insert(text.begin(), '-');
  return text;
}

// The bits of the argument's own width: a negative 32-bit number is eight digits.
std::uint64_t OwnBits(std::uint64_t bits, int digits) {
  return digits >= 16 ? bits : bits & ((std::uint64_t{1} << (4 * digits)) - 1);
}

}  // namespace

std::string FormatText(std::string_view pattern, std::initializer_list<FormatArg> args) {
  std::string text;
  const FormatArg* next = args.begin();
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    if (c != '%' || i + 1 == pattern.size()) {
      text += c;
      continue;
    }
    const char directive = pattern[i + 1];
    if (directive == '%') {
      text += '%';
      ++i;
      continue;
    }
    const bool known = directive == 's' || directive == 'd' || directive == 'x' ||
                       directive == 'X' || directive == 'p';
    if (!known || next == args.end()) {
      text += c;
      continue;
    }
    const FormatArg& arg = *next++;
    ++i;
    if (arg.isText_) {
      text += arg.text_;
    } else if (directive == 'd') {
      text += Decimal(arg.bits_, arg.negative_);
    } else if (directive == 'p') {
      text += Hexadecimal(OwnBits(arg.bits_, arg.digits_), arg.digits_, true);
    } else if (directive == 'x' || directive == 'X') {
      text += Hexadecimal(OwnBits(arg.bits_, arg.digits_), 1, directive == 'X');
    } else {
      text += Decimal(arg.bits_, arg.negative_);  // a number where a text was expected
    }
  }
  return text;
}

int HexDigitValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}
