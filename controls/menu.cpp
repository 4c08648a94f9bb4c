#include "controls/menu.h"

#include "controls/property_table.h"
#include "controls/property_values.h"

namespace {

const PropertyEntry<TMenuItem> MenuItemProperties[] = {
    {"Caption", [](TMenuItem&, const DescriptionValue& v, const EventBinder&) { AsString(v); }},
    {"Visible", [](TMenuItem&, const DescriptionValue& v, const EventBinder&) { AsBoolean(v); }},
    {"Enabled", [](TMenuItem&, const DescriptionValue& v, const EventBinder&) { AsBoolean(v); }},
    {"OnClick", [](TMenuItem&, const DescriptionValue& v, const EventBinder& b) { b.NotifyHandler(AsIdentifier(v)); }},
};

}  // namespace

// Menus hold menu items only.
bool TMenuItem::InsertChild(TComponent& child) { return dynamic_cast<TMenuItem*>(&child) != nullptr; }

bool TMenuItem::ApplyProperty(const DescriptionProperty& property, const EventBinder& binder) {
  return ApplyFromTable(*this, MenuItemProperties, property, binder) ||
         TComponent::ApplyProperty(property, binder);
}

bool TMainMenu::InsertChild(TComponent& child) { return dynamic_cast<TMenuItem*>(&child) != nullptr; }
