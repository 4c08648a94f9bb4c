// Windows: the system clock, the calling thread's locale and the string table.
#include <windows.h>

#include "game/platform.h"

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
  char text[1024];
  const int length = LoadStringA(GetModuleHandleA(nullptr), id, text, sizeof text);
  return std::string(text, static_cast<std::size_t>(length > 0 ? length : 0));
}
