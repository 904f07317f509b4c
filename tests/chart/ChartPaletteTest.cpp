// The palettes: every pair of qualitative colours clearly apart on white and
// under simulated protanopia and deuteranopia, ten sequential colours rising
// in lightness with clear steps between neighbours, and the colour arithmetic
// they are measured with against reference values.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <vector>

#include "chart/ChartPalette.h"

namespace drivesim {
namespace {

TEST(ChartPalette, ColourArithmeticAgainstReferenceValues) {
  // sRGB red in L*a*b* (D65): the textbook (53.24, 80.09, 67.20).
  const TLabColor red = ColorToLab(RGB(255, 0, 0));
  EXPECT_NEAR(red.L, 53.24, 0.01);
  EXPECT_NEAR(red.A, 80.09, 0.01);
  EXPECT_NEAR(red.B, 67.20, 0.01);
  const TLabColor white = ColorToLab(clWhite);
  EXPECT_NEAR(white.L, 100, 1e-3);
  EXPECT_NEAR(white.A, 0, 1e-3);
  EXPECT_NEAR(white.B, 0, 1e-3);
  EXPECT_NEAR(ColorDistance(clBlack, clWhite), 100, 1e-3);
  EXPECT_EQ(ColorDistance(RGB(12, 200, 99), RGB(12, 200, 99)), 0);
  EXPECT_DOUBLE_EQ(ColorDistance(RGB(200, 10, 10), RGB(10, 10, 200)),
                   ColorDistance(RGB(10, 10, 200), RGB(200, 10, 10)));

  // The simulations keep white, black and greys, and bring red and green
  // together: far apart for normal vision, close for red- or green-blind.
  for (TColorVision v : {cvNormal, cvProtanopia, cvDeuteranopia, cvTritanopia}) {
    EXPECT_EQ(SimulateColorVision(clWhite, v), clWhite) << v;
    EXPECT_EQ(SimulateColorVision(clBlack, v), clBlack) << v;
    EXPECT_LT(ColorDistance(SimulateColorVision(RGB(128, 128, 128), v), RGB(128, 128, 128)), 1)
        << v;
  }
  const TColor r = RGB(255, 0, 0);
  const TColor g = RGB(0, 128, 0);
  EXPECT_GT(ColorDistance(r, g), 120);
  for (TColorVision v : {cvProtanopia, cvDeuteranopia}) {
    EXPECT_LT(ColorDistance(SimulateColorVision(r, v), SimulateColorVision(g, v)), 30) << v;
  }
  EXPECT_GT(
      ColorDistance(SimulateColorVision(r, cvTritanopia), SimulateColorVision(g, cvTritanopia)),
      60);
}

TEST(ChartPalette, QualitativeColoursApartOnWhiteAndForColourBlindEyes) {
  const int n = QualitativeColorCount();
  ASSERT_GE(n, 10);
  std::set<TColor> distinct;
  for (int i = 0; i < n; ++i) {
    const TColor c = QualitativeColor(i);
    distinct.insert(c);
    // Far from the white paper, for normal and colour-blind eyes.
    for (TColorVision v : {cvNormal, cvProtanopia, cvDeuteranopia}) {
      EXPECT_GT(ColorDistance(SimulateColorVision(c, v), clWhite), 35) << i << " " << v;
    }
    for (int j = i + 1; j < n; ++j) {
      const TColor d = QualitativeColor(j);
      EXPECT_GT(ColorDistance(c, d), 20) << i << " " << j;
      for (TColorVision v : {cvProtanopia, cvDeuteranopia}) {
        EXPECT_GT(ColorDistance(SimulateColorVision(c, v), SimulateColorVision(d, v)), 15)
            << i << " " << j << " vision " << v;
      }
    }
  }
  EXPECT_EQ(static_cast<int>(distinct.size()), n);
  // Beyond the last colour the palette starts again; a negative index
  // counts from the end.
  EXPECT_EQ(QualitativeColor(n), QualitativeColor(0));
  EXPECT_EQ(QualitativeColor(2 * n + 3), QualitativeColor(3));
  EXPECT_EQ(QualitativeColor(-1), QualitativeColor(n - 1));
}

TEST(ChartPalette, TenSequentialColoursRiseInLightnessWithClearSteps) {
  const std::vector<TColor> ten = SequentialColors(10);
  ASSERT_EQ(ten.size(), 10U);
  EXPECT_EQ(ten.front(), SequentialColor(0.0));
  EXPECT_EQ(ten.back(), SequentialColor(1.0));
  EXPECT_EQ(ten.front(), RGB(68, 1, 84));
  for (std::size_t i = 0; i < ten.size(); ++i) {
    EXPECT_EQ(ten[i], SequentialColor(static_cast<double>(i) / 9)) << i;
    // Dark enough for a thin line on white.
    EXPECT_GT(ColorDistance(ten[i], clWhite), 40) << i;
    if (i == 0) continue;
    EXPECT_GT(ColorDistance(ten[i - 1], ten[i]), 10) << i;
    EXPECT_GT(ColorToLab(ten[i]).L, ColorToLab(ten[i - 1]).L + 4) << i;
  }
  // Finer: lightness still rises at every one of a hundred steps.
  const std::vector<TColor> hundred = SequentialColors(100);
  for (std::size_t i = 1; i < hundred.size(); ++i) {
    EXPECT_GT(ColorToLab(hundred[i]).L, ColorToLab(hundred[i - 1]).L) << i;
  }
  // Ends clamped, a NaN at the start; one colour is the middle.
  EXPECT_EQ(SequentialColor(-3), SequentialColor(0.0));
  EXPECT_EQ(SequentialColor(7), SequentialColor(1.0));
  EXPECT_EQ(SequentialColor(std::nan("")), SequentialColor(0.0));
  EXPECT_EQ(SequentialColors(1), std::vector<TColor>{SequentialColor(0.5)});
  EXPECT_TRUE(SequentialColors(0).empty());
}

}  // namespace
}  // namespace drivesim
