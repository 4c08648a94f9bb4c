#include "controls/bitmap.h"

#include <algorithm>
#include <vector>

#include "base/errors.h"

namespace {

// Copying between pixel formats goes through a buffer as large as the copied area;
// bands of this many rows keep it small (a full 800 by 546 picture would need 1.7 MB).
constexpr LONG BandRows = 32;

UniquePalette PaletteOf(HBITMAP bitmap) {
  UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
  ScopedSelect select(dc.get(), bitmap);
  RGBQUAD colors[256];
  const UINT count = GetDIBColorTable(dc.get(), 0, 256, colors);
  if (count == 0) return UniquePalette();
  std::vector<unsigned char> storage(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
  auto* palette = reinterpret_cast<LOGPALETTE*>(storage.data());
  palette->palVersion = 0x300;
  palette->palNumEntries = static_cast<WORD>(count);
  for (UINT i = 0; i < count; ++i) {
    palette->palPalEntry[i] =
        PALETTEENTRY{colors[i].rgbRed, colors[i].rgbGreen, colors[i].rgbBlue, 0};
  }
  return UniquePalette(CreatePalette(palette));
}

// The stored bitmap's header with its colour table, checked; the pixels follow it.
struct StoredBitmap {
  const BITMAPINFO* info = nullptr;
  std::size_t infoSize = 0;
};

StoredBitmap FindStoredBitmap(const std::string& name) {
  const HMODULE module = GetModuleHandleA(nullptr);
  const HRSRC found = FindResourceA(module, name.c_str(), RT_BITMAP);
  const HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const auto* stored = loaded ? static_cast<const BITMAPINFO*>(LockResource(loaded)) : nullptr;
  if (!stored) throw ResourceNotFound(name);
  const BITMAPINFOHEADER& header = stored->bmiHeader;
  const DWORD colors = header.biClrUsed != 0    ? header.biClrUsed
                       : header.biBitCount <= 8 ? 1u << header.biBitCount
                                                : 0u;
  const std::size_t infoSize = header.biSize + colors * sizeof(RGBQUAD);
  if (header.biSize < sizeof(BITMAPINFOHEADER) || infoSize > SizeofResource(module, found)) {
    throw ResourceNotFound(name);
  }
  return {stored, infoSize};
}

LONG StoredHeight(const BITMAPINFOHEADER& header) {
  return header.biHeight < 0 ? -header.biHeight : header.biHeight;
}

}  // namespace

BitmapSize StoredBitmapSize(const std::string& name) {
  const BITMAPINFOHEADER& header = FindStoredBitmap(name).info->bmiHeader;
  return {header.biWidth, StoredHeight(header)};
}

void RequireBitmapResource(const std::string& name) {
  if (FindResourceA(GetModuleHandleA(nullptr), name.c_str(), RT_BITMAP) == nullptr) {
    throw ResourceNotFound(name);
  }
}

TBitmap LoadBitmapResource(const std::string& name) {
  // The pictures are stored run-length encoded (BI_RLE8), which a DIB section cannot
  // hold and LoadImage is not documented to expand: the section is made with the
  // stored header marked uncompressed, then SetDIBits decodes the stored pixels into
  // it once. Uncompressed bitmaps take the same path.
  const StoredBitmap found = FindStoredBitmap(name);
  const BITMAPINFO* stored = found.info;
  const BITMAPINFOHEADER& header = stored->bmiHeader;
  const std::size_t infoSize = found.infoSize;
  std::vector<unsigned char> plainStorage(
      reinterpret_cast<const unsigned char*>(stored),
      reinterpret_cast<const unsigned char*>(stored) + infoSize);
  auto* plain = reinterpret_cast<BITMAPINFO*>(plainStorage.data());
  plain->bmiHeader.biCompression = BI_RGB;
  plain->bmiHeader.biSizeImage = 0;

  TBitmap result;
  UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
  void* pixels = nullptr;
  result.bitmap.reset(CreateDIBSection(dc.get(), plain, DIB_RGB_COLORS, &pixels, nullptr, 0));
  const LONG height = StoredHeight(header);
  if (!result.bitmap || SetDIBits(dc.get(), result.bitmap.get(), 0, static_cast<UINT>(height),
                                  reinterpret_cast<const unsigned char*>(stored) + infoSize, stored,
                                  DIB_RGB_COLORS) == 0) {
    throw ResourceNotFound(name);
  }
  result.width = header.biWidth;
  result.height = height;
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
