#pragma once
// Per-class tables of the properties that a window description may set: the name
// and the function that applies the value to the object. The row helpers below make
// that function from its parts, so that a row reads as one short line:
//   {"Left", Set<&TControl::SetLeft, AsInteger>},
#include <cstddef>
#include <cstring>
#include <type_traits>

#include "controls/description.h"
#include "controls/events.h"
#include "controls/property_values.h"

template <class T>
struct PropertyEntry {
  const char* name;
  void (*apply)(T& object, const DescriptionValue& value, const EventBinder& binder);
};

// Applies the property when the table names it; false when it does not.
template <class T, std::size_t N>
bool ApplyFromTable(T& object, const PropertyEntry<T> (&table)[N],
                    const DescriptionProperty& property, const EventBinder& binder) {
  for (const PropertyEntry<T>& entry : table) {
    if (property.name == entry.name) {
      entry.apply(object, property.value, binder);
      return true;
    }
  }
  return false;
}

// Reads the value with `Read` and gives it to `Target`: a member function, a data
// member, or a function that takes the object first.
template <auto Target, auto Read, class T>
void Set(T& object, const DescriptionValue& value, const EventBinder&) {
  using TargetType = decltype(Target);
  if constexpr (std::is_member_function_pointer_v<TargetType>) {
    (object.*Target)(Read(value));
  } else if constexpr (std::is_member_object_pointer_v<TargetType>) {
    object.*Target = Read(value);
  } else {
    Target(object, Read(value));
  }
}

// Binds the event member `Event` to the window's handler named by the value, found
// by `Find` (EventBinder::NotifyHandler...).
template <auto Event, auto Find, class T>
void Bind(T& object, const DescriptionValue& value, const EventBinder& binder) {
  object.*Event = (binder.*Find)(AsIdentifier(value));
}

// A property stored with the descriptions that this program does not use: its value
// is only checked by `Read`.
template <auto Read, class T>
void Accept(T&, const DescriptionValue& value, const EventBinder&) {
  static_cast<void>(Read(value));
}

// The same for an event: the handler must exist.
template <auto Find, class T>
void AcceptHandler(T&, const DescriptionValue& value, const EventBinder& binder) {
  static_cast<void>((binder.*Find)(AsIdentifier(value)));
}
