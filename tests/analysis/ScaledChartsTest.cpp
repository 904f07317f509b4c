// The analysis charts drawn at a scale: twice the size each way, the legend
// laid out in doubled lengths (symbol, paddings, rows, frame), and the
// chart's own pixel ratio untouched afterwards.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "BitmapPixels.h"
#include "analysis/PrintChart.h"
#include "analysis/StepResponseChart.h"
#include "analysis/Sweep.h"
#include "analysis/SweepFiguresChart.h"

namespace drivesim {
namespace {

TEST(ScaledChartsTest, LegendAndChartsDoubleAtScaleTwo) {
  SweepOptions options;
  options.Ticks = 300;
  const SweepResult sweep = RunSweep(DriveInputs{}, ParseSweepSpec("feedback=0.5:2:4"), options);
  StepResponseChart overlay(StepCurvesOf(sweep), 600, 400);
  const TChartLegend& legend = overlay.Chart().Legend();
  TBitmap one, two;
  overlay.Render(one);
  const TRect box1 = legend.LegendRect();
  const TRect item1 = legend.ItemRect(0);
  const TRect symbol1 = legend.SymbolRect(0);
  overlay.Render(two, 2);
  KeepPicture(two, "step-responses-scale-2.png");
  EXPECT_EQ(overlay.Chart().PixelRatio(), 1.0);
  ASSERT_EQ(two.Width(), 1200);
  ASSERT_EQ(two.Height(), 800);
  ASSERT_EQ(legend.DrawnCount(), 5);

  // The symbol twice as wide, at twice the frame and padding from the box's
  // edge; the rows as high as the doubled font's line and spacing; the box's
  // width doubled but for the texts' own rounding.
  const TRect box2 = legend.LegendRect();
  const TRect item2 = legend.ItemRect(0);
  const TRect symbol2 = legend.SymbolRect(0);
  EXPECT_EQ(symbol2.Width(), 2 * symbol1.Width());
  EXPECT_EQ(symbol2.Left - box2.Left, 2 * (symbol1.Left - box1.Left));
  EXPECT_EQ(item2.Top - box2.Top, 2 * (item1.Top - box1.Top));
  EXPECT_NEAR(item2.Height(), 2 * item1.Height(), 1);
  EXPECT_NEAR(box2.Width(), 2 * box1.Width(), 4);
  // The frame, two pixels wide where it was one: black on the box's left
  // edge, and inside it the legend's white fill again.
  const int y = (item2.Top + item2.Bottom) / 2;
  EXPECT_EQ(two.Pixel(box2.Left, y), clBlack);
  EXPECT_EQ(two.Pixel(box2.Left + 1, y), clBlack);
  EXPECT_NE(two.Pixel(box2.Left + 2, y), clBlack);
  EXPECT_EQ(one.Pixel(box1.Left, (item1.Top + item1.Bottom) / 2), clBlack);
  EXPECT_NE(one.Pixel(box1.Left + 1, (item1.Top + item1.Bottom) / 2), clBlack);

  TBitmap figures;
  RenderSweepFigures(sweep, figures, 500, 300, 3);
  EXPECT_EQ(figures.Width(), 1500);
  EXPECT_EQ(figures.Height(), 900);
}

// A picture is drawn straight onto its bitmap, not through the chart's
// buffer: it must be, pixel for pixel, the frame the buffered chart shows at
// that ratio, and leave the chart buffered as it was.
TEST(ScaledChartsTest, APictureIsTheBufferedFrameAndTheChartStaysBuffered) {
  SweepOptions options;
  options.Ticks = 300;
  const SweepResult sweep = RunSweep(DriveInputs{}, ParseSweepSpec("feedback=0.5:2:4"), options);
  for (int scale : {1, 2, 3}) {
    SCOPED_TRACE(scale);
    StepResponseChart pictured(StepCurvesOf(sweep), 420, 300);
    StepResponseChart shown(StepCurvesOf(sweep), 420, 300);
    TBitmap picture;
    pictured.Render(picture, scale);
    EXPECT_TRUE(pictured.Chart().ChartCanvas().IsBuffered());
    EXPECT_EQ(pictured.Chart().PixelRatio(), 1.0);

    // The buffered chart at the picture's density, laid out the same way:
    // drawn again where the first frame moved the plot.
    TChart& chart = shown.Chart();
    chart.SetPixelRatio(scale);
    TBitmap frame(chart.ClientWidth(), chart.ClientHeight());
    const TRect plot = chart.PlotRect();
    chart.RenderTo(frame.Canvas(), chart.ClientRect());
    if (chart.PlotRect() != plot) chart.RenderTo(frame.Canvas(), chart.ClientRect());
    ASSERT_EQ(picture.Width(), frame.Width());
    ASSERT_EQ(picture.Height(), frame.Height());
    int differ = 0;
    for (int y = 0; y < frame.Height(); ++y) {
      for (int x = 0; x < frame.Width(); ++x) differ += picture.Pixel(x, y) != frame.Pixel(x, y);
    }
    EXPECT_EQ(differ, 0);
  }

  // A chart drawn unbuffered stays so.
  StepResponseChart unbuffered(StepCurvesOf(sweep), 200, 150);
  unbuffered.Chart().ChartCanvas().ChangeBuffered(false);
  TBitmap picture;
  unbuffered.Render(picture, 2);
  EXPECT_FALSE(unbuffered.Chart().ChartCanvas().IsBuffered());
  EXPECT_EQ(picture.Width(), 400);
}

}  // namespace
}  // namespace drivesim
