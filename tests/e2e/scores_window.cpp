#include "scores_window.h"

#include <string>

#include "harness/input.h"
#include "harness/wait.h"

namespace e2e {

ScoresWindow::ScoresWindow() {
  // This thread's message queue, where the program posts the result of each showing.
  MSG message{};
  PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
  SetEnvironmentVariableA("QUORL_SCORES_ANSWER", std::to_string(GetCurrentThreadId()).c_str());
}

bool ScoresWindow::Show(Showing showing) {
  // Also for a start made again (ProgramUnderTest::WaitForWindow).
  SetEnvironmentVariableA("QUORL_SCORES_SHOW", std::to_string(showing).c_str());
  if (program_ && !showing_ && program_->Program().Running()) {
    PostThreadMessageA(program_->Program().MainThreadId(), ScoresShowingMessage, showing, 0);
  } else {
    MSG stale{};
    while (PeekMessageA(&stale, nullptr, ScoresShowingMessage, ScoresShowingMessage, PM_REMOVE)) {
    }
    program_.emplace(WindowsPath(Environment("QUORL_SCORES_PROGRAM", "scores_program.exe")),
                     SW_SHOWNORMAL);
  }
  showing_ = true;
  return program_->WaitForWindow("Tscore1", [&](HWND) {
    return NameBox() && List() && Fermer() && Prompt() && IndexBox() && Effacer();
  });
}

std::optional<WPARAM> ScoresWindow::Result() {
  MSG answer{};
  if (!WaitUntil([&] {
        return PeekMessageA(&answer, nullptr, ScoresShowingMessage, ScoresShowingMessage,
                            PM_REMOVE);
      })) {
    return std::nullopt;
  }
  showing_ = false;
  return answer.wParam;
}

void ScoresWindow::EndShowing() {
  if (!showing_ || !program_->Program().Running() || program_->ErrorBox()) return;
  if (Shown(Window())) ClickAt(CenterOf(Effacer()));
  Result();
}

void ScoresWindow::SetIndex(const char* text) {
  SendMessageA(IndexBox(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

void ScoresWindow::AddLine(const char* line) {
  SendMessageA(List(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line));
}

}  // namespace e2e
