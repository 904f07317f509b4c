// drivesim-batch: the drive simulation without a window, one CSV row per
// timer tick. See RunBatch for what it does; `drivesim-batch --help` lists
// the options.
#include <unistd.h>

#include <iostream>
#include <memory>
#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

#include "batch/Batch.h"
#include "files/OutputFiles.h"

int main(int argc, char** argv) {
  // Before anything is opened: a closed standard descriptor must not be
  // taken by an output file.
  if (!drivesim::OpenClosedStandardDescriptors()) return drivesim::kBatchExitBadInput;
  std::ios::sync_with_stdio(false);
  // An interrupted run leaves no temporary file behind, and a closed pipe
  // is a failed write.
  drivesim::RemoveTemporariesOnSignals();
  // Standard output whose reader has gone ends the program quietly.
  const std::unique_ptr<std::streambuf> buffer = drivesim::StandardOutputBuffer(STDOUT_FILENO);
  std::ostream out(buffer.get());
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  const int status =
      drivesim::RunBatch(arguments, out, std::cerr, STDOUT_FILENO, isatty(STDERR_FILENO) == 1);
  out.flush();
  return status;
}
