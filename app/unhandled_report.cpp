#include "app/unhandled_report.h"

#include <windows.h>

#include <cstdint>

#include "app/report_text.h"
#include "base/platform.h"
#include "res/strings.h"

namespace {

struct FaultPlace {
  std::string moduleName;
  unsigned long offset = 0;
};

std::string BaseName(std::string name) {
  const std::size_t slash = name.rfind('\\');
  if (slash != std::string::npos) name.erase(0, slash + 1);
  if (name.size() > MAX_PATH) name.resize(MAX_PATH);
  return name;
}

// The loaded module that holds the address: its base, nothing when none does.
HMODULE ModuleHolding(const void* address) {
  MEMORY_BASIC_INFORMATION memory{};
  if (VirtualQuery(address, &memory, sizeof memory) == 0 || memory.State != MEM_COMMIT)
    return nullptr;
  char path[MAX_PATH] = {};
  const auto module = static_cast<HMODULE>(memory.AllocationBase);
  return GetModuleFileNameA(module, path, sizeof path) != 0 ? module : nullptr;
}

std::string ModulePath(HMODULE module) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(module, path, sizeof path);
  return path;
}

// The loaded module holding the address and the offset in it; the program's own file
// and the address less 0x1000 when no module holds it.
FaultPlace FindFaultPlace(const void* address) {
  if (HMODULE module = ModuleHolding(address)) {
    return {BaseName(ModulePath(module)),
            static_cast<unsigned long>(static_cast<const char*>(address) -
                                       reinterpret_cast<const char*>(module))};
  }
  return {BaseName(ModulePath(nullptr)),
          static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(address) - 0x1000u)};
}

}  // namespace

void ShowUnhandledReport(const std::string& className, const std::string& message,
                         const void* address) {
  const FaultPlace place = FindFaultPlace(address);
  const std::string text = UnhandledReportText(className, place.moduleName, place.offset, message);
  const std::string caption = LoadText(IDS_APPLICATION_ERROR);
  MessageBoxA(nullptr, text.c_str(), caption.c_str(), MB_OK | MB_ICONSTOP | MB_TASKMODAL);
}

std::string ModuleFileNameAt(const void* address) {
  HMODULE module = ModuleHolding(address);
  return module != nullptr ? BaseName(ModulePath(module)) : std::string();
}

const void* ReportAddress() { return __builtin_return_address(0); }
