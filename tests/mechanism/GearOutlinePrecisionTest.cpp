// The outline points are worked out in double precision and only near a
// rounding tie again in extended precision; they must be exactly the points
// of the extended-precision build, for every tooth count and every angle,
// including angles chosen so that a point lands within a hair of a .5 tie.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "mechanism/Gears.h"

namespace drivesim {
namespace {

// The front outline as the geometry defines it, everything after the
// double angle theta carried in extended precision.
std::vector<TPoint> ExtendedOutline(const TGear& gear) {
  std::vector<TPoint> points(4 * static_cast<std::size_t>(gear.ToothCount) + 1);
  const auto point = [&](int radius, double theta, long double offset) {
    const long double a = static_cast<long double>(theta) + offset;
    return TPoint{gear.Center.X + static_cast<int>(std::nearbyintl(radius * std::sin(a))),
                  gear.Center.Y - static_cast<int>(std::nearbyintl(radius * std::cos(a)))};
  };
  for (int i = 0; i < gear.ToothCount; ++i) {
    const double theta = static_cast<double>(static_cast<long double>(i) * gear.Pitch + gear.Angle);
    const std::size_t base = 4 * static_cast<std::size_t>(i);
    points[base] = point(gear.RootRadius, theta, 0.0L);
    points[base + 1] = point(gear.RootRadius, theta, gear.Offset1);
    points[base + 2] = point(gear.TipRadius, theta, gear.Offset2);
    points[base + 3] = point(gear.TipRadius, theta, gear.Offset3);
    if (i == gear.ToothCount - 1) points[base + 4] = point(gear.RootRadius, theta, gear.Pitch);
  }
  return points;
}

// How many points of the outline plain double arithmetic (angle, sine and
// cosine, product and rounding all in double) would put elsewhere than the
// extended build: the near-tie angles must include such points, or they
// would not test the fall-back.
int PointsDoubleAloneGetsWrong(const TGear& gear) {
  int wrong = 0;
  const std::vector<TPoint> extended = ExtendedOutline(gear);
  const auto check = [&](std::size_t index, int radius, double theta, double offset) {
    const double a = theta + offset;
    const TPoint p{gear.Center.X + static_cast<int>(std::nearbyint(radius * std::sin(a))),
                   gear.Center.Y - static_cast<int>(std::nearbyint(radius * std::cos(a)))};
    if (!(p == extended[index])) ++wrong;
  };
  for (int i = 0; i < gear.ToothCount; ++i) {
    const double theta = static_cast<double>(static_cast<long double>(i) * gear.Pitch + gear.Angle);
    const std::size_t base = 4 * static_cast<std::size_t>(i);
    check(base, gear.RootRadius, theta, 0.0);
    check(base + 1, gear.RootRadius, theta, gear.Offset1);
    check(base + 2, gear.TipRadius, theta, gear.Offset2);
    check(base + 3, gear.TipRadius, theta, gear.Offset3);
  }
  return wrong;
}

// Angles that put one point of tooth period i of the gear where radius times
// the sine or the cosine of its angle is exactly a half, up to rounding.
std::vector<double> NearTieAngles(const TGear& gear, std::mt19937& random) {
  std::vector<double> angles;
  const double offsets[] = {0.0, gear.Offset1, gear.Offset2, gear.Offset3};
  const int radii[] = {gear.RootRadius, gear.RootRadius, gear.TipRadius, gear.TipRadius};
  std::uniform_int_distribution<int> period(0, gear.ToothCount - 1);
  for (int kind = 0; kind < 4; ++kind) {
    const int radius = radii[kind];
    for (int k = -radius; k < radius; k += std::max(1, radius / 6)) {
      const double ratio = (k + 0.5) / radius;
      for (double a : {std::asin(ratio), std::acos(ratio), std::acos(ratio) - 2 * M_PI}) {
        angles.push_back(a - offsets[kind] - period(random) * gear.Pitch);
      }
    }
  }
  return angles;
}

TEST(GearOutlinePrecisionTest, DoubleOutlinesAreTheExtendedOnesAtEveryCountAndAngle) {
  std::mt19937 random(20240613);
  std::uniform_real_distribution<double> turn(-4 * M_PI, 4 * M_PI);
  const double special[] = {0.0,
                            M_PI / 6,
                            M_PI / 4,
                            M_PI / 3,
                            M_PI / 2,
                            M_PI,
                            -M_PI / 6,
                            static_cast<double>(AngleWrapLimit),
                            -static_cast<double>(AngleWrapLimit),
                            6.2831,
                            1e-12,
                            -345.4,
                            12345.678};
  int nearTieAngles = 0;
  int doubleAloneWrong = 0;
  for (int loadTeeth = kMinLoadTeeth; loadTeeth <= kMaxLoadTeeth; ++loadTeeth) {
    GearPair gears;
    gears.SetUpGears(loadTeeth);
    for (TGear* gear : {&gears.LoadGear, &gears.MotorGear}) {
      std::vector<double> angles(std::begin(special), std::end(special));
      for (int n = 0; n < 40; ++n) angles.push_back(turn(random));
      const std::vector<double> nearTies = NearTieAngles(*gear, random);
      nearTieAngles += static_cast<int>(nearTies.size());
      angles.insert(angles.end(), nearTies.begin(), nearTies.end());
      for (double angle : angles) {
        gear->Angle = angle;
        GearPair::BuildGearOutline(*gear, glFront);
        ASSERT_EQ(gear->Front, ExtendedOutline(*gear))
            << "load teeth " << loadTeeth << ", gear of " << gear->ToothCount << " teeth, angle "
            << angle;
      }
      for (double angle : nearTies) {
        gear->Angle = angle;
        doubleAloneWrong += PointsDoubleAloneGetsWrong(*gear);
      }
    }
  }
  EXPECT_GT(nearTieAngles, 10000);
  // Without the fall-back to extended precision some of these points would
  // be a pixel off.
  EXPECT_GT(doubleAloneWrong, 0);
}

}  // namespace
}  // namespace drivesim
