#include "analysis/ClosedForm.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "analysis/StepMeter.h"

namespace drivesim {

namespace {

// Doublings allowed while looking for a time by which a monotone response
// has reached its level: enough to go from the smallest to the largest
// double.
constexpr int kMaxDoublings = 2200;
// Halvings allowed in a bisection: enough to close any bracket of doubles
// down to two neighbours (at most about 2100 are needed).
constexpr int kMaxHalvings = 2200;
// Corrections allowed to the half period in which an under-damped response
// settles, whose first estimate is off by at most a rounding.
constexpr int kMaxCorrections = 8;

// sqrt(|sigma^2 - CoefVelocity|), also where sigma^2 lies beyond the
// largest double (there the loop is over-damped, as CoefVelocity does not).
double RootOf(double sigma, double discriminant, double coefVelocity) {
  if (std::isfinite(discriminant)) return std::sqrt(std::abs(discriminant));
  return sigma * std::sqrt(1 - coefVelocity / sigma / sigma);
}

}  // namespace

LoopStepResponse::LoopStepResponse(double coefAccel, double coefVelocity)
    : fCoefAccel(coefAccel),
      fCoefVelocity(coefVelocity),
      fSigma(coefAccel / 2),
      // sigma^2 - CoefVelocity in one rounding, so that its sign, which
      // decides the form of the response, is that of the exact difference
      // even where sigma^2 and CoefVelocity agree to their last bits.
      fDiscriminant(std::fma(fSigma, fSigma, -coefVelocity)),
      fRoot(RootOf(fSigma, fDiscriminant, coefVelocity)) {
  // The slow root CoefVelocity / (sigma + mu) of an over-damped loop,
  // divided through by sigma where sigma + mu lies beyond the largest
  // double; sigma itself at critical damping.
  if (fDiscriminant == 0) {
    fSlowRate = fSigma;
  } else if (std::isfinite(fSigma + fRoot)) {
    fSlowRate = coefVelocity / (fSigma + fRoot);
  } else {
    fSlowRate = coefVelocity / fSigma / (1 + fRoot / fSigma);
  }
}

double LoopStepResponse::NaturalFrequency() const { return std::sqrt(fCoefVelocity); }

double LoopStepResponse::DampingRatio() const {
  return fCoefAccel / (2 * std::sqrt(fCoefVelocity));
}

double LoopStepResponse::At(double t) const {
  if (t <= 0) return 0;
  // Where the decaying factor has fallen below the smallest double, the
  // bracket it multiplies is at most 1 + sigma t, so their product lies far
  // below half a unit of 1 (and 0 times an overflowed bracket is no number).
  if (fDiscriminant < 0) {
    // sin(wd t) / wd stays accurate however small wd is.
    const double w = fRoot;
    const double decay = std::exp(-fSigma * t);
    if (decay == 0) return 1;
    return 1 - decay * (std::cos(w * t) + fSigma * std::sin(w * t) / w);
  }
  if (fDiscriminant == 0) {
    const double decay = std::exp(-fSigma * t);
    if (decay == 0) return 1;
    return 1 - decay * (1 + fSigma * t);
  }
  // Over-damped: e^(-sigma t) cosh(mu t) and e^(-sigma t) sinh(mu t) / mu are
  // written around the slow root -CoefVelocity / (sigma + mu) = mu - sigma,
  // so that neither overflows for a large damping ratio, and with
  // expm1(-2 mu t) = e^(-2 mu t) - 1, so that sinh(mu t) / mu keeps its
  // digits as mu goes to 0 near critical damping.
  const double mu = fRoot;
  const double decay = std::exp(-fSlowRate * t);
  if (decay == 0) return 1;
  const double fast = std::expm1(-2 * mu * t);
  return 1 - decay * ((2 + fast) / 2 + fSigma * -fast / mu / 2);
}

template <typename Predicate>
double LoopStepResponse::Boundary(double lo, double hi, Predicate holds) {
  // Halving until the two ends are neighbouring doubles: far finer than
  // 1e-9 s for every time a drive can have.
  for (int i = 0; i < kMaxHalvings; ++i) {
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

std::optional<double> LoopStepResponse::UpperBoundFor(double level) const {
  // The slow time constant of the response is a good first guess.
  double t = 1 / fSlowRate;
  if (!std::isfinite(t) || t <= 0) t = 1;
  for (int i = 0; i < kMaxDoublings && std::isfinite(t); ++i) {
    if (At(t) >= level) return t;
    t *= 2;
  }
  return std::nullopt;
}

std::optional<double> LoopStepResponse::TimeToReach(double level) const {
  const auto below = [&](double t) { return At(t) < level; };
  // Before its first maximum an under-damped response rises monotonically,
  // and that maximum lies above 1.
  const std::optional<double> hi =
      UnderDamped() ? std::optional<double>(std::numbers::pi / fRoot) : UpperBoundFor(level);
  if (!hi || !std::isfinite(*hi)) return std::nullopt;
  return Boundary(0.0, *hi, below);
}

std::optional<double> LoopStepResponse::PeakTime() const {
  if (!UnderDamped()) return std::nullopt;
  return std::numbers::pi / fRoot;
}

double LoopStepResponse::Overshoot() const {
  if (!UnderDamped()) return 0;
  return std::exp(-fSigma * std::numbers::pi / fRoot);
}

std::optional<double> LoopStepResponse::SettlingTime(double band) const {
  if (!UnderDamped()) return TimeToReach(1 - band);
  // The extremes of x - 1 lie at t_k = k pi / wd with |x - 1| = e^(-sigma
  // t_k), falling every half period. Between the last extreme outside the
  // band, t_K, and the next one, x moves monotonically across 1 and never
  // leaves the band again once it has entered it. t_K lies just before the
  // time at which the envelope e^(-sigma t) reaches the band.
  const double halfPeriod = std::numbers::pi / fRoot;
  const double envelopeTime = -std::log(band) / fSigma;
  if (!std::isfinite(envelopeTime)) return std::nullopt;
  // Where half a period lies below the last bit of that time, the time is
  // the answer to its last bit.
  if (envelopeTime + halfPeriod == envelopeTime) return envelopeTime;
  const auto extremeOutside = [&](double k) { return std::exp(-fSigma * (k * halfPeriod)) > band; };
  double k = std::max(0.0, std::ceil(envelopeTime / halfPeriod) - 1);
  for (int i = 0; i < kMaxCorrections && k > 0 && !extremeOutside(k); ++i) k -= 1;
  for (int i = 0; i < kMaxCorrections && extremeOutside(k + 1); ++i) k += 1;
  const double start = k * halfPeriod;
  if (!std::isfinite(start)) return std::nullopt;
  // |x - 1| a time tau after t_K, with the phase counted from t_K, so that
  // it stays exact however many half periods lie before:
  //   e^(-sigma (t_K + tau)) |cos(wd tau) + sigma sin(wd tau) / wd|.
  const double w = fRoot;
  const auto outside = [&](double tau) {
    const double swing = std::cos(w * tau) + fSigma * std::sin(w * tau) / w;
    return std::exp(-fSigma * (start + tau)) * std::abs(swing) > band;
  };
  const double settled = start + Boundary(0.0, halfPeriod, outside);
  if (!std::isfinite(settled)) return std::nullopt;
  return settled;
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
  const std::optional<double> low = loop.TimeToReach(kRiseLowLevel);
  const std::optional<double> high = loop.TimeToReach(kRiseHighLevel);
  if (low && high) f.RiseTime = *high - *low;
  f.Settling2Pct = loop.SettlingTime(kSettlingBand2Pct);
  f.Settling5Pct = loop.SettlingTime(kSettlingBand5Pct);
  return f;
}

}  // namespace drivesim
