#include "app/form.h"

#include "app/application.h"
#include "app/screen.h"
#include "base/errors.h"
#include "base/platform.h"
#include "controls/image.h"
#include "controls/property_table.h"
#include "controls/property_values.h"
#include "controls/window_text.h"
#include "res/strings.h"

namespace {

const NamedValue<TBorderIcon> BorderIconNames[] = {
    {"biSystemMenu", biSystemMenu},
    {"biMinimize", biMinimize},
    {"biMaximize", biMaximize},
    {"biHelp", biHelp},
};

const NamedValue<TFormBorderStyle> BorderStyleNames[] = {
    {"bsNone", TFormBorderStyle::bsNone},
    {"bsSingle", TFormBorderStyle::bsSingle},
    {"bsSizeable", TFormBorderStyle::bsSizeable},
    {"bsDialog", TFormBorderStyle::bsDialog},
    {"bsToolWindow", TFormBorderStyle::bsToolWindow},
    {"bsSizeToolWin", TFormBorderStyle::bsSizeToolWin},
};

const NamedValue<TWindowState> WindowStateNames[] = {
    {"wsNormal", TWindowState::wsNormal},
    {"wsMinimized", TWindowState::wsMinimized},
    {"wsMaximized", TWindowState::wsMaximized},
};

const NamedValue<int> PositionNames[] = {{"poDesigned", 0}};

unsigned AsBorderIcons(const DescriptionValue& value) { return AsFlags(value, BorderIconNames); }

TFormBorderStyle AsFormBorderStyle(const DescriptionValue& value) {
  return AsEnum(value, BorderStyleNames);
}

TWindowState AsWindowState(const DescriptionValue& value) {
  return AsEnum(value, WindowStateNames);
}

int AsPosition(const DescriptionValue& value) { return AsEnum(value, PositionNames); }

const PropertyEntry<TForm> FormProperties[] = {
    {"Caption", Set<&TForm::SetCaption, AsString>},
    {"BorderIcons", Set<&TForm::SetBorderIcons, AsBorderIcons>},
    {"BorderStyle", Set<&TForm::SetBorderStyle, AsFormBorderStyle>},
    {"WindowState", Set<&TForm::SetWindowState, AsWindowState>},
    {"Position", Accept<AsPosition>},
    {"Icon", Set<&TForm::SetIconName, AsIconName>},
    {"Menu", Set<&TForm::SetMenuName, AsIdentifier>},
    // Stored with every description; this program draws at their values.
    {"OldCreateOrder", Accept<AsBoolean>},
    {"PixelsPerInch", Accept<AsInteger>},
    {"TextHeight", Accept<AsInteger>},
    {"OnActivate", Bind<&TForm::OnActivate, &EventBinder::NotifyHandler>},
    {"OnDeactivate", Bind<&TForm::OnDeactivate, &EventBinder::NotifyHandler>},
    {"OnShow", Bind<&TForm::OnShow, &EventBinder::NotifyHandler>},
    {"OnHide", Bind<&TForm::OnHide, &EventBinder::NotifyHandler>},
    {"OnClose", Bind<&TForm::OnClose, &EventBinder::CloseHandler>},
};

}  // namespace

TForm::TForm(std::string className)
    : TWinControl(static_cast<ControlHost&>(*this)), className_(std::move(className)) {
  StoreVisible(false);
  StoreBounds(0, 0, 320, 240);
  parentFont_ = false;
  parentColor_ = false;
  color_ = clBtnFace;
  Screen->RegisterForm(*this);
}

TForm::~TForm() {
  // The window goes first, while the controls that its messages reach still exist.
  DestroyHandle();
  Screen->UnregisterForm(*this);
}

std::string TForm::Caption() const {
  if (HWND window = HandleIfCreated()) return WindowText(window);
  return caption_;
}

