#pragma once
// drivesim-batch --design: the intervals of the feedback coefficient that
// meet the targets, from the loop's closed form.

#include <ostream>
#include <string>

#include "batch/BatchOptions.h"

namespace drivesim {

// "feedback_from,feedback_to" and one row per interval, reals with 17
// significant digits. With no interval, the header alone, and the answer in
// words on err. Raises what "Process" raises for inputs it refuses.
std::string DesignAnswerCsv(const BatchOptions& options, std::ostream& err);

}  // namespace drivesim
