#pragma once
// drivesim-batch run in the test's own process, its output and messages
// caught.
#include <sstream>
#include <string>
#include <vector>

#include "batch/Batch.h"

namespace drivesim {

struct ToolRun {
  int Status;
  std::string Out;
  std::string Err;
};

inline ToolRun RunTool(const std::vector<std::string>& arguments) {
  std::ostringstream out, err;
  const int status = RunBatch(arguments, out, err);
  return {status, out.str(), err.str()};
}

}  // namespace drivesim
