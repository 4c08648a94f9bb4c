// The bitmap button's drawing, read pixel by pixel from the screen: the OK button of
// the rules dialog (the stock tick glyph on its olive transparent colour, the caption,
// the default button's outline, the focus rectangle, the glyph pushed in by a pixel
// while the button is held down).
#include "quorl_test.h"

#include <algorithm>
#include <string>
#include <vector>

#include "harness/input.h"
#include "harness/wait.h"

namespace e2e {
namespace {

// The screen's pixels under a window, as COLORREF values, row by row.
class Capture {
public:
  explicit Capture(HWND window) : rect_(ScreenRect(window)) {
    const SIZE size = SizeOf(rect_);
    width_ = size.cx;
    height_ = size.cy;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width_, height_, screen, rect_.left, rect_.top, SRCCOPY);
    GdiFlush();
    const auto* quads = static_cast<const RGBQUAD*>(bits);
    for (int i = 0; i < width_ * height_; ++i) {
      pixels_.push_back(RGB(quads[i].rgbRed, quads[i].rgbGreen, quads[i].rgbBlue));
    }
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
  }

  int Width() const { return width_; }
  int Height() const { return height_; }
  COLORREF At(int x, int y) const { return pixels_[static_cast<size_t>(y * width_ + x)]; }

  int Count(COLORREF color) const {
    int found = 0;
    for (COLORREF pixel : pixels_) found += pixel == color ? 1 : 0;
    return found;
  }

  // Pixels of the border that are not `colour`.
  int BorderNot(COLORREF color) const {
    int other = 0;
    for (int x = 0; x < width_; ++x) {
      other += (At(x, 0) != color) + (At(x, height_ - 1) != color);
    }
    for (int y = 1; y + 1 < height_; ++y) {
      other += (At(0, y) != color) + (At(width_ - 1, y) != color);
    }
    return other;
  }

  // Pixels of the row `y`, from `inset` to `width - inset`, that are not `colour`.
  int RowNot(int y, int inset, COLORREF color) const {
    int other = 0;
    for (int x = inset; x < width_ - inset; ++x) other += At(x, y) != color;
    return other;
  }

  // The bounding box of what is drawn on the face inside `inset` pixels: the glyph and
  // the caption.
  RECT Content(int inset, COLORREF face) const {
    RECT box{width_, height_, -1, -1};
    for (int y = inset; y < height_ - inset; ++y) {
      for (int x = inset; x < width_ - inset; ++x) {
        if (At(x, y) == face) continue;
        box.left = std::min<LONG>(box.left, x);
        box.top = std::min<LONG>(box.top, y);
        box.right = std::max<LONG>(box.right, x + 1);
        box.bottom = std::max<LONG>(box.bottom, y + 1);
      }
    }
    return box;
  }

private:
  RECT rect_;
  int width_ = 0;
  int height_ = 0;
  std::vector<COLORREF> pixels_;
};

bool operator==(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string Describe(const RECT& r) {
  return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" +
         std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
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
  Capture Settled(Ready ready) {
    Capture capture(rules_.ok);
    WaitUntil([&] {
      capture = Capture(rules_.ok);
      return ready(capture);
    });
    return capture;
  }

  const COLORREF face_ = GetSysColor(COLOR_BTNFACE);
  const COLORREF frame_ = GetSysColor(COLOR_WINDOWFRAME);
  RulesDialog rules_;
};

TEST_F(BitBtnDrawingTest, FocusedDefaultButtonHasItsOutlineAndFocusRectangle) {
  const Capture shot = Settled([&](const Capture& c) {
    return c.BorderNot(frame_) == 0 && c.RowNot(FocusInset, FocusInset, face_) > 0;
  });
  EXPECT_EQ(shot.BorderNot(frame_), 0) << "the default button's outline all round";
  // The focus rectangle is dotted: about every other pixel of its top row differs
  // from the face.
  const int row = shot.Width() - 2 * FocusInset;
  const int dotted = shot.RowNot(FocusInset, FocusInset, face_);
  EXPECT_GE(dotted, row / 3) << "no focus rectangle";
  EXPECT_LE(dotted, 2 * row / 3) << "a solid line rather than dots";
  EXPECT_EQ(shot.Count(Olive), 0) << "the glyph's transparent colour shows";
  const RECT content = shot.Content(ContentInset, face_);
  EXPECT_LT(content.left, content.right) << "no glyph or caption";
}

TEST_F(BitBtnDrawingTest, WithoutTheFocusTheDefaultButtonKeepsItsOutlineOnly) {
  ClickAt(CenterOf(rules_.memo));
  ASSERT_TRUE(WaitUntil([&] { return App().Focus() == rules_.memo; }));
  MovePointerTo({5, 5});
  const Capture shot =
      Settled([&](const Capture& c) { return c.RowNot(FocusInset, FocusInset, face_) == 0; });
  EXPECT_EQ(shot.RowNot(FocusInset, FocusInset, face_), 0) << "a focus rectangle is left";
  EXPECT_EQ(shot.BorderNot(frame_), 0)
      << "the default button stays the active one while the memo has the focus";
  EXPECT_EQ(shot.Count(Olive), 0);
}

TEST_F(BitBtnDrawingTest, HeldDownTheGlyphAndCaptionMoveOnePixelRightAndDown) {
  const Capture rest = Settled([&](const Capture& c) { return c.BorderNot(frame_) == 0; });
  const RECT atRest = rest.Content(ContentInset, face_);
  ASSERT_LT(atRest.left, atRest.right) << "no glyph or caption";
  const RECT expected{atRest.left + 1, atRest.top + 1, atRest.right + 1, atRest.bottom + 1};

  const POINT centre = CenterOf(rules_.ok);
  PressLeftButtonAt(centre);
  EXPECT_TRUE(WaitUntil([&] {
    return (SendMessageA(rules_.ok, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
  })) << "the button is not held down";
  const Capture pressed =
      Settled([&](const Capture& c) { return c.Content(ContentInset, face_) == expected; });
  const RECT down = pressed.Content(ContentInset, face_);
  EXPECT_TRUE(down == expected) << "at rest " << Describe(atRest) << ", pressed " << Describe(down);
  EXPECT_EQ(pressed.Count(Olive), 0) << "the glyph's transparent colour shows when pressed";
  EXPECT_TRUE(MatchesReference("bitbtn-pressed"));
  ReleaseLeftButtonAt(centre);
  EXPECT_TRUE(WaitUntil([&] { return !Shown(App().RulesDialog()); }))
      << "the click closes the rules";
}

}  // namespace
}  // namespace e2e
