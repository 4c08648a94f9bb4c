#include "game/scores_list.h"

#include <cstddef>
#include <cstdint>
#include <limits>

#include "base/errors.h"
#include "base/format.h"
#include "base/platform.h"
#include "res/strings.h"

namespace {

[[noreturn]] void NotAnInteger(const std::string& text) {
  throw EConvertError(FormatText(LoadText(IDS_BAD_INTEGER), {text}));
}

// Length of a hexadecimal prefix at `pos`, or 0 when there is none.
std::size_t HexPrefixLength(const std::string& text, std::size_t pos) {
  if (pos >= text.size()) return 0;
  const char c = text[pos];
  if (c == '$' || c == 'x' || c == 'X') return 1;
  if (c == '0' && pos + 1 < text.size() && (text[pos + 1] == 'x' || text[pos + 1] == 'X')) {
    return 2;
  }
  return 0;
}

}  // namespace

std::int32_t ScoresIndexToInteger(const std::string& text) {
  std::size_t pos = 0;
  while (pos < text.size() && text[pos] == ' ') ++pos;

  if (const std::size_t prefix = HexPrefixLength(text, pos); prefix != 0) {
    pos += prefix;
    if (pos == text.size()) NotAnInteger(text);
    std::uint64_t value = 0;
    for (; pos < text.size(); ++pos) {
      const int digit = HexDigitValue(text[pos]);
      if (digit < 0) NotAnInteger(text);
      value = value * 16 + static_cast<std::uint64_t>(digit);
      if (value > std::numeric_limits<std::uint32_t>::max()) NotAnInteger(text);
    }
    // The 32 bits taken as they are: $FFFFFFFF is -1.
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
  }

  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  if (pos == text.size()) NotAnInteger(text);
  // Magnitude limit: 2^31 - 1, or 2^31 for a negative number.
  using Limits = std::numeric_limits<std::int32_t>;
  const std::int64_t limit = negative ? -std::int64_t{Limits::min()} : Limits::max();
  std::int64_t value = 0;
  for (; pos < text.size(); ++pos) {
    const char c = text[pos];
    if (!IsDigit(c)) NotAnInteger(text);
    value = value * 10 + (c - '0');
    if (value > limit) NotAnInteger(text);
  }
  return static_cast<std::int32_t>(negative ? -value : value);
}

void RewriteScoresLine(ScoresLines& lines, std::int32_t index, const std::string& name) {
  if (index < 0 || index >= lines.Count()) {
    throw EStringListError(FormatText(LoadText(IDS_LIST_INDEX), {index}));
  }
  std::string line = lines.Line(index).substr(0, ScoreFieldWidth);
  line.resize(ScoreFieldWidth, ' ');
  line += name;
  lines.Insert(index, line);
  lines.Delete(index + 1);
}

void ApplyScoresName(ScoresLines& lines, const std::string& indexText, const std::string& name) {
  RewriteScoresLine(lines, ScoresIndexToInteger(indexText), name);
}
