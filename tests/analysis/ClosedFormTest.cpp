// The loop's closed-form figures: the curve's own properties at the times
// found, critical damping approached from both sides, very large and very
// small damping, and agreement with simulated runs over a grid of drives.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "analysis/ClosedForm.h"
#include "analysis/RunResult.h"

namespace drivesim {
namespace {

// A loop of natural frequency wn and damping ratio zeta.
LoopStepResponse Loop(double wn, double zeta) { return LoopStepResponse(2 * zeta * wn, wn * wn); }

TEST(ClosedFormTest, TimesLieOnTheCurve) {
  for (double zeta : {0.05, 0.3, 0.6987, 0.95, 1.0, 1.3, 4.0}) {
    SCOPED_TRACE(zeta);
    const LoopStepResponse loop = Loop(126.3, zeta);
    EXPECT_NEAR(loop.DampingRatio(), zeta, 1e-12);
    EXPECT_EQ(loop.At(0), 0.0);
    const double t10 = *loop.TimeToReach(0.1);
    const double t90 = *loop.TimeToReach(0.9);
    EXPECT_NEAR(loop.At(t10), 0.1, 1e-12);
    EXPECT_NEAR(loop.At(t90), 0.9, 1e-12);
    // The first reaching: just before it the curve is still below.
    EXPECT_LT(loop.At(t10 * (1 - 1e-6)), 0.1);
    EXPECT_LT(loop.At(t90 * (1 - 1e-6)), 0.9);
    for (double band : {0.02, 0.05}) {
      const double ts = *loop.SettlingTime(band);
      EXPECT_NEAR(std::abs(loop.At(ts) - 1), band, 1e-9);
      EXPECT_GT(std::abs(loop.At(ts - 1e-7) - 1), band);
      // Nothing leaves the band afterwards, over twenty settling times.
      double worst = 0;
      for (int i = 1; i <= 20000; ++i)
        worst = std::max(worst, std::abs(loop.At(ts * (1 + i * 1e-3)) - 1));
      EXPECT_LE(worst, band);
    }
    if (zeta < 1) {
      const double tp = *loop.PeakTime();
      EXPECT_NEAR(loop.At(tp) - 1, loop.Overshoot(), 1e-12);
      EXPECT_LT(loop.At(tp * 0.999), loop.At(tp));
      EXPECT_LT(loop.At(tp * 1.001), loop.At(tp));
    } else {
      EXPECT_FALSE(loop.PeakTime());
      EXPECT_EQ(loop.Overshoot(), 0.0);
    }
  }
  // The default drive: damping 0.6987, overshoot 4.6513 %.
  const ClosedFormFigures f = ComputeClosedForm(14314.93, 176.4826, 15950.92, 100);
  EXPECT_NEAR(*f.DampingRatio, 0.6987, 1e-4);
  EXPECT_NEAR(*f.OvershootPct, 4.6513, 1e-4);
}

TEST(ClosedFormTest, NearCriticalDamping) {
  const double wn = 100;
  // Critical damping, in units of 1 / wn.
  const ClosedFormFigures critical = ComputeClosedForm(1, 2 * wn, wn * wn, 1);
  EXPECT_NEAR(*critical.RiseTime * wn, 3.357908561477817, 1e-9);
  EXPECT_NEAR(*critical.Settling2Pct * wn, 5.833921701917386, 1e-9);
  EXPECT_NEAR(*critical.Settling5Pct * wn, 4.743864518390575, 1e-9);
  EXPECT_EQ(*critical.OvershootPct, 0.0);
  EXPECT_FALSE(critical.PeakTime);
  // Just below and just above: the same figures to 1e-6, the under-damped
  // side with a peak time but no overshoot worth a digit.
  for (double zeta : {1 - 1e-9, 1 + 1e-9, 1 - 1e-6, 1 + 1e-6}) {
    SCOPED_TRACE(zeta);
    const ClosedFormFigures f = ComputeClosedForm(1, 2 * zeta * wn, wn * wn, 1);
    EXPECT_NEAR(*f.RiseTime / *critical.RiseTime, 1, 1e-5);
    EXPECT_NEAR(*f.Settling2Pct / *critical.Settling2Pct, 1, 1e-5);
    EXPECT_NEAR(*f.Settling5Pct / *critical.Settling5Pct, 1, 1e-5);
    EXPECT_LT(*f.OvershootPct, 1e-100);
    EXPECT_EQ(f.PeakTime.has_value(), zeta < 1);
  }
  // Coefficients whose sigma^2 rounds to CoefVelocity exactly, while the
  // exact difference is -1.56e-13 (under-damped) and +7.11e-13 (over-damped):
  // the form follows the exact sign, so the peak time of the first is there
  // (pi / sqrt(1.56e-13) s, with no overshoot a double can hold) and the
  // second has none.
  const double underA = 224.5803389779404, underB = 12609.082163861653;
  const double overA = 288.67134339966276, overB = 20832.786125041504;
  ASSERT_EQ((underA / 2) * (underA / 2), underB);
  ASSERT_EQ((overA / 2) * (overA / 2), overB);
  const LoopStepResponse under(underA, underB);
  const LoopStepResponse over(overA, overB);
  EXPECT_TRUE(under.UnderDamped());
  EXPECT_FALSE(over.UnderDamped());
  EXPECT_NEAR(*under.PeakTime(), std::numbers::pi / std::sqrt(1.5600000361121725e-13), 1e-3);
  EXPECT_EQ(under.Overshoot(), 0.0);
  EXPECT_FALSE(over.PeakTime());
  // Either side, the times are those of critical damping at that frequency.
  for (const LoopStepResponse* loop : {&under, &over}) {
    const double wnHere = loop->NaturalFrequency();
    EXPECT_NEAR(*loop->TimeToReach(0.9) * wnHere, 3.8897201698674290, 1e-9);
    EXPECT_NEAR(*loop->SettlingTime(0.02) * wnHere, 5.833921701917386, 1e-9);
  }
}

TEST(ClosedFormTest, ExtremeDamping) {
  // Very over-damped: a first-order lag with time constant CoefAccel /
  // CoefVelocity (1 - 1e-12): rise tau ln 9, settling tau ln 50 and ln 20.
  const double a = 2e6 * 100;
  const double b = 1e4;
  const double tau = a / b;
  const ClosedFormFigures big = ComputeClosedForm(1, a, b, 1);
  EXPECT_NEAR(*big.RiseTime / (tau * std::log(9.0)), 1, 1e-9);
  EXPECT_NEAR(*big.Settling2Pct / (tau * std::log(50.0)), 1, 1e-9);
  EXPECT_NEAR(*big.Settling5Pct / (tau * std::log(20.0)), 1, 1e-9);

  // Very under-damped: overshoot e^(-pi zeta / sqrt(1 - zeta^2)), and the
  // response settles within half a period of the envelope e^(-sigma t)
  // reaching the band.
  const double zeta = 1e-6;
  const double wn = 100;
  const ClosedFormFigures tiny = ComputeClosedForm(1, 2 * zeta * wn, wn * wn, 1);
  EXPECT_NEAR(*tiny.OvershootPct, 100 * std::exp(-std::numbers::pi * zeta), 1e-9);
  EXPECT_NEAR(*tiny.PeakTime, std::numbers::pi / wn, 1e-12);
  const double sigma = zeta * wn;
  const double halfPeriod = std::numbers::pi / wn;
  EXPECT_NEAR(*tiny.Settling2Pct, std::log(50.0) / sigma, halfPeriod);
  EXPECT_NEAR(*tiny.Settling5Pct, std::log(20.0) / sigma, halfPeriod);
  const LoopStepResponse loop(2 * zeta * wn, wn * wn);
  EXPECT_NEAR(std::abs(loop.At(*tiny.Settling2Pct) - 1), 0.02, 1e-7);
}

TEST(ClosedFormTest, UnstableAndZeroFinalValue) {
  EXPECT_EQ(ComputeClosedForm(1, 0, 100, 10), ClosedFormFigures{});
  EXPECT_EQ(ComputeClosedForm(1, -5, 100, 10), ClosedFormFigures{});
  EXPECT_EQ(ComputeClosedForm(1, 5, 0, 10), ClosedFormFigures{});
  EXPECT_EQ(ComputeClosedForm(1, 5, -100, 10), ClosedFormFigures{});
  const ClosedFormFigures zero = ComputeClosedForm(1, 5, 100, 0);
  EXPECT_DOUBLE_EQ(*zero.NaturalFreq, 10);
  EXPECT_DOUBLE_EQ(*zero.DampingRatio, 0.25);
  EXPECT_FALSE(zero.OvershootPct);
  EXPECT_FALSE(zero.RiseTime);
  EXPECT_FALSE(zero.Settling2Pct);
  // The sign of the final value does not change the figures.
  EXPECT_EQ(ComputeClosedForm(1, 5, 100, -7), ComputeClosedForm(1, 5, 100, 7));
}

// Simulated runs and the closed form agree within a few integration steps on
// over-damped, near-critical and strongly under-damped drives, with either
// sign of the setpoint.
TEST(ClosedFormTest, AgreesWithSimulatedRuns) {
  struct Case {
    const char* Name;
    DriveInputs Inputs;
  };
  DriveInputs base;
  std::vector<Case> cases;
  cases.push_back({"default", base});
  DriveInputs negative = base;
  negative.Setpoint = -100;
  cases.push_back({"negative setpoint", negative});
  DriveInputs over = base;
  over.FeedbackCoef = 0.1;
  cases.push_back({"over-damped", over});
  DriveInputs critical = base;
  critical.FeedbackCoef = 0.43;
  cases.push_back({"near-critical", critical});
  DriveInputs under = base;
  under.AmpGain = 100;
  cases.push_back({"under-damped", under});
  DriveInputs strongly = base;
  strongly.AmpGain = 1000;
  strongly.Setpoint = -30;
  cases.push_back({"strongly under-damped, negative", strongly});
  DriveInputs teeth = base;
  teeth.LoadTeeth = 12;
  teeth.Setpoint = 250;
  cases.push_back({"12 teeth", teeth});

  const double h = kModelStepSize;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    const RunResult r = RunDrive(c.Inputs, 1500, {.KeepSamples = false, .KeepTicks = false});
    ASSERT_EQ(r.Status, RunStatus::Settled);
    const StepFigures& m = r.Measured;
    const ClosedFormFigures& t = r.ClosedForm;
    EXPECT_NEAR(*m.RiseTime, *t.RiseTime, 3 * h);
    EXPECT_NEAR(*m.Settling2Pct, *t.Settling2Pct, 3 * h);
    EXPECT_NEAR(*m.Settling5Pct, *t.Settling5Pct, 3 * h);
    EXPECT_NEAR(*m.OvershootPct, *t.OvershootPct, 0.01);
    if (*t.OvershootPct > 0.1) {
      ASSERT_TRUE(m.PeakTime);
      EXPECT_NEAR(*m.PeakTime, *t.PeakTime, 3 * h);
    }
  }
}

}  // namespace
}  // namespace drivesim
