#include "harness/input.h"

#include "harness/wait.h"

namespace e2e {
namespace {

// A short pause between input bursts lets wine's server hand each burst to the
// target thread in order; it is not what the tests synchronise on.
constexpr Millis kInputGap{30};

INPUT keyEvent(WORD virtualKey, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

INPUT unicodeEvent(wchar_t character, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wScan = static_cast<WORD>(character);
  input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0u);
  return input;
}

void send(std::vector<INPUT> inputs) {
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  sleepFor(kInputGap);
}

INPUT mouseEvent(POINT screen, DWORD flags) {
  // Absolute coordinates are normalised to 0..65535 over the whole screen.
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = (screen.x * 65536 + width / 2) / width;
  input.mi.dy = (screen.y * 65536 + height / 2) / height;
  input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | flags;
  return input;
}

void clickWith(POINT screen, DWORD down, DWORD up, int clicks) {
  std::vector<INPUT> inputs{mouseEvent(screen, 0)};
  for (int i = 0; i < clicks; ++i) {
    inputs.push_back(mouseEvent(screen, down));
    inputs.push_back(mouseEvent(screen, up));
  }
  send(inputs);
}

}  // namespace

void pressKey(WORD virtualKey, std::vector<WORD> modifiers) {
  std::vector<INPUT> inputs;
  for (WORD modifier : modifiers) inputs.push_back(keyEvent(modifier, false));
  inputs.push_back(keyEvent(virtualKey, false));
  inputs.push_back(keyEvent(virtualKey, true));
  for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it) {
    inputs.push_back(keyEvent(*it, true));
  }
  send(inputs);
}

void typeText(const std::wstring& text) {
  std::vector<INPUT> inputs;
  for (wchar_t character : text) {
    inputs.push_back(unicodeEvent(character, false));
    inputs.push_back(unicodeEvent(character, true));
  }
  send(inputs);
}

void clickAt(POINT screen) { clickWith(screen, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, 1); }

void doubleClickAt(POINT screen) { clickWith(screen, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, 2); }

void rightClickAt(POINT screen) {
  clickWith(screen, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP, 1);
}

void pressLeftButtonAt(POINT screen) {
  send({mouseEvent(screen, 0), mouseEvent(screen, MOUSEEVENTF_LEFTDOWN)});
}

void releaseLeftButtonAt(POINT screen) { send({mouseEvent(screen, MOUSEEVENTF_LEFTUP)}); }

void movePointerTo(POINT screen) { send({mouseEvent(screen, 0)}); }

}  // namespace e2e
