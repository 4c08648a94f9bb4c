#pragma once
// The texts of the two error reports. Portable, so that they are checked without a
// window.
#include <string>

// The error box: the message, with a period appended when it is not empty and its
// last character sorts after "." (a letter, a digit or an accented letter).
std::string ErrorBoxText(const std::string& message);

// The unhandled-error report: "Exception <class> dans le module <module> à <offset>."
// (the offset as eight upper-case hexadecimal digits), a line feed, then the message
// with a period unless it already ends with one; cut at 1023 characters.
std::string UnhandledReportText(const std::string& className, const std::string& moduleName,
                                unsigned long offset, const std::string& message);
