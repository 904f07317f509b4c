// Shaded regions on real bitmaps: solid and hatched bands, the area between a
// curve and a level, a polygon reaching far beyond the axes, and regions
// painted behind the lines whatever their place in the series list.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "TestChart.h"
#include "chart/Chart.h"
#include "chart/RegionSeries.h"
#include "chart/Series.h"

namespace drivesim {
namespace {

using testing::CountingChart;

constexpr TColor kShade = 0x80C0FF;
constexpr double kInf = std::numeric_limits<double>::infinity();

// A chart rectangle of (10, 10, 110, 110) on a 120 x 120 bitmap with both
// axes over 0..100: value (vx, vy) lands on pixel (10 + vx, 110 - vy). The
// series clip leaves columns 11..109 and rows 11..108.
struct RegionPlot {
  RegionPlot() : bitmap(120, 120) {
    chart.SetView3D(false);
    chart.ChartCanvas().AttachCanvas(bitmap.Canvas());
    chart.SetPanelBounds({0, 0, 120, 120});
    chart.SetPlotRect({10, 10, 110, 110});
    for (TChartAxis* axis : {&chart.BottomAxis(), &chart.LeftAxis()}) {
      axis->SetRange(0, 100);
      axis->AdjustRange();
      axis->ComputePixelRange();
    }
    region.SetParentChart(&chart);
    region.SetSeriesColor(kShade);
  }
  void Paint() {
    TCanvas& c = bitmap.Canvas();
    c.RemoveClip();
    c.Brush().SetColor(clWhite);
    c.Brush().SetStyle(bsSolid);
    c.FillRect({0, 0, 120, 120});
    chart.PaintSeries(region);
  }
  // The number of pixels where the bitmap differs from the shade expected
  // by the rule (and white elsewhere).
  int Mismatches(const std::function<bool(int x, int y)>& shaded) const {
    int n = 0;
    for (int y = 0; y < 120; ++y)
      for (int x = 0; x < 120; ++x)
        if (bitmap.Pixel(x, y) != (shaded(x, y) ? kShade : clWhite)) ++n;
    return n;
  }

