// Point series on real bitmaps: every marker shape at a small size, the line
// series' pointer drawing the very same marker, and points dragged with the
// mouse on a chart that reports the drag in axis units instead of zooming.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BitmapPixels.h"
#include "TestChart.h"
#include "chart/Chart.h"
#include "chart/PointSeries.h"

namespace drivesim {
namespace {

using testing::CountingChart;

// A chart rectangle of (0, 0, 20, 20) on a 20 x 20 bitmap with both axes
// over 0..20: value (vx, vy) lands on pixel (vx, 20 - vy).
struct MarkerPlot {
  MarkerPlot() : bitmap(20, 20) {
    chart.SetView3D(false);
    chart.ChartCanvas().AttachCanvas(bitmap.Canvas());
    chart.SetPanelBounds({0, 0, 20, 20});
    chart.SetPlotRect({0, 0, 20, 20});
    for (TChartAxis* axis : {&chart.BottomAxis(), &chart.LeftAxis()}) {
      axis->SetRange(0, 20);
      axis->AdjustRange();
      axis->ComputePixelRange();
    }
  }
  // The 7 x 7 pixels around (10, 10) as rows of '.' (white), 'o' (the
  // pen's blue) and '#' (the brush's red), after the series drew its point
  // at (10, 10).
  std::vector<std::string> Around(TCustomSeries& series) {
    TCanvas& c = bitmap.Canvas();
    c.RemoveClip();
    c.Brush().SetColor(clWhite);
    c.Brush().SetStyle(bsSolid);
    c.FillRect({0, 0, 20, 20});
    series.SetParentChart(&chart);
    series.Pointer().SetHorizSize(2);
    series.Pointer().SetVertSize(2);
    series.Pointer().Pen().SetColor(kBlue);
    series.Pointer().Brush().SetColor(kRed);
    if (series.PointCount() == 0) series.AddPoint(10, 10, "", clDefault);
    chart.PaintSeries(series);
    std::vector<std::string> rows;
    for (int y = 7; y <= 13; ++y) {
      std::string row;
      for (int x = 7; x <= 13; ++x) {
        const TColor p = bitmap.Pixel(x, y);
        row += p == clWhite ? '.' : p == kBlue ? 'o' : p == kRed ? '#' : '?';
      }
      rows.push_back(row);
    }
    // Nothing beyond the marker's 5 x 5 pixels, here or anywhere else.
    int outside = 0;
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 20; ++x)
        if ((x < 8 || x > 12 || y < 8 || y > 12) && bitmap.Pixel(x, y) != clWhite) ++outside;
    EXPECT_EQ(outside, 0);
    series.SetParentChart(nullptr);
    return rows;
  }

  TBitmap bitmap;
  CountingChart chart;
};

TEST(PointSeries, EveryMarkerShapeCoversItsPixelsAndTheLinePointerDrawsTheSame) {
  MarkerPlot plot;
  const std::vector<std::pair<TSeriesPointerStyle, std::vector<std::string>>> shapes = {
      {psRectangle, {".......", ".ooooo.", ".o###o.", ".o###o.", ".o###o.", ".ooooo.", "......."}},
      {psCross, {".......", "...o...", "...o...", ".ooooo.", "...o...", "...o...", "......."}},
      {psDiagCross, {".......", ".o...o.", "..o.o..", "...o...", "..o.o..", ".o...o.", "......."}},
      {psCircle, {".......", "..ooo..", ".o###o.", ".o###o.", ".o###o.", "..ooo..", "......."}},
      // The outline follows the polygon rule of the canvas, which leaves the
      // right-hand slope one pixel in.
      {psTriangle, {".......", "...o...", "..oo...", "..o#o..", ".o##o..", ".oooo..", "......."}},
      {psDiamond, {".......", "...o...", "..o#o..", ".o###o.", "..o#o..", "...o...", "......."}},
  };
  for (const auto& [style, expected] : shapes) {
    TPointSeries points;
    points.Pointer().SetStyle(style);
    const std::vector<std::string> drawn = plot.Around(points);
    EXPECT_EQ(drawn, expected) << style;
    // The line series' pointer of the same style, size, pen and brush: the
    // same pixels.
    TLineSeries line;
    line.SetDrawsLine(false);
    line.Pointer().SetVisible(true);
    line.Pointer().SetStyle(style);
    EXPECT_EQ(plot.Around(line), drawn) << style;
  }
}

}  // namespace
}  // namespace drivesim

namespace drivesim {
namespace {

// A flat chart of 240 x 180 without titles or legend whose axes map one unit
// to one pixel: after the first paint each axis' range is set to its length
// in pixels.
struct DragChart {
  DragChart() {
    chart.SetBounds(0, 0, 240, 180);
    chart.SetView3D(false);
    chart.Legend().SetVisible(false);
    chart.Title().SetVisible(false);
    points.SetParentChart(&chart);
    points.SetDragPoints(true);
    points.AddPoint(40, 30, "", clDefault);
    points.AddPoint(90, 70, "", clDefault);
    chart.BottomAxis().SetRange(0, 100);
    chart.LeftAxis().SetRange(0, 100);
    chart.Update();
    chart.BottomAxis().SetRange(0, chart.BottomAxis().AxisLength());
    chart.LeftAxis().SetRange(0, chart.LeftAxis().AxisLength());
    chart.Update();
    points.OnDragPoint = [this](TChartSeries& s, int index, double x, double y) {
      EXPECT_EQ(&s, &points);
      reports.push_back({index, x, y});
    };
    points.OnEndDragPoint = [this](TChartSeries&, int index) { ended.push_back(index); };
    chart.OnZoom = [this](TCustomChartPanel&) { ++zooms; };
  }
  int X(int index) const { return points.PointScreenX(index); }
  int Y(int index) const { return points.PointScreenY(index); }

