#include "controls/label.h"

#include <oleacc.h>

#include "controls/colors.h"
#include "controls/property_table.h"
#include "controls/property_values.h"

namespace {

const PropertyEntry<TLabel> LabelProperties[] = {
    {"Caption", Set<&TLabel::SetCaption, AsString>},
    {"AutoSize", Set<&TLabel::SetAutoSize, AsBoolean>},
    {"ShowAccelChar", Set<&TLabel::showAccelChar, AsBoolean>},
    {"WordWrap", Set<&TLabel::wordWrap, AsBoolean>},
};

}  // namespace

TLabel::TLabel(ControlHost& host) : TWinControl(host) {
  parentColor_ = true;
  SetTabStop(false);
}

AccessibleDescription TLabel::Accessible() const {
  AccessibleDescription description = TWinControl::Accessible();
  description.role = ROLE_SYSTEM_STATICTEXT;
  if (!showAccelChar) {
    description.name = caption_;
    return description;
  }
  // What the label shows: "&&" is one ampersand, a single one marks the next letter.
  for (size_t i = 0; i < caption_.size(); ++i) {
    if (caption_[i] == '&' && i + 1 < caption_.size()) ++i;
    description.name += caption_[i];
  }
  return description;
}

void TLabel::SetCaption(const std::string& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  if (HWND window = HandleIfCreated()) SetWindowTextA(window, caption_.c_str());
  AdjustBounds();
  Invalidate();
}

void TLabel::SetAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  AdjustBounds();
}

void TLabel::Loaded() { AdjustBounds(); }

void TLabel::FontChanged() {
  TWinControl::FontChanged();
  AdjustBounds();
}

UINT TLabel::TextFlags() const {
  UINT flags = DT_EXPANDTABS | DT_LEFT;
  if (wordWrap) flags |= DT_WORDBREAK;
  if (!showAccelChar) flags |= DT_NOPREFIX;
  return flags;
}

void TLabel::AdjustBounds() {
  if (!autoSize_ || Loading()) return;
  // Nothing shows the size of a label in a window that was never shown: a hidden
  // window's label is measured when that window is first needed.
  if (Host().HostWindow().HandleIfCreated() == nullptr) {
    sizePending_ = true;
    return;
  }
  sizePending_ = false;
  // An empty caption keeps the size of one blank.
  std::string text = caption_;
  if (text.empty() || (showAccelChar && text == "&")) text += ' ';
  ScopedWindowDc screen(nullptr);
  ScopedSelect font(screen.get(), FontHandle());
  RECT rect{0, 0, Width(), Height()};
  DrawTextA(screen.get(), text.c_str(), static_cast<int>(text.size()), &rect,
            TextFlags() | DT_CALCRECT);
  SetBounds(Left(), Top(), rect.right - rect.left, rect.bottom - rect.top);
}

void TLabel::FillParams(WindowParams& params) {
  if (sizePending_) AdjustBounds();
  TWinControl::FillParams(params);
  params.className = "STATIC";
  params.style |= SS_LEFT;
  params.caption = caption_;
}

void TLabel::PaintClient(HDC dc) {
  RECT rect{0, 0, Width(), Height()};
  UniqueBrush brush(CreateSolidBrush(ColorToRgb(Color())));
  FillRect(dc, &rect, brush.get());
  ScopedSelect font(dc, FontHandle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRgb(Font().color));
  DrawTextA(dc, caption_.c_str(), static_cast<int>(caption_.size()), &rect, TextFlags());
}

LRESULT TLabel::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
    case WM_PAINT:
    case WM_PRINTCLIENT:
      return PaintMessage(message, wParam);
    default:
      return TWinControl::WindowProc(message, wParam, lParam);
  }
}

bool TLabel::ApplyProperty(const DescriptionProperty& property, const EventBinder& binder) {
  return ApplyFromTable(*this, LabelProperties, property, binder) ||
         TWinControl::ApplyProperty(property, binder);
}
