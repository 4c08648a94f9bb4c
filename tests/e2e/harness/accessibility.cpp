#include "harness/accessibility.h"

#include <oleacc.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>

#include "base/wide_text.h"
#include "controls/com.h"
#include "harness/query.h"

namespace e2e {
namespace {

// COM for one scope of this thread, as the accessibility calls need it.
class Apartment {
public:
  Apartment() : initialized_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~Apartment() {
    if (initialized_) CoUninitialize();
  }
  Apartment(const Apartment&) = delete;
  Apartment& operator=(const Apartment&) = delete;

private:
  bool initialized_;
};

struct FreeSystemString {
  void operator()(BSTR text) const { SysFreeString(text); }
};
struct ClearVariant {
  void operator()(VARIANT* value) const { VariantClear(value); }
};
using Variant = UniqueVariant<ClearVariant>;

std::string narrow(BSTR text) { return FromWide(text, text ? SysStringLen(text) : 0); }

AccessibleObject read(IAccessible* accessible, VARIANT child) {
  AccessibleObject object;
  object.found = true;
  UniqueSystemString<FreeSystemString> text;
  if (accessible->get_accName(child, text.put()) == S_OK) object.name = narrow(text.get());
  if (accessible->get_accValue(child, text.put()) == S_OK) object.value = narrow(text.get());
  if (accessible->get_accDescription(child, text.put()) == S_OK) {
    object.description = narrow(text.get());
  }
  Variant answer;
  if (accessible->get_accRole(child, answer.put()) == S_OK && answer.get().vt == VT_I4) {
    object.role = answer.get().lVal;
  }
  if (accessible->get_accState(child, answer.put()) == S_OK && answer.get().vt == VT_I4) {
    object.state = answer.get().lVal;
  }
  return object;
}

VARIANT Self() {
  VARIANT self;
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  return self;
}

ComPtr<IAccessible> ClientObject(HWND window) {
  ComPtr<IAccessible> accessible;
  AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                             PutVoid(accessible));
  return accessible;
}

AccessibleObject ReadFromEvent(HWND window, LONG objectId, LONG child) {
  ComPtr<IAccessible> accessible;
  Variant item;
  if (FAILED(AccessibleObjectFromEvent(window, static_cast<DWORD>(objectId),
                                       static_cast<DWORD>(child), accessible.put(), item.put())) ||
      !accessible) {
    return {};
  }
  return read(accessible.get(), item.get());
}

// A dialog's text as a reader gathers it: its static texts among its children, a child
// window read as that window's client object.
std::vector<std::string> DialogTexts(HWND dialog) {
  const ComPtr<IAccessible> parent = ClientObject(dialog);
  LONG count = 0;
  if (!parent || FAILED(parent.get()->get_accChildCount(&count)) || count <= 0) return {};
  std::vector<VARIANT> children(static_cast<size_t>(count));
  LONG obtained = 0;
  if (FAILED(AccessibleChildren(parent.get(), 0, count, children.data(), &obtained))) return {};
  std::vector<std::string> texts;
  for (LONG i = 0; i < obtained; ++i) {
    Variant child;
    *child.put() = children[static_cast<size_t>(i)];  // each one's owner
    AccessibleObject object;
    ComPtr<IAccessible> accessible;
    if (child.get().vt == VT_I4) {
      object = read(parent.get(), child.get());
    } else if (child.get().vt == VT_DISPATCH && child.get().pdispVal &&
               SUCCEEDED(child.get().pdispVal->QueryInterface(__uuidof(IAccessible),
                                                              PutVoid(accessible)))) {
      object = read(accessible.get(), Self());
      HWND window = nullptr;
      // A child window's object: as NVDA, read its client object for a window or an
      // object of no role (wine's window object answers none).
      if ((object.role == ROLE_SYSTEM_WINDOW || object.role == 0) &&
          SUCCEEDED(WindowFromAccessibleObject(accessible.get(), &window))) {
        object = ReadAccessible(window);
      }
    }
    if (object.role == ROLE_SYSTEM_STATICTEXT && !(object.state & STATE_SYSTEM_INVISIBLE)) {
      texts.push_back(object.name);
    }
  }
  return texts;
}

// Whether `window` has a server-side UI Automation provider, asked as a client asks.
bool AnswersUiaRoot(HWND window) {
  constexpr LPARAM UiaRootObjectId = -25;
  DWORD_PTR answer = 0;
  return SendMessageTimeoutW(window, WM_GETOBJECT, 0, UiaRootObjectId, SMTO_ABORTIFHUNG, 2000,
                             &answer) != 0 &&
         answer != 0;
}

void ReadAtArrival(AccessibleEvent& heard) {
  heard.object = heard.objectId == OBJID_WINDOW
                     ? ReadAccessible(heard.window)
                     : ReadFromEvent(heard.window, heard.objectId, heard.child);
  heard.windowClass = WindowClass(heard.window);
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  heard.focused = GetGUIThreadInfo(GetWindowThreadProcessId(heard.window, nullptr), &info) &&
                  info.hwndFocus == heard.window;
  heard.uiaWindow = AnswersUiaRoot(heard.window);
  if (heard.event == EVENT_SYSTEM_DIALOGSTART) heard.dialogTexts = DialogTexts(heard.window);
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  heard.time = now.QuadPart;
}

// The listener of this thread, for the hook's callback.
thread_local EventListener* listener = nullptr;

bool WorthHearing(DWORD event) {
  constexpr DWORD worth[] = {EVENT_SYSTEM_ALERT,       EVENT_SYSTEM_DIALOGSTART,
                             EVENT_OBJECT_FOCUS,       EVENT_OBJECT_NAMECHANGE,
                             EVENT_OBJECT_VALUECHANGE, EVENT_OBJECT_LIVEREGIONCHANGED};
  return std::find(std::begin(worth), std::end(worth), event) != std::end(worth);
}

}  // namespace

