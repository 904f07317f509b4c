#pragma once
// The poles of the closed loop T(s) = CoefInput / (s^2 + CoefAccel s +
// CoefVelocity) and their path as the feedback coefficient k moves (the root
// locus).
//
// With sigma = CoefAccel / 2 and d = sigma^2 - CoefVelocity the poles are
// -sigma +- sqrt(d). d is formed in one rounding, so that the choice between
// a complex pair and two real poles follows the exact sign; two real poles
// are found as q = -(sigma + sign(sigma) sqrt(d)) and CoefVelocity / q, so
// that the smaller one loses no digits to cancellation.
//
// Because k enters CoefVelocity only, the poles of an over-damped loop move
// towards each other along the real axis as k grows, meet at -sigma when the
// loop is critically damped, and then part along the vertical line
// Re s = -sigma.

#include <complex>
#include <optional>
#include <utility>
#include <vector>

#include "analysis/FeedbackLoop.h"

namespace drivesim {

struct LoopPoles {
  // The pole with the larger imaginary part, or the larger real part when
  // both are real, 1/s.
  std::complex<double> Pole1;
  std::complex<double> Pole2;

  friend bool operator==(const LoopPoles&, const LoopPoles&) = default;
};

// The roots of s^2 + coefAccel s + coefVelocity.
LoopPoles ComputePoles(double coefAccel, double coefVelocity);

struct PoleFigures {
  LoopPoles Poles;
  // sqrt(CoefVelocity), rad/s; absent when CoefVelocity <= 0.
  std::optional<double> NaturalFreq;
  // CoefAccel / (2 sqrt(CoefVelocity)); absent when CoefVelocity <= 0 (and
  // negative for a loop without damping that grows).
  std::optional<double> DampingRatio;

  friend bool operator==(const PoleFigures&, const PoleFigures&) = default;
};

PoleFigures ComputePoleFigures(const LoopTransfer& loop);

// One point of a branch of the root locus.
struct LocusPoint {
  double Feedback = 0;        // k, V*s/rad
  std::complex<double> Pole;  // 1/s
};

// The root locus of k from From to To.
struct RootLocus {
  double From = 0;
  double To = 0;
  // Pole 1 and pole 2 for each sampled k, in increasing k; the k of
  // critical damping and of the stability boundary are among the samples
  // when they lie in the range, and samples crowd around the meeting point,
  // where the poles move fastest.
  std::vector<LocusPoint> Branch1;
  std::vector<LocusPoint> Branch2;
  // The parts of the real axis [lo, hi] that real poles cover over the
  // range: one segment when the range contains critical damping, two when
  // the loop stays over-damped throughout, none when it stays under-damped.
  std::vector<std::pair<double, double>> RealSegments;
  // The meeting point -CoefAccel / 2 (1/s) and its k, critically damped.
  double MeetingPoint = 0;
  // The k of critical damping, when it lies in the range.
  std::optional<double> CriticalFeedback;
  // The k at which a pole passes through the origin, when it lies in the
  // range.
  std::optional<double> BoundaryFeedback;
};

// Samples the locus with `points` evenly spaced k (at least 2, at most
// 100000) plus the points around critical damping.
RootLocus ComputeRootLocus(const FeedbackLoop& loop, double from, double to, int points = 201);

}  // namespace drivesim
