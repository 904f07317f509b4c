// Points given as arrays (SetPoints) must leave the series that clearing it
// and adding the same points one by one leaves: the same values, colours,
// labels and statistics, the same events, and the same picture. A few
// hundred random series are filled both ways, each twice (a refill of the
// same size, then of another), and compared.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "AllocationCount.h"
#include "chart/Chart.h"
#include "chart/Series.h"
#include "platform/Exceptions.h"

namespace drivesim {
namespace {

// The same double, NaNs and signed zeros told apart.
std::uint64_t Bits(double v) { return std::bit_cast<std::uint64_t>(v); }

struct Fill {
  std::vector<double> xs, ys;
  TColor color = clRed;
};

struct SeriesSetup {
  TChartListOrder xOrder = loAscending;
  double yMultiplier = 1;
  bool countAdds = false;
  bool stairs = false;
  int penWidth = 1;
};

// One chart with one line series, filled one way or the other.
struct Filled {
  TChart chart;
  TLineSeries series;
  TBitmap bitmap{160, 110};
  int adds = 0;

  explicit Filled(const SeriesSetup& setup) {
    chart.SetBounds(0, 0, 160, 110);
    chart.SetView3D(false);
    series.XValues().SetOrder(setup.xOrder);
    series.YValues().SetMultiplier(setup.yMultiplier);
    series.SetStairs(setup.stairs);
    series.LinePen().SetWidth(setup.penWidth);
    if (setup.countAdds) series.OnAfterAdd = [this](TChartSeries&, int) { ++adds; };
    series.SetParentChart(&chart);
  }
  void ByArrays(const Fill& f) { series.SetPoints(f.xs, f.ys, f.color); }
  void OneByOne(const Fill& f) {
    series.ClearPoints();
    for (std::size_t i = 0; i < f.xs.size(); ++i) series.AddPoint(f.xs[i], f.ys[i], "", f.color);
  }
  void Render() { chart.RenderTo(bitmap.Canvas(), chart.ClientRect()); }
};

void ExpectSameSeries(Filled& a, Filled& b, const std::string& what) {
  const TLineSeries& s = a.series;
  const TLineSeries& t = b.series;
  ASSERT_EQ(s.PointCount(), t.PointCount()) << what;
  for (int i = 0; i < s.PointCount(); ++i) {
    ASSERT_EQ(Bits(s.XValueAt(i)), Bits(t.XValueAt(i))) << what << ", x of point " << i;
    ASSERT_EQ(Bits(s.YValueAt(i)), Bits(t.YValueAt(i))) << what << ", y of point " << i;
    ASSERT_EQ(s.PointColor(i), t.PointColor(i)) << what << ", colour of point " << i;
    ASSERT_EQ(s.PointLabel(i), t.PointLabel(i)) << what << ", label of point " << i;
  }
  ASSERT_EQ(s.ColorList(), t.ColorList()) << what;
  ASSERT_EQ(s.LabelList().size(), t.LabelList().size()) << what;
  for (int list = 0; list < 2; ++list) {
    const TChartValueList& l = list == 0 ? s.XValues() : s.YValues();
    const TChartValueList& m = list == 0 ? t.XValues() : t.YValues();
    EXPECT_EQ(Bits(l.MinOfValues()), Bits(m.MinOfValues())) << what << ", " << l.Name();
    EXPECT_EQ(Bits(l.MaxOfValues()), Bits(m.MaxOfValues())) << what << ", " << l.Name();
    EXPECT_EQ(Bits(l.TotalOfValues()), Bits(m.TotalOfValues())) << what << ", " << l.Name();
    EXPECT_EQ(Bits(l.TotalAbsOfValues()), Bits(m.TotalAbsOfValues())) << what << ", " << l.Name();
  }
  EXPECT_EQ(a.adds, b.adds) << what;
  a.Render();
  b.Render();
  for (int y = 0; y < a.bitmap.Height(); ++y) {
    for (int x = 0; x < a.bitmap.Width(); ++x) {
      ASSERT_EQ(a.bitmap.Pixel(x, y), b.bitmap.Pixel(x, y))
          << what << ", pixel (" << x << ", " << y << ")";
    }
  }
}

class Random {
 public:
  explicit Random(unsigned seed) : fRandom(seed) {}
  int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(fRandom); }
  double Real(double lo, double hi) {
    return std::uniform_real_distribution<double>(lo, hi)(fRandom);
  }
  bool Chance(double p) { return Real(0, 1) < p; }

  Fill MakeFill(int count) {
    Fill f;
    const int kind = Int(0, 4);
    double x = Real(-10, 10);
    double y = Real(-50, 50);
    for (int i = 0; i < count; ++i) {
      switch (kind) {
        case 0: x += Real(0.001, 0.1); break;                        // rising
        case 1: x += Chance(0.2) ? 0 : Real(0, 0.1); break;          // repeated X values
        case 2: x -= Real(0, 0.1); break;                            // falling
        case 3: x = Real(-10, 10); break;                            // no order
        default: x = Chance(0.01) ? std::nan("") : x + 0.01; break;  // a NaN now and then
      }
      y += Real(-3, 3);
      double v = y;
      if (Chance(0.005)) v = std::numeric_limits<double>::infinity();
      if (Chance(0.005)) v = std::nan("");
      if (Chance(0.005)) v = -0.0;
      f.xs.push_back(x);
      f.ys.push_back(v);
    }
    static const TColor colors[] = {clRed, clAqua, clDefault, clNone, 0x00123456};
    f.color = colors[Int(0, 4)];
    return f;
  }