AccessibleObject ReadAccessible(HWND window) {
  Apartment apartment;
  const ComPtr<IAccessible> accessible = ClientObject(window);
  return accessible ? read(accessible.get(), Self()) : AccessibleObject{};
}

std::string Describe(const AccessibleObject& object) {
  if (!object.found) return "(no object)";
  return "\"" + object.name + "\" | role " + std::to_string(object.role) + " | value \"" +
         object.value + "\" | state " + std::to_string(object.state);
}

void SetScreenReaderFlag(bool on) {
  SystemParametersInfoA(SPI_SETSCREENREADER, on ? TRUE : FALSE, nullptr, 0);
}

EventListener::EventListener(DWORD processId, bool screenReader) {
  SetScreenReaderFlag(screenReader);
  thread_ = std::thread([this, processId] { Listen(processId); });
  std::unique_lock<std::mutex> lock(mutex_);
  ready_.wait(lock, [&] { return threadId_ != 0; });
}

EventListener::~EventListener() {
  PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
  thread_.join();
  SetScreenReaderFlag(false);
}

void EventListener::Listen(DWORD processId) {
  Apartment apartment;
  listener = this;
  MSG message;
  PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);  // the queue for PostThreadMessage
  // Without WINEVENT_SKIPOWNPROCESS: wine drops the events of other processes with it.
  hook_.reset(SetWinEventHook(EVENT_MIN, EVENT_MAX, nullptr, &EventListener::Heard, processId, 0,
                              WINEVENT_OUTOFCONTEXT));
  {
    std::lock_guard<std::mutex> lock(mutex_);
    listening_ = static_cast<bool>(hook_);
    threadId_ = GetCurrentThreadId();
  }
  ready_.notify_all();
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  hook_.reset();
}

void CALLBACK EventListener::Heard(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child,
                                   DWORD, DWORD) {
  if (listener == nullptr || !WorthHearing(event)) return;
  try {  // nothing may cross the system's frames
    AccessibleEvent arrived;
    arrived.event = event;
    arrived.window = window;
    arrived.objectId = object;
    arrived.child = child;
    listener->waiting_.push_back(std::move(arrived));
    if (listener->reading_) return;  // a nested event: the read in progress reads it next
    listener->reading_ = true;
    while (!listener->waiting_.empty()) {
      AccessibleEvent heard = listener->waiting_.front();
      listener->waiting_.pop_front();
      ReadAtArrival(heard);
      std::lock_guard<std::mutex> lock(listener->mutex_);
      listener->events_.push_back(std::move(heard));
    }
    listener->reading_ = false;
  } catch (...) {
    listener->reading_ = false;
  }
}

bool EventListener::Listening() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return listening_;
}

std::vector<AccessibleEvent> EventListener::Events() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return events_;
}

std::string UiaCall::Field(const std::string& key) const {
  const auto found = fields.find(key);
  return found == fields.end() ? std::string() : found->second;
}

namespace {

// The system folder's uiautomationcore.dll of this process's bitness, and where wine's
// own is kept while the stand-in is there: a native DLL in the system folder is loaded
// even without the override.
std::string SystemCopy(const char* name) {
  char folder[MAX_PATH];
  const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
  return std::string(folder, length) + "\\" + name;
}
const std::string Installed = SystemCopy("uiautomationcore.dll");
const std::string Kept = SystemCopy("uiautomationcore-wine.dll");

}  // namespace

ProgramEnvironment InstallUiaStandIn(const std::string& record) {
  const std::string standIn = WindowsPath(Environment("QUORL_E2E_UIA_STANDIN", ""));
  if (GetFileAttributesA(Kept.c_str()) == INVALID_FILE_ATTRIBUTES) {
    MoveFileA(Installed.c_str(), Kept.c_str());
  }
  if (standIn.empty() || !CopyFileA(standIn.c_str(), Installed.c_str(), FALSE)) return {};
  DeleteFileA(record.c_str());
  const std::string overrides = Environment("WINEDLLOVERRIDES", "");
  return {"WINEDLLOVERRIDES=" + overrides + (overrides.empty() ? "" : ";") + "uiautomationcore=n",
          "QUORL_UIA_LOG=" + record};
}

void RemoveUiaStandIn() {
  if (GetFileAttributesA(Kept.c_str()) == INVALID_FILE_ATTRIBUTES) return;
  DeleteFileA(Installed.c_str());
  MoveFileA(Kept.c_str(), Installed.c_str());
}

std::vector<UiaCall> ReadUiaCalls(const std::string& record) {
  std::vector<UiaCall> calls;
  std::ifstream file(record, std::ios::binary);
  std::string line;
  while (std::getline(file, line)) {
    const int size =
        MultiByteToWideChar(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), nullptr, 0);
    WideText wide(static_cast<size_t>(size));
    MultiByteToWideChar(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), wide.data(), size);
    std::istringstream fields(FromWide(wide.data(), wide.size()));
    UiaCall call;
    std::getline(fields, call.kind, '\t');
    for (std::string field; std::getline(fields, field, '\t');) {
      const size_t equals = field.find('=');
      call.fields[field.substr(0, equals)] =
          equals == std::string::npos ? "" : field.substr(equals + 1);
    }
    calls.push_back(std::move(call));
  }
  return calls;
}

}  // namespace e2e
