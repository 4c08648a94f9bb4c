#include "game/game.h"

#include <string>

#include "base/errors.h"
#include "base/format.h"
#include "base/platform.h"
#include "game/decimal.h"
#include "game/floating.h"
#include "game/random.h"
#include "res/strings.h"

std::int32_t Secret = 0;
std::int32_t AttemptCounter = 0;

namespace {

constexpr int HistoryLines = 12;
constexpr double LargestGuess = 10.0;

// 10 to 10000 thousandths: the smallest secret is 0.010, the largest is 10, the
// largest guess accepted.
std::int32_t DrawSecret() {
  constexpr std::uint32_t Smallest = 10;
  constexpr std::uint32_t Largest = 10000;
  return static_cast<std::int32_t>(RandomBelow(Largest - Smallest + 1) + Smallest);
}

void ClearHistory(GameBoard& board) {
  while (board.HistoryCount() > 0) board.DeleteFirstHistoryLine();
}

// Either separator typed by the player is read as the user's: the first "." or ","
// becomes LocaleDecimalSeparator. A second one still refuses the text.
std::string WithLocaleSeparator(std::string text) {
  const std::size_t separator = text.find_first_of(".,");
  if (separator != std::string::npos) text[separator] = LocaleDecimalSeparator;
  return text;
}

// The guess as a double real; -1 (refused) when the text is not a number. Narrowing
// a value beyond the double range raises EOverflow, which is not a refusal.
double GuessValue(const std::string& text) {
  long double converted;
  try {
    converted = DecimalTextToReal(WithLocaleSeparator(text));
  } catch (const EConvertError&) {
    return -1.0;
  }
  return NarrowToDouble(converted);
}

}  // namespace

void NewGame(GameBoard& board) {
  ReseedFromClock();
  board.SetMessageColor(GameBlue);
  board.SetScoresColor(GameBlue);
  Secret = DrawSecret();
  AttemptCounter = 0;
  board.SetCounterText("0");
  ClearHistory(board);
}

void EvaluateGuess(GameBoard& board) {
  const double guess = GuessValue(board.GuessText());
  if (guess > LargestGuess || !(guess >= 0.0)) {
    board.SetGuessText("");
    board.RepaintGuess();
    return;
  }
  // A double times 1000 is exact in extended: the only rounding left is the last.
  const auto thousandths =
      static_cast<std::int32_t>(RoundToInteger(CheckedMultiply(guess, 1000.0L)));

  std::string line = board.GuessText();
  if (thousandths < Secret) {
    line += LoadText(IDS_TOO_SMALL);
  } else if (thousandths > Secret) {
    line += LoadText(IDS_TOO_BIG);
  }
  board.AppendHistory(line);
  if (board.HistoryCount() > HistoryLines) board.DeleteFirstHistoryLine();
  // The winning line is not announced: the win message that comes at once says it,
  // and a screen reader would cut the line short as the message's window comes up.
  if (thousandths != Secret) board.AnnounceLastHistoryLine();

  ++AttemptCounter;
  board.SetCounterText(IntegerToDecimalText(AttemptCounter));
  board.RepaintCounter();

  if (thousandths == Secret) {
    board.SetCongratulation(FormatText(LoadText(IDS_CONGRATULATION), {AttemptCounter}));
    board.ShowCongratulation();
    // The next game goes on with the generator's running sequence: no reseeding, no
    // recolouring, and the counter box keeps the winning count until the next guess.
    Secret = DrawSecret();
    ClearHistory(board);
    AttemptCounter = 0;
  }
  board.SetGuessText("");
}
