#pragma once
// drivesim-batch's command line: the drive's inputs, the length of the run,
// the outputs and their files.

#include <optional>
#include <string>
#include <vector>

#include "platform/Exceptions.h"
#include "sim/DriveInputs.h"

namespace drivesim {

// A bad option or input: its one-line message ends the run with status 2
// before anything is written.
class EBatchInputError : public Exception {
  using Exception::Exception;
};

struct BatchOptions {
  // The seven reals, the tooth count and the setpoint, starting from the
  // values the window's controls start with.
  DriveInputs Inputs;
  int Ticks = 400;
  std::optional<int> ResetAfter;
  // The PNG pictures' size and density, times the window's: 1 to 4.
  int Scale = 1;
  // The file of each output of BatchOutputTable(), by its index; an output
  // without one is not written.
  std::vector<std::optional<std::string>> OutputPaths;
  bool Help = false;
};

// Reads the arguments (the program name not included). Options that take a
// value accept it as the next argument or joined with "=". Raises
// EBatchInputError (or the conversion's own error) for the first bad one.
BatchOptions ParseOptions(const std::vector<std::string>& arguments);

// The text of --help.
std::string UsageText();

}  // namespace drivesim
