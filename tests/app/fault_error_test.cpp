#include "app/fault_error.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>

namespace {

TEST(FaultError, EachFaultCodeHasItsClassAndMessage) {
  // Code, class, message, and why.
  const std::tuple<std::uint32_t, const char*, const char*, const char*> cases[] = {
      {0xC0000094u, "EDivByZero", "Division par zéro", "integer division by zero"},
      {0xC000008Cu, "ERangeError", "Erreur de vérification d'étendue", "array bounds"},
      {0xC0000095u, "EIntOverflow", "Débordement d'entier", "integer overflow"},
      {0xC0000090u, "EInvalidOp", "Opération en virgule flottante incorrecte",
       "floating-point invalid operation"},
      {0xC000008Fu, "EInvalidOp", "Opération en virgule flottante incorrecte",
       "an inexact result counts as an invalid operation"},
      {0xC0000092u, "EInvalidOp", "Opération en virgule flottante incorrecte",
       "so does a register stack check"},
      {0xC000008Eu, "EZeroDivide", "Division par zéro en virgule flottante",
       "floating-point division by zero"},
      {0xC0000091u, "EOverflow", "Débordement en virgule flottante", "floating-point overflow"},
      {0xC0000093u, "EUnderflow", "Débordement négatif flottant", "floating-point underflow"},
      {0xC000008Du, "EUnderflow", "Débordement négatif flottant",
       "a denormal operand counts as an underflow"},
      {0xC0000096u, "EPrivilege", "Instruction privilégiée", "privileged instruction"},
      {0xC000013Au, "EControlC", "Frappe de Contrôle-C", "console control-C exit"},
      {0xC00000FDu, "EStackOverflow", "Débordement de pile", "stack overflow"},
      {0xC000001Du, "EExternalException", "Exception externe c000001d",
       "an illegal instruction has no class of its own"},
      {0x20474343u, "EExternalException", "Exception externe 20474343",
       "any other code, in hexadecimal"},
      {0xE06D7363u, "EExternalException", "Exception externe e06d7363",
       "lower-case hexadecimal digits"},
      {0x0000000Au, "EExternalException", "Exception externe a", "no leading zeros"},
  };
  const AccessFault access;
  for (const auto& [code, className, message, reason] : cases) {
    SCOPED_TRACE(reason);
    const auto error = FaultError(code, access);
    EXPECT_STREQ(error->ClassName(), className);
    EXPECT_EQ(error->Message(), message);
  }
}

// The addresses as this build prints them: as many digits as a pointer has.
std::string Padded(const std::string& digits) {
  return std::string(2 * sizeof(std::uintptr_t) - digits.size(), '0') + digits;
}

struct AccessCase {
  AccessFault access;
  std::string message;
  const char* reason;
};

TEST(FaultError, AccessViolationNamesBothAddressesTheModuleAndTheAccess) {
  const AccessCase cases[] = {
      {{0x401A2Bu, "Quorl.exe", true, 0},
       "Violation d'accès à l'adresse " + Padded("401A2B") +
           " dans le module 'Quorl.exe'. "
           "Ecriture de l'adresse " +
           Padded("0"),
       "a write through a null pointer in the program"},
      {{0x77001234u, "user32.dll", false, 0x1Cu},
       "Violation d'accès à l'adresse " + Padded("77001234") +
           " dans le module 'user32.dll'. "
           "Lecture de l'adresse " +
           Padded("1C"),
       "a read in a system module, upper-case digits"},
      {{0xABCDEFu, "", false, 0xABCDEFu},
       "Violation d'accès à l'adresse " + Padded("ABCDEF") + ". Lecture de l'adresse " +
           Padded("ABCDEF"),
       "no module holds the fault address (a jump into data)"},
  };
  for (const AccessCase& row : cases) {
    SCOPED_TRACE(row.reason);
    const auto error = FaultError(0xC0000005u, row.access);
    EXPECT_STREQ(error->ClassName(), "EAccessViolation");
    EXPECT_EQ(error->Message(), row.message);
  }
}

TEST(FaultError, OnlyTheTableCodesButControlCAreProcessorFaults) {
  EXPECT_TRUE(IsProcessorFault(0xC0000005u));
  EXPECT_TRUE(IsProcessorFault(0xC0000094u));
  EXPECT_TRUE(IsProcessorFault(0xC00000FDu));
  EXPECT_FALSE(IsProcessorFault(0xC000013Au)) << "raised by the console, not by an instruction";
  EXPECT_FALSE(IsProcessorFault(0x20474343u)) << "a C++ throw is no fault";
  EXPECT_FALSE(IsProcessorFault(0x406D1388u)) << "a debugger notification is no fault";
}

}  // namespace
