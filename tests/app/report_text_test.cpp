#include "app/report_text.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>
#include <string>
#include <tuple>
#include <typeinfo>

#include "app/error_description.h"
#include "base/errors.h"

namespace {

TEST(ErrorBoxText, AppendsAPeriodOnlyAfterCharactersSortingAfterThePoint) {
  // Message, box text, and why.
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"Débordement en virgule flottante", "Débordement en virgule flottante.",
       "a letter gets a period"},
      {"Index de liste hors limites (12)", "Index de liste hors limites (12)",
       "')' sorts before '.'"},
      {"Format de flux incorrect.", "Format de flux incorrect.", "no second period"},
      {"Attention!", "Attention!", "'!' sorts before '.'"},
      {"fin ", "fin ", "a trailing blank sorts before '.'"},
      {"a-", "a-", "'-' is 0x2D"},
      {"a,", "a,", "',' is 0x2C"},
      {"a/", "a/.", "'/' is 0x2F, just after '.'"},
      {"12", "12.", "a digit gets a period"},
      {"trouvée", "trouvée.", "an accented letter has a code above 0x7F"},
      {"", "", "an empty message stays empty"},
  };
  for (const auto& [message, expected, reason] : cases) {
    SCOPED_TRACE(reason);
    EXPECT_EQ(ErrorBoxText(message), expected);
  }
}

TEST(UnhandledReportText, NamesClassModuleAndOffsetThenTheMessage) {
  EXPECT_EQ(
      UnhandledReportText("EResNotFound", "Quorl.exe", 0x16D4, "Ressource Tquorl non trouvée"),
      "Exception EResNotFound dans le module Quorl.exe à 000016D4.\n"
      "Ressource Tquorl non trouvée.");
}

TEST(UnhandledReportText, OnlyAPeriodSuppressesTheFinalPeriod) {
  // Message, end of the report, and why.
  const std::tuple<const char*, std::string, const char*> cases[] = {
      {"Format de flux incorrect.", "\nFormat de flux incorrect.", "already ends with '.'"},
      {"Attention!", "\nAttention!.", "'!' still gets a period here"},
      {"(12)", "\n(12).", "')' still gets a period here"},
      {"", ".\n", "no message, no period after the line feed"},
  };
  for (const auto& [message, end, reason] : cases) {
    SCOPED_TRACE(reason);
    const std::string text = UnhandledReportText("Exception", "m.exe", 0, message);
    ASSERT_GE(text.size(), end.size());
    EXPECT_EQ(text.substr(text.size() - end.size()), end);
  }
}

TEST(UnhandledReportText, WritesTheOffsetAsEightUpperCaseHexDigits) {
  const std::string text = UnhandledReportText("E", "m", 0xABCDEFul, "");
  EXPECT_NE(text.find(" à 00ABCDEF."), std::string::npos) << text;
}

TEST(UnhandledReportText, IsCutAt1023Characters) {
  const std::string text = UnhandledReportText("E", "m", 0, std::string(2000, 'x'));
  EXPECT_EQ(text.size(), 1023u);
  EXPECT_EQ(text.back(), 'x');
}

TEST(ErrorDescription, NamesEveryErrorReadablyForBothReports) {
  // What is raised, how it is described, and why.
  using Raise = std::function<void()>;
  const std::tuple<Raise, ErrorDescription::Kind, const char*, const char*, const char*> cases[] = {
      {[] { throw EOverflow(); }, ErrorDescription::Error, "EOverflow",
       "Débordement en virgule flottante", "the program's own class and message"},
      {[] { throw EAbort(); }, ErrorDescription::Silent, "EAbort", "", "the silent error"},
      {[] { throw std::bad_alloc(); }, ErrorDescription::Error, "EOutOfMemory",
       "Mémoire insuffisante", "out of memory: a French message, no compiler-made name"},
      {[] { throw std::bad_array_new_length(); }, ErrorDescription::Error, "EOutOfMemory",
       "Mémoire insuffisante", "an impossible array size is out of memory too"},
      {[] { throw std::bad_cast(); }, ErrorDescription::Error, "Exception", "std::bad_cast",
       "a standard error: \"Exception\" and its text, as the program raises the library's"},
      {[] { throw std::runtime_error("panne"); }, ErrorDescription::Error, "Exception", "panne",
       "a standard error with a text of its own"},
      {[] { throw 42; }, ErrorDescription::OtherObject, "Exception", "",
       "not an error: no class to name, no message"},
  };
  for (const auto& [raise, kind, className, message, reason] : cases) {
    SCOPED_TRACE(reason);
    try {
      raise();
    } catch (...) {
      const ErrorDescription error = DescribeCurrentError();
      EXPECT_EQ(error.kind, kind);
      EXPECT_EQ(error.className, className);
      EXPECT_EQ(error.message, message);
    }
  }
}

}  // namespace
