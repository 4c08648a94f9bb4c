#pragma once
// Colour values of the windows (base/color.h) turned into what the platform draws.
#include <windows.h>

#include "base/color.h"

// System colours (0xFF0000nn) become the platform's current colour nn; a fixed colour
// is its red, green and blue; a palette-relative one keeps its high byte 2, so that
// the display maps it to the nearest palette entry.
COLORREF ColorToRgb(TColor color);
