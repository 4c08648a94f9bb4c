#include "app/unhandled_report.h"

#include <windows.h>

#include <cstdint>

#include "app/report_text.h"

namespace {

struct FaultPlace {
  std::string moduleName;
  unsigned long offset = 0;
};

std::string BaseName(const char* path) {
  std::string name(path);
  const std::size_t slash = name.rfind('\\');
  if (slash != std::string::npos) name.erase(0, slash + 1);
  if (name.size() > 260) name.resize(260);
  return name;
}

// The loaded module holding the address and the offset in it; the program's own file
// and the address less 0x1000 when no module holds it.
FaultPlace FindFaultPlace(const void* address) {
  char path[MAX_PATH] = {};
  MEMORY_BASIC_INFORMATION memory{};
  if (VirtualQuery(address, &memory, sizeof memory) != 0 && memory.State == MEM_COMMIT &&
      GetModuleFileNameA(static_cast<HMODULE>(memory.AllocationBase), path, sizeof path) != 0) {
    return {BaseName(path), static_cast<unsigned long>(static_cast<const char*>(address) -
                                                       static_cast<const char*>(memory.AllocationBase))};
  }
  GetModuleFileNameA(nullptr, path, sizeof path);
  return {BaseName(path), static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(address) - 0x1000u)};
}

}  // namespace

void ShowUnhandledReport(const std::string& className, const std::string& message,
                         const void* address) {
  const FaultPlace place = FindFaultPlace(address);
  const std::string text = UnhandledReportText(className, place.moduleName, place.offset, message);
  MessageBoxA(nullptr, text.c_str(), "Erreur d'application", MB_OK | MB_ICONSTOP | MB_TASKMODAL);
}

const void* ReportAddress() { return __builtin_return_address(0); }
