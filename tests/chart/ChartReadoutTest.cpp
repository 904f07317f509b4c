// The readout on a chart without a window: the crosshair at the nearest
// point on the window surface, nothing of it in a rendered picture unless
// asked, and zooming with the readout on.
#include <gtest/gtest.h>

#include <vector>

#include "BitmapPixels.h"
#include "chart/Chart.h"
#include "chart/PointSeries.h"

namespace drivesim {
namespace {

TEST(ChartReadout, CrosshairAtNearestPointOnlyOnTheWindowSurface) {
  TChart chart;
  chart.SetBounds(0, 0, 240, 180);
  chart.SetView3D(false);
  chart.Legend().SetVisible(false);
  chart.BottomAxis().SetRange(0, 100);
  chart.LeftAxis().SetRange(0, 100);
  TPointSeries a;
  a.SetTitle("a");
  a.AddPoint(20, 80, "", clDefault);
  a.SetParentChart(&chart);
  TPointSeries b;
  b.SetTitle("b");
  b.AddPoint(60, 40, "", clDefault);
  b.AddPoint(80, 20, "", clDefault);
  b.SetParentChart(&chart);
  chart.Update();
  const std::vector<TColor> plain = Pixels(chart.Surface());
  const auto plainAt = [&](int x, int y) { return plain[static_cast<std::size_t>(y * 240 + x)]; };

  // Off by default: nothing follows the mouse.
  chart.DispatchMouseMove(0, b.PointScreenX(0) + 4, b.PointScreenY(0) + 2);
  EXPECT_FALSE(chart.Readout().Showing());
  EXPECT_EQ(Pixels(chart.Surface()), plain);

  chart.Readout().SetVisible(true);
  chart.DispatchMouseMove(0, b.PointScreenX(0) + 4, b.PointScreenY(0) + 2);
  ASSERT_TRUE(chart.Readout().Showing());
  EXPECT_EQ(chart.Readout().Series(), &b);
  EXPECT_EQ(chart.Readout().PointIndex(), 0);
  const TPoint cross = chart.Readout().CrossPixel();
  EXPECT_EQ(cross.X, b.PointScreenX(0));
  EXPECT_EQ(cross.Y, b.PointScreenY(0));
  EXPECT_EQ(chart.Readout().Text(), "b\nx = 60\ny = 40");
  // The crosshair's grey across the chart rectangle, left of every marker.
  const int left = chart.PlotRect().Left + 2;
  EXPECT_EQ(chart.Surface().Pixel(left, cross.Y), clGray);
  EXPECT_EQ(chart.Surface().Pixel(cross.X, chart.PlotRect().Top + 2), clGray);
  EXPECT_NE(plainAt(left, cross.Y), clGray);

  // A picture rendered for a file has no readout; asked for, it has.
  TBitmap picture(240, 180);
  chart.RenderTo(picture.Canvas(), {0, 0, 240, 180});
  EXPECT_EQ(Pixels(picture), plain);
  chart.Readout().SetInPictures(true);
  chart.RenderTo(picture.Canvas(), {0, 0, 240, 180});
  EXPECT_EQ(picture.Pixel(left, cross.Y), clGray);
  chart.Readout().SetInPictures(false);

  // Nearer to the other series' point: the crosshair moves there.
  chart.Update();
  chart.DispatchMouseMove(0, a.PointScreenX(0) - 3, a.PointScreenY(0) + 3);
  EXPECT_EQ(chart.Readout().Series(), &a);
  EXPECT_EQ(chart.Surface().Pixel(left, a.PointScreenY(0)), clGray);
  EXPECT_NE(chart.Surface().Pixel(left, cross.Y), clGray);

  // Leaving the chart rectangle takes it away.
  chart.DispatchMouseMove(0, 2, 2);
  EXPECT_FALSE(chart.Readout().Showing());
  EXPECT_EQ(Pixels(chart.Surface()), plain);

  // A left drag right and down still zooms with the readout on.
  int zooms = 0;
  chart.OnZoom = [&](TCustomChartPanel&) { ++zooms; };
  const int x0 = chart.BottomAxis().ValueToPixel(30), y0 = chart.LeftAxis().ValueToPixel(70);
  chart.DispatchMouseMove(0, x0, y0);
  chart.DispatchMouseDown(mbLeft, 0, x0, y0);
  EXPECT_FALSE(chart.Readout().Showing());
  chart.DispatchMouseMove(ssLeft, x0 + 40, y0 + 40);
  chart.DispatchMouseUp(mbLeft, 0, x0 + 40, y0 + 40);
  EXPECT_EQ(zooms, 1);
  EXPECT_TRUE(chart.ZoomedIn());
}

}  // namespace
}  // namespace drivesim
