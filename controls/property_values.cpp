#include "controls/property_values.h"

#include <windows.h>

#include <cstdint>
#include <limits>

#include "controls/font.h"

namespace {

using Kind = DescriptionValue::Kind;

void Expect(const DescriptionValue& value, Kind kind) {
  if (value.kind != kind) throw InvalidPropertyValue();
}

struct NamedValue {
  const char* name;
  std::int64_t value;
};

bool Lookup(const std::string& name, std::initializer_list<NamedValue> table,
            std::int64_t& out) {
  for (const NamedValue& entry : table) {
    if (name == entry.name) {
      out = entry.value;
      return true;
    }
  }
  return false;
}

}  // namespace

int AsInteger(const DescriptionValue& value) {
  Expect(value, Kind::Integer);
  // Hexadecimal values up to $FFFFFFFF stand for 32-bit patterns.
  if (value.integer > std::numeric_limits<std::uint32_t>::max() ||
      value.integer < std::numeric_limits<std::int32_t>::min()) {
    throw InvalidPropertyValue();
  }
  return static_cast<int>(static_cast<std::uint32_t>(value.integer));
}

bool AsBoolean(const DescriptionValue& value) {
  Expect(value, Kind::Identifier);
  if (value.text == "True") return true;
  if (value.text == "False") return false;
  throw InvalidPropertyValue();
}

std::string AsString(const DescriptionValue& value) {
  Expect(value, Kind::String);
  return value.text;
}

std::string AsIdentifier(const DescriptionValue& value) {
  Expect(value, Kind::Identifier);
  return value.text;
}

std::vector<std::string> AsStrings(const DescriptionValue& value) {
  Expect(value, Kind::StringList);
  return value.items;
}

std::vector<std::string> AsSet(const DescriptionValue& value) {
  Expect(value, Kind::Set);
  return value.items;
}

std::string AsResource(const DescriptionValue& value, const char* kind) {
  Expect(value, Kind::Resource);
  if (value.resourceKind != kind) throw InvalidPropertyValue();
  return value.text;
}

TColor AsColor(const DescriptionValue& value) {
  if (value.kind == Kind::Integer) return static_cast<TColor>(AsInteger(value));
  Expect(value, Kind::Identifier);
  std::int64_t colour = 0;
  if (!Lookup(value.text,
              {{"clBlack", clBlack}, {"clMaroon", 0x000080}, {"clGreen", clGreen},
               {"clOlive", clOlive}, {"clNavy", 0x800000}, {"clPurple", 0x800080},
               {"clTeal", 0x808000}, {"clGray", 0x808080}, {"clSilver", 0xC0C0C0},
               {"clRed", 0x0000FF}, {"clLime", 0x00FF00}, {"clYellow", 0x00FFFF},
               {"clBlue", 0xFF0000}, {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00},
               {"clWhite", clWhite}, {"clBtnFace", clBtnFace}, {"clBtnShadow", clBtnShadow},
               {"clBtnHighlight", clBtnHighlight}, {"clWindowFrame", clWindowFrame},
               {"clWindow", clWindow}, {"clWindowText", clWindowText}},
              colour)) {
    throw InvalidPropertyValue();
  }
  return static_cast<TColor>(colour);
}

int AsCharset(const DescriptionValue& value) {
  if (value.kind == Kind::Integer) return AsInteger(value);
  Expect(value, Kind::Identifier);
  std::int64_t charset = 0;
  if (!Lookup(value.text,
              {{"ANSI_CHARSET", ANSI_CHARSET}, {"DEFAULT_CHARSET", DEFAULT_CHARSET},
               {"SYMBOL_CHARSET", SYMBOL_CHARSET}, {"OEM_CHARSET", OEM_CHARSET}},
              charset)) {
    throw InvalidPropertyValue();
  }
  return static_cast<int>(charset);
}

unsigned AsFontStyle(const DescriptionValue& value) {
  unsigned style = 0;
  for (const std::string& item : AsSet(value)) {
    std::int64_t bit = 0;
    if (!Lookup(item,
                {{"fsBold", fsBold}, {"fsItalic", fsItalic}, {"fsUnderline", fsUnderline},
                 {"fsStrikeOut", fsStrikeOut}},
                bit)) {
      throw InvalidPropertyValue();
    }
    style |= static_cast<unsigned>(bit);
  }
  return style;
}

TBorderStyle AsBorderStyle(const DescriptionValue& value) {
  return AsEnum(value, {"bsNone", "bsSingle"}) == 0 ? TBorderStyle::bsNone : TBorderStyle::bsSingle;
}

int AsEnum(const DescriptionValue& value, std::initializer_list<const char*> names) {
  const std::string name = AsIdentifier(value);
  int index = 0;
  for (const char* candidate : names) {
    if (name == candidate) return index;
    ++index;
  }
  throw InvalidPropertyValue();
}
