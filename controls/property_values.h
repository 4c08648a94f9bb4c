#pragma once
// Reading one property value of a window description as the type that the property
// needs. A value of the wrong kind raises InvalidPropertyValue; the loader turns it
// into the read error that names the component and the property.
#include <initializer_list>
#include <string>
#include <vector>

#include "base/colour.h"
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
// clXxx names or an integer.
TColor AsColor(const DescriptionValue& value);
// Character set names (DEFAULT_CHARSET...) or an integer.
int AsCharset(const DescriptionValue& value);
// [fsBold, fsItalic, fsUnderline, fsStrikeOut] as FontStyle bits.
unsigned AsFontStyle(const DescriptionValue& value);
// bsNone or bsSingle.
TBorderStyle AsBorderStyle(const DescriptionValue& value);
// The position of the identifier in `names`.
int AsEnum(const DescriptionValue& value, std::initializer_list<const char*> names);
