// The simulation rig: its records after creation are the window's start-up
// state, and "Process" enters the inputs as the window does, setting a new
// tooth count up first.
#include <gtest/gtest.h>

#include <QImage>

#include "chart/ChartSeries.h"
#include "mechanism/MechanismPicture.h"
#include "platform/Exceptions.h"
#include "sim/SimulationRig.h"

namespace drivesim {
namespace {

// True when the picture is the block sketch with the mechanism of the gears,
// drawn on a fresh surface: the same size and the same pixels.
bool PictureShows(const TBitmap& image, const GearPair& gears) {
  TBitmap expected;
  DrawBlockSketch(expected);
  DrawMechanism(expected, gears);
  return *static_cast<const QImage*>(image.PlatformImage()) ==
         *static_cast<const QImage*>(expected.PlatformImage());
}

TEST(SimulationRigTest, CreationIsTheWindowsStartUp) {
  SimulationRig rig;
  EXPECT_EQ(rig.Model.StepSize, 1e-5);
  EXPECT_EQ(rig.Gears.LoadGear.ToothCount, 42);
  EXPECT_EQ(rig.Gears.MotorGear.ToothCount, 14);
  EXPECT_EQ(rig.Gears.LoadGear.Angle, 0);
  EXPECT_EQ(rig.Gears.MotorGear.Angle, 0);
  EXPECT_DOUBLE_EQ(rig.History.TimeAxis[0], -0.301);
  EXPECT_EQ(rig.History.TimeAxis[HistoryLength - 1], 0);
  EXPECT_EQ(rig.History.VelocityTrace[HistoryLength - 1], 0);
  // No inputs yet: nothing would move.
  EXPECT_EQ(rig.Model.CoefInput, 0);
  EXPECT_EQ(rig.Model.Setpoint, 0);
  EXPECT_EQ(rig.Image.Width(), kPictureWidth);
  EXPECT_EQ(rig.Image.Height(), kPictureHeight);
  EXPECT_TRUE(PictureShows(rig.Image, rig.Gears));
}

TEST(SimulationRigTest, ProcessEntersTheInputsAndSetsANewToothCountUpFirst) {
  SimulationRig rig;
  TChartSeries velocity;
  TChartSeries setpoint;
  rig.Process();
  DriveModel expected;
  expected.StepSize = 1e-5;
  EnterInputs(expected, DriveInputs{});
  EXPECT_DOUBLE_EQ(rig.Model.GearRatio, 1.0 / 3.0);
  EXPECT_EQ(rig.Model.CoefVelocity, expected.CoefVelocity);
  EXPECT_EQ(rig.Model.Setpoint, 100);
  EXPECT_EQ(rig.Model.SetpointShown, 100);
  for (int n = 0; n < 20; ++n) rig.Tick(velocity, setpoint);
  ASSERT_GT(rig.Gears.LoadGear.Angle, 0);
  ASSERT_GT(rig.Model.State[1], 0);

  // The same tooth count again: the gears turn on from where they are, and
  // the running model keeps its state while the new setpoint takes over.
  const double angle = rig.Gears.LoadGear.Angle;
  const double velocityNow = rig.Model.State[1];
  rig.Process({.Setpoint = 50});
  EXPECT_EQ(rig.Gears.LoadGear.Angle, angle);
  EXPECT_EQ(rig.Model.State[1], velocityNow);
  EXPECT_EQ(rig.Model.Setpoint, 50);
  EXPECT_TRUE(PictureShows(rig.Image, rig.Gears));

  // Another tooth count: the gears are set up for it from angle 0, the ratio
  // is the new pair's, and the picture shows them.
  rig.Process({.LoadTeeth = 20});
  EXPECT_EQ(rig.Gears.LoadGear.ToothCount, 20);
  EXPECT_EQ(rig.Gears.MotorGear.ToothCount, 36);
  EXPECT_EQ(rig.Gears.LoadGear.Angle, 0);
  EXPECT_EQ(rig.Gears.MotorGear.Angle, 0);
  EXPECT_DOUBLE_EQ(rig.Model.GearRatio, 1.8);
  EXPECT_TRUE(PictureShows(rig.Image, rig.Gears));

  // A zero time constant cannot be processed: the inputs are stored, the
  // coefficients stay as they were.
  const double coefficient = rig.Model.CoefInput;
  EXPECT_THROW(rig.Process({.AmpTimeConst = 0, .LoadTeeth = 20}), EZeroDivide);
  EXPECT_EQ(rig.Model.AmpTimeConst, 0);
  EXPECT_EQ(rig.Model.CoefInput, coefficient);
}

}  // namespace
}  // namespace drivesim
