#include "forms/controls/bitmap.h"

#include <vector>

#include "game/errors.h"

namespace {

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

TBitmap LoadBitmapResource(const std::string& name) {
  TBitmap result;
  result.bitmap.reset(static_cast<HBITMAP>(LoadImageA(
      GetModuleHandleA(nullptr), name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (!result.bitmap) throw EResNotFound("Ressource " + name + " non trouvée");
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
  BitBlt(dc, x, y, bitmap.width, bitmap.height, source.get(), 0, 0, SRCCOPY);
}

COLORREF BitmapPixel(const TBitmap& bitmap, int x, int y) {
  UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
  ScopedSelect select(dc.get(), bitmap.bitmap.get());
  return GetPixel(dc.get(), x, y);
}
