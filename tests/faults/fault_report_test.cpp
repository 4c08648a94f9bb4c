// The fault report as the player meets it: a program with the report installed faults,
// the "Erreur d'application" box names the fault's class, message, module and address,
// OK pressed with the keyboard ends the program with exit code 1.
#include <gtest/gtest.h>
#include <windows.h>

#include <regex>
#include <string>
#include <vector>

#include "harness/input.h"
#include "harness/process.h"
#include "harness/query.h"
#include "harness/screenshot.h"
#include "harness/wait.h"

namespace {

using namespace e2e;

std::string ProgramPath() {
  return WindowsPath(Environment("QUORL_FAULT_PROGRAM", "fault_program.exe"));
}

struct FaultCase {
  const char* kind;
  // The whole text: first line, line feed, message. %P stands for a pointer and %0 for
  // a null pointer, printed with as many hex digits as this build's pointers have.
  const char* pattern;
  const char* reason;
  // The event loop's error report: its box captioned with the application's title,
  // and the program goes on to its normal end.
  const char* caption = "Erreur d'application";
  unsigned exitCode = 1;
};

std::string Expand(const char* pattern) {
  const std::string digits = "{" + std::to_string(2 * sizeof(void*)) + "}";
  const std::string pointers = std::regex_replace(pattern, std::regex("%P"), "[0-9A-F]" + digits);
  return std::regex_replace(pointers, std::regex("%0"), "0" + digits);
}

// Starts the program with the fault of `row`, reads its box, presses OK and waits for
// the end.
void ExpectReport(const FaultCase& row) {
  SCOPED_TRACE(row.reason);
  SetEnvironmentVariableA("QUORL_FAULT", row.kind);
  ProgramUnderTest program(ProgramPath(), SW_SHOWNORMAL);
  HWND box = nullptr;
  ASSERT_TRUE(program.WaitUntilUp([&] { return (box = program.ErrorBox()) != nullptr; }))
      << "no report box";
  EXPECT_EQ(TextOf(box), row.caption);
  const std::string text = MessageBoxText(box);
  EXPECT_TRUE(std::regex_match(text, std::regex(Expand(row.pattern)))) << text;
  EXPECT_EQ(MessageBoxContents(box).buttons, std::vector<std::string>{"OK"});
  SaveScreenshot(std::string("fault-") + row.kind);

  ASSERT_TRUE(WaitUntil([&] {
    SetForegroundWindow(box);
    return GetForegroundWindow() == box;
  }));
  PressKey(VK_RETURN);
  ASSERT_TRUE(program.Program().WaitForExit()) << "still running after OK";
  EXPECT_EQ(program.Program().ExitCode(), row.exitCode);
}

TEST(FaultReportTest, FaultIsReportedThenTheProgramEndsWithExitCodeOne) {
  const FaultCase cases[] = {
      {"null-write",
       "Exception EAccessViolation dans le module fault_program\\.exe à [0-9A-F]{8}\\.\n"
       "Violation d'accès à l'adresse %P dans le module 'fault_program\\.exe'\\. "
       "Ecriture de l'adresse %0\\.",
       "a write through a null pointer in the program's own code"},
      {"divide",
       "Exception EDivByZero dans le module fault_program\\.exe à [0-9A-F]{8}\\.\n"
       "Division par zéro\\.",
       "an integer divided by zero"},
      {"window-procedure",
       "Exception EAccessViolation dans le module fault_program\\.exe à [0-9A-F]{8}\\.\n"
       "Violation d'accès à l'adresse %P dans le module 'fault_program\\.exe'\\. "
       "Ecriture de l'adresse %0\\.",
       "a fault inside a window procedure is not swallowed by the message dispatch"},
      {"system-module",
       "Exception EAccessViolation dans le module msvcrt\\.dll à [0-9A-F]{8}\\.\n"
       "Violation d'accès à l'adresse %P dans le module 'msvcrt\\.dll'\\. "
       "Lecture de l'adresse %0\\.",
       "a read in the system's C library, given a null pointer by the program"},
      {"stack-overflow",
       "Exception EStackOverflow dans le module fault_program\\.exe à [0-9A-F]{8}\\.\n"
       "Débordement de pile\\.",
       "endless recursion: the report comes up although the stack is full"},
      {"terminate",
       "Exception Exception dans le module fault_program\\.exe à [0-9A-F]{8}\\.\n"
       "Erreur perdue\\.",
       "an error thrown through a function that must not throw: the program's terminate "
       "handler reports it"},
      {"terminate-out-of-memory",
       "Exception EOutOfMemory dans le module fault_program\\.exe à [0-9A-F]{8}\\.\n"
       "Mémoire insuffisante\\.",
       "out of memory escaping: a class and a French message, no compiler-made name"},
  };
  for (const FaultCase& row : cases) ExpectReport(row);
}

TEST(FaultReportTest, LibraryErrorInTheEventLoopIsShownInTheErrorBox) {
  const FaultCase cases[] = {
      {"loop-out-of-memory", "Mémoire insuffisante\\.",
       "out of memory in the event loop: the error box, as for the program's own errors",
       "fault_program", 0},
      {"loop-library-error", "std::bad_cast\\.",
       "a standard error in the event loop: its text in the error box", "fault_program", 0},
  };
  for (const FaultCase& row : cases) ExpectReport(row);
}

}  // namespace
