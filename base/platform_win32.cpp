// Windows: the system clock, the calling thread's locale and the string table.
#include <windows.h>

#include "base/platform.h"

TimeOfDay UtcTimeOfDay() {
  SYSTEMTIME now;
  GetSystemTime(&now);
  return {now.wHour, now.wMinute, now.wSecond, now.wMilliseconds};
}

char PlatformDecimalSeparator() {
  // One character and the terminator: a longer separator does not fit, the call then
  // returns 0 and the separator stays '.'.
  char separator[2];
  if (GetLocaleInfoA(GetThreadLocale(), LOCALE_SDECIMAL, separator, sizeof separator) > 0) {
    return separator[0];
  }
  return '.';
}

std::string LoadText(unsigned id) {
  // The resource holds UTF-16; the program's texts are code page 1252 whatever the
  // system's own code page, so the conversion names it rather than reading "A" texts.
  constexpr UINT WesternEuropean = 1252;
  const wchar_t* stored = nullptr;
  const int length =
      LoadStringW(GetModuleHandleA(nullptr), id, reinterpret_cast<wchar_t*>(&stored), 0);
  if (length <= 0 || stored == nullptr) return std::string();
  const int size =
      WideCharToMultiByte(WesternEuropean, 0, stored, length, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
  WideCharToMultiByte(WesternEuropean, 0, stored, length, text.data(), size, nullptr, nullptr);
  return text;
}
