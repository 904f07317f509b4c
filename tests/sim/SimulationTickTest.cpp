// The simulation tick and the time history: what the oscilloscope series hold
// after each tick, how the time axis moves on, "Reset", setpoint changes, the
// gears and the picture, and a tick that fails part-way.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "BitmapPixels.h"
#include "chart/ChartSeries.h"
#include "mechanism/Gears.h"
#include "mechanism/MechanismPicture.h"
#include "platform/Exceptions.h"
#include "platform/Graphics.h"
#include "sim/DriveModel.h"
#include "sim/SimulationRig.h"
#include "sim/TimeHistory.h"

namespace drivesim {
namespace {

// What the main window holds, set up as its creation does, with two plain
// series for the tick to refill.
struct Simulation : SimulationRig {
  TChartSeries Velocity;
  TChartSeries Setpoint;

  // The setpoint typed into its spin edit, then "Process" with the default
  // inputs.
  void Process(int setpoint, double feedback = 1) {
    SimulationRig::Process({.FeedbackCoef = feedback, .Setpoint = setpoint});
  }
  void Tick() { SimulationRig::Tick(Velocity, Setpoint); }
};

// The time of index k on a freshly reset axis, worked out here on its own.
double ResetTime(int k) { return (k - 301) * 100 * 1e-5; }

struct SeriesCopy {
  std::vector<double> X, Y;
  std::vector<TColor> Colors;
};
SeriesCopy Copy(const TChartSeries& s) {
  SeriesCopy c;
  for (int i = 0; i < s.PointCount(); ++i) {
    c.X.push_back(s.XValueAt(i));
    c.Y.push_back(s.YValueAt(i));
    c.Colors.push_back(s.ColorList()[static_cast<std::size_t>(i)]);
  }
  return c;
}

TEST(SimulationTickTest, FirstTickAfterProcessShowsOneNewSampleAtTheEnd) {
  Simulation sim;
  EXPECT_EQ(sim.Velocity.PointCount(), 0);  // creation does not fill the series
  sim.Process(100);
  DriveModel reference = sim.Model;
  for (int s = 0; s < 100; ++s) reference.IntegrateStep();
  ASSERT_GT(reference.State[1], 0.68);

  sim.Tick();
  ASSERT_EQ(sim.Velocity.PointCount(), HistoryLength);
  ASSERT_EQ(sim.Setpoint.PointCount(), HistoryLength);
  for (int k = 0; k < HistoryLength; ++k) {
    const double x = 1e-5 * 100 + ResetTime(k);
    EXPECT_EQ(sim.Velocity.XValueAt(k), x) << k;
    EXPECT_EQ(sim.Setpoint.XValueAt(k), x) << k;
    EXPECT_EQ(sim.Velocity.YValueAt(k), k == 301 ? reference.State[1] : 0.0) << k;
    EXPECT_EQ(sim.Setpoint.YValueAt(k), k == 301 ? 100.0 : 0.0) << k;
    EXPECT_EQ(sim.Velocity.ColorList()[k], 0xFFFF00u);
    EXPECT_EQ(sim.Setpoint.ColorList()[k], 0x00FF00u);
    EXPECT_EQ(sim.Velocity.PointLabel(k), "");
    EXPECT_EQ(sim.Setpoint.PointLabel(k), "");
  }
  EXPECT_NEAR(sim.Velocity.XValueAt(0), -0.300, 1e-15);
  EXPECT_NEAR(sim.Velocity.XValueAt(301), 0.001, 1e-15);
  // After the shift the newest sample sits in slots 300 and 301 until the
  // next tick writes 301.
  EXPECT_EQ(sim.History.VelocityTrace[300], reference.State[1]);
  EXPECT_EQ(sim.History.VelocityTrace[301], reference.State[1]);
  EXPECT_EQ(sim.History.VelocityTrace[299], 0.0);
  EXPECT_EQ(sim.History.SetpointTrace[300], 100.0);
  EXPECT_EQ(sim.Model.State[1], reference.State[1]);
}

TEST(SimulationTickTest, SeriesShowEachSampleAtItsTimeAndTheAxisAccumulates) {
  Simulation sim;
  sim.Process(100);
  // A second model run on its own gives the velocity of every tick.
  DriveModel reference = sim.Model;
  std::vector<double> velocity{0.0};  // velocity[n]: after tick n
  double newestTime = 0;
  double oldestTime = ResetTime(0);
  const int ticks = 420;  // more than one full history
  for (int n = 1; n <= ticks; ++n) {
    for (int s = 0; s < 100; ++s) reference.IntegrateStep();
    velocity.push_back(reference.State[1]);
    newestTime = 1e-5 * 100 + newestTime;
    oldestTime = 1e-5 * 100 + oldestTime;
    sim.Tick();
    if (n == 1 || n == 150 || n == 301 || n == 302 || n == ticks) {
      ASSERT_EQ(sim.Velocity.PointCount(), HistoryLength) << n;
      for (int k = 0; k < HistoryLength; ++k) {
        const int sampleTick = n - 301 + k;
        ASSERT_EQ(sim.Velocity.YValueAt(k), sampleTick >= 1 ? velocity[sampleTick] : 0.0)
            << "tick " << n << " index " << k;
        ASSERT_EQ(sim.Setpoint.YValueAt(k), sampleTick >= 1 ? 100.0 : 0.0);
        ASSERT_EQ(sim.Velocity.XValueAt(k), sim.History.TimeAxis[k]);
        ASSERT_EQ(sim.Setpoint.XValueAt(k), sim.History.TimeAxis[k]);
        if (k > 0) {
          ASSERT_GT(sim.Velocity.XValueAt(k), sim.Velocity.XValueAt(k - 1));
        }
      }
    }
  }
  // Moved on by addition: bit for bit the same sum accumulated in the same
  // order, and not the recomputed n * 0.001.
  EXPECT_EQ(sim.History.TimeAxis[301], newestTime);
  EXPECT_EQ(sim.History.TimeAxis[0], oldestTime);
  EXPECT_NEAR(sim.History.TimeAxis[301], ticks * 0.001, 1e-12);
  EXPECT_NEAR(sim.History.TimeAxis[301] - sim.History.TimeAxis[0], 0.301, 1e-12);
  // By now the load velocity is near its steady value.
  EXPECT_NEAR(sim.Velocity.YValueAt(301), 100 * 14 / 15.6, 0.5);
}

TEST(SimulationTickTest, ResetGivesFlatZeroTracesAndTimeRestarts) {
  Simulation sim;
  sim.Process(100);
  for (int n = 0; n < 40; ++n) sim.Tick();
  const double loadAngle = sim.Gears.LoadGear.Angle;
  ASSERT_NE(loadAngle, 0.0);

  // "Reset": the state, then the history in one pass, then the series.
  sim.Model.ZeroState();
  sim.History.ResetHistory(sim.Model.StepSize);
  FillSeries(sim.Velocity, sim.Setpoint, sim.History);
  ASSERT_EQ(sim.Velocity.PointCount(), HistoryLength);
  ASSERT_EQ(sim.Setpoint.PointCount(), HistoryLength);
  for (int k = 0; k < HistoryLength; ++k) {
    EXPECT_EQ(sim.Velocity.XValueAt(k), ResetTime(k));
    EXPECT_EQ(sim.Setpoint.XValueAt(k), ResetTime(k));
    EXPECT_EQ(sim.Velocity.YValueAt(k), 0.0);
    EXPECT_EQ(sim.Setpoint.YValueAt(k), 0.0);
    EXPECT_EQ(sim.Velocity.ColorList()[k], clAqua);
    EXPECT_EQ(sim.Setpoint.ColorList()[k], clLime);
  }
  EXPECT_NEAR(sim.Velocity.XValueAt(0), -0.301, 1e-15);
  EXPECT_EQ(sim.Velocity.XValueAt(301), 0.0);
  EXPECT_EQ(sim.Gears.LoadGear.Angle, loadAngle);

  // ResetTimeAxis alone keeps the traces.
  TimeHistory axisOnly = sim.History;
  axisOnly.VelocityTrace[5] = 3;
  axisOnly.TimeAxis[5] = 7;
  axisOnly.ResetTimeAxis(kModelStepSize);
  EXPECT_EQ(axisOnly.VelocityTrace[5], 3.0);
  EXPECT_EQ(axisOnly.TimeAxis[5], ResetTime(5));

  // "Process" again: the model starts from rest and time from 0.001 s, and
  // the gears go on from where they were.
  sim.Process(100);
  DriveModel fromRest = sim.Model;
  for (int s = 0; s < 100; ++s) fromRest.IntegrateStep();
  sim.Tick();
  EXPECT_EQ(sim.History.TimeAxis[301], 1e-5 * 100);
  EXPECT_EQ(sim.Velocity.YValueAt(301), fromRest.State[1]);
  EXPECT_EQ(sim.Velocity.YValueAt(300), 0.0);
  EXPECT_EQ(sim.Gears.LoadGear.Angle, loadAngle);  // the state was at rest
}

TEST(SimulationTickTest, SetpointChangeStepsAtTheNewestSampleAndTravelsToTheOldest) {
  Simulation sim;
  sim.Process(0);
  for (int n = 0; n < 5; ++n) sim.Tick();
  // The setpoint spin edit changes while the timer runs.
  sim.Model.SetpointShown = 10;
  sim.Model.Setpoint = 10;
  for (int m = 1; m <= 303; ++m) {
    sim.Tick();
    int firstTen = HistoryLength;
    for (int k = HistoryLength - 1; k >= 0 && sim.Setpoint.YValueAt(k) == 10.0; --k) firstTen = k;
    // After m ticks the m newest samples hold the new value, the rest 0.
    const int expected = std::max(0, HistoryLength - m);
    ASSERT_EQ(firstTen, expected) << m;
    if (expected > 0) {
      ASSERT_EQ(sim.Setpoint.YValueAt(expected - 1), 0.0) << m;
    }
  }
  // The load follows with the model's transient, from the first tick on.
  EXPECT_GT(sim.Velocity.YValueAt(301), 0.0);
}

TEST(SimulationTickTest, GearsTurnWithTheVelocityAndThePictureIsRedrawnEveryTick) {
  // At rest with a zero setpoint the angles stay where they are, but the
  // mechanism is still drawn again: a mark in the mechanism part is gone.
  Simulation sim;
  sim.Gears.LoadGear.Angle = 1.25;
  sim.Gears.MotorGear.Angle = -3.75;
  sim.Gears.RebuildGearOutlines();
  sim.Process(0);
  for (int n = 0; n < 3; ++n) {
    sim.Image.Canvas().SetPixel(300, 20, clBlue);
    sim.Tick();
    EXPECT_EQ(sim.Image.Pixel(300, 20), clWhite) << n;
    EXPECT_EQ(sim.Gears.LoadGear.Angle, 1.25);
    EXPECT_EQ(sim.Gears.MotorGear.Angle, -3.75);
  }

  // Turning: each tick's angle step comes from the velocity the previous
  // tick left, and the picture shows the gears at the new angles.
  sim.Process(100);
  sim.Tick();  // the velocity left before this tick was 0
  EXPECT_EQ(sim.Gears.LoadGear.Angle, 1.25);
  double load = 1.25;
  std::vector<TColor> before = Pixels(sim.Image);
  bool pictureChanged = false;
  for (int n = 0; n < 30; ++n) {
    const double left = sim.Model.State[1];
    sim.Tick();
    load = load + (left * 1e-5) * 20;
    ASSERT_EQ(sim.Gears.LoadGear.Angle, load);
    ASSERT_EQ(sim.Gears.MotorGear.Angle, (-load * 42) / 14);
    const std::vector<TColor> after = Pixels(sim.Image);
    pictureChanged = pictureChanged || after != before;
    before = after;
  }
  EXPECT_TRUE(pictureChanged);
  // The picture is exactly what creation would draw at these angles.
  TBitmap fresh;
  DrawBlockSketch(fresh);
  DrawMechanism(fresh, sim.Gears);
  EXPECT_TRUE(Pixels(fresh) == Pixels(sim.Image));
}

// Every field of the model record, bit for bit (the record holds doubles
// only, so there is no padding to differ).
bool SameModel(const DriveModel& a, const DriveModel& b) {
  return std::memcmp(&a, &b, sizeof(DriveModel)) == 0;
}

TEST(SimulationTickTest, FailingTickLeavesEveryRecordAsTheLastGoodTickLeftIt) {
  Simulation sim;
  // A feedback this negative makes the loop unstable: the velocity grows
  // until the arithmetic overflows.
  sim.Process(100, -1000);
  ASSERT_LT(sim.Model.CoefVelocity, 0);
  int completed = 0;
  for (; completed < 5000; ++completed) {
    const DriveModel model = sim.Model;
    const TimeHistory history = sim.History;
    const GearPair gears = sim.Gears;
    const SeriesCopy velocity = Copy(sim.Velocity);
    const SeriesCopy setpoint = Copy(sim.Setpoint);
    sim.Image.Canvas().SetPixel(300, 20, clBlue);
    try {
      sim.Tick();
    } catch (const EOverflow& e) {
      EXPECT_EQ(e.Message(), "Floating point overflow");
      // Nothing of the tick stayed: not the model's state part-way through
      // an integration step, not the gears' turn, not the time axis.
      EXPECT_TRUE(SameModel(sim.Model, model));
      EXPECT_EQ(sim.Gears.LoadGear.Angle, gears.LoadGear.Angle);
      EXPECT_EQ(sim.Gears.MotorGear.Angle, gears.MotorGear.Angle);
      EXPECT_EQ(sim.Gears.AngleStep, gears.AngleStep);
      EXPECT_EQ(sim.Gears.LoadGear.Front, gears.LoadGear.Front);
      EXPECT_EQ(sim.Gears.MotorGear.Back, gears.MotorGear.Back);
      for (int k = 0; k < HistoryLength; ++k) {
        ASSERT_EQ(sim.History.TimeAxis[k], history.TimeAxis[k]);
        ASSERT_EQ(sim.History.VelocityTrace[k], history.VelocityTrace[k]);
        ASSERT_EQ(sim.History.SetpointTrace[k], history.SetpointTrace[k]);
      }
      const SeriesCopy velocityAfter = Copy(sim.Velocity);
      const SeriesCopy setpointAfter = Copy(sim.Setpoint);
      EXPECT_EQ(velocityAfter.X, velocity.X);
      EXPECT_EQ(velocityAfter.Y, velocity.Y);
      EXPECT_EQ(setpointAfter.Y, setpoint.Y);
      EXPECT_EQ(sim.Velocity.PointCount(), HistoryLength);
      EXPECT_EQ(sim.Image.Pixel(300, 20), clBlue);  // not redrawn
      // The next tick fails again from the same state, and changes nothing
      // either.
      EXPECT_THROW(sim.Tick(), EOverflow);
      EXPECT_TRUE(SameModel(sim.Model, model));
      EXPECT_EQ(sim.Gears.LoadGear.Angle, gears.LoadGear.Angle);
      break;
    }
    EXPECT_EQ(sim.Image.Pixel(300, 20), clWhite);
    // While it diverges the gears stay within about a turn either way.
    EXPECT_LT(std::abs(sim.Gears.LoadGear.Angle), 2 * 6.2831853071795865);
  }
  EXPECT_GT(completed, 10);
  EXPECT_LT(completed, 5000);

  // Inputs that no longer diverge go on from the last good tick: exactly
  // the run of a simulation that stopped there without the failing ticks.
  Simulation twin;
  twin.Process(100, -1000);
  for (int n = 0; n < completed; ++n) twin.Tick();
  // The model is brought back to rest (its last good state has diverged too
  // far for any inputs); the history, the time axis and the gears go on.
  for (Simulation* s : {&sim, &twin}) {
    s->Process(100, 1);
    s->Model.ZeroState();
    for (int n = 0; n < 20; ++n) s->Tick();
  }
  EXPECT_TRUE(SameModel(sim.Model, twin.Model));
  EXPECT_EQ(sim.Gears.LoadGear.Angle, twin.Gears.LoadGear.Angle);
  EXPECT_TRUE(Pixels(sim.Image) == Pixels(twin.Image));
  EXPECT_EQ(Copy(sim.Velocity).Y, Copy(twin.Velocity).Y);
  EXPECT_EQ(Copy(sim.Velocity).X, Copy(twin.Velocity).X);
}

TEST(SimulationTickTest, TimeAxisThatWouldOverflowIsNotAdvancedInPart) {
  // An axis so far on that its newest slot overflows before its oldest: the
  // tick fails with none of the axis moved on, not the slots before the
  // failing one either.
  Simulation sim;
  sim.Process(0);
  for (int k = 0; k < HistoryLength; ++k) sim.History.TimeAxis[k] = k * 5.9e305;
  sim.Model.StepSize = 1e304;  // 1e306 s per tick
  int completed = 0;
  for (; completed < 100; ++completed) {
    const TimeHistory before = sim.History;
    try {
      sim.Tick();
    } catch (const EOverflow&) {
      for (int k = 0; k < HistoryLength; ++k)
        ASSERT_EQ(sim.History.TimeAxis[k], before.TimeAxis[k]);
      break;
    }
  }
  EXPECT_GT(completed, 0);
  EXPECT_LT(completed, 100);
}

}  // namespace
}  // namespace drivesim
