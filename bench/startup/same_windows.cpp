// The start-up benchmark's same-windows yardstick: a plain program, with none of
// Quorl's machinery, that does the work Quorl's start-up order makes any program do
// before its first idle, and nothing more:
//   - the common controls loaded;
//   - the invisible, zero-sized application window, with its icon and its system menu
//     cut down;
//   - the main window (owned by it, hidden) with the same controls of the same sizes
//     and fonts: a static label, the guess and counter edit boxes, the history list
//     box and four owner-drawn buttons, the last one hidden;
//   - the three other windows exist only as what they will show, and get no platform
//     window before they are first shown, as in Quorl;
//   - the application window shown, the main window shown maximised, the guess box
//     focused on activation, the street picture, the title picture and the three
//     button glyphs painted (the glyphs through an image list, with their
//     transparent colour).
// It makes the same phase stamps as Quorl when QUORL_PHASE_STAMPS names a file.
#include <windows.h>
#include <commctrl.h>

#include "base/phase_stamps.h"

namespace {

constexpr COLORREF Green = RGB(0, 128, 0);

struct Button {
  const char* glyph;
  int left, top, width, height;
  bool visible;
};
constexpr Button Buttons[] = {{"COMMENCER", 640, 160, 136, 42, true},
                              {"REGLES", 640, 76, 136, 42, true},
                              {"QUITTER", 640, 256, 136, 42, true},
                              {nullptr, 512, 512, 75, 25, false}};
constexpr int ButtonCount = sizeof Buttons / sizeof Buttons[0];

struct Main {
  HBITMAP street = nullptr;
  HBITMAP title = nullptr;
  HIMAGELIST glyphs = nullptr;
  int glyphIndex[ButtonCount] = {-1, -1, -1, -1};
  HWND guess = nullptr;
  HBRUSH white = nullptr;
};
Main* state = nullptr;

void Draw(HDC dc, HBITMAP bitmap, int x, int y, int width, int height) {
  HDC source = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(source, bitmap);
  BitBlt(dc, x, y, width, height, source, 0, 0, SRCCOPY);
  SelectObject(source, old);
  DeleteDC(source);
}

// A glyph is decoded and entered in the image list when its button is first painted.
int Glyph(int button) {
  int& index = state->glyphIndex[button];
  if (index >= 0 || !Buttons[button].glyph) return index;
  const auto bitmap = static_cast<HBITMAP>(LoadImageA(
      GetModuleHandleA(nullptr), Buttons[button].glyph, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  const COLORREF transparent = GetPixel(dc, 0, Buttons[button].height - 1);
  SelectObject(dc, old);
  DeleteDC(dc);
  index = ImageList_AddMasked(state->glyphs, bitmap, transparent);
  DeleteObject(bitmap);
  return index;
}

void DrawButton(const DRAWITEMSTRUCT& item) {
  RECT rect = item.rcItem;
  DrawFrameControl(item.hDC, &rect, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT);
  const int button = static_cast<int>(item.CtlID);
  const int index = Glyph(button);
  if (index >= 0) {
    ImageList_DrawEx(state->glyphs, index, item.hDC, 0, 0, 0, 0, CLR_NONE, CLR_NONE,
                     ILD_TRANSPARENT);
  }
}

LRESULT CALLBACK mainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) SetFocus(state->guess);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      Draw(dc, state->street, 0, 0, 800, 600);
      Draw(dc, state->title, 24, 20, 128, 42);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_CTLCOLORSTATIC:
      if (reinterpret_cast<HWND>(lParam) != GetDlgItem(window, 100)) break;
      SetBkColor(reinterpret_cast<HDC>(wParam), RGB(255, 255, 255));
      return reinterpret_cast<LRESULT>(state->white);
    case WM_DRAWITEM:
      DrawButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_CLOSE:
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

HFONT Font(int height, const char* face) {
  return CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face);
}

HWND Child(HWND parent, DWORD exStyle, const char* className, const char* text, DWORD style,
           int left, int top, int width, int height, int id, HFONT font) {
  HWND child = CreateWindowExA(exStyle, className, text, WS_CHILD | WS_CLIPSIBLINGS | style, left,
                               top, width, height, parent, reinterpret_cast<HMENU>(id),
                               GetModuleHandleA(nullptr), nullptr);
  SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return child;
}

const char* RegisterWindowClass(HINSTANCE instance, const char* name, WNDPROC procedure, UINT style,
                                HICON icon, HBRUSH background) {
  WNDCLASSA windowClass{};
  windowClass.style = style;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hIcon = icon;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = background;
  windowClass.lpszClassName = name;
  RegisterClassA(&windowClass);
  return name;
}

HWND ApplicationWindow(HINSTANCE instance, HICON icon) {
  const char* className =
      RegisterWindowClass(instance, "SameWindowsApplication", DefWindowProcA, 0, icon, nullptr);
  HWND window =
      CreateWindowExA(0, className, "Same-windows",
                      WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPSIBLINGS,
                      GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0,
                      nullptr, nullptr, instance, nullptr);
  SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  HMENU menu = GetSystemMenu(window, FALSE);
  DeleteMenu(menu, SC_MAXIMIZE, MF_BYCOMMAND);
  DeleteMenu(menu, SC_SIZE, MF_BYCOMMAND);
  DeleteMenu(menu, SC_MOVE, MF_BYCOMMAND);
  return window;
}

HWND MainWindow(HINSTANCE instance, HWND owner) {
  const char* className = RegisterWindowClass(instance, "SameWindowsMain", mainProc, CS_DBLCLKS,
                                              nullptr, CreateSolidBrush(Green));
  HWND window = CreateWindowExA(0, className, "Quorl", WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
                                -2, -1, 808, 580, owner, nullptr, instance, nullptr);
  const int iconSizes[][2] = {{SM_CXICON, SM_CYICON}, {SM_CXSMICON, SM_CYSMICON}};
  for (int kind = 0; kind < 2; ++kind) {
    HANDLE icon =
        LoadImageA(instance, "QUORLICON", IMAGE_ICON, GetSystemMetrics(iconSizes[kind][0]),
                   GetSystemMetrics(iconSizes[kind][1]), LR_SHARED);
    SendMessageA(window, WM_SETICON, kind == 0 ? ICON_BIG : ICON_SMALL,
                 reinterpret_cast<LPARAM>(icon));
  }
  HFONT form = Font(-11, "MS Sans Serif");
  HFONT text = Font(-16, "Comic Sans MS");
  HFONT counter = Font(-24, "Comic Sans MS");
  Child(window, 0, "STATIC", "", WS_VISIBLE, 40, 440, 5, 22, 100, text);
  state->guess = Child(window, WS_EX_CLIENTEDGE, "EDIT", "",
                       WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 432, 424, 65, 41, 101, text);
  Child(window, 0, "LISTBOX", "",
        WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 296, 120, 209,
        289, 102, text);
  Child(window, WS_EX_CLIENTEDGE, "EDIT", "0",
        WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY, 152, 20, 81, 45, 103, counter);
  for (int i = 0; i < ButtonCount; ++i) {
    const Button& b = Buttons[i];
    Child(window, 0, "BUTTON", b.glyph ? "" : "BitBtn1",
          (b.visible ? WS_VISIBLE : 0) | WS_TABSTOP | BS_OWNERDRAW, b.left, b.top, b.width,
          b.height, i, form);
  }
  return window;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  StampPhase("loaded");
  InitCommonControls();
  StampPhase("runtime");
  Main main;
  state = &main;
  HWND application = ApplicationWindow(instance, LoadIconA(instance, "MAINICON"));
  StampPhase("application window");
  main.street = static_cast<HBITMAP>(
      LoadImageA(instance, "QUORLBACK", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  main.title =
      static_cast<HBITMAP>(LoadImageA(instance, "ESSAI", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  main.glyphs = ImageList_Create(136, 42, ILC_COLOR24 | ILC_MASK, 4, 4);
  main.white = CreateSolidBrush(RGB(255, 255, 255));
  HWND window = MainWindow(instance, application);
  StampPhase("main window");
  StampPhase("other windows");
  SetWindowPos(application, nullptr, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  ShowWindow(window, SW_SHOWMAXIMIZED);
  StampPhase("shown");
  MSG message;
  for (;;) {
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      StampPhase("first idle");
      WritePhaseStamps();
      WaitMessage();
      continue;
    }
    if (message.message == WM_QUIT) break;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  DestroyWindow(window);
  DestroyWindow(application);
  return 0;
}
