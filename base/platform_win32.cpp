// Windows: the system clock, the calling thread's locale and the string table.
#include <windows.h>

#include "base/platform.h"
#include "base/wide_text.h"

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
  // system's own code page, so they are converted rather than read as "A" texts.
  const wchar_t* stored = nullptr;
  const int length =
      LoadStringW(GetModuleHandleA(nullptr), id, reinterpret_cast<wchar_t*>(&stored), 0);
  if (length <= 0) return std::string();
  return FromWide(stored, static_cast<std::size_t>(length));
}
