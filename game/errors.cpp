#include "game/errors.h"

#include <cstdio>
#include <utility>

Exception::Exception(std::string message) : message_(std::move(message)) {}

// The silent error has no text of its own.
EAbort::EAbort() : Exception("") {}

EDivByZero::EDivByZero() : EIntError("Division par zéro") {}
ERangeError::ERangeError() : EIntError("Erreur de vérification d'étendue") {}
EIntOverflow::EIntOverflow() : EIntError("Débordement d'entier") {}

EInvalidOp::EInvalidOp() : EMathError("Opération en virgule flottante incorrecte") {}
EZeroDivide::EZeroDivide() : EMathError("Division par zéro en virgule flottante") {}
EOverflow::EOverflow() : EMathError("Débordement en virgule flottante") {}
EUnderflow::EUnderflow() : EMathError("Débordement négatif flottant") {}

EPrivilege::EPrivilege() : EExternal("Instruction privilégiée") {}
EControlC::EControlC() : EExternal("Frappe de Contrôle-C") {}
EStackOverflow::EStackOverflow() : EExternal("Débordement de pile") {}

namespace {
std::string ExternalExceptionMessage(std::uint32_t code) {
  char text[40];
  std::snprintf(text, sizeof text, "Exception externe %X", static_cast<unsigned>(code));
  return text;
}
}  // namespace

EExternalException::EExternalException(std::uint32_t code)
    : EExternal(ExternalExceptionMessage(code)) {}
