#pragma once
// The start-up steps that the program's entry runs before and at the head of its main
// sequence; a test program that shows the windows differently starts the same way.
#include <memory>

#include "app/application.h"
#include "app/screen.h"

// Process start: the floating-point unit, the fault report, the decimal separator and
// the platform's common controls, before any window object exists.
void PrepareRuntime();

// The main sequence up to the event loop: the start hook, then the four windows in
// their fixed order through their global references.
void CreateProgramWindows();

// The screen object and the application object, made in this order after
// PrepareRuntime and reachable through Screen and Application for as long as this
// object lives (the windows that the application object destroys at the end still
// find them).
class ProgramObjects {
public:
  ProgramObjects();
  ~ProgramObjects();
  ProgramObjects(const ProgramObjects&) = delete;
  ProgramObjects& operator=(const ProgramObjects&) = delete;

  TApplication& ApplicationObject() { return *application_; }

private:
  TScreen screen_;
  std::unique_ptr<TApplication> application_;
};
