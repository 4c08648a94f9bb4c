// The start-up benchmark's same-work yardstick: a plain program that shows what
// Quorl's first screen shows, with none of Quorl's own machinery. It loads the common
// controls, opens one maximised window that paints the 800 by 600 street picture from
// its resources (decoded once into a DIB section, as Quorl does), and puts the focus
// in an edit box on it.
#include <windows.h>
#include <commctrl.h>

namespace {

HBITMAP picture = nullptr;

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      HDC source = CreateCompatibleDC(dc);
      HGDIOBJ old = SelectObject(source, picture);
      BitBlt(dc, 0, 0, 800, 600, source, 0, 0, SRCCOPY);
      SelectObject(source, old);
      DeleteDC(source);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  InitCommonControls();
  picture = static_cast<HBITMAP>(
      LoadImageA(instance, "QUORLBACK", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!picture) return 1;
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = windowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = "QuorlSameWork";
  if (!RegisterClassA(&windowClass)) return 1;
  const HWND window = CreateWindowExA(0, windowClass.lpszClassName, "Same work",
                                      WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, 0, 800,
                                      600, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  const HWND edit =
      CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 432, 424,
                      65, 41, window, nullptr, instance, nullptr);
  ShowWindow(window, SW_SHOWMAXIMIZED);
  SetFocus(edit);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  DeleteObject(picture);
  return 0;
}
