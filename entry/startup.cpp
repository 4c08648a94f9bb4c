#include "entry/startup.h"

#include <windows.h>
#include <commctrl.h>

#include "app/application.h"
#include "app/fault_report.h"
#include "base/phase_stamps.h"
#include "forms/message.h"
#include "forms/quorl.h"
#include "forms/rgles.h"
#include "forms/unitscores.h"
#include "game/decimal.h"
#include "game/floating.h"

void PrepareRuntime() {
  StampPhase("loaded");
  InitFloatingPointUnit();
  InstallFaultReport();
  ReadLocaleFormatSettings();
  InitCommonControls();
  StampPhase("runtime");
}

void CreateProgramWindows() {
  Application->Initialize();
  Application->CreateForm(quorl);
  StampPhase("main window");
  Application->CreateForm(score1);
  Application->CreateForm(messa);
  Application->CreateForm(regles);
  StampPhase("other windows");
}

ProgramObjects::ProgramObjects() {
  Screen = &screen_;
  application_ = std::make_unique<TApplication>();
  Application = application_.get();
  StampPhase("application window");
}

ProgramObjects::~ProgramObjects() {
  application_.reset();
  Application = nullptr;
  Screen = nullptr;
}
