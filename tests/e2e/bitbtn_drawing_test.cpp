// The bitmap button's drawing, read pixel by pixel from the screen: the OK button of
// the rules dialog (the stock tick glyph on its olive transparent colour, the caption,
// the default button's outline, the focus rectangle, the glyph pushed in by a pixel
// while the button is held down).
#include "quorl_test.h"

#include <algorithm>
#include <string>

#include "harness/input.h"
#include "harness/wait.h"

namespace e2e {
namespace {

// Pixels of the picture's border that are not `color`.
int BorderNot(const Picture& shot, COLORREF color) {
  int other = 0;
  for (int x = 0; x < shot.width; ++x) {
    other += (shot.Pixel(x, 0) != color) + (shot.Pixel(x, shot.height - 1) != color);
  }
  for (int y = 1; y + 1 < shot.height; ++y) {
    other += (shot.Pixel(0, y) != color) + (shot.Pixel(shot.width - 1, y) != color);
  }
  return other;
}

// Pixels of the row `y`, from `inset` to `width - inset`, that are not `color`.
int RowNot(const Picture& shot, int y, int inset, COLORREF color) {
  int other = 0;
  for (int x = inset; x < shot.width - inset; ++x) other += shot.Pixel(x, y) != color;
  return other;
}

// Pixels of `color` anywhere.
int Count(const Picture& shot, COLORREF color) {
  int found = 0;
  for (int y = 0; y < shot.height; ++y) found += shot.width - RowNot(shot, y, 0, color);
  return found;
}

// The bounding box of what is drawn on the face inside `inset` pixels: the glyph and the
// caption.
RECT Content(const Picture& shot, int inset, COLORREF face) {
  RECT box{shot.width, shot.height, -1, -1};
  for (int y = inset; y < shot.height - inset; ++y) {
    for (int x = inset; x < shot.width - inset; ++x) {
      if (shot.Pixel(x, y) == face) continue;
      box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y),
             std::max<LONG>(box.right, x + 1), std::max<LONG>(box.bottom, y + 1)};
    }
  }
  return box;
}

// The glyph's transparent colour: olive, which must never reach the screen.
constexpr COLORREF Olive = RGB(128, 128, 0);
// The focus rectangle lies four pixels inside the button; the glyph and the caption
// stay further in.
constexpr int FocusInset = 4;
constexpr int ContentInset = FocusInset + 1;

class BitBtnDrawingTest : public QuorlTest {
protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(OpenRules(rules_));
    // The pointer away from the button, so that nothing hovers.
    MovePointerTo({5, 5});
  }

  // Waits until the button shows what `ready` looks for, then returns the capture.
  template <class Ready>
  Picture Settled(Ready ready) {
    Picture shot;
    WaitUntil([&] { return ready(shot = Capture(rules_.ok)); });
    return shot;
  }

  const COLORREF face_ = GetSysColor(COLOR_BTNFACE);
  const COLORREF frame_ = GetSysColor(COLOR_WINDOWFRAME);
  RulesDialog rules_;
};

TEST_F(BitBtnDrawingTest, FocusedDefaultButtonHasItsOutlineAndFocusRectangle) {
  const Picture shot = Settled([&](const Picture& c) {
    return BorderNot(c, frame_) == 0 && RowNot(c, FocusInset, FocusInset, face_) > 0;
  });
  EXPECT_EQ(BorderNot(shot, frame_), 0) << "the default button's outline all round";
  // The focus rectangle is dotted: about every other pixel of its top row differs
  // from the face.
  const int row = shot.width - 2 * FocusInset;
  const int dotted = RowNot(shot, FocusInset, FocusInset, face_);
  EXPECT_GE(dotted, row / 3) << "no focus rectangle";
  EXPECT_LE(dotted, 2 * row / 3) << "a solid line rather than dots";
  EXPECT_EQ(Count(shot, Olive), 0) << "the glyph's transparent colour shows";
  const RECT content = Content(shot, ContentInset, face_);
  EXPECT_LT(content.left, content.right) << "no glyph or caption";
}

TEST_F(BitBtnDrawingTest, WithoutTheFocusTheDefaultButtonKeepsItsOutlineOnly) {
  ASSERT_TRUE(App().ClickToFocus(rules_.memo));
  MovePointerTo({5, 5});
  const Picture shot =
      Settled([&](const Picture& c) { return RowNot(c, FocusInset, FocusInset, face_) == 0; });
  EXPECT_EQ(RowNot(shot, FocusInset, FocusInset, face_), 0) << "a focus rectangle is left";
  EXPECT_EQ(BorderNot(shot, frame_), 0)
      << "the default button stays the active one while the memo has the focus";
  EXPECT_EQ(Count(shot, Olive), 0);
}

TEST_F(BitBtnDrawingTest, HeldDownTheGlyphAndCaptionMoveOnePixelRightAndDown) {
  const Picture rest = Settled([&](const Picture& c) { return BorderNot(c, frame_) == 0; });
  const RECT atRest = Content(rest, ContentInset, face_);
  ASSERT_LT(atRest.left, atRest.right) << "no glyph or caption";
  const RECT expected{atRest.left + 1, atRest.top + 1, atRest.right + 1, atRest.bottom + 1};

  const POINT centre = CenterOf(rules_.ok);
  PressLeftButtonAt(centre);
  EXPECT_TRUE(WaitUntil([&] {
    return (SendMessageA(rules_.ok, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
  })) << "the button is not held down";
  const Picture pressed = Settled([&](const Picture& c) {
    const RECT content = Content(c, ContentInset, face_);
    return EqualRect(&content, &expected) != FALSE;
  });
  const RECT down = Content(pressed, ContentInset, face_);
  EXPECT_TRUE(EqualRect(&down, &expected))
      << "at rest " << Describe(atRest) << ", pressed " << Describe(down);
  EXPECT_EQ(Count(pressed, Olive), 0) << "the glyph's transparent colour shows when pressed";
  EXPECT_TRUE(MatchesReference("bitbtn-pressed"));
  ReleaseLeftButtonAt(centre);
  EXPECT_TRUE(WaitUntil([&] { return !Shown(App().RulesDialog()); }))
      << "the click closes the rules";
}

}  // namespace
}  // namespace e2e
