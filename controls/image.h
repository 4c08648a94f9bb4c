#pragma once
// A picture painted on its window's surface: unscaled, top-left, clipped to the
// control's bounds. The picture is checked when set but loaded when first needed, so
// the pictures of windows never shown take no memory.
#include "controls/bitmap.h"
#include "controls/control.h"

class TImage : public TControl {
public:
  using TControl::TControl;
  void SetPicture(const std::string& resourceName);
  void Paint(HDC dc) override;
  // The picture's palette, or none.
  HPALETTE Palette() const { return Picture().palette.get(); }
  bool ApplyProperty(const DescriptionProperty& property, const EventBinder& binder) override;

private:
  const TBitmap& Picture() const;

  std::string pictureName_;
  mutable TBitmap picture_;  // loaded from pictureName_ on first use
};
