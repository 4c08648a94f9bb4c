#include "harness/screenshot.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>

#include "controls/handles.h"
#include "harness/process.h"
#include "harness/query.h"
#include "harness/wait.h"

namespace e2e {
namespace {

constexpr int MaxCaptures = 20;
constexpr Millis SettleInterval{100};

std::uint64_t Fnv1a(const std::vector<unsigned char>& bytes) {
  std::uint64_t hash = 14695981039346656037ull;
  for (const unsigned char byte : bytes) hash = (hash ^ byte) * 1099511628211ull;
  return hash;
}

BITMAPINFOHEADER HeaderOf(const Picture& picture) {
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = picture.width;
  header.biHeight = picture.height;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  return header;
}

bool WriteBmp(const std::string& path, const Picture& picture) {
  const BITMAPINFOHEADER info = HeaderOf(picture);
  BITMAPFILEHEADER header{};
  header.bfType = 0x4D42;  // "BM"
  header.bfOffBits = sizeof header + sizeof info;
  header.bfSize = header.bfOffBits + static_cast<DWORD>(picture.bytes.size());
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&header), sizeof header);
  out.write(reinterpret_cast<const char*>(&info), sizeof info);
  out.write(reinterpret_cast<const char*>(picture.bytes.data()),
            static_cast<std::streamsize>(picture.bytes.size()));
  return static_cast<bool>(out);
}

// Reads a bottom-up 24-bit BMP, the only kind that WriteBmp and the reference
// conversion write; nothing for anything else.
std::optional<Picture> ReadBmp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  BITMAPFILEHEADER header{};
  BITMAPINFOHEADER info{};
  in.read(reinterpret_cast<char*>(&header), sizeof header);
  in.read(reinterpret_cast<char*>(&info), sizeof info);
  if (!in || header.bfType != 0x4D42 || info.biBitCount != 24 || info.biCompression != BI_RGB ||
      info.biWidth <= 0 || info.biHeight <= 0) {
    return std::nullopt;
  }
  Picture picture(info.biWidth, info.biHeight);
  in.seekg(header.bfOffBits);
  in.read(reinterpret_cast<char*>(picture.bytes.data()),
          static_cast<std::streamsize>(picture.bytes.size()));
  if (!in) return std::nullopt;
  return picture;
}

// Wine's desktop repaints what a hidden window uncovers a moment later, in another
// process: capture until two captures in a row agree, so that the picture shows the
// state the test has just checked rather than the one before.
Picture SettledScreen() {
  Picture picture;
  std::uint64_t previousHash = 0;
  for (int attempt = 0; attempt < MaxCaptures; ++attempt) {
    picture = Capture();
    const std::uint64_t hash = Fnv1a(picture.bytes);
    if (attempt > 0 && hash == previousHash) break;
    previousHash = hash;
    SleepFor(SettleInterval);
  }
  return picture;
}

Picture Crop(const Picture& picture, const RECT& area) {
  Picture part(area.right - area.left, area.bottom - area.top);
  for (int y = 0; y < part.height; ++y) {
    std::memcpy(part.At(0, y), picture.At(area.left, area.top + y),
                static_cast<size_t>(part.width) * 3);
  }
  return part;
}

// The caret blinks, so whether a capture shows it is chance: its place is left out.
std::optional<RECT> CaretOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  const DWORD thread = GetWindowThreadProcessId(window ? window : GetForegroundWindow(), nullptr);
  if (!GetGUIThreadInfo(thread, &info) || !info.hwndCaret) return std::nullopt;
  RECT caret = info.rcCaret;
  MapWindowPoints(info.hwndCaret, nullptr, reinterpret_cast<POINT*>(&caret), 2);
  return caret;
}

bool Masked(const std::vector<RECT>& masks, int x, int y) {
  for (const RECT& mask : masks) {
    if (x >= mask.left && x < mask.right && y >= mask.top && y < mask.bottom) return true;
  }
  return false;
}

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

COLORREF Picture::Pixel(int x, int y) const {
  const unsigned char* bgr = At(x, y);
  return RGB(bgr[2], bgr[1], bgr[0]);
}

