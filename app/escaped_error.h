#pragma once
// Errors that escape every handler of the program.

// Shows the unhandled-error report for the error being handled; call it inside a
// catch block.
void ReportEscapedError() noexcept;
