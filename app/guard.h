#pragma once
// The guard around the handling of every message, the idle step, the notices and the
// modal ending: an error that leaves the guarded code is given to the error report
// and the caller goes on.
#include "forms/controls/events.h"

// Reports the error being handled; call it only inside a catch block.
void ReportHandlerError(TObject& sender) noexcept;

template <class Action>
void Guarded(TObject& sender, Action&& action) noexcept {
  try {
    action();
  } catch (...) {
    ReportHandlerError(sender);
  }
}