void TForm::SetCaption(const std::string& caption) {
  caption_ = caption;
  if (HWND window = HandleIfCreated()) SetWindowTextA(window, caption.c_str());
}

void TForm::SetWindowState(TWindowState state) {
  if (state == windowState_) return;
  windowState_ = state;
  HWND window = HandleIfCreated();
  if (window == nullptr || !Visible() || loading_) return;
  switch (state) {
    case TWindowState::wsNormal:
      ShowWindow(window, SW_SHOWNORMAL);
      break;
    case TWindowState::wsMinimized:
      ShowWindow(window, SW_MINIMIZE);
      break;
    case TWindowState::wsMaximized:
      ShowWindow(window, SW_SHOWMAXIMIZED);
      break;
  }
}

TComponent* TForm::FindComponent(const std::string& name) const {
  for (const auto& component : components_) {
    if (component->Name() == name) return component.get();
  }
  return nullptr;
}

void TForm::MissingField(const std::string&) { throw EReadError(LoadText(IDS_BAD_STREAM_FORMAT)); }

void TForm::NameControls(std::initializer_list<AccessibleName> names) {
  for (const AccessibleName& name : names) {
    Field<TWinControl>(name.control).SetAccessibleName(LoadText(name.text));
  }
}

namespace {

// The handler of that name and shape; InvalidPropertyValue when there is none.
template <class Event>
Event FindHandler(const std::vector<HandlerEntry>& handlers, const std::string& name) {
  for (const HandlerEntry& entry : handlers) {
    if (entry.name != name) continue;
    if (const auto* handler = std::get_if<Event>(&entry.handler)) return *handler;
  }
  throw InvalidPropertyValue();
}

}  // namespace

TNotifyEvent TForm::NotifyHandler(const std::string& name) const {
  return FindHandler<TNotifyEvent>(handlers_, name);
}

TKeyEvent TForm::KeyHandler(const std::string& name) const {
  return FindHandler<TKeyEvent>(handlers_, name);
}

TCloseEvent TForm::CloseHandler(const std::string& name) const {
  return FindHandler<TCloseEvent>(handlers_, name);
}

ErrorReporter& TForm::Reporter() { return *Application; }

bool TForm::ApplyProperty(const DescriptionProperty& property, const EventBinder& binder) {
  return ApplyFromTable(*this, FormProperties, property, binder) ||
         TWinControl::ApplyProperty(property, binder);
}

// --- The platform window --------------------------------------------------------

void TForm::RegisterWindowClass(const std::string& className) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA existing{};
  if (GetClassInfoA(instance, className.c_str(), &existing)) return;
  WNDCLASSA windowClass{};
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = &MessageTarget::WindowProcedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.lpszClassName = className.c_str();
  RegisterClassA(&windowClass);
}

void TForm::FillParams(WindowParams& params) {
  RegisterWindowClass(className_);
  params.className = className_.c_str();
  params.platformClass = false;
  params.caption = caption_;
  params.style = WS_CLIPCHILDREN;
  switch (borderStyle_) {
    case TFormBorderStyle::bsNone:
      params.style |= WS_POPUP;
      break;
    case TFormBorderStyle::bsSingle:
    case TFormBorderStyle::bsToolWindow:
      params.style |= WS_CAPTION | WS_BORDER;
      break;
    case TFormBorderStyle::bsSizeable:
    case TFormBorderStyle::bsSizeToolWin:
      params.style |= WS_CAPTION | WS_THICKFRAME;
      break;
    case TFormBorderStyle::bsDialog:
      params.style |= WS_CAPTION | WS_DLGFRAME;
      params.exStyle |= WS_EX_DLGMODALFRAME;
      break;
  }
  if (borderStyle_ != TFormBorderStyle::bsNone && (borderIcons_ & biSystemMenu) != 0) {
    // Without their boxes, Minimise and Maximise are greyed in the system menu.
    params.style |= WS_SYSMENU;
    if ((borderIcons_ & biMinimize) != 0) params.style |= WS_MINIMIZEBOX;
    if ((borderIcons_ & biMaximize) != 0) params.style |= WS_MAXIMIZEBOX;
  }
  if (!Enabled()) params.style |= WS_DISABLED;
}

