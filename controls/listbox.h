#pragma once
// The platform's list box, unsorted, with rows of a fixed height. Its lines are the
// platform control's own items once it has a window.
#include <string>
#include <vector>

#include "controls/control.h"
#include "controls/property_values.h"

class TListBox : public TWinControl {
public:
  explicit TListBox(ControlHost& host);

  int Count() const;
  std::string Item(int index) const;
  void Add(const std::string& line);
  void Insert(int index, const std::string& line);
  void Delete(int index);
  // Repaints the list at once.
  void Update();

  int itemHeight = 16;
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle style) { borderStyle_ = style; }

  bool ApplyProperty(const DescriptionProperty& property, const EventBinder& binder) override;

protected:
  void FillParams(WindowParams& params) override;
  void HandleCreated() override;
  void FontChanged() override;

private:
  std::vector<std::string> items_;  // the lines while there is no platform window
  TBorderStyle borderStyle_ = TBorderStyle::bsSingle;
};
