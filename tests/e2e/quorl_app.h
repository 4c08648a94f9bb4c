// What the tests know about Quorl's windows: their classes, captions and the designed
// positions of the main window's controls, and the player's moves built on the
// harness (type a guess and press Enter, play a whole game by halving the interval).
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "harness/process.h"

namespace e2e {

inline constexpr char kMainClass[] = "Tquorl";
inline constexpr char kMessageClass[] = "Tmessa";
inline constexpr char kRulesClass[] = "Tregles";
inline constexpr char kApplicationClass[] = "TApplication";

// Designed positions in the main window's client area.
inline constexpr POINT kGuessBoxAt{432, 424};
inline constexpr POINT kCounterBoxAt{152, 20};
inline constexpr POINT kHistoryAt{296, 120};
inline constexpr POINT kReglesAt{640, 76};
inline constexpr POINT kCommencerAt{640, 160};
inline constexpr POINT kQuitterAt{640, 256};

// The secret lies between these, in thousandths.
inline constexpr int kLowestSecret = 10;
inline constexpr int kHighestSecret = 10009;
// Halving finds any secret in fewer guesses than this.
inline constexpr int kMostGuesses = 20;

std::string quorlPath();
std::string helperWindowPath();

// The locale's decimal separator as this process reads it; the program under test
// runs with the same environment and so the same locale.
char localeDecimalSeparator();
// 3250 -> "3,250" (or "3.250"): thousandths as the player would type them.
std::string thousandthsText(int thousandths, char separator);

enum class GuessOutcome {
  Evaluated,  // the guess box was emptied: refused or answered with a verdict line
  Won,        // the message dialog came up
  Reported,   // an error box came up
  Stuck,      // none of these in time
};

class QuorlApp {
public:
  explicit QuorlApp(WORD showCommand = SW_SHOWDEFAULT, const std::string& exe = quorlPath());

  Process& process() { return process_; }

  // Waits until the main window is visible and its controls exist, and finds them;
  // false as soon as the program has ended. A start that ended early is made again
  // where retryEndedStart allows it.
  bool waitForMainWindow();
  // Finds the main window and its controls whether shown or not.
  bool findControls();

  HWND mainWindow() const { return main_; }
  HWND applicationWindow() const;
  HWND messageDialog() const;
  HWND rulesDialog() const;
  // A visible top-level window of the program of standard dialog class #32770
  // (message boxes), or null.
  HWND messageBox() const;

  HWND guessBox() const { return guessBox_; }
  HWND counterBox() const { return counterBox_; }
  HWND history() const { return history_; }
  HWND commencer() const { return commencer_; }
  HWND regles() const { return regles_; }
  HWND quitter() const { return quitter_; }

  std::vector<std::string> historyLines() const;
  std::string counterText() const;
  std::string guessText() const;
  HWND focus() const;
  HWND active() const;

  // Clicks into the guess box (which gives it the focus).
  bool clickGuessBox();
  // Types `text` into the focused control and waits until the guess box shows it.
  bool typeGuess(const std::string& text);
  // Types `text` into the guess box, presses Enter and waits for the evaluation.
  GuessOutcome submitGuess(const std::string& text);
  // Plays one game by halving the interval until the message dialog comes up;
  // returns the number of accepted guesses, nothing when the game went wrong. With
  // `exactly`, plays games until one is won with that many guesses, so that what the
  // player sees does not depend on the secret.
  std::optional<int> playUntilWon(std::string* failure = nullptr, int exactly = 0);
  // Presses Enter on the message dialog and waits until it has gone.
  bool dismissMessageDialog();

private:
  WORD showCommand_;
  std::string exe_;
  Process process_;
  HWND main_ = nullptr;
  HWND guessBox_ = nullptr;
  HWND counterBox_ = nullptr;
  HWND history_ = nullptr;
  HWND commencer_ = nullptr;
  HWND regles_ = nullptr;
  HWND quitter_ = nullptr;
};

// True while `window` exists and is visible.
bool shown(HWND window);

}  // namespace e2e
