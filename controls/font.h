#pragma once
// A control's font as its description gives it, and the platform font made from it.
#include <windows.h>

#include <string>

#include "base/color.h"
#include "controls/handles.h"

enum FontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

struct TFont {
  std::string name = "MS Sans Serif";
  int height = -11;  // negative: character height in pixels
  TColor color = clWindowText;
  int charset = DEFAULT_CHARSET;
  unsigned style = 0;  // FontStyle bits
};

UniqueFont CreatePlatformFont(const TFont& font);
