#include "game/scores_list.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "base/errors.h"

namespace {

TEST(ScoresIndexToInteger, AcceptsDecimalAndHexadecimal) {
  // Why, the text, and its value.
  const std::tuple<const char*, std::string, std::int32_t> cases[] = {
      {"plain digits", "3", 3},
      {"leading blanks", "   3", 3},
      {"plus sign", "+3", 3},
      {"blanks then sign", "  -3", -3},
      {"leading zeros", "0003", 3},
      {"zero", "0", 0},
      {"minus zero", "-0", 0},
      {"largest", "2147483647", 2147483647},
      {"smallest", "-2147483648", INT32_MIN},
      {"dollar prefix", "$3", 3},
      {"x prefix", "x1F", 31},
      {"X prefix", "X1f", 31},
      {"0x prefix", "0x10", 16},
      {"0X prefix", "0XaB", 171},
      {"blanks before a hexadecimal prefix", " $3", 3},
      {"hexadecimal leading zeros beyond eight digits", "$0000000003", 3},
      {"largest positive pattern", "$7FFFFFFF", 2147483647},
      {"top bit: a 32-bit pattern, negative", "$80000000", INT32_MIN},
      {"all bits", "$FFFFFFFF", -1},
  };
  for (const auto& [reason, text, value] : cases) {
    SCOPED_TRACE(reason);
    EXPECT_EQ(ScoresIndexToInteger(text), value);
  }
}

TEST(ScoresIndexToInteger, RefusesEverythingElse) {
  const std::pair<const char*, std::string> cases[] = {
      {"empty: the index box as the program leaves it", ""},
      {"blanks only", "   "},
      {"trailing blank", "3 "},
      {"sign only", "-"},
      {"two signs", "+-3"},
      {"blank after the sign", "- 3"},
      {"plus before a hexadecimal prefix", "+$3"},
      {"minus before a hexadecimal prefix", "-0x3"},
      {"prefix without digits", "$"},
      {"0x without digits", "0x"},
      {"hexadecimal digit in a decimal number", "1A"},
      {"non-hexadecimal digit", "$1G"},
      {"decimal above the range", "2147483648"},
      {"decimal below the range", "-2147483649"},
      {"very long decimal", "99999999999999999999"},
      {"hexadecimal above 32 bits", "$100000000"},
      {"decimal point", "3.0"},
      {"tab is not a leading blank", "\t3"},
      {"letters", "abc"},
  };
  for (const auto& [reason, text] : cases) {
    SCOPED_TRACE(reason);
    try {
      ScoresIndexToInteger(text);
      ADD_FAILURE() << "accepted";
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), "'" + text + "' n'est pas une valeur entière correcte");
    }
  }
}

// The list box as the rules see it, recording what they do to it.
class FakeLines : public ScoresLines {
public:
  explicit FakeLines(std::vector<std::string> lines) : lines_(std::move(lines)) {}

  int Count() const override { return static_cast<int>(lines_.size()); }
  std::string Line(int index) const override { return lines_.at(Position(index)); }
  void Insert(int index, const std::string& line) override {
    log_.push_back("insert " + std::to_string(index));
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(index), line);
  }
  void Delete(int index) override {
    log_.push_back("delete " + std::to_string(index));
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(Position(index)));
  }

  const std::vector<std::string>& Lines() const { return lines_; }
  const std::vector<std::string>& Log() const { return log_; }

private:
  static std::size_t Position(int index) { return static_cast<std::size_t>(index); }

  std::vector<std::string> lines_;
  std::vector<std::string> log_;
};

TEST(ApplyScoresName, RewritesTheChosenLineInPlace) {
  struct Case {
    const char* reason;
    std::vector<std::string> before;
    std::string index;
    std::string name;
    std::vector<std::string> after;
  };
  const Case cases[] = {
      {"score field kept, old name replaced", {"12345678"}, "0", "Lu", {"123456Lu"}},
      {"short line padded to the field", {"7"}, "0", "Zoé", {"7     Zoé"}},
      {"empty name leaves the field", {"123456Ana"}, "0", "", {"123456"}},
      {"empty line becomes blanks", {""}, "0", "Ana", {"      Ana"}},
      {"only the chosen line changes", {"a", "bbbbbbbbb", "c"}, "1", "X", {"a", "bbbbbbX", "c"}},
      {"last line, hexadecimal index", {"a", "b", "c", "d"}, "$3", "X", {"a", "b", "c", "d     X"}},
      {"blanks and sign before the index",
       {"a", "b", "c", "d"},
       "  +3",
       "X",
       {"a", "b", "c", "d     X"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.reason);
    FakeLines lines(c.before);
    ApplyScoresName(lines, c.index, c.name);
    EXPECT_EQ(lines.Lines(), c.after);
  }
}

// Typing "Lina" letter by letter into the empty name box: one rewrite per change.
TEST(ApplyScoresName, FollowsEachKeystroke) {
  FakeLines lines({"98765432"});
  const char* const expected[] = {"987654L", "987654Li", "987654Lin", "987654Lina"};
  std::string name;
  for (const char* line : expected) {
    name.push_back(line[name.size() + 6]);
    ApplyScoresName(lines, "0", name);
    EXPECT_EQ(lines.Lines(), std::vector<std::string>{line});
  }
}

TEST(ApplyScoresName, InsertsTheNewLineBeforeDeletingTheOld) {
  FakeLines lines({"a", "b", "c"});
  ApplyScoresName(lines, "1", "X");
  EXPECT_EQ(lines.Log(), (std::vector<std::string>{"insert 1", "delete 2"}));
}

TEST(ApplyScoresName, RefusesAnIndexOutsideTheList) {
  const std::pair<std::vector<std::string>, std::int32_t> cases[] = {
      {{}, 0}, {{"a"}, 1}, {{"a", "b"}, -1}, {{"a"}, INT32_MIN}, {{"a"}, 2147483647}};
  for (const auto& [before, index] : cases) {
    SCOPED_TRACE(index);
    FakeLines lines(before);
    try {
      ApplyScoresName(lines, std::to_string(index), "X");
      ADD_FAILURE() << "accepted";
    } catch (const EStringListError& e) {
      EXPECT_EQ(e.Message(), "Index de liste hors limites (" + std::to_string(index) + ")");
    }
    EXPECT_EQ(lines.Lines(), before);
    EXPECT_TRUE(lines.Log().empty());
  }
}

TEST(ApplyScoresName, LeavesTheListAloneWhenTheIndexBoxIsEmpty) {
  FakeLines lines({"12345678"});
  EXPECT_THROW(ApplyScoresName(lines, "", "Lina"), EConvertError);
  EXPECT_EQ(lines.Lines(), std::vector<std::string>{"12345678"});
  EXPECT_TRUE(lines.Log().empty());
}

}  // namespace
