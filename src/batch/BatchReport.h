#pragma once
// drivesim-batch --report: the lab report of the run, as the window's menu
// writes it for the same session.

#include <ostream>

namespace drivesim {

struct BatchOptions;
struct BatchResult;

// Writes the PDF: the inputs given (or the scenario's), the explorer's
// figures at their k over --explore-range with --targets, the run (or every
// run of the sweep) in the runs' table and the step responses after the
// scenario's kept runs, and with --sweep its figures chart. The student is
// --student or the name the window remembers; the paper follows the locale.
void WriteBatchReport(const BatchResult& result, std::ostream& stream);

// Refuses, before anything runs, a scenario's kept run whose inputs
// "Process" would refuse.
void CheckBatchReport(const BatchOptions& options);

}  // namespace drivesim
