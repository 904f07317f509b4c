// Clicking the legend: a left click on a row hides or shows its series (not
// drawn, its row greyed), presses that are no click change nothing and never
// start a zoom; and the legend never covers the chart rectangle, however
// many rows and however long their titles.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "BitmapPixels.h"
#include "chart/Chart.h"
#include "chart/RegionSeries.h"
#include "chart/Series.h"

namespace drivesim {
namespace {

// A chart canvas that remembers every text it writes with its font colour.
class TextColourCanvas : public TChartCanvas3D {
 public:
  struct Text {
    std::string Line;
    TColor Color;
  };
  std::vector<Text> Texts;
  void WriteText(int x, int y, const std::string& text) override {
    Texts.push_back({text, Font().Color()});
    TChartCanvas3D::WriteText(x, y, text);
  }
  // The colour the last text equal to line was written in; clNone if none.
  TColor ColorOf(const std::string& line) const {
    for (auto it = Texts.rbegin(); it != Texts.rend(); ++it) {
      if (it->Line == line) return it->Color;
    }
    return clNone;
  }
};

// A white, flat 300 x 200 chart whose legend toggles: a red and a blue line.
struct ToggleFixture {
  TChart Chart;
  TLineSeries Red;
  TLineSeries Blue;
  TBitmap Bitmap{300, 200};
  TextColourCanvas* Canvas = nullptr;

