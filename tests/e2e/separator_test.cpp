// The decimal separator: the program takes a point or a comma whatever the locale
// says, so the same guesses are accepted under a French and an English locale (the
// tests run once under each).
#include "quorl_test.h"

#include <cstdio>
#include <utility>

namespace e2e {
namespace {

class SeparatorTest : public QuorlTest {
protected:
  void SetUp() override {
    std::printf("[ locale   ] decimal separator '%c'\n", LocaleDecimalSeparator());
    ASSERT_NO_FATAL_FAILURE(Start());
  }
};

TEST_F(SeparatorTest, PointAndCommaAreBothAcceptedAndShownAsTyped) {
  RecordProperty("locale_separator", std::string(1, LocaleDecimalSeparator()));
  // Text, and why.
  const std::pair<const char*, const char*> cases[] = {
      {"3.25", "a point, as typed on a numeric keypad"},
      {"3,25", "a comma, as written in French"},
      {"0.5", "a point, one decimal"},
      {"0,5", "a comma, one decimal"},
  };
  size_t count = 0;
  for (const auto& [text, reason] : cases) {
    SCOPED_TRACE(std::string(text) + ": " + reason);
    const GuessOutcome outcome = App().SubmitGuess(text);
    if (outcome == GuessOutcome::Won) {  // the secret happened to be this guess
      ASSERT_TRUE(App().DismissMessageDialog());
      count = 0;
      continue;
    }
    ASSERT_EQ(outcome, GuessOutcome::Evaluated);
    ++count;
    const auto lines = App().HistoryLines();
    ASSERT_EQ(lines.size(), count) << "the guess was refused";
    const std::string typed = text;
    EXPECT_TRUE(lines.back() == typed + " est trop petit" ||
                lines.back() == typed + " est trop grand")
        << lines.back();
  }
}

TEST_F(SeparatorTest, PointAndCommaGiveTheSameVerdict) {
  // Both texts stand for 3250 thousandths, so they must land on the same side.
  for (const char* text : {"3.25", "3,25"}) {
    SCOPED_TRACE(text);
    const GuessOutcome outcome = App().SubmitGuess(text);
    if (outcome == GuessOutcome::Won) GTEST_SKIP() << "the secret was 3.250";
    ASSERT_EQ(outcome, GuessOutcome::Evaluated);
  }
  const auto lines = App().HistoryLines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].substr(4), lines[1].substr(4));
}

}  // namespace
}  // namespace e2e
