#pragma once
// The components that the four windows' descriptions name: the control library's
// and the bitmap button.
#include "controls/factory.h"

std::unique_ptr<TComponent> CreateWindowComponent(const std::string& className, ControlHost& host);
