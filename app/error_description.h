#pragma once
// What a report shows of an error: the one description that the error report and the
// unhandled-error report share. Portable, so that it is checked without a window.
#include <string>

struct ErrorDescription {
  enum Kind {
    Silent,      // EAbort: no report shows it
    Error,       // an Exception, or an error described as one: class name and message
    OtherObject  // not an error at all: its class cannot be named, it has no message
  };
  Kind kind;
  std::string className;
  std::string message;
};

// Describes the error being handled; call it inside a catch block. An `Exception`
// is described by its class and message. Running out of memory (std::bad_alloc) is
// `EOutOfMemory` with its French message. Any other standard-library error is
// "Exception" with its text, as the library's own errors are raised by the program
// (runtime/library_errors.cpp). Anything else thrown is "Exception" without a message.
ErrorDescription DescribeCurrentError();
