#include "app/report_text.h"

#include <cstdio>

std::string ErrorBoxText(const std::string& message) {
  std::string text = message;
  if (!text.empty() && static_cast<unsigned char>(text.back()) > 0x2E) text += '.';
  return text;
}

std::string UnhandledReportText(const std::string& className, const std::string& moduleName,
                                unsigned long offset, const std::string& message) {
  constexpr std::size_t MaximumLength = 1023;
  char hex[9];
  std::snprintf(hex, sizeof hex, "%08lX", offset & 0xFFFFFFFFul);
  std::string text = "Exception " + className + " dans le module " + moduleName + " à " +
                     hex + ".\n" + message;
  // Only a period suppresses the final period here.
  if (!message.empty() && message.back() != '.') text += '.';
  if (text.size() > MaximumLength) text.resize(MaximumLength);
  return text;
}
