#include "base/format.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>

#include "base/platform.h"
#include "res/strings.h"

namespace {

TEST(FormatText, FillsEachDirectiveWithItsArgumentInOrder) {
  const std::string name = "Tquorl";
  const struct {
    std::string text;
    std::string expected;
    const char* reason;
  } cases[] = {
      {FormatText("Ressource %s non trouvée", {name}), "Ressource Tquorl non trouvée", "a text"},
      {FormatText("%s%s%s: %s", {"Edit1", ".", "Text", "x"}), "Edit1.Text: x", "texts in order"},
      {FormatText("(%d)", {std::int32_t{-2147483647 - 1}}), "(-2147483648)",
       "the most negative 32-bit number"},
      {FormatText("(%d)", {0}), "(0)", "zero"},
      {FormatText("(%d)", {std::int32_t{12}}), "(12)", "no padding"},
      {FormatText("%x", {0xC000001Du}), "c000001d", "lower-case hexadecimal"},
      {FormatText("%X", {0xC000001Du}), "C000001D", "upper-case hexadecimal"},
      {FormatText("%x", {std::uint32_t{10}}), "a", "no leading zeros"},
      {FormatText("%x", {-1}), "ffffffff", "a negative 32-bit number as its 32 bits"},
      {FormatText("%p", {std::uint32_t{0x16D4}}), "000016D4", "eight digits for 32 bits"},
      {FormatText("%p", {std::uint64_t{0x401A2B}}), "0000000000401A2B", "sixteen for 64 bits"},
      {FormatText("100%% %s", {"sûr"}), "100% sûr", "a doubled percent sign"},
      {FormatText("%s et %s", {"un"}), "un et %s", "a directive without an argument stays"},
      {FormatText("%q %s", {"a"}), "%q a", "an unknown directive stays"},
      {FormatText("fin %", {}), "fin %", "a percent sign at the end"},
      {FormatText(std::string_view("%s", 2), {std::string_view("a\0b", 3)}), std::string("a\0b", 3),
       "a NUL inside a text is kept"},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.reason);
    EXPECT_EQ(row.text, row.expected);
  }
}

TEST(HexDigitValue, ReadsBothCasesAndRefusesTheRest) {
  EXPECT_EQ(HexDigitValue('0'), 0);
  EXPECT_EQ(HexDigitValue('9'), 9);
  EXPECT_EQ(HexDigitValue('a'), 10);
  EXPECT_EQ(HexDigitValue('F'), 15);
  for (char c : {'g', 'G', '/', ':', '@', '`', ' ', '\0', '$'})
    EXPECT_EQ(HexDigitValue(c), -1) << c;
}

// The texts come from the string table, in code page 1252, with the patterns that
// the formatter fills.
TEST(LoadText, TheStringTableHoldsEveryMessage) {
  const std::pair<unsigned, const char*> cases[] = {
      {IDS_OK_CAPTION, "OK"},
      {IDS_TOO_SMALL, " est trop petit"},
      {IDS_TOO_BIG, " est trop grand"},
      {IDS_CONGRATULATION, "Bravo, vous avez gagné en %d essais"},
      {IDS_EXTERNAL_EXCEPTION, "Exception externe %x"},
      {IDS_EXCEPTION_IN_MODULE, "Exception %s dans le module %s à %p."},
      {IDS_APPLICATION_ERROR, "Erreur d'application"},
      {IDS_READ_ERROR, "Erreur lors de la lecture de %s%s%s: %s"},
      {IDS_CANNOT_FOCUS, "Impossible de focaliser une fenêtre désactivée ou invisible"},
  };
  for (const auto& [id, text] : cases) EXPECT_EQ(LoadText(id), text) << id;
  EXPECT_EQ(LoadText(9999), "") << "an identifier without a text";
}

}  // namespace
