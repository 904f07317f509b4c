#pragma once
// Geometry of the two meshing spur gears of the mechanism picture: the lower
// gear on the load's shaft (`LoadGear`) and the upper gear on the motor's
// shaft (`MotorGear`), whose tooth counts always add up to 56.
//
// All geometry is in pixels of the picture surface, x to the right and y
// downwards. Angles are radians measured clockwise on screen from straight up:
// a point at angle a and distance R from (cx, cy) lies at
// (cx + R sin a, cy - R cos a), so a growing angle turns a gear clockwise.

#include <string>
#include <vector>

#include "mechanism/PictureScale.h"
#include "platform/Translate.h"
#include "platform/Types.h"

namespace drivesim {

// Pixels of root radius per tooth, the same for both gears so that their
// circular pitch matches (about 11.22 pixels along the root circle).
constexpr long double kRadiusPerTooth = 1.7857L;
// Tip radius minus root radius: the height of a tooth, pixels.
constexpr int kToothHeight = 5;
// Teeth of both gears together.
constexpr int kTotalTeeth = 56;
// Centre of the load gear's front face, pixels.
constexpr TPoint kLoadGearCenter{192, 201};
// The picture turns the load gear 20 times as far as the simulated load
// turns, so that the slow motion of the drive can be seen.
constexpr double kAngleSpeedUp = 20.0;
// The load gear's angle returns to 0 once it reaches just below a full turn
// (2 pi - 0.01 rad) in either direction, so that it never grows beyond about
// one revolution however long the drive turns, forwards or backwards.
constexpr long double AngleWrapLimit = 6.273185307179586477L;
// A full turn, rad, in extended precision.
constexpr long double kFullTurn = 6.283185307179586477L;

// The tooth counts a load gear can take: every count in this range leaves the
// motor gear at least one tooth.
constexpr int kMinLoadTeeth = 1;
constexpr int kMaxLoadTeeth = kTotalTeeth - 1;
// Raised by SetUpGears for a load tooth count outside kMinLoadTeeth..kMaxLoadTeeth.
inline const std::string kGearTeethRangeMessage =
    TR_NOOP("Errors", "Number of gear teeth must be between 1 and 55");

// The three outline layers of a gear. Middle and Back are the front face
// shifted up and to the left, which gives the drawn gear its thickness.
enum TGearLayer { glFront, glMiddle, glBack };

struct TGear {
  int ToothCount = 0;  // teeth, N
  int RootRadius = 0;  // pixels: round(N * 1.7857), ties to even
  int TipRadius = 0;   // pixels: RootRadius + 5
  double Pitch = 0;    // angular pitch of one tooth period, rad: 2 pi / N
  double Offset1 = 0;  // rad: end of the root chord, 0.4456 pitch
  double Offset2 = 0;  // rad: start of the tip, 0.5526 pitch
  double Offset3 = 0;  // rad: end of the tip, 0.8913 pitch
  TPoint Center;       // centre of the front face, pixels
  double Angle = 0;    // rotation angle, rad, clockwise from straight up
  // The angle the outlines were last built at, rad: Angle moves at the start
  // of a tick and the outlines follow only once the tick has gone through.
  double OutlineAngle = 0;
  // Closed outlines of 4N + 1 points each (the last point closes the
  // polygon at the angle of the first).
  std::vector<TPoint> Front;
  std::vector<TPoint> Middle;
  std::vector<TPoint> Back;

  // The outline of a layer and the centre it is built around.
  std::vector<TPoint>& Outline(TGearLayer layer);
  const std::vector<TPoint>& Outline(TGearLayer layer) const;
  TPoint LayerCenter(TGearLayer layer) const;
};

// The gear pair of the mechanism, with its per-tick angle increment. The
// program holds one (ProgramGears); tests make their own.
struct GearPair {
  TGear LoadGear;        // lower gear, on the load's shaft
  TGear MotorGear;       // upper gear, on the motor's shaft
  double AngleStep = 0;  // increment of the load gear's angle in the current tick, rad

  // Sets both gears up for a load gear of loadTeeth teeth (the motor gear
  // gets 56 - loadTeeth), sizes their outlines and builds all six at the
  // current angles, which it leaves unchanged. A count outside 1..55 is
  // refused with an Exception before anything changes.
  void SetUpGears(int loadTeeth);
  // Fills one outline of one gear from its tooth count, radii, pitch,
  // offsets and angle, around the layer's centre. The outline must already
  // hold 4N + 1 points.
  static void BuildGearOutline(TGear& gear, TGearLayer layer);
  // The outline of one layer of a gear as a surface `scale` times as dense
  // as the picture shows it: the same tooth profile at the angle the gear's
  // outlines were last built at, both radii and the layer's centre scaled,
  // each point rounded once on the denser surface, so that the teeth keep
  // their shape instead of their picture pixels growing. Sized to 4N + 1
  // points. At a ratio of 1 it is the layer's own outline.
  static void BuildScaledOutline(const TGear& gear, TGearLayer layer, const TPictureScale& scale,
                                 std::vector<TPoint>& outline);
  // Builds all six outlines at the current angles: the load gear's front,
  // middle and back, then the motor gear's.
  void RebuildGearOutlines();
  // Builds the three outlines of one gear in the order Front, Middle, Back.
  void BuildGearLayers(TGear& gear);
  // One tick's rotation for load velocity omega (rad/s) over integration
  // step h (s): the load gear turns by (omega h) 20 (a step of a full turn or
  // more by its remainder) unless its angle has reached AngleWrapLimit or
  // -AngleWrapLimit, in which case both angles return to 0; the motor gear
  // turns against it at N_load / N_motor times its angle. Both angles thus
  // stay within about one turn either way.
  void AdvanceGearAngles(double omega, double h);
};

// The program's one gear pair, alive for the whole run.
GearPair& ProgramGears();

}  // namespace drivesim