Picture Capture(const RECT& area) {
  Picture picture(area.right - area.left, area.bottom - area.top);
  BITMAPINFO info{};
  info.bmiHeader = HeaderOf(picture);
  const ScopedWindowDc screen(nullptr);
  void* bits = nullptr;
  const UniqueBitmap bitmap(
      CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  const UniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
  if (!bitmap || !memory) return {};
  {
    const ScopedSelect selected(memory.get(), bitmap.get());
    BitBlt(memory.get(), 0, 0, picture.width, picture.height, screen.get(), area.left, area.top,
           SRCCOPY);
  }
  GdiFlush();
  const auto* first = static_cast<const unsigned char*>(bits);
  picture.bytes.assign(first, first + picture.bytes.size());
  return picture;
}

Picture Capture(HWND window) {
  RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  RECT bounds{};
  if (window && GetWindowRect(window, &bounds)) IntersectRect(&area, &area, &bounds);
  return Capture(area);
}

std::string ScreenshotFolder() {
  const std::string folder = WindowsPath(Environment("QUORL_E2E_SHOTS", "e2e-shots"));
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

std::string SaveScreenshot(const std::string& name) {
  const std::string path = ScreenshotFolder() + "\\" + name + ".bmp";
  return WriteBmp(path, SettledScreen()) ? path : std::string{};
}

COLORREF ScreenPixel(POINT at) { return Capture(RECT{at.x, at.y, at.x + 1, at.y + 1}).Pixel(0, 0); }

::testing::AssertionResult MatchesReference(const std::string& reference, HWND window,
                                            std::vector<RECT> masks) {
  const Picture screen = SettledScreen();
  const std::string shots = ScreenshotFolder() + "\\" + reference;
  WriteBmp(shots + ".bmp", screen);
  RECT area{0, 0, screen.width, screen.height};
  RECT bounds{};
  if (window && GetWindowRect(window, &bounds)) IntersectRect(&area, &area, &bounds);
  Picture actual = Crop(screen, area);
  if (const auto caret = CaretOf(window)) masks.push_back(*caret);
  for (RECT& mask : masks) OffsetRect(&mask, -area.left, -area.top);

  const std::string update = Environment("QUORL_E2E_UPDATE_REFERENCES", "");
  if (!update.empty()) {
    // Masked pixels in magenta, for the person who looks at the new pictures.
    for (int y = 0; y < actual.height; ++y) {
      for (int x = 0; x < actual.width; ++x) {
        if (Masked(masks, x, y)) std::memcpy(actual.At(x, y), "\xff\x00\xff", 3);
      }
    }
    const std::string folder = WindowsPath(update);
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string path = folder + "\\" + reference + ".bmp";
    if (!WriteBmp(path, actual)) return ::testing::AssertionFailure() << "cannot write " << path;
    return ::testing::AssertionSuccess();
  }

  const std::string folder = WindowsPath(Environment("QUORL_E2E_REFERENCES", "references"));
  const std::string path = folder + "\\" + reference + ".bmp";
  // Set when this machine's wine or fonts are not those the references were made with.
  const std::string renderer = ReadText(folder + "\\renderer-differs.txt");
  const auto expected = ReadBmp(path);
  auto failure = [&] {
    WriteBmp(shots + "-actual.bmp", actual);
    return ::testing::AssertionFailure()
           << "the screen within " << Describe(area) << " (capture " << shots << "-actual.bmp) ";
  };
  if (!expected) {
    return failure() << "has no reference picture " << path
                     << ": write the references (README, \"Reference pictures\")";
  }
  if (expected->width != actual.width || expected->height != actual.height) {
    return failure() << "is " << actual.width << "x" << actual.height << ", its reference " << path
                     << " " << expected->width << "x" << expected->height << renderer;
  }
  long differing = 0;
  RECT box{actual.width, actual.height, 0, 0};
  Picture diff = actual;
  for (int y = 0; y < actual.height; ++y) {
    for (int x = 0; x < actual.width; ++x) {
      unsigned char* pixel = diff.At(x, y);
      if (Masked(masks, x, y) || std::memcmp(pixel, expected->At(x, y), 3) == 0) {
        // Faded, so that the marks stand out.
        for (int c = 0; c < 3; ++c) pixel[c] = static_cast<unsigned char>(pixel[c] / 4 + 191);
        continue;
      }
      ++differing;
      std::memcpy(pixel, "\x00\x00\xff", 3);  // red
      box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y),
             std::max<LONG>(box.right, x + 1), std::max<LONG>(box.bottom, y + 1)};
    }
  }
  if (differing == 0) {
    // What an earlier mismatch left would pass for this run's.
    DeleteFileA((shots + "-actual.bmp").c_str());
    DeleteFileA((shots + "-diff.bmp").c_str());
    return ::testing::AssertionSuccess();
  }
  WriteBmp(shots + "-diff.bmp", diff);
  return failure() << "differs from its reference " << path << " in " << differing
                   << " pixels within " << Describe(box) << " of it (marked red in " << shots
                   << "-diff.bmp)" << renderer;
}

}  // namespace e2e
