#include "base/errors.h"

#include <utility>

#include "base/format.h"
#include "base/platform.h"
#include "res/strings.h"

Exception::Exception(std::string message) : message_(std::move(message)) {}

// The silent error has no text of its own.
EAbort::EAbort() : Exception("") {}

EDivByZero::EDivByZero() : EIntError(LoadText(IDS_DIV_BY_ZERO)) {}
ERangeError::ERangeError() : EIntError(LoadText(IDS_RANGE_ERROR)) {}
EIntOverflow::EIntOverflow() : EIntError(LoadText(IDS_INT_OVERFLOW)) {}

EInvalidOp::EInvalidOp() : EMathError(LoadText(IDS_INVALID_OP)) {}
EZeroDivide::EZeroDivide() : EMathError(LoadText(IDS_ZERO_DIVIDE)) {}
EOverflow::EOverflow() : EMathError(LoadText(IDS_OVERFLOW)) {}
EUnderflow::EUnderflow() : EMathError(LoadText(IDS_UNDERFLOW)) {}

EPrivilege::EPrivilege() : EExternal(LoadText(IDS_PRIVILEGE)) {}
EControlC::EControlC() : EExternal(LoadText(IDS_CONTROL_C)) {}
EStackOverflow::EStackOverflow() : EExternal(LoadText(IDS_STACK_OVERFLOW)) {}

EExternalException::EExternalException(std::uint32_t code)
    : EExternal(FormatText(LoadText(IDS_EXTERNAL_EXCEPTION), {code})) {}

EOutOfMemory::EOutOfMemory() : Exception(LoadText(IDS_OUT_OF_MEMORY)) {}

EResNotFound ResourceNotFound(const std::string& name) {
  return EResNotFound(FormatText(LoadText(IDS_RES_NOT_FOUND), {name}));
}
