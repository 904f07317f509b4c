#pragma once
// The loop's own figures, from the exact solution of its equation
//
//   w'' + CoefAccel w' + CoefVelocity w = CoefInput Setpoint,  w(0) = w'(0) = 0,
//
// rather than from a simulated run. With sigma = CoefAccel / 2 the response,
// divided by its final value, is
//
//   under-damped (sigma^2 < CoefVelocity, wd = sqrt(CoefVelocity - sigma^2)):
//     x(t) = 1 - e^(-sigma t) (cos wd t + sigma sin(wd t) / wd)
//   critically damped (sigma^2 = CoefVelocity):
//     x(t) = 1 - e^(-sigma t) (1 + sigma t)
//   over-damped (mu = sqrt(sigma^2 - CoefVelocity)):
//     x(t) = 1 - e^(-sigma t) (cosh mu t + sigma sinh(mu t) / mu)
//
// Each form is evaluated so that it stays accurate as the damping ratio
// approaches 1 from either side, and for very large and very small ratios.
// Times are found on the curve itself by bisection between points where the
// answer is known to lie, to 1e-9 s (or to the last bit of the time where
// that is coarser). Every search does a bounded amount of work for any
// finite coefficients: brackets grow by doubling a bounded number of times,
// bisections and corrections are capped, and a time that no double can hold
// (or that the capped search does not reach) is left absent.

#include <optional>

namespace drivesim {

// The normalised step response of a stable loop (CoefAccel > 0 and
// CoefVelocity > 0).
class LoopStepResponse {
 public:
  LoopStepResponse(double coefAccel, double coefVelocity);

  // x(t), the response as a fraction of the final value.
  double At(double t) const;

  // Natural frequency sqrt(CoefVelocity), rad/s.
  double NaturalFrequency() const;
  // CoefAccel / (2 sqrt(CoefVelocity)).
  double DampingRatio() const;
  bool UnderDamped() const { return fDiscriminant < 0; }

  // The first time x reaches level (0 < level < 1), s; absent when it lies
  // beyond the largest double.
  std::optional<double> TimeToReach(double level) const;
  // The time of the first maximum, pi / wd; under-damped loops only.
  std::optional<double> PeakTime() const;
  // How far the first maximum lies beyond 1: e^(-sigma pi / wd) for an
  // under-damped loop, 0 otherwise.
  double Overshoot() const;
  // The time after which |x - 1| <= band for ever (0 < band < 1), s; absent
  // when it lies beyond the largest double.
  std::optional<double> SettlingTime(double band) const;

 private:
  // The smallest t in [lo, hi] from which the predicate no longer holds,
  // for a predicate that holds at lo and not at hi and changes once.
  template <typename Predicate>
  static double Boundary(double lo, double hi, Predicate holds);
  // A time by which a monotone (not under-damped) response has reached
  // level; absent when no double is late enough.
  std::optional<double> UpperBoundFor(double level) const;

  double fCoefAccel;
  double fCoefVelocity;
  double fSigma;         // CoefAccel / 2, 1/s
  double fDiscriminant;  // sigma^2 - CoefVelocity
  double fRoot;          // wd (under-damped) or mu (over-damped), rad/s
  double fSlowRate;      // rate of the slowest decay of a monotone response, 1/s
};

struct ClosedFormFigures {
  std::optional<double> NaturalFreq;   // rad/s
  std::optional<double> DampingRatio;  // dimensionless
  std::optional<double> OvershootPct;  // percent of the final value
  std::optional<double> PeakTime;      // s, under-damped loops only
  std::optional<double> RiseTime;      // s, 10 % to 90 % of the final value
  std::optional<double> Settling2Pct;  // s
  std::optional<double> Settling5Pct;  // s

  friend bool operator==(const ClosedFormFigures&, const ClosedFormFigures&) = default;
};

// Whether the loop is stable: CoefAccel > 0 and CoefVelocity > 0.
bool LoopIsStable(double coefAccel, double coefVelocity);

// The closed-form figures of the loop. An unstable loop has none; a final
// value of 0 (setpoint 0, or no gain) leaves only the natural frequency and
// the damping ratio.
ClosedFormFigures ComputeClosedForm(double coefInput, double coefAccel, double coefVelocity,
                                    double setpoint);

}  // namespace drivesim
