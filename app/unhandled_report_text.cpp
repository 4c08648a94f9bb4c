#include "app/unhandled_report.h"

#include <cstdio>

std::string UnhandledReportText(const std::string& className, const std::string& moduleName,
                                unsigned long offset, const std::string& message) {
  char hex[9];
  std::snprintf(hex, sizeof hex, "%08lX", offset & 0xFFFFFFFFul);
  std::string text = "Exception " + className + " dans le module " + moduleName + " à " +
                     hex + ".\n" + message;
  // Only a period suppresses the final period here.
  if (!message.empty() && message.back() != '.') text += '.';
  if (text.size() > 1023) text.resize(1023);
  return text;
}
