#include "controls/notification.h"

#include <uiautomationcore.h>

#include <new>

#include "controls/system_library.h"

namespace {

using UiaHostProviderFromHwndProc = HRESULT(WINAPI*)(HWND, IRawElementProviderSimple**);
using UiaReturnRawElementProviderProc = LRESULT(WINAPI*)(HWND, WPARAM, LPARAM,
                                                         IRawElementProviderSimple*);
using UiaRaiseNotificationEventProc = HRESULT(WINAPI*)(IRawElementProviderSimple*, int, int, BSTR,
                                                       BSTR);
using UiaDisconnectProviderProc = HRESULT(WINAPI*)(IRawElementProviderSimple*);

// NotificationKind_ActionCompleted, NotificationProcessing_All: every verdict is
// spoken, in order, none dropping the one before.
constexpr int NotificationActionCompleted = 2;
constexpr int NotificationAll = 3;
constexpr PROPERTYID NameProperty = 30005;         // UIA_NamePropertyId
constexpr PROPERTYID ControlTypeProperty = 30003;  // UIA_ControlTypePropertyId
constexpr LONG TextControlType = 50020;            // UIA_TextControlTypeId
constexpr LONG RootObjectId = -25;                 // UiaRootObjectId
constexpr HRESULT ElementNotAvailable = static_cast<HRESULT>(0x80040201);

struct Automation {
  UiaHostProviderFromHwndProc hostProvider = Find<UiaHostProviderFromHwndProc>(
      SystemLibrary("uiautomationcore.dll"), "UiaHostProviderFromHwnd");
  UiaReturnRawElementProviderProc returnProvider = Find<UiaReturnRawElementProviderProc>(
      SystemLibrary("uiautomationcore.dll"), "UiaReturnRawElementProvider");
  UiaRaiseNotificationEventProc raise = Find<UiaRaiseNotificationEventProc>(
      SystemLibrary("uiautomationcore.dll"), "UiaRaiseNotificationEvent");
  UiaDisconnectProviderProc disconnect = Find<UiaDisconnectProviderProc>(
      SystemLibrary("uiautomationcore.dll"), "UiaDisconnectProvider");
  bool Complete() const {
    return hostProvider && returnProvider && raise && disconnect && Loaded<Ole>().Complete();
  }
};

// Screen readers hooked into the program that ignore UI Automation notifications:
// JAWS and Dolphin's.
bool NotificationIgnored() {
  return GetModuleHandleA("jhook.dll") != nullptr || GetModuleHandleA("dolwinhk.dll") != nullptr;
}

// A text element that tells the last notification raised on it. Once its window is
// gone, it answers that the element is no longer there.
class NotificationProvider final : public ComObject<IRawElementProviderSimple> {
public:
  explicit NotificationProvider(HWND window) : window_(window) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) noexcept override {
    if (object == nullptr) return E_POINTER;
    if (id != __uuidof(IUnknown) && id != __uuidof(IRawElementProviderSimple)) {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    *object = static_cast<IRawElementProviderSimple*>(this);
    AddRef();
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE get_ProviderOptions(ProviderOptions* options) noexcept override {
    if (options == nullptr) return E_POINTER;
    if (window_ == nullptr) return ElementNotAvailable;
    // Called on the window's thread, in its apartment.
    *options = static_cast<ProviderOptions>(ProviderOptions_ServerSideProvider |
                                            ProviderOptions_UseComThreading);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetPatternProvider(PATTERNID, IUnknown** pattern) noexcept override {
    if (pattern == nullptr) return E_POINTER;
    *pattern = nullptr;
    return window_ != nullptr ? S_OK : ElementNotAvailable;
  }
  HRESULT STDMETHODCALLTYPE GetPropertyValue(PROPERTYID property,
                                             VARIANT* value) noexcept override {
    if (value == nullptr) return E_POINTER;
    value->vt = VT_EMPTY;  // the host window's answer, or the platform's default
    if (window_ == nullptr) return ElementNotAvailable;
    if (property == NameProperty) {
      value->bstrVal = NewSystemString(text_).release();
      if (value->bstrVal == nullptr) return E_OUTOFMEMORY;
      value->vt = VT_BSTR;
    } else if (property == ControlTypeProperty) {
      value->vt = VT_I4;
      value->lVal = TextControlType;
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE
  get_HostRawElementProvider(IRawElementProviderSimple** host) noexcept override {
    if (host == nullptr) return E_POINTER;
    *host = nullptr;
    if (window_ == nullptr) return ElementNotAvailable;
    return Loaded<Automation>().hostProvider(window_, host);
  }

  HWND Window() const { return window_; }
  void SetText(WideText text) { text_ = std::move(text); }
  void Disconnect() { window_ = nullptr; }

private:
  ~NotificationProvider() override = default;

  HWND window_;
  WideText text_;
};

constexpr char NotificationClass[] = "QuorlNotification";

NotificationProvider* ProviderOf(HWND window) {
  return reinterpret_cast<NotificationProvider*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// Calls nothing that throws: no error may cross the platform's frames.
LRESULT CALLBACK NotificationProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE: {
      auto* provider = new (std::nothrow) NotificationProvider(window);
      if (provider == nullptr) return FALSE;
      SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(provider));
      break;
    }
    case WM_GETOBJECT:
      if (static_cast<LONG>(lParam) == RootObjectId) {
        if (NotificationProvider* provider = ProviderOf(window)) {
          return Loaded<Automation>().returnProvider(window, wParam, lParam, provider);
        }
        return 0;
      }
      break;
    case WM_NCHITTEST:  // clicks go to what lies beneath
      return HTTRANSPARENT;
    case WM_ERASEBKGND:  // the parent's pixels stay as the parent painted them
      return 1;
    case WM_PAINT:
      ValidateRect(window, nullptr);
      return 0;
    case WM_DESTROY:
      // As the platform's documentation asks of a server whose window goes: no more
      // answers for it, and its clients let go of the provider.
      if (NotificationProvider* provider = ProviderOf(window)) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        const Automation& automation = Loaded<Automation>();
        automation.returnProvider(window, 0, 0, nullptr);
        automation.disconnect(provider);
        provider->Disconnect();
        provider->Release();
      }
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// The notification window inside `root`, made at the first notification from it.
HWND NotificationWindow(HWND root) {
  if (HWND existing = FindWindowExA(root, nullptr, NotificationClass, nullptr)) return existing;
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &NotificationProcedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = NotificationClass;
  RegisterClassA(&windowClass);  // fails harmlessly once registered
  // Transparent: not clipped out of its parent, which paints its pixel as before.
  // Disabled: never focused, and skipped by readers gathering a window's text.
  HWND window = CreateWindowExA(WS_EX_TRANSPARENT | WS_EX_NOPARENTNOTIFY, NotificationClass, "",
                                WS_CHILD | WS_VISIBLE | WS_DISABLED, 0, 0, 1, 1, root, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  if (window != nullptr) {
    SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW);
  }
  return window;
}

}  // namespace

bool RaiseNotification(HWND root, const std::string& text) {
  if (root == nullptr || NotificationIgnored()) return false;
  const Automation& automation = Loaded<Automation>();
  if (!automation.Complete()) return false;
  JoinApartment();
  HWND window = NotificationWindow(root);
  NotificationProvider* provider = window != nullptr ? ProviderOf(window) : nullptr;
  if (provider == nullptr) return false;
  const WideText wide = ToWide(text);
  provider->SetText(wide);
  const SystemString spoken = NewSystemString(wide);
  const SystemString activity = NewSystemString(ToWide("Quorl"));
  return spoken && activity &&
         SUCCEEDED(automation.raise(provider, NotificationActionCompleted, NotificationAll,
                                    spoken.get(), activity.get()));
}
