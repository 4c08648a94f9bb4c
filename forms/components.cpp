#include "forms/components.h"

#include "forms/bitbtn.h"

namespace {

const ComponentClass WindowClasses[] = {{"TBitBtn", Create<TBitBtn>}};

}  // namespace

std::unique_ptr<TComponent> CreateWindowComponent(const std::string& className, ControlHost& host) {
  if (auto component = CreateNamed(WindowClasses, className, host)) return component;
  return CreateComponent(className, host);
}
