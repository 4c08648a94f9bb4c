// The best-scores window shown, which Quorl.exe never does: the program starts as
// Quorl.exe starts (the same four windows, created in the same order, from the same
// resources), then shows the best-scores window instead of running the main window,
// once at start and again each time the test asks, so that its cases share a start.
// A showing (scores_protocol.h) is a number, in QUORL_SCORES_SHOW for the first and
// in a request's wParam for the next ones. The window's ModalResult at the end of each
// showing is posted back to the thread QUORL_SCORES_ANSWER names.
// The quit message ends the program.
#include <windows.h>

#include <cstdlib>
#include <string>
#include <utility>

#include "controls/edit.h"
#include "controls/listbox.h"
#include "entry/startup.h"
#include "forms/unitscores.h"
#include "scores_protocol.h"

namespace {

WPARAM EnvironmentNumber(const char* name) {
  const char* text = std::getenv(name);
  return text != nullptr ? std::strtoul(text, nullptr, 10) : 0;
}

// Each showing starts as the first does: no window of the program active (a hidden
// window can stay so), empty boxes and list, no result, the focus going to the first
// control.
void ShowTheScores(WPARAM showing) {
  SetActiveWindow(nullptr);
  score1->SetActiveControl(nullptr);
  score1->SetModalResult(mrNone);
  while (score1->ListBox1->Count() > 0) score1->ListBox1->Delete(0);
  score1->Edit3->SetText("");
  TNotifyEvent change = std::exchange(score1->Edit1->OnChange, nullptr);
  score1->Edit1->SetText("");
  score1->Edit1->OnChange = std::move(change);
  score1->Edit1->SetVisible((showing & e2e::NameHidden) == 0);
  score1->edit2->SetVisible((showing & e2e::NameHidden) == 0);

  int result = 0;
  if ((showing & e2e::Plain) == 0) {
    result = score1->ShowModal();
  } else {
    score1->Show();
    while (!Application->Terminated() && score1->Visible()) Application->HandleMessage();
    result = score1->ModalResult();
  }
  PostThreadMessageA(static_cast<DWORD>(EnvironmentNumber("QUORL_SCORES_ANSWER")),
                     e2e::ScoresShowingMessage, static_cast<WPARAM>(result), 0);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  PrepareRuntime();
  ProgramObjects objects;
  CreateProgramWindows();
  ShowTheScores(EnvironmentNumber("QUORL_SCORES_SHOW"));
  // Between showings the window is hidden: its controls still answer the test's
  // queries, and a request shows it again.
  MSG message{};
  while (!Application->Terminated() && GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (message.hwnd == nullptr && message.message == e2e::ScoresShowingMessage) {
      ShowTheScores(message.wParam);
    } else {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
  objects.ApplicationObject().DoneApplication();
  return 0;
}