  ToggleFixture() {
    auto canvas = std::make_unique<TextColourCanvas>();
    Canvas = canvas.get();
    Chart.SetChartCanvas(std::move(canvas));
    Chart.SetBounds(0, 0, 300, 200);
    Chart.SetView3D(false);
    Chart.SetColor(clWhite);
    Chart.SetBevelOuter(bvNone);
    Chart.Legend().SetToggleOnClick(true);
    Red.SetSeriesColor(kRed);
    Red.SetTitle("Velocity");
    Blue.SetSeriesColor(kBlue);
    Blue.SetTitle("Setpoint");
    for (TLineSeries* s : {&Red, &Blue}) {
      s->AddPoint(0, 1, "", clDefault);
      s->AddPoint(1, s == &Red ? 2 : 3, "", clDefault);
      s->SetParentChart(&Chart);
    }
    Render();
  }
  void Render() {
    Canvas->Texts.clear();
    Chart.RenderTo(Bitmap.Canvas(), Chart.ClientRect());
  }
  void Click(TMouseButton button, int x, int y) {
    Chart.DispatchMouseDown(button, 0, x, y);
    Chart.DispatchMouseUp(button, 0, x, y);
    Render();
  }
  TPoint RowPoint(int index) {
    const TRect& r = Chart.Legend().ItemRect(index);
    return {r.Left + 3, (r.Top + r.Bottom) / 2};
  }
  int Count(TColor color) const {
    int n = 0;
    for (int y = 0; y < Bitmap.Height(); ++y) {
      for (int x = 0; x < Bitmap.Width(); ++x) n += Bitmap.Pixel(x, y) == color;
    }
    return n;
  }
  // The colours along the middle row of item index's symbol.
  std::vector<TColor> SampleRow(int index) {
    const TRect& s = Chart.Legend().SymbolRect(index);
    std::vector<TColor> row;
    for (int x = s.Left; x < s.Right; ++x) row.push_back(Bitmap.Pixel(x, (s.Top + s.Bottom) / 2));
    return row;
  }
};

TEST(LegendToggle, ClickingARowHidesAndShowsItsSeries) {
  ToggleFixture f;
  const TChartLegend& legend = f.Chart.Legend();
  ASSERT_EQ(legend.DrawnCount(), 2);
  EXPECT_EQ(&legend.ItemSeriesAt(0), &f.Red);
  const int redShown = f.Count(kRed);
  ASSERT_GT(redShown, 20);
  const std::vector<TColor> redSample(legend.SymbolRect(0).Width(), kRed);
  EXPECT_EQ(f.SampleRow(0), redSample);
  EXPECT_EQ(f.Canvas->ColorOf("Velocity"), clBlack);

  // A click hides the red line: not drawn anywhere, its row stays in grey
  // (sample and title), the blue one unchanged.
  const TPoint row0 = f.RowPoint(0);
  f.Click(mbLeft, row0.X, row0.Y);
  EXPECT_FALSE(f.Red.Active());
  EXPECT_TRUE(f.Blue.Active());
  EXPECT_EQ(f.Count(kRed), 0);
  ASSERT_EQ(legend.DrawnCount(), 2);
  EXPECT_TRUE(legend.ItemGreyed(0));
  EXPECT_FALSE(legend.ItemGreyed(1));
  EXPECT_EQ(f.SampleRow(0),
            std::vector<TColor>(legend.SymbolRect(0).Width(), TChartLegend::kGreyedColor));
  EXPECT_EQ(f.Canvas->ColorOf("Velocity"), TChartLegend::kGreyedColor);
  EXPECT_EQ(f.Canvas->ColorOf("Setpoint"), clBlack);
  EXPECT_EQ(f.SampleRow(1), std::vector<TColor>(legend.SymbolRect(1).Width(), kBlue));
  // The series keeps its own colour; only the sample was greyed.
  EXPECT_EQ(f.Red.SeriesColor(), kRed);

  // With both hidden the legend stays, so that they can be shown again.
  const TPoint row1 = f.RowPoint(1);
  f.Click(mbLeft, row1.X, row1.Y);
  EXPECT_FALSE(f.Blue.Active());
  EXPECT_EQ(legend.DrawnCount(), 2);
  EXPECT_EQ(f.Count(kBlue), 0);
  f.Click(mbLeft, f.RowPoint(1).X, f.RowPoint(1).Y);
  EXPECT_TRUE(f.Blue.Active());

  // A second click shows the red line again, drawn as before.
  f.Click(mbLeft, f.RowPoint(0).X, f.RowPoint(0).Y);
  EXPECT_TRUE(f.Red.Active());
  EXPECT_EQ(f.Count(kRed), redShown);
  EXPECT_FALSE(legend.ItemGreyed(0));
  EXPECT_EQ(f.SampleRow(0), redSample);
  EXPECT_EQ(f.Canvas->ColorOf("Velocity"), clBlack);
}

// A hidden series' sample is grey in every line, its marker's own outline
// and fill and the swatch's black frame included.
TEST(LegendToggle, AGreyedSampleHasNoColourOfItsOwnLeft) {
  constexpr TColor kGreen = 0x00A000;
  constexpr TColor kYellow = 0x00E0F0;
  ToggleFixture f;
  f.Red.Pointer().SetVisible(true);
  f.Red.Pointer().SetStyle(psRectangle);
  f.Red.Pointer().Pen().SetColor(kGreen);
  f.Red.Pointer().Brush().SetColor(kYellow);
  TRegionSeries band;
  band.SetKind(rkBand);
  band.SetBand(1.5, 2.5);
  band.SetSeriesColor(kBlue);
  band.SetTitle("Band");
  band.SetParentChart(&f.Chart);
  f.Render();
  const TChartLegend& legend = f.Chart.Legend();
  ASSERT_EQ(legend.DrawnCount(), 3);
  const auto colours = [&](int index) {
    const TRect& r = legend.SymbolRect(index);
    std::vector<TColor> seen;
    for (int y = r.Top; y < r.Bottom; ++y) {
      for (int x = r.Left; x < r.Right; ++x) seen.push_back(f.Bitmap.Pixel(x, y));
    }
    return seen;
  };
  const auto has = [](const std::vector<TColor>& seen, TColor c) {
    return std::find(seen.begin(), seen.end(), c) != seen.end();
  };
  // Shown: the marker's own outline and fill, the swatch's black frame.
  int bandRow = -1;
  for (int i = 0; i < legend.DrawnCount(); ++i) {
    if (&legend.ItemSeriesAt(i) == &band) bandRow = i;
  }
  ASSERT_GE(bandRow, 0);
  EXPECT_TRUE(has(colours(0), kGreen));
  EXPECT_TRUE(has(colours(0), kYellow));
  EXPECT_TRUE(has(colours(bandRow), clBlack));

  for (int row : {0, bandRow}) f.Click(mbLeft, f.RowPoint(row).X, f.RowPoint(row).Y);
  ASSERT_TRUE(legend.ItemGreyed(0));
  ASSERT_TRUE(legend.ItemGreyed(bandRow));
  for (int row : {0, bandRow}) {
    SCOPED_TRACE(row);
    for (TColor c : colours(row)) {
      EXPECT_TRUE(c == clWhite || c == TChartLegend::kGreyedColor) << std::hex << c;
    }
    EXPECT_TRUE(has(colours(row), TChartLegend::kGreyedColor));
  }
  // Shown again, the sample has its own colours back.
  f.Click(mbLeft, f.RowPoint(0).X, f.RowPoint(0).Y);
  EXPECT_TRUE(has(colours(0), kGreen));
  EXPECT_TRUE(has(colours(0), kYellow));
}

TEST(LegendToggle, PressesThatAreNoClickChangeNothingAndNeverZoom) {
  ToggleFixture f;
  const TPoint row0 = f.RowPoint(0);
  const TPoint row1 = f.RowPoint(1);
  // Pressed on one row and released on another: no click.
  f.Chart.DispatchMouseDown(mbLeft, 0, row0.X, row0.Y);
  f.Chart.DispatchMouseUp(mbLeft, 0, row1.X, row1.Y);
  EXPECT_TRUE(f.Red.Active());
  EXPECT_TRUE(f.Blue.Active());
  // The right button does not toggle.
  f.Click(mbRight, row0.X, row0.Y);
  EXPECT_TRUE(f.Red.Active());

  // A left drag from the legend far into the chart rectangle draws no
  // rubber band and zooms nothing.
  const double min = f.Chart.BottomAxis().Minimum();
  const double max = f.Chart.BottomAxis().Maximum();
  const TRect plot = f.Chart.PlotRect();
  f.Chart.DispatchMouseDown(mbLeft, 0, row0.X, row0.Y);
  EXPECT_FALSE(f.Chart.Zoom().IsActive);
  f.Chart.DispatchMouseMove(0, plot.Left + 10, plot.Top + 10);
  f.Chart.DispatchMouseMove(0, plot.Left + 60, plot.Top + 60);
  f.Chart.DispatchMouseUp(mbLeft, 0, plot.Left + 60, plot.Top + 60);
  f.Render();
  EXPECT_FALSE(f.Chart.ZoomedIn());
  EXPECT_EQ(f.Chart.BottomAxis().Minimum(), min);
  EXPECT_EQ(f.Chart.BottomAxis().Maximum(), max);
  EXPECT_TRUE(f.Red.Active());
  // A press whose mouse left the chart is no click when it comes back.
  f.Chart.DispatchMouseDown(mbLeft, 0, row0.X, row0.Y);
  f.Chart.DispatchMouseLeave();
  f.Chart.DispatchMouseUp(mbLeft, 0, row0.X, row0.Y);
  EXPECT_TRUE(f.Red.Active());

  // Without ToggleOnClick a click changes nothing, and a hidden series has
  // no row.
  f.Chart.Legend().SetToggleOnClick(false);
  f.Render();
  f.Click(mbLeft, row0.X, row0.Y);
  EXPECT_TRUE(f.Red.Active());
  f.Red.SetActive(false);
  f.Render();
  EXPECT_EQ(f.Chart.Legend().DrawnCount(), 1);
}

TEST(LegendToggle, NeverCoversThePlotWithManyRowsOrLongTitles) {
  const std::string longTitle(120, 'W');
  struct Case {
    int Series;
    bool Long;
  };
  for (const Case c : {Case{40, false}, Case{3, true}, Case{40, true}}) {
    for (TLegendAlignment side : {laLeft, laRight, laTop, laBottom}) {
      SCOPED_TRACE(std::to_string(c.Series) + (c.Long ? " long " : " short ") +
                   std::to_string(side));
      TChart chart;
      chart.SetBounds(0, 0, 300, 200);
      chart.SetView3D(false);
      chart.Legend().SetAlignment(side);
      chart.Legend().SetToggleOnClick(true);
      std::vector<std::unique_ptr<TLineSeries>> series;
      for (int i = 0; i < c.Series; ++i) {
        series.push_back(std::make_unique<TLineSeries>());
        series.back()->SetTitle(c.Long ? longTitle + std::to_string(i)
                                       : "Run " + std::to_string(i));
        series.back()->AddPoint(0, i, "", clDefault);
        series.back()->AddPoint(1, i + 1, "", clDefault);
        series.back()->SetParentChart(&chart);
      }
      TBitmap bitmap(300, 200);
      chart.RenderTo(bitmap.Canvas(), chart.ClientRect());
      const TChartLegend& legend = chart.Legend();
      const TRect box = legend.LegendRect();
      const TRect plot = chart.PlotRect();
      ASSERT_GT(legend.DrawnCount(), 0);
      EXPECT_TRUE(IntersectRects(box, plot).IsEmpty());
      // The box lies inside the chart and leaves the plot most of its room.
      EXPECT_GE(box.Left, 0);
      EXPECT_GE(box.Top, 0);
      EXPECT_LE(box.Right, 300);
      EXPECT_LE(box.Bottom, 200);
      if (legend.IsVertical()) {
        EXPECT_LE(box.Width(), 150);
        EXPECT_GT(plot.Width(), 100);
      } else {
        EXPECT_GT(plot.Height(), 100);
      }
      // Every row drawn lies in the box.
      for (int i = 0; i < legend.DrawnCount(); ++i) {
        EXPECT_FALSE(IntersectRects(legend.ItemRect(i), box).IsEmpty()) << i;
        EXPECT_LE(legend.ItemRect(i).Bottom, box.Bottom) << i;
        EXPECT_LE(legend.ItemRect(i).Right, box.Right) << i;
      }
    }
  }
}

}  // namespace
}  // namespace drivesim

