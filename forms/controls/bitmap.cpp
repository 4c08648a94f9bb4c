#include "forms/controls/bitmap.h"

#include <algorithm>
#include <vector>

#include "game/errors.h"

namespace {

// Copying between pixel formats goes through a buffer as large as the copied area;
// bands of this many rows keep it small (a full 800 by 546 picture would need 1.7 MB).
constexpr LONG BandRows = 32;

UniquePalette PaletteOf(HBITMAP bitmap) {
  UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
  ScopedSelect select(dc.get(), bitmap);
  RGBQUAD colours[256];
  const UINT count = GetDIBColorTable(dc.get(), 0, 256, colours);
  if (count == 0) return UniquePalette();
  std::vector<unsigned char> storage(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
  auto* palette = reinterpret_cast<LOGPALETTE*>(storage.data());
  palette->palVersion = 0x300;
  palette->palNumEntries = static_cast<WORD>(count);
  for (UINT i = 0; i < count; ++i) {
    palette->palPalEntry[i] = PALETTEENTRY{colours[i].rgbRed, colours[i].rgbGreen,
                                           colours[i].rgbBlue, 0};
  }
  return UniquePalette(CreatePalette(palette));
}

}  // namespace

void RequireBitmapResource(const std::string& name) {
  if (FindResourceA(GetModuleHandleA(nullptr), name.c_str(), RT_BITMAP) == nullptr) {
    throw ResourceNotFound(name);
  }
}

TBitmap LoadBitmapResource(const std::string& name) {
  TBitmap result;
  result.bitmap.reset(static_cast<HBITMAP>(LoadImageA(
      GetModuleHandleA(nullptr), name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (!result.bitmap) throw ResourceNotFound(name);
  BITMAP info{};
  GetObjectA(result.bitmap.get(), sizeof info, &info);
  result.width = info.bmWidth;
  result.height = info.bmHeight;
  result.palette = PaletteOf(result.bitmap.get());
  return result;
}

void DrawBitmap(HDC dc, const TBitmap& bitmap, int x, int y) {
  if (bitmap.Empty()) return;
  ScopedPalette palette(dc, bitmap.palette.get());
  UniqueMemoryDc source(CreateCompatibleDC(dc));
  ScopedSelect select(source.get(), bitmap.bitmap.get());
  // Only the part that can show is copied.
  RECT area{x, y, x + bitmap.width, y + bitmap.height};
  RECT clip{};
  const int clipKind = GetClipBox(dc, &clip);
  if (clipKind == NULLREGION) return;
  if (clipKind != ERROR && !IntersectRect(&area, &area, &clip)) return;
  for (LONG top = area.top; top < area.bottom; top += BandRows) {
    BitBlt(dc, area.left, top, area.right - area.left, std::min(BandRows, area.bottom - top),
           source.get(), area.left - x, top - y, SRCCOPY);
  }
}

COLORREF BitmapPixel(const TBitmap& bitmap, int x, int y) {
  UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
  ScopedSelect select(dc.get(), bitmap.bitmap.get());
  return GetPixel(dc.get(), x, y);
}
