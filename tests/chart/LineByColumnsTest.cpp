// A line series drawn by pixel columns must leave exactly what drawing every
// segment point by point leaves: the same pixels, the same drawing state
// carried to the next paint, and the canvas's pen, brush and pen position.
// Each test draws a few hundred random series both ways: a TLineSeries
// (drawn by columns) beside a series type of its own, which the chart draws
// point by point.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "TestChart.h"
#include "chart/ColumnLine.h"
#include "chart/Series.h"

namespace drivesim {
namespace {

using testing::CountingChart;

// A line series type of its own, which takes every point through PaintPoint.
class PointByPointSeries : public TLineSeries {};

// The points of one case and how the chart shows them.
struct Case {
  std::vector<double> xs;
  std::vector<double> ys;
  std::vector<TColor> colors;
  double xMin = 0, xMax = 1, yMin = 0, yMax = 1;
  bool xInverted = false;
  bool yInverted = false;
  double yMultiplier = 1;
  bool colorEachPoint = false;
  // The X values kept in the order they came, not sorted.
  bool xUnordered = false;
  // The line pen's width and the canvas's pixel ratio.
  int penWidth = 1;
  double scale = 1;
};

// The canvas state a series leaves behind it.
struct DrawingState {
  TColor penColor;
  TPenStyle penStyle;
  int penWidth;
  TBrushStyle brushStyle;
  int backgroundMode;
  TPoint penPos;
  int prevX, prevY;
  TColor prevColor;
  friend bool operator==(const DrawingState&, const DrawingState&) = default;
};

std::string Describe(const DrawingState& s) {
  return "pen " + std::to_string(s.penColor) + "/" + std::to_string(s.penStyle) + "/" +
         std::to_string(s.penWidth) + " brush " + std::to_string(s.brushStyle) + " mode " +
         std::to_string(s.backgroundMode) + " at (" + std::to_string(s.penPos.X) + ", " +
         std::to_string(s.penPos.Y) + ") prev (" + std::to_string(s.prevX) + ", " +
         std::to_string(s.prevY) + ") " + std::to_string(s.prevColor);
}

// A chart rectangle of (10, 10, 190, 140) on a 200 x 150 bitmap, painted the
// way the chart paints a series (visible range, clip, points, clip removed).
struct ColumnsPlot {
  explicit ColumnsPlot(TCustomSeries& s) : bitmap(200, 150), series(s) {
    chart.SetView3D(false);
    chart.ChartCanvas().AttachCanvas(bitmap.Canvas());
    chart.SetPanelBounds({0, 0, 200, 150});
    chart.SetPlotRect({10, 10, 190, 140});
    series.SetParentChart(&chart);
  }
  void Show(const Case& c) {
    series.ClearPoints();
    series.SetColorEachPoint(c.colorEachPoint);
    series.SetSeriesColor(c.colorEachPoint ? clDefault : 0x123456);
    series.YValues().SetMultiplier(c.yMultiplier);
    series.LinePen().SetWidth(c.penWidth);
    if (c.xUnordered) series.XValues().SetOrder(loNone);
    chart.ChartCanvas().SetScale(c.scale);
    for (std::size_t i = 0; i < c.xs.size(); ++i)
      series.AddPoint(c.xs[i], c.ys[i], "", c.colors[i]);
    TChartAxis& bottom = chart.BottomAxis();
    TChartAxis& left = chart.LeftAxis();
    bottom.SetInverted(c.xInverted);
    left.SetInverted(c.yInverted);
    bottom.SetRange(c.xMin, c.xMax);
    left.SetRange(c.yMin, c.yMax);
    for (TChartAxis* axis : {&bottom, &left}) {
      axis->AdjustRange();
      axis->ComputePixelRange();
    }
  }
  DrawingState Paint() {
    series.ComputeVisibleRange();
    if (series.FirstVisible() >= 0) {
      chart.ChartCanvas().ClipToBox(chart.PlotRect(), 0, 0);
      series.DrawVisiblePoints();
      chart.ChartCanvas().RemoveClip();
    }
    TChartCanvas3D& canvas = chart.ChartCanvas();
    return DrawingState{
        canvas.Pen().Color(),   canvas.Pen().Style(),    canvas.Pen().Width(),
        canvas.Brush().Style(), canvas.BackgroundMode(), canvas.DeviceContext()->PenPos(),
        series.PrevX(),         series.PrevY(),          series.PrevColor()};
  }
  TBitmap bitmap;
  CountingChart chart;
  TCustomSeries& series;
};

std::string FirstDifference(const TBitmap& a, const TBitmap& b) {
  for (int y = 0; y < a.Height(); ++y) {
    for (int x = 0; x < a.Width(); ++x) {
      if (a.Pixel(x, y) != b.Pixel(x, y)) {
        return "(" + std::to_string(x) + ", " + std::to_string(y) +
               "): " + std::to_string(a.Pixel(x, y)) + " by columns, " +
               std::to_string(b.Pixel(x, y)) + " point by point";
      }
    }
  }
  return "";
}

// Draws the case both ways, twice (the second paint starts from the state
// the first left), and compares.
void ExpectSameDrawing(const Case& c, const std::string& what) {
  TLineSeries byColumns;
  PointByPointSeries pointByPoint;
  ColumnsPlot columns(byColumns);
  ColumnsPlot points(pointByPoint);
  columns.Show(c);
  points.Show(c);
  for (int paint = 1; paint <= 2; ++paint) {
    const DrawingState a = columns.Paint();
    const DrawingState b = points.Paint();
    const std::string difference = FirstDifference(columns.bitmap, points.bitmap);
    ASSERT_EQ(difference, "") << what << ", " << c.xs.size() << " points, paint " << paint;
    ASSERT_EQ(a, b) << what << ", paint " << paint << ": " << Describe(a) << " by columns, "
                    << Describe(b) << " point by point";
  }
  // A dotted line drawn on from where the series left the pen continues
  // the dot pattern of the series' last segment the same way.
  for (ColumnsPlot* plot : {&columns, &points}) {
    TCanvas& canvas = *plot->chart.ChartCanvas().DeviceContext();
    canvas.Pen().SetStyle(psDot);
    canvas.LineTo(199, 75);
  }
  ASSERT_EQ(FirstDifference(columns.bitmap, points.bitmap), "") << what << ", dotted line after";
}

// Random cases of one kind: make(random, case) fills the values.
class Cases {
 public:
  explicit Cases(unsigned seed) : fRandom(seed) {}
  std::mt19937& Random() { return fRandom; }
  int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(fRandom); }
  double Real(double lo, double hi) {
    return std::uniform_real_distribution<double>(lo, hi)(fRandom);
  }
  bool Chance(double p) { return Real(0, 1) < p; }

