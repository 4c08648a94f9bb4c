// The decimal separator follows the user's settings while the program runs: the
// application window reads it again when Windows reports that the settings changed.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/application.h"
#include "app/screen.h"
#include "game/decimal.h"

namespace {

std::string UserSeparator() {
  char text[8] = {};
  GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, text, sizeof text);
  return text;
}

// Changes the user's decimal separator for one test and puts the original back.
class UserSeparatorChange {
public:
  explicit UserSeparatorChange(const char* separator) : original_(UserSeparator()) {
    changed_ = SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator) != 0;
  }
  ~UserSeparatorChange() {
    SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, original_.c_str());
  }
  UserSeparatorChange(const UserSeparatorChange&) = delete;
  UserSeparatorChange& operator=(const UserSeparatorChange&) = delete;
  bool Changed() const { return changed_; }

private:
  std::string original_;
  bool changed_ = false;
};

class SettingsChangeTest : public ::testing::Test {
protected:
  void SetUp() override {
    Screen = &screen_;
    application_ = std::make_unique<TApplication>();
    Application = application_.get();
    ReadLocaleFormatSettings();
  }
  void TearDown() override {
    Application = nullptr;
    application_.reset();
    Screen = nullptr;
    ReadLocaleFormatSettings();
  }

  TScreen screen_;
  std::unique_ptr<TApplication> application_;
};

TEST_F(SettingsChangeTest, TheSeparatorIsReadAgainWhenTheSettingsChange) {
  const char before = LocaleDecimalSeparator;
  const char* other = before == ';' ? ":" : ";";
  const UserSeparatorChange change(other);
  ASSERT_TRUE(change.Changed());
  EXPECT_EQ(LocaleDecimalSeparator, before) << "read before any notice";

  SendMessageA(Application->Handle(), WM_WININICHANGE, 0, reinterpret_cast<LPARAM>("intl"));
  EXPECT_EQ(LocaleDecimalSeparator, other[0]);
}

TEST_F(SettingsChangeTest, ASeparatorOfMoreThanOneCharacterGivesThePoint) {
  const UserSeparatorChange change("::");
  ASSERT_TRUE(change.Changed());
  SendMessageA(Application->Handle(), WM_WININICHANGE, 0, reinterpret_cast<LPARAM>("intl"));
  EXPECT_EQ(LocaleDecimalSeparator, '.');
}

}  // namespace
