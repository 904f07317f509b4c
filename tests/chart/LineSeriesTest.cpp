// Line series on a real bitmap: the axis panel's chart canvas draws into a
// TBitmap, both axes have fixed ranges on a known chart rectangle, and the
// series is painted the way the chart paints it (visible range, clip to the
// chart rectangle, every visible point, clip removed). Pixels are asserted.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BitmapPixels.h"
#include "TestChart.h"
#include "chart/ChartStrings.h"
#include "chart/Series.h"

namespace drivesim {
namespace {

using testing::CountingChart;

constexpr TColor kYellow = 0x00FFFF;
constexpr TColor kMagenta = 0xFF00FF;

// A chart rectangle of (10, 10, 110, 110) with both axes over 0..100, so that
// value (vx, vy) lands on pixel (10 + vx, 110 - vy). The clip leaves columns
// 11..109 and rows 11..108 drawable.
struct LinePlot {
  LinePlot() : bitmap(130, 130) {
    chart.SetView3D(false);
    chart.ChartCanvas().AttachCanvas(bitmap.Canvas());
    chart.SetPanelBounds({0, 0, 130, 130});
    chart.SetPlotRect({10, 10, 110, 110});
    series.SetParentChart(&chart);
    SetRanges(0, 100);
  }
  void SetRanges(double lo, double hi) {
    for (TChartAxis* axis : {&chart.BottomAxis(), &chart.LeftAxis()}) {
      axis->SetRange(lo, hi);
      axis->AdjustRange();
      axis->ComputePixelRange();
    }
  }
  void Clear() {
    TCanvas& c = bitmap.Canvas();
    c.RemoveClip();
    c.Brush().SetColor(clWhite);
    c.Brush().SetStyle(bsSolid);
    c.FillRect({0, 0, bitmap.Width(), bitmap.Height()});
  }
  // One paint of the series as the chart does it.
  void Paint(TChartSeries& s) {
    s.ComputeVisibleRange();
    if (s.FirstVisible() < 0) return;
    chart.ChartCanvas().ClipToBox(chart.PlotRect(), 0, 0);
    s.DrawVisiblePoints();
    chart.ChartCanvas().RemoveClip();
  }
  int Count(TColor color) const {
    int n = 0;
    for (int y = 0; y < bitmap.Height(); ++y)
      for (int x = 0; x < bitmap.Width(); ++x)
        if (bitmap.Pixel(x, y) == color) ++n;
    return n;
  }
  // Columns x0..x1-1 of a row all in one colour.
  bool RowRun(int y, int x0, int x1, TColor color) const {
    for (int x = x0; x < x1; ++x)
      if (bitmap.Pixel(x, y) != color) return false;
    return true;
  }

