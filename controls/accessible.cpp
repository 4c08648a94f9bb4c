#include "controls/accessible.h"

#include <oleacc.h>

#include <new>
#include <vector>

namespace {

using LresultFromObjectProc = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
using CreateStdAccessibleObjectProc = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
using SysAllocStringLenProc = BSTR(WINAPI*)(const OLECHAR*, UINT);
using CoInitializeExProc = HRESULT(WINAPI*)(LPVOID, DWORD);
// The notification of Windows 10 version 1709 and later (uiautomationcore.dll), its
// provider passed through as a plain interface: NotificationKind_ActionCompleted,
// NotificationProcessing_ImportantAll.
using UiaHostProviderFromHwndProc = HRESULT(WINAPI*)(HWND, IUnknown**);
using UiaRaiseNotificationEventProc = HRESULT(WINAPI*)(IUnknown*, int, int, BSTR, BSTR);
using SysFreeStringProc = void(WINAPI*)(BSTR);
constexpr int NotificationActionCompleted = 2;
constexpr int NotificationImportantAll = 0;

// A library of the system folder, loaded on first need and kept for the rest of the
// program: the objects and the apartment that it serves live as long as their clients.
HMODULE SystemLibrary(const char* name) {
  if (HMODULE loaded = GetModuleHandleA(name)) return loaded;
  char folder[MAX_PATH];
  const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  return LoadLibraryA((std::string(folder, length) + "\\" + name).c_str());
}

template <class Proc>
Proc Find(HMODULE module, const char* name) {
  if (module == nullptr) return nullptr;
  return reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// Wide texts are plain vectors: the library's wide string would weigh more than all of this.
using WideText = std::vector<wchar_t>;

WideText Widen(const std::string& text) {
  WideText wide(text.size(), L'\0');
  const int length = MultiByteToWideChar(1252, 0, text.data(), static_cast<int>(text.size()),
                                         wide.data(), static_cast<int>(wide.size()));
  wide.resize(length > 0 ? static_cast<size_t>(length) : 0);
  return wide;
}

// The functions of the platform's accessibility library that serving an object needs.
struct OleAccess {
  LresultFromObjectProc lresultFromObject = nullptr;
  CreateStdAccessibleObjectProc createStandard = nullptr;
  SysAllocStringLenProc allocString = nullptr;

  static OleAccess Load() {
    OleAccess access;
    HMODULE oleacc = SystemLibrary("oleacc.dll");
    HMODULE oleaut = SystemLibrary("oleaut32.dll");
    // Marshalling the object to its client needs COM in this thread; the window
    // thread keeps its apartment to the end.
    if (auto initialize = Find<CoInitializeExProc>(SystemLibrary("ole32.dll"), "CoInitializeEx")) {
      initialize(nullptr, COINIT_APARTMENTTHREADED);
    }
    access.lresultFromObject = Find<LresultFromObjectProc>(oleacc, "LresultFromObject");
    access.createStandard =
        Find<CreateStdAccessibleObjectProc>(oleacc, "CreateStdAccessibleObject");
    access.allocString = Find<SysAllocStringLenProc>(oleaut, "SysAllocStringLen");
    return access;
  }
  bool Complete() const { return lresultFromObject && createStandard && allocString; }
};

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// A control's client object: the platform's standard object for everything but what
// the description tells. Its methods catch every error: none may reach the caller.
class ControlAccessible final : public IAccessible, public IOleWindow {
public:
  ControlAccessible(HWND window, AccessibleDescription description, IAccessible* standard,
                    SysAllocStringLenProc allocString)
      : window_(window),
        description_(std::move(description)),
        standard_(standard),
        allocString_(allocString) {}
  ControlAccessible(const ControlAccessible&) = delete;
  ControlAccessible& operator=(const ControlAccessible&) = delete;

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) noexcept override {
    if (object == nullptr) return E_POINTER;
    if (id == __uuidof(IUnknown) || id == __uuidof(IDispatch) || id == __uuidof(IAccessible)) {
      *object = static_cast<IAccessible*>(this);
    } else if (id == __uuidof(IOleWindow)) {
      *object = static_cast<IOleWindow*>(this);
    } else {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() noexcept override {
    return static_cast<ULONG>(InterlockedIncrement(&references_));
  }
  ULONG STDMETHODCALLTYPE Release() noexcept override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) {
      standard_->Release();
      delete this;
    }
    return static_cast<ULONG>(left);
  }

  // IOleWindow
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) noexcept override {
    if (window == nullptr) return E_POINTER;
    *window = window_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) noexcept override { return E_NOTIMPL; }

  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) noexcept override {
    return standard_->GetTypeInfoCount(count);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale,
                                        ITypeInfo** info) noexcept override {
    return standard_->GetTypeInfo(index, locale, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID id, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) noexcept override {
    return standard_->GetIDsOfNames(id, names, count, locale, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID id, LCID locale, WORD flags,
                                   DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* error,
                                   UINT* argumentError) noexcept override {
    return standard_->Invoke(member, id, locale, flags, parameters, result, error, argumentError);
  }

  // IAccessible: what the description tells
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) noexcept override {
    if (name == nullptr) return E_POINTER;
    try {
      if (IsSelf(child) && !description_.name.empty()) {
        return Text(Widen(description_.name), name);
      }
      const HRESULT result = standard_->get_accName(child, name);
      if (result == S_OK || !IsLine(child)) return result;
      return Text(LineText(child.lVal - 1), name);
    } catch (...) {
      return E_OUTOFMEMORY;
    }
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) noexcept override {
    if (role == nullptr) return E_POINTER;
    if (IsSelf(child) && description_.role != 0) return Integer(description_.role, role);
    const HRESULT result = standard_->get_accRole(child, role);
    if (SUCCEEDED(result) || !IsLine(child)) return result;
    return Integer(ROLE_SYSTEM_LISTITEM, role);
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) noexcept override {
    const HRESULT result = standard_->get_accState(child, state);
    if (result == S_OK && IsSelf(child) && description_.readOnly && state->vt == VT_I4) {
      state->lVal |= STATE_SYSTEM_READONLY;
    }
    return result;
  }

  // IAccessible: the standard object's
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) noexcept override {
    return standard_->get_accParent(parent);
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) noexcept override {
    return standard_->get_accChildCount(count);
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) noexcept override {
    return standard_->get_accChild(child, object);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) noexcept override {
    return standard_->get_accValue(child, value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) noexcept override {
    return standard_->get_accDescription(child, text);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) noexcept override {
    return standard_->get_accHelp(child, help);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child,
                                             LONG* topic) noexcept override {
    return standard_->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child,
                                                    BSTR* shortcut) noexcept override {
    return standard_->get_accKeyboardShortcut(child, shortcut);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focused) noexcept override {
    return standard_->get_accFocus(focused);
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selected) noexcept override {
    return standard_->get_accSelection(selected);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) noexcept override {
    return standard_->get_accDefaultAction(child, action);
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) noexcept override {
    return standard_->accSelect(flags, child);
  }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                        VARIANT child) noexcept override {
    return standard_->accLocation(left, top, width, height, child);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start,
                                        VARIANT* end) noexcept override {
    return standard_->accNavigate(direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG left, LONG top, VARIANT* hit) noexcept override {
    return standard_->accHitTest(left, top, hit);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) noexcept override {
    return standard_->accDoDefaultAction(child);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) noexcept override {
    return standard_->put_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) noexcept override {
    return standard_->put_accValue(child, value);
  }

private:
  ~ControlAccessible() = default;

  // A line of a list, as a child: the standard object names them on Windows, not on
  // every platform that runs the program.
  bool IsLine(const VARIANT& child) const {
    return description_.role == ROLE_SYSTEM_LIST && child.vt == VT_I4 && child.lVal > 0 &&
           child.lVal <= SendMessageW(window_, LB_GETCOUNT, 0, 0);
  }
  WideText LineText(LONG line) const {
    const auto index = static_cast<WPARAM>(line);
    const LRESULT length = SendMessageW(window_, LB_GETTEXTLEN, index, 0);
    if (length <= 0) return {};
    WideText text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied =
        SendMessageW(window_, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
  }
  HRESULT Text(const WideText& text, BSTR* result) const {
    *result = allocString_(text.data(), static_cast<UINT>(text.size()));
    return *result != nullptr ? S_OK : E_OUTOFMEMORY;
  }
  static HRESULT Integer(LONG value, VARIANT* result) {
    result->vt = VT_I4;
    result->lVal = value;
    return S_OK;
  }

  LONG references_ = 1;
  HWND window_;
  AccessibleDescription description_;
  IAccessible* standard_;
  SysAllocStringLenProc allocString_;
};

// Speaks `text` through the notification of newer systems, when a screen reader runs
// and the system has it; older ones, and other platforms, hear the event alone.
void Notify(HWND window, const std::string& text) {
  BOOL screenReader = FALSE;
  if (!SystemParametersInfoA(SPI_GETSCREENREADER, 0, &screenReader, 0) || !screenReader) return;
  HMODULE automation = SystemLibrary("uiautomationcore.dll");
  auto raise = Find<UiaRaiseNotificationEventProc>(automation, "UiaRaiseNotificationEvent");
  if (!raise) return;  // an older system: the event was enough
  auto hostProvider = Find<UiaHostProviderFromHwndProc>(automation, "UiaHostProviderFromHwnd");
  HMODULE oleaut = SystemLibrary("oleaut32.dll");
  auto allocString = Find<SysAllocStringLenProc>(oleaut, "SysAllocStringLen");
  auto freeString = Find<SysFreeStringProc>(oleaut, "SysFreeString");
  if (!hostProvider || !allocString || !freeString) return;
  IUnknown* provider = nullptr;
  if (FAILED(hostProvider(window, &provider)) || provider == nullptr) return;
  const WideText wide = Widen(text);
  BSTR spoken = allocString(wide.data(), static_cast<UINT>(wide.size()));
  BSTR activity = allocString(L"Quorl", 5);
  if (spoken != nullptr && activity != nullptr) {
    raise(provider, NotificationActionCompleted, NotificationImportantAll, spoken, activity);
  }
  freeString(spoken);
  freeString(activity);
  provider->Release();
}

}  // namespace

LRESULT AnswerGetObject(HWND window, WPARAM flags, LPARAM objectId,
                        const AccessibleDescription& description) {
  if (static_cast<LONG>(objectId) != OBJID_CLIENT || description.IsEmpty()) return 0;
  AccessibleDescription copy = description;
  const OleAccess access = OleAccess::Load();
  if (!access.Complete()) return 0;
  IAccessible* standard = nullptr;
  if (FAILED(access.createStandard(window, OBJID_CLIENT, __uuidof(IAccessible),
                                   reinterpret_cast<void**>(&standard)))) {
    return 0;
  }
  auto* object =
      new (std::nothrow) ControlAccessible(window, std::move(copy), standard, access.allocString);
  if (object == nullptr) {
    standard->Release();
    return 0;
  }
  const LRESULT result =
      access.lresultFromObject(__uuidof(IAccessible), flags, static_cast<IAccessible*>(object));
  object->Release();  // the answer holds its own reference
  return result < 0 ? 0 : result;
}

void Announce(DWORD event, HWND window, LONG child, const std::string& text) {
  if (window == nullptr) return;
  NotifyWinEvent(event, window, OBJID_CLIENT, child);
  Notify(window, text);
}
