// The loop around the feedback coefficient: its coefficients against the
// drive model's, the poles against roots polished in long double, the root
// locus and the steady state.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <random>

#include "analysis/LoopPoles.h"
#include "platform/Exceptions.h"
#include "sim/DriveModel.h"

namespace drivesim {
namespace {

using LongComplex = std::complex<long double>;

// The roots of s^2 + a s + c: the textbook formula in long double, then
// Newton's method on the polynomial until it stops improving.
std::pair<LongComplex, LongComplex> ReferenceRoots(double a, double c) {
  const long double la = a, lc = c;
  const LongComplex root = std::sqrt(LongComplex(la * la - 4 * lc));
  LongComplex r[2] = {(-la + root) / 2.0L, (-la - root) / 2.0L};
  for (LongComplex& s : r) {
    for (int i = 0; i < 8; ++i) {
      const LongComplex p = s * s + la * s + lc, dp = 2.0L * s + la;
      if (std::abs(dp) == 0) break;
      s -= p / dp;
    }
  }
  return {r[0], r[1]};
}

void ExpectPolesMatch(double a, double c) {
  SCOPED_TRACE(testing::Message() << "a=" << a << " c=" << c);
  const LoopPoles p = ComputePoles(a, c);
  auto [r1, r2] = ReferenceRoots(a, c);
  // Pole 1: larger imaginary part, or larger real part when both are real.
  if (r2.imag() > r1.imag() || (r1.imag() == r2.imag() && r2.real() > r1.real())) std::swap(r1, r2);
  if (std::abs(r1.imag()) < 1e-15L * std::abs(r1)) r1.imag(0), r2.imag(0);
  for (const auto& [got, want] : {std::pair{p.Pole1, r1}, std::pair{p.Pole2, r2}}) {
    const LongComplex g(got.real(), got.imag());
    EXPECT_LE(std::abs(g - want), 1e-12L * std::abs(want))
        << got << " vs " << want.real() << "+" << want.imag() << "j";
  }
}

TEST(LoopPolesTest, PolesMatchPolishedRoots) {
  std::mt19937_64 random(1902);
  std::uniform_real_distribution<double> exponent(-2, 6), sign(-1, 1);
  for (int i = 0; i < 2000; ++i) {
    const double a = std::copysign(std::pow(10.0, exponent(random)), sign(random));
    const double c = std::copysign(std::pow(10.0, 2 * exponent(random)), sign(random));
    ExpectPolesMatch(a, c);
  }
  // Over-damped with one very slow pole, strongly under-damped, unstable.
  ExpectPolesMatch(1e6, 1e-3);
  ExpectPolesMatch(2e-3, 1e4);
  ExpectPolesMatch(-50, 1e4);
  ExpectPolesMatch(10, -300);
  ExpectPolesMatch(0, 400);
  ExpectPolesMatch(0, -400);
  // Critically damped: one double pole at -sigma.
  const LoopPoles critical = ComputePoles(200, 1e4);
  EXPECT_EQ(critical.Pole1, std::complex<double>(-100, 0));
  EXPECT_EQ(critical.Pole2, std::complex<double>(-100, 0));
  const PoleFigures f = ComputePoleFigures({1, 200, 0, 0, 1e4});
  EXPECT_EQ(*f.NaturalFreq, 100);
  EXPECT_EQ(*f.DampingRatio, 1);
  // No natural frequency without a restoring term.
  EXPECT_FALSE(ComputePoleFigures({1, 200, 0, 0, -1}).NaturalFreq);
}

TEST(LoopPolesTest, FeedbackLoopFollowsTheModel) {
  std::mt19937_64 random(77);
  std::uniform_real_distribution<double> factor(-1, 1), feedback(-2, 12);
  for (int i = 0; i < 500; ++i) {
    DriveInputs in;
    for (double* v : {&in.AmpGain, &in.AmpTimeConst, &in.MotorCoef, &in.MotorInertia,
                      &in.LoadInertia, &in.ViscousFriction})
      *v *= std::pow(10.0, factor(random));
    in.LoadTeeth = 1 + static_cast<int>(random() % 55);
    in.FeedbackCoef = feedback(random);
    const FeedbackLoop loop(in);
    DriveModel model;
    EnterInputs(model, in);
    const LoopTransfer t = loop.At(in.FeedbackCoef);
    // Bit for bit what "Process" computes.
    EXPECT_EQ(t.CoefVelocity, model.CoefVelocity);
    EXPECT_EQ(t.CoefInput, model.CoefInput);
    EXPECT_EQ(t.CoefAccel, model.CoefAccel);
    // b0 = i F / D, and L(0) = k A M / F = k CoefInput / b0.
    const double b0 = model.GearRatio * in.ViscousFriction / model.Denominator;
    EXPECT_NEAR(t.OpenVelocity, b0, 1e-14 * b0);
    const double dc = *loop.DcGain(in.FeedbackCoef);
    EXPECT_NEAR(dc, in.FeedbackCoef * t.CoefInput / b0, 1e-12 * std::abs(dc));
    // The comparator's error, Setpoint - k w_inf, in percent of the setpoint.
    const SteadyStateFigures s = ComputeSteadyState(dc, t, in.Setpoint);
    if (model.CoefVelocity > 0) {
      const double w = model.CoefInput * in.Setpoint / model.CoefVelocity;
      EXPECT_NEAR(*s.VelocityReached, w, 1e-12 * std::abs(w));
      const double error = 100 * (in.Setpoint - in.FeedbackCoef * w) / in.Setpoint;
      EXPECT_NEAR(*s.ErrorSignalPct, error, 1e-9 * std::max(1.0, std::abs(error)));
      EXPECT_NEAR(*s.VelocityErrorPct, 100 * (in.Setpoint - w) / in.Setpoint, 1e-9);
    } else {
      EXPECT_FALSE(s.ErrorSignalPct);
      EXPECT_FALSE(s.VelocityReached);
    }
    // At the critical k the poles meet.
    const double kc = *loop.CriticalFeedback();
    const LoopPoles meet = ComputePoles(t.CoefAccel, loop.CoefVelocity(kc));
    EXPECT_NEAR(std::abs(meet.Pole1 - meet.Pole2), 0, 1e-6 * std::abs(meet.Pole1));
    EXPECT_NEAR(loop.CoefVelocity(*loop.BoundaryFeedback()), 0, 1e-12 * t.CoefInput);
  }
  // Without friction: L(0) is infinite, the comparator's error 0, and k = 0
  // leaves a pole at the origin.
  DriveInputs frictionless;
  frictionless.ViscousFriction = 0;
  const FeedbackLoop loop(frictionless);
  EXPECT_FALSE(loop.DcGain(1));
  const SteadyStateFigures s = ComputeSteadyState(loop.DcGain(1), loop.At(1), 100);
  EXPECT_EQ(*s.ErrorSignalPct, 0);
  EXPECT_FALSE(s.LoopGainDc);
  EXPECT_NEAR(*s.VelocityReached, 100, 1e-12);
  EXPECT_EQ(*loop.BoundaryFeedback(), 0);
  // A refused set of inputs raises as "Process" does.
  DriveInputs zero;
  zero.AmpTimeConst = 0;
  EXPECT_THROW(FeedbackLoop{zero}, EZeroDivide);
}

TEST(LoopPolesTest, RootLocusBranchesAndRealAxis) {
  const DriveInputs in;
  const FeedbackLoop loop(in);
  const double kc = *loop.CriticalFeedback(), kb = *loop.BoundaryFeedback();
  ASSERT_LT(kb, 0);
  ASSERT_GT(kc, 0);
  const RootLocus locus = ComputeRootLocus(loop, -1, 5, 101);
  EXPECT_EQ(*locus.CriticalFeedback, kc);
  EXPECT_EQ(*locus.BoundaryFeedback, kb);
  EXPECT_EQ(locus.MeetingPoint, -loop.CoefAccel() / 2);
  ASSERT_EQ(locus.Branch1.size(), locus.Branch2.size());
  EXPECT_EQ(locus.Branch1.front().Feedback, -1);
  EXPECT_EQ(locus.Branch1.back().Feedback, 5);
  for (std::size_t j = 0; j < locus.Branch1.size(); ++j) {
    const LocusPoint& p1 = locus.Branch1[j];
    const LoopPoles p = ComputePoles(loop.CoefAccel(), loop.CoefVelocity(p1.Feedback));
    EXPECT_EQ(p1.Pole, p.Pole1);
    EXPECT_EQ(locus.Branch2[j].Pole, p.Pole2);
    if (j > 0) {
      EXPECT_LT(locus.Branch1[j - 1].Feedback, p1.Feedback);
    }
    // Negative k beyond the boundary puts pole 1 in the right half-plane.
    EXPECT_EQ(p1.Pole.real() > 0, p1.Feedback < kb) << p1.Feedback;
    // Past the meeting point both lie on the vertical line through it.
    if (p1.Feedback > kc) {
      EXPECT_EQ(p1.Pole.real(), locus.MeetingPoint);
    }
  }
  // The real axis is covered from pole 2 to pole 1 at k = -1.
  ASSERT_EQ(locus.RealSegments.size(), 1u);
  EXPECT_EQ(locus.RealSegments[0].first, locus.Branch2.front().Pole.real());
  EXPECT_EQ(locus.RealSegments[0].second, locus.Branch1.front().Pole.real());
  // All over-damped: two segments with a gap around the meeting point; all
  // under-damped: none.
  const RootLocus over = ComputeRootLocus(loop, 0, kc / 2);
  ASSERT_EQ(over.RealSegments.size(), 2u);
  EXPECT_LT(over.RealSegments[0].second, over.MeetingPoint);
  EXPECT_GT(over.RealSegments[1].first, over.MeetingPoint);
  EXPECT_EQ(over.RealSegments[0].second, over.Branch2.back().Pole.real());
  EXPECT_FALSE(over.CriticalFeedback);
  EXPECT_TRUE(ComputeRootLocus(loop, 2 * kc, 5).RealSegments.empty());
}

}  // namespace
}  // namespace drivesim