  // Ascending X values, n of them, spread over `width` from `start`.
  std::vector<double> Times(int n, double start, double width) {
    std::vector<double> xs(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
      xs[static_cast<std::size_t>(i)] = start + width * i / std::max(1, n - 1);
    if (Chance(0.3)) {
      // Uneven steps, some repeated X values among them.
      double x = start;
      for (double& v : xs) {
        v = x;
        if (!Chance(0.1)) x += Real(0, 2 * width / n);
      }
    }
    return xs;
  }
  // The ranges around the values, now and then narrower (zoomed in) or
  // wider.
  void FitRanges(Case& c) {
    double lo = INFINITY, hi = -INFINITY;
    for (double y : c.ys) {
      lo = std::min(lo, y * c.yMultiplier);
      hi = std::max(hi, y * c.yMultiplier);
    }
    if (!(hi > lo)) hi = lo + 1;
    c.xMin = c.xs.front();
    c.xMax = c.xs.back() > c.xMin ? c.xs.back() : c.xMin + 1;
    c.yMin = lo;
    c.yMax = hi;
    if (Chance(0.25)) {
      // Zoomed in on the middle: the line enters from the chart's edge and
      // runs out of it.
      const double w = c.xMax - c.xMin;
      c.xMin += w * Real(0.05, 0.45);
      c.xMax -= w * Real(0.05, 0.45);
      const double h = c.yMax - c.yMin;
      c.yMin += h * Real(0, 0.3);
      c.yMax -= h * Real(0, 0.3);
    }
    c.xInverted = Chance(0.15);
    c.yInverted = Chance(0.15);
  }
  void Colour(Case& c, double changes) {
    static const TColor palette[] = {0x00FFFF00, 0x0000FF00, 0x000000FF, 0x00FF00FF};
    TColor current = palette[Int(0, 3)];
    c.colors.clear();
    for (std::size_t i = 0; i < c.xs.size(); ++i) {
      if (Chance(changes)) current = palette[Int(0, 3)];
      c.colors.push_back(current);
    }
  }

 private:
  std::mt19937 fRandom;
};

constexpr int kCasesPerKind = 250;

TEST(LineByColumns, RandomWalksNoiseBurstsAndStepsAsPointByPoint) {
  Cases cases(1);
  for (int n = 0; n < kCasesPerKind && !HasFatalFailure(); ++n) {
    for (int kind = 0; kind < 3 && !HasFatalFailure(); ++kind) {
      Case c;
      const int count = cases.Int(2, cases.Chance(0.5) ? 300 : 6000);
      c.xs = cases.Times(count, cases.Real(-5, 5), cases.Real(0.01, 100));
      c.ys.resize(c.xs.size());
      double y = cases.Real(-50, 50);
      for (double& v : c.ys) {
        switch (kind) {
          case 0: y += cases.Real(-3, 3); break;  // a random walk
          case 1:                                 // quiet, then a burst of noise
            y = cases.Chance(0.9) ? y : cases.Real(-100, 100);
            break;
          default:  // steps between levels held for a while
            if (cases.Chance(0.01)) y = std::round(cases.Real(-40, 40));
        }
        v = y;
      }
      if (cases.Chance(0.1)) c.yMultiplier = cases.Chance(0.5) ? -1.0 : 2.5;
      cases.Colour(c, cases.Chance(0.7) ? 0 : 0.01);
      cases.FitRanges(c);
      ExpectSameDrawing(c, "kind " + std::to_string(kind) + ", case " + std::to_string(n));
    }
  }
}

TEST(LineByColumns, ExtremesFarPointsNullsAndColourChangesAsPointByPoint) {
  Cases cases(2);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const double extremes[] = {DBL_MAX, -DBL_MAX, 1e300, -1e300, 1e12, -1e12, 5e5, -5e5, 1e-310,
                             -0.0,    0.0,      1e-12, 4e4,    -4e4, nan,   inf, -inf};
  for (int n = 0; n < kCasesPerKind && !HasFatalFailure(); ++n) {
    for (int kind = 0; kind < 3 && !HasFatalFailure(); ++kind) {
      Case c;
      const int count = cases.Int(2, 3000);
      c.xs = cases.Times(count, 0, cases.Real(1, 50));
      c.ys.resize(c.xs.size());
      double y = 0;
      for (double& v : c.ys) {
        y += cases.Real(-2, 2);
        v = y;
      }
      cases.Colour(c, kind == 2 ? 0.2 : 0.002);
      if (kind == 0) {
        // Values no pixel holds, and values mapped beyond the drawable
        // range, among ordinary ones.
        for (double& v : c.ys) {
          if (cases.Chance(0.02)) v = extremes[cases.Int(0, 16)];
        }
        // Products that overflow, or turn an infinity into no number.
        if (cases.Chance(0.2)) c.yMultiplier = cases.Chance(0.5) ? -2.0 : 0.0;
      }
      if (kind == 1) {
        // Null points, alone and in runs.
        for (std::size_t i = 0; i < c.colors.size(); ++i) {
          if (cases.Chance(0.01)) {
            const std::size_t run = static_cast<std::size_t>(cases.Int(1, 40));
            for (std::size_t j = i; j < std::min(c.colors.size(), i + run); ++j)
              c.colors[j] = clNone;
          }
        }
      }
      if (kind == 2 && cases.Chance(0.3)) {
        // The palette of the series, one colour per point index.
        c.colorEachPoint = true;
        for (TColor& color : c.colors) color = color == clNone ? clNone : clDefault;
      }
      cases.FitRanges(c);
      if (kind == 0) {
        // The ranges of the ordinary values.
        c.yMin = -60;
        c.yMax = 60;
        if (cases.Chance(0.3)) {
          c.yMin = -1;  // most points far beyond the drawable range
          c.yMax = 1e-3;
        }
      }
      ExpectSameDrawing(c, "kind " + std::to_string(kind) + ", case " + std::to_string(n));
    }
  }
}

TEST(LineByColumns, SeriesNarrowerThanOneColumnAsPointByPoint) {
  Cases cases(3);
  for (int n = 0; n < kCasesPerKind && !HasFatalFailure(); ++n) {
    Case c;
    const int count = cases.Int(2, cases.Chance(0.5) ? 10 : 2000);
    // All points within a fraction of a pixel column, or within a few.
    const double width = cases.Chance(0.5) ? cases.Real(0, 0.004) : cases.Real(0.005, 0.05);
    c.xs = cases.Times(count, cases.Real(0.2, 0.7), width);
    c.ys.resize(c.xs.size());
    for (double& v : c.ys)
      v = cases.Chance(0.5) ? cases.Real(-10, 10) : std::round(cases.Real(-3, 3));
    cases.Colour(c, cases.Chance(0.5) ? 0 : 0.05);
    c.xMin = 0;
    c.xMax = 1;
    c.yMin = -12;
    c.yMax = 12;
    c.xInverted = cases.Chance(0.2);
    ExpectSameDrawing(c, "case " + std::to_string(n));
  }
}

// Points that walk back and forth along rows held for a while: segments
// along one row that turn round, change colour or are interrupted by a
// column, at ratio 1 and at ratios whose pen is the thin line's copies.
TEST(LineByColumns, RowsWalkedBothWaysAsPointByPoint) {
  Cases cases(5);
  const double scales[] = {1, 1, 2, 1.5};
  for (int n = 0; n < kCasesPerKind && !HasFatalFailure(); ++n) {
    Case c;
    c.xUnordered = true;
    c.scale = scales[cases.Int(0, 3)];
    const int count = cases.Int(2, 400);
    double x = cases.Real(0, 100);
    double y = std::round(cases.Real(-20, 20));
    int direction = 1;
    for (int i = 0; i < count; ++i) {
      c.xs.push_back(x);
      c.ys.push_back(y);
      if (cases.Chance(0.1)) direction = -direction;
      x += direction * cases.Real(0.2, 3);
      if (cases.Chance(0.05)) y = std::round(cases.Real(-20, 20));
    }
    cases.Colour(c, cases.Chance(0.5) ? 0 : 0.05);
    c.xMin = 0;
    c.xMax = 100;
    c.yMin = -25;
    c.yMax = 25;
    c.xInverted = cases.Chance(0.2);
    ExpectSameDrawing(c, "at ratio " + std::to_string(c.scale) + ", case " + std::to_string(n));
  }
}

// Wide pens: widened by the pixel ratio alone (thin copies side by side),
// wider than that at a ratio (bands along rows and columns, the surface's
// round-ended lines otherwise), and wide at ratio 1 (round-ended lines),
// over dense walks, bursts, steps, far points, nulls and colour changes.
TEST(LineByColumns, WidePensAsPointByPoint) {
  Cases cases(4);
  const double scales[] = {1, 1, 1.25, 1.5, 1.75, 2};
  for (int n = 0; n < 300 && !HasFatalFailure(); ++n) {
    Case c;
    c.scale = scales[cases.Int(0, 5)];
    c.penWidth = cases.Chance(0.5) ? 1 : cases.Int(2, 6);
    const int kind = cases.Int(0, 3);
    const int count = cases.Int(2, cases.Chance(0.5) ? 200 : 4000);
    c.xs = cases.Times(count, cases.Real(-5, 5), cases.Real(0.01, 100));
    c.ys.resize(c.xs.size());
    double y = cases.Real(-50, 50);
    for (double& v : c.ys) {
      switch (kind) {
        case 0: y += cases.Real(-3, 3); break;
        case 1: y = cases.Chance(0.9) ? y : cases.Real(-100, 100); break;
        case 2:
          if (cases.Chance(0.01)) y = std::round(cases.Real(-40, 40));
          break;
        default: y = cases.Chance(0.02) ? cases.Real(-1e6, 1e6) : y + cases.Real(-2, 2);
      }
      v = y;
    }
    cases.Colour(c, cases.Chance(0.6) ? 0 : 0.02);
    if (cases.Chance(0.1)) {
      for (std::size_t i = 0; i < c.colors.size(); ++i) {
        if (cases.Chance(0.01)) c.colors[i] = clNone;
      }
    }
    cases.FitRanges(c);
    if (kind == 3) {
      c.yMin = -60;
      c.yMax = 60;
    }
    ExpectSameDrawing(c, "width " + std::to_string(c.penWidth) + " at ratio " +
                             std::to_string(c.scale) + ", kind " + std::to_string(kind) +
                             ", case " + std::to_string(n));
  }
}

// Chains in one column drawn as one vertical line: the rows the chain
// covers, less its last row when no segment covers it, also when the chain
// went on from an open one or returned to a row it had passed.
TEST(LineByColumns, ColumnChainsCoverTheRowsTheirSegmentsCover) {
  struct Chain {
    std::vector<int> rows;  // the rows the points of the column lie on
    int expectedTop;
    int expectedBottom;  // inclusive
  };
  const Chain chains[] = {
      {{5, 10, 3}, 4, 10},         // ends on the lowest row, not covered
      {{5, 3, 10, 7, 10}, 3, 10},  // ends on a row covered on the way
      {{5, 3, 10, 3}, 3, 10},      // ends on the row it started a segment from
      {{20, 21}, 20, 20},          // one segment: its start row only
      {{8, 2, 2, 2}, 3, 8},        // a streak on the last row
  };
  for (const Chain& chain : chains) {
    TBitmap bitmap(40, 40);
    TChartCanvas3D canvas;
    canvas.AttachCanvas(bitmap.Canvas());
    TChartPen pen;
    {
      TColumnLine line(canvas, pen);
      for (std::size_t i = 1; i < chain.rows.size(); ++i) {
        if (chain.rows[i] != chain.rows[i - 1]) {
          line.Add(7, chain.rows[i - 1], 7, chain.rows[i], clRed);
        }
      }
      line.Finish();
    }
    for (int y = 0; y < 40; ++y) {
      const bool inside = y >= chain.expectedTop && y <= chain.expectedBottom;
      EXPECT_EQ(bitmap.Pixel(7, y), inside ? clRed : clWhite) << "row " << y;
    }
    EXPECT_EQ(canvas.Pen().Color(), clRed);
    EXPECT_EQ(canvas.Brush().Style(), bsClear);
  }
}

}  // namespace
}  // namespace drivesim
