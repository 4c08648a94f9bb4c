// Another program for the activation tests: one plain window that takes the
// foreground when it is shown, as any program the player switches to would. It is
// also the start-up benchmark's yardstick: the least a program does to show a window.
#include <windows.h>

namespace {

LRESULT CALLBACK OtherWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = OtherWindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = "QuorlE2eOtherWindow";
  if (!RegisterClassA(&windowClass)) return 1;
  const HWND window =
      CreateWindowExA(0, windowClass.lpszClassName, "Autre programme", WS_OVERLAPPEDWINDOW, 820,
                      600, 400, 300, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  ShowWindow(window, showCommand);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
