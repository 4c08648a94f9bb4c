#include "controls/control.h"

#include "base/errors.h"
#include "base/platform.h"
#include "controls/colors.h"
#include "controls/property_table.h"
#include "controls/property_values.h"
#include "res/strings.h"

namespace {

const NamedValue<TAlign> AlignNames[] = {
    {"alNone", TAlign::alNone},
    {"alClient", TAlign::alClient},
};

TAlign AsAlign(const DescriptionValue& value) { return AsEnum(value, AlignNames); }

// A font property: the control's own font from now on.
template <auto Field, auto Read>
void SetFont(TControl& control, const DescriptionValue& value, const EventBinder&) {
  control.EditFont().*Field = Read(value);
  control.FontEdited();
}

const PropertyEntry<TControl> ControlProperties[] = {
    {"Left", Set<&TControl::SetLeft, AsInteger>},
    {"Top", Set<&TControl::SetTop, AsInteger>},
    {"Width", Set<&TControl::SetWidth, AsInteger>},
    {"Height", Set<&TControl::SetHeight, AsInteger>},
    {"Visible", Set<&TControl::SetVisible, AsBoolean>},
    {"Enabled", Set<&TControl::SetEnabled, AsBoolean>},
    {"Color", Set<&TControl::SetColor, AsColor>},
    {"ParentColor", Set<&TControl::SetParentColor, AsBoolean>},
    {"ParentFont", Set<&TControl::SetParentFont, AsBoolean>},
    {"Font.Name", SetFont<&TFont::name, AsString>},
    {"Font.Height", SetFont<&TFont::height, AsInteger>},
    {"Font.Color", SetFont<&TFont::color, AsColor>},
    {"Font.Charset", SetFont<&TFont::charset, AsCharset>},
    {"Font.Style", SetFont<&TFont::style, AsFontStyle>},
    {"Align", Set<&TControl::SetAlign, AsAlign>},
};

const PropertyEntry<TWinControl> WinControlProperties[] = {
    {"TabOrder", Set<&TWinControl::SetTabOrder, AsInteger>},
    {"TabStop", Set<&TWinControl::SetTabStop, AsBoolean>},
    {"OnKeyDown", Bind<&TWinControl::OnKeyDown, &EventBinder::KeyHandler>},
};

}  // namespace

bool TComponent::ApplyProperty(const DescriptionProperty&, const EventBinder&) { return false; }

bool TComponent::InsertChild(TComponent&) { return false; }

// --- TControl ---------------------------------------------------------------------

void TControl::SetBounds(int left, int top, int width, int height) {
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  if (!IsWindowed()) Invalidate();
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  BoundsChanged();
  if (!IsWindowed()) Invalidate();
}

void TControl::SetAlign(TAlign align) {
  align_ = align;
  host_.Realign();
}

void TControl::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  VisibleChanged();
}

void TControl::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  EnabledChanged();
}

TColor TControl::Color() const {
  return parentColor_ ? static_cast<const TControl&>(host_.HostWindow()).color_ : color_;
}

void TControl::SetColor(TColor color) {
  const bool changed = Color() != color;
  color_ = color;
  parentColor_ = false;
  if (changed) ColorChanged();
}

void TControl::SetParentColor(bool parentColor) {
  if (parentColor == parentColor_) return;
  parentColor_ = parentColor;
  ColorChanged();
}

void TControl::ParentColorChanged() {
  if (parentColor_) ColorChanged();
}

const TFont& TControl::Font() const {
  return parentFont_ ? static_cast<const TControl&>(host_.HostWindow()).font_ : font_;
}

TFont& TControl::EditFont() {
  if (parentFont_) font_ = Font();  // a control's own font starts as a copy of its parent's
  return font_;
}

void TControl::FontEdited() {
  parentFont_ = false;
  fontHandle_.reset();
  FontChanged();
}

void TControl::SetParentFont(bool parentFont) {
  if (parentFont == parentFont_) return;
  parentFont_ = parentFont;
  fontHandle_.reset();
  FontChanged();
}

void TControl::ParentFontChanged() {
  if (!parentFont_) return;
  fontHandle_.reset();
  FontChanged();
}

HFONT TControl::FontHandle() const {
  if (!fontHandle_) fontHandle_ = CreatePlatformFont(Font());
  return fontHandle_.get();
}

void TControl::Invalidate() {
  HWND window = host_.HostWindow().HandleIfCreated();
  if (window == nullptr) return;
  RECT bounds = BoundsRect();
  InvalidateRect(window, &bounds, TRUE);
}

bool TControl::Loading() const { return host_.Loading(); }

bool TControl::ApplyProperty(const DescriptionProperty& property, const EventBinder& binder) {
  return ApplyFromTable(*this, ControlProperties, property, binder) ||
         TComponent::ApplyProperty(property, binder);
}

// --- TWinControl ------------------------------------------------------------------

TWinControl::~TWinControl() { DestroyHandle(); }

HWND TWinControl::Handle() {
  if (handle_ == nullptr) CreateHandle();
  return handle_;
}

void TWinControl::CreateHandle() {
  HWND parent = ParentHandle();
  if (handle_ != nullptr) return;  // creating the parent created this one too
  WindowParams params;
  FillParams(params);
  HWND window =
      CreateWindowExA(params.exStyle, params.className, params.caption.c_str(), params.style,
                      Left(), Top(), Width(), Height(), parent, nullptr, GetModuleHandleA(nullptr),
                      params.platformClass ? nullptr : static_cast<MessageTarget*>(this));
  if (window == nullptr) throw EInvalidOperation(LoadText(IDS_CREATE_WINDOW_ERROR));
  if (params.platformClass) {
    handle_ = window;
    Attach(window);
    platformProc_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MessageTarget::WindowProcedure)));
  }
  accessibleLink_.Connect(handle_, *this);
  HandleCreated();
}

