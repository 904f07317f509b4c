// The mechanism picture: what the sketch and the mechanism put where, the
// opaque gaps of the dotted centre lines, the gears' silver band, and
// redraws that repaint the mechanism part only.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "BitmapPixels.h"
#include "mechanism/MechanismPicture.h"
#include "platform/Canvas.h"

namespace drivesim {
namespace {

// The picture as the window shows it after creation: sketch, then mechanism.
struct Picture {
  GearPair gears;
  TBitmap surface;
  explicit Picture(int loadTeeth = 42) {
    gears.SetUpGears(loadTeeth);
    DrawBlockSketch(surface);
    DrawMechanism(surface, gears);
  }
};

TEST(MechanismPictureTest, SketchAndMechanismAfterCreation) {
  Picture picture;
  const TBitmap& s = picture.surface;
  EXPECT_EQ(s.Width(), kPictureWidth);
  EXPECT_EQ(s.Height(), kPictureHeight);
  // The summing point: the cross at its centre, the fill beside it.
  EXPECT_EQ(s.Pixel(30, 195), clBlack);
  EXPECT_EQ(s.Pixel(20, 195), 0xDCC8C8u);
  EXPECT_EQ(s.Pixel(30, 115), 0xDCC8C8u);  // inside the amplifier box
  // Polylines are not filled: inside the feedback arrowhead stays white.
  EXPECT_EQ(s.Pixel(49, 193), clWhite);
  EXPECT_EQ(s.Pixel(50, 190), clBlack);
  // Neither routine draws at the bottom.
  EXPECT_EQ(s.Pixel(100, 310), clWhite);

  // The upper dotted centre line crosses the motor drum with white gaps;
  // the lower axis crosses the lower gear's white face with gaps in the
  // rear colour. Both patterns run one on, two off from the line's start.
  EXPECT_EQ(s.Pixel(192, 50), clWhite);
  EXPECT_EQ(s.Pixel(192, 51), kMechanismPen);
  EXPECT_EQ(s.Pixel(192, 52), clWhite);
  EXPECT_EQ(s.Pixel(150, 60), kRearFill);  // the drum itself
  EXPECT_EQ(s.Pixel(171, 191), kMechanismPen);
  EXPECT_EQ(s.Pixel(172, 191), kRearFill);
  EXPECT_EQ(s.Pixel(173, 192), kRearFill);
  EXPECT_EQ(s.Pixel(172, 185), clWhite);  // the gear's face beside the axis

  // The routine leaves the pen dotted in the mechanism colour and the brush
  // in the rear colour.
  TCanvas& canvas = picture.surface.Canvas();
  EXPECT_EQ(canvas.Pen().Style(), psDot);
  EXPECT_EQ(canvas.Pen().Color(), kMechanismPen);
  EXPECT_EQ(canvas.Pen().Width(), 1);
  EXPECT_EQ(canvas.Brush().Color(), kRearFill);
  EXPECT_EQ(canvas.Brush().Style(), bsSolid);
}

TEST(MechanismPictureTest, SilverLayersShowOnlyAsABandAtTheUpperLeftOfEachGear) {
  for (int teeth : {8, 42, 48}) {
    Picture picture(teeth);
    const TBitmap& s = picture.surface;
    for (const TGear* gear : {&picture.gears.LoadGear, &picture.gears.MotorGear}) {
      SCOPED_TRACE(testing::Message() << teeth << " teeth, gear of " << gear->ToothCount);
      const TPoint c = gear->Center;
      // The layers recede along (-2, -1): silver shows on the side of the
      // gear that faces that way, and the white face covers the middle.
      int towards = 0, away = 0, covered = 0;
      for (int y = 0; y < s.Height(); ++y) {
        for (int x = 0; x < s.Width(); ++x) {
          if (s.Pixel(x, y) != kGearSideFill) continue;
          const double r = std::hypot(x - c.X, y - c.Y);
          if (r > gear->TipRadius + 6) continue;  // the other gear's
          if (r < gear->RootRadius - 3) ++covered;
          ((x - c.X) * -2 + (y - c.Y) * -1 > 0 ? towards : away) += 1;
        }
      }
      EXPECT_EQ(covered, 0);
      // Away from that side silver shows only where a tooth space of the
      // face uncovers a flank of a layer behind it.
      EXPECT_GT(towards, 50);
      EXPECT_LT(away, towards / 3);
      const int r = gear->RootRadius / 2;
      EXPECT_EQ(s.Pixel(c.X + r * 6 / 10, c.Y - r * 8 / 10), clWhite);

      // At the gear's leftmost tip the back layer's outline lies 4 pixels
      // further left and 2 higher, with nothing of the gear beyond it. (With
      // other splits a centre line or a shaft runs through that spot.)
      if (teeth != 42) continue;
      TPoint tip = gear->Front[0];
      for (const TPoint& p : gear->Front) {
        if (p.X < tip.X) tip = p;
      }
      EXPECT_EQ(s.Pixel(tip.X, tip.Y), kMechanismPen);
      EXPECT_EQ(s.Pixel(tip.X - 4, tip.Y - 2), kMechanismPen);
      const TColor beyond = s.Pixel(tip.X - 5, tip.Y - 2);
      EXPECT_NE(beyond, kGearSideFill);
      EXPECT_NE(beyond, kMechanismPen);
    }
    if (const char* dir = std::getenv("MECHANISM_PNG_DIR")) {
      picture.surface.SaveToPng(std::string(dir) + "/mechanism-" + std::to_string(teeth) + ".png");
    }
  }
}

TEST(MechanismPictureTest, RedrawRepaintsOnlyTheMechanismPart) {
  Picture picture;
  const std::vector<TColor> first = Pixels(picture.surface);

  // Unchanged angles: an identical surface.
  DrawMechanism(picture.surface, picture.gears);
  EXPECT_EQ(Pixels(picture.surface), first);

  // Turned and turned back: nothing of the turned picture is left.
  picture.gears.LoadGear.Angle = 0.3;
  picture.gears.MotorGear.Angle = -0.9;
  picture.gears.RebuildGearOutlines();
  DrawMechanism(picture.surface, picture.gears);
  EXPECT_NE(Pixels(picture.surface), first);
  picture.gears.LoadGear.Angle = 0;
  picture.gears.MotorGear.Angle = 0;
  picture.gears.RebuildGearOutlines();
  DrawMechanism(picture.surface, picture.gears);
  EXPECT_EQ(Pixels(picture.surface), first);

  // The clearing covers columns 92..319 and rows 0..299 only; each redraw
  // reports one change of the surface.
  TCanvas& canvas = picture.surface.Canvas();
  for (const TPoint p :
       {TPoint{91, 5}, TPoint{320, 5}, TPoint{150, 300}, TPoint{92, 5}, TPoint{319, 299}}) {
    canvas.SetPixel(p.X, p.Y, clRed);
  }
  int changes = 0;
  picture.surface.OnChange = [&] { ++changes; };
  DrawMechanism(picture.surface, picture.gears);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(picture.surface.Pixel(91, 5), clRed);
  EXPECT_EQ(picture.surface.Pixel(320, 5), clRed);
  EXPECT_EQ(picture.surface.Pixel(150, 300), clRed);
  EXPECT_EQ(picture.surface.Pixel(92, 5), clWhite);
  EXPECT_EQ(picture.surface.Pixel(319, 299), clWhite);
}

}  // namespace
}  // namespace drivesim
