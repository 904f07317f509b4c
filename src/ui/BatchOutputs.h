#pragma once
// The outputs of drivesim-batch, one entry each: the option that names its
// file, its help text and how it is written once the run is over. A new
// output is one more entry in BatchOutputTable(); the command line, the help
// text, the checks and the all-or-nothing writing follow from it.

#include <cstddef>
#include <ostream>
#include <vector>

namespace drivesim {

struct BatchOptions;
struct BatchWindow;

// The run an output is made from: the options and the window as the run
// left it.
struct BatchResult {
  const BatchOptions& Options;
  BatchWindow& Window;
};

struct BatchOutput {
  const char* Name;       // the option, "--csv"
  const char* ValueName;  // "FILE"
  const char* Help;       // lines of the help text, "\n" between them
  // Written once the run is over; null for the per-tick rows, which the run
  // writes as it goes.
  void (*Write)(const BatchResult& result, std::ostream& stream);
  // The file when the option is not given (null: not written then).
  const char* Default = nullptr;
};

const std::vector<BatchOutput>& BatchOutputTable();

// The index of the per-tick rows in the table.
constexpr std::size_t kTickRowsOutput = 0;

}  // namespace drivesim
