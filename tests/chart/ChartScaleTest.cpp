// The chart on a denser surface: the oscilloscope drawn at a pixel ratio of
// 2 beside the same chart at 1, asserted by the pixels of its structure
// (bevel, chart rectangle, ticks, trace thickness) and by its layout, never
// by text pixels; and the mouse's zoom and panning in layout pixels at
// ratios 2 and 1.5, which must do what the same gestures do at 1.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "chart/Chart.h"
#include "chart/Series.h"
#include "platform/Graphics.h"
#include "sim/SimulationRig.h"
#include "sim/TimeHistory.h"

namespace drivesim {
namespace {

constexpr TColor kTickColor = 0x808080;  // the ticks' dark grey pen
constexpr TColor kSetpointColor = clLime;

// The oscilloscope as the window configures it, without a window, its
// traces filled by the simulation after a step to 100 rad/s.
class ScaledOscilloscope : public ::testing::Test {
 protected:
  TChart chart;
  TLineSeries velocity;
  TLineSeries setpoint;
  SimulationRig sim;

  void SetUp() override {
    chart.SetBounds(0, 0, 353, 169);
    chart.BackWall().Brush().SetColor(clWhite);
    chart.BackWall().SetColor(clBlack);
    chart.Gradient().SetEndColor(clSilver);
    chart.Gradient().SetVisible(true);
    for (int i = 0; i < 4; ++i) chart.SetMargin(i, 2);
    chart.Title().Font().SetName("Arial");
    chart.Title().Font().SetHeight(-13);
    chart.Title().Font().SetStyle(fsBold);
    chart.Title().SetText({"Oscilloscope"});
    for (TChartAxis* axis : {&chart.BottomAxis(), &chart.LeftAxis()}) {
      axis->LabelsFont().SetName("Arial");
      axis->LabelsFont().SetHeight(-12);
      axis->Title().Font().SetName("Arial");
      axis->Title().Font().SetHeight(-13);
      axis->Title().Font().SetColor(clBlack);
    }
    chart.BottomAxis().Title().SetCaption("Time, s");
    chart.LeftAxis().Title().SetCaption("Velosity, rad/s");
    chart.Legend().SetVisible(false);
    chart.SetView3D(false);
    chart.LeftAxis().SetAutomatic(false);
    chart.LeftAxis().SetMaximum(300);
    chart.LeftAxis().SetMinimum(0);
    velocity.SetParentChart(&chart);
    setpoint.SetParentChart(&chart);
    sim.Process();
    for (int i = 0; i < 200; ++i) sim.Tick(velocity, setpoint);
  }

  // Paints the chart at the ratio into its surface.
  void PaintAt(double ratio) {
    chart.SetPixelRatio(ratio);
    chart.Update();
  }
  TColor At(int x, int y) { return chart.Surface().Pixel(x, y); }

  // What one paint at a ratio laid out.
  struct Layout {
    TRect Plot;
    TRect TitleBox;
    int LeftLine, LeftLabels, BottomLine, BottomLabels;
    std::vector<int> LeftTicks, BottomTicks;
  };
  Layout LayoutNow() {
    Layout l{chart.PlotRect(),
             chart.Title().TitleBox(),
             chart.LeftAxis().AxisLinePos(),
             chart.LeftAxis().LabelsPos(),
             chart.BottomAxis().AxisLinePos(),
             chart.BottomAxis().LabelsPos(),
             {},
             {}};
    for (int i = 0; i < chart.LeftAxis().TickList().Count(); ++i) {
      l.LeftTicks.push_back(chart.LeftAxis().TickList()[i]);
    }
    for (int i = 0; i < chart.BottomAxis().TickList().Count(); ++i) {
      l.BottomTicks.push_back(chart.BottomAxis().TickList()[i]);
    }
    return l;
  }