  TBitmap bitmap;
  CountingChart chart;
  TRegionSeries region;
};

bool InClip(int x, int y) { return x >= 11 && x <= 109 && y >= 11 && y <= 108; }

TEST(RegionSeries, BandsFillTheirRowsOrColumnsSolidOrHatched) {
  RegionPlot p;
  // 20..40 on the vertical axis: rows 70..89 across the clip, no points.
  p.region.SetKind(rkBand);
  p.region.SetBand(40, 20);
  p.Paint();
  const auto rows = [](int x, int y) { return InClip(x, y) && y >= 70 && y <= 89; };
  EXPECT_EQ(p.Mismatches(rows), 0);

  // Hatched "/": only the pixels whose x + y is a multiple of 6, the gaps
  // left as they were.
  p.region.SetFill(rfForwardHatch);
  p.Paint();
  EXPECT_EQ(p.Mismatches([&](int x, int y) { return rows(x, y) && (x + y) % 6 == 0; }), 0);
  EXPECT_EQ(p.bitmap.Pixel(12, 72), kShade);
  EXPECT_EQ(p.bitmap.Pixel(13, 72), clWhite);
  EXPECT_EQ(p.bitmap.Pixel(11, 73), kShade);
  // "\" at a spacing of 4, and both diagonals.
  p.region.SetFill(rfBackwardHatch);
  p.region.SetHatchSpacing(4);
  p.Paint();
  EXPECT_EQ(p.Mismatches([&](int x, int y) { return rows(x, y) && (x - y) % 4 == 0; }), 0);
  p.region.SetFill(rfCrossHatch);
  p.Paint();
  EXPECT_EQ(p.Mismatches(
                [&](int x, int y) { return rows(x, y) && ((x - y) % 4 == 0 || (x + y) % 4 == 0); }),
            0);

  // Infinite levels reach the edges: the whole clip.
  p.region.SetFill(rfSolid);
  p.region.SetBand(-kInf, kInf);
  p.Paint();
  EXPECT_EQ(p.Mismatches(InClip), 0);
  // A band wholly above the range shows nothing.
  p.region.SetBand(150, 200);
  p.Paint();
  EXPECT_EQ(p.Mismatches([](int, int) { return false; }), 0);

  // 30..50 on the horizontal axis: columns 40..59, every row of the clip.
  p.region.SetKind(rkVerticalBand);
  p.region.SetBand(30, 50);
  p.Paint();
  EXPECT_EQ(p.Mismatches([](int x, int y) { return InClip(x, y) && x >= 40 && x <= 59; }), 0);
}

TEST(RegionSeries, AreaBetweenCurveAndLevelAndPolygonsBeyondTheAxes) {
  RegionPlot p;
  // The curve from (20, 60) to (60, 20) over the level 20: the triangle of
  // pixels (30, 50), (70, 90), (30, 90), each row's pixels whose centres lie
  // left of the slope.
  p.region.SetKind(rkArea);
  p.region.SetLevel(20);
  p.region.AddPoint(20, 60, "", clDefault);
  p.region.AddPoint(60, 20, "", clDefault);
  p.Paint();
  EXPECT_EQ(p.Mismatches([](int x, int y) { return y >= 50 && y <= 89 && x >= 30 && x < y - 20; }),
            0);
  // The level is part of the area's extent, so automatic axes show it all.
  p.region.SetLevel(-5);
  EXPECT_EQ(p.region.MinY(), -5);
  EXPECT_EQ(p.region.MaxY(), 60);

  // A curve crossing its level fills both lobes once, and not the space
  // between the curve and the level's other side.
  p.region.ClearPoints();
  p.region.SetLevel(50);
  p.region.AddPoint(10, 70, "", clDefault);
  p.region.AddPoint(90, 30, "", clDefault);
  p.Paint();
  EXPECT_EQ(p.bitmap.Pixel(30, 55), kShade);   // (20, 55): between 50 and 65
  EXPECT_EQ(p.bitmap.Pixel(90, 65), kShade);   // (80, 45): between 35 and 50
  EXPECT_EQ(p.bitmap.Pixel(30, 70), clWhite);  // (20, 40): below the level
  EXPECT_EQ(p.bitmap.Pixel(90, 50), clWhite);  // (80, 60): above the level

  // A polygon whose corners lie a trillion units out still covers exactly
  // the columns left of x = 50 (its points keep the order they came in).
  p.region.ClearPoints();
  p.region.SetKind(rkPolygon);
  p.region.AddPoint(-1e12, -1e12, "", clDefault);
  p.region.AddPoint(50, -1e12, "", clDefault);
  p.region.AddPoint(50, 1e12, "", clDefault);
  p.region.AddPoint(-1e12, 1e12, "", clDefault);
  p.Paint();
  EXPECT_EQ(p.Mismatches([](int x, int y) { return InClip(x, y) && x < 60; }), 0);
  // A triangle given in axis units: (10, 10), (50, 10), (10, 50), each row's
  // pixels whose centres lie left of the slope.
  p.region.ClearPoints();
  p.region.AddPoint(10, 10, "", clDefault);
  p.region.AddPoint(50, 10, "", clDefault);
  p.region.AddPoint(10, 50, "", clDefault);
  p.Paint();
  EXPECT_EQ(p.Mismatches([](int x, int y) { return y >= 60 && y <= 99 && x >= 20 && x < y - 40; }),
            0);
}

TEST(RegionSeries, RegionsArePaintedBehindTheLinesWhateverTheirOrder) {
  TChart chart;
  chart.SetBounds(0, 0, 200, 150);
  chart.SetView3D(false);
  chart.Legend().SetVisible(false);
  chart.BottomAxis().SetRange(0, 100);
  chart.LeftAxis().SetRange(0, 100);
  TLineSeries line;
  line.SetSeriesColor(clBlue);
  line.AddPoint(0, 50, "", clDefault);
  line.AddPoint(100, 50, "", clDefault);
  line.SetParentChart(&chart);
  // Added after the line, so drawn last were it not a region.
  TRegionSeries band;
  band.SetKind(rkBand);
  band.SetBand(40, 60);
  band.SetSeriesColor(kShade);
  band.SetParentChart(&chart);
  TBitmap picture(200, 150);
  chart.RenderTo(picture.Canvas(), {0, 0, 200, 150});
  const int y = chart.LeftAxis().ValueToPixel(50);
  const int x = chart.BottomAxis().ValueToPixel(50);
  EXPECT_EQ(picture.Pixel(x, y), clBlue);
  EXPECT_EQ(picture.Pixel(x, y - 3), kShade);
  EXPECT_EQ(picture.Pixel(x, y + 3), kShade);
  EXPECT_NE(picture.Pixel(x, chart.LeftAxis().ValueToPixel(70)), kShade);
}

}  // namespace
}  // namespace drivesim
