#pragma once
// drivesim-batch: the simulation without a window. It does what the main
// window does when the setpoint is typed into its spin edit, "Process" is
// pressed and the timer then ticks N times, and writes one CSV row per tick
// and, on request, the points of both oscilloscope series after the run.

#include <iosfwd>
#include <string>
#include <vector>

namespace drivesim {

// Exit statuses of the batch run.
constexpr int kBatchExitOk = 0;
// A bad option or input (also a zero denominator on "Process", or an output
// file that cannot be written): one line on standard error, no output file
// written or changed.
constexpr int kBatchExitBadInput = 2;
// An arithmetic failure during the run: its message on standard error, the
// rows of the ticks before the failing one kept.
constexpr int kBatchExitArithmeticFailure = 3;

// Runs the batch tool with the given arguments (the program name not
// included), writing "-" outputs and the help text to out and messages to
// err. Returns the exit status.
int RunBatch(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace drivesim
