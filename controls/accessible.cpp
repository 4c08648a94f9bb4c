#include "controls/accessible.h"

#include <oleacc.h>

#include <new>
#include <string>
#include <utility>

#include "base/wide_text.h"
#include "controls/notification.h"
#include "controls/system_library.h"

// The state that a window shares with the objects answered for it.
struct AccessibleState {
  HWND window = nullptr;  // none once the window is gone
  const AccessibleSource* source = nullptr;
  std::string announced;  // the name an announcement lent the window while it has the focus
};

namespace {

using LresultFromObjectProc = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
using CreateStdAccessibleObjectProc = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);

struct OleAccess {
  LresultFromObjectProc lresultFromObject =
      Find<LresultFromObjectProc>(SystemLibrary("oleacc.dll"), "LresultFromObject");
  CreateStdAccessibleObjectProc createStandard =
      Find<CreateStdAccessibleObjectProc>(SystemLibrary("oleacc.dll"), "CreateStdAccessibleObject");
  bool Complete() const { return lresultFromObject && createStandard && Loaded<Ole>().Complete(); }
};

// The window property through which an announcement finds the state of the window
// that has the focus.
constexpr char StateProperty[] = "QuorlAccessible";

// IID_IAccIdentity, which the compiler's headers declare without an identifier.
constexpr GUID AccIdentityId = {
    0x7852b78d, 0x1cfd, 0x41c1, {0xa6, 0x15, 0x9c, 0x0c, 0x85, 0x96, 0x0b, 0x5f}};

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// A control's client object: the platform's standard object for everything but what
// the control's description tells. Its children are the standard object's, reached as
// it offers them (an enumeration where it has one). Its methods catch every error:
// none may reach the caller.
class ControlAccessible final
    : public ComObject<IAccessible, IOleWindow, IEnumVARIANT, IAccIdentity> {
public:
  ControlAccessible(std::shared_ptr<AccessibleState> state, ComPtr<IAccessible> standard)
      : state_(std::move(state)), standard_(std::move(standard)) {}

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) noexcept override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (!Connected()) return CO_E_OBJNOTCONNECTED;
    if (id == __uuidof(IUnknown) || id == __uuidof(IDispatch) || id == __uuidof(IAccessible)) {
      *object = static_cast<IAccessible*>(this);
    } else if (id == __uuidof(IOleWindow)) {
      *object = static_cast<IOleWindow*>(this);
    } else if (id == __uuidof(IEnumVARIANT) && Answers(id, children_)) {
      *object = static_cast<IEnumVARIANT*>(this);
    } else if (id == AccIdentityId && Answers(id, identity_)) {
      *object = static_cast<IAccIdentity*>(this);
    } else {
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }

  // IOleWindow
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) noexcept override {
    if (window == nullptr) return E_POINTER;
    if (!Connected()) return CO_E_OBJNOTCONNECTED;
    *window = state_->window;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) noexcept override {
    return Connected() ? E_NOTIMPL : CO_E_OBJNOTCONNECTED;
  }

  // IDispatch: no type information, as the standard object's would name the standard
  // object's answers, not the program's; clients call the interface directly.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) noexcept override {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return Connected() ? S_OK : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) noexcept override {
    if (info == nullptr) return E_POINTER;
    *info = nullptr;
    return Connected() ? DISP_E_BADINDEX : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT count, LCID,
                                          DISPID* ids) noexcept override {
    if (ids == nullptr) return E_POINTER;
    for (UINT index = 0; index < count; ++index) ids[index] = DISPID_UNKNOWN;
    return Connected() ? DISP_E_UNKNOWNNAME : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) noexcept override {
    return Connected() ? DISP_E_MEMBERNOTFOUND : CO_E_OBJNOTCONNECTED;
  }

  // IAccessible: what the description tells
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) noexcept override {
    if (name == nullptr) return E_POINTER;
    *name = nullptr;
    if (!Connected()) return CO_E_OBJNOTCONNECTED;
    try {
      if (IsSelf(child) && !state_->announced.empty()) {
        return Text(ToWide(state_->announced), name);
      }
      const AccessibleDescription description = Description();
      if (IsSelf(child) && !description.name.empty()) return Text(ToWide(description.name), name);
      const HRESULT result = standard_.get()->get_accName(child, name);
      if (result == S_OK || !IsLine(description, child)) return result;
      return Text(LineText(child.lVal - 1), name);
    } catch (...) {
      return E_OUTOFMEMORY;
    }
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) noexcept override {
    if (text == nullptr) return E_POINTER;
    *text = nullptr;
    if (!Connected()) return CO_E_OBJNOTCONNECTED;
    try {
      const AccessibleDescription description = Description();
      if (IsSelf(child) && !description.description.empty()) {
        return Text(ToWide(description.description), text);
      }
      return standard_.get()->get_accDescription(child, text);
    } catch (...) {
      return E_OUTOFMEMORY;
    }
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) noexcept override {
    if (role == nullptr) return E_POINTER;
    if (!Connected()) return CO_E_OBJNOTCONNECTED;
    try {
      const AccessibleDescription description = Description();
      if (IsSelf(child) && description.role != 0) return Integer(description.role, role);
      const HRESULT result = standard_.get()->get_accRole(child, role);
      if (SUCCEEDED(result) || !IsLine(description, child)) return result;
      return Integer(ROLE_SYSTEM_LISTITEM, role);
    } catch (...) {
      return E_OUTOFMEMORY;
    }
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) noexcept override {
    if (state == nullptr) return E_POINTER;
    if (!Connected()) return CO_E_OBJNOTCONNECTED;
    try {
      Variant answer;
      const HRESULT result = standard_.get()->get_accState(child, answer.put());
      const bool readOnly = IsSelf(child) && Description().readOnly;  // a throw frees the answer
      *state = answer.release();
      if (result == S_OK && readOnly && state->vt == VT_I4) state->lVal |= STATE_SYSTEM_READONLY;
      return result;
    } catch (...) {
      return E_OUTOFMEMORY;
    }
  }

  // IAccessible: the standard object's
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) noexcept override {
    return Forward(standard_, &IAccessible::get_accParent, parent);
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) noexcept override {
    return Forward(standard_, &IAccessible::get_accChildCount, count);
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) noexcept override {
    return Forward(standard_, &IAccessible::get_accChild, child, object);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) noexcept override {
    return Forward(standard_, &IAccessible::get_accValue, child, value);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) noexcept override {
    return Forward(standard_, &IAccessible::get_accHelp, child, help);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child,
                                             LONG* topic) noexcept override {
    return Forward(standard_, &IAccessible::get_accHelpTopic, file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child,
                                                    BSTR* shortcut) noexcept override {
    return Forward(standard_, &IAccessible::get_accKeyboardShortcut, child, shortcut);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focused) noexcept override {
    return Forward(standard_, &IAccessible::get_accFocus, focused);
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selected) noexcept override {
    return Forward(standard_, &IAccessible::get_accSelection, selected);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) noexcept override {
    return Forward(standard_, &IAccessible::get_accDefaultAction, child, action);
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) noexcept override {
    return Forward(standard_, &IAccessible::accSelect, flags, child);
  }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                        VARIANT child) noexcept override {
    return Forward(standard_, &IAccessible::accLocation, left, top, width, height, child);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start,
                                        VARIANT* end) noexcept override {
    return Forward(standard_, &IAccessible::accNavigate, direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG left, LONG top, VARIANT* hit) noexcept override {
    return Forward(standard_, &IAccessible::accHitTest, left, top, hit);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) noexcept override {
    return Forward(standard_, &IAccessible::accDoDefaultAction, child);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) noexcept override {
    return Forward(standard_, &IAccessible::put_accName, child, name);
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) noexcept override {
    return Forward(standard_, &IAccessible::put_accValue, child, value);
  }

  // IEnumVARIANT: the standard object's enumeration of its children
  HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* items, ULONG* fetched) noexcept override {
    return Forward(children_, &IEnumVARIANT::Next, count, items, fetched);
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) noexcept override {
    return Forward(children_, &IEnumVARIANT::Skip, count);
  }
  HRESULT STDMETHODCALLTYPE Reset() noexcept override {
    return Forward(children_, &IEnumVARIANT::Reset);
  }
  HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** copy) noexcept override {
    return Forward(children_, &IEnumVARIANT::Clone, copy);
  }

  // IAccIdentity: the standard object's, as both stand for the same element
  HRESULT STDMETHODCALLTYPE GetIdentityString(DWORD child, BYTE** identity,
                                              DWORD* length) noexcept override {
    return Forward(identity_, &IAccIdentity::GetIdentityString, child, identity, length);
  }

