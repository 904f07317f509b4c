// The program's icon: the 32 x 32 picture the windows carry, and the same
// two gears at the sizes the desktop's icon theme asks for.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <map>

#include "platform/Graphics.h"
#include "ui/ProgramIcon.h"

namespace drivesim {
namespace {

constexpr TColor kFace = 0xF0F0F0;

int Channel(TColor c, int channel) { return static_cast<int>((c >> (8 * channel)) & 0xFF); }

// The largest difference of one channel between two colours.
int Distance(TColor a, TColor b) {
  int most = 0;
  for (int channel = 0; channel < 3; ++channel)
    most = std::max(most, std::abs(Channel(a, channel) - Channel(b, channel)));
  return most;
}

// The pixel under a point given in the units of the 32 x 32 design.
TColor At(const TBitmap& icon, double x, double y) {
  const double scale = icon.Width() / 32.0;
  return icon.Pixel(static_cast<int>(std::floor(x * scale)),
                    static_cast<int>(std::floor(y * scale)));
}

// The teeth met on a circle around a gear's middle, going clockwise from
// `from` to `to` degrees (0 is straight up): runs of pixels that are not the
// background.
int TeethOnArc(const TBitmap& icon, double cx, double cy, double radius, int from, int to) {
  int runs = 0;
  bool inTooth = false;
  for (int degree = from; degree <= to; ++degree) {
    const double a = degree * M_PI / 180;
    const bool tooth =
        Distance(At(icon, cx + radius * std::sin(a), cy - radius * std::cos(a)), kFace) > 40;
    if (tooth && !inTooth) ++runs;
    inTooth = tooth;
  }
  return runs;
}

// The mean of one channel over the whole picture.
double MeanChannel(const TBitmap& icon, int channel) {
  double sum = 0;
  for (int y = 0; y < icon.Height(); ++y)
    for (int x = 0; x < icon.Width(); ++x) sum += Channel(icon.Pixel(x, y), channel);
  return sum / (icon.Width() * icon.Height());
}

TEST(ProgramIcon, WindowPictureIsTheTwoGearsOnTheirPixels) {
  TBitmap icon;
  DrawProgramIcon(icon);
  ASSERT_EQ(icon.Width(), 32);
  ASSERT_EQ(icon.Height(), 32);
  std::map<TColor, int> counts;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) ++counts[icon.Pixel(x, y)];
  const std::map<TColor, int> expected{
      {kFace, 488}, {clBlack, 219}, {clSilver, 234}, {clGray, 65}, {clWhite, 18}};
  EXPECT_EQ(counts, expected);
  // Both hubs white in the middle, both discs in their colours, the
  // corners away from the gears in the window's face colour.
  EXPECT_EQ(icon.Pixel(20, 20), clWhite);
  EXPECT_EQ(icon.Pixel(9, 8), clWhite);
  EXPECT_EQ(icon.Pixel(20, 25), clSilver);
  EXPECT_EQ(icon.Pixel(9, 12), clGray);
  EXPECT_EQ(icon.Pixel(31, 0), kFace);
  EXPECT_EQ(icon.Pixel(0, 31), kFace);
  // Ten teeth on the load gear, six on the motor gear: eight of the load
  // gear's are clear of the motor gear, three of the motor gear's face away
  // from the load gear.
  EXPECT_EQ(TeethOnArc(icon, 20.5, 20.5, 11, 18, 306), 8);
  EXPECT_EQ(TeethOnArc(icon, 9.5, 8.5, 7, -90, 90), 3);
}

TEST(ProgramIcon, EverySizeDrawsTheSameGears) {
  TBitmap window;
  DrawProgramIcon(window);
  const double windowMean = MeanChannel(window, 0);
  for (int size : {16, 24, 48, 64, 128, 256}) {
    SCOPED_TRACE(size);
    TBitmap icon;
    DrawProgramIcon(icon, size);
    ASSERT_EQ(icon.Width(), size);
    ASSERT_EQ(icon.Height(), size);
    // As much ink as the window's picture: the same gears at the same scale.
    // Below 32 pixels the outlines keep a whole pixel and darken it more.
    const double darker = size < 32 ? 25 : 6;
    for (int channel = 0; channel < 3; ++channel) {
      EXPECT_LE(MeanChannel(icon, channel), windowMean + 6) << "channel " << channel;
      EXPECT_GE(MeanChannel(icon, channel), windowMean - darker) << "channel " << channel;
    }
    EXPECT_EQ(icon.Pixel(size - 1, 0), kFace);
    EXPECT_EQ(icon.Pixel(0, size - 1), kFace);
    if (size < 48) continue;
    // Where the details are large enough to hold a whole pixel of colour:
    // white hubs, discs in their colours, and every tooth in its place.
    EXPECT_EQ(At(icon, 20.5, 20.5), clWhite);
    EXPECT_EQ(At(icon, 9.5, 8.5), clWhite);
    EXPECT_EQ(At(icon, 20.5, 26), clSilver);
    EXPECT_EQ(At(icon, 9.5, 12.5), clGray);
    EXPECT_EQ(TeethOnArc(icon, 20.5, 20.5, 11, 18, 306), 8);
    EXPECT_EQ(TeethOnArc(icon, 9.5, 8.5, 7, -90, 90), 3);
    // Edges are smoothed: colours between black and the fills appear.
    int between = 0;
    for (int y = 0; y < size; ++y)
      for (int x = 0; x < size; ++x) {
        const TColor c = icon.Pixel(x, y);
        if (c != clBlack && c != clWhite && c != clSilver && c != clGray && c != kFace) ++between;
      }
    EXPECT_GT(between, size);
  }
}

}  // namespace
}  // namespace drivesim
