// Logarithmic axes: where the powers of the base and their multiples land on
// a 300-pixel axis, the label texts in the axis' label format, the minor
// ticks and the grid drawn on a bitmap, the automatic range widened to whole
// powers, and zoom, panning and the wheel moving the range by factors.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "BitmapPixels.h"
#include "TestChart.h"
#include "chart/Chart.h"
#include "chart/Series.h"

namespace drivesim {
namespace {

// The chart rectangle is (50, 20, 350, 320): both axes are 300 pixels long,
// the bottom axis line on row 320 and the left axis line on column 50.
struct LogPicture {
  LogPicture() : bitmap(400, 360) {
    chart.SetView3D(false);
    chart.ChartCanvas().AttachCanvas(bitmap.Canvas());
    chart.SetPanelBounds({0, 0, 400, 360});
    chart.SetPlotRect({50, 20, 350, 320});
    series.SetParentChart(&chart);
  }
  void Prepare(TChartAxis& axis, double min, double max) {
    axis.SetRange(min, max);
    axis.SetLogarithmic(true);
    axis.AdjustRange();
    axis.ComputePixelRange();
    TRect r = chart.PlotRect();
    axis.ReserveSpace(r, false);
  }
  // The labels' positions and texts, as the axis places them in a paint.
  std::vector<std::pair<int, std::string>> Labels(TChartAxis& axis) {
    chart.ApplyFont(axis.LabelsFont());
    std::vector<std::pair<int, std::string>> labels;
    axis.GenerateLabels(axis.ComputeIncrement(), [&](int position, const std::string& text) {
      labels.emplace_back(position, text);
    });
    return labels;
  }
  std::set<int> Along(const TCustomChartAxis& axis, int across, TColor color) const {
    std::set<int> found;
    for (int p = 0; p < 400; ++p) {
      const TColor c = axis.IsHorizontal() ? bitmap.Pixel(p, across) : bitmap.Pixel(across, p);
      if (c == color) found.insert(p);
    }
    return found;
  }