 private:
  std::mt19937 fRandom;
};

TEST(BulkPoints, ArraysGiveTheSeriesAndPictureOfPointsAddedOneByOne) {
  Random random(21);
  static const TChartListOrder orders[] = {loAscending, loAscending, loNone, loDescending};
  for (int n = 0; n < 300 && !HasFatalFailure(); ++n) {
    SeriesSetup setup;
    setup.xOrder = orders[random.Int(0, 3)];
    if (random.Chance(0.15)) setup.yMultiplier = random.Chance(0.5) ? -1.0 : 2.5;
    setup.countAdds = random.Chance(0.15);
    setup.stairs = random.Chance(0.1);
    setup.penWidth = random.Chance(0.2) ? 2 : 1;
    Filled byArrays(setup);
    Filled oneByOne(setup);
    const int count = random.Int(0, random.Chance(0.7) ? 400 : 5000);
    // The first fill, a refill of the same size, then one of another size.
    for (const int size : {count, count, random.Int(0, 600)}) {
      const Fill fill = random.MakeFill(size);
      byArrays.ByArrays(fill);
      oneByOne.OneByOne(fill);
      ExpectSameSeries(byArrays, oneByOne,
                       "case " + std::to_string(n) + ", " + std::to_string(size) + " points");
      if (HasFatalFailure()) return;
    }
    // Points added one by one after a fill from arrays go where they go
    // after points added one by one.
    for (int i = 0; i < 5; ++i) {
      const double x = random.Real(-12, 12);
      const double y = random.Real(-50, 50);
      byArrays.series.AddPoint(x, y, i == 2 ? "label" : "", clBlue);
      oneByOne.series.AddPoint(x, y, i == 2 ? "label" : "", clBlue);
    }
    ExpectSameSeries(byArrays, oneByOne, "case " + std::to_string(n) + ", points added after");
  }
}

TEST(BulkPoints, RefillKeepsItsStorageAndUnequalArraysChangeNothing) {
  TChart chart;
  TLineSeries series;
  series.SetParentChart(&chart);
  std::vector<double> xs(10000), ys(10000);
  for (std::size_t i = 0; i < xs.size(); ++i) {
    xs[i] = static_cast<double>(i) * 1e-3;
    ys[i] = std::sin(static_cast<double>(i));
  }
  series.SetPoints(xs, ys, clAqua);
  const double* storage = series.XValues().StoredValues().data();
  for (double& y : ys) y += 1;
  const long allocations = testing::AllocationsSoFar();
  series.SetPoints(xs, ys, clLime);
  EXPECT_EQ(testing::AllocationsSoFar(), allocations);
  EXPECT_EQ(series.XValues().StoredValues().data(), storage);
  EXPECT_EQ(series.PointCount(), 10000);
  EXPECT_EQ(series.YValueAt(9999), ys[9999]);
  EXPECT_EQ(series.PointColor(5000), clLime);
  EXPECT_TRUE(series.XValues().Rising());

  // Arrays of different lengths change nothing.
  const std::vector<double> shorter(3, 1.0);
  try {
    series.SetPoints(xs, shorter, clRed);
    ADD_FAILURE() << "no error";
  } catch (const EListError& e) {
    EXPECT_EQ(e.Message(), "List index out of bounds (3)");
  }
  EXPECT_EQ(series.PointCount(), 10000);
  EXPECT_EQ(series.PointColor(0), clLime);

  // Its own values given back to it: the series stays as it was, also when
  // they must be placed one by one.
  const std::vector<double> before(series.YValues().StoredValues().begin(),
                                   series.YValues().StoredValues().end());
  series.SetPoints(series.XValues().StoredValues(), series.YValues().StoredValues(), clLime);
  EXPECT_EQ(series.PointCount(), 10000);
  EXPECT_EQ(series.YValueAt(1234), before[1234]);
  series.XValues().SetOrder(loDescending);
  series.SetPoints(series.XValues().StoredValues(), series.YValues().StoredValues(), clLime);
  EXPECT_EQ(series.PointCount(), 10000);
  EXPECT_EQ(series.XValueAt(0), xs[9999]);
  EXPECT_EQ(series.YValueAt(0), before[9999]);

  // Its lists given back crosswise, and a part of one as both: every value
  // is the one given, not one written over on the way.
  TLineSeries swapped;
  swapped.SetParentChart(&chart);
  const std::vector<double> rising{1, 2, 3, 4, 5};
  const std::vector<double> falling{50, 40, 30, 20, 10};
  swapped.SetPoints(rising, rising, clRed);
  swapped.YValues().SetOrder(loNone);
  swapped.SetPoints(rising, falling, clRed);
  const std::span<const double> own(swapped.XValues().StoredValues());
  swapped.SetPoints(own.subspan(1, 3), own.subspan(0, 3), clRed);
  ASSERT_EQ(swapped.PointCount(), 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(swapped.XValueAt(i), rising[static_cast<std::size_t>(i) + 1]) << i;
    EXPECT_EQ(swapped.YValueAt(i), rising[static_cast<std::size_t>(i)]) << i;
  }
  swapped.SetPoints(rising, falling, clRed);
  swapped.XValues().SetOrder(loNone);
  swapped.SetPoints(swapped.YValues().StoredValues(), swapped.XValues().StoredValues(), clRed);
  ASSERT_EQ(swapped.PointCount(), 5);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(swapped.XValueAt(i), falling[static_cast<std::size_t>(i)]) << i;
    EXPECT_EQ(swapped.YValueAt(i), rising[static_cast<std::size_t>(i)]) << i;
  }
}

}  // namespace
}  // namespace drivesim
