#pragma once
// The game in progress: its secret, its attempt counter, the start of a new game and
// the evaluation of one guess. The history list and the counter box text are the
// board's own.
#include <cstdint>

#include "game/board.h"

// The number to find, in thousandths (4321 stands for 4.321): from LowestSecret to
// HighestSecret once a game has started.
extern std::int32_t Secret;

// The secret's bounds and the largest guess accepted, in thousandths: the largest
// secret is the largest guess, so that every secret can be typed as a guess from 0 to 10.
inline constexpr std::int32_t LowestSecret = 10;
inline constexpr std::int32_t HighestSecret = 10000;
inline constexpr std::int32_t HighestGuess = HighestSecret;

// Accepted guesses in the current game.
extern std::int32_t AttemptCounter;

// Reseeds the generator from the clock, gives the secondary windows the game's colour,
// draws the secret and empties the counter and the history. The guess box is left as
// it is.
void NewGame(GameBoard& board);

// Evaluates the text of the guess box: refuses what is not a number from 0 to 10,
// otherwise writes a verdict line and counts the attempt; on a win shows the
// congratulation and starts the next game from the generator's running sequence.
// A conversion error is a refusal; any other error (EOverflow for 1E400) leaves the
// evaluation with nothing counted and the guess text kept.
void EvaluateGuess(GameBoard& board);
