#include "controls/image.h"

#include "controls/property_table.h"
#include "controls/property_values.h"

namespace {

const PropertyEntry<TImage> ImageProperties[] = {
    {"Picture", Set<&TImage::SetPicture, AsBitmapName>},
};

}  // namespace

void TImage::SetPicture(const std::string& resourceName) {
  RequireBitmapResource(resourceName);
  pictureName_ = resourceName;
  picture_ = TBitmap();
  Invalidate();
}

const TBitmap& TImage::Picture() const {
  if (picture_.Empty() && !pictureName_.empty()) picture_ = LoadBitmapResource(pictureName_);
  return picture_;
}

void TImage::Paint(HDC dc) {
  if (!Visible()) return;
  ScopedSaveDc saved(dc);
  IntersectClipRect(dc, Left(), Top(), Left() + Width(), Top() + Height());
  DrawBitmap(dc, Picture(), Left(), Top());
}

bool TImage::ApplyProperty(const DescriptionProperty& property, const EventBinder& binder) {
  return ApplyFromTable(*this, ImageProperties, property, binder) ||
         TControl::ApplyProperty(property, binder);
}