namespace drivesim {
namespace {

// Above or below the plot, items that do not fit in one row go on in the
// next, in their order, up to the rows allowed; no two overlap, each row's
// items lie side by side, and clicking an item of a later row hides its own
// series.
TEST(LegendToggle, ItemsBelowThePlotWrapIntoRows) {
  TChart chart;
  chart.SetBounds(0, 0, 300, 260);
  chart.SetView3D(false);
  chart.Legend().SetAlignment(laBottom);
  chart.Legend().SetToggleOnClick(true);
  std::vector<std::unique_ptr<TLineSeries>> series;
  for (int i = 0; i < 7; ++i) {
    series.push_back(std::make_unique<TLineSeries>());
    series.back()->SetTitle("Curve number " + std::to_string(i));
    series.back()->AddPoint(0, i, "", clDefault);
    series.back()->AddPoint(1, i + 1, "", clDefault);
    series.back()->SetParentChart(&chart);
  }
  TBitmap bitmap(300, 260);
  chart.RenderTo(bitmap.Canvas(), chart.ClientRect());
  const TChartLegend& legend = chart.Legend();
  ASSERT_EQ(legend.DrawnCount(), 7);  // all of them, in several rows
  std::vector<int> rowTops;
  for (int i = 0; i < 7; ++i) {
    const TRect& r = legend.ItemRect(i);
    EXPECT_EQ(&legend.ItemSeriesAt(i), series[static_cast<std::size_t>(i)].get());
    if (rowTops.empty() || rowTops.back() != r.Top) rowTops.push_back(r.Top);
    for (int j = 0; j < i; ++j) {
      EXPECT_TRUE(IntersectRects(r, legend.ItemRect(j)).IsEmpty()) << i << " " << j;
    }
    if (i > 0 && legend.ItemRect(i - 1).Top == r.Top) {
      EXPECT_GE(r.Left, legend.ItemRect(i - 1).Right) << i;
    }
    EXPECT_LE(r.Bottom, legend.LegendRect().Bottom);
  }
  EXPECT_GE(rowTops.size(), 3u);
  EXPECT_LE(rowTops.size(), static_cast<std::size_t>(TChartLegend::kMaxRows));
  EXPECT_TRUE(std::is_sorted(rowTops.begin(), rowTops.end()));
  EXPECT_TRUE(IntersectRects(legend.LegendRect(), chart.PlotRect()).IsEmpty());
  const TRect last = legend.ItemRect(6);
  chart.DispatchMouseDown(mbLeft, 0, last.Left + 3, (last.Top + last.Bottom) / 2);
  chart.DispatchMouseUp(mbLeft, 0, last.Left + 3, (last.Top + last.Bottom) / 2);
  EXPECT_FALSE(series[6]->Active());
  EXPECT_TRUE(series[5]->Active());
}

}  // namespace
}  // namespace drivesim
