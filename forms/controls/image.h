#pragma once
// A picture painted on its window's surface: unscaled, top-left, clipped to the
// control's bounds.
#include "forms/controls/bitmap.h"
#include "forms/controls/control.h"

class TImage : public TControl {
public:
  using TControl::TControl;
  void SetPicture(const std::string& resourceName);
  void Paint(HDC dc) override;
  // The picture's palette, or none.
  HPALETTE Palette() const { return picture_.palette.get(); }
  bool ApplyProperty(const DescriptionProperty& property, const EventBinder& binder) override;

private:
  TBitmap picture_;
};
