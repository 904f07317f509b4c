// Series: the add/clear/delete path with its events and repaint requests,
// point colours and labels, sorting, visible ranges, axes and dependents.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestChart.h"
#include "chart/ChartCanvas.h"
#include "platform/Exceptions.h"

namespace drivesim {
namespace {

using testing::CountingChart;
using testing::RecordingSeries;

std::vector<double> Xs(const TChartSeries& s) {
  std::vector<double> out;
  for (int i = 0; i < s.PointCount(); ++i) out.push_back(s.XValueAt(i));
  return out;
}
std::vector<double> Ys(const TChartSeries& s) {
  std::vector<double> out;
  for (int i = 0; i < s.PointCount(); ++i) out.push_back(s.YValueAt(i));
  return out;
}

TEST(Series, StartsWithItsDefaults) {
  TChartSeries s;
  EXPECT_TRUE(s.Active());
  EXPECT_EQ(s.SeriesColor(), clDefault);
  EXPECT_EQ(s.HorizAxis(), aBottomAxis);
  EXPECT_EQ(s.VertAxis(), aLeftAxis);
  EXPECT_EQ(s.ValueFormat(), "#,##0.###");
  EXPECT_EQ(s.PercentFormat(), "##0.## %");
  EXPECT_EQ(s.XValues().Name(), "X");
  EXPECT_EQ(s.YValues().Name(), "Y");
  EXPECT_EQ(s.XValues().Order(), loAscending);
  EXPECT_EQ(s.YValues().Order(), loNone);
  EXPECT_EQ(&s.ValuesLists()[0], &s.XValues());
  EXPECT_EQ(&s.ValuesLists()[1], &s.YValues());
  EXPECT_EQ(s.FirstVisible(), -1);
  EXPECT_EQ(s.LastVisible(), -1);
  EXPECT_EQ(s.ParentChart(), nullptr);
  EXPECT_EQ(s.ResolvedHorizAxis(), nullptr);
  EXPECT_TRUE(s.YIsDependent());
  EXPECT_EQ(s.MinX(), 0);
  EXPECT_EQ(s.MaxX(), 0);
  EXPECT_EQ(s.MinY(), 0);
  EXPECT_EQ(s.MaxY(), 0);
}

TEST(Series, AddPointPlacesYColourAndLabelWithTheirX) {
  TChartSeries s;
  EXPECT_EQ(s.AddPoint(1, 10, "a", clRed), 0);
  EXPECT_EQ(s.AddPoint(3, 30, "", clBlue), 1);
  EXPECT_EQ(s.AddPoint(2, 20, "b", clLime), 1);  // before the larger X
  EXPECT_EQ(s.AddPoint(3, 31, "c", clAqua), 3);  // after the equal X
  EXPECT_EQ(s.AddPoint(0, 0, "d", clDefault), 0);
  EXPECT_EQ(Xs(s), (std::vector<double>{0, 1, 2, 3, 3}));
  EXPECT_EQ(Ys(s), (std::vector<double>{0, 10, 20, 30, 31}));
  EXPECT_EQ(s.ColorList(), (std::vector<TColor>{clDefault, clRed, clLime, clBlue, clAqua}));
  EXPECT_EQ(s.LabelList(), (std::vector<std::string>{"d", "a", "b", "", "c"}));
  EXPECT_EQ(s.MinY(), 0);
  EXPECT_EQ(s.MaxY(), 31);
  EXPECT_EQ(s.MaxX(), 3);
  EXPECT_EQ(s.PointLabel(2), "b");
  EXPECT_EQ(s.PointLabel(3), "");
  EXPECT_EQ(s.PointLabel(99), "");
}

TEST(Series, RefusedAddChangesNothingAndAcceptedAddsMarkTheChartForOneRepaint) {
  CountingChart chart;
  TChartSeries s;
  s.SetParentChart(&chart);
  s.AddPoint(1, 1, "", clRed);
  chart.Requests = 0;

  int afterAdds = 0;
  bool accept = false;
  s.OnBeforeAdd = [&](TChartSeries&) { return accept; };
  s.OnAfterAdd = [&](TChartSeries&, int) { ++afterAdds; };
  EXPECT_EQ(s.AddPoint(0.5, 7, "x", clBlue), -1);
  EXPECT_EQ(s.PointCount(), 1);
  EXPECT_EQ(s.YValues().ValueCount(), 1);
  EXPECT_EQ(s.ColorList().size(), 1u);
  EXPECT_EQ(s.LabelList().size(), 1u);
  EXPECT_EQ(afterAdds, 0);
  EXPECT_EQ(chart.Requests, 0);

  accept = true;
  std::vector<int> reported;
  s.OnAfterAdd = [&](TChartSeries&, int index) { reported.push_back(index); };
  // The first point marked the chart and asked for its paint: the next
  // ones merge into that paint without asking again.
  for (int i = 0; i < 302; ++i) s.AddPoint(2 + i, i, "", clAqua);
  EXPECT_EQ(chart.Requests, 0);
  EXPECT_EQ(reported.size(), 302u);
  EXPECT_EQ(reported.front(), 1);
  EXPECT_EQ(reported.back(), 302);
  EXPECT_TRUE(chart.ChartCanvas().IsDirty());
  EXPECT_TRUE(chart.PaintPending());
  // Once painted, rendered elsewhere (which cleans the image) or switched
  // back to repaints, the next point asks again, by either route of
  // AddPoint (with OnAfterAdd set, and without it), and the rest merge.
  TBitmap picture;
  picture.SetSize(chart.Width(), chart.Height());
  for (const int answered : {0, 1, 2, 3, 4, 5}) {
    const bool hooked = answered < 3;
    if (!hooked) s.OnAfterAdd = nullptr;
    if (answered % 3 == 0) {
      chart.DispatchPaint();
      ASSERT_FALSE(chart.PaintPending());
    } else if (answered % 3 == 1) {
      chart.RenderTo(picture.Canvas(), chart.ClientRect());
      ASSERT_FALSE(chart.ChartCanvas().IsDirty());
    } else {
      chart.SetRepaintOnChange(false);
      s.AddPoint(s.MaxX() + 1, 0, "", clAqua);
      chart.DispatchPaint();
      chart.SetRepaintOnChange(true);
    }
    chart.Requests = 0;
    const double from = s.MaxX() + 1;
    for (int i = 0; i < 10; ++i) s.AddPoint(from + i, i, "", clAqua);
    EXPECT_EQ(chart.Requests, 1) << answered;
    EXPECT_TRUE(chart.ChartCanvas().IsDirty()) << answered;
    EXPECT_TRUE(chart.PaintPending()) << answered;
  }
  EXPECT_EQ(reported.size(), 333u);

  // An inactive series adds and deletes without asking for a repaint.
  s.SetActive(false);
  chart.Requests = 0;
  s.AddPoint(1000, 0, "", clAqua);
  s.DeletePoint(0);
  EXPECT_EQ(chart.Requests, 0);
  s.SetActive(true);
  chart.Requests = 0;
  s.DeletePoint(0);
  EXPECT_EQ(chart.Requests, 1);

  // While the chart does not repaint on change, requests do nothing.
  chart.SetRepaintOnChange(false);
  s.AddPoint(2000, 0, "", clAqua);
  EXPECT_EQ(chart.Requests, 1);
}

TEST(Series, ClearPointsEmptiesGivesStorageBackAndStillReports) {
  CountingChart chart;
  TChartSeries s;
  s.SetParentChart(&chart);
  int cleared = 0;
  s.OnClearValues = [&](TChartSeries&) { ++cleared; };
  for (int i = 0; i < 302; ++i) s.AddPoint(i, i, "label", clLime);
  chart.Requests = 0;
  s.ClearPoints();
  EXPECT_EQ(s.PointCount(), 0);
  EXPECT_EQ(s.XValues().Capacity(), 0u);
  EXPECT_EQ(s.YValues().Capacity(), 0u);
  EXPECT_EQ(s.ColorList().capacity(), 0u);
  EXPECT_EQ(s.LabelList().capacity(), 0u);
  EXPECT_EQ(s.MaxX(), 0);
  EXPECT_EQ(cleared, 1);
  EXPECT_EQ(chart.Requests, 1);
  // An empty series still reports and asks for a repaint.
  s.ClearPoints();
  EXPECT_EQ(cleared, 2);
  EXPECT_EQ(chart.Requests, 2);
}

TEST(Series, DeletePointRemovesEveryPartOfThePointOrFailsWithoutChange) {
  TChartSeries s;
  s.AddPoint(1, 10, "a", clRed);
  s.AddPoint(2, 20, "b", clLime);
  s.AddPoint(3, 30, "c", clBlue);
  s.DeletePoint(1);
  EXPECT_EQ(Xs(s), (std::vector<double>{1, 3}));
  EXPECT_EQ(Ys(s), (std::vector<double>{10, 30}));
  EXPECT_EQ(s.ColorList(), (std::vector<TColor>{clRed, clBlue}));
  EXPECT_EQ(s.LabelList(), (std::vector<std::string>{"a", "c"}));
  try {
    s.DeletePoint(2);
    FAIL() << "no error";
  } catch (const EListError& e) {
    EXPECT_EQ(e.Message(), "List index out of bounds (2)");
  }
  try {
    s.SetPointColor(-1, clRed);
    FAIL() << "no error";
  } catch (const EListError& e) {
    EXPECT_EQ(e.Message(), "List index out of bounds (-1)");
  }
  EXPECT_EQ(s.PointCount(), 2);
  EXPECT_EQ(s.ColorList().size(), 2u);
}

TEST(Series, PointColourResolvesDefaultsAndColorEachPoint) {
  TChartSeries s;
  s.SetSeriesColor(0x123456);
  s.AddPoint(0, 0, "", clDefault);
  s.AddPoint(1, 0, "", clNone);
  s.AddPoint(2, 0, "", 0xFFFF00);
  s.AddPoint(3, 0, "", clDefault);
  EXPECT_EQ(s.PointColor(0), 0x123456u);
  EXPECT_EQ(s.PointColor(1), clNone);
  EXPECT_EQ(s.PointColor(2), 0xFFFF00u);
  EXPECT_EQ(s.PointColor(10), 0x123456u);  // beyond the colours
  s.SetColorEachPoint(true);
  EXPECT_EQ(s.PointColor(0), DefaultSeriesColor(0));
  EXPECT_EQ(s.PointColor(3), DefaultSeriesColor(3));
  EXPECT_EQ(s.PointColor(2), 0xFFFF00u);
  // Switching it off resets every stored colour, so the series colour shows.
  s.SetColorEachPoint(false);
  for (int i = 0; i < s.PointCount(); ++i) EXPECT_EQ(s.PointColor(i), 0x123456u) << i;
}

TEST(Series, SortValuesMovesColoursAndLabelsWithTheirPoints) {
  TChartSeries s;
  const double ys[] = {5, 1, 4, 1, 3, 9, 2, 6};
  for (int i = 0; i < 8; ++i) {
    s.AddPoint(i, ys[i], "p" + std::to_string(i), static_cast<TColor>(0x100 + i));
  }
  s.YValues().SetOrder(loAscending);
  s.YValues().SortValues();
  for (int i = 0; i < s.PointCount(); ++i) {
    if (i > 0) {
      EXPECT_LE(s.YValueAt(i - 1), s.YValueAt(i));
    }
    // Every point keeps its X, colour and label: all carry its old index.
    const int original = static_cast<int>(s.XValueAt(i));
    EXPECT_EQ(s.YValueAt(i), ys[original]);
    EXPECT_EQ(s.PointColor(i), static_cast<TColor>(0x100 + original));
    EXPECT_EQ(s.PointLabel(i), "p" + std::to_string(original));
  }
  s.YValues().SetOrder(loDescending);
  s.YValues().SortValues();
  EXPECT_EQ(s.YValueAt(0), 9);
  EXPECT_EQ(s.PointLabel(0), "p5");
  EXPECT_EQ(s.YValueAt(7), 1);
}

TEST(Series, VisibleRangeFollowsTheBottomAxis) {
  CountingChart chart;
  chart.SetPlotRect({10, 10, 110, 110});
  RecordingSeries s;
  s.SetParentChart(&chart);
  TChartAxis& bottom = chart.BottomAxis();
  const auto layout = [&](double lo, double hi) {
    bottom.SetRange(lo, hi);
    bottom.AdjustRange();
    bottom.ComputePixelRange();
    s.ComputeVisibleRange();
  };
  for (int i = 0; i < 10; ++i) s.AddPoint(i, i, "", clRed);

  layout(100, 200);  // every X below the axis minimum
  EXPECT_EQ(s.FirstVisible(), -1);
  EXPECT_EQ(s.LastVisible(), -1);
  layout(-100, -50);  // every X above the maximum: an empty run
  EXPECT_EQ(s.FirstVisible(), 0);
  EXPECT_EQ(s.LastVisible(), -1);
  s.DrawVisiblePoints();
  EXPECT_TRUE(s.Painted.empty());
  layout(-1, 20);  // every X inside
  EXPECT_EQ(s.FirstVisible(), 0);
  EXPECT_EQ(s.LastVisible(), 9);
  layout(2.5, 6.5);  // 3..6 inside
  EXPECT_EQ(s.FirstVisible(), 3);
  EXPECT_EQ(s.LastVisible(), 6);
  s.SetDrawsBeyondEdge(true);  // one point past the edge to draw towards
  layout(2.5, 6.5);
  EXPECT_EQ(s.LastVisible(), 7);
  s.SetDrawsBeyondEdge(false);
  layout(3, 6);  // points on the edges are inside
  EXPECT_EQ(s.FirstVisible(), 3);
  EXPECT_EQ(s.LastVisible(), 6);
  bottom.SetInverted(true);
  layout(3, 6);
  EXPECT_EQ(s.FirstVisible(), 3);
  EXPECT_EQ(s.LastVisible(), 6);

  s.DrawVisiblePoints();
  EXPECT_EQ(s.Painted, (std::vector<int>{3, 4, 5, 6}));

  // Without an order (or without clipping) every point counts as visible.
  s.XValues().SetOrder(loNone);
  layout(3, 6);
  EXPECT_EQ(s.FirstVisible(), 0);
  EXPECT_EQ(s.LastVisible(), 9);
}

TEST(Series, AxesFollowHorizAxisAndVertAxis) {
  CountingChart chart;
  TChartSeries s;
  s.SetParentChart(&chart);
  EXPECT_EQ(s.ResolvedHorizAxis(), &chart.BottomAxis());
  EXPECT_EQ(s.ResolvedVertAxis(), &chart.LeftAxis());
  EXPECT_TRUE(s.UsesAxis(chart.BottomAxis()));
  EXPECT_FALSE(s.UsesAxis(chart.TopAxis()));
  s.SetHorizAxis(aTopAxis);
  s.SetVertAxis(aRightAxis);
  EXPECT_EQ(s.ResolvedHorizAxis(), &chart.TopAxis());
  EXPECT_EQ(s.ResolvedVertAxis(), &chart.RightAxis());
  s.SetHorizAxis(aBothHorizAxis);
  EXPECT_EQ(s.ResolvedHorizAxis(), &chart.BottomAxis());
  EXPECT_TRUE(s.UsesAxis(chart.TopAxis()));
  EXPECT_TRUE(s.UsesAxis(chart.BottomAxis()));
  EXPECT_FALSE(s.UsesAxis(chart.LeftAxis()));

  TChartAxis& custom = chart.AddAxis(false, false);
  s.SetVertAxis(aCustomVertAxis);
  EXPECT_EQ(s.ResolvedVertAxis(), &chart.LeftAxis());  // no custom axis yet
  s.SetCustomVertAxis(&custom);
  EXPECT_EQ(s.ResolvedVertAxis(), &custom);
  EXPECT_TRUE(s.UsesAxis(custom));

  // Mapping a point goes through the resolved axes.
  chart.SetPlotRect({0, 0, 101, 101});
  custom.SetRange(0, 100);
  custom.AdjustRange();
  custom.ComputePixelRange();
  s.AddPoint(0, 25, "", clRed);
  EXPECT_EQ(s.PointScreenY(0), 101 - 25);

  s.SetParentChart(nullptr);
  EXPECT_EQ(s.ResolvedHorizAxis(), nullptr);
  EXPECT_EQ(s.ResolvedVertAxis(), nullptr);
  EXPECT_EQ(chart.SeriesCount(), 0);
}

TEST(Series, DependentsFollowTheirSourceAndCyclesAreRefused) {
  TChartSeries source;
  TChartSeries copy;
  TChartSeries copyOfCopy;
  source.AddPoint(1, 10, "a", clRed);
  copy.SetDataSource(&source);
  EXPECT_EQ(Xs(copy), (std::vector<double>{1}));
  copyOfCopy.SetDataSource(&copy);

  source.AddPoint(2, 20, "b", clLime);
  EXPECT_EQ(Ys(copy), (std::vector<double>{10, 20}));
  EXPECT_EQ(copy.PointLabel(1), "b");
  EXPECT_EQ(copy.PointColor(1), clLime);
  EXPECT_EQ(Ys(copyOfCopy), (std::vector<double>{10, 20}));
  source.YValues().SetValueAt(0, 11);
  EXPECT_EQ(copy.YValueAt(0), 11);
  source.DeletePoint(0);
  EXPECT_EQ(Xs(copyOfCopy), (std::vector<double>{2}));
  copy.SetDependentTriggers(0, trOnClear);  // copyOfCopy follows only clears
  source.AddPoint(3, 30, "", clRed);
  EXPECT_EQ(copy.PointCount(), 2);
  EXPECT_EQ(copyOfCopy.PointCount(), 1);
  source.ClearPoints();
  EXPECT_EQ(copy.PointCount(), 0);
  EXPECT_EQ(copyOfCopy.PointCount(), 0);

  for (TChartSeries* feeding : {&copyOfCopy, &copy}) {
    try {
      source.SetDataSource(feeding);
      FAIL() << "no error";
    } catch (const ChartException& e) {
      EXPECT_EQ(e.Message(), "Circular Series dependences are not allowed");
    }
  }
  EXPECT_THROW(source.SetDataSource(&source), ChartException);
  EXPECT_EQ(source.DataSource(), nullptr);

  // A destroyed source leaves no dangling link in its dependents.
  {
    TChartSeries shortLived;
    copyOfCopy.AddDataSource(shortLived);
    EXPECT_EQ(shortLived.DependentCount(), 1);
  }
  EXPECT_EQ(copyOfCopy.DataSources().size(), 1u);
  EXPECT_EQ(copyOfCopy.DataSource(), &copy);
}

}  // namespace
}  // namespace drivesim