private:
  ~ControlAccessible() override = default;

  bool Connected() const { return state_->window != nullptr; }
  // A call passed on to the standard object's `to` while the window lives.
  template <class Interface, class... Parameters, class... Arguments>
  HRESULT Forward(const ComPtr<Interface>& to,
                  HRESULT (STDMETHODCALLTYPE Interface::*method)(Parameters...),
                  Arguments... arguments) const noexcept {
    return Connected() ? (to.get()->*method)(arguments...) : CO_E_OBJNOTCONNECTED;
  }
  AccessibleDescription Description() const { return state_->source->Accessible(); }
  // Whether the standard object answers `Interface`, asked once.
  template <class Interface>
  bool Answers(REFIID id, ComPtr<Interface>& forwarded) {
    if (!forwarded) standard_.get()->QueryInterface(id, PutVoid(forwarded));
    return static_cast<bool>(forwarded);
  }

  // A line of a list, as a child: the standard object names them on Windows, not on
  // every platform that runs the program.
  bool IsLine(const AccessibleDescription& description, const VARIANT& child) const {
    return description.role == ROLE_SYSTEM_LIST && child.vt == VT_I4 && child.lVal > 0 &&
           child.lVal <= SendMessageW(state_->window, LB_GETCOUNT, 0, 0);
  }
  WideText LineText(LONG line) const {
    const auto index = static_cast<WPARAM>(line);
    const LRESULT length = SendMessageW(state_->window, LB_GETTEXTLEN, index, 0);
    if (length <= 0) return {};
    WideText text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied =
        SendMessageW(state_->window, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
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

  std::shared_ptr<AccessibleState> state_;
  ComPtr<IAccessible> standard_;
  ComPtr<IEnumVARIANT> children_;
  ComPtr<IAccIdentity> identity_;
};

}  // namespace

