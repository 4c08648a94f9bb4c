#pragma once
// What the game rules touch in the windows. The main window implements it; the unit
// tests implement it with a plain fake. The history lines stay the list box's own
// items: there is no second copy of them.
#include <string>

#include "base/color.h"

class GameBoard {
public:
  virtual ~GameBoard() = default;

  // Guess box.
  virtual std::string GuessText() const = 0;
  virtual void SetGuessText(const std::string& text) = 0;
  virtual void RepaintGuess() = 0;

  // History list.
  virtual int HistoryCount() const = 0;
  virtual void AppendHistory(const std::string& line) = 0;
  virtual void DeleteFirstHistoryLine() = 0;
  // Tells screen readers that the last line is new, naming that line: they ask for
  // its text later, so the list must already hold its final lines.
  virtual void AnnounceLastHistoryLine() = 0;

  // Counter box: written, then repainted at once where the rules say so.
  virtual void SetCounterText(const std::string& text) = 0;
  virtual void RepaintCounter() = 0;

  // The message dialog's label and its modal showing (returns when it closes).
  virtual void SetCongratulation(const std::string& text) = 0;
  virtual void ShowCongratulation() = 0;

  // Colours of the secondary windows, written at every new game.
  virtual void SetMessageColor(TColor color) = 0;
  virtual void SetScoresColor(TColor color) = 0;
};
