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

const NamedValue<TColor> ColorNames[] = {
    {"clBlack", clBlack},
    {"clMaroon", 0x000080},
    {"clGreen", clGreen},
    {"clOlive", clOlive},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", clWhite},
    {"clBtnFace", clBtnFace},
    {"clBtnShadow", clBtnShadow},
    {"clBtnHighlight", clBtnHighlight},
    {"clWindowFrame", clWindowFrame},
    {"clWindow", clWindow},
    {"clWindowText", clWindowText},
};

const NamedValue<int> CharsetNames[] = {
    {"ANSI_CHARSET", ANSI_CHARSET},
    {"DEFAULT_CHARSET", DEFAULT_CHARSET},
    {"SYMBOL_CHARSET", SYMBOL_CHARSET},
    {"OEM_CHARSET", OEM_CHARSET},
};

const NamedValue<FontStyle> FontStyleNames[] = {
    {"fsBold", fsBold},
    {"fsItalic", fsItalic},
    {"fsUnderline", fsUnderline},
    {"fsStrikeOut", fsStrikeOut},
};

const NamedValue<TBorderStyle> BorderStyleNames[] = {
    {"bsNone", TBorderStyle::bsNone},
    {"bsSingle", TBorderStyle::bsSingle},
};

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

std::string AsBitmapName(const DescriptionValue& value) { return AsResource(value, "bitmap"); }

std::string AsIconName(const DescriptionValue& value) { return AsResource(value, "icon"); }

TColor AsColor(const DescriptionValue& value) {
  if (value.kind == Kind::Integer) return static_cast<TColor>(AsInteger(value));
  return AsEnum(value, ColorNames);
}

int AsCharset(const DescriptionValue& value) {
  if (value.kind == Kind::Integer) return AsInteger(value);
  return AsEnum(value, CharsetNames);
}

unsigned AsFontStyle(const DescriptionValue& value) { return AsFlags(value, FontStyleNames); }

TBorderStyle AsBorderStyle(const DescriptionValue& value) {
  return AsEnum(value, BorderStyleNames);
}