  TBitmap bitmap;
  CountingChart chart;
  TLineSeries series;
};

TEST(LineSeries, EachSegmentTakesTheColourOfItsEndPoint) {
  LinePlot p;
  p.series.SetSeriesColor(kMagenta);
  p.series.LinePen().SetColor(kYellow);  // only its width and style count
  p.series.AddPoint(10, 10, "", kRed);
  p.series.AddPoint(50, 10, "", kGreen);
  p.series.AddPoint(90, 50, "", kBlue);
  p.Paint(p.series);
  // (20,100) -> (60,100) green; (60,100) -> (100,60) blue, end pixels left out.
  EXPECT_TRUE(p.RowRun(100, 20, 60, kGreen));
  EXPECT_EQ(p.Count(kGreen), 40);
  EXPECT_EQ(p.bitmap.Pixel(60, 100), kBlue);
  EXPECT_EQ(p.bitmap.Pixel(99, 61), kBlue);
  EXPECT_EQ(p.Count(kBlue), 40);
  EXPECT_EQ(p.Count(kRed), 0);  // the first point starts the line only
  EXPECT_EQ(p.Count(kMagenta), 0);
  EXPECT_EQ(p.Count(kYellow), 0);
  EXPECT_EQ(p.bitmap.Pixel(19, 100), clWhite);

  // Points without a colour of their own draw in the series colour.
  p.Clear();
  TLineSeries plain;
  plain.SetParentChart(&p.chart);
  plain.SetSeriesColor(kMagenta);
  plain.AddPoint(10, 30, "", clDefault);
  plain.AddPoint(40, 30, "", clDefault);
  p.Paint(plain);
  EXPECT_TRUE(p.RowRun(80, 20, 50, kMagenta));
  EXPECT_EQ(p.Count(kMagenta), 30);

  // A hidden line pen draws nothing; a wide one draws wide.
  p.Clear();
  plain.LinePen().SetVisible(false);
  p.Paint(plain);
  EXPECT_EQ(p.Count(kMagenta), 0);
  plain.LinePen().SetVisible(true);
  plain.LinePen().SetWidth(3);
  p.Paint(plain);
  EXPECT_EQ(p.bitmap.Pixel(30, 79), kMagenta);
  EXPECT_EQ(p.bitmap.Pixel(30, 81), kMagenta);

  // A dotted line leaves its gaps alone whatever brush the canvas had.
  p.Clear();
  plain.LinePen().SetWidth(1);
  plain.LinePen().SetStyle(psDot);
  p.chart.ChartCanvas().ChangeBackgroundMode(OPAQUE);
  p.chart.ChartCanvas().Brush().SetColor(kYellow);
  p.chart.ChartCanvas().Brush().SetStyle(bsSolid);
  p.Paint(plain);
  EXPECT_EQ(p.Count(kMagenta), 10);  // 1 on, 2 off over 30 pixels
  EXPECT_EQ(p.Count(kYellow), 0);
}

TEST(LineSeries, FirstPointStartsTheLineOrTheLineEntersFromTheEdge) {
  LinePlot p;
  // A single visible point at index 0 draws nothing, with or without
  // pointers hidden.
  p.series.AddPoint(50, 50, "", kRed);
  p.Paint(p.series);
  EXPECT_EQ(p.Count(kRed), 0);
  EXPECT_EQ(p.Count(clBlack), 0);

  // The range starts between points 0 and 1: the line enters at the left
  // edge at the height of the line between them (value 50 at x = 0, row 60).
  p.series.ClearPoints();
  p.series.AddPoint(-50, 10, "", kRed);
  p.series.AddPoint(50, 90, "", kGreen);
  p.Paint(p.series);
  EXPECT_EQ(p.series.FirstVisible(), 1);
  EXPECT_EQ(p.bitmap.Pixel(10, 60), clWhite);  // clipped edge column
  EXPECT_EQ(p.bitmap.Pixel(11, 59), kGreen);
  EXPECT_EQ(p.bitmap.Pixel(35, 40), kGreen);
  EXPECT_EQ(p.Count(kGreen), 49);  // (10,60) -> (60,20) less its clipped start
  EXPECT_EQ(p.Count(kRed), 0);

  // An inverted horizontal axis enters from the right edge.
  p.Clear();
  p.chart.BottomAxis().SetInverted(true);
  p.Paint(p.series);
  EXPECT_EQ(p.bitmap.Pixel(109, 59), kGreen);
  EXPECT_EQ(p.Count(kGreen), 49);
  p.chart.BottomAxis().SetInverted(false);

  // Stairs enter at the previous point's height: across, then up.
  p.Clear();
  p.series.SetStairs(true);
  p.Paint(p.series);
  EXPECT_TRUE(p.RowRun(100, 11, 60, kGreen));
  EXPECT_EQ(p.bitmap.Pixel(60, 50), kGreen);
  EXPECT_EQ(p.bitmap.Pixel(35, 20), clWhite);
  // Inverted stairs go up first (in the clipped edge column), then across.
  p.Clear();
  p.series.SetInvertedStairs(true);
  p.Paint(p.series);
  EXPECT_TRUE(p.RowRun(20, 11, 60, kGreen));
  EXPECT_EQ(p.bitmap.Pixel(35, 100), clWhite);
  EXPECT_EQ(p.bitmap.Pixel(60, 50), clWhite);
  p.series.SetStairs(false);

  // No entering segment from a null point.
  p.Clear();
  p.series.SetPointColor(0, clNone);
  p.Paint(p.series);
  EXPECT_EQ(p.Count(kGreen), 0);
}

TEST(LineSeries, StairsStepAcrossThenUpBetweenPoints) {
  LinePlot p;
  p.series.AddPoint(10, 10, "", kRed);
  p.series.AddPoint(50, 50, "", kGreen);
  p.series.SetStairs(true);
  p.Paint(p.series);
  EXPECT_TRUE(p.RowRun(100, 20, 60, kGreen));
  EXPECT_EQ(p.bitmap.Pixel(60, 80), kGreen);
  EXPECT_EQ(p.bitmap.Pixel(60, 60), clWhite);  // the end pixel
  EXPECT_EQ(p.Count(kGreen), 80);
  p.Clear();
  p.series.SetInvertedStairs(true);
  p.Paint(p.series);
  EXPECT_EQ(p.bitmap.Pixel(20, 80), kGreen);
  EXPECT_TRUE(p.RowRun(60, 20, 60, kGreen));
  EXPECT_EQ(p.bitmap.Pixel(40, 100), clWhite);
}

TEST(LineSeries, PointsOnOnePixelFarOutOrNullLeaveGaps) {
  LinePlot p;
  // The third point lands on the second one's pixel: no line is made for
  // it. The bitmap hears of every line drawn with a wide pen, even of one
  // that has no length, so its notifications count the line calls.
  p.series.LinePen().SetWidth(3);
  p.series.AddPoint(10, 50, "", kRed);
  p.series.AddPoint(50, 50, "", kGreen);
  p.series.AddPoint(50.2, 50, "", kBlue);
  int lineCalls = 0;
  p.bitmap.OnChange = [&] { ++lineCalls; };
  p.Paint(p.series);
  p.bitmap.OnChange = nullptr;
  EXPECT_EQ(lineCalls, 1);
  EXPECT_GT(p.Count(kGreen), 0);
  EXPECT_EQ(p.Count(kBlue), 0);
  EXPECT_EQ(p.series.PrevColor(), kBlue);
  p.series.LinePen().SetWidth(1);

  // A point mapped beyond 32766 pixels is skipped: the line joins the
  // points on either side of it.
  p.Clear();
  p.series.ClearPoints();
  p.series.AddPoint(10, 10, "", kRed);
  p.series.AddPoint(30, 1e6, "", kMagenta);
  p.series.AddPoint(50, 10, "", kGreen);
  p.Paint(p.series);
  EXPECT_TRUE(p.RowRun(100, 20, 60, kGreen));
  EXPECT_EQ(p.Count(kGreen), 40);
  EXPECT_EQ(p.Count(kMagenta), 0);
  EXPECT_EQ(p.series.PrevX(), 60);

  // When the first point of a paint is the far one, the line starts at the
  // next drawable point, not at the last pixel of the paint before (60,100).
  p.Clear();
  p.series.ClearPoints();
  p.series.AddPoint(0, 1e6, "", kMagenta);
  p.series.AddPoint(70, 40, "", kGreen);
  p.series.AddPoint(90, 40, "", kBlue);
  p.Paint(p.series);
  EXPECT_EQ(p.Count(kGreen), 0);
  EXPECT_TRUE(p.RowRun(70, 80, 100, kBlue));
  EXPECT_EQ(p.Count(kBlue), 20);

  // A null point breaks the line: nothing goes into it, and the segment out
  // of it shrinks to nothing, so the line resumes at the point after it.
  p.Clear();
  p.series.ClearPoints();
  p.series.AddPoint(10, 10, "", kRed);
  p.series.AddPoint(30, 10, "", clNone);
  p.series.AddPoint(50, 10, "", kGreen);
  p.series.AddPoint(70, 10, "", kBlue);
  p.Paint(p.series);
  EXPECT_EQ(p.Count(kGreen), 0);
  EXPECT_TRUE(p.RowRun(100, 60, 80, kBlue));
  EXPECT_EQ(p.Count(kBlue), 20);
  EXPECT_TRUE(p.RowRun(100, 11, 60, clWhite));

  // Points above the vertical range are drawn outside and cut by the clip.
  p.Clear();
  p.series.ClearPoints();
  p.series.AddPoint(10, 50, "", kRed);
  p.series.AddPoint(50, 150, "", kGreen);
  p.Paint(p.series);
  EXPECT_EQ(p.bitmap.Pixel(30, 35), kGreen);  // (20,60) -> (60,-40)
  EXPECT_EQ(p.Count(kGreen), 50);             // rows 60 up to 11 only
}

TEST(LineSeries, PointersGoOverBothSegmentsOfTheirPoint) {
  LinePlot p;
  p.series.Pointer().SetVisible(true);
  p.series.AddPoint(10, 50, "", kRed);
  p.series.AddPoint(50, 50, "", kGreen);
  p.series.AddPoint(90, 50, "", kBlue);
  p.Paint(p.series);
  // Point 1 at (60,60): its pointer (black outline, filled green) covers
  // the start of the blue segment that leaves it.
  EXPECT_EQ(p.bitmap.Pixel(62, 60), kGreen);
  EXPECT_EQ(p.bitmap.Pixel(64, 60), clBlack);
  EXPECT_EQ(p.bitmap.Pixel(60, 56), clBlack);
  EXPECT_EQ(p.bitmap.Pixel(65, 60), kBlue);
  EXPECT_EQ(p.bitmap.Pixel(55, 60), kGreen);
  // The first and the last point carry theirs too.
  EXPECT_EQ(p.bitmap.Pixel(20, 60), kRed);
  EXPECT_EQ(p.bitmap.Pixel(16, 60), clBlack);
  EXPECT_EQ(p.bitmap.Pixel(100, 60), kBlue);
  EXPECT_EQ(p.bitmap.Pixel(104, 64), clBlack);

  // The style may come from the series' event, point by point; a pen or
  // brush colour of clDefault takes the point's colour.
  p.Clear();
  std::vector<int> asked;
  p.series.OnGetPointerStyle = [&](TChartSeries&, int index) {
    asked.push_back(index);
    return psSmallDot;
  };
  p.series.Pointer().Brush().SetColor(kYellow);
  p.series.SetDrawsLine(false);
  p.Paint(p.series);
  EXPECT_EQ(asked, (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(p.Count(kYellow), 3);
  EXPECT_EQ(p.bitmap.Pixel(60, 60), kYellow);
  p.series.OnGetPointerStyle = nullptr;
  p.Clear();
  p.series.Pointer().Pen().SetColor(clDefault);
  p.series.Pointer().Brush().SetStyle(bsClear);
  p.Paint(p.series);
  EXPECT_EQ(p.bitmap.Pixel(56, 60), kGreen);
  EXPECT_EQ(p.bitmap.Pixel(60, 60), clWhite);
}

TEST(LineSeries, ClickedPointFindsPointsAndSegments) {
  LinePlot p;
  p.series.AddPoint(10, 10, "", kRed);            // (20,100)
  p.series.AddPoint(50, 50, "", kGreen);          // (60,60)
  p.series.AddPoint(90, 50, "", kBlue);           // (100,60)
  EXPECT_EQ(p.series.ClickedPoint(20, 100), -1);  // no visible range yet
  p.Paint(p.series);
  EXPECT_EQ(p.series.ClickedPoint(20, 100), 0);
  EXPECT_EQ(p.series.ClickedPoint(60, 60), 1);
  EXPECT_EQ(p.series.ClickedPoint(100, 60), 2);
  EXPECT_EQ(p.series.ClickedPoint(40, 80), 0);    // on the first segment
  EXPECT_EQ(p.series.ClickedPoint(80, 60), 1);    // on the second
  EXPECT_EQ(p.series.ClickedPoint(40, 81), -1);   // one pixel off
  EXPECT_EQ(p.series.ClickedPoint(110, 60), -1);  // on the line, beyond its end
  EXPECT_EQ(p.series.ClickedPoint(10, 110), -1);  // beyond the first point
  EXPECT_EQ(p.series.ClickedPoint(30, 30), -1);
  p.series.SetLineClickable(false);
  EXPECT_EQ(p.series.ClickedPoint(40, 80), -1);
  EXPECT_EQ(p.series.ClickedPoint(60, 60), 1);
  p.series.SetLineClickable(true);

  // Stairs are hit on their two legs only.
  p.series.SetStairs(true);
  EXPECT_EQ(p.series.ClickedPoint(40, 100), 0);
  EXPECT_EQ(p.series.ClickedPoint(60, 80), 0);
  EXPECT_EQ(p.series.ClickedPoint(40, 80), -1);
  p.series.SetInvertedStairs(true);
  EXPECT_EQ(p.series.ClickedPoint(20, 80), 0);
  EXPECT_EQ(p.series.ClickedPoint(40, 60), 0);
  EXPECT_EQ(p.series.ClickedPoint(40, 100), -1);
  p.series.SetStairs(false);

  // A visible pointer is hit within its half-extents (strictly) and reports
  // the click.
  p.series.Pointer().SetVisible(true);
  std::vector<int> clicks;
  p.series.OnClickPointer = [&](TCustomSeries&, int index, int x, int y) {
    clicks.insert(clicks.end(), {index, x, y});
  };
  EXPECT_EQ(p.series.ClickedPoint(23, 97), 0);
  EXPECT_EQ(clicks, (std::vector<int>{0, 23, 97}));
  EXPECT_EQ(p.series.ClickedPoint(24, 103), -1);
  EXPECT_TRUE(p.series.PointerHit(0, 20, 100, 16 + 1, 100));
  EXPECT_FALSE(p.series.PointerHit(0, 20, 100, 16, 100));
}

TEST(LineSeries, MarginsAndPointerSettings) {
  CountingChart chart;
  TLineSeries s;
  s.SetParentChart(&chart);
  EXPECT_TRUE(s.DrawsBeyondEdge());
  int a = -1, b = -1;
  s.HorizontalMargins(a, b);
  EXPECT_EQ(a, 0);
  EXPECT_EQ(b, 0);
  s.VerticalMargins(a, b);
  EXPECT_EQ(a, 0);
  EXPECT_EQ(b, 0);

  s.Pointer().SetVisible(true);
  s.Pointer().SetHorizSize(6);
  s.HorizontalMargins(a, b);
  EXPECT_EQ(a, 7);
  EXPECT_EQ(b, 7);
  s.VerticalMargins(a, b);
  EXPECT_EQ(a, 5);
  EXPECT_EQ(b, 5);
  s.Pointer().SetInflateMargins(false);
  s.HorizontalMargins(a, b);
  EXPECT_EQ(a, 0);
  // Stairs keep the pen's width clear, one more at the bottom.
  s.SetStairs(true);
  s.LinePen().SetWidth(3);
  s.HorizontalMargins(a, b);
  EXPECT_EQ(a, 3);
  EXPECT_EQ(b, 3);
  s.VerticalMargins(a, b);
  EXPECT_EQ(a, 3);
  EXPECT_EQ(b, 4);
  s.SetLineHeight(9);
  s.VerticalMargins(a, b);
  EXPECT_EQ(b, 9);

  // Sizes below 1 are refused and the size stays.
  for (int bad : {0, -3}) {
    try {
      s.Pointer().SetVertSize(bad);
      ADD_FAILURE() << "size " << bad << " accepted";
    } catch (const ChartException& e) {
      EXPECT_EQ(e.Message(), "Pointer size must be greater than zero");
    }
    EXPECT_THROW(s.Pointer().SetHorizSize(bad), ChartException);
  }
  EXPECT_EQ(s.Pointer().VertSize(), 4);
  EXPECT_EQ(s.Pointer().HorizSize(), 6);

  // Pointer changes repaint the chart; setting the current value does not.
  chart.Requests = 0;
  s.Pointer().SetStyle(psDiamond);
  s.Pointer().SetStyle(psDiamond);
  s.Pointer().SetHorizSize(6);
  EXPECT_EQ(chart.Requests, 1);
  s.Pointer().Pen().SetWidth(2);
  s.Pointer().Brush().SetColor(kRed);
  s.LinePen().SetWidth(2);
  EXPECT_EQ(chart.Requests, 4);
}

}  // namespace
}  // namespace drivesim
