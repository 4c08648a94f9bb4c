#pragma once
// The application object: the invisible application window that owns every window of
// the program and is its task-bar entry, the windows themselves, the event loop, the
// error report, and the end of the program.
#include <windows.h>

#include <memory>
#include <new>
#include <string>
#include <vector>

#include "app/form.h"
#include "controls/events.h"
#include "controls/guard.h"
#include "controls/message_target.h"

class TApplication : public TObject, public MessageTarget, public ErrorReporter {
public:
  TApplication();
  ~TApplication();

  HWND Handle() const { return handle_; }
  // The application window's caption.
  std::string Title() const;
  TForm* MainForm() const { return mainForm_; }
  bool Terminated() const { return terminated_; }
  bool Running() const { return running_; }

  // The program-wide start hook: nothing is registered in this program.
  void Initialize() {}

  // Creates one window into its global reference, which holds the window before its
  // construction starts so that code running during it finds the window. The first
  // window created becomes the main window.
  template <class T>
  void CreateForm(T*& reference);

  // Shows the main window and runs the event loop until the quit message.
  void Run();
  // One loop step: a message, or the idle step when there is none.
  void HandleMessage();
  // The quit request.
  void Terminate();
  void Minimize();
  void Restore();
  // Shows the application window while any window of the program is visible.
  void UpdateVisible();

  // The error report for the error being handled (call inside a catch block).
  void ReportError(TObject& sender) noexcept override;
  // A message box on behalf of the whole program.
  int ProgramMessageBox(const std::string& text, const std::string& caption, UINT flags);

  // Program end: hides the owned windows and destroys the windows, the last created
  // first.
  void DoneApplication();

private:
  bool ProcessMessage(MSG& message);
  bool IsKeyMessage(const MSG& message);
  void Idle();
  void ShowException(const std::string& message);
  void FocusFirstWindow();

  // The application window's messages, and WindowProc's table of their handlers.
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  MessageResult WmClose(const WindowMessage& message);
  MessageResult WmSysCommand(const WindowMessage& message);
  MessageResult WmSetFocus(const WindowMessage& message);
  MessageResult WmFocusNotice(const WindowMessage& message);
  MessageResult WmSettingChange(const WindowMessage& message);
  MessageResult WmQueryEndSession(const WindowMessage& message);
  MessageResult WmEndSession(const WindowMessage& message);
  ErrorReporter& Reporter() override { return *this; }
  TObject& Sender() override { return *this; }
  void Attached(HWND window) override { handle_ = window; }
  void Destroyed() noexcept override { handle_ = nullptr; }

  HWND handle_ = nullptr;
  std::vector<std::unique_ptr<TForm>> forms_;  // creation order
  std::vector<HWND> hiddenWithApplication_;    // while minimised
  TForm* mainForm_ = nullptr;
  int startupShow_ = SW_SHOWDEFAULT;
  bool terminated_ = false;
  bool running_ = false;
  bool done_ = false;
};

extern TApplication* Application;

template <class T>
void TApplication::CreateForm(T*& reference) {
  // The window's place in the list first: nothing can fail once the window exists.
  forms_.reserve(forms_.size() + 1);
  void* memory = ::operator new(sizeof(T));
  reference = static_cast<T*>(memory);
  T* form = nullptr;
  try {
    form = new (memory) T();
  } catch (...) {
    reference = nullptr;
    ::operator delete(memory);
    throw;
  }
  forms_.emplace_back(form);
  if (mainForm_ == nullptr) {
    form->Handle();
    mainForm_ = form;
  }
}
