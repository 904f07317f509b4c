#include "analysis/ClosedForm.h"

#include <cmath>
#include <numbers>

#include "analysis/StepMeter.h"

namespace drivesim {

namespace {

// Doublings allowed while looking for a time by which a monotone response
// has reached its level: enough to go from the smallest to the largest
// double.
constexpr int kMaxDoublings = 2200;

}  // namespace

LoopStepResponse::LoopStepResponse(double coefAccel, double coefVelocity)
    : fCoefAccel(coefAccel),
      fCoefVelocity(coefVelocity),
      fSigma(coefAccel / 2),
      // sigma^2 - CoefVelocity in one rounding, so that its sign, which
      // decides the form of the response, is that of the exact difference
      // even where sigma^2 and CoefVelocity agree to their last bits.
      fDiscriminant(std::fma(fSigma, fSigma, -coefVelocity)),
      fRoot(std::sqrt(std::abs(fDiscriminant))) {}

double LoopStepResponse::NaturalFrequency() const { return std::sqrt(fCoefVelocity); }

double LoopStepResponse::DampingRatio() const {
  return fCoefAccel / (2 * std::sqrt(fCoefVelocity));
}

double LoopStepResponse::At(double t) const {
  if (t <= 0) return 0;
  if (fDiscriminant < 0) {
    // sin(wd t) / wd stays accurate however small wd is.
    const double w = fRoot;
    return 1 - std::exp(-fSigma * t) * (std::cos(w * t) + fSigma * std::sin(w * t) / w);
  }
  if (fDiscriminant == 0) return 1 - std::exp(-fSigma * t) * (1 + fSigma * t);
  // Over-damped: e^(-sigma t) cosh(mu t) and e^(-sigma t) sinh(mu t) / mu are
  // written around the slow root -CoefVelocity / (sigma + mu) = mu - sigma,
  // so that neither overflows for a large damping ratio, and with
  // expm1(-2 mu t) = e^(-2 mu t) - 1, so that sinh(mu t) / mu keeps its
  // digits as mu goes to 0 near critical damping.
  const double mu = fRoot;
  const double slow = -fCoefVelocity / (fSigma + mu);
  const double fast = std::expm1(-2 * mu * t);
  return 1 - std::exp(slow * t) * ((2 + fast) / 2 + fSigma * -fast / (2 * mu));
}

template <typename Predicate>
double LoopStepResponse::Boundary(double lo, double hi, Predicate holds) {
  // Halving until the two ends are neighbouring doubles: far finer than
  // 1e-9 s for every time a drive can have.
  for (;;) {
    const double mid = lo + (hi - lo) / 2;
    if (mid <= lo || mid >= hi) break;
    if (holds(mid)) {
      lo = mid;
    } else {
      hi = mid;
    }
  }
  return lo + (hi - lo) / 2;
}

double LoopStepResponse::UpperBoundFor(double level) const {
  // The slow time constant of the response is a good first guess.
  const double slowRate = fDiscriminant == 0 ? fSigma : fCoefVelocity / (fSigma + fRoot);
  double t = 1 / slowRate;
  if (!std::isfinite(t) || t <= 0) t = 1;
  for (int i = 0; i < kMaxDoublings && At(t) < level; ++i) t *= 2;
  return t;
}

double LoopStepResponse::TimeToReach(double level) const {
  const auto below = [&](double t) { return At(t) < level; };
  // Before its first maximum an under-damped response rises monotonically,
  // and that maximum lies above 1.
  const double hi = UnderDamped() ? std::numbers::pi / fRoot : UpperBoundFor(level);
  return Boundary(0.0, hi, below);
}

std::optional<double> LoopStepResponse::PeakTime() const {
  if (!UnderDamped()) return std::nullopt;
  return std::numbers::pi / fRoot;
}

double LoopStepResponse::Overshoot() const {
  if (!UnderDamped()) return 0;
  return std::exp(-fSigma * std::numbers::pi / fRoot);
}

double LoopStepResponse::SettlingTime(double band) const {
  if (!UnderDamped()) return TimeToReach(1 - band);
  // The extremes of x - 1 lie at t_k = k pi / wd with |x - 1| = M^k,
  // M = e^(-sigma pi / wd), falling every half period. Between the last
  // extreme outside the band, t_K, and the next one, x moves monotonically
  // across 1 and never leaves the band again once it has entered it.
  const double halfPeriod = std::numbers::pi / fRoot;
  const auto outside = [&](double t) { return std::abs(At(t) - 1) > band; };
  double k = std::floor(std::log(band) / (-fSigma * halfPeriod));
  if (!std::isfinite(k) || k < 0) k = 0;
  while (k > 0 && !outside(k * halfPeriod)) k -= 1;
  while (outside((k + 1) * halfPeriod)) k += 1;
  return Boundary(k * halfPeriod, (k + 1) * halfPeriod, outside);
}

bool LoopIsStable(double coefAccel, double coefVelocity) {
  return coefAccel > 0 && coefVelocity > 0;
}

ClosedFormFigures ComputeClosedForm(double coefInput, double coefAccel, double coefVelocity,
                                    double setpoint) {
  ClosedFormFigures f;
  if (!LoopIsStable(coefAccel, coefVelocity)) return f;
  const LoopStepResponse loop(coefAccel, coefVelocity);
  f.NaturalFreq = loop.NaturalFrequency();
  f.DampingRatio = loop.DampingRatio();
  const std::optional<double> final = LoopFinalValue(coefInput, coefVelocity, setpoint);
  if (!final || *final == 0) return f;
  f.OvershootPct = 100 * loop.Overshoot();
  f.PeakTime = loop.PeakTime();
  f.RiseTime = loop.TimeToReach(kRiseHighLevel) - loop.TimeToReach(kRiseLowLevel);
  f.Settling2Pct = loop.SettlingTime(kSettlingBand2Pct);
  f.Settling5Pct = loop.SettlingTime(kSettlingBand5Pct);
  return f;
}

}  // namespace drivesim
