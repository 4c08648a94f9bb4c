#include "app/application.h"

#include "app/screen.h"
#include "base/phase_stamps.h"
#include "controls/control.h"
#include "controls/handles.h"
#include "controls/window_text.h"

TApplication* Application = nullptr;

namespace {

constexpr char ApplicationClass[] = "TApplication";

// The last key message, as the older headers define WM_KEYLAST: WM_UNICHAR (0x109),
// which newer headers include, is not one for this program.
constexpr UINT LastKeyMessage = 0x108;

// The title is taken from at most the first 255 characters of the program's path
// (a buffer of 256, less than MAX_PATH: a longer path is cut there).
constexpr DWORD TitlePathSize = 256;

// The executable's base name: after the last backslash, up to the first point, every
// letter but the first in lower case.
std::string TitleFromModule() {
  char path[TitlePathSize] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  // ANSI text converted as if OEM, on purpose: the task-bar entry has always been named so.
  OemToCharA(path, path);
  std::string title(path);
  const std::size_t slash = title.rfind('\\');
  if (slash != std::string::npos) title.erase(0, slash + 1);
  const std::size_t point = title.find('.');
  if (point != std::string::npos) title.erase(point);
  if (title.size() > 1) CharLowerA(&title[1]);
  return title;
}

int StartupShowCommand() {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  GetStartupInfoA(&startup);
  return (startup.dwFlags & STARTF_USESHOWWINDOW) != 0 ? startup.wShowWindow : SW_SHOWDEFAULT;
}

}  // namespace

TApplication::TApplication() : startupShow_(StartupShowCommand()) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  HICON icon = LoadIconA(instance, "MAINICON");  // shared: never destroyed
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &MessageTarget::WindowProcedure;
  windowClass.hInstance = instance;
  windowClass.hIcon = icon;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.lpszClassName = ApplicationClass;
  RegisterClassA(&windowClass);
  const std::string title = TitleFromModule();
  handle_ = CreateWindowExA(0, ApplicationClass, title.c_str(),
                            WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPSIBLINGS,
                            GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0,
                            0, nullptr, nullptr, instance, static_cast<MessageTarget*>(this));
  SendMessageA(handle_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  // The task-bar entry offers only Restore, Minimise and Close.
  HMENU menu = GetSystemMenu(handle_, FALSE);
  DeleteMenu(menu, SC_MAXIMIZE, MF_BYCOMMAND);
  DeleteMenu(menu, SC_SIZE, MF_BYCOMMAND);
  DeleteMenu(menu, SC_MOVE, MF_BYCOMMAND);
}

TApplication::~TApplication() {
  while (!forms_.empty()) forms_.pop_back();
  if (handle_ != nullptr) {
    HWND window = handle_;
    Detach(window);  // the messages of the destruction go to the default handling
    DestroyWindow(window);
  }
}

std::string TApplication::Title() const { return WindowText(handle_); }

void TApplication::Run() {
  running_ = true;
  ScopeExit stopped([this] { running_ = false; });
  if (mainForm_ == nullptr) return;
  if (startupShow_ == SW_SHOWMAXIMIZED) {
    mainForm_->SetWindowState(TWindowState::wsMaximized);
  } else if (startupShow_ == SW_SHOWMINNOACTIVE) {
    mainForm_->RecordWindowState(TWindowState::wsMinimized);
  }
  if (mainForm_->WindowState() == TWindowState::wsMinimized) {
    Minimize();
  } else {
    mainForm_->SetVisible(true);
  }
  StampPhase("shown");
  while (!terminated_) HandleMessage();
}

void TApplication::HandleMessage() {
  MSG message{};
  if (!ProcessMessage(message)) Idle();
}

bool TApplication::ProcessMessage(MSG& message) {
  if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) return false;
  if (message.message == WM_QUIT) {
    terminated_ = true;
    return true;
  }
  if (!IsKeyMessage(message)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return true;
}

// Keyboard pre-processing: key messages go first to the control that holds the mouse
// capture, else to their own window's control.
bool TApplication::IsKeyMessage(const MSG& message) {
  if (message.message < WM_KEYDOWN || message.message > LastKeyMessage) return false;
  HWND target = GetCapture();
  if (target != nullptr) {
    if (reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(target, GWLP_HINSTANCE)) !=
        GetModuleHandleA(nullptr)) {
      return false;
    }
  } else {
    target = message.hwnd;
  }
  TWinControl* control = TWinControl::FromHandle(target);
  if (control == nullptr) return false;
  bool consumed = true;  // a key whose handling failed goes no further
  Guarded(*this, *control, [&] { consumed = control->PreProcessKey(message); });
  return consumed;
}

void TApplication::Idle() {
  // No hooks, hints or actions in this program: there is no idle work, only the wait.
  StampPhase("first idle");
  WritePhaseStamps();
  WaitMessage();
}

void TApplication::Terminate() { PostQuitMessage(0); }

void TApplication::UpdateVisible() {
  if (handle_ == nullptr) return;
  bool anyVisible = false;
  for (const TForm* form : Screen->Forms()) anyVisible = anyVisible || form->Visible();
  constexpr UINT keep = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
  SetWindowPos(handle_, nullptr, 0, 0, 0, 0, keep | (anyVisible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void TApplication::DoneApplication() {
  if (done_) return;
  done_ = true;
  if (handle_ != nullptr) ShowOwnedPopups(handle_, FALSE);
  while (!forms_.empty()) {
    if (HWND window = forms_.back()->HandleIfCreated()) ShowWindow(window, SW_HIDE);
    forms_.pop_back();
  }
}
