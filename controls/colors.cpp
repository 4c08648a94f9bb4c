#include "controls/colors.h"

COLORREF ColorToRgb(TColor color) {
  if ((color & SystemColorMark) == SystemColorMark) {
    return GetSysColor(static_cast<int>(color & SystemColorIndex));
  }
  return static_cast<COLORREF>(color);
}
