// Hostile input through the guess box: long pastes, control characters, accented
// letters, exponents at the edge of what the conversion reads, a NUL in the clipboard.
// Each is refused or read as the game reads numbers, and the program keeps playing.
#include <windows.h>

#include <string>

#include "harness/input.h"
#include "harness/wait.h"
#include "quorl_test.h"

namespace e2e {
namespace {

// Puts `text` (which may hold NULs) on the clipboard as Unicode text: the paste then
// comes from the clipboard as a player's Ctrl+V would.
bool SetClipboard(const std::wstring& text) {
  const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!memory) return false;
  auto* target = static_cast<wchar_t*>(GlobalLock(memory));
  text.copy(target, text.size());
  target[text.size()] = L'\0';
  GlobalUnlock(memory);
  if (!WaitUntil([] { return OpenClipboard(nullptr) != FALSE; }, Millis{3000})) {
    GlobalFree(memory);
    return false;
  }
  EmptyClipboard();
  const bool stored = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
  CloseClipboard();
  if (!stored) GlobalFree(memory);
  return stored;
}

class BadInputTest : public QuorlTest {
protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(SubmitAll({"0"}));
  }

  // Pastes `text` into the guess box and waits until the box holds `expected`.
  ::testing::AssertionResult Paste(const std::wstring& text, const std::string& expected) {
    if (!SetClipboard(text)) return ::testing::AssertionFailure() << "clipboard refused the text";
    PressKey('V', {VK_CONTROL});
    if (!WaitUntil([&] { return App().GuessText() == expected; })) {
      return ::testing::AssertionFailure() << "the guess box holds " << App().GuessText().size()
                                           << " characters, expected " << expected.size();
    }
    return ::testing::AssertionSuccess();
  }

  // The one accepted guess of SetUp is still the only line, and the game still answers.
  void ExpectNothingCounted() {
    EXPECT_EQ(App().GuessText(), "");
    EXPECT_EQ(App().HistoryLines(), std::vector<std::string>{"0 est trop petit"});
    EXPECT_EQ(App().CounterText(), "1");
    EXPECT_FALSE(App().ErrorBox()) << "an error box came up";
    EXPECT_TRUE(App().Program().Running());
  }
};

TEST_F(BadInputTest, ThirtyThousandDigitsPastedAreRefused) {
  // Far beyond the largest extended real: the conversion refuses it.
  const std::string nines(30000, '9');
  ASSERT_TRUE(Paste(std::wstring(nines.begin(), nines.end()), nines));
  EXPECT_EQ(App().SubmitGuess(""), GuessOutcome::Evaluated);
  ExpectNothingCounted();
}

TEST_F(BadInputTest, ThirtyThousandCharactersPastedCanStillBeAGuess) {
  // 0 followed by the separator and 29 998 zeros is 0: accepted, and shown as typed.
  const std::string zero = std::string("0") + LocaleDecimalSeparator() + std::string(29998, '0');
  ASSERT_TRUE(Paste(std::wstring(zero.begin(), zero.end()), zero));
  ASSERT_EQ(App().SubmitGuess(""), GuessOutcome::Evaluated);
  // Drawing a line that long takes wine a moment: wait for the count, not a sleep.
  EXPECT_TRUE(WaitUntil([&] { return App().CounterText() == "2"; }));
  // Wine cannot carry a line this long to another process (LB_GETTEXT fails there), so
  // the line is checked by its length: the guess as typed plus " est trop petit".
  ASSERT_EQ(SendMessageW(App().History(), LB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(SendMessageW(App().History(), LB_GETTEXTLEN, 1, 0),
            static_cast<LRESULT>(zero.size() + std::string(" est trop petit").size()));
}

TEST_F(BadInputTest, RefusedTextsAddNothing) {
  const struct {
    const wchar_t* text;
    const char* asShown;  // the guess box's text in code page 1252
    const char* reason;
  } cases[] = {
      {L"3\x01\x02", "3\x01\x02", "control characters after a number"},
      {L"\x1b"
       L"5",
       "\x1b"
       "5",
       "an escape character before it"},
      {L"\u00e93",
       "\xe9"
       "3",
       "an accented letter"},
      {L"3,25\u20ac", "3,25\x80", "a euro sign after it"},
      {L"1E4999", "1E4999", "beyond the extended range"},
      {L"1E5000", "1E5000", "an exponent digit the conversion leaves unread"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.asShown) + ": " + c.reason);
    ASSERT_TRUE(Paste(c.text, c.asShown));
    EXPECT_EQ(App().SubmitGuess(""), GuessOutcome::Evaluated);
    ExpectNothingCounted();
  }
}

TEST_F(BadInputTest, ANulInThePasteEndsTheText) {
  // The edit box takes the clipboard text up to its NUL: what follows never arrives.
  ASSERT_TRUE(Paste(std::wstring(L"0\0x", 3), "0"));
  ASSERT_EQ(App().SubmitGuess(""), GuessOutcome::Evaluated);
  EXPECT_EQ(App().HistoryLines(),
            (std::vector<std::string>{"0 est trop petit", "0 est trop petit"}));
}

}  // namespace
}  // namespace e2e
