#include <windows.h>

#include "base/wide_text.h"

WideText ToWide(const std::string& text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(ProgramCodePage, 0, text.data(), size, nullptr, 0);
  WideText wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
  MultiByteToWideChar(ProgramCodePage, 0, text.data(), size, wide.data(), length);
  return wide;
}

std::string FromWide(const wchar_t* text, std::size_t length) {
  if (text == nullptr || length == 0) return {};
  const int size = static_cast<int>(length);
  const int bytes =
      WideCharToMultiByte(ProgramCodePage, 0, text, size, nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<std::size_t>(bytes > 0 ? bytes : 0), '\0');
  WideCharToMultiByte(ProgramCodePage, 0, text, size, narrow.data(), bytes, nullptr, nullptr);
  return narrow;
}
