#include "harness/input.h"

#include "harness/wait.h"

namespace e2e {
namespace {

// A short pause between input bursts lets wine's server hand each burst to the
// target thread in order; it is not what the tests synchronise on.
constexpr Millis InputGap{30};

INPUT KeyEvent(WORD virtualKey, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

INPUT UnicodeEvent(wchar_t character, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wScan = static_cast<WORD>(character);
  input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0u);
  return input;
}

void Send(std::vector<INPUT> inputs) {
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  SleepFor(InputGap);
}

INPUT MouseEvent(POINT screen, DWORD flags) {
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

void ClickWith(POINT screen, DWORD down, DWORD up, int clicks) {
  std::vector<INPUT> inputs{MouseEvent(screen, 0)};
  for (int i = 0; i < clicks; ++i) {
    inputs.push_back(MouseEvent(screen, down));
    inputs.push_back(MouseEvent(screen, up));
  }
  Send(inputs);
}

}  // namespace

void PressKey(WORD virtualKey, std::vector<WORD> modifiers) {
  std::vector<INPUT> inputs;
  for (WORD modifier : modifiers) inputs.push_back(KeyEvent(modifier, false));
  inputs.push_back(KeyEvent(virtualKey, false));
  inputs.push_back(KeyEvent(virtualKey, true));
  for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it) {
    inputs.push_back(KeyEvent(*it, true));
  }
  Send(inputs);
}

void TypeText(const std::wstring& text) {
  std::vector<INPUT> inputs;
  for (wchar_t character : text) {
    inputs.push_back(UnicodeEvent(character, false));
    inputs.push_back(UnicodeEvent(character, true));
  }
  Send(inputs);
}

void ClickAt(POINT screen) { ClickWith(screen, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, 1); }

void DoubleClickAt(POINT screen) { ClickWith(screen, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, 2); }

void RightClickAt(POINT screen) {
  ClickWith(screen, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP, 1);
}

void PressLeftButtonAt(POINT screen) {
  Send({MouseEvent(screen, 0), MouseEvent(screen, MOUSEEVENTF_LEFTDOWN)});
}

void ReleaseLeftButtonAt(POINT screen) { Send({MouseEvent(screen, MOUSEEVENTF_LEFTUP)}); }

void MovePointerTo(POINT screen) { Send({MouseEvent(screen, 0)}); }

}  // namespace e2e
