// Screen captures for the record: the whole screen (wine's virtual desktop) saved as
// a 24-bit BMP that the Linux side can convert and look at.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

// Folder for the captures (created on first use); from QUORL_E2E_SHOTS.
std::string ScreenshotFolder();
// Saves the screen as `<folder>/<name>.bmp`; returns the file's path, empty on failure.
std::string SaveScreenshot(const std::string& name);
// The colour of one pixel of the screen.
COLORREF ScreenPixel(POINT at);

}  // namespace e2e
