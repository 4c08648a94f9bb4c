// The program's entry: the runtime is prepared, the screen and application objects
// are made, then the main sequence creates the four windows in their fixed order and
// runs the event loop. An error escaping the main sequence ends the program with the
// unhandled-error report and exit code 1.
#include <windows.h>
#include <commctrl.h>

#include "app/application.h"
#include "app/fault_report.h"
#include "app/screen.h"
#include "app/unhandled_report.h"
#include "forms/message.h"
#include "forms/quorl.h"
#include "forms/rgles.h"
#include "forms/unitscores.h"
#include "game/decimal.h"
#include "game/errors.h"
#include "game/floating.h"

namespace {

void MainSequence() {
  Application->Initialize();
  Application->CreateForm(quorl);
  Application->CreateForm(score1);
  Application->CreateForm(messa);
  Application->CreateForm(regles);
  Application->Run();
}

void ReportEscapedError() {
  InitFloatingPointUnit();
  try {
    throw;
  } catch (const Exception& error) {
    ShowUnhandledReport(error.ClassName(), error.Message(), ReportAddress());
  } catch (const std::exception& error) {
    ShowUnhandledReport("Exception", error.what(), ReportAddress());
  } catch (...) {
    ShowUnhandledReport("Exception", std::string(), ReportAddress());
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  InitFloatingPointUnit();
  InstallFaultReport();
  ReadLocaleFormatSettings();
  InitCommonControls();

  TScreen screen;
  Screen = &screen;
  int exitCode = 0;
  {
    TApplication application;
    Application = &application;
    try {
      MainSequence();
      application.DoneApplication();
    } catch (...) {
      ReportEscapedError();
      if (application.Running()) application.DoneApplication();
      exitCode = 1;
    }
    Application = nullptr;
  }
  Screen = nullptr;
  return exitCode;
}
