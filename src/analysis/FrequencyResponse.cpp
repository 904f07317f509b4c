#include "analysis/FrequencyResponse.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "analysis/ClosedForm.h"

namespace drivesim {

namespace {

constexpr int kMaxFrequencyPoints = 100000;

// The positive root of x^2 + b x + c = 0 with c < 0 (one root of each sign).
double PositiveRoot(double b, double c) {
  const double r = std::sqrt(b * b - 4 * c);
  // b >= 0: the negative root has the larger magnitude, and the positive
  // one is the product c over it; b < 0: the positive root is the larger.
  if (b >= 0) return c / (-(b + r) / 2);
  return (-b + r) / 2;
}

}  // namespace

double AngleDeg(double re, double im) {
  const double deg = std::atan2(im, re) * (180 / std::numbers::pi);
  return deg <= -180 ? deg + 360 : deg;
}

double OpenLoopPhaseDeg(double re, double im) {
  const double deg = AngleDeg(re, im);
  return deg > 0 ? deg - 360 : deg;
}

double Decibels(double magnitude) { return 20 * std::log10(magnitude); }

FrequencyPoint EvaluateFrequency(const LoopTransfer& loop, double omega) {
  const double x = omega * omega;
  const double aw = loop.CoefAccel * omega;
  const double gain = loop.Feedback * loop.CoefInput;
  const double openRe = loop.OpenVelocity - x;
  const double closedRe = loop.CoefVelocity - x;
  FrequencyPoint p;
  p.Omega = omega;
  p.OpenMagnitude = std::abs(gain) / std::hypot(openRe, aw);
  // L = gain conj(D) / |D|^2.
  p.OpenPhaseDeg = OpenLoopPhaseDeg(gain * openRe, -gain * aw);
  p.ClosedMagnitude = std::abs(loop.CoefInput) / std::hypot(closedRe, aw);
  return p;
}

FrequencyFigures ComputeFrequencyFigures(const LoopTransfer& loop) {
  FrequencyFigures f;
  const double a = loop.CoefAccel;
  const double b0 = loop.OpenVelocity;
  const double gain = std::abs(loop.Feedback * loop.CoefInput);
  if (!std::isfinite(a) || !std::isfinite(b0) || !std::isfinite(gain)) return f;

  // |L(0)| = gain / |b0| > 1.
  if (gain > std::abs(b0)) {
    // b0^2 - gain^2 as a product, without cancellation.
    const double x = PositiveRoot(a * a - 2 * b0, (b0 - gain) * (b0 + gain));
    if (std::isfinite(x) && x > 0) {
      const double wc = std::sqrt(x);
      f.CrossoverFreq = wc;
      const double k = loop.Feedback * loop.CoefInput;
      f.PhaseMarginDeg = 180 + OpenLoopPhaseDeg(k * (b0 - x), -k * a * wc);
    }
  }

  const double c = loop.CoefVelocity;
  if (!LoopIsStable(a, c) || loop.CoefInput == 0 || !std::isfinite(c)) return f;
  const double xb = PositiveRoot(a * a - 2 * c, -c * c);
  if (std::isfinite(xb) && xb > 0) f.Bandwidth = std::sqrt(xb);
  // 1 - zeta^2 = -(sigma^2 - CoefVelocity) / CoefVelocity, formed without
  // cancellation; zeta^2 < 1/2 where 1 - 2 zeta^2 > 0.
  const double sigma = a / 2;
  const double oneMinusZeta2 = -std::fma(sigma, sigma, -c) / c;
  const double zeta = a / (2 * std::sqrt(c));
  const double oneMinus2Zeta2 = 2 * oneMinusZeta2 - 1;
  if (oneMinus2Zeta2 > 0) {
    f.ResonancePeakDb = -Decibels(2 * zeta * std::sqrt(oneMinusZeta2));
    f.ResonanceFreq = std::sqrt(c * oneMinus2Zeta2);
  } else {
    f.ResonancePeakDb = 0.0;
  }
  return f;
}

std::vector<FrequencyPoint> SampleFrequencyResponse(const LoopTransfer& loop, double omegaFrom,
                                                    double omegaTo, int points) {
  std::vector<FrequencyPoint> samples;
  if (!(omegaFrom > 0) || !(omegaTo > 0) || !std::isfinite(omegaFrom) || !std::isfinite(omegaTo))
    return samples;
  points = std::clamp(points, 2, kMaxFrequencyPoints);
  const double logFrom = std::log(omegaFrom);
  const double logStep = (std::log(omegaTo) - logFrom) / (points - 1);
  samples.reserve(static_cast<std::size_t>(points));
  for (int j = 0; j < points; ++j) {
    const double omega = j == 0            ? omegaFrom
                         : j == points - 1 ? omegaTo
                                           : std::exp(logFrom + logStep * j);
    samples.push_back(EvaluateFrequency(loop, omega));
  }
  return samples;
}

std::pair<double, double> FrequencyChartRange(const LoopTransfer& loop) {
  double lo = HUGE_VAL, hi = 0;
  const auto take = [&](double w) {
    if (std::isfinite(w) && w > 0) {
      lo = std::min(lo, w);
      hi = std::max(hi, w);
    }
  };
  take(std::sqrt(std::abs(loop.OpenVelocity)));
  take(std::abs(loop.CoefAccel));
  take(std::sqrt(std::abs(loop.CoefVelocity)));
  if (const auto wc = ComputeFrequencyFigures(loop).CrossoverFreq) take(*wc);
  if (hi == 0) return {1, 1000};
  return {lo / 100, hi * 100};
}

}  // namespace drivesim
