#include "analysis/ExplorerState.h"

#include <algorithm>
#include <cmath>

#include "platform/Exceptions.h"
#include "sim/DriveModel.h"
#include "sim/TimeHistory.h"

namespace drivesim {

namespace {

// How long the simulated run lasts, in multiples of the 2 % settling time.
constexpr double kSettlingMultiple = 3;

}  // namespace

int ExplorerRunTicks(const ClosedFormFigures& closedForm) {
  if (!closedForm.Settling2Pct) return kExplorerDefaultTicks;
  const double tickTime = kModelStepSize * StepsPerTick;
  const double ticks = std::ceil(kSettlingMultiple * *closedForm.Settling2Pct / tickTime);
  if (!(ticks < kExplorerMaxTicks)) return kExplorerMaxTicks;
  return std::max(kExplorerMinTicks, static_cast<int>(ticks));
}

ExplorerState::ExplorerState(const DriveInputs& inputs, double rangeFrom, double rangeTo)
    : fInputs(inputs),
      fRangeFrom(std::min(rangeFrom, rangeTo)),
      fRangeTo(std::max(rangeFrom, rangeTo)) {
  RecomputeLoop();
  RecomputeFigures();
}

void ExplorerState::SetInputs(const DriveInputs& inputs) {
  if (inputs == fInputs) return;
  DriveInputs withoutK = inputs, oldWithoutK = fInputs;
  withoutK.FeedbackCoef = oldWithoutK.FeedbackCoef = 0;
  fInputs = inputs;
  if (!(withoutK == oldWithoutK)) RecomputeLoop();
  RecomputeFigures();
  Changed();
}

void ExplorerState::SetFeedback(double k) {
  if (k == fInputs.FeedbackCoef) return;
  fInputs.FeedbackCoef = k;
  RecomputeFigures();
  Changed();
}

void ExplorerState::SetFeedbackRange(double from, double to) {
  if (from > to) std::swap(from, to);
  if (from == fRangeFrom && to == fRangeTo) return;
  fRangeFrom = from;
  fRangeTo = to;
  RecomputeLoop();
  Changed();
}

void ExplorerState::SetTargets(const DesignTargets& targets) {
  if (targets == fTargets) return;
  fTargets = targets;
  if (fLoop) {
    fDesign = FindDesignIntervals(*fLoop, fTargets, fRangeFrom, fRangeTo);
    ++fDesignRevision;
  }
  RecomputeTargetsMet();
  Changed();
}

void ExplorerState::RecomputeLoop() {
  fLoop.reset();
  fLocus = {};
  fDesign = {};
  fProblem.clear();
  try {
    fLoop = std::make_unique<FeedbackLoop>(fInputs);
  } catch (const Exception& e) {
    fProblem = e.Message();
    return;
  }
  fLocus = ComputeRootLocus(*fLoop, fRangeFrom, fRangeTo);
  fDesign = FindDesignIntervals(*fLoop, fTargets, fRangeFrom, fRangeTo);
  ++fDesignRevision;
}

void ExplorerState::RecomputeFigures() {
  ++fFigureRevision;
  fFigures = {};
  if (!fLoop) {
    fFigures.Problem = fProblem;
    return;
  }
  ExplorerFigures& f = fFigures;
  const double k = fInputs.FeedbackCoef;
  f.Valid = true;
  f.Transfer = fLoop->At(k);
  const LoopTransfer& t = f.Transfer;
  f.Poles = ComputePoleFigures(t);
  f.SteadyState = ComputeSteadyState(fLoop->DcGain(k), t, fLoop->Setpoint());
  f.ClosedForm = ComputeClosedForm(t.CoefInput, t.CoefAccel, t.CoefVelocity, fLoop->Setpoint());
  f.Frequency = ComputeFrequencyFigures(t);
  RunOptions options;
  options.KeepTicks = false;
  f.Simulated = RunDrive(fInputs, ExplorerRunTicks(f.ClosedForm), options);
  RecomputeTargetsMet();
}

void ExplorerState::RecomputeTargetsMet() {
  fFigures.TargetsMet = {};
  if (!fLoop) return;
  for (TargetKind kind : kAllTargetKinds) {
    const DesignTarget& target = fTargets[kind];
    if (target.Enabled)
      fFigures.TargetsMet[static_cast<int>(kind)] =
          TargetHolds(kind, target.Limit, TargetFigure(kind, *fLoop, fInputs.FeedbackCoef));
  }
}

void ExplorerState::Changed() {
  if (OnChange) OnChange();
}

}  // namespace drivesim
