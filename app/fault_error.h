#pragma once
// Processor and platform faults as the program's errors: the fault code picks the
// error class and its French message. Portable, so that the table is checked without
// faulting.
#include <cstdint>
#include <memory>
#include <string>

#include "base/errors.h"

// The fault codes that the platform reports and that have an error class of their own.
namespace FaultCode {
inline constexpr std::uint32_t AccessViolation = 0xC0000005u;
inline constexpr std::uint32_t ArrayBoundsExceeded = 0xC000008Cu;
inline constexpr std::uint32_t FloatDenormalOperand = 0xC000008Du;
inline constexpr std::uint32_t FloatDivideByZero = 0xC000008Eu;
inline constexpr std::uint32_t FloatInexactResult = 0xC000008Fu;
inline constexpr std::uint32_t FloatInvalidOperation = 0xC0000090u;
inline constexpr std::uint32_t FloatOverflow = 0xC0000091u;
inline constexpr std::uint32_t FloatStackCheck = 0xC0000092u;
inline constexpr std::uint32_t FloatUnderflow = 0xC0000093u;
inline constexpr std::uint32_t IntegerDivideByZero = 0xC0000094u;
inline constexpr std::uint32_t IntegerOverflow = 0xC0000095u;
inline constexpr std::uint32_t PrivilegedInstruction = 0xC0000096u;
inline constexpr std::uint32_t StackOverflow = 0xC00000FDu;
inline constexpr std::uint32_t ControlCExit = 0xC000013Au;
}  // namespace FaultCode

// What an access violation reports besides its code.
struct AccessFault {
  std::uintptr_t faultAddress = 0;     // the instruction that faulted
  std::string moduleName;              // file name of the module holding it; empty: none
  bool write = false;                  // a write, else a read (or an instruction fetch)
  std::uintptr_t accessedAddress = 0;  // the address that could not be accessed
};

// The error standing for the fault `code`; `access` is read for an access violation only.
std::unique_ptr<Exception> FaultError(std::uint32_t code, const AccessFault& access);

// True for the faults that an instruction of the program itself raises (every code
// above but the console's control-C exit).
bool IsProcessorFault(std::uint32_t code);
