#include "controls/menu.h"

#include "controls/property_table.h"
#include "controls/property_values.h"

namespace {

const PropertyEntry<TMenuItem> MenuItemProperties[] = {
    {"Caption", Accept<AsString>},
    {"Visible", Accept<AsBoolean>},
    {"Enabled", Accept<AsBoolean>},
    {"OnClick", AcceptHandler<&EventBinder::NotifyHandler>},
};

}  // namespace

// Menus hold menu items only.
bool TMenuItem::InsertChild(TComponent& child) {
  return dynamic_cast<TMenuItem*>(&child) != nullptr;
}

bool TMenuItem::ApplyProperty(const DescriptionProperty& property, const EventBinder& binder) {
  return ApplyFromTable(*this, MenuItemProperties, property, binder) ||
         TComponent::ApplyProperty(property, binder);
}

bool TMainMenu::InsertChild(TComponent& child) {
  return dynamic_cast<TMenuItem*>(&child) != nullptr;
}
