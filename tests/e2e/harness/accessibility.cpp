#include "harness/accessibility.h"

#include <oleacc.h>

#include "base/wide_text.h"
#include "controls/com.h"

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

std::string narrow(BSTR text) {
  const UniqueSystemString<FreeSystemString> owned(text);
  return FromWide(text, text ? SysStringLen(text) : 0);
}

AccessibleObject read(IAccessible* accessible, VARIANT child) {
  AccessibleObject object;
  object.found = true;
  BSTR text = nullptr;
  if (accessible->get_accName(child, &text) == S_OK) object.name = narrow(text);
  text = nullptr;
  if (accessible->get_accValue(child, &text) == S_OK) object.value = narrow(text);
  VARIANT answer;
  VariantInit(&answer);
  if (accessible->get_accRole(child, &answer) == S_OK && answer.vt == VT_I4) {
    object.role = answer.lVal;
  }
  VariantClear(&answer);
  if (accessible->get_accState(child, &answer) == S_OK && answer.vt == VT_I4) {
    object.state = answer.lVal;
  }
  VariantClear(&answer);
  return object;
}

AccessibleObject ReadFromEvent(HWND window, LONG objectId, LONG child) {
  IAccessible* accessible = nullptr;
  VARIANT item;
  VariantInit(&item);
  AccessibleObject object;
  if (SUCCEEDED(AccessibleObjectFromEvent(window, static_cast<DWORD>(objectId),
                                          static_cast<DWORD>(child), &accessible, &item))) {
    const ComPtr<IAccessible> owned(accessible);
    if (owned) object = read(owned.get(), item);
  }
  VariantClear(&item);
  return object;
}

// The listener of this thread, for the hook's callback.
thread_local EventListener* listener = nullptr;

bool WorthHearing(DWORD event) {
  switch (event) {
    case EVENT_SYSTEM_ALERT:
    case EVENT_SYSTEM_DIALOGSTART:
    case EVENT_OBJECT_NAMECHANGE:
    case EVENT_OBJECT_VALUECHANGE:
    case EVENT_OBJECT_LIVEREGIONCHANGED:
      return true;
    default:
      return false;
  }
}

}  // namespace

AccessibleObject ReadAccessible(HWND window) {
  Apartment apartment;
  IAccessible* accessible = nullptr;
  if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                        __uuidof(IAccessible),
                                        reinterpret_cast<void**>(&accessible)))) {
    return {};
  }
  const ComPtr<IAccessible> owned(accessible);
  if (!owned) return {};
  VARIANT self;
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  return read(owned.get(), self);
}

std::string Describe(const AccessibleObject& object) {
  if (!object.found) return "(no object)";
  return "\"" + object.name + "\" | role " + std::to_string(object.role) + " | value \"" +
         object.value + "\" | state " + std::to_string(object.state);
}

EventListener::EventListener(DWORD processId) {
  SystemParametersInfoA(SPI_SETSCREENREADER, TRUE, nullptr, 0);
  thread_ = std::thread([this, processId] { Listen(processId); });
  std::unique_lock<std::mutex> lock(mutex_);
  ready_.wait(lock, [&] { return threadId_ != 0; });
}

EventListener::~EventListener() {
  PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
  thread_.join();
  SystemParametersInfoA(SPI_SETSCREENREADER, FALSE, nullptr, 0);
}

void EventListener::Listen(DWORD processId) {
  Apartment apartment;
  listener = this;
  MSG message;
  PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);  // the queue for PostThreadMessage
  // Without WINEVENT_SKIPOWNPROCESS: wine drops the events of other processes with it.
  HWINEVENTHOOK hook = SetWinEventHook(EVENT_MIN, EVENT_MAX, nullptr, &EventListener::Heard,
                                       processId, 0, WINEVENT_OUTOFCONTEXT);
  {
    std::lock_guard<std::mutex> lock(mutex_);
    listening_ = hook != nullptr;
    threadId_ = GetCurrentThreadId();
  }
  ready_.notify_all();
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  if (hook) UnhookWinEvent(hook);
}

void CALLBACK EventListener::Heard(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child,
                                   DWORD, DWORD) {
  if (listener == nullptr || !WorthHearing(event)) return;
  try {  // nothing may cross the system's frames
    listener->waiting_.push_back(AccessibleEvent{event, window, object, child, {}});
    if (listener->reading_) return;  // a nested event: the read in progress reads it next
    listener->reading_ = true;
    while (!listener->waiting_.empty()) {
      AccessibleEvent heard = listener->waiting_.front();
      listener->waiting_.pop_front();
      heard.object = heard.objectId == OBJID_WINDOW
                         ? ReadAccessible(heard.window)
                         : ReadFromEvent(heard.window, heard.objectId, heard.child);
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

}  // namespace e2e
