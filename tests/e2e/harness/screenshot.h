// Screen captures: saved for the record as 24-bit BMPs that the Linux side converts
// and looks at, and compared with the reference pictures kept for each state.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace e2e {

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
