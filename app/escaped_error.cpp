#include "app/escaped_error.h"

#include <exception>
#include <string>

#include "app/unhandled_report.h"
#include "game/errors.h"
#include "game/floating.h"

void ReportEscapedError() noexcept {
  try {
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
  } catch (...) {
    // The report itself failed: nothing more can be shown.
  }
}
