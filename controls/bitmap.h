#pragma once
// Bitmaps of the program's resources with the palette of their colour table.
#include <windows.h>

#include <string>

#include "controls/handles.h"

struct TBitmap {
  UniqueBitmap bitmap;
  UniquePalette palette;  // none for bitmaps without a colour table
  int width = 0;
  int height = 0;

  bool Empty() const { return !bitmap; }
};

// Raises EResNotFound when the program holds no bitmap of that name.
TBitmap LoadBitmapResource(const std::string& name);
// The same check without loading the bitmap.
void RequireBitmapResource(const std::string& name);

// The stored bitmap's width and height, read from its header without decoding it;
// the same check as above.
struct BitmapSize {
  int width = 0;
  int height = 0;
};
BitmapSize StoredBitmapSize(const std::string& name);

// Draws the whole bitmap unscaled with its top-left corner at (x, y).
void DrawBitmap(HDC dc, const TBitmap& bitmap, int x, int y);

// The colour of the bitmap's pixel (x, y).
COLORREF BitmapPixel(const TBitmap& bitmap, int x, int y);
