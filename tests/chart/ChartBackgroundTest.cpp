// The background kept from frame to frame: over a long run of frames, with
// the series changing in each and now and then anything else (titles,
// ranges, grid, pens, legend, pixel ratio, size, the surface drawn over,
// drawing in the chart's events, recorded or straight on the surface), every
// frame comes out as the only frame of a new chart would, and most frames
// copy their background back instead of drawing it.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "BitmapPixels.h"
#include "chart/Chart.h"
#include "chart/Series.h"

namespace drivesim {
namespace {

// What one frame shows; SetUp gives it to a chart.
struct Recipe {
  int tick = 0;
  int width = 353;
  int height = 169;
  double ratio = 1.0;
  std::string title = "Oscilloscope";
  double top = 300;
  TColor grid = clGray;
  int penWidth = 1;
  bool gradient = true;
  bool legend = false;
  bool second = true;
  // Drawn over the series in OnAfterDraw, through the chart canvas.
  bool box = false;
  // Drawn under the series in OnBeforeDrawSeries, straight on the surface
  // the chart canvas draws on, a pixel whose colour follows the tick.
  bool rawPixel = false;
};

struct ScopeChart {
  TChart chart;
  TLineSeries velocity;
  TLineSeries setpoint;
  Recipe recipe;

  ScopeChart() {
    chart.SetView3D(false);
    chart.BackWall().Brush().SetColor(clWhite);
    chart.BackWall().SetColor(clBlack);
    chart.Gradient().SetEndColor(clSilver);
    for (int i = 0; i < 4; ++i) chart.SetMargin(i, 2);
    chart.BottomAxis().SetRange(0, 1);
    velocity.SetParentChart(&chart);
    setpoint.SetParentChart(&chart);
    chart.OnAfterDraw = [this](TCustomChartPanel& panel) {
      if (!recipe.box) return;
      TChartCanvas3D& canvas = panel.ChartCanvas();
      canvas.Pen().SetColor(clRed);
      canvas.Brush().SetStyle(bsClear);
      canvas.DrawRectangle(40 + recipe.tick % 50, 30, 120 + recipe.tick % 50, 90);
    };
    chart.OnBeforeDrawSeries = [this](TCustomAxisPanel& panel) {
      if (!recipe.rawPixel) return;
      TCanvas* surface = panel.ChartCanvas().DeviceContext();
      surface->SetPixel(60, 60, static_cast<TColor>(recipe.tick * 0x010203 & 0xFFFFFF));
    };
  }

  void SetUp(const Recipe& r) {
    recipe = r;
    chart.SetBounds(0, 0, r.width, r.height);
    chart.SetPixelRatio(r.ratio);
    chart.Title().SetText({r.title});
    chart.LeftAxis().SetRange(0, r.top);
    chart.LeftAxis().Grid().SetColor(r.grid);
    chart.Gradient().SetVisible(r.gradient);
    chart.Legend().SetVisible(r.legend);
    velocity.LinePen().SetWidth(r.penWidth);
    setpoint.SetActive(r.second);
    velocity.ClearPoints();
    setpoint.ClearPoints();
    for (int i = 0; i < 120; ++i) {
      const double t = i / 119.0;
      velocity.AddPoint(t, 150 + 120 * std::sin(0.2 * (r.tick + i)), "", clAqua);
      setpoint.AddPoint(t, i < 3 ? 0 : 100 + r.tick % 7, "", clYellow);
    }
  }

