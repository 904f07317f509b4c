#pragma once
// The loop's frequency response: the open loop L(jw) = k CoefInput /
// (b0 - w^2 + j CoefAccel w) and the closed loop T(jw) = CoefInput /
// (CoefVelocity - w^2 + j CoefAccel w), and the figures read from them.
//
//   crossover frequency  w_c where |L(jw_c)| = 1. With x = w^2,
//                        |L|^2 = 1 is x^2 + (CoefAccel^2 - 2 b0) x + b0^2 -
//                        (k CoefInput)^2 = 0, which has one positive root
//                        exactly when |L(0)| > 1; absent otherwise.
//   phase margin         180 + angle L(jw_c) in degrees, the angle taken in
//                        (-180, 180].
//   bandwidth            the lowest w where |T(jw)| = |T(0)| / sqrt(2):
//                        x^2 + (CoefAccel^2 - 2 CoefVelocity) x -
//                        CoefVelocity^2 = 0, one positive root.
//   resonance peak       20 log10(max |T| / |T(0)|) = -20 log10(2 zeta
//                        sqrt(1 - zeta^2)) at w_r = w_n sqrt(1 - 2 zeta^2)
//                        for zeta < 1/sqrt(2), 0 dB otherwise.
//
// The quadratics are solved in the form that loses no digits (their constant
// terms are negative, so their discriminants add two positive terms). The
// closed loop's figures exist for a stable loop only; the open loop's as
// long as its gain reaches 1 (a drive without friction has an infinite L(0)
// and a crossover like any other).

#include <optional>
#include <utility>
#include <vector>

#include "analysis/FeedbackLoop.h"

namespace drivesim {

struct FrequencyFigures {
  std::optional<double> CrossoverFreq;    // rad/s
  std::optional<double> PhaseMarginDeg;   // degrees
  std::optional<double> Bandwidth;        // rad/s
  std::optional<double> ResonancePeakDb;  // dB
  std::optional<double> ResonanceFreq;    // rad/s, when the peak lies above 0 dB

  friend bool operator==(const FrequencyFigures&, const FrequencyFigures&) = default;
};

FrequencyFigures ComputeFrequencyFigures(const LoopTransfer& loop);

// The response at one frequency.
struct FrequencyPoint {
  double Omega = 0;            // rad/s
  double OpenMagnitude = 0;    // |L(jw)|
  double OpenPhaseDeg = 0;     // angle L(jw), degrees in (-360, 0] (OpenLoopPhaseDeg)
  double ClosedMagnitude = 0;  // |T(jw)|
};

FrequencyPoint EvaluateFrequency(const LoopTransfer& loop, double omega);

// The angle of a complex number re + j im in degrees, in (-180, 180].
double AngleDeg(double re, double im);
// The open loop's phase: the angle of re + j im in (-360, 0], the branch on
// which the phase margin is 180 + the phase at the crossover. A negative k
// puts the phase below -180 and so its margin below 0: the loop that
// reaches a gain of 1 there is the unstable one.
double OpenLoopPhaseDeg(double re, double im);
// 20 log10(magnitude).
double Decibels(double magnitude);

// `points` frequencies (2 to 100000) spaced evenly on a log scale from
// omegaFrom to omegaTo (both > 0).
std::vector<FrequencyPoint> SampleFrequencyResponse(const LoopTransfer& loop, double omegaFrom,
                                                    double omegaTo, int points);

// A range for the Bode charts: two decades below the lowest and above the
// highest of the loop's corner frequencies (sqrt|b0|, CoefAccel, w_n and the
// crossover), or 1 to 1000 rad/s when it has none.
std::pair<double, double> FrequencyChartRange(const LoopTransfer& loop);

}  // namespace drivesim
