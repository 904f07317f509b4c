#include "analysis/RunResult.h"

#include "sim/DriveModel.h"

namespace drivesim {

const char* StatusText(RunStatus status) {
  switch (status) {
    case RunStatus::Settled: return "settled";
    case RunStatus::NotSettled: return "not_settled";
    case RunStatus::NoResponse: return "no_response";
    case RunStatus::Unstable: return "unstable";
    case RunStatus::Diverged: return "diverged";
  }
  return "";
}

RunStatus ClassifyRun(const RunRecord& record, const std::optional<double>& finalValue,
                      const StepFigures& measured) {
  if (record.End == RunEnd::Failed) return RunStatus::Diverged;
  const LoopCoefficients& c = record.Coefficients;
  if (!LoopIsStable(c.CoefAccel, c.CoefVelocity)) return RunStatus::Unstable;
  if (!finalValue || *finalValue == 0) return RunStatus::NoResponse;
  return measured.Settling2Pct ? RunStatus::Settled : RunStatus::NotSettled;
}

RunResult RunDrive(const DriveInputs& inputs, int ticks, const RunOptions& options) {
  // The coefficients are needed before the first sample; entering the
  // inputs into a scratch model gives exactly those RecordRun computes.
  DriveModel scratch;
  scratch.StepSize = kModelStepSize;
  EnterInputs(scratch, inputs);
  const double setpoint = scratch.Setpoint;

  RunResult result;
  result.FinalValue = LoopFinalValue(scratch.CoefInput, scratch.CoefVelocity, setpoint);
  StepMeter meter(setpoint, result.FinalValue, scratch.StepSize);
  result.Record = RecordRun(inputs, ticks, options, &meter);
  result.Measured = meter.Figures();
  result.ClosedForm =
      ComputeClosedForm(scratch.CoefInput, scratch.CoefAccel, scratch.CoefVelocity, setpoint);
  result.Status = ClassifyRun(result.Record, result.FinalValue, result.Measured);
  result.Finished = result.Record.End != RunEnd::Cancelled;
  return result;
}

}  // namespace drivesim