  void Paint() {
    chart.Invalidate();
    chart.DispatchPaint();
  }
};

TEST(ChartBackgroundTest, EveryFrameShowsWhatOneFreshFrameShowsAndMostKeepTheirBackground) {
  std::mt19937 random(1210);
  ScopeChart scope;
  Recipe recipe;
  constexpr int kFrames = 160;
  for (int frame = 0; frame < kFrames; ++frame) {
    recipe.tick = frame;
    recipe.rawPixel = false;
    switch (random() % 40) {
      case 0: recipe.title = recipe.title == "Oscilloscope" ? "Velocity" : "Oscilloscope"; break;
      case 1: recipe.top = recipe.top == 300 ? 250 : 300; break;
      case 2: recipe.grid = recipe.grid == clGray ? clBlue : clGray; break;
      case 3: recipe.penWidth = 3 - recipe.penWidth; break;
      case 4: recipe.ratio = std::vector<double>{1.0, 1.25, 1.5, 2.0}[random() % 4]; break;
      case 5: recipe.width = recipe.width == 353 ? 300 : 353; break;
      case 6: recipe.gradient = !recipe.gradient; break;
      case 7: recipe.legend = !recipe.legend; break;
      case 8: recipe.second = !recipe.second; break;
      case 9: recipe.box = !recipe.box; break;
      case 10: recipe.rawPixel = true; break;
      case 11:
        // The window uncovered between two frames: the surface drawn over.
        scope.chart.Canvas().Brush().SetColor(clLime);
        scope.chart.Canvas().FillRect({10, 10, 90, 60});
        break;
      default: break;
    }
    scope.SetUp(recipe);
    scope.Paint();
    ScopeChart fresh;
    fresh.SetUp(recipe);
    fresh.Paint();
    ASSERT_EQ(Pixels(scope.chart.Surface()), Pixels(fresh.chart.Surface())) << "frame " << frame;
  }
  // Most frames change only their series; a changed background is drawn
  // twice or three times before it is kept, and a frame with the pixel drawn
  // past the record does not keep it.
  const int reuses = scope.chart.ChartCanvas().BackgroundReuses();
  EXPECT_GT(reuses, kFrames / 4) << reuses;
  EXPECT_LT(reuses, kFrames);
}

TEST(ChartBackgroundTest, AFrameKeepsTheBackgroundOnlyWhileItsDrawingIsTheSame) {
  ScopeChart scope;
  Recipe recipe;
  TChartCanvas3D& canvas = scope.chart.ChartCanvas();
  const auto paintTick = [&](int tick) {
    recipe.tick = tick;
    scope.SetUp(recipe);
    scope.Paint();
  };
  // The first frame draws the whole background, the next one leaves it out
  // under the wall the first drew, and draws what the first drew again; the
  // third draws the same as the second and keeps its picture; the fourth
  // copies it back.
  for (int tick = 0; tick < 3; ++tick) paintTick(tick);
  EXPECT_EQ(canvas.BackgroundReuses(), 0);
  EXPECT_TRUE(canvas.CanReuseBackground());
  paintTick(3);
  EXPECT_EQ(canvas.BackgroundReuses(), 1);
  // A new grid colour is drawn, then kept again.
  recipe.grid = clBlue;
  paintTick(4);
  EXPECT_EQ(canvas.BackgroundReuses(), 1);
  EXPECT_FALSE(canvas.CanReuseBackground());
  paintTick(5);
  paintTick(6);
  EXPECT_EQ(canvas.BackgroundReuses(), 2);
  // A pixel set past the record in every frame: never kept.
  recipe.rawPixel = true;
  for (int tick = 7; tick < 12; ++tick) paintTick(tick);
  EXPECT_EQ(canvas.BackgroundReuses(), 2);
  // After a background that changed frame after frame, only two frames of
  // sixteen record it: within eighteen still frames it is kept again.
  recipe.rawPixel = false;
  int tick = 12;
  for (; tick < 30 && canvas.BackgroundReuses() == 2; ++tick) paintTick(tick);
  EXPECT_GT(tick, 15);
  EXPECT_EQ(canvas.BackgroundReuses(), 3);
  // Printing (no whole-panel fill) neither keeps nor uses it, and prints
  // what a new chart prints; the frame after it is whole again.
  ScopeChart fresh;
  fresh.SetUp(recipe);
  const auto print = [](TChart& chart) {
    TBitmap printed(353, 169);
    chart.SetPrinting(true);
    chart.RenderTo(printed.Canvas(), chart.ClientRect());
    chart.SetPrinting(false);
    return Pixels(printed);
  };
  EXPECT_EQ(print(scope.chart), print(fresh.chart));
  EXPECT_EQ(canvas.BackgroundReuses(), 3);
  // Printing drew over the whole buffer: copying all of it back would cost
  // more than drawing, so the next frame draws its background, finds it the
  // kept one, and the frame after copies back again.
  fresh.Paint();
  for (int reuses : {3, 4}) {
    paintTick(tick - 1);
    EXPECT_EQ(canvas.BackgroundReuses(), reuses);
    EXPECT_EQ(Pixels(scope.chart.Surface()), Pixels(fresh.chart.Surface()));
  }
}

}  // namespace
}  // namespace drivesim