  // The ticks of both axes at ratio d (1 or 2): d pixels thick from the
  // tick's own row or column on, as the surface places wide pens, 4 d long,
  // keeping d pixels from the axis line; nothing beyond either end.
  void ExpectTicks(const Layout& l, int d) {
    for (const int p : l.LeftTicks) {
      for (int t = p; t < p + d; ++t) {
        for (int x = l.LeftLine - 5 * d + 1; x <= l.LeftLine - d; ++x) {
          EXPECT_EQ(At(x, t), kTickColor) << "left tick " << p << " at " << x << "," << t;
        }
      }
      EXPECT_NE(At(l.LeftLine - 5 * d, p), kTickColor) << "left tick " << p << " too long";
      EXPECT_NE(At(l.LeftLine - 2 * d, p - 1), kTickColor) << "left tick " << p << " too thick";
      EXPECT_NE(At(l.LeftLine - 2 * d, p + d), kTickColor) << "left tick " << p << " too thick";
    }
    for (const int p : l.BottomTicks) {
      for (int t = p; t < p + d; ++t) {
        for (int y = l.BottomLine + d; y < l.BottomLine + 5 * d; ++y) {
          EXPECT_EQ(At(t, y), kTickColor) << "bottom tick " << p << " at " << t << "," << y;
        }
      }
      EXPECT_NE(At(p, l.BottomLine + 5 * d), kTickColor) << "bottom tick " << p << " too long";
      EXPECT_NE(At(p - 1, l.BottomLine + 2 * d), kTickColor) << "bottom tick " << p;
      EXPECT_NE(At(p + d, l.BottomLine + 2 * d), kTickColor) << "bottom tick " << p;
    }
  }

