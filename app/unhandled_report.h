#pragma once
// The unhandled-error report: the box without owner captioned "Erreur d'application"
// that names the error's class, the module and the offset of the fault address.
#include <string>

// Shows the report for an error raised at `address` (a code address of the program
// when the exact fault address is unknown).
void ShowUnhandledReport(const std::string& className, const std::string& message,
                         const void* address);

// A code address inside the program, standing for the place that raised the error.
const void* ReportAddress();

// The file name of the loaded module that holds `address`; empty when none does.
std::string ModuleFileNameAt(const void* address);