void TWinControl::FillParams(WindowParams& params) {
  params.style = WS_CHILD | WS_CLIPSIBLINGS;
  if (Visible()) params.style |= WS_VISIBLE;
  if (!Enabled()) params.style |= WS_DISABLED;
  if (tabStop_) params.style |= WS_TABSTOP;
}

void TWinControl::HandleCreated() {
  SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), FALSE);
}

HWND TWinControl::ParentHandle() { return Host().HostWindow().Handle(); }

void TWinControl::Detach() {
  if (handle_ == nullptr) return;
  accessibleLink_.Disconnect();
  MessageTarget::Detach(handle_);
  if (platformProc_ != nullptr) {
    SetWindowLongPtrA(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(platformProc_));
  }
  handle_ = nullptr;
  platformProc_ = nullptr;
}

void TWinControl::DestroyHandle() {
  HWND window = handle_;
  if (window == nullptr) return;
  Detach();
  DestroyWindow(window);
}

TWinControl* TWinControl::FromHandle(HWND window) {
  return dynamic_cast<TWinControl*>(MessageTarget::FromHandle(window));
}

LRESULT TWinControl::DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam) {
  if (platformProc_ != nullptr) {
    return CallWindowProcA(platformProc_, handle_, message, wParam, lParam);
  }
  return DefWindowProcA(handle_, message, wParam, lParam);
}

LRESULT TWinControl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETFOCUS:
      // An incomplete bookkeeping means a handler moved the focus elsewhere already.
      if (!Host().FocusBookkeeping(*this)) return 0;
      break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (OnKeyDown) {
        WORD key = static_cast<WORD>(wParam);
        OnKeyDown(*this, key, KeyboardShiftState());
        if (key == 0 || handle_ == nullptr) return 0;
        wParam = key;
      }
      break;
    case WM_KILLFOCUS:
      accessibleLink_.FocusLeft();
      break;
    case WM_GETOBJECT:
      if (LRESULT object = accessibleLink_.AnswerGetObject(wParam, lParam)) return object;
      break;
    default:
      break;
  }
  return DefaultHandler(message, wParam, lParam);
}

LRESULT TWinControl::PaintMessage(UINT message, WPARAM wParam) {
  const auto dc = reinterpret_cast<HDC>(wParam);
  switch (message) {
    case WM_ERASEBKGND:
      EraseBackground(dc);
      return 1;
    case WM_PAINT: {
      ScopedPaint paint(handle_);
      PaintClient(paint.dc());
      return 0;
    }
    default:  // WM_PRINTCLIENT
      EraseBackground(dc);
      PaintClient(dc);
      return 0;
  }
}

UINT TWinControl::DialogCode() {
  return static_cast<UINT>(SendMessageA(handle_, WM_GETDLGCODE, 0, 0));
}

bool TWinControl::PreProcessKey(const MSG& message) {
  if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) return false;
  const WORD key = static_cast<WORD>(message.wParam);
  UINT needed = 0;
  switch (key) {
    case VK_TAB:
      needed = DLGC_WANTTAB;
      break;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
      needed = DLGC_WANTARROWS;
      break;
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_CANCEL:
    case VK_EXECUTE:
      needed = DLGC_WANTALLKEYS;
      break;
    default:
      return false;
  }
  if ((DialogCode() & needed) != 0) return false;
  return Host().FormDialogKey(key, KeyboardShiftState());
}

bool TWinControl::CanFocus() const {
  if (!Focusable() || !Visible() || !Enabled()) return false;
  const TWinControl& window = Host().HostWindow();
  if (&window == this) return true;
  return window.Visible() && window.Enabled();
}

void TWinControl::SetFocus() {
  if (!CanFocus()) {
    throw EInvalidOperation(LoadText(IDS_CANNOT_FOCUS));
  }
  ::SetFocus(Handle());
}

void TWinControl::Repaint() {
  if (handle_ == nullptr) return;
  InvalidateRect(handle_, nullptr, TRUE);
  UpdateWindow(handle_);
}

HBRUSH TWinControl::ColorBrush() {
  const COLORREF color = ColorToRgb(Color());
  if (!brush_ || brushColor_ != color) {
    brush_.reset(CreateSolidBrush(color));
    brushColor_ = color;
  }
  return brush_.get();
}

HBRUSH TWinControl::ControlColor(HDC dc) {
  SetTextColor(dc, ColorToRgb(Font().color));
  SetBkColor(dc, ColorToRgb(Color()));
  return ColorBrush();
}

void TWinControl::BoundsChanged() {
  if (handle_ == nullptr) return;
  SetWindowPos(handle_, nullptr, Left(), Top(), Width(), Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWinControl::ColorChanged() { Invalidate(); }

void TWinControl::FontChanged() {
  if (handle_ == nullptr) return;
  SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), TRUE);
}

void TWinControl::VisibleChanged() {
  if (handle_ != nullptr) ShowWindow(handle_, Visible() ? SW_SHOW : SW_HIDE);
}

void TWinControl::EnabledChanged() {
  if (handle_ != nullptr) EnableWindow(handle_, Enabled() ? TRUE : FALSE);
}

void TWinControl::Invalidate() {
  if (handle_ != nullptr) InvalidateRect(handle_, nullptr, TRUE);
}

bool TWinControl::ApplyProperty(const DescriptionProperty& property, const EventBinder& binder) {
  return ApplyFromTable(*this, WinControlProperties, property, binder) ||
         TControl::ApplyProperty(property, binder);
}
