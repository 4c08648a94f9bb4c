#pragma once
// Per-class tables of the properties that a window description may set: the name
// and the function that applies the value to the object.
#include <cstddef>
#include <cstring>

#include "controls/description.h"
#include "controls/events.h"

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
