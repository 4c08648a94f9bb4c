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
  explicit Capture(HWND window) : rect_(screenRect(window)) {
    const SIZE size = sizeOf(rect_);
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

  int width() const { return width_; }
  int height() const { return height_; }
  COLORREF at(int x, int y) const { return pixels_[static_cast<size_t>(y * width_ + x)]; }

  int count(COLORREF color) const {
    int found = 0;
    for (COLORREF pixel : pixels_) found += pixel == color ? 1 : 0;
    return found;
  }

  // Pixels of the border that are not `colour`.
  int borderNot(COLORREF color) const {
    int other = 0;
    for (int x = 0; x < width_; ++x) {
      other += (at(x, 0) != color) + (at(x, height_ - 1) != color);
    }
    for (int y = 1; y + 1 < height_; ++y) {
      other += (at(0, y) != color) + (at(width_ - 1, y) != color);
    }
    return other;
  }

  // Pixels of the row `y`, from `inset` to `width - inset`, that are not `colour`.
  int rowNot(int y, int inset, COLORREF color) const {
    int other = 0;
    for (int x = inset; x < width_ - inset; ++x) other += at(x, y) != color;
    return other;
  }

  // The bounding box of what is drawn on the face inside `inset` pixels: the glyph and
  // the caption.
  RECT content(int inset, COLORREF face) const {
    RECT box{width_, height_, -1, -1};
    for (int y = inset; y < height_ - inset; ++y) {
      for (int x = inset; x < width_ - inset; ++x) {
        if (at(x, y) == face) continue;
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

std::string describe(const RECT& r) {
  return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" +
         std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

// The glyph's transparent colour: olive, which must never reach the screen.
constexpr COLORREF kOlive = RGB(128, 128, 0);
// The focus rectangle lies four pixels inside the button; the glyph and the caption
// stay further in.
constexpr int kFocusInset = 4;
constexpr int kContentInset = kFocusInset + 1;

class BitBtnDrawingTest : public QuorlTest {
protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(start());
    ASSERT_NO_FATAL_FAILURE(openRules(rules_));
    // The pointer away from the button, so that nothing hovers.
    movePointerTo({5, 5});
  }

  // Waits until the button shows what `ready` looks for, then returns the capture.
  template <class Ready>
  Capture settled(Ready ready) {
    Capture capture(rules_.ok);
    waitUntil([&] {
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
  const Capture shot = settled([&](const Capture& c) {
    return c.borderNot(frame_) == 0 && c.rowNot(kFocusInset, kFocusInset, face_) > 0;
  });
  EXPECT_EQ(shot.borderNot(frame_), 0) << "the default button's outline all round";
  // The focus rectangle is dotted: about every other pixel of its top row differs
  // from the face.
  const int row = shot.width() - 2 * kFocusInset;
  const int dotted = shot.rowNot(kFocusInset, kFocusInset, face_);
  EXPECT_GE(dotted, row / 3) << "no focus rectangle";
  EXPECT_LE(dotted, 2 * row / 3) << "a solid line rather than dots";
  EXPECT_EQ(shot.count(kOlive), 0) << "the glyph's transparent colour shows";
  const RECT content = shot.content(kContentInset, face_);
  EXPECT_LT(content.left, content.right) << "no glyph or caption";
}

TEST_F(BitBtnDrawingTest, WithoutTheFocusTheDefaultButtonKeepsItsOutlineOnly) {
  clickAt(centreOf(rules_.memo));
  ASSERT_TRUE(waitUntil([&] { return app().focus() == rules_.memo; }));
  movePointerTo({5, 5});
  const Capture shot =
      settled([&](const Capture& c) { return c.rowNot(kFocusInset, kFocusInset, face_) == 0; });
  EXPECT_EQ(shot.rowNot(kFocusInset, kFocusInset, face_), 0) << "a focus rectangle is left";
  EXPECT_EQ(shot.borderNot(frame_), 0)
      << "the default button stays the active one while the memo has the focus";
  EXPECT_EQ(shot.count(kOlive), 0);
}

TEST_F(BitBtnDrawingTest, HeldDownTheGlyphAndCaptionMoveOnePixelRightAndDown) {
  const Capture rest = settled([&](const Capture& c) { return c.borderNot(frame_) == 0; });
  const RECT atRest = rest.content(kContentInset, face_);
  ASSERT_LT(atRest.left, atRest.right) << "no glyph or caption";
  const RECT expected{atRest.left + 1, atRest.top + 1, atRest.right + 1, atRest.bottom + 1};

  const POINT centre = centreOf(rules_.ok);
  pressLeftButtonAt(centre);
  EXPECT_TRUE(waitUntil([&] {
    return (SendMessageA(rules_.ok, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
  })) << "the button is not held down";
  const Capture pressed =
      settled([&](const Capture& c) { return c.content(kContentInset, face_) == expected; });
  const RECT down = pressed.content(kContentInset, face_);
  EXPECT_TRUE(down == expected) << "at rest " << describe(atRest) << ", pressed " << describe(down);
  EXPECT_EQ(pressed.count(kOlive), 0) << "the glyph's transparent colour shows when pressed";
  EXPECT_TRUE(matchesReference("bitbtn-pressed"));
  releaseLeftButtonAt(centre);
  EXPECT_TRUE(waitUntil([&] { return !shown(app().rulesDialog()); }))
      << "the click closes the rules";
}

}  // namespace
}  // namespace e2e
