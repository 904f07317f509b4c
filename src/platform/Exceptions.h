#pragma once
// The system's exception hierarchy. Every error the program reports is one of
// these, carrying the message the user sees in the error box.

#include <stdexcept>
#include <string>

#include "platform/Translate.h"

namespace drivesim {

class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
  std::string Message() const { return what(); }
};

// A text that cannot be read as a number.
class EConvertError : public Exception {
  using Exception::Exception;
};

// Floating-point traps, raised by the checked arithmetic in Numbers.h before
// a bad result is stored.
class EZeroDivide : public Exception {
 public:
  EZeroDivide() : Exception(TR_NOOP("Errors", "Floating point division by zero")) {}
};
class EInvalidOp : public Exception {
 public:
  EInvalidOp() : Exception(TR_NOOP("Errors", "Invalid floating point operation")) {}
};
class EOverflow : public Exception {
 public:
  EOverflow() : Exception(TR_NOOP("Errors", "Floating point overflow")) {}
};

// An index outside a list: "List index out of bounds (%d)".
class EListError : public Exception {
 public:
  using Exception::Exception;
  static EListError IndexOutOfBounds(int index) {
    return EListError("List index out of bounds (" + std::to_string(index) + ")");
  }
};

// A platform resource could not be had ("Not enough timers available").
class EOutOfResources : public Exception {
  using Exception::Exception;
};

}  // namespace drivesim
