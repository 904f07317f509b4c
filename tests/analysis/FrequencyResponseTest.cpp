// The frequency figures against a search of their own: |L(jw)| and |T(jw)|
// evaluated in long double complex arithmetic on a dense log grid, each
// crossing refined by bisection and the resonance peak by golden sections.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <random>

#include "analysis/ClosedForm.h"
#include "analysis/FrequencyResponse.h"
#include "analysis/LoopPoles.h"

namespace drivesim {
namespace {

using LongComplex = std::complex<long double>;

LongComplex OpenLoop(const LoopTransfer& t, long double w) {
  const LongComplex s(0, w);
  return static_cast<long double>(t.Feedback) * t.CoefInput /
         (s * s + static_cast<long double>(t.CoefAccel) * s +
          static_cast<long double>(t.OpenVelocity));
}

LongComplex ClosedLoop(const LoopTransfer& t, long double w) {
  const LongComplex s(0, w);
  return static_cast<long double>(t.CoefInput) /
         (s * s + static_cast<long double>(t.CoefAccel) * s +
          static_cast<long double>(t.CoefVelocity));
}

// The first w on the grid where f changes sign, refined by bisection.
template <typename F>
std::optional<long double> FirstCrossing(F f, long double lo, long double hi) {
  const int n = 20000;
  const long double ratio = std::pow(hi / lo, 1.0L / n);
  long double prev = lo, fPrev = f(lo), w = lo;
  for (int i = 1; i <= n; ++i) {
    w *= ratio;
    const long double fw = f(w);
    if ((fPrev > 0) != (fw > 0)) {
      long double a = prev, b = w;
      for (int j = 0; j < 200; ++j) {
        const long double m = (a + b) / 2;
        if ((f(m) > 0) == (fPrev > 0))
          a = m;
        else
          b = m;
      }
      return (a + b) / 2;
    }
    prev = w;
    fPrev = fw;
  }
  return std::nullopt;
}

void ExpectNear(const std::optional<double>& got, const std::optional<long double>& want,
                const char* what) {
  SCOPED_TRACE(what);
  ASSERT_EQ(got.has_value(), want.has_value());
  if (!want) return;
  EXPECT_NEAR(*got, static_cast<double>(*want), 1e-6 * std::max(1.0L, std::abs(*want)));
}

void ExpectMatchesSearch(const LoopTransfer& t) {
  SCOPED_TRACE(testing::Message() << "CI=" << t.CoefInput << " a=" << t.CoefAccel
                                  << " b0=" << t.OpenVelocity << " k=" << t.Feedback
                                  << " c=" << t.CoefVelocity);
  const FrequencyFigures f = ComputeFrequencyFigures(t);
  const long double scale = std::sqrt(std::abs(static_cast<long double>(t.CoefVelocity))) +
                            std::abs(static_cast<long double>(t.CoefAccel)) +
                            std::sqrt(std::abs(static_cast<long double>(t.OpenVelocity))) +
                            std::sqrt(std::abs(static_cast<long double>(t.Feedback) * t.CoefInput));
  const long double lo = scale * 1e-6L, hi = scale * 1e4L;

  // Crossover: only where |L(0)| > 1.
  std::optional<long double> wc, pm;
  if (std::abs(static_cast<long double>(t.Feedback) * t.CoefInput) >
      std::abs(static_cast<long double>(t.OpenVelocity))) {
    wc = FirstCrossing([&](long double w) { return std::abs(OpenLoop(t, w)) - 1; }, lo, hi);
    if (wc) {
      long double angle = std::arg(OpenLoop(t, *wc)) * 180 / std::numbers::pi_v<long double>;
      if (angle > 0) angle -= 360;
      pm = 180 + angle;
    }
  }
  ExpectNear(f.CrossoverFreq, wc, "crossover");
  ExpectNear(f.PhaseMarginDeg, pm, "phase margin");

  std::optional<long double> bw, peak;
  if (t.CoefAccel > 0 && t.CoefVelocity > 0 && t.CoefInput != 0) {
    const long double t0 = std::abs(ClosedLoop(t, 0));
    bw = FirstCrossing(
        [&](long double w) { return std::abs(ClosedLoop(t, w)) / t0 - 1 / std::sqrt(2.0L); }, lo,
        hi);
    // The largest |T| on the grid, then golden sections around it.
    const int n = 20000;
    const long double ratio = std::pow(hi / lo, 1.0L / n);
    const auto grid = [&](int i) { return lo * std::pow(ratio, static_cast<long double>(i)); };
    int best = 0;
    long double bestValue = 0, w = lo;
    for (int i = 0; i <= n; ++i, w *= ratio) {
      const long double v = std::abs(ClosedLoop(t, w));
      if (v > bestValue) bestValue = v, best = i;
    }
    long double a = grid(std::max(best - 1, 0)), b = grid(std::min(best + 1, n));
    for (int j = 0; j < 200; ++j) {
      const long double m1 = a + (b - a) * 0.382L, m2 = a + (b - a) * 0.618L;
      if (std::abs(ClosedLoop(t, m1)) < std::abs(ClosedLoop(t, m2)))
        a = m1;
      else
        b = m2;
    }
    const long double top = std::max(std::abs(ClosedLoop(t, (a + b) / 2)), t0);
    peak = 20 * std::log10(top / t0);
  }
  ExpectNear(f.Bandwidth, bw, "bandwidth");
  ExpectNear(f.ResonancePeakDb, peak, "resonance peak");
}

TEST(FrequencyResponseTest, FiguresMatchADenseSearch) {
  std::mt19937_64 random(4242);
  std::uniform_real_distribution<double> factor(-1, 1), feedback(-1, 10);
  for (int i = 0; i < 40; ++i) {
    DriveInputs in;
    for (double* v : {&in.AmpGain, &in.AmpTimeConst, &in.MotorCoef, &in.MotorInertia,
                      &in.LoadInertia, &in.ViscousFriction})
      *v *= std::pow(10.0, factor(random));
    in.LoadTeeth = 1 + static_cast<int>(random() % 55);
    ExpectMatchesSearch(FeedbackLoop(in).At(feedback(random)));
  }
  const FeedbackLoop drive{DriveInputs{}};
  // Over-damped, critically damped, strongly under-damped, unstable and
  // negative k, on the default drive.
  const double kc = *drive.CriticalFeedback();
  for (double k : {0.05, 0.2, kc, 1.0, 40.0, 3000.0, -0.05, -0.5}) ExpectMatchesSearch(drive.At(k));
  // Without friction: a crossover, no DC gain.
  ExpectMatchesSearch({14000, 170, 0, 1, 14000});
}

TEST(FrequencyResponseTest, DefinitionsAtTheEdges) {
  // The default drive at k = 1: |L| = 1 at the crossover and the phase
  // margin read off the open loop there.
  const LoopTransfer t = FeedbackLoop(DriveInputs{}).At(1);
  const FrequencyFigures f = ComputeFrequencyFigures(t);
  const FrequencyPoint at = EvaluateFrequency(t, *f.CrossoverFreq);
  EXPECT_NEAR(at.OpenMagnitude, 1, 1e-13);
  EXPECT_NEAR(*f.PhaseMarginDeg, 180 + at.OpenPhaseDeg, 1e-12);
  EXPECT_NEAR(EvaluateFrequency(t, *f.Bandwidth).ClosedMagnitude,
              EvaluateFrequency(t, 0).ClosedMagnitude / std::sqrt(2.0), 1e-12);
  // damping 0.6987 < 1/sqrt(2): a small peak, at w_r.
  EXPECT_GT(*f.ResonancePeakDb, 0);
  EXPECT_NEAR(Decibels(EvaluateFrequency(t, *f.ResonanceFreq).ClosedMagnitude /
                       EvaluateFrequency(t, 0).ClosedMagnitude),
              *f.ResonancePeakDb, 1e-10);
  // |L(0)| <= 1: no crossover; damping above 1/sqrt(2): 0 dB, no peak.
  const FrequencyFigures weak = ComputeFrequencyFigures(FeedbackLoop(DriveInputs{}).At(0.1));
  EXPECT_FALSE(weak.CrossoverFreq);
  EXPECT_FALSE(weak.PhaseMarginDeg);
  EXPECT_EQ(*weak.ResonancePeakDb, 0);
  EXPECT_FALSE(weak.ResonanceFreq);
  // Unstable: the closed loop's figures do not exist.
  const FrequencyFigures unstable = ComputeFrequencyFigures({1e4, -10, 1e3, 1, 2e4});
  EXPECT_FALSE(unstable.Bandwidth);
  EXPECT_FALSE(unstable.ResonancePeakDb);
  EXPECT_TRUE(unstable.CrossoverFreq);
  // A negative k past |L(0)| = 1 closes an unstable loop: its phase lies
  // below -180 and its margin below 0, never the 270 degrees that the
  // angle's principal value would give.
  const FeedbackLoop drive{DriveInputs{}};
  for (double k : {-0.5, -3.0, -40.0}) {
    SCOPED_TRACE(k);
    const LoopTransfer negative = drive.At(k);
    ASSERT_FALSE(LoopIsStable(negative.CoefAccel, negative.CoefVelocity));
    const FrequencyFigures nf = ComputeFrequencyFigures(negative);
    ASSERT_TRUE(nf.PhaseMarginDeg);
    EXPECT_LT(*nf.PhaseMarginDeg, 0);
    EXPECT_GT(*nf.PhaseMarginDeg, -180);
    EXPECT_DOUBLE_EQ(EvaluateFrequency(negative, 0).OpenPhaseDeg, -180);
    for (double w : {0.1, 10.0, 1e3, 1e5}) {
      EXPECT_LE(EvaluateFrequency(negative, w).OpenPhaseDeg, -180);
      EXPECT_GT(EvaluateFrequency(negative, w).OpenPhaseDeg, -360);
    }
  }
  EXPECT_EQ(OpenLoopPhaseDeg(1, 0), 0);
  EXPECT_EQ(OpenLoopPhaseDeg(-1, 0), -180);
  EXPECT_EQ(OpenLoopPhaseDeg(0, 1), -270);
  // Angles in (-180, 180].
  EXPECT_EQ(AngleDeg(-1, 0), 180);
  EXPECT_EQ(AngleDeg(-1, -0.0), 180);
  EXPECT_EQ(AngleDeg(0, -1), -90);
  // Log-spaced samples with both ends exact.
  const auto samples = SampleFrequencyResponse(t, 0.1, 1e5, 61);
  ASSERT_EQ(samples.size(), 61u);
  EXPECT_EQ(samples.front().Omega, 0.1);
  EXPECT_EQ(samples.back().Omega, 1e5);
  EXPECT_NEAR(samples[10].Omega, 1, 1e-12);
  EXPECT_TRUE(SampleFrequencyResponse(t, 0, 10, 5).empty());
  const auto [from, to] = FrequencyChartRange(t);
  EXPECT_LT(from, *f.CrossoverFreq / 10);
  EXPECT_GT(to, *f.Bandwidth * 10);
}

}  // namespace
}  // namespace drivesim
