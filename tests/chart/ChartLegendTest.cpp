// The legend on real bitmaps: the room it takes from the chart rectangle on
// each side, its frame and fill, each item's sample (a solid line, a dashed
// line, a pointer, a swatch), which series have items, rows that do not fit,
// and hits on its items.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "BitmapPixels.h"
#include "chart/Chart.h"
#include "chart/ChartStrings.h"
#include "chart/Series.h"

namespace drivesim {
namespace {

constexpr TColor kDarkGreen = 0x008000;

// A chart that remembers the chart rectangle before and after the titles
// and the legend.
class LegendProbeChart : public TChart {
 public:
  TRect Before;
  TRect After;
  void PaintTitlesAndLegend() override {
    Before = PlotRect();
    TChart::PaintTitlesAndLegend();
    After = PlotRect();
  }
};

// A white, flat 300 x 200 chart with three series in the legend (a solid
// red line, a dashed blue line, green rectangles without a line) and one
// that stays out of it.
struct LegendFixture {
  LegendProbeChart Chart;
  TLineSeries Solid;
  TLineSeries Dashed;
  TLineSeries Points;
  TLineSeries Hidden;
  TBitmap Bitmap{300, 200};

  LegendFixture() {
    Chart.SetBounds(0, 0, 300, 200);
    Chart.SetView3D(false);
    Chart.SetColor(clWhite);
    Chart.SetBevelOuter(bvNone);
    Solid.SetSeriesColor(kRed);
    Solid.SetTitle("Velocity");
    Dashed.SetSeriesColor(kBlue);
    Dashed.SetTitle("Setpoint");
    Dashed.LinePen().SetStyle(psDash);
    Points.SetSeriesColor(kDarkGreen);
    Points.SetTitle("Measured");
    Points.SetDrawsLine(false);
    Points.Pointer().SetVisible(true);
    Points.Pointer().SetHorizSize(3);
    Points.Pointer().SetVertSize(3);
    Hidden.SetSeriesColor(clBlack);
    Hidden.SetShowInLegend(false);
    for (TLineSeries* s : {&Solid, &Dashed, &Points, &Hidden}) {
      s->AddPoint(0, 1, "", clDefault);
      s->AddPoint(1, 2, "", clDefault);
      s->SetParentChart(&Chart);
    }
  }
  void Render() { Chart.RenderTo(Bitmap.Canvas(), Chart.ClientRect()); }
};

TEST(ChartLegendTest, BesideThePlotWithItsItems) {
  LegendFixture f;
  f.Chart.Legend().SetVisible(false);
  f.Render();
  const TRect without = f.Chart.After;
  EXPECT_TRUE(f.Chart.Legend().LegendRect().IsEmpty());

  f.Chart.Legend().SetVisible(true);
  f.Render();
  const TChartLegend& legend = f.Chart.Legend();
  const TRect box = legend.LegendRect();
  ASSERT_FALSE(box.IsEmpty());
  // On the right, from the top of the chart rectangle; the rectangle gives
  // up the box and the gap.
  EXPECT_EQ(box.Right, without.Right);
  EXPECT_EQ(box.Top, without.Top);
  EXPECT_EQ(f.Chart.After,
            (TRect{without.Left, without.Top, box.Left - TChartLegend::kGap, without.Bottom}));
  // No axis on the right: the final chart rectangle ends there too.
  EXPECT_EQ(f.Chart.PlotRect().Right, box.Left - TChartLegend::kGap);

  // Three items, the hidden series left out, one row each.
  ASSERT_EQ(legend.DrawnCount(), 3);
  const int row = legend.ItemRect(0).Bottom - legend.ItemRect(0).Top;
  EXPECT_EQ(legend.ItemRect(1).Top, legend.ItemRect(0).Bottom);
  EXPECT_EQ(legend.ItemRect(2).Top, legend.ItemRect(1).Bottom);
  EXPECT_EQ(box.Bottom - box.Top, 2 * (1 + TChartLegend::kVerticalPadding) + 3 * row);

  // The frame in black on the box's edges, white inside.
  for (int y = box.Top; y < box.Bottom; ++y) {
    ASSERT_EQ(f.Bitmap.Pixel(box.Left, y), clBlack) << y;
    ASSERT_EQ(f.Bitmap.Pixel(box.Right - 1, y), clBlack) << y;
  }
  for (int x = box.Left; x < box.Right; ++x) {
    ASSERT_EQ(f.Bitmap.Pixel(x, box.Top), clBlack) << x;
    ASSERT_EQ(f.Bitmap.Pixel(x, box.Bottom - 1), clBlack) << x;
  }
  EXPECT_EQ(f.Bitmap.Pixel(box.Left + 1, box.Top + 1), clWhite);
  EXPECT_EQ(f.Bitmap.Pixel(box.Right - 2, box.Bottom - 2), clWhite);
  // Left of the box, in the gap, nothing of the legend.
  EXPECT_EQ(f.Bitmap.Pixel(box.Left - 1, box.Top + 5), clWhite);

  // The solid line: every pixel of the symbol's width on its middle row, in
  // the series colour; the rows above and below stay white.
  const TRect s0 = legend.SymbolRect(0);
  EXPECT_EQ(s0.Right - s0.Left, legend.SymbolWidth());
  const int y0 = (s0.Top + s0.Bottom) / 2;
  for (int x = s0.Left; x < s0.Right; ++x) {
    EXPECT_EQ(f.Bitmap.Pixel(x, y0), kRed) << x;
    EXPECT_EQ(f.Bitmap.Pixel(x, y0 - 1), clWhite) << x;
    EXPECT_EQ(f.Bitmap.Pixel(x, y0 + 1), clWhite) << x;
  }
  EXPECT_EQ(f.Bitmap.Pixel(s0.Right, y0), clWhite);

  // The dashed line: 4 pixels on, 2 off, the gaps left white.
  const TRect s1 = legend.SymbolRect(1);
  const int y1 = (s1.Top + s1.Bottom) / 2;
  for (int x = s1.Left; x < s1.Right; ++x) {
    const bool on = (x - s1.Left) % 6 < 4;
    EXPECT_EQ(f.Bitmap.Pixel(x, y1), on ? kBlue : clWhite) << x;
  }

  // The pointer series: its 7 x 7 rectangle at the symbol's centre, filled
  // in the series colour and outlined by the pointer's black pen, no line.
  const TRect s2 = legend.SymbolRect(2);
  const int cx = (s2.Left + s2.Right) / 2;
  const int cy = (s2.Top + s2.Bottom) / 2;
  EXPECT_EQ(f.Bitmap.Pixel(cx, cy), kDarkGreen);
  EXPECT_EQ(f.Bitmap.Pixel(cx - 2, cy + 2), kDarkGreen);
  EXPECT_EQ(f.Bitmap.Pixel(cx - 3, cy - 3), clBlack);
  EXPECT_EQ(f.Bitmap.Pixel(cx + 3, cy + 3), clBlack);
  EXPECT_EQ(f.Bitmap.Pixel(cx + 4, cy + 4), clWhite);
  EXPECT_EQ(f.Bitmap.Pixel(cx - 5, cy), clWhite);
  EXPECT_EQ(f.Bitmap.Pixel(cx + 5, cy), clWhite);
  EXPECT_EQ(f.Bitmap.Pixel(cx, cy - 5), clWhite);

  // Hits: an item gives the legend part with its index.
  const TRect& item1 = legend.ItemRect(1);
  EXPECT_EQ(legend.Clicked(item1.Left + 2, item1.Top + 1), 1);
  EXPECT_EQ(legend.Clicked(box.Left - 3, item1.Top + 1), -1);
  const TChartClickedPart part = f.Chart.FindClickedPart(item1.Right - 2, item1.Bottom - 1);
  EXPECT_EQ(part.Part, partLegend);
  EXPECT_EQ(part.PointIndex, 1);
  f.Chart.Legend().SetVisible(false);
  EXPECT_NE(f.Chart.FindClickedPart(item1.Right - 2, item1.Bottom - 1).Part, partLegend);
}

TEST(ChartLegendTest, SidesAndSizes) {
  LegendFixture f;
  f.Chart.Legend().SetVisible(false);
  f.Render();
  const TRect without = f.Chart.After;
  f.Chart.Legend().SetVisible(true);

  f.Chart.Legend().SetAlignment(laLeft);
  f.Render();
  TRect box = f.Chart.Legend().LegendRect();
  EXPECT_EQ(box.Left, without.Left);
  EXPECT_EQ(f.Chart.After.Left, box.Right + TChartLegend::kGap);
  EXPECT_EQ(f.Chart.After.Right, without.Right);

  // Top and bottom: one row of items side by side, the box centred.
  f.Chart.Legend().SetAlignment(laBottom);
  f.Render();
  box = f.Chart.Legend().LegendRect();
  const TChartLegend& legend = f.Chart.Legend();
  ASSERT_EQ(legend.DrawnCount(), 3);
  EXPECT_EQ(legend.ItemRect(1).Top, legend.ItemRect(0).Top);
  EXPECT_GT(legend.ItemRect(1).Left, legend.ItemRect(0).Right);
  EXPECT_EQ(box.Bottom, without.Bottom);
  EXPECT_LE(std::abs((box.Left - without.Left) - (without.Right - box.Right)), 1);
  EXPECT_EQ(f.Chart.After,
            (TRect{without.Left, without.Top, without.Right, box.Top - TChartLegend::kGap}));
  f.Chart.Legend().SetAlignment(laTop);
  f.Render();
  box = f.Chart.Legend().LegendRect();
  EXPECT_EQ(box.Top, without.Top);
  EXPECT_EQ(f.Chart.After.Top, box.Bottom + TChartLegend::kGap);

  // Without ResizeChart the legend is drawn but takes no room.
  f.Chart.Legend().SetResizeChart(false);
  f.Render();
  EXPECT_FALSE(f.Chart.Legend().LegendRect().IsEmpty());
  EXPECT_EQ(f.Chart.After, without);
  f.Chart.Legend().SetResizeChart(true);
  f.Chart.Legend().SetAlignment(laRight);

  // A wider symbol widens the box by as much.
  f.Render();
  const int width = f.Chart.Legend().LegendRect().Width();
  f.Chart.Legend().SetSymbolWidth(30);
  f.Render();
  EXPECT_EQ(f.Chart.Legend().LegendRect().Width(), width + 10);
  try {
    f.Chart.Legend().SetSymbolWidth(0);
    ADD_FAILURE() << "a symbol width of 0 was accepted";
  } catch (const ChartException& e) {
    EXPECT_EQ(e.Message(), "Legend symbol width must be greater than zero");
  }
  EXPECT_EQ(f.Chart.Legend().SymbolWidth(), 30);

  // A series without a line or pointer shows a swatch of its colour.
  f.Points.Pointer().SetVisible(false);
  f.Render();
  const TRect s2 = f.Chart.Legend().SymbolRect(2);
  EXPECT_EQ(f.Bitmap.Pixel((s2.Left + s2.Right) / 2, (s2.Top + s2.Bottom) / 2), kDarkGreen);
  EXPECT_EQ(f.Bitmap.Pixel(s2.Left, (s2.Top + s2.Bottom) / 2), clBlack);
}

TEST(ChartLegendTest, ItemsThatTakePart) {
  LegendFixture f;
  f.Render();
  EXPECT_EQ(f.Chart.Legend().DrawnCount(), 3);
  // An inactive series has no item; no active series at all, no legend.
  f.Dashed.SetActive(false);
  f.Render();
  EXPECT_EQ(f.Chart.Legend().DrawnCount(), 2);
  f.Solid.SetActive(false);
  f.Render();
  EXPECT_EQ(f.Chart.Legend().DrawnCount(), 1);
  // Active series that all stay out of the legend: no legend, no room.
  f.Points.SetActive(false);
  f.Render();
  EXPECT_EQ(f.Chart.Legend().DrawnCount(), 0);
  EXPECT_TRUE(f.Chart.Legend().LegendRect().IsEmpty());
  EXPECT_EQ(f.Chart.After, f.Chart.Before);
  // No active series at all: the same.
  f.Hidden.SetActive(false);
  f.Render();
  EXPECT_TRUE(f.Chart.Legend().LegendRect().IsEmpty());
  EXPECT_EQ(f.Chart.After, f.Chart.Before);
  // An item comes back with its series.
  f.Hidden.SetShowInLegend(true);
  f.Hidden.SetActive(true);
  f.Render();
  EXPECT_EQ(f.Chart.Legend().DrawnCount(), 1);

  // Rows beyond the chart's height are left out; the box stays inside.
  LegendProbeChart small;
  small.SetBounds(0, 0, 200, 70);
  small.SetView3D(false);
  std::vector<std::unique_ptr<TLineSeries>> many;
  for (int i = 0; i < 12; ++i) {
    many.push_back(std::make_unique<TLineSeries>());
    many.back()->SetTitle("Run " + std::to_string(i + 1));
    many.back()->AddPoint(0, i, "", clDefault);
    many.back()->SetParentChart(&small);
  }
  TBitmap bitmap(200, 70);
  small.RenderTo(bitmap.Canvas(), small.ClientRect());
  const int drawn = small.Legend().DrawnCount();
  EXPECT_GT(drawn, 0);
  EXPECT_LT(drawn, 12);
  EXPECT_LE(small.Legend().LegendRect().Bottom, small.Before.Bottom);
  EXPECT_GT(small.Legend().LegendRect().Bottom + small.Legend().ItemRect(0).Height(),
            small.Before.Bottom);
}

}  // namespace
}  // namespace drivesim