HWND TForm::ParentHandle() { return Application->Handle(); }

void TForm::HandleCreated() {
  TWinControl::HandleCreated();
  HWND window = HandleIfCreated();
  HINSTANCE instance = GetModuleHandleA(nullptr);
  // The window's own icon; the application's where it has none.
  const char* icon = iconName_.empty() ? "MAINICON" : iconName_.c_str();
  HANDLE big = LoadImageA(instance, icon, IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                          GetSystemMetrics(SM_CYICON), LR_SHARED);
  HANDLE small = LoadImageA(instance, icon, IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                            GetSystemMetrics(SM_CYSMICON), LR_SHARED);
  SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
  SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
  for (TControl* control : controls_) {
    if (control->IsWindowed()) static_cast<TWinControl*>(control)->Handle();
  }
  Realign();
}

void TForm::Realign() {
  HWND window = HandleIfCreated();
  if (window == nullptr) return;
  RECT client{};
  GetClientRect(window, &client);
  for (TControl* control : controls_) {
    if (control->Align() == TAlign::alClient) {
      control->SetBounds(0, 0, client.right - client.left, client.bottom - client.top);
    }
  }
}

// The outer bounds follow the window while it is neither minimised nor maximised, so
// that code sizing it starts from where the user left it.
void TForm::TrackPlacement() {
  HWND window = HandleIfCreated();
  if (window == nullptr || IsIconic(window) || IsZoomed(window) || !IsWindowVisible(window)) {
    return;
  }
  RECT rect{};
  GetWindowRect(window, &rect);
  StoreBounds(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

void TForm::ColorChanged() {
  for (TControl* control : controls_) control->ParentColorChanged();
  TWinControl::ColorChanged();
}

void TForm::FontChanged() {
  TWinControl::FontChanged();
  for (TControl* control : controls_) control->ParentFontChanged();
}

void TForm::EraseBackground(HDC dc) {
  RECT client{};
  GetClientRect(HandleIfCreated(), &client);
  FillRect(dc, &client, ColorBrush());
}

void TForm::PaintClient(HDC dc) {
  for (TControl* control : controls_) {
    if (!control->IsWindowed() && control->Visible()) control->Paint(dc);
  }
}

bool TForm::RealizePicturePalette(bool background) {
  for (TControl* control : controls_) {
    const auto* image = dynamic_cast<const TImage*>(control);
    if (image == nullptr || image->Palette() == nullptr) continue;
    HWND window = HandleIfCreated();
    ScopedWindowDc dc(window);
    const ScopedPalette palette(dc.get(), image->Palette(), background);
    if (palette.ChangedColors()) InvalidateRect(window, nullptr, TRUE);
    return palette.ChangedColors();
  }
  return false;
}

// --- The window's messages -----------------------------------------------------

LRESULT TForm::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  static constexpr MessageHandler<TForm> Handlers[] = {
      {WM_ACTIVATE, &TForm::WmActivate},
      {WM_SETFOCUS, &TForm::WmSetFocus},
      {WM_CLOSE, &TForm::WmClose},
      {WM_GETOBJECT, &TForm::WmGetObject},
      {WM_QUERYENDSESSION, &TForm::WmQueryEndSession},
      {WM_SYSCOMMAND, &TForm::WmSysCommand},
      {WM_ERASEBKGND, &TForm::WmPaint},
      {WM_PAINT, &TForm::WmPaint},
      {WM_PRINTCLIENT, &TForm::WmPaint},
      {WM_SIZE, &TForm::WmSize},
      {WM_MOVE, &TForm::WmMove},
      {WM_QUERYNEWPALETTE, &TForm::WmQueryNewPalette},
      {WM_PALETTECHANGED, &TForm::WmPaletteChanged},
      {WM_COMMAND, &TForm::WmCommand},
      {WM_DRAWITEM, &TForm::WmDrawItem},
      {WM_CTLCOLOREDIT, &TForm::WmControlColor},
      {WM_CTLCOLORLISTBOX, &TForm::WmControlColor},
      {WM_CTLCOLORSTATIC, &TForm::WmControlColor},
      {WM_CTLCOLORBTN, &TForm::WmControlColor},
  };
  return DispatchToHandler(*this, Handlers, {message, wParam, lParam},
                           [&] { return DefaultHandler(message, wParam, lParam); });
}

MessageResult TForm::WmActivate(const WindowMessage& message) {
  HandleActivate(message.wParam);
  return 0;
}

MessageResult TForm::WmSetFocus(const WindowMessage&) {
  // The window passes the focus on to its active control at once.
  if (HWND control = activeControl_ != nullptr ? activeControl_->HandleIfCreated() : nullptr) {
    ::SetFocus(control);
    return 0;
  }
  if (!FocusBookkeeping(*this)) return 0;
  return std::nullopt;
}

MessageResult TForm::WmClose(const WindowMessage&) {
  Close();
  return 0;
}

// What screen readers read, as for every control.
MessageResult TForm::WmGetObject(const WindowMessage& message) {
  return TWinControl::WindowProc(message.message, message.wParam, message.lParam);
}

MessageResult TForm::WmQueryEndSession(const WindowMessage&) { return CloseQuery() ? TRUE : FALSE; }

MessageResult TForm::WmSysCommand(const WindowMessage& message) {
  if (SystemCommand(message.wParam) == SC_MINIMIZE && this == Application->MainForm()) {
    Application->Minimize();
    return 0;
  }
  return std::nullopt;
}

MessageResult TForm::WmPaint(const WindowMessage& message) {
  return PaintMessage(message.message, message.wParam);
}

MessageResult TForm::WmSize(const WindowMessage& message) {
  if (message.wParam == SIZE_MAXIMIZED) windowState_ = TWindowState::wsMaximized;
  if (message.wParam == SIZE_RESTORED && Visible()) windowState_ = TWindowState::wsNormal;
  Realign();
  TrackPlacement();
  return std::nullopt;
}

MessageResult TForm::WmMove(const WindowMessage&) {
  TrackPlacement();
  return std::nullopt;
}

// On displays with a palette the active window maps its pictures' colours first.
MessageResult TForm::WmQueryNewPalette(const WindowMessage&) {
  return RealizePicturePalette(false) ? TRUE : FALSE;
}

MessageResult TForm::WmPaletteChanged(const WindowMessage& message) {
  if (reinterpret_cast<HWND>(message.wParam) != HandleIfCreated()) RealizePicturePalette(true);
  return 0;
}

// The notices of the controls go to the control they concern.
MessageResult TForm::WmCommand(const WindowMessage& message) {
  if (message.lParam == 0) return std::nullopt;
  TWinControl* control = FromHandle(reinterpret_cast<HWND>(message.lParam));
  if (control == nullptr) return std::nullopt;
  control->CommandNotified(HIWORD(message.wParam));
  return 0;
}

MessageResult TForm::WmDrawItem(const WindowMessage& message) {
  const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(message.lParam);
  TWinControl* control = FromHandle(item->hwndItem);
  if (control != nullptr && control->DrawItem(*item)) return TRUE;
  return std::nullopt;
}

MessageResult TForm::WmControlColor(const WindowMessage& message) {
  TWinControl* control = FromHandle(reinterpret_cast<HWND>(message.lParam));
  if (control == nullptr) return std::nullopt;
  return reinterpret_cast<LRESULT>(control->ControlColor(reinterpret_cast<HDC>(message.wParam)));
}
