// The mechanism picture drawn at a screen's density: the picture itself at a
// ratio of 1, a surface of device size at 1.5 and 2, gears whose drawn
// extent grows with the ratio, and lines finer than an enlarged pixel.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "BitmapPixels.h"
#include "mechanism/MechanismPicture.h"
#include "platform/Exceptions.h"

namespace drivesim {
namespace {

// The smallest box holding every pixel of the gears' silver layers.
TRect SilverBox(const TBitmap& b) {
  TRect box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
  for (int y = 0; y < b.Height(); ++y) {
    for (int x = 0; x < b.Width(); ++x) {
      if (b.Pixel(x, y) != kGearSideFill) continue;
      box = TRect{std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1),
                  std::max(box.Bottom, y + 1)};
    }
  }
  return box;
}

TEST(MechanismDensityTest, PictureAtRatioOneIsTheWindowsAndDenserOnesScaleItsGeometry) {
  GearPair gears;
  gears.SetUpGears(42);
  gears.LoadGear.Angle = 0.3;
  gears.MotorGear.Angle = -0.9;
  gears.RebuildGearOutlines();

  TBitmap own;
  DrawBlockSketch(own);
  DrawMechanism(own, gears);
  TBitmap once;
  DrawPictureAtDensity(once, gears, 1.0);
  EXPECT_TRUE(Pixels(once) == Pixels(own));
  const TRect ownBox = SilverBox(own);

  struct Case {
    double Ratio;
    int Width, Height;
  };
  for (const Case c : {Case{1.5, 530, 470}, Case{2, 706, 626}}) {
    TBitmap dense;
    DrawPictureAtDensity(dense, gears, c.Ratio);
    ASSERT_EQ(dense.Width(), c.Width);
    ASSERT_EQ(dense.Height(), c.Height);
    const TRect box = SilverBox(dense);
    EXPECT_NEAR(box.Left, ownBox.Left * c.Ratio, 2) << c.Ratio;
    EXPECT_NEAR(box.Top, ownBox.Top * c.Ratio, 2) << c.Ratio;
    // The band ends on the right and below where the front face's outline
    // covers it, which the wider lines move by a few pixels.
    EXPECT_NEAR(box.Right, ownBox.Right * c.Ratio, 8) << c.Ratio;
    EXPECT_NEAR(box.Bottom, ownBox.Bottom * c.Ratio, 8) << c.Ratio;
    // Drawn again over itself: the same pixels.
    const auto first = Pixels(dense);
    DrawPictureAtDensity(dense, gears, c.Ratio);
    EXPECT_TRUE(Pixels(dense) == first);
    if (c.Ratio == 2) {
      // Not the picture's pixels enlarged: some 2 x 2 block is not of one colour.
      int mixed = 0;
      for (int y = 0; y + 1 < dense.Height(); y += 2) {
        for (int x = 0; x + 1 < dense.Width(); x += 2) {
          const TColor p = dense.Pixel(x, y);
          mixed += dense.Pixel(x + 1, y) != p || dense.Pixel(x, y + 1) != p ||
                   dense.Pixel(x + 1, y + 1) != p;
        }
      }
      EXPECT_GT(mixed, 100);
    }
  }
  TBitmap bad;
  EXPECT_THROW(DrawPictureAtDensity(bad, gears, 0.0), Exception);
}

}  // namespace
}  // namespace drivesim
