#include "harness/screenshot.h"

#include <windows.h>

#include <cstdint>
#include <fstream>

#include "harness/process.h"
#include "harness/wait.h"

namespace e2e {
namespace {

struct ScreenDc {
  ScreenDc() : dc(GetDC(nullptr)) {}
  ~ScreenDc() { ReleaseDC(nullptr, dc); }
  ScreenDc(const ScreenDc&) = delete;
  ScreenDc& operator=(const ScreenDc&) = delete;
  HDC dc;
};

struct MemoryDc {
  explicit MemoryDc(HDC compatible) : dc(CreateCompatibleDC(compatible)) {}
  ~MemoryDc() { DeleteDC(dc); }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  HDC dc;
};

struct Bitmap {
  explicit Bitmap(HBITMAP handle) : bitmap(handle) {}
  ~Bitmap() {
    if (bitmap) DeleteObject(bitmap);
  }
  Bitmap(const Bitmap&) = delete;
  Bitmap& operator=(const Bitmap&) = delete;
  HBITMAP bitmap;
};

constexpr int MaxCaptures = 20;
constexpr Millis SettleInterval{100};

std::uint64_t Fnv1a(const unsigned char* bytes, size_t size) {
  std::uint64_t hash = 14695981039346656037ull;
  for (size_t i = 0; i < size; ++i) {
    hash = (hash ^ bytes[i]) * 1099511628211ull;
  }
  return hash;
}

}  // namespace

std::string ScreenshotFolder() {
  const std::string folder = WindowsPath(Environment("QUORL_E2E_SHOTS", "e2e-shots"));
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

std::string SaveScreenshot(const std::string& name) {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;

  ScreenDc screen;
  void* bits = nullptr;
  Bitmap bitmap(CreateDIBSection(screen.dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap.bitmap) return {};
  MemoryDc memory(screen.dc);
  const auto stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
  const DWORD imageSize = stride * static_cast<DWORD>(height);
  // Wine's desktop repaints what a hidden window uncovers a moment later, in another
  // process: capture until two captures in a row agree, so that the picture shows the
  // state the test has just checked rather than the one before.
  std::uint64_t previousHash = 0;
  for (int attempt = 0; attempt < MaxCaptures; ++attempt) {
    const HGDIOBJ previous = SelectObject(memory.dc, bitmap.bitmap);
    BitBlt(memory.dc, 0, 0, width, height, screen.dc, 0, 0, SRCCOPY);
    SelectObject(memory.dc, previous);
    GdiFlush();
    const std::uint64_t hash = Fnv1a(static_cast<const unsigned char*>(bits), imageSize);
    if (attempt > 0 && hash == previousHash) break;
    previousHash = hash;
    SleepFor(SettleInterval);
  }

  BITMAPFILEHEADER header{};
  header.bfType = 0x4D42;  // "BM"
  header.bfOffBits = sizeof header + sizeof info.bmiHeader;
  header.bfSize = header.bfOffBits + imageSize;

  const std::string path = ScreenshotFolder() + "\\" + name + ".bmp";
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&header), sizeof header);
  out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
  out.write(static_cast<const char*>(bits), static_cast<std::streamsize>(imageSize));
  return out ? path : std::string{};
}

COLORREF ScreenPixel(POINT at) {
  ScreenDc screen;
  return GetPixel(screen.dc, at.x, at.y);
}

}  // namespace e2e
