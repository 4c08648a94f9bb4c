// The C++ library's strings and containers, misused, raise the program's Exception
// with the library's text, its numbers filled in; running out of memory stays
// std::bad_alloc.
#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <string>
#include <vector>

#include "base/errors.h"

namespace {

struct MisuseCase {
  std::function<void()> misuse;
  const char* expected;
  const char* reason;
};

TEST(LibraryErrors, MisusedStringsAndContainersRaiseTheProgramsException) {
  const std::vector<int> three{1, 2, 3};
  const std::string word = "mot";
  const char* nothing = nullptr;
  const MisuseCase cases[] = {
      {[&] { (void)three.at(7); },
       "vector::_M_range_check: __n (which is 7) >= this->size() (which is 3)",
       "an index past the end: both numbers filled in"},
      {[&] { (void)word.substr(9); },
       "basic_string::substr: __pos (which is 9) > this->size() (which is 3)",
       "a position past the end of a string"},
      {[&] { std::string copy(nothing); }, "basic_string: construction from null is not valid",
       "a string made from a null pointer"},
      {[&] {
         std::string grown;
         grown.reserve(grown.max_size() + 1);
       },
       "basic_string::_M_create", "a string asked to grow past its largest size"},
      {[&] { (void)std::stoi("douze"); }, "stoi", "a failed conversion"},
  };
  for (const MisuseCase& row : cases) {
    SCOPED_TRACE(row.reason);
    try {
      row.misuse();
      ADD_FAILURE() << "nothing raised";
    } catch (const Exception& error) {
      EXPECT_EQ(error.Message(), row.expected);
      EXPECT_STREQ(error.ClassName(), "Exception");
    }
  }
}

TEST(LibraryErrors, RunningOutOfMemoryIsStillBadAlloc) {
  std::vector<char> huge;
  EXPECT_THROW(huge.reserve(huge.max_size()), std::bad_alloc);
}

}  // namespace
