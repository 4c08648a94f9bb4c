#include "forms/components.h"

#include "forms/bitbtn.h"

std::unique_ptr<TComponent> CreateWindowComponent(const std::string& className, ControlHost& host) {
  if (className == "TBitBtn") return std::make_unique<TBitBtn>(host);
  return CreateComponent(className, host);
}
