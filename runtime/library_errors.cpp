// The errors that the C++ library raises from its own code (a string or vector grown
// past its largest size, an index out of range, a string made from a null pointer,
// a failed conversion...), raised by the program's own functions in place of the
// library's. All of the library's raisers that share one object file are here, so
// that no part of the program needs that file.
//
// The library's functions raise its standard error classes, whose texts are kept in
// the library's older, reference-counted string type: linking them brings that
// second string type, tens of kilobytes that the program does not otherwise use.
// These raise the program's `Exception` with the same text instead. Both reports
// describe a standard error that carries a text the same way, as "Exception" with
// that text (app/error_description.cpp), so the player sees the same whichever
// raised it. The errors that carry no text keep their standard classes: running out
// of memory is still std::bad_alloc, which the reports describe as `EOutOfMemory`.
#include <cstdarg>
#include <cstddef>
#include <exception>
#include <new>
#include <typeinfo>
#include <string>

#include "base/errors.h"

namespace {

// The library's range messages hold only %zu and %s placeholders.
std::string Expand(const char* format, std::va_list arguments) {
  std::string text;
  for (const char* at = format; *at != '\0'; ++at) {
    if (at[0] == '%' && at[1] == 'z' && at[2] == 'u') {
      text += std::to_string(va_arg(arguments, std::size_t));
      at += 2;
    } else if (at[0] == '%' && at[1] == 's') {
      const char* argument = va_arg(arguments, const char*);
      text += argument != nullptr ? argument : "";
      ++at;
    } else {
      text += *at;
    }
  }
  return text;
}

}  // namespace

namespace std {

void __throw_bad_alloc() { throw bad_alloc(); }
void __throw_bad_array_new_length() { throw bad_array_new_length(); }
void __throw_bad_cast() { throw bad_cast(); }
void __throw_bad_typeid() { throw bad_typeid(); }
void __throw_bad_exception() { throw bad_exception(); }

void __throw_logic_error(const char* text) { throw Exception(text); }
void __throw_domain_error(const char* text) { throw Exception(text); }
void __throw_invalid_argument(const char* text) { throw Exception(text); }
void __throw_length_error(const char* text) { throw Exception(text); }
void __throw_out_of_range(const char* text) { throw Exception(text); }
void __throw_runtime_error(const char* text) { throw Exception(text); }
void __throw_range_error(const char* text) { throw Exception(text); }
void __throw_overflow_error(const char* text) { throw Exception(text); }
void __throw_underflow_error(const char* text) { throw Exception(text); }

void __throw_out_of_range_fmt(const char* format, ...) {
  std::va_list arguments;
  va_start(arguments, format);
  std::string text = Expand(format, arguments);
  va_end(arguments);
  throw Exception(std::move(text));
}

}  // namespace std
