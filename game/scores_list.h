#pragma once
// The best-scores window's rules that need no window: reading the index box as a
// number and rewriting one line of the list from the name box.
#include <cstddef>
#include <cstdint>
#include <string>

// The list of best scores as the rules see it; the window's list box implements it.
class ScoresLines {
public:
  virtual ~ScoresLines() = default;
  virtual int Count() const = 0;
  virtual std::string Line(int index) const = 0;
  virtual void Insert(int index, const std::string& line) = 0;
  virtual void Delete(int index) = 0;
};

// The index box's text as a 32-bit signed integer: leading blanks, then decimal
// digits with an optional sign, or a hexadecimal pattern after "$", "x", "X", "0x"
// or "0X" (no sign). Raises EConvertError for anything else.
std::int32_t ScoresIndexToInteger(const std::string& text);

// Width of the score field that starts every line, kept when the name is rewritten.
constexpr std::size_t ScoreFieldWidth = 6;

// Replaces line `index` by its score field (padded with blanks to its width) followed
// by `name`: inserts the new line at `index`, then deletes the old one after it.
// Raises EStringListError, leaving the list as it was, for an index outside the list.
void RewriteScoresLine(ScoresLines& lines, std::int32_t index, const std::string& name);

// The name box's change handler: the index box's text picks the line, the name box's
// text is written into it. A failure leaves the list as it was.
void ApplyScoresName(ScoresLines& lines, const std::string& indexText, const std::string& name);
