#include "mechanism/Gears.h"

#include <cmath>

#include "platform/Exceptions.h"
#include "platform/Numbers.h"

namespace drivesim {

namespace {

// Where the profile of one tooth period changes, as fractions of the pitch:
// the root chord ends, the rising flank reaches the tip, the tip ends.
constexpr long double kRootEnd = 0.4456L;
constexpr long double kTipStart = 0.5526L;
constexpr long double kTipEnd = 0.8913L;

// Shifts of the middle and back layers from the gear centre, pixels.
constexpr TPoint kMiddleShift{-2, -1};
constexpr TPoint kBackShift{-4, -2};

// Fills the tooth-count dependent fields of one gear (not its centre) and
// sizes its outlines to 4N + 1 points.
void SetUpGear(TGear& gear, int teeth) {
  gear.ToothCount = teeth;
  // The geometry is worked out in extended precision and each stored field
  // rounded to its own type once, so that points lying exactly on a rounding
  // tie fall the same way on every machine that has the 80-bit format.
  gear.RootRadius = static_cast<int>(std::nearbyintl(teeth * kRadiusPerTooth));
  gear.TipRadius = gear.RootRadius + kToothHeight;
  gear.Pitch = static_cast<double>(kFullTurn / teeth);
  gear.Offset1 = static_cast<double>(kRootEnd * gear.Pitch);
  gear.Offset2 = static_cast<double>(kTipStart * gear.Pitch);
  gear.Offset3 = static_cast<double>(kTipEnd * gear.Pitch);
  const std::size_t points = 4 * static_cast<std::size_t>(teeth) + 1;
  gear.Front.resize(points);
  gear.Middle.resize(points);
  gear.Back.resize(points);
}

// Whether v lies further than hair from every tie k + 0.5 of rounding to the
// nearest integer: then every value within hair of v rounds as v does.
// False for a NaN.
bool ClearOfTie(double v, double hair) { return std::fabs(v - std::floor(v) - 0.5) > hair; }

// The point at angle theta + offset and distance radius from the centre, the
// offsets from the centre rounded (to nearest, ties to even) before the
// centre is added, as they come out with the angle sum, the sine and cosine
// and the products carried in extended precision.
//
// The offsets are first worked out in double precision, which lands within a
// hair of the extended result: the angle sum is off by at most |a| 2^-53,
// the sine and cosine by less than 2^-52, the products by radius 2^-53, so
// the products differ by less than radius (|a| + 2) 2^-52. The hair allowed
// here is eight times that. A product further than the hair from a .5 tie
// rounds to the same integer as the extended one; only a point with a
// product within it (an angle whose sine or cosine times the radius is, in
// exact terms, a half) is worked out again in extended precision.
TPoint PolarPoint(TPoint center, int radius, double theta, double offset) {
  const double a = theta + offset;
  const double across = radius * std::sin(a);
  const double up = radius * std::cos(a);
  const double hair = radius * (std::fabs(a) + 4.0) * 0x1p-50;
  if (ClearOfTie(across, hair) && ClearOfTie(up, hair)) {
    return TPoint{center.X + static_cast<int>(std::nearbyint(across)),
                  center.Y - static_cast<int>(std::nearbyint(up))};
  }
  const long double extended = static_cast<long double>(theta) + offset;
  return TPoint{center.X + static_cast<int>(std::nearbyintl(radius * std::sin(extended))),
                center.Y - static_cast<int>(std::nearbyintl(radius * std::cos(extended)))};
}

}  // namespace

std::vector<TPoint>& TGear::Outline(TGearLayer layer) {
  switch (layer) {
    case glMiddle: return Middle;
    case glBack: return Back;
    case glFront: break;
  }
  return Front;
}

const std::vector<TPoint>& TGear::Outline(TGearLayer layer) const {
  return const_cast<TGear*>(this)->Outline(layer);
}

TPoint TGear::LayerCenter(TGearLayer layer) const {
  switch (layer) {
    case glMiddle: return TPoint{Center.X + kMiddleShift.X, Center.Y + kMiddleShift.Y};
    case glBack: return TPoint{Center.X + kBackShift.X, Center.Y + kBackShift.Y};
    case glFront: break;
  }
  return Center;
}

void GearPair::SetUpGears(int loadTeeth) {
  // A gear needs at least one tooth; a refused count leaves the pair as it
  // was, so no tick can ever divide by a zero tooth count.
  if (loadTeeth < kMinLoadTeeth || loadTeeth > kMaxLoadTeeth) {
    throw Exception(kGearTeethRangeMessage);
  }
  SetUpGear(LoadGear, loadTeeth);
  LoadGear.Center = kLoadGearCenter;
  BuildGearLayers(LoadGear);

  SetUpGear(MotorGear, kTotalTeeth - loadTeeth);
  // The motor gear sits above the load gear, its root circle one tooth
  // height from the load gear's root circle, so the tips just reach the
  // other gear's roots.
  MotorGear.Center = TPoint{kLoadGearCenter.X, kLoadGearCenter.Y - LoadGear.RootRadius -
                                                   MotorGear.RootRadius - kToothHeight};
  BuildGearLayers(MotorGear);
}

void GearPair::BuildGearOutline(TGear& gear, TGearLayer layer) {
  std::vector<TPoint>& outline = gear.Outline(layer);
  const TPoint center = gear.LayerCenter(layer);
  const int teeth = gear.ToothCount;
  // Each tooth period is a root chord, a rising flank, a tip chord and a
  // falling flank. The foot of the falling flank lies at the angle where the
  // next period starts, so it is written only for the last period, where it
  // closes the outline.
  gear.OutlineAngle = gear.Angle;
  for (int i = 0; i < teeth; ++i) {
    const double theta = static_cast<double>(static_cast<long double>(i) * gear.Pitch + gear.Angle);
    const std::size_t base = 4 * static_cast<std::size_t>(i);
    outline[base] = PolarPoint(center, gear.RootRadius, theta, 0.0);
    outline[base + 1] = PolarPoint(center, gear.RootRadius, theta, gear.Offset1);
    outline[base + 2] = PolarPoint(center, gear.TipRadius, theta, gear.Offset2);
    outline[base + 3] = PolarPoint(center, gear.TipRadius, theta, gear.Offset3);
    if (i == teeth - 1) {
      outline[base + 4] = PolarPoint(center, gear.RootRadius, theta, gear.Pitch);
    }
  }
}

void GearPair::BuildScaledOutline(const TGear& gear, TGearLayer layer, const TPictureScale& scale,
                                  std::vector<TPoint>& outline) {
  if (scale.Ratio() == 1.0) {
    outline = gear.Outline(layer);
    return;
  }
  // The profile of BuildGearOutline, with the radii and the centre in device
  // pixels and rounded only once they are added.
  const int teeth = gear.ToothCount;
  outline.resize(4 * static_cast<std::size_t>(teeth) + 1);
  const TPoint center = gear.LayerCenter(layer);
  const double x0 = scale.Line(center.X);
  const double y0 = scale.Line(center.Y);
  const double root = scale.Ratio() * gear.RootRadius;
  const double tip = scale.Ratio() * gear.TipRadius;
  const auto point = [&](double radius, double a) {
    return TPoint{static_cast<int>(std::floor(x0 + radius * std::sin(a) + 0.5)),
                  static_cast<int>(std::floor(y0 - radius * std::cos(a) + 0.5))};
  };
  for (int i = 0; i < teeth; ++i) {
    const double theta = i * gear.Pitch + gear.OutlineAngle;
    const std::size_t base = 4 * static_cast<std::size_t>(i);
    outline[base] = point(root, theta);
    outline[base + 1] = point(root, theta + gear.Offset1);
    outline[base + 2] = point(tip, theta + gear.Offset2);
    outline[base + 3] = point(tip, theta + gear.Offset3);
  }
  // The closing point, at the angle of the last period's end.
  outline[4 * static_cast<std::size_t>(teeth)] =
      point(root, (teeth - 1) * gear.Pitch + gear.OutlineAngle + gear.Pitch);
}

void GearPair::BuildGearLayers(TGear& gear) {
  // The layers differ only in their centre, and every point is rounded
  // before its centre is added, so the Middle and Back outlines are the
  // Front outline moved by whole pixels: the same points BuildGearOutline
  // gives them, for a third of the trigonometry.
  BuildGearOutline(gear, glFront);
  for (TGearLayer layer : {glMiddle, glBack}) {
    const TPoint center = gear.LayerCenter(layer);
    const int dx = center.X - gear.Center.X;
    const int dy = center.Y - gear.Center.Y;
    std::vector<TPoint>& outline = gear.Outline(layer);
    for (std::size_t k = 0; k < outline.size(); ++k) {
      outline[k] = TPoint{gear.Front[k].X + dx, gear.Front[k].Y + dy};
    }
  }
}

void GearPair::RebuildGearOutlines() {
  BuildGearLayers(LoadGear);
  BuildGearLayers(MotorGear);
}

void GearPair::AdvanceGearAngles(double omega, double h) {
  AngleStep = Checked(Checked(omega * h) * kAngleSpeedUp);
  // A step of a full turn or more (only a diverging drive turns that fast)
  // is taken as its remainder after whole turns. A whole turn of the load
  // gear turns the motor gear by whole teeth, so the picture is the same,
  // and the angle stays small enough for every tooth of an outline to keep
  // its own place (at a huge angle the pitch would vanish in the rounding
  // and the gears with it).
  if (std::abs(AngleStep) >= kFullTurn) {
    AngleStep = std::fmod(AngleStep, static_cast<double>(kFullTurn));
  }
  // The wrap is tested on the angle before this tick's advance, on both
  // sides: once the load gear has turned just short of a full turn either
  // way, both angles return to 0 and this tick does not advance them.
  if (LoadGear.Angle < AngleWrapLimit && LoadGear.Angle > -AngleWrapLimit) {
    LoadGear.Angle = Checked(LoadGear.Angle + AngleStep);
    MotorGear.Angle = CheckedDiv(Checked(-LoadGear.Angle * LoadGear.ToothCount),
                                 static_cast<double>(MotorGear.ToothCount));
  } else {
    LoadGear.Angle = 0;
    MotorGear.Angle = 0;
  }
}

GearPair& ProgramGears() {
  static GearPair gears;
  return gears;
}

}  // namespace drivesim
