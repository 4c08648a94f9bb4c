// The best-scores window shown, which Quorl.exe never does: the program starts as
// Quorl.exe starts (the same four windows, created in the same order, from the same
// resources), then shows the best-scores window instead of running the main window.
// QUORL_SCORES_SHOW picks the showing: "modal" (the default) or "plain". With
// QUORL_SCORES_HIDE_NAME set, the name box and its prompt are hidden beforehand, so
// that closing the window shows them again. After the showing the program waits for
// the quit message; its exit code is the window's ModalResult.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "controls/edit.h"
#include "entry/startup.h"
#include "forms/unitscores.h"

namespace {

bool EnvironmentSays(const char* name, const char* value) {
  const char* text = std::getenv(name);
  return text != nullptr && std::string(text) == value;
}

int ShowTheScores() {
  if (std::getenv("QUORL_SCORES_HIDE_NAME") != nullptr) {
    score1->Edit1->SetVisible(false);
    score1->edit2->SetVisible(false);
  }
  if (!EnvironmentSays("QUORL_SCORES_SHOW", "plain")) return score1->ShowModal();
  score1->Show();
  while (!Application->Terminated() && score1->Visible()) Application->HandleMessage();
  return score1->ModalResult();
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  PrepareRuntime();
  ProgramObjects objects;
  CreateProgramWindows();
  const int result = ShowTheScores();
  // The program's own loop, until the test posts the quit message.
  while (!Application->Terminated()) Application->HandleMessage();
  objects.application().DoneApplication();
  return result;
}
