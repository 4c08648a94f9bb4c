#include "base/errors.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <tuple>

namespace {

// The reports print the class name and the message exactly as the player sees them.
TEST(Errors, FaultClassesCarryTheirNameAndFixedMessage) {
  // How the error is made, its class and its message.
  using Make = std::function<std::unique_ptr<Exception>()>;
  const std::tuple<Make, const char*, const char*> cases[] = {
      {[] { return std::make_unique<EDivByZero>(); }, "EDivByZero", "Division par zéro"},
      {[] { return std::make_unique<ERangeError>(); }, "ERangeError",
       "Erreur de vérification d'étendue"},
      {[] { return std::make_unique<EIntOverflow>(); }, "EIntOverflow", "Débordement d'entier"},
      {[] { return std::make_unique<EInvalidOp>(); }, "EInvalidOp",
       "Opération en virgule flottante incorrecte"},
      {[] { return std::make_unique<EZeroDivide>(); }, "EZeroDivide",
       "Division par zéro en virgule flottante"},
      {[] { return std::make_unique<EOverflow>(); }, "EOverflow",
       "Débordement en virgule flottante"},
      {[] { return std::make_unique<EUnderflow>(); }, "EUnderflow", "Débordement négatif flottant"},
      {[] { return std::make_unique<EPrivilege>(); }, "EPrivilege", "Instruction privilégiée"},
      {[] { return std::make_unique<EControlC>(); }, "EControlC", "Frappe de Contrôle-C"},
      {[] { return std::make_unique<EStackOverflow>(); }, "EStackOverflow", "Débordement de pile"},
      {[] { return std::make_unique<EExternalException>(0xC0000096u); }, "EExternalException",
       "Exception externe c0000096"},
      {[] { return std::make_unique<EAbort>(); }, "EAbort", ""},
      {[] { return std::make_unique<EConvertError>("x"); }, "EConvertError", "x"},
      {[] { return std::make_unique<EResNotFound>("r"); }, "EResNotFound", "r"},
  };
  for (const auto& [make, className, message] : cases) {
    SCOPED_TRACE(className);
    const std::unique_ptr<Exception> error = make();
    EXPECT_STREQ(error->ClassName(), className);
    EXPECT_EQ(error->Message(), message);
  }
}

// Handlers catch floating-point faults as a family, and the report tells them apart
// from errors that the program raises itself.
TEST(Errors, FloatingPointFaultsAreMathErrorsAndExternal) {
  EOverflow overflow;
  EXPECT_NE(dynamic_cast<EMathError*>(&overflow), nullptr);
  EXPECT_NE(dynamic_cast<EExternal*>(&overflow), nullptr);
  const std::unique_ptr<Exception> convert = std::make_unique<EConvertError>("x");
  EXPECT_EQ(dynamic_cast<EExternal*>(convert.get()), nullptr);
}

}  // namespace
