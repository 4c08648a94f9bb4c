// The program's entry: the runtime is prepared, the screen and application objects
// are made, then the main sequence creates the four windows in their fixed order and
// runs the event loop. An error escaping the main sequence ends the program with the
// unhandled-error report and exit code 1.
#include <windows.h>

#include "app/escaped_error.h"
#include "entry/startup.h"

namespace {

void MainSequence() {
  CreateProgramWindows();
  Application->Run();
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  PrepareRuntime();
  ProgramObjects objects;
  TApplication& application = objects.ApplicationObject();
  try {
    MainSequence();
    application.DoneApplication();
  } catch (...) {
    ReportEscapedError();
    if (application.Running()) application.DoneApplication();
    return 1;
  }
  return 0;
}
