// The congratulation dialog: its width follows its text, its colour, and the keys
// that press or do not press its OK button.
#include "quorl_test.h"

#include "controls/handles.h"
#include "harness/input.h"
#include "harness/screenshot.h"
#include "harness/wait.h"

namespace e2e {
namespace {

// A GDI font selected into the screen's device context for measuring text.
class MeasuringFont {
public:
  MeasuringFont(const char* face, int height)
      : font_(CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                          OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                          DEFAULT_PITCH | FF_DONTCARE, face)),
        selected_(dc_.get(), font_.get()) {}

  int Width(const std::string& text) const {
    SIZE size{};
    GetTextExtentPoint32A(dc_.get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
  }

private:
  ScopedWindowDc dc_{nullptr};
  UniqueFont font_;
  ScopedSelect selected_;
};

class MessageDialogTest : public QuorlTest {
protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(Start());
    std::string failure;
    attempts_ = App().PlayUntilWon(&failure, PicturedWin).value_or(0);
    ASSERT_GT(attempts_, 0) << failure;
    dialog_ = App().MessageDialog();
    const auto buttons = ChildWindows(dialog_, "Button");
    ASSERT_EQ(buttons.size(), 1u);
    ok_ = buttons.front();
    ASSERT_TRUE(WaitUntil([&] { return App().Focus() == ok_; }));
  }

  bool DialogClosed() {
    return WaitUntil([&] { return !Shown(dialog_) && IsWindowEnabled(App().MainWindow()); });
  }

  int attempts_ = 0;
  HWND dialog_ = nullptr;
  HWND ok_ = nullptr;
};

TEST_F(MessageDialogTest, WidthIsTheTextWidthPlusThirty) {
  const std::string text = "Bravo, vous avez gagn\xe9 en " + std::to_string(attempts_) + " essais";
  const MeasuringFont comic("Comic Sans MS", -16);
  const int expected = comic.Width(text) + 30;
  EXPECT_TRUE(MatchesReference("win-dialog", dialog_));
  EXPECT_TRUE(WaitUntil([&] { return SizeOf(ScreenRect(dialog_)).cx == expected; }))
      << text << ": width " << SizeOf(ScreenRect(dialog_)).cx << ", expected " << expected;
  EXPECT_EQ(SizeOf(ScreenRect(dialog_)).cy, 179);
}

TEST_F(MessageDialogTest, IsBlueWithoutSystemMenuOrCloseBox) {
  const LONG_PTR style = GetWindowLongPtrA(dialog_, GWL_STYLE);
  EXPECT_FALSE(style & WS_SYSMENU);
  // The blue of the game, sampled on the screen inside the client area, right of the OK
  // button and below the text, once the dialog has painted itself.
  POINT sample{200, 120};
  ClientToScreen(dialog_, &sample);
  const auto sampled = [&] { return ScreenPixel(sample); };
  EXPECT_TRUE(WaitUntil([&] { return sampled() == RGB(63, 132, 237); }))
      << "colour " << std::hex << sampled();
}

TEST_F(MessageDialogTest, SpacePressesOk) {
  PressKey(VK_SPACE);
  EXPECT_TRUE(DialogClosed());
  EXPECT_TRUE(App().HistoryLines().empty());
}

TEST_F(MessageDialogTest, EscapeAndTheArrowsDoNothing) {
  for (int key : {VK_ESCAPE, VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT}) PressKey(static_cast<WORD>(key));
  // Nothing may happen, so the wait is bounded and expected to run out.
  EXPECT_FALSE(WaitUntil([&] { return !Shown(dialog_); }, Millis{1500}));
  EXPECT_FALSE(IsWindowEnabled(App().MainWindow()));
  EXPECT_EQ(App().Focus(), ok_);
  PressKey(VK_RETURN);
  EXPECT_TRUE(DialogClosed());
}

TEST_F(MessageDialogTest, ClickingOkClosesItAndTheNextWinShowsItAgain) {
  ClickAt(CenterOf(ok_));
  ASSERT_TRUE(DialogClosed());
  EXPECT_TRUE(WaitUntil([&] { return App().Focus() == App().GuessBox(); }));
  std::string failure;
  const auto second = App().PlayUntilWon(&failure);
  ASSERT_TRUE(second.has_value()) << failure;
  EXPECT_TRUE(Shown(App().MessageDialog()));
  // The width follows the text when the dialog is activated, just after it shows.
  const MeasuringFont comic("Comic Sans MS", -16);
  const int expected =
      comic.Width("Bravo, vous avez gagn\xe9 en " + std::to_string(*second) + " essais") + 30;
  EXPECT_TRUE(WaitUntil([&] { return SizeOf(ScreenRect(dialog_)).cx == expected; }))
      << "width " << SizeOf(ScreenRect(dialog_)).cx << ", expected " << expected;
  EXPECT_TRUE(App().DismissMessageDialog());
}

}  // namespace
}  // namespace e2e
