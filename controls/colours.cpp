#include "controls/colours.h"

COLORREF ColorToRgb(TColor colour) {
  if ((colour & 0xFF000000u) == 0xFF000000u) return GetSysColor(static_cast<int>(colour & 0xFFu));
  return static_cast<COLORREF>(colour);
}