void AccessibleLink::Connect(HWND window, const AccessibleSource& source) {
  Disconnect();
  state_ = std::make_shared<AccessibleState>();
  state_->window = window;
  state_->source = &source;
  SetPropA(window, StateProperty, state_.get());
}

void AccessibleLink::Disconnect() noexcept {
  if (!state_) return;
  if (state_->window != nullptr) RemovePropA(state_->window, StateProperty);
  state_->window = nullptr;
  state_->source = nullptr;
  state_.reset();
}

void AccessibleLink::FocusLeft() noexcept {
  if (state_) state_->announced.clear();
}

LRESULT AccessibleLink::AnswerGetObject(WPARAM flags, LPARAM objectId) const {
  if (static_cast<LONG>(objectId) != OBJID_CLIENT || !state_ || state_->window == nullptr) {
    return 0;
  }
  if (state_->announced.empty() && state_->source->Accessible().IsEmpty()) return 0;
  const OleAccess& access = Loaded<OleAccess>();
  if (!access.Complete()) return 0;
  JoinApartment();
  ComPtr<IAccessible> standard;
  if (FAILED(access.createStandard(state_->window, OBJID_CLIENT, __uuidof(IAccessible),
                                   PutVoid(standard))) ||
      !standard) {
    return 0;
  }
  auto* object = new (std::nothrow) ControlAccessible(state_, std::move(standard));
  if (object == nullptr) return 0;
  const LRESULT result =
      access.lresultFromObject(__uuidof(IAccessible), flags, static_cast<IAccessible*>(object));
  object->Release();  // the answer holds its own reference
  return result < 0 ? 0 : result;
}

void Announce(const std::string& text) {
  HWND focus = GetFocus();
  if (focus == nullptr) return;
  // One voice for each announcement: a reader that hears both would speak it twice.
  if (RaiseNotification(GetAncestor(focus, GA_ROOT), text)) return;
  auto* state = static_cast<AccessibleState*>(GetPropA(focus, StateProperty));
  if (state == nullptr || state->window == nullptr) return;
  // A reader may let pass a name change that leaves the name as it was: the same text
  // twice in a row differs by a space at its end.
  state->announced = text == state->announced ? text + " " : text;
  NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, focus, OBJID_CLIENT, CHILDID_SELF);
}
