#pragma once
// The one guard of the program: around the handling of every window message, the
// notices, the idle step and the modal ending. An error that leaves the guarded code
// is given to the error reporter with the sender, and the caller goes on.
#include "controls/events.h"

// Shows the error being handled; the application object is the program's reporter.
class ErrorReporter {
public:
  // Call only inside a catch block. Nothing leaves it.
  virtual void ReportError(TObject& sender) noexcept = 0;

protected:
  ~ErrorReporter() = default;
};

// Runs `action`; false when an error left it (and was reported).
template <class Action>
bool Guarded(ErrorReporter& reporter, TObject& sender, Action&& action) noexcept {
  try {
    action();
    return true;
  } catch (...) {
    reporter.ReportError(sender);
    return false;
  }
}