  TBitmap bitmap;
  testing::CountingChart chart;
  TChartSeries series;
};

using LabelList = std::vector<std::pair<int, std::string>>;

TEST(LogAxis, LabelsAtThePowersFromTenthsToHundredThousands) {
  struct Case {
    double Min, Max;
    std::string Format;
    LabelList Expected;
  };
  // One power of ten per 150, 100, 75 or 60 pixels from column 50; labels
  // from the top of the range down.
  const Case cases[] = {
      {0.1, 10, "", {{350, "10"}, {200, "1"}, {50, "0.1"}}},
      {0.1, 10, "0.00", {{350, "10.00"}, {200, "1.00"}, {50, "0.10"}}},
      {1, 1000, "", {{350, "1,000"}, {250, "100"}, {150, "10"}, {50, "1"}}},
      {0.01, 100, "0.##", {{350, "100"}, {275, "10"}, {200, "1"}, {125, "0.1"}, {50, "0.01"}}},
      {1,
       1e5,
       "0",
       {{350, "100000"}, {290, "10000"}, {230, "1000"}, {170, "100"}, {110, "10"}, {50, "1"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.Min) + ".." + std::to_string(c.Max) + " " + c.Format);
    LogPicture pic;
    TChartAxis& bottom = pic.chart.BottomAxis();
    if (!c.Format.empty()) bottom.SetAxisValuesFormat(c.Format);
    pic.Prepare(bottom, c.Min, c.Max);
    ASSERT_TRUE(bottom.IsLogScale());
    EXPECT_EQ(pic.Labels(bottom), c.Expected);
    // The value at a label's pixel is its power again.
    for (const auto& [position, text] : c.Expected) {
      const double decade = std::round(bottom.LogOf(bottom.PixelToValue(position)));
      EXPECT_NEAR(bottom.PixelToValue(position), std::pow(10.0, decade), 1e-9 * c.Max) << text;
    }
  }

  // The vertical axis grows upwards: 1000 at the top row, 1 at the bottom;
  // a value between two powers lies by its logarithm (30 is 47.7 % of the
  // way from 10 to 100), and 0 or below has no pixel.
  LogPicture pic;
  TChartAxis& left = pic.chart.LeftAxis();
  pic.Prepare(left, 1, 1000);
  std::vector<int> ticks;
  left.GenerateLabels(1);
  for (int i = 0; i < left.TickList().Count(); ++i) ticks.push_back(left.TickList()[i]);
  EXPECT_EQ(ticks, (std::vector<int>{20, 120, 220, 320}));
  EXPECT_EQ(left.ValueToPixel(30), 172);
  EXPECT_EQ(left.ValueToPixel(0), left.CenterPixel());
  EXPECT_EQ(left.ValueToPixel(-5), left.CenterPixel());
  EXPECT_DOUBLE_EQ(left.PixelToValue(120), 100);
  left.SetInverted(true);
  EXPECT_EQ(left.ValueToPixel(1000), 320);
  EXPECT_EQ(left.ValueToPixel(30), 168);
  EXPECT_NEAR(left.PixelToValue(168), 30, 30 * 0.03);

  // Labels that do not fit every decade go every second one (the even
  // exponents), then every fifth.
  LogPicture narrow;
  TChartAxis& bottom = narrow.chart.BottomAxis();
  bottom.SetAxisValuesFormat("0.##########");
  narrow.Prepare(bottom, 1e-10, 1e10);
  LabelList labels = narrow.Labels(bottom);
  ASSERT_GE(labels.size(), 3U);
  ASSERT_LT(labels.size(), 21U);
  const double step = bottom.ComputeIncrement();
  EXPECT_TRUE(step == 2 || step == 5 || step == 10) << step;
  for (const auto& [position, text] : labels) {
    const double e = std::round(bottom.LogOf(bottom.PixelToValue(position)));
    EXPECT_EQ(std::fmod(e, step), 0) << text;
  }

  // Zoomed inside one decade (2 .. 8) the multiples 2 .. 8 are labelled.
  LogPicture inside;
  TChartAxis& zoomed = inside.chart.BottomAxis();
  inside.Prepare(zoomed, 2, 8);
  std::vector<std::string> texts;
  for (const auto& label : inside.Labels(zoomed)) texts.push_back(label.second);
  EXPECT_EQ(texts, (std::vector<std::string>{"8", "7", "6", "5", "4", "3", "2"}));
}

TEST(LogAxis, MinorTicksAtTwoToNineTimesEachPowerAndTheGridAtThePowers) {
  LogPicture pic;
  TChartAxis& bottom = pic.chart.BottomAxis();
  bottom.LabelsFont().SetColor(0x0000FF);
  bottom.Grid().SetColor(kBlue);
  bottom.Grid().SetStyle(psSolid);
  pic.Prepare(bottom, 1, 100);
  bottom.DrawAxis(true);

  const std::set<int> majors = {50, 200, 350};
  // 2 .. 9 in each decade of 150 pixels: log10(2) * 150 = 45.2 -> 95, ...
  const std::set<int> minors = {95,  122, 140, 155, 167, 177, 185, 193,
                                245, 272, 290, 305, 317, 327, 335, 343};
  std::set<int> both = majors;
  both.insert(minors.begin(), minors.end());
  // Minor ticks two pixels long, the major ones four, one pixel below the
  // axis line on row 320.
  EXPECT_EQ(pic.Along(bottom, 321, clGray), both);
  EXPECT_EQ(pic.Along(bottom, 322, clGray), both);
  EXPECT_EQ(pic.Along(bottom, 323, clGray), majors);
  EXPECT_EQ(pic.Along(bottom, 324, clGray), majors);
  // The grid crosses the chart rectangle at the powers only.
  for (int y : {21, 100, 319}) EXPECT_EQ(pic.Along(bottom, y, kBlue), majors) << y;

  // The values themselves.
  std::vector<double> values;
  bottom.ForEachLogMinorTick([&](double v) { values.push_back(v); });
  ASSERT_EQ(values.size(), 16U);
  EXPECT_EQ(values.front(), 2);
  EXPECT_EQ(values[7], 9);
  EXPECT_EQ(values[8], 20);
  EXPECT_EQ(values.back(), 90);

  // A minor grid follows the minor ticks.
  pic.chart.ChartCanvas().Brush().SetColor(clWhite);
  pic.bitmap.Canvas().Brush().SetColor(clWhite);
  pic.bitmap.Canvas().Brush().SetStyle(bsSolid);
  pic.bitmap.Canvas().FillRect({0, 0, 400, 360});
  bottom.Grid().SetVisible(false);
  bottom.MinorGrid().SetVisible(true);
  bottom.MinorGrid().SetColor(kBlue);
  bottom.MinorGrid().SetStyle(psSolid);
  bottom.DrawAxis(true);
  EXPECT_EQ(pic.Along(bottom, 100, kBlue), minors);

  // Base 2 has no multiples between its powers: 1 .. 16 has labels every
  // 75 pixels and no minor ticks.
  LogPicture two;
  TChartAxis& binary = two.chart.BottomAxis();
  binary.SetLogarithmicBase(2);
  two.Prepare(binary, 1, 16);
  binary.DrawAxis(true);
  EXPECT_EQ(two.Labels(binary),
            (LabelList{{350, "16"}, {275, "8"}, {200, "4"}, {125, "2"}, {50, "1"}}));
  EXPECT_EQ(two.Along(binary, 321, clGray), (std::set<int>{50, 125, 200, 275, 350}));
}

TEST(LogAxis, AutomaticRangesWidenToWholePowers) {
  struct Case {
    std::vector<double> Xs;
    int Base;
    double Min, Max;
  };
  const Case cases[] = {
      {{0.3, 47}, 10, 0.1, 100},  {{1, 1000}, 10, 1, 1000}, {{5}, 10, 1, 10},
      {{10}, 10, 10, 100},        {{0, 30}, 10, 10, 100},   {{3, 9}, 2, 2, 16},
      {{0.02, 0.5}, 10, 0.01, 1},
  };
  for (const Case& c : cases) {
    testing::CountingChart chart;
    TChartSeries series;
    for (double x : c.Xs) series.AddPoint(x, 1, "", clDefault);
    series.SetParentChart(&chart);
    TChartAxis& bottom = chart.BottomAxis();
    bottom.SetLogarithmicBase(c.Base);
    bottom.SetLogarithmic(true);
    bottom.AdjustRange();
    EXPECT_DOUBLE_EQ(bottom.Minimum(), c.Min) << c.Xs.front();
    EXPECT_DOUBLE_EQ(bottom.Maximum(), c.Max) << c.Xs.front();
    EXPECT_DOUBLE_EQ(bottom.RangeMinimum(), c.Min) << c.Xs.front();
    // Widening again changes nothing.
    bottom.AdjustRange();
    EXPECT_DOUBLE_EQ(bottom.Maximum(), c.Max) << c.Xs.front();
  }

  // A fixed end stays where it was set; the automatic one widens.
  testing::CountingChart chart;
  TChartSeries series;
  series.AddPoint(3, 1, "", clDefault);
  series.AddPoint(42, 1, "", clDefault);
  series.SetParentChart(&chart);
  TChartAxis& bottom = chart.BottomAxis();
  bottom.SetLogarithmic(true);
  bottom.SetAutomaticMinimum(false);
  bottom.SetMinimum(2.5);
  bottom.AdjustRange();
  EXPECT_EQ(bottom.Minimum(), 2.5);
  EXPECT_EQ(bottom.Maximum(), 100);
  // A linear axis keeps the data's own ends.
  bottom.SetLogarithmic(false);
  bottom.SetAutomatic(true);
  bottom.AdjustRange();
  EXPECT_EQ(bottom.Minimum(), 3);
  EXPECT_EQ(bottom.Maximum(), 42);
  EXPECT_FALSE(bottom.IsLogScale());
}

// A flat 400 x 300 chart with one line from (1, 1) to (1000, 1000) on
// logarithmic bottom and left axes, rendered to a bitmap and driven with
// mouse events.
struct LogChart {
  TChart Chart;
  TLineSeries Line;
  TBitmap Bitmap{400, 300};
  LogChart() {
    Chart.SetBounds(0, 0, 400, 300);
    Chart.SetView3D(false);
    Chart.Legend().SetVisible(false);
    for (double x = 1; x <= 1000; x *= 1.5) Line.AddPoint(x, x, "", clDefault);
    Line.AddPoint(1000, 1000, "", clDefault);
    Line.SetParentChart(&Chart);
    Chart.BottomAxis().SetLogarithmic(true);
    Chart.LeftAxis().SetLogarithmic(true);
    Render();
  }
  void Render() { Chart.RenderTo(Bitmap.Canvas(), Chart.ClientRect()); }
  void Drag(TMouseButton button, int x0, int y0, int x1, int y1) {
    Chart.DispatchMouseDown(button, 0, x0, y0);
    Chart.DispatchMouseMove(0, (x0 + x1) / 2, (y0 + y1) / 2);
    Chart.DispatchMouseMove(0, x1, y1);
    Chart.DispatchMouseUp(button, 0, x1, y1);
    Render();
  }
  double Decades(const TCustomChartAxis& axis) const {
    return std::log10(axis.Maximum() / axis.Minimum());
  }
};

TEST(LogAxis, ZoomPanAndWheelMoveTheRangeByFactors) {
  LogChart c;
  TChartAxis& bottom = c.Chart.BottomAxis();
  TChartAxis& left = c.Chart.LeftAxis();
  ASSERT_EQ(bottom.Minimum(), 1);
  ASSERT_EQ(bottom.Maximum(), 1000);
  ASSERT_EQ(left.Maximum(), 1000);
  // The left axis keeps room for its widest label, the top power's.
  c.Chart.ApplyFont(left.LabelsFont());
  EXPECT_GE(c.Chart.PlotRect().Left, c.Chart.ChartCanvas().MeasureTextWidth("1,000"));

  // The rubber band from the pixel of 10 to that of 100 on both axes zooms
  // to one decade, not to the linear values at those pixels.
  const int x10 = bottom.ValueToPixel(10), x100 = bottom.ValueToPixel(100);
  const int y100 = left.ValueToPixel(100), y10 = left.ValueToPixel(10);
  const double fromX = bottom.PixelToValue(x10), toX = bottom.PixelToValue(x100);
  c.Drag(mbLeft, x10, y100, x100, y10);
  EXPECT_DOUBLE_EQ(bottom.Minimum(), fromX);
  EXPECT_DOUBLE_EQ(bottom.Maximum(), toX);
  EXPECT_NEAR(bottom.Minimum(), 10, 0.5);
  EXPECT_NEAR(bottom.Maximum(), 100, 5);
  EXPECT_NEAR(left.Minimum(), 10, 0.5);
  EXPECT_NEAR(left.Maximum(), 100, 5);
  EXPECT_NEAR(c.Decades(bottom), 1, 0.03);
  c.Chart.UndoZoom();
  c.Render();
  EXPECT_EQ(bottom.Minimum(), 1);
  EXPECT_EQ(bottom.Maximum(), 1000);

  // Animated, each picture goes a third of the remaining way in decades:
  // from 1 .. 1000 toward 10 .. 100 first to 10^(1/3) .. 10^(3 - 1/3).
  c.Chart.SetAnimatedZoom(true);
  c.Chart.SetAnimatedZoomSteps(3);
  std::vector<std::pair<double, double>> pictures;
  c.Chart.OnAfterDraw = [&](TCustomChartPanel&) {
    pictures.emplace_back(bottom.Minimum(), bottom.Maximum());
  };
  c.Chart.ZoomToValues(10, 100, 10, 100, 10, 100, 10, 100);
  c.Chart.OnAfterDraw = nullptr;
  ASSERT_GE(pictures.size(), 2U);
  EXPECT_NEAR(std::log10(pictures[0].first), 1.0 / 3, 1e-12);
  EXPECT_NEAR(std::log10(pictures[0].second), 3 - 1.0 / 3, 1e-12);
  EXPECT_NEAR(std::log10(pictures[1].first), 1.0 / 3 + 2.0 / 9, 1e-12);
  EXPECT_EQ(bottom.Minimum(), 10);
  EXPECT_EQ(bottom.Maximum(), 100);
  c.Chart.SetAnimatedZoom(false);
  c.Chart.UndoZoom();
  c.Render();

  // A right drag moves the range by the ratio of the values under the two
  // pixels: as many decades stay in view, and the value under the press
  // lies under the release afterwards.
  const TRect plot = c.Chart.PlotRect();
  const int y = (plot.Top + plot.Bottom) / 2;
  const int px = plot.Left + 100;
  const double grabbed = bottom.PixelToValue(px);
  c.Drag(mbRight, px, y, px - 60, y);
  EXPECT_NEAR(c.Decades(bottom), 3, 1e-12);
  EXPECT_NEAR(bottom.ValueToPixel(grabbed), px - 60, 1);
  EXPECT_GT(bottom.Minimum(), 1);
  EXPECT_NEAR(bottom.Minimum(), std::pow(10.0, 60.0 * 3 / bottom.AxisLength()), 0.05);

  // A wheel step scrolls the vertical axis by 3 % of its decades.
  const double before = left.Minimum();
  c.Chart.DispatchMouseWheel(-1, 0, y, y);
  EXPECT_NEAR(c.Decades(left), 3, 1e-12);
  EXPECT_NEAR(std::log10(left.Minimum() / before), 0.09, 1e-12);
  c.Chart.DispatchMouseWheel(1, 0, y, y);
  EXPECT_NEAR(left.Minimum(), before, 1e-12);
}

}  // namespace
}  // namespace drivesim

namespace drivesim {
namespace {

TEST(LogAxis, ALineEnteringAtTheEdgeStaysStraightInPixels) {
  // From (1, 1) to (1000, 10^6) on log-log axes is straight with slope 2;
  // the bottom axis shows 10 .. 1000 only, so the line enters at x = 10,
  // where it is at 100 (linear interpolation of the values would put it
  // near 9000).
  TChart chart;
  chart.SetBounds(0, 0, 400, 300);
  chart.SetView3D(false);
  chart.Legend().SetVisible(false);
  TLineSeries line;
  line.SetSeriesColor(0x0000FF);
  line.AddPoint(1, 1, "", clDefault);
  line.AddPoint(1000, 1e6, "", clDefault);
  line.SetParentChart(&chart);
  chart.BottomAxis().SetRange(10, 1000);
  chart.BottomAxis().SetLogarithmic(true);
  chart.LeftAxis().SetLogarithmic(true);
  TBitmap bitmap(400, 300);
  chart.RenderTo(bitmap.Canvas(), chart.ClientRect());
  const int x = chart.PlotRect().Left + 1;
  const int y = chart.LeftAxis().ValueToPixel(100);
  bool found = false;
  for (int dy = -2; dy <= 2; ++dy) found |= bitmap.Pixel(x, y + dy) == 0x0000FF;
  EXPECT_TRUE(found) << y;
  // And at the middle of the bottom axis (x = 100) the line is at 10^4.
  const int mx = chart.BottomAxis().ValueToPixel(100);
  const int my = chart.LeftAxis().ValueToPixel(1e4);
  found = false;
  for (int dy = -2; dy <= 2; ++dy) found |= bitmap.Pixel(mx, my + dy) == 0x0000FF;
  EXPECT_TRUE(found) << my;

  // Many points, drawn by pixel columns: y = x^2 from 1 to 1000 is straight
  // too, passing (10, 100) and (100, 10^4), and leaves the top left empty.
  line.ClearPoints();
  for (int i = 0; i <= 3000; ++i) {
    const double x = std::pow(10.0, i / 1000.0);
    line.AddPoint(x, x * x, "", clDefault);
  }
  chart.BottomAxis().SetAutomatic(true);
  chart.RenderTo(bitmap.Canvas(), chart.ClientRect());
  ASSERT_EQ(chart.BottomAxis().Minimum(), 1);
  for (double x : {10.0, 100.0}) {
    const int px = chart.BottomAxis().ValueToPixel(x);
    const int py = chart.LeftAxis().ValueToPixel(x * x);
    found = false;
    for (int dy = -1; dy <= 1; ++dy) found |= bitmap.Pixel(px, py + dy) == 0x0000FF;
    EXPECT_TRUE(found) << x;
    // Nothing of the line well above the straight path.
    EXPECT_NE(bitmap.Pixel(px, py - 20), 0x0000FFu) << x;
  }
}

}  // namespace
}  // namespace drivesim
