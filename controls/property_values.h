#pragma once
// Reading one property value of a window description as the type that the property
// needs. A value of the wrong kind raises InvalidPropertyValue; the loader turns it
// into the read error that names the component and the property.
#include <cstddef>
#include <string>
#include <vector>

#include "base/color.h"
#include "controls/description.h"

// The border of edit boxes and list boxes: none or a sunken edge.
enum class TBorderStyle { bsNone, bsSingle };

int AsInteger(const DescriptionValue& value);
bool AsBoolean(const DescriptionValue& value);
std::string AsString(const DescriptionValue& value);
std::string AsIdentifier(const DescriptionValue& value);
std::vector<std::string> AsStrings(const DescriptionValue& value);
std::vector<std::string> AsSet(const DescriptionValue& value);
// A resource reference of the given kind ("bitmap", "icon"): its resource name.
std::string AsResource(const DescriptionValue& value, const char* kind);
std::string AsBitmapName(const DescriptionValue& value);
std::string AsIconName(const DescriptionValue& value);
// clXxx names or an integer.
TColor AsColor(const DescriptionValue& value);
// Character set names (DEFAULT_CHARSET...) or an integer.
int AsCharset(const DescriptionValue& value);
// [fsBold, fsItalic, fsUnderline, fsStrikeOut] as FontStyle bits.
unsigned AsFontStyle(const DescriptionValue& value);
// bsNone or bsSingle.
TBorderStyle AsBorderStyle(const DescriptionValue& value);

// One name of an enumeration and the value it stands for.
template <class V>
struct NamedValue {
  const char* name;
  V value;
};

// The value that `table` gives the name; InvalidPropertyValue when it has none.
template <class V, std::size_t N>
V ValueNamed(const std::string& name, const NamedValue<V> (&table)[N]) {
  for (const NamedValue<V>& entry : table) {
    if (name == entry.name) return entry.value;
  }
  throw InvalidPropertyValue();
}

// An identifier read through the table of its enumeration.
template <class V, std::size_t N>
V AsEnum(const DescriptionValue& value, const NamedValue<V> (&table)[N]) {
  return ValueNamed(AsIdentifier(value), table);
}

// A set of identifiers: the bits that the table gives them, together.
template <class V, std::size_t N>
unsigned AsFlags(const DescriptionValue& value, const NamedValue<V> (&table)[N]) {
  unsigned flags = 0;
  for (const std::string& item : AsSet(value))
    flags |= static_cast<unsigned>(ValueNamed(item, table));
  return flags;
}
