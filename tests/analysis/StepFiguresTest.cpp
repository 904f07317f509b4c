// Figures of the drive's step response: the default drive's figures, the
// streaming meter against the definitions on every prefix of real runs, and
// hand-made records whose figures can be worked out on paper.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "analysis/RunResult.h"
#include "analysis/StepMeter.h"

namespace drivesim {
namespace {

constexpr double kH = 1e-5;

TEST(StepFiguresTest, DefaultDriveFromRest) {
  DriveInputs inputs;  // the window's defaults, setpoint 100
  const RunResult r = RunDrive(inputs, 400);
  ASSERT_TRUE(r.Finished);
  EXPECT_EQ(r.Record.End, RunEnd::Completed);
  EXPECT_EQ(r.Record.TicksDone, 400);
  ASSERT_EQ(r.Record.Velocity.size(), 40001u);
  EXPECT_EQ(r.Record.Velocity[0], 0.0);

  ASSERT_TRUE(r.FinalValue);
  EXPECT_NEAR(*r.FinalValue, 100.0 * 14 / 15.6, 1e-12);
  const StepFigures& m = r.Measured;
  EXPECT_NEAR(*m.StaticError, 100 - 89.743589743589744, 1e-9);
  EXPECT_NEAR(*m.StaticErrorPct, 10.2564, 1e-4);
  EXPECT_NEAR(*m.OvershootPct, 4.651, 1e-3);
  EXPECT_NEAR(*m.Peak, 93.918, 1e-3);
  EXPECT_NEAR(*m.PeakTime, 0.03476, 1e-5);
  EXPECT_NEAR(*m.RiseTime, 0.01680, 1e-5);
  EXPECT_NEAR(*m.Settling2Pct, 0.04735, 1e-5);
  ASSERT_TRUE(m.Settling5Pct);
  EXPECT_LT(*m.Settling5Pct, *m.Settling2Pct);
  EXPECT_EQ(m.Crossings, 1);
  EXPECT_NEAR(*m.EndValue, *r.FinalValue, 1e-6);
  EXPECT_EQ(r.Status, RunStatus::Settled);

  const ClosedFormFigures& c = r.ClosedForm;
  EXPECT_NEAR(*c.DampingRatio, 0.6987, 1e-4);
  EXPECT_NEAR(*c.NaturalFreq, 126.30, 1e-2);
  EXPECT_NEAR(*c.OvershootPct, 4.6513, 1e-4);
  ASSERT_TRUE(c.PeakTime && c.RiseTime && c.Settling2Pct && c.Settling5Pct);
  // The simulated run follows the loop within a few integration steps.
  EXPECT_NEAR(*c.PeakTime, *m.PeakTime, 3 * kH);
  EXPECT_NEAR(*c.RiseTime, *m.RiseTime, 3 * kH);
  EXPECT_NEAR(*c.Settling2Pct, *m.Settling2Pct, 3 * kH);
  EXPECT_NEAR(*c.Settling5Pct, *m.Settling5Pct, 3 * kH);
}

// The meter, fed one sample at a time, against the definitions applied to
// the record so far.
void ExpectMeterMatchesDefinitions(const DriveInputs& inputs, int ticks, std::size_t stride) {
  const RunResult r = RunDrive(inputs, ticks);
  const std::vector<double>& y = r.Record.Velocity;
  ASSERT_FALSE(y.empty());
  const double setpoint = inputs.Setpoint;
  StepMeter meter(setpoint, r.FinalValue, kH);
  EXPECT_EQ(meter.Figures(), MeasureStep(y, 0, setpoint, r.FinalValue, kH));
  for (std::size_t n = 1; n <= y.size(); ++n) {
    meter.Feed(y[n - 1]);
    if (n % stride != 0 && n != y.size() && n > 50) continue;
    const StepFigures batch = MeasureStep(y, n, setpoint, r.FinalValue, kH);
    ASSERT_EQ(meter.Figures(), batch) << "after " << n << " samples";
  }
  // The run's own meter saw the same samples.
  EXPECT_EQ(r.Measured, MeasureStep(y, setpoint, r.FinalValue, kH));
}

TEST(StepFiguresTest, MeterAgreesWithDefinitionsOnEveryPrefix) {
  DriveInputs inputs;
  // Every prefix of the default run's first 60 ms: the rise, the peak, the
  // entry into both bands.
  ExpectMeterMatchesDefinitions(inputs, 60, 1);
  // A strongly under-damped loop with many crossings, and a negative
  // setpoint.
  DriveInputs swinging = inputs;
  swinging.AmpGain = 100;
  swinging.Setpoint = -150;
  ExpectMeterMatchesDefinitions(swinging, 150, 7);
  // An over-damped loop that settles without crossing.
  DriveInputs slow = inputs;
  slow.ViscousFriction = 100;
  slow.FeedbackCoef = 0.05;
  ExpectMeterMatchesDefinitions(slow, 200, 13);
  // An unstable loop that diverges.
  DriveInputs unstable = inputs;
  unstable.FeedbackCoef = -1;
  ExpectMeterMatchesDefinitions(unstable, 100, 11);
}

TEST(StepFiguresTest, HandMadeRecords) {
  // y_inf = 10. Rises through 1 between samples 1 and 2, through 9 between
  // 3 and 4, peaks at 12 (sample 5), crosses 10 four times, and enters the
  // 2 % band (9.8..10.2) for good between samples 8 and 9.
  const std::vector<double> y = {0, 0.5, 2, 8, 11, 12, 9, 10.5, 9.7, 10.1, 9.9, 10.0};
  const StepFigures f = MeasureStep(y, 20, 10.0, 1.0);
  EXPECT_DOUBLE_EQ(*f.StaticError, 10);
  EXPECT_DOUBLE_EQ(*f.StaticErrorPct, 50);
  EXPECT_DOUBLE_EQ(*f.Peak, 12);
  EXPECT_DOUBLE_EQ(*f.PeakTime, 5);
  EXPECT_DOUBLE_EQ(*f.OvershootPct, 20);
  // 10 %: 1 + (1 - 0.5) / 1.5 = 1.3333; 90 %: 3 + (9 - 8) / 3 = 3.3333.
  EXPECT_NEAR(*f.RiseTime, 2.0, 1e-12);
  // Last outside 2 %: sample 8 (9.7), entering at 9.8: 8 + 0.1 / 0.4.
  EXPECT_NEAR(*f.Settling2Pct, 8.25, 1e-12);
  // Last outside 5 %: sample 6 (9.0), entering at 9.5: 6 + 0.5 / 1.5.
  EXPECT_NEAR(*f.Settling5Pct, 6 + 1.0 / 3, 1e-12);
  // Crossings up to sample 8: 8->11, 12->9, 9->10.5, 10.5->9.7.
  EXPECT_EQ(f.Crossings, 4);
  EXPECT_DOUBLE_EQ(*f.EndValue, 10);

  // The same record mirrored for a negative final value gives the same
  // figures, the peak and the end keeping the velocity's sign.
  std::vector<double> mirrored;
  for (double v : y) mirrored.push_back(-v);
  const StepFigures g = MeasureStep(mirrored, -20, -10.0, 1.0);
  EXPECT_DOUBLE_EQ(*g.Peak, -12);
  EXPECT_EQ(g.OvershootPct, f.OvershootPct);
  EXPECT_EQ(g.RiseTime, f.RiseTime);
  EXPECT_EQ(g.Settling2Pct, f.Settling2Pct);
  EXPECT_EQ(g.Crossings, f.Crossings);
  EXPECT_DOUBLE_EQ(*g.StaticErrorPct, 50);

  // A record that never gets beyond y_inf: no peak, no overshoot, no rise
  // to 90 %, not settled; touching y_inf exactly is no crossing.
  const std::vector<double> low = {0, 3, 5, 8, 8.5};
  const StepFigures h = MeasureStep(low, 10, 10.0, 1.0);
  EXPECT_FALSE(h.Peak);
  EXPECT_FALSE(h.PeakTime);
  EXPECT_DOUBLE_EQ(*h.OvershootPct, 0);
  EXPECT_FALSE(h.RiseTime);
  EXPECT_FALSE(h.Settling2Pct);
  EXPECT_FALSE(h.Settling5Pct);
  EXPECT_EQ(h.Crossings, 0);
  const std::vector<double> touch = {0, 10, 9, 10, 11, 10};
  EXPECT_EQ(MeasureStep(touch, 10, 10.0, 1.0).Crossings, 1);

  // The last sample outside the band: not settled even though earlier
  // samples were inside; the crossings then count over the whole record.
  const std::vector<double> leaves = {0, 10, 10.1, 9, 11, 12};
  const StepFigures k = MeasureStep(leaves, 10, 10.0, 1.0);
  EXPECT_FALSE(k.Settling2Pct);
  EXPECT_EQ(k.Crossings, 3);

  // y_inf = 0: only the static error and the end value.
  const StepFigures z = MeasureStep(low, 0, 0.0, 1.0);
  EXPECT_DOUBLE_EQ(*z.StaticError, 0);
  EXPECT_FALSE(z.StaticErrorPct);
  EXPECT_FALSE(z.OvershootPct);
  EXPECT_FALSE(z.Settling2Pct);
  EXPECT_FALSE(z.Crossings);
  EXPECT_DOUBLE_EQ(*z.EndValue, 8.5);
  // No final value at all (CoefVelocity 0): no static error either.
  EXPECT_FALSE(MeasureStep(low, 10, std::nullopt, 1.0).StaticError);
}

TEST(StepFiguresTest, FinalValueAndStatus) {
  EXPECT_FALSE(LoopFinalValue(1, 0, 10));
  EXPECT_FALSE(LoopFinalValue(1e300, 1e-300, 10));
  EXPECT_DOUBLE_EQ(*LoopFinalValue(3, 2, 10), 15);

  DriveInputs zero;
  zero.Setpoint = 0;
  const RunResult r0 = RunDrive(zero, 20);
  EXPECT_EQ(r0.Status, RunStatus::NoResponse);
  EXPECT_EQ(*r0.Measured.EndValue, 0.0);
  EXPECT_TRUE(r0.ClosedForm.DampingRatio);
  EXPECT_FALSE(r0.ClosedForm.OvershootPct);

  DriveInputs shortRun;
  EXPECT_EQ(RunDrive(shortRun, 30).Status, RunStatus::NotSettled);

  // A negative feedback coefficient makes CoefVelocity negative: unstable,
  // no closed-form figures, and in time the run overflows.
  DriveInputs unstable;
  unstable.FeedbackCoef = -1;
  const RunResult u = RunDrive(unstable, 100);
  EXPECT_EQ(u.Status, RunStatus::Unstable);
  EXPECT_EQ(u.ClosedForm, ClosedFormFigures{});
  unstable.FeedbackCoef = -100;
  const RunResult d = RunDrive(unstable, 3000, {.KeepSamples = false});
  EXPECT_EQ(d.Record.End, RunEnd::Failed);
  EXPECT_EQ(d.Status, RunStatus::Diverged);
  EXPECT_EQ(d.Record.FailureMessage, "Floating point overflow");
  EXPECT_GT(d.Record.FailedTick, 100);
  EXPECT_EQ(d.Record.TicksDone, d.Record.FailedTick - 1);
  EXPECT_EQ(d.Record.Ticks.size(), static_cast<std::size_t>(d.Record.TicksDone));
  // The figures of the part before the failure are kept.
  ASSERT_TRUE(d.Measured.EndValue);
  EXPECT_GT(std::abs(*d.Measured.EndValue), 1e300);
  EXPECT_TRUE(d.Measured.StaticError);
}

}  // namespace
}  // namespace drivesim
