#include "app/fault_report.h"

#include <windows.h>

#include <cstdint>

#include "app/fault_error.h"
#include "app/unhandled_report.h"
#include "controls/handles.h"
#include "game/floating.h"

namespace {

// Reports under way. A fault in a window while a report box is up gets its own box on
// top; a fault in the report itself ends the program at once.
LONG volatile reportsUnderWay = 0;
constexpr LONG MostReports = 2;

void ShowFaultReport(const EXCEPTION_RECORD& record) noexcept {
  try {
    InitFloatingPointUnit();
    AccessFault access;
    access.faultAddress = reinterpret_cast<std::uintptr_t>(record.ExceptionAddress);
    if (record.ExceptionCode == EXCEPTION_ACCESS_VIOLATION && record.NumberParameters >= 2) {
      access.moduleName = ModuleFileNameAt(record.ExceptionAddress);
      access.write = record.ExceptionInformation[0] == 1;
      access.accessedAddress = record.ExceptionInformation[1];
    }
    const auto error = FaultError(static_cast<std::uint32_t>(record.ExceptionCode), access);
    ShowUnhandledReport(error->ClassName(), error->Message(), record.ExceptionAddress);
  } catch (...) {
    // The program ends anyway.
  }
}

DWORD WINAPI ReportOnFreshStack(void* record) {
  ShowFaultReport(*static_cast<const EXCEPTION_RECORD*>(record));
  return 0;
}

[[noreturn]] void ReportAndEnd(const EXCEPTION_POINTERS& fault) {
  if (InterlockedIncrement(&reportsUnderWay) <= MostReports) {
    if (fault.ExceptionRecord->ExceptionCode == EXCEPTION_STACK_OVERFLOW) {
      // The faulting stack has no room left for a message box.
      UniqueKernelHandle thread(
          CreateThread(nullptr, 0, ReportOnFreshStack, fault.ExceptionRecord, 0, nullptr));
      if (thread) WaitForSingleObject(thread.get(), INFINITE);
    } else {
      ShowFaultReport(*fault.ExceptionRecord);
    }
  }
  ExitProcess(1);
}

bool InProgramImage(const void* address) {
  MEMORY_BASIC_INFORMATION memory{};
  return VirtualQuery(address, &memory, sizeof memory) != 0 &&
         memory.AllocationBase == GetModuleHandleA(nullptr);
}

// First sight of every exception. A fault raised by an instruction of the program is
// reported here: on 64-bit Windows a fault inside a window procedure that the system
// called back may otherwise be swallowed at the callback's boundary, leaving the
// program running in a broken state. Everything else goes its ordinary way.
LONG WINAPI FaultInProgram(EXCEPTION_POINTERS* fault) {
  if (IsProcessorFault(static_cast<std::uint32_t>(fault->ExceptionRecord->ExceptionCode)) &&
      InProgramImage(fault->ExceptionRecord->ExceptionAddress)) {
    ReportAndEnd(*fault);
  }
  return EXCEPTION_CONTINUE_SEARCH;
}

// Last sight: whatever no handler took, in the program or in a system module.
LONG WINAPI UnhandledFault(EXCEPTION_POINTERS* fault) { ReportAndEnd(*fault); }

}  // namespace

void InstallFaultReport() {
  AddVectoredExceptionHandler(1, FaultInProgram);
  SetUnhandledExceptionFilter(UnhandledFault);
}
