// The tests' stand-in for the UI Automation core (uiautomationcore.dll), which the
// program under test loads through a native override and so takes the path of Windows 10
// 1709 and later. Each call is recorded in the file QUORL_UIA_LOG names (UTF-8, a line a
// call, tab-separated key=value); a notification's provider is read back at once, as a
// client reads it on arrival. Signatures as documented.
#include <windows.h>

#include <string>

#include "controls/com.h"

// IRawElementProviderSimple, as documented, outside the anonymous namespace: inside it
// the compiler would take the program's providers for this library's own.
constexpr GUID ProviderSimpleId{
    0xd6dd68d1, 0x86fd, 0x4332, {0x86, 0x66, 0x9a, 0xbe, 0xde, 0xa2, 0xd2, 0x4c}};
struct IRawElementProviderSimple : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE get_ProviderOptions(int* options) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetPatternProvider(int pattern, IUnknown** provider) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetPropertyValue(int property, VARIANT* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE
  get_HostRawElementProvider(IRawElementProviderSimple** host) = 0;
};

namespace {
constexpr int ClientSideProvider = 0x1;
constexpr int NamePropertyId = 30005;
constexpr int ControlTypePropertyId = 30003;
constexpr LPARAM UiaRootObjectId = -25;

// The host object UiaHostProviderFromHwnd hands out: it serves nothing but its window.
constexpr GUID StandInHostId{
    0x6b1f6c2e, 0x3f0a, 0x4d8e, {0x9a, 0x51, 0x2f, 0x7c, 0x0b, 0x9e, 0x4d, 0x11}};
struct StandInHost final : ComObject<IRawElementProviderSimple> {
  explicit StandInHost(HWND hostWindow) : window(hostWindow) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
    if (id != __uuidof(IUnknown) && id != ProviderSimpleId && id != StandInHostId) {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    *object = this;
    AddRef();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_ProviderOptions(int* options) override {
    *options = ClientSideProvider;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetPatternProvider(int, IUnknown** provider) override {
    *provider = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetPropertyValue(int, VARIANT* value) override {
    value->vt = VT_EMPTY;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_HostRawElementProvider(IRawElementProviderSimple** host) override {
    *host = nullptr;
    return S_OK;
  }
  HWND window;
};

// The window of `provider` when it is one of this library's host objects.
HWND HostWindow(IRawElementProviderSimple* provider) {
  ComPtr<StandInHost> host;
  return provider && SUCCEEDED(provider->QueryInterface(StandInHostId, PutVoid(host)))
             ? host.get()->window
             : nullptr;
}

std::wstring Number(long long value) { return std::to_wstring(value); }
std::wstring Hex(UINT_PTR value) {
  wchar_t text[32];
  wsprintfW(text, L"0x%lx", static_cast<unsigned long>(value));
  return text;
}
// A text as one field: tabs and line ends would split the record.
std::wstring Field(const wchar_t* text) {
  std::wstring field = text ? text : L"";
  for (wchar_t& c : field) {
    if (c == L'\t' || c == L'\r' || c == L'\n') c = L' ';
  }
  return field;
}

// Appends one line: `kind`, then the fields, then the time (the performance counter,
// which the harness's listener reads too) and the process.
void Record(const std::wstring& kind, const std::wstring& fields) {
  wchar_t path[MAX_PATH];
  const DWORD length = GetEnvironmentVariableW(L"QUORL_UIA_LOG", path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  const std::wstring line = kind + fields + L"\ttime=" + Number(now.QuadPart) + L"\tprocess=" +
                            Number(GetCurrentProcessId()) + L"\n";
  const int size = WideCharToMultiByte(CP_UTF8, 0, line.data(), static_cast<int>(line.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), bytes.data(), size,
                      nullptr, nullptr);
  const HANDLE file = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

// What a client reads of `provider` when its notification arrives.
std::wstring ReadBack(IRawElementProviderSimple* provider) {
  HWND window = HostWindow(provider);
  std::wstring host = window ? L"standin-host" : L"none";
  int options = 0;
  const HRESULT answered = provider->get_ProviderOptions(&options);
  std::wstring name;
  VARIANT value;
  VariantInit(&value);
  if (SUCCEEDED(provider->GetPropertyValue(NamePropertyId, &value)) && value.vt == VT_BSTR) {
    name = Field(value.bstrVal);
  }
  VariantClear(&value);
  long type = 0;
  if (SUCCEEDED(provider->GetPropertyValue(ControlTypePropertyId, &value)) && value.vt == VT_I4) {
    type = value.lVal;
  }
  VariantClear(&value);
  ComPtr<IRawElementProviderSimple> hostProvider;
  if (!window && SUCCEEDED(provider->get_HostRawElementProvider(hostProvider.put()))) {
    window = HostWindow(hostProvider.get());
    if (window) host = L"own";
  }
  RECT client{};
  if (window) GetClientRect(window, &client);
  DWORD windowProcess = 0, foregroundProcess = 0;
  if (window) GetWindowThreadProcessId(window, &windowProcess);
  GetWindowThreadProcessId(GetForegroundWindow(), &foregroundProcess);
  const DWORD self = GetCurrentProcessId();
  return L"\thost=" + host + L"\toptions=" + Hex(static_cast<UINT_PTR>(options)) + L"\tanswer=" +
         Hex(static_cast<UINT_PTR>(static_cast<ULONG>(answered))) + L"\tname=" + name + L"\ttype=" +
         Number(type) + L"\thwnd=" + Hex(reinterpret_cast<UINT_PTR>(window)) + L"\tvisible=" +
         Number(window && IsWindowVisible(window)) + L"\twidth=" +
         Number(client.right - client.left) + L"\theight=" + Number(client.bottom - client.top) +
         L"\tours=" + Number(windowProcess == self) + L"\tforeground=" +
         Number(foregroundProcess == self);
}

// The providers served to WM_GETOBJECT, each held until it is disconnected or its
// window serves none.
struct Served {
  HWND window;
  IRawElementProviderSimple* provider;
};
Served served[64];

void Forget(Served& entry) {
  if (entry.provider) entry.provider->Release();
  entry = Served{};
}

Served* Find(HWND window) {
  for (Served& entry : served) {
    if (entry.provider && entry.window == window) return &entry;
  }
  return nullptr;
}

}  // namespace

extern "C" {

__declspec(dllexport) HRESULT WINAPI
    UiaHostProviderFromHwnd(HWND window, IRawElementProviderSimple** provider) {
  if (provider == nullptr) return E_INVALIDARG;
  *provider = window ? new StandInHost(window) : nullptr;
  return window ? S_OK : E_INVALIDARG;
}

__declspec(dllexport) LRESULT WINAPI
    UiaReturnRawElementProvider(HWND window, WPARAM, LPARAM objectId,
                                IRawElementProviderSimple* provider) {
  Record(L"provider", L"\thwnd=" + Hex(reinterpret_cast<UINT_PTR>(window)) + L"\tobject=" +
                          Number(static_cast<long long>(objectId)) + L"\tprovider=" +
                          Number(provider != nullptr));
  Served* entry = Find(window);
  if (provider == nullptr) {
    if (entry) Forget(*entry);
    return 0;
  }
  if (entry == nullptr) entry = Find(nullptr);
  if (entry && entry->provider != provider) {
    provider->AddRef();
    if (entry->provider) entry->provider->Release();
    *entry = Served{window, provider};
  }
  // Any non-zero answer tells a client that the window has a server-side provider.
  return objectId == UiaRootObjectId ? 1 : 0;
}

__declspec(dllexport) HRESULT WINAPI UiaDisconnectProvider(IRawElementProviderSimple* provider) {
  Record(L"disconnect", L"\tprovider=" + Number(provider != nullptr));
  for (Served& entry : served) {
    if (entry.provider == provider) Forget(entry);
  }
  return provider ? S_OK : E_INVALIDARG;
}

__declspec(dllexport) HRESULT WINAPI UiaDisconnectAllProviders() {
  for (Served& entry : served) Forget(entry);
  return S_OK;
}

__declspec(dllexport) HRESULT WINAPI
    UiaRaiseNotificationEvent(IRawElementProviderSimple* provider, int kind, int processing,
                              BSTR text, BSTR activity) {
  if (provider == nullptr) return E_INVALIDARG;
  Record(L"notify", L"\ttext=" + Field(text) + L"\tactivity=" + Field(activity) + L"\tkind=" +
                        Number(kind) + L"\tprocessing=" + Number(processing) + ReadBack(provider));
  return S_OK;
}

__declspec(dllexport) HRESULT WINAPI
    UiaRaiseAutomationEvent(IRawElementProviderSimple*, int event) {
  Record(L"event", L"\tid=" + Number(event));
  return S_OK;
}

__declspec(dllexport) HRESULT WINAPI
    UiaRaiseAutomationPropertyChangedEvent(IRawElementProviderSimple*, int property, VARIANT,
                                           VARIANT) {
  Record(L"property", L"\tid=" + Number(property));
  return S_OK;
}

__declspec(dllexport) BOOL WINAPI UiaClientsAreListening() { return TRUE; }

__declspec(dllexport) BOOL WINAPI UiaHasServerSideProvider(HWND window) {
  return Find(window) != nullptr;
}

// No identifier is looked up by this library's clients: 0, as for an unknown one.
__declspec(dllexport) int WINAPI UiaLookupId(int, const GUID*) { return 0; }

}  // extern "C"
