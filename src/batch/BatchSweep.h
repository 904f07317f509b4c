#pragma once
// The runs drivesim-batch measures: a sweep's runs spread over all cores,
// or the one run from rest whose figures it writes without a sweep; their
// per-tick rows; and the message for the runs of a sweep that diverged.

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "analysis/Sweep.h"
#include "sim/DriveInputs.h"

namespace drivesim {

struct BatchOptions;

// What the named outputs need the runs to keep.
struct BatchRunNeeds {
  bool Samples = false;  // every integration step's load velocity
  bool Ticks = false;    // every tick's row
};
BatchRunNeeds NeedsOf(const BatchOptions& options);

// Runs every input of the sweep (SweepInputs has checked them) from rest
// over all cores, keeping of each run only what the outputs need: its
// figures, and for the overlay its curve at the overlay's resolution. When
// rows is given, every run's per-tick rows are written there in sweep order
// as the runs finish (their header first, each row with its run's number
// first) and not kept, so that the
// memory a sweep needs does not grow with its number of runs. When progress
// is given (a terminal's stream) a sweep that runs longer than a second
// shows its progress there on a line of its own, cleared before this
// returns.
SweepResult RunBatchSweep(const BatchOptions& options, const std::vector<DriveInputs>& inputs,
                          std::ostream* rows, std::ostream* progress);

// The one run from rest of `ticks` ticks with the options' inputs and its
// figures, as a sweep of one run without a swept value.
SweepResult MeasureBatchRun(const BatchOptions& options, int ticks);

// The message for the runs of a sweep that diverged: the first one's
// number, swept value and failure, and how many more there were; none when
// every run went through.
std::optional<std::string> DivergedRunsMessage(const SweepResult& sweep);

}  // namespace drivesim
