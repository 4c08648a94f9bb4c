// The user's decimal separator as the platform gives it.
#include <gtest/gtest.h>

#include "game/decimal.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <clocale>
#include <string>
#endif

namespace {

#ifdef _WIN32

// The separator follows the calling thread's locale, and is read again after a change.
TEST(ReadLocaleFormatSettings, FollowsTheThreadLocale) {
  const LCID saved = GetThreadLocale();
  ASSERT_TRUE(SetThreadLocale(MAKELCID(MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH), SORT_DEFAULT)));
  ReadLocaleFormatSettings();
  EXPECT_EQ(LocaleDecimalSeparator, ',');
  ASSERT_TRUE(
      SetThreadLocale(MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT)));
  ReadLocaleFormatSettings();
  EXPECT_EQ(LocaleDecimalSeparator, '.');
  SetThreadLocale(saved);
  LocaleDecimalSeparator = '.';
}

#else

// Elsewhere the C library's numeric locale stands for the user's settings.
TEST(ReadLocaleFormatSettings, FollowsTheNumericLocale) {
  const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
  if (std::setlocale(LC_NUMERIC, "fr_FR.UTF-8") == nullptr) GTEST_SKIP() << "no French locale";
  ReadLocaleFormatSettings();
  EXPECT_EQ(LocaleDecimalSeparator, ',');
  std::setlocale(LC_NUMERIC, "C");
  ReadLocaleFormatSettings();
  EXPECT_EQ(LocaleDecimalSeparator, '.');
  std::setlocale(LC_NUMERIC, saved.c_str());
  LocaleDecimalSeparator = '.';
}

#endif

}  // namespace
