#pragma once
// The main menu and its items. Hidden items are not placed in the window's menu; a
// menu whose top items are all hidden gives the window no menu bar at all.
#include <string>
#include <vector>

#include "forms/controls/control.h"

class TMenuItem : public TComponent {
public:
  std::string caption;
  bool visible = true;
  bool enabled = true;
  TNotifyEvent OnClick;
  std::vector<TMenuItem*> items;  // owned by the window

  void Click();
  bool InsertChild(TComponent& child) override;
  bool ApplyProperty(const DescriptionProperty& property, const EventBinder& binder) override;
};

class TMainMenu : public TComponent {
public:
  std::vector<TMenuItem*> items;  // owned by the window

  bool HasVisibleItems() const;
  bool InsertChild(TComponent& child) override;
};
