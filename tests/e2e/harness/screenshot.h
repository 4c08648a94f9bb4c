// Screen captures: read pixel by pixel, saved for the record as 24-bit BMPs that the
// Linux side converts and looks at, and compared with the reference pictures kept for
// each state.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace e2e {

// A picture as 24-bit BMPs hold it: blue, green, red, rows from the bottom up, each
// padded to four bytes.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> bytes;

  Picture() = default;
  Picture(int w, int h) : width(w), height(h), bytes(static_cast<size_t>(Stride() * h)) {}
  int Stride() const { return (width * 3 + 3) & ~3; }
  // The pixel at (x, y), counted from the top left (the rows are stored bottom up).
  size_t Offset(int x, int y) const {
    return static_cast<size_t>((height - 1 - y) * Stride() + x * 3);
  }
  unsigned char* At(int x, int y) { return &bytes[Offset(x, y)]; }
  const unsigned char* At(int x, int y) const { return &bytes[Offset(x, y)]; }
  COLORREF Pixel(int x, int y) const;
};

// The screen within `area` (screen coordinates), or under `window` (the whole screen
// when null), as it is now.
Picture Capture(const RECT& area);
Picture Capture(HWND window = nullptr);
// Folder for the captures (created on first use); from QUORL_E2E_SHOTS.
std::string ScreenshotFolder();
// Saves the screen as `<folder>/<name>.bmp`; returns the file's path, empty on failure.
std::string SaveScreenshot(const std::string& name);
// The colour of one pixel of the screen.
COLORREF ScreenPixel(POINT at);

// Saves the screen as SaveScreenshot does and compares the part that `window` covers
// (the whole screen when null) with the reference picture `reference`, pixel for
// pixel, leaving out the caret and `masks` (screen coordinates). A mismatch names the
// count of differing pixels and their bounding box and leaves `<reference>-actual.bmp`
// and `<reference>-diff.bmp` beside the captures. With QUORL_E2E_UPDATE_REFERENCES set
// to a folder, the part is written there as the new reference instead.
::testing::AssertionResult MatchesReference(const std::string& reference, HWND window = nullptr,
                                            std::vector<RECT> masks = {});

}  // namespace e2e
