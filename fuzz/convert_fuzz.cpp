// Feeds arbitrary bytes to the decimal conversion and to the guess evaluation. The
// first byte picks the user's separator; the rest is the text. Every text is accepted
// or refused as the rules evaluated independently (MPFR) say, with the same value to
// the last bit; where the rules round correctly, that value is also the C library's
// strtold's. The caller's floating-point environment comes back untouched, and a guess
// leaves the game consistent.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "base/errors.h"
#include "game/board.h"
#include "game/decimal.h"
#include "game/floating.h"
#include "game/game.h"
#include "game/x87.h"
#include "rules_oracle.h"

namespace {

class Board : public GameBoard {
public:
  std::string guess;
  int lines = 0;
  int announced = 0;
  std::string GuessText() const override { return guess; }
  void SetGuessText(const std::string& text) override { guess = text; }
  void RepaintGuess() override {}
  int HistoryCount() const override { return lines; }
  void AppendHistory(const std::string&) override { ++lines; }
  void DeleteFirstHistoryLine() override { --lines; }
  void AnnounceLastHistoryLine() override { ++announced; }
  void SetCounterText(const std::string&) override {}
  void RepaintCounter() override {}
  void SetCongratulation(const std::string&) override {}
  void ShowCongratulation() override {}
  void SetMessageColor(TColor) override {}
  void SetScoresColor(TColor) override {}
};

void Check(bool condition) {
  if (!condition) std::abort();
}

// The same 80 bits: sign of zero and denormals included.
bool SameExtended(long double a, long double b) {
  constexpr std::size_t Bytes = 10;
  return std::memcmp(&a, &b, Bytes) == 0;
}

// The text with "." as separator, cut at a NUL, for strtold.
long double Strtold(std::string_view text) {
  std::string copy(text.substr(0, text.find('\0')));
  for (char& c : copy) {
    if (c == LocaleDecimalSeparator) c = '.';
  }
  return std::strtold(copy.c_str(), nullptr);
}

void ConvertOrRefuse(std::string_view text) {
  const std::uint16_t control = x87::ControlWord();
  const OracleResult expected = EvaluateConversionRules(text, LocaleDecimalSeparator);
  try {
    const long double value = DecimalTextToReal(text);
    Check(expected.accepted && std::isfinite(value));
    Check(SameExtended(value, expected.value));
    // Compared as numbers: strtold gives +0 for "-," where the rules keep the sign.
    if (expected.exactlyRounded) Check(value == Strtold(text));
  } catch (const EConvertError& error) {
    Check(!expected.accepted);
    Check(error.Message().size() == text.size() + 53);
  }
  Check(x87::ControlWord() == control);
  Check((x87::Flags() & (x87::InvalidOperation | x87::Overflow)) == 0);
}

void Evaluate(std::string_view text) {
  Board board;
  board.guess = std::string(text);
  Secret = 5000;
  AttemptCounter = 0;
  try {
    EvaluateGuess(board);
    Check(board.guess.empty());
    Check(AttemptCounter == board.lines);
    Check(board.lines <= 1);
    Check(board.announced <= 1 && board.announced >= board.lines);  // a line written is announced
  } catch (const EOverflow&) {
    Check(board.guess == text && board.lines == 0 && board.announced == 0 && AttemptCounter == 0);
  }
  Check(Secret >= 10 && Secret <= 10000);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool initialised = (InitFloatingPointUnit(), true);
  (void)initialised;
  if (size == 0) return 0;
  LocaleDecimalSeparator = (data[0] & 1) ? ',' : '.';
  const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
  ConvertOrRefuse(text);
  Evaluate(text);
  return 0;
}
