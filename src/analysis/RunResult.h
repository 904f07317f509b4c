#pragma once
// One run of the drive with its figures: the record, the loop's final value,
// the figures measured on the run, the loop's closed-form figures and the
// run's status.

#include <optional>
#include <string>

#include "analysis/ClosedForm.h"
#include "analysis/RunRecord.h"
#include "analysis/StepMeter.h"

namespace drivesim {

enum class RunStatus {
  Settled,     // the run ends inside the 2 % band
  NotSettled,  // it does not
  NoResponse,  // the final value is 0
  Unstable,    // CoefAccel <= 0 or CoefVelocity <= 0
  Diverged     // an arithmetic failure ended the run
};

// "settled", "not_settled", "no_response", "unstable", "diverged".
const char* StatusText(RunStatus status);

struct RunResult {
  RunRecord Record;
  // y_inf = CoefInput Setpoint / CoefVelocity, rad/s; absent when
  // CoefVelocity is 0.
  std::optional<double> FinalValue;
  StepFigures Measured;
  ClosedFormFigures ClosedForm;
  RunStatus Status = RunStatus::NotSettled;
  // False for a run that a cancelled sweep never finished.
  bool Finished = false;

  friend bool operator==(const RunResult&, const RunResult&) = default;
};

// The status of a run: diverged before unstable, unstable before no
// response, then whether the measured response has settled.
RunStatus ClassifyRun(const RunRecord& record, const std::optional<double>& finalValue,
                      const StepFigures& measured);

// Runs the drive from rest (RecordRun) while measuring it, and adds the
// closed-form figures and the status. A cancelled run is not Finished.
RunResult RunDrive(const DriveInputs& inputs, int ticks, const RunOptions& options = {});

}  // namespace drivesim
