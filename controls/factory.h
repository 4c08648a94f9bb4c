#pragma once
// The components that window descriptions may name, created by class name.
#include <cstddef>
#include <memory>
#include <string>
#include <type_traits>

#include "controls/control.h"

// Makes the component of a class that a description names, for the window `host`.
using ComponentFactory = std::unique_ptr<TComponent> (*)(const std::string& className,
                                                         ControlHost& host);

// A class of component under the name that descriptions give it.
struct ComponentClass {
  const char* name;
  std::unique_ptr<TComponent> (*create)(ControlHost& host);
};

// A new component of class C: a control belongs to the window `host`, a menu item to
// no window.
template <class C>
std::unique_ptr<TComponent> Create(ControlHost& host) {
  if constexpr (std::is_constructible_v<C, ControlHost&>) {
    return std::make_unique<C>(host);
  } else {
    return std::make_unique<C>();
  }
}

// A new component of the class that `classes` names `className`; null when none does.
template <std::size_t N>
std::unique_ptr<TComponent> CreateNamed(const ComponentClass (&classes)[N],
                                        const std::string& className, ControlHost& host) {
  for (const ComponentClass& entry : classes) {
    if (className == entry.name) return entry.create(host);
  }
  return nullptr;
}

// The components of this library; raises EReadError for any other class.
std::unique_ptr<TComponent> CreateComponent(const std::string& className, ControlHost& host);
