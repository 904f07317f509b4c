#pragma once
// drivesim-batch: the simulation without a window. It does what the main
// window does when the setpoint is typed into its spin edit, "Process" is
// pressed and the timer then ticks N times, and writes one CSV row per tick
// and, on request, the points of both oscilloscope series and pictures of
// the oscilloscope, the mechanism and the whole window after the run.

#include <iosfwd>
#include <string>
#include <vector>

namespace drivesim {

// Exit statuses of the batch run.
constexpr int kBatchExitOk = 0;
// A bad option or input (also a zero denominator on "Process", or an output
// file that cannot be written): one line on standard error, no output file
// written or changed, nothing on standard output.
constexpr int kBatchExitBadInput = 2;
// An arithmetic failure during the run: its message on standard error, the
// outputs written as the last good tick left the run (the rows of the ticks
// before the failing one). In a sweep, one or more runs diverged: the sweep
// went on, every output is written and those runs' rows say so.
// Memory that runs out ends the run the same way: one line
// (kOutOfMemoryMessage), no temporary left, no output written.
constexpr int kBatchExitArithmeticFailure = 3;
inline constexpr const char* kOutOfMemoryMessage = "Out of memory";
// An output could not be written once the run was over (a full disk, a FIFO
// whose reader went away): its message on standard error. The outputs
// committed before it stay written, the others are left as they were.
// Standard output that cannot be written (closed when the program
// started) is such a failure too; standard output into a pipe whose reader
// has gone ends the program quietly instead, by SIGPIPE (see
// OutputFiles.h).
constexpr int kBatchExitWriteFailure = 4;
inline constexpr const char* kStandardOutputMessage = "Cannot write to standard output";

// Runs the batch tool with the given arguments (the program name not
// included), writing "-" outputs and the help text to out and its one
// message, if any, to err. When outFd is the descriptor behind out, an
// output naming the file that out is redirected to is refused. When err is
// a terminal, a long sweep shows its progress there. Returns the exit
// status.
int RunBatch(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
             int outFd = -1, bool errIsTerminal = false);

}  // namespace drivesim
