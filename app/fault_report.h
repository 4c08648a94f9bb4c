#pragma once
// Processor and platform faults (a null pointer written, an integer divided by zero...)
// cannot be turned into errors that the message guards catch: the code that faulted
// cannot be resumed or unwound safely. They are shown in the unhandled-error report,
// with the class and message that stand for the fault and the real fault address, and
// the program ends with exit code 1.

// Installs the fault report for the whole process; call it first at start-up.
void InstallFaultReport();
