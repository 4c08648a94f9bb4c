#include "game/game.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>

#include "base/errors.h"
#include "fake_board.h"
#include "game/decimal.h"
#include "game/floating.h"
#include "game/random.h"

namespace {

constexpr std::uint32_t Multiplier = 134775813;

// The generator state that leads to `next` in one step.
std::uint32_t StateBefore(std::uint32_t next) {
  std::uint32_t inverse = Multiplier;  // Newton's iteration for the inverse modulo 2^32
  for (int i = 0; i < 5; ++i) inverse *= 2 - Multiplier * inverse;
  return (next - 1) * inverse;
}

class Game : public ::testing::Test {
protected:
  void SetUp() override {
    InitFloatingPointUnit();
    savedSeparator_ = LocaleDecimalSeparator;
    LocaleDecimalSeparator = ',';
    Secret = 0;
    AttemptCounter = 0;
  }
  void TearDown() override { LocaleDecimalSeparator = savedSeparator_; }

  void Guess(const std::string& text) {
    board.guess = text;
    EvaluateGuess(board);
  }

  FakeBoard board;

private:
  char savedSeparator_ = '.';
};

TEST_F(Game, NewGameReseedsDrawsAndClears) {
  board.guess = "typed, not validated";
  for (int i = 0; i < 12; ++i) board.history.push_back("line");
  board.counter = "12";
  AttemptCounter = 12;
  RandomSeed = 0xDEADBEEF;

  NewGame(board);

  EXPECT_LT(StateBefore(RandomSeed), 86400000u) << "seeded from a time of day, then one draw";
  EXPECT_GE(Secret, 10);
  EXPECT_LE(Secret, 10000);
  EXPECT_EQ(board.messageColor, GameBlue);
  EXPECT_EQ(board.scoresColor, GameBlue);
  EXPECT_EQ(AttemptCounter, 0);
  EXPECT_EQ(board.counter, "0");
  EXPECT_TRUE(board.history.empty());
  EXPECT_EQ(board.guess, "typed, not validated");
}

TEST_F(Game, VerdictsAndRefusals) {
  // Text, locale separator, secret, history line (nullptr: refused), and why.
  const std::tuple<const char*, char, std::int32_t, const char*, const char*> cases[] = {
      {"3,25", ',', 4000, "3,25 est trop petit", "a typical guess"},
      {"3.25", ',', 4000, "3.25 est trop petit", "a point is read as the comma, shown as typed"},
      {"3.25", '.', 4000, "3.25 est trop petit", "a point under a '.' locale"},
      {"3,25", '.', 3000, "3,25 est trop grand", "a comma is read as the user's point"},
      {"3", '.', 4000, "3 est trop petit", "no separator"},
      {"1.2.3", ',', 4000, nullptr, "a second separator refuses the text"},
      {"1.2.3", '.', 4000, nullptr, "a second separator refuses the text, under '.' too"},
      {"1,2.3", ',', 4000, nullptr, "both separators"},
      {"0", ',', 10, "0 est trop petit", "the smallest guess, always too small"},
      {"10", ',', 10000, "10", "the largest guess wins the largest secret"},
      {"10", ',', 4000, "10 est trop grand", "the bounds are inclusive"},
      {"10,001", ',', 4000, nullptr, "above ten"},
      {"-1", ',', 4000, nullptr, "below zero"},
      {"-0", ',', 4000, "-0 est trop petit", "negative zero passes the range check"},
      {"", ',', 4000, nullptr, "an empty guess box"},
      {"abc", ',', 4000, nullptr, "not a number"},
      {"4,3214", ',', 4322, "4,3214 est trop petit", "rounds to 4321"},
      {"4,3216", ',', 4322, "4,3216", "rounds to 4322: a win"},
      {"1E-400", ',', 4000, "1E-400 est trop petit", "below the double range reads as zero"},
      {" 5 ", ',', 4000, " 5  est trop grand", "the line starts with the text exactly as typed"},
  };
  for (const auto& [text, separator, secret, line, reason] : cases) {
    SCOPED_TRACE(std::string(reason) + ": " + text);
    FakeBoard fresh;
    board = fresh;
    LocaleDecimalSeparator = separator;
    Secret = secret;
    AttemptCounter = 0;

    Guess(text);

    EXPECT_EQ(board.guess, "");
    if (line == nullptr) {
      EXPECT_TRUE(board.history.empty());
      EXPECT_EQ(AttemptCounter, 0);
      EXPECT_EQ(board.counter, "0");
      EXPECT_EQ(board.guessRepaints, 1) << "the emptied box is repainted at once";
    } else if (board.shownCongratulations.empty()) {
      ASSERT_EQ(board.history.size(), 1u);
      EXPECT_EQ(board.history.back(), line);
      EXPECT_EQ(board.counter, "1");
      EXPECT_EQ(board.counterRepaints, 1);
    } else {
      ASSERT_EQ(board.historyAtCongratulation.size(), 1u);
      EXPECT_EQ(board.historyAtCongratulation.back(), line);
    }
  }
}

TEST_F(Game, HistoryKeepsTheTwelveLatestLines) {
  Secret = 10000;
  for (int i = 1; i <= 13; ++i) Guess(std::to_string(i % 10) + ",5");

  ASSERT_EQ(board.history.size(), 12u);
  EXPECT_EQ(board.history.front(), "2,5 est trop petit");
  EXPECT_EQ(board.history.back(), "3,5 est trop petit");
  EXPECT_EQ(board.counter, "13");
  EXPECT_EQ(board.counterRepaints, 13);
  EXPECT_EQ(AttemptCounter, 13);
  ASSERT_EQ(board.announced.size(), 13u) << "each line announced once";
  EXPECT_EQ(board.announced.back(), std::make_pair(std::size_t{12}, board.history.back()))
      << "announced after the first line went, naming the last";
}

TEST_F(Game, WinCongratulatesThenStartsTheNextGameWithoutReseeding) {
  Secret = 4321;
  const char* misses[] = {"5", "2", "4", "4,5", "4,3", "4,33"};
  for (const char* miss : misses) Guess(miss);
  board.messageColor = 0;
  RandomSeed = 77;

  Guess("4,321");

  ASSERT_EQ(board.shownCongratulations.size(), 1u);
  EXPECT_EQ(board.shownCongratulations[0], "Bravo, vous avez gagné en 7 essais");
  ASSERT_EQ(board.historyAtCongratulation.size(), 7u);
  EXPECT_EQ(board.historyAtCongratulation.back(), "4,321") << "the winning line has no suffix";
  EXPECT_EQ(board.announced.size(), 6u) << "the win message, not the winning line, is read";
  EXPECT_EQ(board.counterAtCongratulation, "7");

  EXPECT_TRUE(board.history.empty());
  EXPECT_EQ(board.counter, "7") << "the counter box keeps the winning count";
  EXPECT_EQ(AttemptCounter, 0);
  EXPECT_EQ(board.guess, "");
  EXPECT_EQ(board.messageColor, 0u) << "a win does not recolour";
  const std::uint32_t next = 77u * Multiplier + 1u;
  EXPECT_EQ(RandomSeed, next) << "one draw from the running sequence";
  EXPECT_EQ(Secret, static_cast<std::int32_t>((std::uint64_t{9991} * next) >> 32) + 10);

  Guess(Secret > 5000 ? "0" : "10");
  EXPECT_EQ(board.counter, "1");
}

TEST_F(Game, WinAtTheFirstGuessStillSaysEssais) {
  Secret = 10;
  Guess("0,01");
  ASSERT_EQ(board.shownCongratulations.size(), 1u);
  EXPECT_EQ(board.shownCongratulations[0], "Bravo, vous avez gagné en 1 essais");
}

// Every secret can be found: the draws reach exactly 10 to 10000, and 10000 is won by
// the largest guess accepted.
TEST_F(Game, DrawsSpanTenToTenThousand) {
  Secret = 10;
  RandomSeed = StateBefore(0);
  Guess("0,010");
  EXPECT_EQ(Secret, 10) << "the smallest draw";

  RandomSeed = StateBefore(0xFFFFFFFF);
  Guess("0,01");
  EXPECT_EQ(Secret, 10000) << "the largest draw";

  Guess("10");
  EXPECT_EQ(board.shownCongratulations.size(), 3u);
}

TEST_F(Game, HugeGuessOverflowsWithNothingCounted) {
  Secret = 4000;
  Guess("1");
  const char* huge[] = {"1E400", "-1E400"};
  for (const char* text : huge) {
    SCOPED_TRACE(text);
    board.guess = text;
    EXPECT_THROW(EvaluateGuess(board), EOverflow);
    EXPECT_EQ(board.guess, text) << "the guess box keeps the text";
    EXPECT_EQ(board.history.size(), 1u);
    EXPECT_EQ(AttemptCounter, 1);
    EXPECT_EQ(board.counter, "1");
  }
  Guess("2");
  EXPECT_EQ(AttemptCounter, 2) << "the game goes on";
}

TEST_F(Game, SecondEnterSeesAnEmptyBox) {
  Secret = 4000;
  Guess("3");
  EvaluateGuess(board);
  EXPECT_EQ(board.history.size(), 1u);
  EXPECT_EQ(AttemptCounter, 1);
}

}  // namespace
