// What the tests know about Quorl's windows: their classes, captions and the designed
// positions of the main window's controls, and the player's moves built on the
// harness (type a guess and press Enter, play a whole game by halving the interval).
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "game/game.h"
#include "harness/process.h"

namespace e2e {

inline constexpr char MainClass[] = "Tquorl";
inline constexpr char MessageClass[] = "Tmessa";
inline constexpr char RulesClass[] = "Tregles";
inline constexpr char ApplicationClass[] = "TApplication";

// Designed positions in the main window's client area.
inline constexpr POINT GuessBoxAt{432, 424};
inline constexpr POINT CounterBoxAt{152, 20};
inline constexpr POINT HistoryAt{296, 120};
inline constexpr POINT ReglesAt{640, 76};
inline constexpr POINT CommencerAt{640, 160};
inline constexpr POINT QuitterAt{640, 256};

// Halving finds any secret in fewer guesses than this.
inline constexpr int MostGuesses = 20;

std::string QuorlPath();
std::string HelperWindowPath();

// The locale's decimal separator as this process reads it; the program under test
// runs with the same environment and so the same locale.
char LocaleDecimalSeparator();
// 3250 -> "3,250" (or "3.250"): thousandths as the player would type them.
std::string ThousandthsText(int thousandths, char separator);

enum class GuessOutcome {
  Evaluated,  // the guess box was emptied: refused or answered with a verdict line
  Won,        // the message dialog came up
  Reported,   // an error box came up
  Stuck,      // none of these in time
};

// Quorl.exe as the program under test.
class QuorlApp : public ProgramUnderTest {
public:
  explicit QuorlApp(WORD showCommand = SW_SHOWDEFAULT, const std::string& exe = QuorlPath(),
                    ProgramEnvironment environment = {});

  // Waits until the main window is up with its controls (ProgramUnderTest::WaitForWindow).
  bool WaitForMainWindow();
  // Finds the main window and its controls whether shown or not.
  bool FindControls();

  HWND MainWindow() const { return main_; }
  HWND ApplicationWindow() const;
  HWND MessageDialog() const;
  HWND RulesDialog() const;

  HWND GuessBox() const { return guessBox_; }
  HWND CounterBox() const { return counterBox_; }
  HWND History() const { return history_; }
  HWND Commencer() const { return commencer_; }
  HWND Regles() const { return regles_; }
  HWND Quitter() const { return quitter_; }

  std::vector<std::string> HistoryLines() const;
  std::string CounterText() const;
  std::string GuessText() const;

  // Clicks into the guess box (which gives it the focus).
  bool ClickGuessBox();
  // Types `text` into the focused control and waits until the guess box shows it.
  bool TypeGuess(const std::string& text);
  // Types `text` into the guess box, presses Enter and waits for the evaluation.
  GuessOutcome SubmitGuess(const std::string& text);
  // Plays one game by halving the interval until the message dialog comes up;
  // returns the number of accepted guesses, nothing when the game went wrong. With
  // `exactly`, plays games until one is won with that many guesses, so that what the
  // player sees does not depend on the secret.
  std::optional<int> PlayUntilWon(std::string* failure = nullptr, int exactly = 0);
  // Presses Enter on the message dialog and waits until it has gone.
  bool DismissMessageDialog();

private:
  HWND main_ = nullptr;
  HWND guessBox_ = nullptr;
  HWND counterBox_ = nullptr;
  HWND history_ = nullptr;
  HWND commencer_ = nullptr;
  HWND regles_ = nullptr;
  HWND quitter_ = nullptr;
};

}  // namespace e2e
