#pragma once
// The drive's loop around its feedback coefficient k. The amplifier, motor
// and gears form the forward path
//
//   G(s) = CoefInput / (s^2 + CoefAccel s + b0),   b0 = i ViscousFriction / Denominator,
//
// b0 being the part of CoefVelocity that friction gives without feedback.
// The feedback coefficient closes the loop: the open loop is L(s) = k G(s)
// and the closed loop
//
//   T(s) = G / (1 + k G) = CoefInput / (s^2 + CoefAccel s + CoefVelocity),
//
// CoefVelocity = b0 + k CoefInput. Only CoefVelocity depends on k, so a
// change of k moves the poles and leaves CoefInput and CoefAccel alone.

#include <optional>

#include "sim/DriveInputs.h"

namespace drivesim {

// The loop at one feedback coefficient: everything G, L and T need.
struct LoopTransfer {
  double CoefInput = 0;     // numerator of G and T, 1/s^2
  double CoefAccel = 0;     // coefficient of s in both denominators, 1/s
  double OpenVelocity = 0;  // b0, the constant term of G's denominator, 1/s^2
  double Feedback = 0;      // k, V*s/rad
  double CoefVelocity = 0;  // the constant term of T's denominator, b0 + k CoefInput, 1/s^2

  friend bool operator==(const LoopTransfer&, const LoopTransfer&) = default;
};

// The loop of a set of inputs for any k, with CoefVelocity computed in the
// drive model's own order of operations, so that LoopTransfer::CoefVelocity
// is bit for bit the coefficient "Process" computes with that k.
class FeedbackLoop {
 public:
  // Raises what "Process" raises for the inputs (a zero denominator); the
  // inputs' own feedback coefficient plays no part.
  explicit FeedbackLoop(const DriveInputs& inputs);

  // The transfer functions at feedback coefficient k.
  LoopTransfer At(double k) const;
  // CoefVelocity at feedback coefficient k, 1/s^2.
  double CoefVelocity(double k) const;
  // CoefVelocity's growth per unit of k (= CoefInput), 1/s^2 per V*s/rad.
  double CoefInput() const { return fCoefInput; }
  double CoefAccel() const { return fCoefAccel; }
  double OpenVelocity() const { return fOpenVelocity; }
  double Setpoint() const { return fSetpoint; }
  // The loop's DC gain L(0) = k AmpGain MotorCoef / ViscousFriction; absent
  // for a drive without friction, whose L(0) is infinite.
  std::optional<double> DcGain(double k) const;
  // The k at which CoefVelocity = CoefAccel^2 / 4 (critical damping, the
  // poles meet on the real axis); absent when k does not move the poles.
  std::optional<double> CriticalFeedback() const;
  // The k at which CoefVelocity = 0 (a pole at the origin: the stability
  // boundary); absent when k does not move the poles.
  std::optional<double> BoundaryFeedback() const;

 private:
  double fGearRatio;     // i
  double fFrictionTerm;  // i ViscousFriction
  double fGainProduct;   // AmpGain MotorCoef
  double fDenominator;   // the model's common denominator
  double fFriction;      // ViscousFriction
  double fCoefInput;     // 1/s^2
  double fCoefAccel;     // 1/s
  double fOpenVelocity;  // b0, 1/s^2
  double fSetpoint;      // rad/s
};

// The steady state of the closed loop after a step of the setpoint.
struct SteadyStateFigures {
  // L(0), absent without friction (infinite).
  std::optional<double> LoopGainDc;
  // The error left at the comparator, (Setpoint - k w_inf) in percent of the
  // setpoint = 100 / (1 + L(0)): 0 without friction. Stable loops only.
  std::optional<double> ErrorSignalPct;
  // w_inf = CoefInput Setpoint / CoefVelocity, rad/s. Stable loops only.
  std::optional<double> VelocityReached;
  // 100 (Setpoint - w_inf) / Setpoint, percent; stable loops and a
  // setpoint other than 0 only. In this drive it grows with k: the feedback
  // drives the comparator's error down, not the velocity's.
  std::optional<double> VelocityErrorPct;

  friend bool operator==(const SteadyStateFigures&, const SteadyStateFigures&) = default;
};

// The steady-state figures from the loop's DC gain (absent without friction)
// and its transfer functions.
SteadyStateFigures ComputeSteadyState(const std::optional<double>& loopGainDc,
                                      const LoopTransfer& loop, double setpoint);

}  // namespace drivesim
