#include "controls/accessible.h"

#include <oleacc.h>

#include <new>
#include <string>
#include <utility>

#include "base/wide_text.h"
#include "controls/com.h"

namespace {

using CoInitializeExProc = HRESULT(WINAPI*)(LPVOID, DWORD);
using SysAllocStringLenProc = BSTR(WINAPI*)(const OLECHAR*, UINT);
using SysFreeStringProc = void(WINAPI*)(BSTR);
using LresultFromObjectProc = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
using CreateStdAccessibleObjectProc = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
// The notification of Windows 10 version 1709 and later (uiautomationcore.dll), its
// provider passed through as a plain interface: NotificationKind_ActionCompleted,
// NotificationProcessing_ImportantAll.
using UiaHostProviderFromHwndProc = HRESULT(WINAPI*)(HWND, IUnknown**);
using UiaRaiseNotificationEventProc = HRESULT(WINAPI*)(IUnknown*, int, int, BSTR, BSTR);
constexpr int NotificationActionCompleted = 2;
constexpr int NotificationImportantAll = 0;

// A library of the system folder, loaded for the rest of the program: the objects and
// the apartment that it serves live as long as their clients.
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

// The functions of the platform's libraries that the program calls, in groups, each
// looked up when its group is first needed.
struct Ole {
  CoInitializeExProc initialize =
      Find<CoInitializeExProc>(SystemLibrary("ole32.dll"), "CoInitializeEx");
  SysAllocStringLenProc allocString =
      Find<SysAllocStringLenProc>(SystemLibrary("oleaut32.dll"), "SysAllocStringLen");
  SysFreeStringProc freeString =
      Find<SysFreeStringProc>(SystemLibrary("oleaut32.dll"), "SysFreeString");
  bool Complete() const { return initialize && allocString && freeString; }
};

// A group of functions, looked up once per process: what is missing stays missing
// (null) and is not asked for again.
template <class Functions>
const Functions& Loaded() {
  static const Functions functions;
  return functions;
}

struct OleAccess {
  LresultFromObjectProc lresultFromObject =
      Find<LresultFromObjectProc>(SystemLibrary("oleacc.dll"), "LresultFromObject");
  CreateStdAccessibleObjectProc createStandard =
      Find<CreateStdAccessibleObjectProc>(SystemLibrary("oleacc.dll"), "CreateStdAccessibleObject");
  bool Complete() const { return lresultFromObject && createStandard && Loaded<Ole>().Complete(); }
};

struct Automation {
  UiaHostProviderFromHwndProc hostProvider = Find<UiaHostProviderFromHwndProc>(
      SystemLibrary("uiautomationcore.dll"), "UiaHostProviderFromHwnd");
  UiaRaiseNotificationEventProc raise = Find<UiaRaiseNotificationEventProc>(
      SystemLibrary("uiautomationcore.dll"), "UiaRaiseNotificationEvent");
  bool Complete() const { return hostProvider && raise && Loaded<Ole>().Complete(); }
};

struct FreeSystemString {
  void operator()(BSTR text) const { Loaded<Ole>().freeString(text); }
};
using SystemString = UniqueSystemString<FreeSystemString>;

SystemString NewSystemString(const WideText& text) {
  return SystemString(Loaded<Ole>().allocString(text.data(), static_cast<UINT>(text.size())));
}

// Joins this thread to a single-threaded apartment, once, before its first COM or UI
// Automation call (marshalling an object to its client needs one). The thread keeps
// it to its end: the objects it served live as long as their clients.
void JoinApartment() {
  thread_local bool joined = false;
  if (joined) return;
  joined = true;
  Loaded<Ole>().initialize(nullptr, COINIT_APARTMENTTHREADED);
}

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// A control's client object: the platform's standard object for everything but what
// the description tells. Its methods catch every error: none may reach the caller.
class ControlAccessible final : public IAccessible, public IOleWindow {
public:
  ControlAccessible(HWND window, AccessibleDescription description, ComPtr<IAccessible> standard)
      : window_(window), description_(std::move(description)), standard_(std::move(standard)) {}
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
    if (left == 0) delete this;
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
    return Standard()->GetTypeInfoCount(count);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale,
                                        ITypeInfo** info) noexcept override {
    return Standard()->GetTypeInfo(index, locale, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID id, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) noexcept override {
    return Standard()->GetIDsOfNames(id, names, count, locale, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID id, LCID locale, WORD flags,
                                   DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* error,
                                   UINT* argumentError) noexcept override {
    return Standard()->Invoke(member, id, locale, flags, parameters, result, error, argumentError);
  }

  // IAccessible: what the description tells
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) noexcept override {
    if (name == nullptr) return E_POINTER;
    try {
      if (IsSelf(child) && !description_.name.empty()) {
        return Text(ToWide(description_.name), name);
      }
      const HRESULT result = Standard()->get_accName(child, name);
      if (result == S_OK || !IsLine(child)) return result;
      return Text(LineText(child.lVal - 1), name);
    } catch (...) {
      return E_OUTOFMEMORY;
    }
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) noexcept override {
    if (role == nullptr) return E_POINTER;
    if (IsSelf(child) && description_.role != 0) return Integer(description_.role, role);
    const HRESULT result = Standard()->get_accRole(child, role);
    if (SUCCEEDED(result) || !IsLine(child)) return result;
    return Integer(ROLE_SYSTEM_LISTITEM, role);
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) noexcept override {
    const HRESULT result = Standard()->get_accState(child, state);
    if (result == S_OK && IsSelf(child) && description_.readOnly && state->vt == VT_I4) {
      state->lVal |= STATE_SYSTEM_READONLY;
    }
    return result;
  }

  // IAccessible: the standard object's
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) noexcept override {
    return Standard()->get_accParent(parent);
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) noexcept override {
    return Standard()->get_accChildCount(count);
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) noexcept override {
    return Standard()->get_accChild(child, object);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) noexcept override {
    return Standard()->get_accValue(child, value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) noexcept override {
    return Standard()->get_accDescription(child, text);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) noexcept override {
    return Standard()->get_accHelp(child, help);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child,
                                             LONG* topic) noexcept override {
    return Standard()->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child,
                                                    BSTR* shortcut) noexcept override {
    return Standard()->get_accKeyboardShortcut(child, shortcut);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focused) noexcept override {
    return Standard()->get_accFocus(focused);
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selected) noexcept override {
    return Standard()->get_accSelection(selected);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) noexcept override {
    return Standard()->get_accDefaultAction(child, action);
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) noexcept override {
    return Standard()->accSelect(flags, child);
  }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                        VARIANT child) noexcept override {
    return Standard()->accLocation(left, top, width, height, child);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start,
                                        VARIANT* end) noexcept override {
    return Standard()->accNavigate(direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG left, LONG top, VARIANT* hit) noexcept override {
    return Standard()->accHitTest(left, top, hit);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) noexcept override {
    return Standard()->accDoDefaultAction(child);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) noexcept override {
    return Standard()->put_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) noexcept override {
    return Standard()->put_accValue(child, value);
  }

private:
  ~ControlAccessible() = default;
  IAccessible* Standard() const { return standard_.get(); }

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
  static HRESULT Text(const WideText& text, BSTR* result) {
    *result = NewSystemString(text).release();
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
  ComPtr<IAccessible> standard_;
};

// Speaks `text` through the notification of newer systems, when a screen reader runs
// and the system has it; false where it did not go out (older systems, other
// platforms), which hear the event instead.
bool Notify(HWND window, const std::string& text) {
  BOOL screenReader = FALSE;
  if (!SystemParametersInfoA(SPI_GETSCREENREADER, 0, &screenReader, 0) || !screenReader) {
    return false;
  }
  const Automation& automation = Loaded<Automation>();
  if (!automation.Complete()) return false;
  JoinApartment();
  IUnknown* host = nullptr;
  if (FAILED(automation.hostProvider(window, &host))) return false;
  const ComPtr<IUnknown> provider(host);
  const SystemString spoken = NewSystemString(ToWide(text));
  const SystemString activity = NewSystemString(ToWide("Quorl"));
  return provider && spoken && activity &&
         SUCCEEDED(automation.raise(provider.get(), NotificationActionCompleted,
                                    NotificationImportantAll, spoken.get(), activity.get()));
}

}  // namespace

LRESULT AnswerGetObject(HWND window, WPARAM flags, LPARAM objectId,
                        const AccessibleDescription& description) {
  if (static_cast<LONG>(objectId) != OBJID_CLIENT || description.IsEmpty()) return 0;
  const OleAccess& access = Loaded<OleAccess>();
  if (!access.Complete()) return 0;
  JoinApartment();
  AccessibleDescription copy = description;
  IAccessible* standard = nullptr;
  if (FAILED(access.createStandard(window, OBJID_CLIENT, __uuidof(IAccessible),
                                   reinterpret_cast<void**>(&standard)))) {
    return 0;
  }
  ComPtr<IAccessible> owned(standard);  // owned before the object that takes it is made
  auto* object = new (std::nothrow) ControlAccessible(window, std::move(copy), std::move(owned));
  if (object == nullptr) return 0;
  const LRESULT result =
      access.lresultFromObject(__uuidof(IAccessible), flags, static_cast<IAccessible*>(object));
  object->Release();  // the answer holds its own reference
  return result < 0 ? 0 : result;
}

void Announce(DWORD event, HWND window, LONG child, const std::string& text) {
  if (window == nullptr) return;
  // One voice for each announcement: a reader that hears both would speak it twice
  // (README, "Accessibility").
  if (!Notify(window, text)) NotifyWinEvent(event, window, OBJID_CLIENT, child);
}
