#pragma once
// The components that window descriptions may name, created by class name.
#include <memory>
#include <string>

#include "controls/control.h"

// Makes the component of a class that a description names, for the window `host`.
using ComponentFactory = std::unique_ptr<TComponent> (*)(const std::string& className,
                                                         ControlHost& host);

// The components of this library; raises EReadError for any other class.
std::unique_ptr<TComponent> CreateComponent(const std::string& className, ControlHost& host);
