#pragma once
// The components that window descriptions may name, created by class name.
#include <memory>
#include <string>

#include "forms/controls/control.h"

// Raises EReadError for a class that no description may use.
std::unique_ptr<TComponent> CreateComponent(const std::string& className, TForm& form);
