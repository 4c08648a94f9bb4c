// Reading a window's description into the window: its properties, its controls in
// creation order and the bindings of its handlers by name.
#include "app/form.h"

#include "base/errors.h"
#include "base/platform.h"
#include "controls/handles.h"
#include "controls/menu.h"
#include "controls/property_values.h"
#include "res/strings.h"

void TForm::LoadDescription(ComponentFactory create, std::vector<HandlerEntry> handlers) {
  handlers_ = std::move(handlers);
  HINSTANCE instance = GetModuleHandleA(nullptr);
  // Resource names are matched without regard to case: "Tquorl" finds TQUORL.
  HRSRC resource = FindResourceA(instance, className_.c_str(), RT_RCDATA);
  if (resource == nullptr) throw ResourceNotFound(className_);
  HGLOBAL loaded = LoadResource(instance, resource);
  const auto* data = static_cast<const char*>(LockResource(loaded));
  const DWORD size = SizeofResource(instance, resource);
  if (data == nullptr) throw ResourceNotFound(className_);
  const DescriptionObject root = ReadDescription(std::string_view(data, size));

  loading_ = true;
  {
    ScopeExit endLoading([this] { loading_ = false; });
    SetName(root.name);
    ApplyProperties(*this, root.properties);
    for (const DescriptionObject& child : root.children) LoadChild(create, *this, child);
    ResolveReferences();
  }
  for (const auto& component : components_) component->Loaded();
  if (visibleRequested_) Show();
}

void TForm::LoadChild(ComponentFactory create, TComponent& parent,
                      const DescriptionObject& description) {
  std::unique_ptr<TComponent> created = create(description.className, *this);
  TComponent& component = *created;
  component.SetName(description.name);
  components_.push_back(std::move(created));
  if (&parent == this) {
    if (auto* control = dynamic_cast<TControl*>(&component)) controls_.push_back(control);
  } else if (!parent.InsertChild(component)) {
    throw EReadError(LoadText(IDS_BAD_STREAM_FORMAT));
  }
  ApplyProperties(component, description.properties);
  for (const DescriptionObject& child : description.children) LoadChild(create, component, child);
}

void TForm::ApplyProperties(TComponent& component,
                            const std::vector<DescriptionProperty>& properties) {
  for (const DescriptionProperty& property : properties) {
    bool known = false;
    try {
      known = component.ApplyProperty(property, *this);
    } catch (const InvalidPropertyValue&) {
      RaisePropertyError(component.Name(), property.name, PropertyFault::InvalidValue);
    }
    if (!known) RaisePropertyError(component.Name(), property.name, PropertyFault::Unknown);
  }
}

void TForm::ResolveReferences() {
  if (menuName_.empty()) return;
  // A menu whose top items are all hidden is not placed at all: no menu bar.
  if (dynamic_cast<TMainMenu*>(FindComponent(menuName_)) == nullptr) {
    RaisePropertyError(Name(), "Menu", PropertyFault::InvalidValue);
  }
}
