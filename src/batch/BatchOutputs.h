#pragma once
// The outputs of drivesim-batch, one entry each: the option that names its
// file, its help text, whether it goes with a sweep and how it is written
// once the run is over. A new output is one more entry in
// BatchOutputTable(); the command line, the help text, the checks and the
// all-or-nothing writing follow from it.

#include <cstddef>
#include <ostream>
#include <vector>

namespace drivesim {

struct BatchOptions;
struct BatchWindow;
struct SweepResult;

// The run an output is made from: the options, the window as the run left
// it (without a sweep) and the runs measured with their figures. Without a
// sweep, Runs holds the one run from rest that the figures describe (the one
// that starts at the reset with --reset-after), and only when an output
// made from it was asked for; with a sweep, every run in sweep order.
struct BatchResult {
  const BatchOptions& Options;
  BatchWindow& Window;
  const SweepResult& Runs;
};

// What an output describes, and so whether it goes with --sweep.
enum class BatchOutputUse {
  OneRun,    // the window after its run: refused with --sweep
  AnyRun,    // the one run or every run of a sweep, from BatchResult::Runs
  SweepOnly  // the runs of a sweep against the swept value: needs --sweep
};

struct BatchOutput {
  const char* Name;       // the option, "--csv"
  const char* ValueName;  // "FILE"
  const char* Help;       // lines of the help text, "\n" between them
  // Written once the run is over; null for the per-tick rows, which the run
  // writes as it goes (a sweep once its runs are over).
  void (*Write)(const BatchResult& result, std::ostream& stream);
  // The file when the option is not given (null: not written then). A sweep
  // has no defaults of its own: see ParseOptions.
  const char* Default = nullptr;
  BatchOutputUse Use = BatchOutputUse::OneRun;
  // Whether it needs the load velocity after every integration step of the
  // runs it is made from (the records keep them only then).
  bool NeedsSamples = false;
  // What the output refuses beyond the table's rules, checked with the
  // options before anything runs (null: nothing more); throws Exception.
  void (*Check)(const BatchOptions& options) = nullptr;
};

const std::vector<BatchOutput>& BatchOutputTable();

// The overlay and the figures chart: the size of a printed half page, times
// the scale. A run kept for the overlay keeps its curve at this width.
constexpr int kAnalysisChartWidth = 800;
constexpr int kAnalysisChartHeight = 500;

// The indices of the per-tick rows and of the figures in the table.
constexpr std::size_t kTickRowsOutput = 0;
constexpr std::size_t kFiguresOutput = 5;

}  // namespace drivesim
