// Gear geometry: tooth counts, radii, centres, outline points and the
// per-tick rotation of the gear pair.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "mechanism/Gears.h"
#include "platform/Exceptions.h"

namespace drivesim {
namespace {

std::vector<TPoint> Shifted(const std::vector<TPoint>& points, int dx, int dy) {
  std::vector<TPoint> out = points;
  for (TPoint& p : out) {
    p.X += dx;
    p.Y += dy;
  }
  return out;
}

void ExpectSameGear(const TGear& a, const TGear& b) {
  EXPECT_EQ(a.ToothCount, b.ToothCount);
  EXPECT_EQ(a.RootRadius, b.RootRadius);
  EXPECT_EQ(a.TipRadius, b.TipRadius);
  EXPECT_EQ(a.Pitch, b.Pitch);
  EXPECT_EQ(a.Offset1, b.Offset1);
  EXPECT_EQ(a.Offset3, b.Offset3);
  EXPECT_EQ(a.Center, b.Center);
  EXPECT_EQ(a.Angle, b.Angle);
  EXPECT_EQ(a.Front, b.Front);
  EXPECT_EQ(a.Middle, b.Middle);
  EXPECT_EQ(a.Back, b.Back);
}

TEST(GearsTest, DefaultPairOutlinesAtAngleZero) {
  GearPair gears;
  gears.SetUpGears(42);
  const std::vector<TPoint>& load = gears.LoadGear.Front;
  ASSERT_EQ(load.size(), 169u);
  const std::vector<TPoint> loadStart{{192, 126}, {197, 126}, {199, 121},
                                      {203, 122}, {203, 127}, {208, 128}};
  EXPECT_EQ(std::vector<TPoint>(load.begin(), load.begin() + 6), loadStart);
  EXPECT_EQ(load[167], (TPoint{191, 121}));
  EXPECT_EQ(load[168], (TPoint{192, 126}));

  const std::vector<TPoint>& motor = gears.MotorGear.Front;
  ASSERT_EQ(motor.size(), 57u);
  const std::vector<TPoint> motorStart{{192, 71}, {197, 71}, {199, 67}, {204, 68}};
  EXPECT_EQ(std::vector<TPoint>(motor.begin(), motor.begin() + 4), motorStart);
  EXPECT_EQ(motor[56], (TPoint{192, 71}));
}

TEST(GearsTest, CountsRadiiAndCentresOfTheStandardSplits) {
  struct Row {
    int load, motor, loadRoot, motorRoot;
  };
  for (const Row& row : {Row{42, 14, 75, 25}, Row{8, 48, 14, 86}, Row{48, 8, 86, 14}}) {
    SCOPED_TRACE(row.load);
    GearPair gears;
    gears.SetUpGears(row.load);
    const TGear& l = gears.LoadGear;
    const TGear& m = gears.MotorGear;
    EXPECT_EQ(l.ToothCount, row.load);
    EXPECT_EQ(m.ToothCount, row.motor);
    EXPECT_EQ(l.RootRadius, row.loadRoot);
    EXPECT_EQ(l.TipRadius, row.loadRoot + 5);
    EXPECT_EQ(m.RootRadius, row.motorRoot);
    EXPECT_EQ(m.TipRadius, row.motorRoot + 5);
    EXPECT_EQ(l.Center, (TPoint{192, 201}));
    EXPECT_EQ(m.Center, (TPoint{192, 96}));
    for (const std::vector<TPoint>* outline : {&l.Front, &l.Middle, &l.Back}) {
      EXPECT_EQ(outline->size(), 4u * row.load + 1);
    }
    for (const std::vector<TPoint>* outline : {&m.Front, &m.Middle, &m.Back}) {
      EXPECT_EQ(outline->size(), 4u * row.motor + 1);
    }
    EXPECT_DOUBLE_EQ(l.Pitch * row.load, 6.283185307179586);
    EXPECT_DOUBLE_EQ(l.Offset2, 0.5526 * l.Pitch);
  }
}

TEST(GearsTest, EveryCountFrom1To55PlacesTheMotorGear) {
  GearPair gears;
  for (int n = 1; n <= 55; ++n) {
    SCOPED_TRACE(n);
    gears.SetUpGears(n);
    const bool shortPair = n == 7 || n == 21 || n == 35 || n == 49;
    EXPECT_EQ(gears.LoadGear.RootRadius + gears.MotorGear.RootRadius, shortPair ? 99 : 100);
    EXPECT_EQ(gears.MotorGear.Center, (TPoint{192, shortPair ? 97 : 96}));
    EXPECT_EQ(gears.MotorGear.Front.size(), 4u * (56 - n) + 1);
  }
  gears.SetUpGears(7);
  EXPECT_EQ(gears.LoadGear.RootRadius, 12);
  EXPECT_EQ(gears.MotorGear.RootRadius, 87);
}

TEST(GearsTest, MiddleAndBackAreTheFrontShiftedExactly) {
  for (int n : {8, 21, 42, 48}) {
    SCOPED_TRACE(n);
    GearPair gears;
    gears.SetUpGears(n);
    gears.AdvanceGearAngles(37.3, 1e-5);
    gears.AdvanceGearAngles(37.3, 1e-5);
    gears.RebuildGearOutlines();
    for (const TGear* gear : {&gears.LoadGear, &gears.MotorGear}) {
      EXPECT_EQ(gear->Middle, Shifted(gear->Front, -2, -1));
      EXPECT_EQ(gear->Back, Shifted(gear->Front, -4, -2));
    }
  }
}

TEST(GearsTest, AnglesAdvanceTurnGearsAgainstEachOtherAndWrap) {
  GearPair gears;
  gears.SetUpGears(42);
  const std::vector<TPoint> atRest = gears.LoadGear.Front;

  gears.AdvanceGearAngles(89.74, 1e-5);
  EXPECT_DOUBLE_EQ(gears.AngleStep, 89.74 * 1e-5 * 20);
  EXPECT_EQ(gears.LoadGear.Angle, gears.AngleStep);
  EXPECT_DOUBLE_EQ(gears.MotorGear.Angle, -gears.LoadGear.Angle * 3);
  gears.RebuildGearOutlines();
  // A growing angle turns the load gear clockwise: its top point moves right.
  EXPECT_GT(gears.LoadGear.Front[0].X, atRest[0].X);
  EXPECT_LT(gears.MotorGear.Front[0].X, 192);

  // A zero velocity changes nothing; the rebuilt outlines are identical.
  const GearPair moved = gears;
  gears.AdvanceGearAngles(0, 1e-5);
  gears.RebuildGearOutlines();
  EXPECT_EQ(gears.AngleStep, 0.0);
  ExpectSameGear(gears.LoadGear, moved.LoadGear);
  ExpectSameGear(gears.MotorGear, moved.MotorGear);

  // Just below the limit the angle still advances, past the limit.
  gears.LoadGear.Angle = 6.2731;
  gears.AdvanceGearAngles(100, 1e-5);
  EXPECT_DOUBLE_EQ(gears.LoadGear.Angle, 6.2731 + 0.02);
  // At or above it both angles return to 0 without advancing this tick.
  gears.AdvanceGearAngles(100, 1e-5);
  EXPECT_EQ(gears.LoadGear.Angle, 0.0);
  EXPECT_EQ(gears.MotorGear.Angle, 0.0);
  gears.RebuildGearOutlines();
  EXPECT_EQ(gears.LoadGear.Front, atRest);
  // The smallest double angle not below the limit, which is held in
  // extended precision.
  double atLimit = static_cast<double>(AngleWrapLimit);
  if (atLimit < AngleWrapLimit) atLimit = std::nextafter(atLimit, 10.0);
  gears.LoadGear.Angle = atLimit;
  gears.AdvanceGearAngles(100, 1e-5);
  EXPECT_EQ(gears.LoadGear.Angle, 0.0);
  // The next tick advances from 0 again.
  gears.AdvanceGearAngles(100, 1e-5);
  EXPECT_DOUBLE_EQ(gears.LoadGear.Angle, 0.02);

  // Turning backwards the angle wraps the same way below zero: it falls by
  // 0.2 rad a tick until it has passed -AngleWrapLimit, then returns to 0.
  gears.LoadGear.Angle = 0;
  std::vector<double> angles;
  for (int tick = 0; tick < 40; ++tick) {
    gears.AdvanceGearAngles(-1000, 1e-5);
    angles.push_back(gears.LoadGear.Angle);
  }
  EXPECT_NEAR(angles[31], -6.4, 1e-9);
  EXPECT_NEAR(gears.MotorGear.Angle, -angles[39] * 3, 1e-9);
  EXPECT_EQ(angles[32], 0.0);
  EXPECT_NEAR(angles[33], -0.2, 1e-12);
  // Just above the lower limit it still falls; at the limit it wraps.
  gears.LoadGear.Angle = -6.2731;
  gears.AdvanceGearAngles(-100, 1e-5);
  EXPECT_DOUBLE_EQ(gears.LoadGear.Angle, -6.2931);
  gears.LoadGear.Angle = -atLimit;
  gears.AdvanceGearAngles(-100, 1e-5);
  EXPECT_EQ(gears.LoadGear.Angle, 0.0);
  EXPECT_EQ(gears.MotorGear.Angle, 0.0);
  // An angle left far out by anything else comes back on the next tick.
  gears.LoadGear.Angle = -1e30;
  gears.AdvanceGearAngles(5, 1e-5);
  EXPECT_EQ(gears.LoadGear.Angle, 0.0);
}

TEST(GearsTest, AStepOfTurnsKeepsTheGearsWholeWithinATurn) {
  // A diverging drive turns the gears by thousands of turns in a tick. The
  // step is taken after whole turns, so both gears keep every tooth in its
  // place: the outline of a huge step is the outline of its remainder, and
  // neighbouring teeth never fall on one point.
  const double turn = 6.283185307179586477;
  for (double omega : {1e9, -3.7e12, 2.5e200, -1e300}) {
    GearPair gears;
    gears.SetUpGears(42);
    gears.LoadGear.Angle = 1;
    gears.AdvanceGearAngles(omega, 1e-5);
    EXPECT_LT(std::abs(gears.AngleStep), turn) << omega;
    EXPECT_EQ(gears.AngleStep, std::fmod((omega * 1e-5) * 20, turn)) << omega;
    EXPECT_LT(std::abs(gears.LoadGear.Angle), 2 * turn) << omega;
    EXPECT_LT(std::abs(gears.MotorGear.Angle), 2 * turn * 3) << omega;
    gears.RebuildGearOutlines();
    // The load gear's outline is a gear: the same as one set up at the
    // angle it reached.
    GearPair same;
    same.SetUpGears(42);
    same.LoadGear.Angle = gears.LoadGear.Angle;
    same.MotorGear.Angle = gears.MotorGear.Angle;
    same.RebuildGearOutlines();
    EXPECT_EQ(gears.LoadGear.Front, same.LoadGear.Front);
    for (int i = 0; i < 42; ++i) {
      EXPECT_NE(gears.LoadGear.Front[4 * i], gears.LoadGear.Front[4 * i + 2]) << omega;
    }
    // The next tick at the same pace stays within a turn too.
    gears.AdvanceGearAngles(omega, 1e-5);
    EXPECT_LT(std::abs(gears.LoadGear.Angle), 2 * turn) << omega;
  }
  // A step just below a full turn is taken whole.
  GearPair gears;
  gears.SetUpGears(42);
  gears.AdvanceGearAngles(31415, 1e-5);
  EXPECT_EQ(gears.AngleStep, (31415 * 1e-5) * 20);
}

TEST(GearsTest, SetUpKeepsTheAnglesAndBuildsAtThem) {
  GearPair gears;
  gears.SetUpGears(42);
  gears.AdvanceGearAngles(500, 1e-5);
  const double loadAngle = gears.LoadGear.Angle;
  const double motorAngle = gears.MotorGear.Angle;
  gears.SetUpGears(20);
  EXPECT_EQ(gears.LoadGear.Angle, loadAngle);
  EXPECT_EQ(gears.MotorGear.Angle, motorAngle);
  const GearPair built = gears;
  gears.RebuildGearOutlines();
  ExpectSameGear(gears.LoadGear, built.LoadGear);
  ExpectSameGear(gears.MotorGear, built.MotorGear);
}

TEST(GearsTest, CountsOutside1To55AreRefusedBeforeAnythingChanges) {
  GearPair gears;
  gears.SetUpGears(42);
  gears.AdvanceGearAngles(300, 1e-5);
  gears.RebuildGearOutlines();
  const GearPair before = gears;
  for (int n : {0, 56, -1, 57, 1000}) {
    SCOPED_TRACE(n);
    try {
      gears.SetUpGears(n);
      FAIL() << "count accepted";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), "Number of gear teeth must be between 1 and 55");
    }
    ExpectSameGear(gears.LoadGear, before.LoadGear);
    ExpectSameGear(gears.MotorGear, before.MotorGear);
    EXPECT_EQ(gears.AngleStep, before.AngleStep);
  }
  // The limits themselves build both gears.
  gears.SetUpGears(1);
  EXPECT_EQ(gears.MotorGear.Front.size(), 221u);
  gears.SetUpGears(55);
  EXPECT_EQ(gears.MotorGear.Front.size(), 5u);
}

}  // namespace
}  // namespace drivesim

namespace drivesim {
namespace {

// The rebuild moves the front outline for the middle and back layers; each
// must be exactly what building that layer around its own centre gives.
TEST(GearsTest, ShiftedLayersEqualLayersBuiltAroundTheirCentres) {
  for (int teeth : {7, 21, 30, 42, 55}) {
    GearPair gears;
    gears.SetUpGears(teeth);
    for (double angle : {0.0, 0.1234, 2.5, -7.77}) {
      gears.LoadGear.Angle = angle;
      gears.MotorGear.Angle = -angle * 1.7;
      gears.RebuildGearOutlines();
      for (TGear* gear : {&gears.LoadGear, &gears.MotorGear}) {
        for (TGearLayer layer : {glMiddle, glBack}) {
          TGear built = *gear;
          GearPair::BuildGearOutline(built, layer);
          EXPECT_EQ(built.Outline(layer), gear->Outline(layer)) << teeth << " " << angle;
        }
      }
    }
  }
}

}  // namespace
}  // namespace drivesim
