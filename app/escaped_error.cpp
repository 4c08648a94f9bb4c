#include "app/escaped_error.h"

#include "app/error_description.h"
#include "app/unhandled_report.h"
#include "game/floating.h"

void ReportEscapedError() noexcept {
  try {
    InitFloatingPointUnit();
    const ErrorDescription error = DescribeCurrentError();
    ShowUnhandledReport(error.className, error.message, ReportAddress());
  } catch (...) {
    // The report itself failed: nothing more can be shown.
  }
}
