#pragma once
// The unhandled-error report: the box without owner captioned "Erreur d'application"
// that names the error's class, the module and the offset of the fault address.
#include <string>

// The text of the report: "Exception <class> dans le module <module> à <offset>."
// then a line feed and the message, with a period unless it already ends with one;
// cut at 1023 characters. Portable, so that it can be checked without a window.
std::string UnhandledReportText(const std::string& className, const std::string& moduleName,
                                unsigned long offset, const std::string& message);

// Shows the report for an error raised at `address` (a code address of the program
// when the exact fault address is unknown).
void ShowUnhandledReport(const std::string& className, const std::string& message,
                         const void* address);

// A code address inside the program, standing for the place that raised the error.
const void* ReportAddress();