  struct Report {
    int Index;
    double X, Y;
  };
  TChart chart;
  TPointSeries points;
  std::vector<Report> reports;
  std::vector<int> ended;
  int zooms = 0;
};

TEST(PointSeries, DraggedPointIsReportedInAxisUnitsAndDoesNotZoom) {
  DragChart d;
  const int px = d.X(0);
  const int py = d.Y(0);
  // One unit per pixel, and the point lies where its values say.
  ASSERT_EQ(d.chart.BottomAxis().ValueToPixel(41), px + 1);
  ASSERT_EQ(d.chart.LeftAxis().ValueToPixel(31), py - 1);

  // A press one pixel beside the point catches it; the point keeps that
  // offset from the mouse: 30 pixels right and 25 down from the press is
  // (40 + 30, 30 - 25).
  d.chart.DispatchMouseDown(mbLeft, 0, px + 1, py - 1);
  EXPECT_TRUE(d.chart.PointDrag().IsActive());
  EXPECT_FALSE(d.chart.Zoom().IsActive);
  d.chart.DispatchMouseMove(ssLeft, px + 11, py + 4);
  d.chart.DispatchMouseMove(ssLeft, px + 31, py + 24);
  d.chart.DispatchMouseMove(ssLeft, px + 31, py + 24);  // no move: no report
  ASSERT_EQ(d.reports.size(), 2u);
  EXPECT_EQ(d.reports[0].Index, 0);
  EXPECT_DOUBLE_EQ(d.reports[0].X, 50);
  EXPECT_DOUBLE_EQ(d.reports[0].Y, 25);
  EXPECT_DOUBLE_EQ(d.reports[1].X, 70);
  EXPECT_DOUBLE_EQ(d.reports[1].Y, 5);
  // The owner did not move it: it stays.
  EXPECT_EQ(d.points.XValueAt(0), 40);
  EXPECT_EQ(d.points.YValueAt(0), 30);
  d.chart.DispatchMouseUp(mbLeft, 0, px + 31, py + 24);
  EXPECT_FALSE(d.chart.PointDrag().IsActive());
  EXPECT_EQ(d.ended, std::vector<int>{0});
  // A drag right and down by more than the zoom threshold, yet no zoom.
  EXPECT_EQ(d.zooms, 0);
  EXPECT_EQ(d.chart.BottomAxis().Minimum(), 0);
  EXPECT_FALSE(d.chart.ZoomedIn());
  // Moves after the release report nothing.
  d.chart.DispatchMouseMove(0, px + 40, py + 40);
  EXPECT_EQ(d.reports.size(), 2u);

  // An owner that moves the point: the second point follows the mouse.
  d.points.OnDragPoint = [&](TChartSeries&, int index, double x, double y) {
    d.points.MovePoint(index, x, y);
  };
  d.chart.DispatchMouseDown(mbLeft, 0, d.X(1), d.Y(1));
  d.chart.DispatchMouseMove(ssLeft, d.X(1) - 20, d.Y(1) + 10);
  d.chart.DispatchMouseUp(mbLeft, 0, d.X(1) - 20, d.Y(1) + 10);
  d.chart.Update();
  EXPECT_DOUBLE_EQ(d.points.XValueAt(1), 70);
  EXPECT_DOUBLE_EQ(d.points.YValueAt(1), 60);
  EXPECT_EQ(d.ended, (std::vector<int>{0, 1}));

  // Beyond reach of every point, or with dragging off, the press zooms.
  d.chart.DispatchMouseDown(mbLeft, 0, d.X(0) + 20, d.Y(0) - 20);
  EXPECT_FALSE(d.chart.PointDrag().IsActive());
  EXPECT_TRUE(d.chart.Zoom().IsActive);
  d.chart.DispatchMouseUp(mbLeft, 0, d.X(0) + 20, d.Y(0) - 20);
  d.points.SetDragPoints(false);
  d.chart.DispatchMouseDown(mbLeft, 0, d.X(0), d.Y(0));
  EXPECT_FALSE(d.chart.PointDrag().IsActive());
  EXPECT_TRUE(d.chart.Zoom().IsActive);
  d.chart.DispatchMouseUp(mbLeft, 0, d.X(0), d.Y(0));
  // The right button still pans over a draggable point.
  d.points.SetDragPoints(true);
  d.chart.DispatchMouseDown(mbRight, 0, d.X(0), d.Y(0));
  EXPECT_FALSE(d.chart.PointDrag().IsActive());
  EXPECT_TRUE(d.chart.Panning().IsActive);
  d.chart.DispatchMouseUp(mbRight, 0, d.X(0), d.Y(0));
}

}  // namespace
}  // namespace drivesim
