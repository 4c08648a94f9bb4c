#pragma once
// Window descriptions: the stored text from which each window takes its properties,
// its child controls and the names of its event handlers. The reader is portable;
// the windows apply what it returns (see forms/ for the Windows side).
//
// Text format (code page 1252). Items are separated by blanks or line breaks (one
// item per line reads best); '#' starts a comment that runs to the end of its line:
//
//   quorl-window 1                       signature line, must come first
//   window quorl: Tquorl {               the window: name and class
//     Caption = "Quorl"                  string: "..." with \" \\ \n \t and \xNN
//     Left = -2                          integer, optional sign, 32-bit signed range
//     Color = clGreen                    identifier (names, True/False)
//     Color = $02ED843F                  integer written in hexadecimal, 0 to $FFFFFFFF
//     BorderIcons = [biSystemMenu]       set of identifiers, possibly empty: []
//     Icon = icon QUORLICON              resource reference: kind (bitmap or icon)
//                                        and resource name
//     Picture = bitmap QUORLBACK
//     Lines = ("Quorl", "", "Devine")    list of strings, possibly empty: ()
//     OnActivate = FormActivate          handlers are identifiers, bound by name
//     control Edit1: TEdit {             a child control, nested up to 32 deep
//       Font.Name = "Comic Sans MS"      dotted property names are plain names
//     }
//   }
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/errors.h"

struct DescriptionValue {
  enum class Kind { Integer, String, Identifier, Set, StringList, Resource };
  Kind kind = Kind::Integer;
  std::int64_t integer = 0;        // Integer
  std::string text;                // String, Identifier; Resource: the resource name
  std::string resourceKind;        // Resource: "bitmap", "icon"
  std::vector<std::string> items;  // Set (identifiers), StringList (strings)
};

struct DescriptionProperty {
  std::string name;
  DescriptionValue value;
  int line = 0;  // line of the description, for messages
};

struct DescriptionObject {
  std::string name;
  std::string className;
  std::vector<DescriptionProperty> properties;
  std::vector<DescriptionObject> children;
};

// Reads a whole description. Raises EReadError with "Format de flux incorrect" when
// the data does not start with the signature line or cannot be read as the format
// above (the reader never reads past the data, whatever bytes it holds).
DescriptionObject ReadDescription(std::string_view data);

// A property value of the wrong kind or outside the values that the property takes;
// the window reading the description turns it into the error of RaisePropertyError.
class InvalidPropertyValue : public EReadError {
public:
  InvalidPropertyValue();
  const char* ClassName() const noexcept override { return "InvalidPropertyValue"; }
};

// Why a property of a description cannot be applied.
enum class PropertyFault { Unknown, InvalidValue };

// Raises EReadError "Erreur lors de la lecture de <component>.<property>: <reason>",
// the reason being "Propriété inexistante" or "Valeur de propriété incorrecte".
[[noreturn]] void RaisePropertyError(const std::string& component, const std::string& property,
                                     PropertyFault fault);
