// How a series keeps its points: value-list statistics that must equal a
// pass over the values in list order whatever route they take (strictly
// rising values, a pass), points appended by the quick route of a refill
// that must leave exactly what the general route leaves, colours kept as a
// run until asked for, and a refill of a million points that allocates
// nothing per point.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "AllocationCount.h"
#include "TestChart.h"
#include "chart/ChartCanvas.h"
#include "chart/Series.h"

namespace drivesim {
namespace {

using testing::CountingChart;

// The same double, bit for bit (signed zeros and NaNs included).
bool Same(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

struct Stats {
  double min = 0, max = 0, total = 0, totalAbs = 0;
};

// The statistics as one pass over the multiplied values in list order
// makes them.
Stats Pass(const TChartValueList& list) {
  Stats s;
  if (list.ValueCount() == 0) return s;
  s.min = s.max = s.total = list.ValueAt(0);
  s.totalAbs = std::fabs(s.min);
  for (int i = 1; i < list.ValueCount(); ++i) {
    const double v = list.ValueAt(i);
    if (v < s.min) {
      s.min = v;
    } else if (v > s.max) {
      s.max = v;
    }
    s.total += v;
    s.totalAbs += std::fabs(v);
  }
  return s;
}

void ExpectStats(const TChartValueList& list, const Stats& expected, const std::string& what) {
  EXPECT_TRUE(Same(list.MinOfValues(), expected.min)) << what << ": min " << list.MinOfValues();
  EXPECT_TRUE(Same(list.MaxOfValues(), expected.max)) << what << ": max " << list.MaxOfValues();
  EXPECT_TRUE(Same(list.TotalOfValues(), expected.total)) << what;
  EXPECT_TRUE(Same(list.TotalAbsOfValues(), expected.totalAbs)) << what;
  EXPECT_FALSE(list.StatsDirty()) << what;
}

TEST(SeriesStorage, ListStatisticsAreThoseOfAPassInListOrder) {
  std::mt19937 random(5);
  const auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
  // Values that rise most of the time, with equal values, signed zeros,
  // a NaN now and then and large ones among them.
  double rising = -3;
  const auto value = [&]() -> double {
    switch (pick(12)) {
      case 0: return 0.0;
      case 1: return -0.0;
      case 2: return rising;  // equal to the last rising one
      case 3: return pick(40) == 0 ? NAN : -7.5;
      case 4: return 1e300;
      default: rising += 0.25 * (1 + pick(4)); return rising;
    }
  };
  for (int sequence = 0; sequence < 300; ++sequence) {
    TChartValueList list(nullptr, "V");
    list.SetOrder(static_cast<TChartListOrder>(pick(3)));
    rising = -3;
    for (int step = 0; step < 60; ++step) {
      const std::string what =
          "sequence " + std::to_string(sequence) + ", step " + std::to_string(step);
      const int count = list.ValueCount();
      switch (count == 0 ? 0 : pick(20)) {
        case 1: list.InsertValueAt(pick(count + 1), value()); break;
        case 2: list.DeleteValueAt(pick(count)); break;
        case 3: list.SetValueAt(pick(count), value()); break;
        case 4: {
          const double multipliers[] = {1.0, -1.0, 2.5, 1.0};
          list.SetMultiplier(multipliers[pick(4)]);
          break;
        }
        case 5:
        case 6: {
          // The same values in another order: the statistics stand.
          const Stats before{list.MinOfValues(), list.MaxOfValues(), list.TotalOfValues(),
                             list.TotalAbsOfValues()};
          if (pick(2) == 0) {
            list.RotateValues();
          } else {
            list.SwapValues(pick(count), pick(count));
          }
          ExpectStats(list, before, what + " (reordered)");
          continue;
        }
        case 7:
          list.RemoveAllValues();
          rising = -3;
          break;
        default: list.AddInOrder(value());
      }
      // Not every change is followed by a query: the statistics are worked
      // out at the next one.
      if (pick(3) != 0) ExpectStats(list, Pass(list), what);
    }
  }
}

// Random points, labels and colours, added and changed the same way on two
// series: one takes the quick route of a refill where it can, the other
// (with OnBeforeAdd set) always the general one.
TEST(SeriesStorage, QuickAppendLeavesWhatTheGeneralRouteLeaves) {
  std::mt19937 random(9);
  const auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
  const TColor colors[] = {clAqua, clLime, clDefault, clNone, clRed};
  for (int sequence = 0; sequence < 200; ++sequence) {
    CountingChart quickChart;
    CountingChart generalChart;
    TLineSeries quick;
    TLineSeries general;
    quick.SetParentChart(&quickChart);
    general.SetParentChart(&generalChart);
    general.OnBeforeAdd = [](TChartSeries&) { return true; };
    if (pick(4) == 0) {
      quick.YValues().SetMultiplier(2);
      general.YValues().SetMultiplier(2);
    }
    // X values placed in ascending order (the default), or appended as
    // they come, or placed in descending order.
    const TChartListOrder order = static_cast<TChartListOrder>(pick(4) == 0 ? pick(3) : 1);
    quick.XValues().SetOrder(order);
    general.XValues().SetOrder(order);
    double x = 0;
    TColor color = colors[pick(5)];
    for (int step = 0; step < 120; ++step) {
      const std::string what =
          "sequence " + std::to_string(sequence) + ", step " + std::to_string(step);
      const int count = quick.PointCount();
      const int op = count == 0 ? 0 : pick(40);
      if (op == 1) {
        const int at = pick(count);
        quick.DeletePoint(at);
        general.DeletePoint(at);
      } else if (op == 2) {
        const int at = pick(count);
        const TColor c = colors[pick(5)];
        quick.SetPointColor(at, c);
        general.SetPointColor(at, c);
      } else if (op == 3) {
        const int a = pick(count);
        const int b = pick(count);
        quick.SwapValueIndex(a, b);
        general.SwapValueIndex(a, b);
      } else if (op == 4) {
        quick.ClearPoints();
        general.ClearPoints();
      } else if (op == 5) {
        const bool each = pick(2) == 0;
        quick.SetColorEachPoint(each);
        general.SetColorEachPoint(each);
      } else {
        // Mostly rising X in runs of one colour without text; now and then
        // an X that goes back, a text, another colour.
        x += pick(8) == 0 ? -1.5 * pick(3) : 0.5 * pick(3);
        if (pick(30) == 0) x = -0.0;
        if (pick(10) == 0) color = colors[pick(5)];
        const std::string label = pick(15) == 0 ? "t" + std::to_string(step) : "";
        const double y = pick(20) == 0 ? -0.0 : 0.25 * pick(50) - 5;
        ASSERT_EQ(quick.AddPoint(x, y, label, color), general.AddPoint(x, y, label, color)) << what;
      }
      ASSERT_EQ(quick.PointCount(), general.PointCount()) << what;
      for (int i = 0; i < quick.PointCount(); ++i) {
        ASSERT_TRUE(Same(quick.XValueAt(i), general.XValueAt(i))) << what << ", point " << i;
        ASSERT_TRUE(Same(quick.YValueAt(i), general.YValueAt(i))) << what << ", point " << i;
        ASSERT_EQ(quick.PointColor(i), general.PointColor(i)) << what << ", point " << i;
        ASSERT_EQ(quick.PointLabel(i), general.PointLabel(i)) << what << ", point " << i;
      }
      ASSERT_EQ(quickChart.Requests, generalChart.Requests) << what;
      EXPECT_TRUE(Same(quick.MinX(), general.MinX())) << what;
      EXPECT_TRUE(Same(quick.MaxX(), general.MaxX())) << what;
      EXPECT_TRUE(Same(quick.MinY(), general.MinY())) << what;
      EXPECT_TRUE(Same(quick.MaxY(), general.MaxY())) << what;
      // Asking for the whole colour list writes out the run of colours;
      // asked now and then, so that runs also go on after it.
      if (pick(10) == 0) {
        ASSERT_EQ(quick.ColorList(), general.ColorList()) << what;
        ASSERT_EQ(quick.LabelList(), general.LabelList()) << what;
      }
    }
  }
}

// A series filled again and again with a million points, as a tick refills
// the oscilloscope: once its storage has settled, a refill takes no new
// storage at all, and the points, colours and extremes are the new ones.
TEST(SeriesStorage, RefillingAMillionPointsAllocatesNothingPerPoint) {
  CountingChart chart;
  TLineSeries series;
  series.SetParentChart(&chart);
  constexpr int kPoints = 1000000;
  const auto refill = [&](int tick) {
    series.ClearPoints();
    for (int k = 0; k < kPoints; ++k) {
      // Two colours in long runs, as the traces' colours are.
      const TColor color = (k / 300000) % 2 == 0 ? clAqua : clLime;
      series.AddPoint(tick + k * 1e-3, std::sin(k * 1e-4) * (tick + 1), "", color);
    }
  };
  chart.Requests = 0;
  refill(0);
  refill(1);
  const long before = testing::AllocationsSoFar();
  refill(2);
  EXPECT_EQ(testing::AllocationsSoFar() - before, 0);
  ASSERT_EQ(series.PointCount(), kPoints);
  EXPECT_EQ(series.XValueAt(kPoints - 1), 2 + (kPoints - 1) * 1e-3);
  EXPECT_EQ(series.YValueAt(10000), std::sin(10000 * 1e-4) * 3);
  EXPECT_EQ(series.PointColor(299999), clAqua);
  EXPECT_EQ(series.PointColor(300000), clLime);
  EXPECT_EQ(series.PointColor(600000), clAqua);
  EXPECT_EQ(series.PointColor(kPoints - 1), clLime);
  EXPECT_EQ(series.MinX(), 2);
  EXPECT_TRUE(Same(series.MaxY(), Pass(series.YValues()).max));
  // Each refill's ClearPoints asked; its points merged into that request.
  EXPECT_EQ(chart.Requests, 3);

  // The colour list, when asked for, holds every point's colour.
  const std::vector<TColor>& colors = series.ColorList();
  ASSERT_EQ(colors.size(), static_cast<std::size_t>(kPoints));
  EXPECT_EQ(colors[300000], clLime);
  EXPECT_EQ(colors[kPoints - 1], clLime);
}

}  // namespace
}  // namespace drivesim
