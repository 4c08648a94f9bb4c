#include "controls/font.h"

UniqueFont CreatePlatformFont(const TFont& font) {
  LOGFONTA log{};
  log.lfHeight = font.height;
  log.lfWeight = (font.style & fsBold) ? FW_BOLD : FW_NORMAL;
  log.lfItalic = (font.style & fsItalic) ? TRUE : FALSE;
  log.lfUnderline = (font.style & fsUnderline) ? TRUE : FALSE;
  log.lfStrikeOut = (font.style & fsStrikeOut) ? TRUE : FALSE;
  log.lfCharSet = static_cast<BYTE>(font.charset);
  log.lfOutPrecision = OUT_DEFAULT_PRECIS;
  log.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  log.lfQuality = DEFAULT_QUALITY;
  log.lfPitchAndFamily = DEFAULT_PITCH;
  font.name.copy(log.lfFaceName, LF_FACESIZE - 1);
  return UniqueFont(CreateFontIndirectA(&log));
}
