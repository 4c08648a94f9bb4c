#pragma once
// The program's errors: `Exception` carries a French message and its class name, which
// the unhandled-error report prints. Faults of the processor and of the platform become
// the fixed classes below, each with its fixed message.
#include <cstdint>
#include <exception>
#include <string>

class Exception : public std::exception {
public:
  explicit Exception(std::string message);
  const std::string& Message() const noexcept { return message_; }
  const char* what() const noexcept override { return message_.c_str(); }
  virtual const char* ClassName() const noexcept { return "Exception"; }

private:
  std::string message_;
};

// The silent error: no report shows it.
class EAbort : public Exception {
public:
  EAbort();
  const char* ClassName() const noexcept override { return "EAbort"; }
};

// A text that is not a number.
class EConvertError : public Exception {
public:
  using Exception::Exception;
  const char* ClassName() const noexcept override { return "EConvertError"; }
};

// Faults reported by the processor or the platform.
class EExternal : public Exception {
public:
  using Exception::Exception;
  const char* ClassName() const noexcept override { return "EExternal"; }
};

class EIntError : public EExternal {
public:
  using EExternal::EExternal;
  const char* ClassName() const noexcept override { return "EIntError"; }
};

class EDivByZero : public EIntError {
public:
  EDivByZero();
  const char* ClassName() const noexcept override { return "EDivByZero"; }
};

class ERangeError : public EIntError {
public:
  ERangeError();
  const char* ClassName() const noexcept override { return "ERangeError"; }
};

class EIntOverflow : public EIntError {
public:
  EIntOverflow();
  const char* ClassName() const noexcept override { return "EIntOverflow"; }
};

class EMathError : public EExternal {
public:
  using EExternal::EExternal;
  const char* ClassName() const noexcept override { return "EMathError"; }
};

class EInvalidOp : public EMathError {
public:
  EInvalidOp();
  const char* ClassName() const noexcept override { return "EInvalidOp"; }
};

class EZeroDivide : public EMathError {
public:
  EZeroDivide();
  const char* ClassName() const noexcept override { return "EZeroDivide"; }
};

class EOverflow : public EMathError {
public:
  EOverflow();
  const char* ClassName() const noexcept override { return "EOverflow"; }
};

class EUnderflow : public EMathError {
public:
  EUnderflow();
  const char* ClassName() const noexcept override { return "EUnderflow"; }
};

// The message names the fault address, the module and the address accessed; the
// platform layer that catches the fault builds it.
class EAccessViolation : public EExternal {
public:
  using EExternal::EExternal;
  const char* ClassName() const noexcept override { return "EAccessViolation"; }
};

class EPrivilege : public EExternal {
public:
  EPrivilege();
  const char* ClassName() const noexcept override { return "EPrivilege"; }
};

class EControlC : public EExternal {
public:
  EControlC();
  const char* ClassName() const noexcept override { return "EControlC"; }
};

class EStackOverflow : public EExternal {
public:
  EStackOverflow();
  const char* ClassName() const noexcept override { return "EStackOverflow"; }
};

// Any other fault code, shown in hexadecimal.
class EExternalException : public EExternal {
public:
  explicit EExternalException(std::uint32_t code);
  const char* ClassName() const noexcept override { return "EExternalException"; }
};

// An allocation failed: the C++ library raises std::bad_alloc, which the reports
// describe as this class (app/error_description.cpp).
class EOutOfMemory : public Exception {
public:
  EOutOfMemory();
  const char* ClassName() const noexcept override { return "EOutOfMemory"; }
};

// Errors raised by the window code.
class EResNotFound : public Exception {
public:
  using Exception::Exception;
  const char* ClassName() const noexcept override { return "EResNotFound"; }
};

// The error for a resource that the program does not hold: "Ressource <name> non
// trouvée".
EResNotFound ResourceNotFound(const std::string& name);

class EReadError : public Exception {
public:
  using Exception::Exception;
  const char* ClassName() const noexcept override { return "EReadError"; }
};

class EInvalidOperation : public Exception {
public:
  using Exception::Exception;
  const char* ClassName() const noexcept override { return "EInvalidOperation"; }
};

class EStringListError : public Exception {
public:
  using Exception::Exception;
  const char* ClassName() const noexcept override { return "EStringListError"; }
};
