#include "analysis/FeedbackLoop.h"

#include <cmath>

#include "analysis/ClosedForm.h"
#include "analysis/StepMeter.h"
#include "sim/DriveModel.h"

namespace drivesim {

namespace {

// The model's coefficients for the inputs without feedback; raises as
// "Process" does.
DriveModel OpenModel(const DriveInputs& inputs) {
  DriveInputs open = inputs;
  open.FeedbackCoef = 0;
  DriveModel model;
  EnterInputs(model, open);
  return model;
}

}  // namespace

FeedbackLoop::FeedbackLoop(const DriveInputs& inputs) {
  const DriveModel model = OpenModel(inputs);
  fGearRatio = model.GearRatio;
  fFrictionTerm = model.GearRatio * model.ViscousFriction;
  fGainProduct = model.AmpGain * model.MotorCoef;
  fDenominator = model.Denominator;
  fFriction = model.ViscousFriction;
  fCoefInput = model.CoefInput;
  fCoefAccel = model.CoefAccel;
  fOpenVelocity = model.CoefVelocity;
  fSetpoint = model.Setpoint;
}

double FeedbackLoop::CoefVelocity(double k) const {
  // (i F + A M k i) / Denominator, multiplied and added in the model's order.
  return (fFrictionTerm + fGainProduct * k * fGearRatio) / fDenominator;
}

LoopTransfer FeedbackLoop::At(double k) const {
  return {fCoefInput, fCoefAccel, fOpenVelocity, k, CoefVelocity(k)};
}

std::optional<double> FeedbackLoop::DcGain(double k) const {
  if (fFriction == 0) return std::nullopt;
  return k * fGainProduct / fFriction;
}

std::optional<double> FeedbackLoop::CriticalFeedback() const {
  if (fCoefInput == 0) return std::nullopt;
  const double sigma = fCoefAccel / 2;
  // sigma^2 - b0 in one rounding.
  return std::fma(sigma, sigma, -fOpenVelocity) / fCoefInput;
}

std::optional<double> FeedbackLoop::BoundaryFeedback() const {
  if (fCoefInput == 0) return std::nullopt;
  return -fOpenVelocity / fCoefInput;
}

SteadyStateFigures ComputeSteadyState(const std::optional<double>& loopGainDc,
                                      const LoopTransfer& loop, double setpoint) {
  SteadyStateFigures f;
  f.LoopGainDc = loopGainDc;
  if (!LoopIsStable(loop.CoefAccel, loop.CoefVelocity)) return f;
  f.ErrorSignalPct = loopGainDc ? 100 / (1 + *loopGainDc) : 0.0;
  f.VelocityReached = LoopFinalValue(loop.CoefInput, loop.CoefVelocity, setpoint);
  if (f.VelocityReached && setpoint != 0)
    f.VelocityErrorPct = 100 * (setpoint - *f.VelocityReached) / setpoint;
  return f;
}

}  // namespace drivesim
