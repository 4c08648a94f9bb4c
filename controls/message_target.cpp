#include "controls/message_target.h"

namespace {

// The window property that links a platform window to its object: other windows of
// the thread (message boxes...) have none.
constexpr char TargetProperty[] = "QuorlControl";

}  // namespace

MessageTarget* MessageTarget::FromHandle(HWND window) {
  if (window == nullptr) return nullptr;
  return static_cast<MessageTarget*>(GetPropA(window, TargetProperty));
}

void MessageTarget::Attach(HWND window) { SetPropA(window, TargetProperty, this); }

void MessageTarget::Detach(HWND window) noexcept {
  RemovePropA(window, TargetProperty);
  Destroyed();
}

LRESULT CALLBACK MessageTarget::WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                                LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    if (auto* self = static_cast<MessageTarget*>(create->lpCreateParams)) {
      self->Attach(window);
      self->Attached(window);
    }
  }
  MessageTarget* self = FromHandle(window);
  if (self == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  LRESULT result = 0;
  Guarded(self->Reporter(), self->Sender(),
          [&] { result = self->WindowProc(message, wParam, lParam); });
  if (message == WM_NCDESTROY) self->Detach(window);
  return result;
}
