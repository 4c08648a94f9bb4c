#pragma once
// The main menu and its items as the descriptions give them. Every top item of the
// program's menu is hidden, which gives the window no menu bar at all: the items are
// read and their handlers bound by name (a missing one is a read error), and nothing
// of them is kept.
#include "controls/control.h"

class TMenuItem : public TComponent {
public:
  bool InsertChild(TComponent& child) override;
  bool ApplyProperty(const DescriptionProperty& property, const EventBinder& binder) override;
};

class TMainMenu : public TComponent {
public:
  bool InsertChild(TComponent& child) override;
};
