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

}  // namespace

std::unique_ptr<Exception> FaultError(std::uint32_t code, const AccessFault& access) {
  switch (code) {
    case FaultCode::IntegerDivideByZero:
      return std::make_unique<EDivByZero>();
    case FaultCode::ArrayBoundsExceeded:
      return std::make_unique<ERangeError>();
    case FaultCode::IntegerOverflow:
      return std::make_unique<EIntOverflow>();
    case FaultCode::FloatInvalidOperation:
    case FaultCode::FloatInexactResult:
    case FaultCode::FloatStackCheck:
      return std::make_unique<EInvalidOp>();
    case FaultCode::FloatDivideByZero:
      return std::make_unique<EZeroDivide>();
    case FaultCode::FloatOverflow:
      return std::make_unique<EOverflow>();
    case FaultCode::FloatUnderflow:
    case FaultCode::FloatDenormalOperand:
      return std::make_unique<EUnderflow>();
    case FaultCode::AccessViolation:
      return std::make_unique<EAccessViolation>(AccessViolationMessage(access));
    case FaultCode::PrivilegedInstruction:
      return std::make_unique<EPrivilege>();
    case FaultCode::ControlCExit:
      return std::make_unique<EControlC>();
    case FaultCode::StackOverflow:
      return std::make_unique<EStackOverflow>();
    default:
      return std::make_unique<EExternalException>(code);
  }
}

bool IsProcessorFault(std::uint32_t code) {
  constexpr std::uint32_t Codes[] = {
      FaultCode::AccessViolation,      FaultCode::ArrayBoundsExceeded,
      FaultCode::FloatDenormalOperand, FaultCode::FloatDivideByZero,
      FaultCode::FloatInexactResult,   FaultCode::FloatInvalidOperation,
      FaultCode::FloatOverflow,        FaultCode::FloatStackCheck,
      FaultCode::FloatUnderflow,       FaultCode::IntegerDivideByZero,
      FaultCode::IntegerOverflow,      FaultCode::PrivilegedInstruction,
      FaultCode::StackOverflow};
  return std::find(std::begin(Codes), std::end(Codes), code) != std::end(Codes);
}
