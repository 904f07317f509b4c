// The chart's series list: attaching and detaching, data extents along the
// axes, which axes show, free series colours, counts and paging.
#include <gtest/gtest.h>

#include <memory>

#include "TestChart.h"
#include "chart/ChartCanvas.h"

namespace drivesim {
namespace {

using testing::CountingChart;

void Fill(TChartSeries& s, std::initializer_list<std::pair<double, double>> points) {
  for (const auto& [x, y] : points) s.AddPoint(x, y, "", clDefault);
}

TEST(SeriesList, AttachingTwiceKeepsOneEntryAndDetachingAStrangerChangesNothing) {
  CountingChart chart;
  CountingChart other;
  TChartSeries a;
  TChartSeries b;
  a.SetSeriesColor(0xFFFF80);
  a.SetParentChart(&chart);
  chart.AttachSeries(a);
  EXPECT_EQ(chart.SeriesCount(), 1);
  EXPECT_EQ(a.SeriesColor(), 0xFFFF80u);  // an explicit colour stays
  chart.DetachSeries(b);
  EXPECT_EQ(chart.SeriesCount(), 1);

  chart.AttachSeries(b);  // attaching directly makes the chart its parent
  EXPECT_EQ(b.ParentChart(), &chart);
  EXPECT_EQ(b.ResolvedHorizAxis(), &chart.BottomAxis());
  EXPECT_EQ(b.SeriesColor(), clRed);  // the first free palette colour
  EXPECT_EQ(&chart.Series(1), &b);

  // Moving a series to another chart takes it out of the first.
  b.SetParentChart(&other);
  EXPECT_EQ(chart.SeriesCount(), 1);
  EXPECT_EQ(other.SeriesCount(), 1);
  EXPECT_EQ(b.ResolvedVertAxis(), &other.LeftAxis());
  other.AttachSeries(a);
  EXPECT_EQ(chart.SeriesCount(), 0);
  EXPECT_EQ(a.ParentChart(), &other);
  EXPECT_EQ(&other.Series(1), &a);  // in the order attached

  chart.Requests = 0;
  TChartSeries c;
  c.SetParentChart(&chart);
  EXPECT_GE(chart.Requests, 1);
  chart.DetachSeries(c);
  EXPECT_EQ(c.ParentChart(), nullptr);
  EXPECT_EQ(c.ResolvedHorizAxis(), nullptr);
  // Without a chart the series still takes points; its requests go nowhere.
  EXPECT_EQ(c.AddPoint(1, 2, "", clRed), 0);
}

TEST(SeriesList, SeriesAndChartCanBeDestroyedInEitherOrder) {
  auto chart = std::make_unique<CountingChart>();
  TChartSeries survivor;
  {
    TChartSeries shortLived;
    shortLived.SetParentChart(chart.get());
    survivor.SetParentChart(chart.get());
    EXPECT_EQ(chart->SeriesCount(), 2);
  }
  EXPECT_EQ(chart->SeriesCount(), 1);
  EXPECT_EQ(&chart->Series(0), &survivor);
  int cleared = 0;
  survivor.OnClearValues = [&](TChartSeries&) { ++cleared; };
  chart.reset();
  EXPECT_EQ(survivor.ParentChart(), nullptr);
  EXPECT_EQ(survivor.ResolvedHorizAxis(), nullptr);
  survivor.ClearPoints();
  EXPECT_EQ(cleared, 1);
}

TEST(SeriesList, ExtentsSkipEmptySeriesAndTakeInactiveOnesOnlyAsALastResort) {
  CountingChart chart;
  const TChartAxis& bottom = chart.BottomAxis();
  const TChartAxis& left = chart.LeftAxis();
  EXPECT_EQ(chart.AxisMinX(bottom), 0);
  EXPECT_EQ(chart.AxisMaxY(left), 0);

  TChartSeries empty;
  empty.SetParentChart(&chart);
  EXPECT_EQ(chart.AxisMaxX(bottom), 0);

  TChartSeries first;
  TChartSeries second;
  first.SetParentChart(&chart);
  second.SetParentChart(&chart);
  Fill(first, {{-0.301, 5}, {0, 250}});
  Fill(second, {{-0.2, -10}, {0.1, 300}});
  EXPECT_DOUBLE_EQ(chart.AxisMinX(bottom), -0.301);
  EXPECT_DOUBLE_EQ(chart.AxisMaxX(bottom), 0.1);
  EXPECT_EQ(chart.AxisMinY(left), -10);
  EXPECT_EQ(chart.AxisMaxY(left), 300);

  second.SetActive(false);
  EXPECT_EQ(chart.AxisMaxX(bottom), 0);
  EXPECT_EQ(chart.AxisMinY(left), 5);
  first.SetActive(false);
  empty.SetActive(false);  // now no active series: the inactive ones count
  EXPECT_DOUBLE_EQ(chart.AxisMaxX(bottom), 0.1);
  EXPECT_EQ(chart.FirstSeriesOnAxis(bottom), &empty);
  EXPECT_TRUE(chart.AxisHasNoActiveSeries(bottom));
  first.SetActive(true);
  EXPECT_EQ(chart.FirstSeriesOnAxis(bottom), &first);

  // The top axis has its own series; one on both horizontal axes counts on
  // each.
  const TChartAxis& top = chart.TopAxis();
  EXPECT_EQ(chart.AxisMaxX(top), 0);
  TChartSeries onTop;
  onTop.SetHorizAxis(aTopAxis);
  onTop.SetParentChart(&chart);
  Fill(onTop, {{40, 1}});
  EXPECT_EQ(chart.AxisMaxX(top), 40);
  EXPECT_EQ(chart.AxisMaxX(bottom), 0);
  onTop.SetHorizAxis(aBothHorizAxis);
  EXPECT_EQ(chart.AxisMaxX(bottom), 40);
  EXPECT_EQ(chart.AxisMaxX(top), 40);
}

TEST(SeriesList, OnlyAxesInUseAreShown) {
  CountingChart chart;
  chart.SetView3D(false);
  // With no series every side axis shows; the depth axis follows the 3D view
  // (and its own visibility).
  EXPECT_TRUE(chart.IsAxisShown(chart.TopAxis()));
  EXPECT_FALSE(chart.IsAxisShown(chart.DepthAxis()));
  chart.DepthAxis().SetVisible(true);
  chart.SetView3D(true);
  EXPECT_TRUE(chart.IsAxisShown(chart.DepthAxis()));

  TChartSeries s;
  s.SetParentChart(&chart);
  EXPECT_TRUE(chart.IsAxisShown(chart.BottomAxis()));
  EXPECT_TRUE(chart.IsAxisShown(chart.LeftAxis()));
  EXPECT_FALSE(chart.IsAxisShown(chart.TopAxis()));
  EXPECT_FALSE(chart.IsAxisShown(chart.RightAxis()));
  s.SetVertAxis(aRightAxis);
  EXPECT_TRUE(chart.IsAxisShown(chart.RightAxis()));
  EXPECT_FALSE(chart.IsAxisShown(chart.LeftAxis()));
  chart.BottomAxis().SetVisible(false);
  EXPECT_FALSE(chart.IsAxisShown(chart.BottomAxis()));
  chart.BottomAxis().SetVisible(true);
  chart.SetAxisVisible(false);
  EXPECT_FALSE(chart.IsAxisShown(chart.BottomAxis()));
}

TEST(SeriesList, FreeColoursComeFromThePaletteAndRunOutToRed) {
  CountingChart chart;
  chart.SetColor(clRed);  // the panel's own colour is not free either
  std::vector<std::unique_ptr<TChartSeries>> series;
  for (int i = 0; i < 15; ++i) {
    series.push_back(std::make_unique<TChartSeries>());
    series.back()->SetParentChart(&chart);
    EXPECT_EQ(series.back()->SeriesColor(), DefaultSeriesColor(i + 1)) << i;
  }
  EXPECT_FALSE(chart.IsColorFree(clGreen, false));
  EXPECT_FALSE(chart.IsColorFree(clRed, true));
  EXPECT_TRUE(chart.IsColorFree(clRed, false));
  EXPECT_EQ(chart.PickFreeSeriesColor(false), clRed);
  // All sixteen taken: red again.
  auto last = std::make_unique<TChartSeries>();
  last->SetSeriesColor(clRed);
  last->SetParentChart(&chart);
  EXPECT_EQ(chart.PickFreeSeriesColor(false), clRed);
  EXPECT_EQ(chart.PickFreeSeriesColor(true), clRed);
  TChartSeries extra;
  extra.SetParentChart(&chart);
  EXPECT_EQ(extra.SeriesColor(), clRed);
}

TEST(SeriesList, CountsAndWidestLabel) {
  CountingChart chart;
  TChartSeries a;
  TChartSeries b;
  a.SetParentChart(&chart);
  b.SetParentChart(&chart);
  EXPECT_EQ(chart.WidestXLabel(), 0);
  a.AddPoint(0, 0, "", clRed);
  a.AddPoint(1, 0, "a much longer label", clRed);
  b.AddPoint(0, 0, "short", clRed);
  b.AddPoint(1, 0, "", clRed);
  b.AddPoint(2, 0, "two\rlines", clRed);
  b.SetActive(false);
  EXPECT_EQ(chart.ActiveCount(), 1);
  EXPECT_EQ(chart.SeriesList().ActiveCount(), 1);
  EXPECT_EQ(chart.LongestSeriesCount(), 2);
  b.SetActive(true);
  EXPECT_EQ(chart.LongestSeriesCount(), 3);
  TChartCanvas3D& canvas = chart.ChartCanvas();
  EXPECT_EQ(chart.WidestXLabel(), canvas.MeasureTextWidth("a much longer label"));
  int lines = 0;
  EXPECT_EQ(chart.MultiLineExtent("two\rlines", lines),
            std::max(canvas.MeasureTextWidth("two"), canvas.MeasureTextWidth("lines")));
  EXPECT_EQ(lines, 2);
  EXPECT_EQ(chart.MultiLineExtent("one\r", lines), canvas.MeasureTextWidth("one"));
  EXPECT_EQ(lines, 1);
}

TEST(SeriesList, PagingLimitsTheExtentAlongTheIndependentAxis) {
  CountingChart chart;
  TChartSeries s;
  s.SetParentChart(&chart);
  for (int i = 0; i < 10; ++i) s.AddPoint(i * 10.0, 100.0 + i, "", clRed);
  const TChartAxis& bottom = chart.BottomAxis();
  const TChartAxis& left = chart.LeftAxis();

  try {
    chart.SetMaxPointsPerPage(-1);
    FAIL() << "no error";
  } catch (const ChartException& e) {
    EXPECT_EQ(e.Message(), "MaxPointsPerPage must be >= 0");
  }
  EXPECT_EQ(chart.MaxPointsPerPage(), 0);

  int pageChanges = 0;
  chart.OnPageChange = [&](TCustomAxisPanel&) { ++pageChanges; };
  chart.SetMaxPointsPerPage(4);
  EXPECT_EQ(chart.NumPages(), 3);
  EXPECT_EQ(chart.AxisMinX(bottom), 0);
  EXPECT_EQ(chart.AxisMaxX(bottom), 30);
  EXPECT_EQ(chart.AxisMaxY(left), 109);  // not paged: the dependent values
  chart.SetPage(2);
  EXPECT_EQ(chart.AxisMinX(bottom), 40);
  EXPECT_EQ(chart.AxisMaxX(bottom), 70);
  chart.SetPage(99);  // clamped to the last page, which is short
  EXPECT_EQ(chart.Page(), 3);
  EXPECT_EQ(pageChanges, 2);
  EXPECT_EQ(chart.AxisMinX(bottom), 80);
  EXPECT_EQ(chart.AxisMaxX(bottom), 90);
  chart.SetScaleLastPage(false);  // a short page keeps a full page's scale
  EXPECT_EQ(chart.AxisMaxX(bottom), 80 + (90 - 80) * 4 / 2);
  chart.SetMaxPointsPerPage(5);  // two pages now: the page moves back
  EXPECT_EQ(chart.Page(), 2);
  EXPECT_EQ(chart.AxisMinX(bottom), 50);
  EXPECT_EQ(chart.AxisMaxX(bottom), 90);
}

}  // namespace
}  // namespace drivesim
