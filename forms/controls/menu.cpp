#include "forms/controls/menu.h"

#include "forms/controls/property_table.h"
#include "forms/controls/property_values.h"

namespace {

const PropertyEntry<TMenuItem> MenuItemProperties[] = {
    {"Caption", [](TMenuItem& c, const DescriptionValue& v, const EventBinder&) { c.caption = AsString(v); }},
    {"Visible", [](TMenuItem& c, const DescriptionValue& v, const EventBinder&) { c.visible = AsBoolean(v); }},
    {"Enabled", [](TMenuItem& c, const DescriptionValue& v, const EventBinder&) { c.enabled = AsBoolean(v); }},
    {"OnClick", [](TMenuItem& c, const DescriptionValue& v, const EventBinder& b) { c.OnClick = b.NotifyHandler(AsIdentifier(v)); }},
};

}  // namespace

void TMenuItem::Click() {
  if (enabled && OnClick) OnClick(*this);
}

bool TMenuItem::InsertChild(TComponent& child) {
  auto* item = dynamic_cast<TMenuItem*>(&child);
  if (item == nullptr) return false;
  items.push_back(item);
  return true;
}

bool TMenuItem::ApplyProperty(const DescriptionProperty& property, const EventBinder& binder) {
  return ApplyFromTable(*this, MenuItemProperties, property, binder) ||
         TComponent::ApplyProperty(property, binder);
}

bool TMainMenu::HasVisibleItems() const {
  for (const TMenuItem* item : items) {
    if (item->visible) return true;
  }
  return false;
}

bool TMainMenu::InsertChild(TComponent& child) {
  auto* item = dynamic_cast<TMenuItem*>(&child);
  if (item == nullptr) return false;
  items.push_back(item);
  return true;
}
