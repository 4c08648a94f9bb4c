#pragma once
// The start-up steps that the program's entry runs before and at the head of its main
// sequence; a test program that shows the windows differently starts the same way.

// Process start: the floating-point unit, the fault report, the decimal separator and
// the platform's common controls, before any window object exists.
void PrepareRuntime();

// The main sequence up to the event loop: the start hook, then the four windows in
// their fixed order through their global references.
void CreateProgramWindows();
