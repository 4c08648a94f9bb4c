// A program that faults on purpose, with the program's own fault report installed as
// Quorl.exe installs it, and its terminate handler; or that hands an error of the C++
// library to the event loop's error report. The environment variable QUORL_FAULT
// names the fault.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <typeinfo>

#include "app/application.h"
#include "app/fault_report.h"
#include "app/screen.h"
#include "base/errors.h"

namespace {

int* volatile nowhere = nullptr;
volatile int zero = 0;
// Called through a pointer that the compiler cannot see through, so that the fault
// happens in the system's C library and not in code inlined here.
std::size_t (*volatile measure)(const char*) = std::strlen;
const char* volatile nothing = nullptr;

// Far deeper than any stack: each call keeps a page of stack busy until it runs out.
volatile int deepest = 1 << 30;

int Recurse(int depth) {
  if (depth == deepest) return 0;
  volatile char page[4096];
  page[0] = static_cast<char>(depth);
  return Recurse(depth + 1) + page[0];
}

// An error thrown through a function that must not throw ends in std::terminate.
void (*volatile raise)() = [] { throw Exception("Erreur perdue"); };
void (*volatile raiseOutOfMemory)() = [] { throw std::bad_alloc(); };
void CannotThrow() noexcept { raise(); }
void CannotThrowOutOfMemory() noexcept { raiseOutOfMemory(); }

constexpr UINT FaultNow = WM_APP + 1;

void Fault(const std::string& kind) {
  if (kind == "null-write") *nowhere = 1;
  if (kind == "divide") nowhere = reinterpret_cast<int*>(static_cast<std::intptr_t>(100 / zero));
  if (kind == "system-module") zero = static_cast<int>(measure(nothing));
  if (kind == "stack-overflow") zero = Recurse(0);
  if (kind == "terminate") CannotThrow();
  if (kind == "terminate-out-of-memory") CannotThrowOutOfMemory();
}

// The error report of the event loop, given an error that the C++ library raises.
int ReportInLoop(const std::string& kind) {
  TScreen screen;
  Screen = &screen;
  TApplication application;
  Application = &application;
  try {
    if (kind == "loop-out-of-memory") throw std::bad_alloc();
    throw std::bad_cast();
  } catch (...) {
    application.ReportError(application);
  }
  Application = nullptr;
  Screen = nullptr;
  return 0;
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == FaultNow) {
    Fault("null-write");
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// The fault happens inside a window procedure that the message loop dispatched to.
int FaultInWindowProcedure(HINSTANCE instance) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = WindowProcedure;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = "FaultingWindow";
  RegisterClassA(&windowClass);
  HWND window = CreateWindowA("FaultingWindow", "Fautif", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100,
                              100, 300, 200, nullptr, nullptr, instance, nullptr);
  PostMessageA(window, FaultNow, 0, 0);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  InstallFaultReport();
  const char* kind = std::getenv("QUORL_FAULT");
  if (kind == nullptr) return 2;
  if (std::string(kind) == "window-procedure") return FaultInWindowProcedure(instance);
  if (std::string(kind).rfind("loop-", 0) == 0) return ReportInLoop(kind);
  Fault(kind);
  return 0;  // not reached when the fault happened
}
