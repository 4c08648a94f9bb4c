// The best-scores window, which Quorl.exe never shows, as the test program
// tests/scores/scores_program.cpp shows it: one start of the program serves many
// showings, each asked for through scores_protocol.h.
#pragma once

#include <windows.h>

#include <optional>

#include "harness/process.h"
#include "harness/query.h"
#include "scores_protocol.h"

namespace e2e {

class ScoresWindow {
public:
  ScoresWindow();

  // Asks the program for a showing and waits until the window is up, in the foreground,
  // with the focus in it. The program is started for it when it does not run, or when
  // its last showing did not end.
  bool Show(Showing showing);
  // The window's ModalResult at the end of the showing, as the program tells it.
  std::optional<WPARAM> Result();
  // Ends the showing that a case left up: Effacer closes the window however it was
  // shown. One that an error box holds is left to a new start.
  void EndShowing();

  // The window and its controls, found at their designed places.
  HWND Window() const { return program_->Window("Tscore1"); }
  HWND NameBox() const { return ChildAt(Window(), "Edit", {56, 328}); }
  HWND List() const { return ChildAt(Window(), "ListBox", {56, 16}); }
  HWND Fermer() const { return ChildAt(Window(), "Button", {160, 400}); }
  HWND Prompt() const { return ChildAt(Window(), "Edit", {56, 288}); }
  HWND IndexBox() const { return ChildAt(Window(), "Edit", {8, 16}); }
  HWND Effacer() const { return ChildAt(Window(), "Button", {16, 400}); }
  HWND Focus() const { return program_->Focus(); }
  HWND ErrorBox() const { return program_->ErrorBox(); }
  bool ClickNameBox() const { return program_->ClickToFocus(NameBox()); }

  // Setting up what the program never fills: the hidden index box and the list.
  void SetIndex(const char* text);
  void AddLine(const char* line);

private:
  std::optional<ProgramUnderTest> program_;
  bool showing_ = false;
};

}  // namespace e2e
