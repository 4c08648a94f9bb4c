#include "forms/bitbtn.h"

#include <oleacc.h>

#include <vector>

#include "base/platform.h"
#include "controls/colors.h"
#include "controls/property_table.h"
#include "controls/property_values.h"
#include "res/strings.h"

namespace {

constexpr int GlyphSpacing = 4;
// A glyph strip holds at most four images side by side, one per state of the button.
constexpr int MaxGlyphs = 4;

const NamedValue<TBitBtnKind> KindNames[] = {
    {"bkCustom", TBitBtnKind::bkCustom},
    {"bkOK", TBitBtnKind::bkOK},
};
const NamedValue<int> LayoutNames[] = {{"blGlyphLeft", 0}};

TBitBtnKind AsKind(const DescriptionValue& value) { return AsEnum(value, KindNames); }

int AsLayout(const DescriptionValue& value) { return AsEnum(value, LayoutNames); }

int AsNumGlyphs(const DescriptionValue& value) {
  const int count = AsInteger(value);
  if (count < 1 || count > MaxGlyphs) throw InvalidPropertyValue();
  return count;
}

// The margin and the spacing that the buttons are drawn with, and no other.
int AsMargin(const DescriptionValue& value) {
  if (AsInteger(value) != -1) throw InvalidPropertyValue();
  return -1;
}

int AsSpacing(const DescriptionValue& value) {
  if (AsInteger(value) != GlyphSpacing) throw InvalidPropertyValue();
  return GlyphSpacing;
}

const PropertyEntry<TBitBtn> BitBtnProperties[] = {
    {"Caption", Set<&TBitBtn::SetCaption, AsString>},
    {"Glyph", Set<&TBitBtn::SetGlyph, AsBitmapName>},
    {"NumGlyphs", Set<&TBitBtn::SetNumGlyphs, AsNumGlyphs>},
    {"Kind", Set<&TBitBtn::SetKind, AsKind>},
    {"ModalResult", Set<&TBitBtn::SetModalResult, AsInteger>},
    {"Default", Set<&TBitBtn::SetDefault, AsBoolean>},
    {"Cancel", Set<&TBitBtn::SetCancel, AsBoolean>},
    {"Layout", Accept<AsLayout>},
    {"Margin", Accept<AsMargin>},
    {"Spacing", Accept<AsSpacing>},
    {"OnClick", Bind<&TBitBtn::OnClick, &EventBinder::NotifyHandler>},
};

// One image list per cell size, shared by every button and kept until the program
// ends: a list holds the images of all buttons whose cells are that size.
struct SizedImageList {
  int width;
  int height;
  UniqueImageList list;
};

HIMAGELIST SharedImageList(int width, int height) {
  static std::vector<SizedImageList> lists;  // a handful of sizes: searched in turn
  for (const SizedImageList& entry : lists) {
    if (entry.width == width && entry.height == height) return entry.list.get();
  }
  lists.push_back({width, height,
                   UniqueImageList(ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, 4, 4))});
  return lists.back().list.get();
}

}  // namespace

TBitBtn::TBitBtn(ControlHost& host) : TWinControl(host) {
  SetBounds(0, 0, 75, 25);
  // A button whatever the platform makes of an owner-drawn one.
  SetAccessibleRole(ROLE_SYSTEM_PUSHBUTTON);
}

void TBitBtn::SetCaption(const std::string& caption) {
  caption_ = caption;
  captionStored_ = true;
  if (HWND window = HandleIfCreated()) {
    SetWindowTextA(window, caption_.c_str());
    Invalidate();
  }
}

void TBitBtn::SetGlyph(const std::string& resourceName) {
  glyphSize_ = StoredBitmapSize(resourceName);
  glyphName_ = resourceName;
  glyph_ = TBitmap();
  images_[0] = images_[1] = -1;
  if (glyphSize_.height > 0 && glyphSize_.width % glyphSize_.height == 0) {
    const int count = glyphSize_.width / glyphSize_.height;
    numGlyphs_ = count > MaxGlyphs ? 1 : count;
  }
  Invalidate();
}

const TBitmap& TBitBtn::Glyph() {
  if (glyph_.Empty() && !glyphName_.empty()) {
    glyph_ = LoadBitmapResource(glyphName_);
    transparent_ = BitmapPixel(glyph_, 0, glyph_.height - 1);
  }
  return glyph_;
}

void TBitBtn::SetNumGlyphs(int count) {
  numGlyphs_ = count;
  images_[0] = images_[1] = -1;
  Invalidate();
}

void TBitBtn::SetKind(TBitBtnKind kind) {
  if (kind != TBitBtnKind::bkOK) return;
  SetGlyph("BBOK");
  numGlyphs_ = 2;
  if (!captionStored_) {
    caption_ = LoadText(IDS_OK_CAPTION);
    if (HWND window = HandleIfCreated()) SetWindowTextA(window, caption_.c_str());
  }
  modalResult_ = mrOk;
  default_ = true;
  cancel_ = false;
}

void TBitBtn::Click() {
  Host().SetModalResult(modalResult_);
  if (OnClick) OnClick(*this);
}

void TBitBtn::FocusChanged(TWinControl& focused) {
  const bool active = &focused == this || (!focused.IsPushButton() && default_);
  if (active == active_) return;
  active_ = active;
  Invalidate();
}

