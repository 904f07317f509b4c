// drivesim-batch: the drive simulation without a window, one CSV row per
// timer tick. See RunBatch for what it does; `drivesim-batch --help` lists
// the options.
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "batch/Batch.h"
#include "files/OutputFiles.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  // An interrupted run leaves no temporary file behind.
  drivesim::RemoveTemporariesOnSignals();
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  return drivesim::RunBatch(arguments, std::cout, std::cerr, STDOUT_FILENO,
                            isatty(STDERR_FILENO) == 1);
}
