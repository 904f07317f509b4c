#include "analysis/WindowRun.h"

#include <algorithm>
#include <cmath>

#include "sim/DriveModel.h"
#include "sim/TimeHistory.h"

namespace drivesim {

namespace {

// Whether the model runs the loop the run began with: the same
// coefficients, setpoint and step, so the same response.
bool SameLoop(const LiveRun& run, const DriveModel& model, double setpoint) {
  const LoopCoefficients& c = run.Coefficients();
  return c.CoefInput == model.CoefInput && c.CoefAccel == model.CoefAccel &&
         c.CoefVelocity == model.CoefVelocity && run.Inputs().Setpoint == setpoint &&
         run.StepSize() == model.StepSize;
}

}  // namespace

DriveInputs InputsOfModel(const DriveModel& model, int loadTeeth) {
  DriveInputs inputs;
  inputs.AmpGain = model.AmpGain;
  inputs.AmpTimeConst = model.AmpTimeConst;
  inputs.MotorCoef = model.MotorCoef;
  inputs.MotorInertia = model.MotorInertia;
  inputs.LoadInertia = model.LoadInertia;
  inputs.ViscousFriction = model.ViscousFriction;
  inputs.FeedbackCoef = model.FeedbackCoef;
  inputs.LoadTeeth = loadTeeth;
  // The setpoint comes from a spin edit: a whole number.
  inputs.Setpoint = static_cast<int>(std::lround(model.Setpoint));
  return inputs;
}

bool ModelAtRest(const DriveModel& model) {
  return model.State[0] == 0 && model.State[1] == 0 && model.Rate[0] == 0 && model.Rate[1] == 0;
}

// ---------------------------------------------------------------------------
// LiveRun

LiveRun::LiveRun() : fMeter(0, std::nullopt, kModelStepSize) {}

void LiveRun::Begin(const DriveInputs& inputs, const DriveModel& model, std::int64_t firstTick,
                    double startTime) {
  fState = LiveRunState::Measuring;
  fInputs = inputs;
  fCoefficients = {model.CoefInput, model.CoefAccel, model.CoefVelocity};
  fSetpoint = model.Setpoint;
  fStepSize = model.StepSize;
  fStartTime = startTime;
  fFirstTick = firstTick;
  fTickCount = 0;
  fEndTime.reset();
  fFailureMessage.clear();
  fFinalValue = LoopFinalValue(model.CoefInput, model.CoefVelocity, fSetpoint);
  fMeter = StepMeter(fSetpoint, fFinalValue, fStepSize);
  // The sample at t = 0: the drive at rest.
  fMeter.Feed(0);
  fClosedForm = ComputeClosedForm(model.CoefInput, model.CoefAccel, model.CoefVelocity, fSetpoint);
}

RunStatus LiveRun::Status() const {
  RunRecord record;
  record.Coefficients = fCoefficients;
  if (fState == LiveRunState::Diverged) record.End = RunEnd::Failed;
  return ClassifyRun(record, fFinalValue, fMeter.Figures());
}

RunResult LiveRun::Result() const {
  RunResult result;
  RunRecord& record = result.Record;
  record.Inputs = fInputs;
  record.Coefficients = fCoefficients;
  record.StepSize = fStepSize;
  record.TicksRequested = static_cast<int>(fTickCount);
  record.TicksDone = static_cast<int>(fTickCount);
  if (fState == LiveRunState::Diverged) {
    record.End = RunEnd::Failed;
    record.FailedTick = static_cast<int>(fTickCount + 1);
    record.FailureMessage = fFailureMessage;
  }
  result.FinalValue = fFinalValue;
  result.Measured = fMeter.Figures();
  result.ClosedForm = fClosedForm;
  result.Status = Status();
  result.Finished = true;
  return result;
}

// ---------------------------------------------------------------------------
// WindowRun

WindowRun::WindowRun(std::size_t logCapacity) : fLog(logCapacity) {}

void WindowRun::Begin(const DriveInputs& inputs, const DriveModel& model, double startTime) {
  fCurrent.Begin(inputs, model, fTickTotal, startTime);
  ++fRunNumber;
}

void WindowRun::End(LiveRunState state, double time) {
  fCurrent.fState = state;
  fCurrent.fEndTime = time - fCurrent.fStartTime;
}

void WindowRun::Processed(const DriveModel& model, int loadTeeth, double time) {
  const DriveInputs inputs = InputsOfModel(model, loadTeeth);
  if (!fRecording) {
    fRecording = true;
    fLog.Clear();
    fTickTotal = 0;
    fLastTime = time;
    fAtRest = ModelAtRest(model);
    Begin(inputs, model, time);
    return;
  }
  if (SameLoop(fCurrent, model, inputs.Setpoint)) return;
  // Another response from here on: a new run if nothing has moved yet,
  // else the current one ends here (unless it has ended already).
  if (ModelAtRest(model)) {
    Begin(inputs, model, time);
  } else if (fCurrent.fState == LiveRunState::Measuring) {
    End(LiveRunState::InputsChanged, time);
  }
}

void WindowRun::Reset() {
  fRecording = false;
  fLog.Clear();
  fTickTotal = 0;
  fCurrent = LiveRun();
  fAtRest = true;
  ++fRunNumber;
}

void WindowRun::TickDone(const DriveModel& model, const TickSample& tick,
                         const double* stepVelocities) {
  if (!fRecording) return;
  fLog.Append(tick);
  if (fCurrent.fState == LiveRunState::Measuring) {
    // The setpoint spin edit acts while the simulation runs; the tick just
    // done ran with its value.
    DriveInputs inputs = fCurrent.fInputs;
    inputs.Setpoint = static_cast<int>(std::lround(model.Setpoint));
    if (!SameLoop(fCurrent, model, inputs.Setpoint)) {
      if (fAtRest && fCurrent.fCoefficients ==
                         LoopCoefficients{model.CoefInput, model.CoefAccel, model.CoefVelocity}) {
        // A step from rest after all, beginning with this tick.
        fCurrent.Begin(inputs, model, fTickTotal, fLastTime);
        ++fRunNumber;
      } else {
        End(LiveRunState::InputsChanged, fLastTime);
      }
    }
  }
  if (fCurrent.fState == LiveRunState::Measuring) {
    for (int step = 0; step < StepsPerTick; ++step) fCurrent.fMeter.Feed(stepVelocities[step]);
    ++fCurrent.fTickCount;
  }
  ++fTickTotal;
  fLastTime = tick.Time;
  fAtRest = ModelAtRest(model);
}

void WindowRun::TickFailed(const std::string& message) {
  if (!fRecording || fCurrent.fState != LiveRunState::Measuring) return;
  End(LiveRunState::Diverged, fLastTime);
  fCurrent.fFailureMessage = message;
}

std::size_t WindowRun::CurrentEnd() const {
  if (fCurrent.fState == LiveRunState::Waiting) return 0;
  const std::int64_t end = fCurrent.fFirstTick + fCurrent.fTickCount;
  const auto held = static_cast<std::int64_t>(fLog.Size());
  return static_cast<std::size_t>(std::min(end, held));
}

std::vector<double> WindowRun::CurrentCurve() const {
  std::vector<double> curve;
  if (fCurrent.fState == LiveRunState::Waiting) return curve;
  const std::size_t first = static_cast<std::size_t>(fCurrent.fFirstTick);
  const std::size_t end = std::max(first, CurrentEnd());
  curve.reserve(end - first + 1);
  curve.push_back(0);
  for (std::size_t i = first; i < end; ++i) curve.push_back(fLog[i].LoadVelocity);
  return curve;
}

}  // namespace drivesim
