// The drive model's coefficients and trajectory, pinned against values worked
// out independently for the default inputs, and its arithmetic failures.
#include <gtest/gtest.h>

#include <cmath>

#include "mechanism/Gears.h"
#include "platform/Exceptions.h"
#include "sim/DriveInputs.h"
#include "sim/DriveModel.h"

namespace drivesim {
namespace {

// The inputs the main window offers by default, entered as "Process" enters
// them.
DriveModel DefaultModel() {
  DriveModel m;
  m.StepSize = kModelStepSize;
  EnterInputs(m, DriveInputs{});
  return m;
}

void RunSteps(DriveModel& m, int steps) {
  for (int s = 0; s < steps; ++s) m.IntegrateStep();
}

// Relative tolerance of golden values: they agree to rounding, whatever
// precision the intermediates are carried in.
constexpr double kRel = 1e-10;

TEST(DriveModelTest, DefaultInputsGiveTheKnownCoefficients) {
  DriveModel m = DefaultModel();
  m.ComputeCoefficients(42, 14);
  EXPECT_DOUBLE_EQ(m.GearRatio, 1.0 / 3.0);
  EXPECT_NEAR(m.Denominator, 3.26e-4, 3.26e-4 * kRel);
  EXPECT_NEAR(m.CoefInput, 14314.928425357872, 14314.93 * kRel);
  EXPECT_NEAR(m.CoefAccel, 176.48261758691208, 176.48 * kRel);
  EXPECT_NEAR(m.CoefVelocity, 15950.920245398771, 15950.92 * kRel);
  // Steady state: the gear ratio and the inertias cancel out.
  EXPECT_NEAR(m.CoefInput * 100 / m.CoefVelocity, 100 * 14 / 15.6, 1e-9);

  // The tooth counts of a gear pair give the same ratio: the motor gear's
  // count over the load gear's, not the other way round.
  GearPair gears;
  gears.SetUpGears(42);
  DriveModel fromGears = DefaultModel();
  fromGears.ComputeCoefficients(gears);
  EXPECT_EQ(fromGears.GearRatio, m.GearRatio);
  EXPECT_EQ(fromGears.CoefVelocity, m.CoefVelocity);
  gears.SetUpGears(8);
  fromGears.ComputeCoefficients(gears);
  EXPECT_DOUBLE_EQ(fromGears.GearRatio, 6.0);
}

TEST(DriveModelTest, StepResponseFollowsTheComponentWiseScheme) {
  DriveModel m = DefaultModel();
  m.ComputeCoefficients(42, 14);
  m.Setpoint = 100;

  m.IntegrateStep();
  EXPECT_NEAR(m.State[0], 14.302304172790548, 14.3 * kRel);
  // The velocity is advanced with the new acceleration in all four stages:
  // exactly one step times it, about twice what a vector step would give.
  EXPECT_EQ(m.State[1], m.StepSize * m.State[0]);
  // After the step the rates are those of the last evaluation.
  EXPECT_EQ(m.Rate[1], m.State[0]);

  RunSteps(m, 99);  // one tick of 100 steps in all
  EXPECT_NEAR(m.State[1], 0.6810904185230032, kRel);
  EXPECT_GT(m.State[1], 0.6800);  // a vector integration reaches only 0.6745

  // Overshoot to about 93.9 rad/s at 35 ms, then settling at
  // 100 * 14 / 15.6 rad/s.
  double peak = m.State[1];
  int peakTick = 1;
  for (int tick = 2; tick <= 400; ++tick) {
    RunSteps(m, 100);
    if (m.State[1] > peak) {
      peak = m.State[1];
      peakTick = tick;
    }
    if (tick == 10) {
      EXPECT_NEAR(m.State[1], 38.302663127943504, 38.3 * kRel);
    }
  }
  EXPECT_EQ(peakTick, 35);
  EXPECT_NEAR(peak, 93.91596580109777, 93.9 * kRel);
  EXPECT_NEAR(m.State[1], 89.7435897435865, 89.74 * kRel);
  EXPECT_NEAR(m.State[1], 100 * 14 / 15.6, 1e-9);
}

TEST(DriveModelTest, ZeroSetpointAtRestStaysExactlyAtRest) {
  DriveModel m = DefaultModel();
  m.ComputeCoefficients(42, 14);
  m.Setpoint = 0;
  RunSteps(m, 1000);
  EXPECT_EQ(m.State[0], 0.0);
  EXPECT_EQ(m.State[1], 0.0);
  EXPECT_EQ(m.Rate[0], 0.0);
  EXPECT_EQ(m.Rate[1], 0.0);
}

TEST(DriveModelTest, ResetZeroesOnlyTheState) {
  DriveModel m = DefaultModel();
  m.ComputeCoefficients(42, 14);
  m.Setpoint = 100;
  m.SetpointShown = 100;
  RunSteps(m, 150);
  const DriveModel before = m;
  m.ZeroState();
  EXPECT_EQ(m.State[0], 0.0);
  EXPECT_EQ(m.State[1], 0.0);
  EXPECT_EQ(m.Rate[0], 0.0);
  EXPECT_EQ(m.Rate[1], 0.0);
  EXPECT_EQ(m.CoefInput, before.CoefInput);
  EXPECT_EQ(m.StageStart, before.StageStart);
  EXPECT_EQ(m.Setpoint, 100);
  EXPECT_EQ(m.SetpointShown, 100);
  // From rest again the trajectory starts over.
  RunSteps(m, 100);
  EXPECT_NEAR(m.State[1], 0.6810904185230032, kRel);
}

TEST(DriveModelTest, ZeroDenominatorTrapsBeforeAnyCoefficientChanges) {
  DriveModel m = DefaultModel();
  m.ComputeCoefficients(42, 14);
  const double input = m.CoefInput, accel = m.CoefAccel, velocity = m.CoefVelocity;

  // A time constant of 0: the ratio and the zero denominator are stored, the
  // division for CoefInput traps.
  m.AmpTimeConst = 0;
  EXPECT_THROW(m.ComputeCoefficients(8, 48), EZeroDivide);
  EXPECT_EQ(m.GearRatio, 6.0);
  EXPECT_EQ(m.Denominator, 0.0);
  EXPECT_EQ(m.CoefInput, input);
  EXPECT_EQ(m.CoefAccel, accel);
  EXPECT_EQ(m.CoefVelocity, velocity);

  // Zero over zero is an invalid operation.
  m.AmpGain = 0;
  try {
    m.ComputeCoefficients(42, 14);
    FAIL() << "no trap";
  } catch (const EInvalidOp& e) {
    EXPECT_EQ(e.Message(), "Invalid floating point operation");
  }
  EXPECT_EQ(m.CoefInput, input);

  // A load gear without teeth traps at the ratio, before anything is stored.
  m = DefaultModel();
  m.ComputeCoefficients(42, 14);
  const double denominator = m.Denominator;
  EXPECT_THROW(m.ComputeCoefficients(0, 56), EZeroDivide);
  EXPECT_DOUBLE_EQ(m.GearRatio, 1.0 / 3.0);
  EXPECT_EQ(m.Denominator, denominator);
  EXPECT_EQ(m.CoefVelocity, velocity);
}

TEST(DriveModelTest, DivergingModelOverflowsWithoutStoringTheBadResult) {
  // A strongly negative feedback makes CoefVelocity negative: the velocity
  // grows without bound until the arithmetic overflows.
  DriveModel m = DefaultModel();
  m.FeedbackCoef = -1000;
  m.ComputeCoefficients(42, 14);
  ASSERT_LT(m.CoefVelocity, 0);
  m.Setpoint = 100;

  bool overflowed = false;
  DriveModel before;
  for (int step = 0; step < 1000000 && !overflowed; ++step) {
    before = m;
    try {
      m.IntegrateStep();
    } catch (const EOverflow& e) {
      EXPECT_EQ(e.Message(), "Floating point overflow");
      overflowed = true;
    }
  }
  ASSERT_TRUE(overflowed);
  for (double v : {m.State[0], m.State[1], m.Rate[0], m.Rate[1], m.StageStart}) {
    EXPECT_TRUE(std::isfinite(v));
  }
  EXPECT_GT(std::abs(before.State[1]), 1e290);
  EXPECT_EQ(m.CoefVelocity, before.CoefVelocity);
  // The state left behind traps again on the next step.
  EXPECT_THROW(m.IntegrateStep(), EOverflow);
}

}  // namespace
}  // namespace drivesim