bool TBitBtn::DialogKey(WORD key, TShiftState shift) {
  const bool plain = (shift & (ssShift | ssCtrl | ssAlt)) == 0;
  if (((key == VK_RETURN && active_) || (key == VK_ESCAPE && cancel_)) && plain && CanFocus()) {
    Click();
    return true;
  }
  return false;
}

void TBitBtn::CommandNotified(WORD code) {
  if (code == BN_CLICKED) Click();
}

void TBitBtn::FillParams(WindowParams& params) {
  TWinControl::FillParams(params);
  params.className = "BUTTON";
  params.style |= BS_OWNERDRAW;
  params.caption = caption_;
}

void TBitBtn::HandleCreated() {
  TWinControl::HandleCreated();
  active_ = default_;
}

LRESULT TBitBtn::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  // Owner-drawn buttons report a double click instead of a second press; here it is
  // a second click like any other.
  if (message == WM_LBUTTONDBLCLK) message = WM_LBUTTONDOWN;
  return TWinControl::WindowProc(message, wParam, lParam);
}

int TBitBtn::Image(bool down, HIMAGELIST list) {
  const int cell = (down && numGlyphs_ >= 3) ? 2 : 0;
  int& image = images_[down && numGlyphs_ >= 3 ? 1 : 0];
  if (image >= 0) return image;
  const TBitmap& glyph = Glyph();
  const int width = glyph.width / numGlyphs_;
  const int height = glyph.height;
  ScopedWindowDc screen(nullptr);
  UniqueBitmap copy(CreateCompatibleBitmap(screen.get(), width, height));
  {
    UniqueMemoryDc target(CreateCompatibleDC(screen.get()));
    ScopedSelect select(target.get(), copy.get());
    UniqueMemoryDc source(CreateCompatibleDC(screen.get()));
    ScopedSelect selectSource(source.get(), glyph.bitmap.get());
    BitBlt(target.get(), 0, 0, width, height, source.get(), cell * width, 0, SRCCOPY);
  }
  image = ImageList_AddMasked(list, copy.get(), transparent_);
  return image;
}

void TBitBtn::DrawFace(HDC dc, bool down, bool focused) {
  const RECT client{0, 0, Width(), Height()};
  RECT rect = client;
  if (active_ || focused) {
    UniqueBrush frame(CreateSolidBrush(ColorToRgb(clWindowFrame)));
    FrameRect(dc, &rect, frame.get());
    InflateRect(&rect, -1, -1);
  }
  if (down) {
    UniquePen pen(CreatePen(PS_SOLID, 1, ColorToRgb(clBtnShadow)));
    UniqueBrush face(CreateSolidBrush(ColorToRgb(clBtnFace)));
    ScopedSelect selectPen(dc, pen.get());
    ScopedSelect selectBrush(dc, face.get());
    Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
    InflateRect(&rect, -1, -1);
  } else {
    DrawFrameControl(dc, &rect, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT);
  }
  if (active_) {
    rect = client;
    InflateRect(&rect, -1, -1);
  }
  ScopedSelect font(dc, FontHandle());
  if (down) OffsetRect(&rect, 1, 1);

  const int glyphWidth = glyphName_.empty() ? 0 : glyphSize_.width / numGlyphs_;
  const int glyphHeight = glyphName_.empty() ? 0 : glyphSize_.height;
  RECT text{0, 0, 0, 0};
  if (!caption_.empty()) {
    text.right = rect.right - rect.left;
    DrawTextA(dc, caption_.c_str(), static_cast<int>(caption_.size()), &text, DT_CALCRECT);
  }
  const int textWidth = text.right - text.left;
  const int textHeight = text.bottom - text.top;
  const int spacing = (glyphWidth == 0 || textWidth == 0) ? 0 : GlyphSpacing;
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  const int margin = (width - (glyphWidth + spacing + textWidth) + 1) / 2;
  const int glyphLeft = rect.left + margin;
  const int glyphTop = rect.top + (height - glyphHeight + 1) / 2;
  const int textLeft = glyphLeft + glyphWidth + spacing;
  const int textTop = rect.top + (height - textHeight + 1) / 2;

  if (glyphWidth > 0) {
    HIMAGELIST list = SharedImageList(glyphWidth, glyphHeight);
    ImageList_DrawEx(list, Image(down, list), dc, glyphLeft, glyphTop, 0, 0, CLR_NONE, CLR_NONE,
                     ILD_TRANSPARENT);
  }
  if (textWidth > 0) {
    RECT where{textLeft, textTop, textLeft + textWidth, textTop + textHeight};
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRgb(Font().color));
    DrawTextA(dc, caption_.c_str(), static_cast<int>(caption_.size()), &where,
              DT_CENTER | DT_VCENTER);
  }
  if (active_ && focused) {
    RECT focus = client;
    InflateRect(&focus, -4, -4);
    DrawFocusRect(dc, &focus);
  }
}

bool TBitBtn::DrawItem(const DRAWITEMSTRUCT& item) {
  DrawFace(item.hDC, (item.itemState & ODS_SELECTED) != 0, (item.itemState & ODS_FOCUS) != 0);
  return true;
}

bool TBitBtn::ApplyProperty(const DescriptionProperty& property, const EventBinder& binder) {
  return ApplyFromTable(*this, BitBtnProperties, property, binder) ||
         TWinControl::ApplyProperty(property, binder);
}