  // The height of the setpoint's flat trace in a column near the right end.
  int SetpointThickness(const Layout& l) {
    const int x = l.Plot.Right - 10;
    int count = 0;
    for (int y = l.Plot.Top; y < l.Plot.Bottom; ++y) count += At(x, y) == kSetpointColor;
    return count;
  }
};

TEST_F(ScaledOscilloscope, AtRatioTwoTheChartIsDrawnInDevicePixelsWithItsLengthsDoubled) {
  PaintAt(1);
  const Layout one = LayoutNow();
  const TColor highlight = ColorToRGB(clBtnHighlight);
  const TColor shadow = ColorToRGB(clBtnShadow);
  EXPECT_EQ(At(100, 0), highlight);
  EXPECT_NE(At(100, 1), highlight);
  EXPECT_EQ(At(352, 40), shadow);
  EXPECT_NE(At(351, 40), shadow);
  EXPECT_EQ(one.Plot.Top, one.TitleBox.Bottom + 5);
  EXPECT_EQ(one.LeftLabels, one.Plot.Left - 6);  // axis line 2, ticks 4
  EXPECT_EQ(one.BottomLabels, one.Plot.Bottom + 6);
  ExpectTicks(one, 1);
  EXPECT_EQ(SetpointThickness(one), 1);
  TBitmap before(353, 169);
  before.Canvas().Draw(0, 0, chart.Surface());

  PaintAt(2);
  const Layout two = LayoutNow();
  ASSERT_EQ(chart.Surface().Width(), 706);
  ASSERT_EQ(chart.Surface().Height(), 338);
  ASSERT_NE(chart.ChartCanvas().BufferImage(), nullptr);
  EXPECT_EQ(chart.ChartCanvas().BufferImage()->Width(), 706);

  // A bevel of two device pixels on every side.
  for (const int i : {20, 80, 300}) {
    for (const int d : {0, 1}) {
      EXPECT_EQ(At(i, d), highlight);
      EXPECT_EQ(At(d, i / 4), highlight);
      EXPECT_EQ(At(i, 337 - d), shadow);
      EXPECT_EQ(At(705 - d, i / 4), shadow);
    }
    EXPECT_NE(At(i, 2), highlight);
    EXPECT_NE(At(2, i / 4), highlight);
    EXPECT_NE(At(703, i / 4), shadow);
  }

  // The chart rectangle where the layout doubled puts it (the texts' own
  // sizes round a little differently), the title's gap and the axes' tick
  // areas doubled exactly.
  EXPECT_NEAR(two.Plot.Left, 2 * one.Plot.Left, 4);
  EXPECT_NEAR(two.Plot.Top, 2 * one.Plot.Top, 4);
  EXPECT_NEAR(two.Plot.Right, 2 * one.Plot.Right, 2);
  EXPECT_NEAR(two.Plot.Bottom, 2 * one.Plot.Bottom, 4);
  EXPECT_EQ(two.Plot.Top, two.TitleBox.Bottom + 10);
  EXPECT_EQ(two.LeftLabels, two.Plot.Left - 12);
  EXPECT_EQ(two.BottomLabels, two.Plot.Bottom + 12);

  // The wall's frame and the axis lines lie on the chart rectangle's edges
  // as the surface places pens two and four pixels wide.
  const int x = (two.BottomTicks[0] + two.BottomTicks[1]) / 2 + 3;
  const int y = (two.LeftTicks[0] + two.LeftTicks[1]) / 2 + 3;
  EXPECT_EQ(At(x, two.Plot.Top), clBlack);
  EXPECT_NE(At(x, two.Plot.Top - 1), clBlack);
  EXPECT_EQ(At(two.Plot.Right + 1, y), clBlack);
  EXPECT_NE(At(two.Plot.Right + 2, y), clBlack);
  EXPECT_EQ(At(two.Plot.Left - 1, y), clBlack);
  EXPECT_NE(At(two.Plot.Left - 2, y), clBlack);
  EXPECT_EQ(At(x, two.Plot.Bottom + 2), clBlack);
  EXPECT_NE(At(x, two.Plot.Bottom + 3), clBlack);

  // The same ticks, twice as far apart, twice as long and thick; the traces
  // twice as thick.
  ASSERT_EQ(two.LeftTicks.size(), one.LeftTicks.size());
  ASSERT_GE(two.LeftTicks.size(), 3u);
  for (std::size_t i = 1; i < two.LeftTicks.size(); ++i) {
    EXPECT_NEAR(two.LeftTicks[i] - two.LeftTicks[0], 2 * (one.LeftTicks[i] - one.LeftTicks[0]), 4);
  }
  ASSERT_EQ(two.BottomTicks.size(), one.BottomTicks.size());
  ExpectTicks(two, 2);
  EXPECT_EQ(SetpointThickness(two), 2);

  // Fonts twice as high, pens twice as wide.
  chart.ApplyFont(chart.Title().Font());
  EXPECT_EQ(chart.ChartCanvas().Font().Height(), -26);
  chart.ChartCanvas().ApplyPen(chart.LeftAxis().Axis());
  EXPECT_EQ(chart.ChartCanvas().Pen().Width(), 4);
  chart.ChartCanvas().ApplyPen(chart.LeftAxis().Grid());
  EXPECT_EQ(chart.ChartCanvas().Pen().Width(), 2);

  // Back at ratio 1 the picture is the one drawn there before.
  PaintAt(1.5);
  PaintAt(1);
  ASSERT_EQ(chart.Surface().Width(), 353);
  int differing = 0;
  for (int y1 = 0; y1 < 169; ++y1) {
    for (int x1 = 0; x1 < 353; ++x1) differing += At(x1, y1) != before.Pixel(x1, y1);
  }
  EXPECT_EQ(differing, 0);
}

// The gestures of the window, in layout pixels, at each ratio.
TEST_F(ScaledOscilloscope, ZoomAndPanningWorkInLayoutPixelsAtEveryRatio) {
  struct Result {
    double BottomMin, BottomMax, LeftMin, LeftMax;
  };
  const auto zoom = [&](double ratio) {
    PaintAt(ratio);
    chart.UndoZoom();
    chart.Update();
    // 16 layout pixels down is not more than 16: nothing.
    chart.DispatchMouseDown(mbLeft, 0, 100, 50);
    chart.DispatchMouseMove(0, 108, 70);
    chart.DispatchMouseUp(mbLeft, 0, 116, 80);
    EXPECT_TRUE(chart.ScalesRestored()) << ratio;
    EXPECT_FALSE(chart.Zoom().IsActive) << ratio;
    // 17 is: the zoom takes the values under the device pixels the press
    // and the release landed on.
    const TPoint from = chart.SurfacePoint(100, 50);
    const TPoint to = chart.SurfacePoint(117, 67);
    const Result expected{
        chart.BottomAxis().PixelToValue(from.X), chart.BottomAxis().PixelToValue(to.X),
        chart.LeftAxis().PixelToValue(to.Y), chart.LeftAxis().PixelToValue(from.Y)};
    chart.DispatchMouseDown(mbLeft, 0, 100, 50);
    EXPECT_TRUE(chart.Zoom().IsActive) << ratio;
    chart.DispatchMouseMove(0, 110, 60);
    chart.DispatchMouseUp(mbLeft, 0, 117, 67);
    EXPECT_TRUE(chart.ZoomedIn()) << ratio;
    EXPECT_DOUBLE_EQ(chart.BottomAxis().Minimum(), expected.BottomMin) << ratio;
    EXPECT_DOUBLE_EQ(chart.BottomAxis().Maximum(), expected.BottomMax) << ratio;
    EXPECT_DOUBLE_EQ(chart.LeftAxis().Minimum(), expected.LeftMin) << ratio;
    EXPECT_DOUBLE_EQ(chart.LeftAxis().Maximum(), expected.LeftMax) << ratio;
    return Result{chart.BottomAxis().Minimum(), chart.BottomAxis().Maximum(),
                  chart.LeftAxis().Minimum(), chart.LeftAxis().Maximum()};
  };
  const Result one = zoom(1);
  for (const double ratio : {2.0, 1.5}) {
    const Result denser = zoom(ratio);
    // The same rectangle of the picture, to within a layout pixel's worth.
    const double second = (one.BottomMax - one.BottomMin) / 17;
    const double velocity = (one.LeftMax - one.LeftMin) / 17;
    EXPECT_NEAR(denser.BottomMin, one.BottomMin, second) << ratio;
    EXPECT_NEAR(denser.BottomMax, one.BottomMax, second) << ratio;
    EXPECT_NEAR(denser.LeftMin, one.LeftMin, velocity) << ratio;
    EXPECT_NEAR(denser.LeftMax, one.LeftMax, velocity) << ratio;
  }

  // A drag the other way undoes; a press on the title starts no zoom.
  for (const double ratio : {2.0, 1.5}) {
    zoom(ratio);
    chart.Update();
    chart.DispatchMouseDown(mbLeft, 0, 200, 120);
    chart.DispatchMouseUp(mbLeft, 0, 150, 70);
    EXPECT_TRUE(chart.ScalesRestored()) << ratio;
    chart.Update();
    const TRect title = chart.Title().TitleBox();
    chart.DispatchMouseDown(mbLeft, 0, (title.Left + title.Right) / 2 / ratio,
                            (title.Top + title.Bottom) / 2 / ratio);
    EXPECT_FALSE(chart.Zoom().IsActive) << ratio;
    chart.DispatchMouseUp(mbLeft, 0, 0, 0);
  }

  // Panning moves the axes by the values under the pointer's way, the same
  // ten layout pixels at every ratio.
  for (const double ratio : {1.0, 2.0, 1.5}) {
    PaintAt(ratio);
    chart.UndoZoom();
    chart.Update();
    const TChartAxis& bottom = chart.BottomAxis();
    const double min = bottom.Minimum();
    const double shift = bottom.PixelToValue(chart.SurfacePoint(200, 0).X) -
                         bottom.PixelToValue(chart.SurfacePoint(190, 0).X);
    chart.DispatchMouseDown(mbRight, 0, 200, 100);
    chart.DispatchMouseMove(0, 190, 100);
    chart.DispatchMouseUp(mbRight, 0, 190, 100);
    EXPECT_DOUBLE_EQ(bottom.Minimum(), min + shift) << ratio;
    EXPECT_NEAR(shift, 10 * (one.BottomMax - one.BottomMin) / 17, 1e-3) << ratio;
  }
}

TEST_F(ScaledOscilloscope, TheRubberBandIsAsThickAsALineAndErasesItself) {
  PaintAt(2);
  std::vector<TColor> before;
  for (int y = 0; y < 338; ++y) {
    for (int x = 0; x < 706; ++x) before.push_back(At(x, y));
  }
  chart.DispatchMouseDown(mbLeft, 0, 100, 50);
  chart.DispatchMouseMove(0, 150, 100);
  // The band runs from device pixel (200, 100) to (300, 200); its outline
  // is two device pixels thick, not (panel colour xor what was there).
  const auto before_at = [&](int x, int y) {
    return before[static_cast<std::size_t>(y * 706 + x)];
  };
  const auto band = [&](int x, int y) {
    return ~(ColorToRGB(chart.Color()) ^ before_at(x, y)) & 0xFFFFFF;
  };
  for (const int d : {0, 1}) {
    EXPECT_EQ(At(240, 100 + d), band(240, 100 + d)) << d;
    EXPECT_EQ(At(200 + d, 150), band(200 + d, 150)) << d;
  }
  EXPECT_EQ(At(240, 99), before_at(240, 99));
  EXPECT_EQ(At(240, 102), before_at(240, 102));
  EXPECT_EQ(At(202, 150), before_at(202, 150));
  chart.DispatchMouseUp(mbLeft, 0, 102, 52);  // too small to zoom: only erased
  int differing = 0;
  for (int y = 0; y < 338; ++y) {
    for (int x = 0; x < 706; ++x) differing += At(x, y) != before_at(x, y);
  }
  EXPECT_EQ(differing, 0);
}

}  // namespace
}  // namespace drivesim
