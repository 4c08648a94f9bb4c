#include <windows.h>

#include <exception>

#include "app/escaped_error.h"

// An error that cannot be handled where it is (thrown out of a destructor while
// unwinding, or through a function that must not throw) is reported once, and the
// program ends with exit code 1, as after a processor fault.
//
// This is the runtime library's default terminate handler, defined here in place of
// the library's own: that one writes the error's demangled type name to a console that
// a windowed program does not have, and brings the C++ name demangler (tens of
// kilobytes) into the executable. Defined here, the library's object file that holds
// it, and the demangler with it, stay out of the link.
void __gnu_cxx::__verbose_terminate_handler() {
  static LONG calls = 0;
  if (InterlockedIncrement(&calls) == 1 && std::current_exception()) ReportEscapedError();
  ExitProcess(1);
}
