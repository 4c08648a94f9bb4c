#pragma once
#include <string>

// The three services that the rules take from the operating system. The Windows build
// asks Windows (platform_win32.cpp); other builds, which only run the tests, ask the
// C and C++ libraries (platform_portable.cpp).

// The current time of day in Coordinated Universal Time.
struct TimeOfDay {
  unsigned hour;         // 0 to 23
  unsigned minute;       // 0 to 59
  unsigned second;       // 0 to 59
  unsigned millisecond;  // 0 to 999
};
TimeOfDay UtcTimeOfDay();

// The decimal separator of the user's locale, or '.' when it is not one character.
char PlatformDecimalSeparator();

// The text of the string table entry `id` (res/strings.h), in code page 1252; empty
// when there is none. The Windows build reads the program's resources; other builds
// hold a copy of the same table, made from res/quorl.rc when they are built.
std::string LoadText(unsigned id);
