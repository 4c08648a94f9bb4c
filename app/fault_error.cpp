#include "app/fault_error.h"

#include <algorithm>
#include <iterator>

#include "base/format.h"
#include "base/platform.h"
#include "res/strings.h"

namespace {

std::string AccessViolationMessage(const AccessFault& access) {
  const std::string kind = LoadText(access.write ? IDS_WRITE : IDS_READ);
  if (access.moduleName.empty()) {
    return FormatText(LoadText(IDS_ACCESS_VIOLATION_NO_MODULE),
                      {access.faultAddress, kind, access.accessedAddress});
  }
  return FormatText(LoadText(IDS_ACCESS_VIOLATION),
                    {access.faultAddress, access.moduleName, kind, access.accessedAddress});
}

// The error of each fault code that has a class of its own, and whether an instruction
// of the program raises it (the console's control-C exit does not).
struct FaultEntry {
  std::uint32_t code;
  bool processorFault;
  std::unique_ptr<Exception> (*error)(const AccessFault& access);
};

template <class Error>
std::unique_ptr<Exception> Make(const AccessFault& /*access*/) {
  return std::make_unique<Error>();
}

std::unique_ptr<Exception> MakeAccessViolation(const AccessFault& access) {
  return std::make_unique<EAccessViolation>(AccessViolationMessage(access));
}

const FaultEntry Faults[] = {
    {FaultCode::IntegerDivideByZero, true, Make<EDivByZero>},
    {FaultCode::ArrayBoundsExceeded, true, Make<ERangeError>},
    {FaultCode::IntegerOverflow, true, Make<EIntOverflow>},
    {FaultCode::FloatInvalidOperation, true, Make<EInvalidOp>},
    {FaultCode::FloatInexactResult, true, Make<EInvalidOp>},
    {FaultCode::FloatStackCheck, true, Make<EInvalidOp>},
    {FaultCode::FloatDivideByZero, true, Make<EZeroDivide>},
    {FaultCode::FloatOverflow, true, Make<EOverflow>},
    {FaultCode::FloatUnderflow, true, Make<EUnderflow>},
    {FaultCode::FloatDenormalOperand, true, Make<EUnderflow>},
    {FaultCode::AccessViolation, true, MakeAccessViolation},
    {FaultCode::PrivilegedInstruction, true, Make<EPrivilege>},
    {FaultCode::ControlCExit, false, Make<EControlC>},
    {FaultCode::StackOverflow, true, Make<EStackOverflow>},
};

const FaultEntry* FindFault(std::uint32_t code) {
  const auto entry = std::find_if(std::begin(Faults), std::end(Faults),
                                  [code](const FaultEntry& row) { return row.code == code; });
  return entry != std::end(Faults) ? entry : nullptr;
}

}  // namespace

std::unique_ptr<Exception> FaultError(std::uint32_t code, const AccessFault& access) {
  if (const FaultEntry* entry = FindFault(code)) return entry->error(access);
  return std::make_unique<EExternalException>(code);
}

bool IsProcessorFault(std::uint32_t code) {
  const FaultEntry* entry = FindFault(code);
  return entry != nullptr && entry->processorFault;
}
