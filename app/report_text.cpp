#include "app/report_text.h"

#include <cstdint>

#include "base/format.h"
#include "base/platform.h"
#include "res/strings.h"

std::string ErrorBoxText(const std::string& message) {
  std::string text = message;
  if (!text.empty() && static_cast<unsigned char>(text.back()) > 0x2E) text += '.';
  return text;
}

std::string UnhandledReportText(const std::string& className, const std::string& moduleName,
                                unsigned long offset, const std::string& message) {
  constexpr std::size_t MaximumLength = 1023;
  // The offset as a 32-bit number: eight digits whatever the build.
  const auto offset32 = static_cast<std::uint32_t>(offset & 0xFFFFFFFFul);
  std::string text =
      FormatText(LoadText(IDS_EXCEPTION_IN_MODULE), {className, moduleName, offset32}) + '\n' +
      message;
  // Only a period suppresses the final period here.
  if (!message.empty() && message.back() != '.') text += '.';
  if (text.size() > MaximumLength) text.resize(MaximumLength);
  return text;
}
