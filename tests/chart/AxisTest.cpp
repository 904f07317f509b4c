// Axes: defaults and checked setters, range rules, increments, value <-> pixel
// mapping, label values and texts, and the room an axis takes.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "TestChart.h"
#include "platform/Numbers.h"

namespace drivesim {
namespace {

using testing::CountingChart;

struct Label {
  int Position;
  std::string Text;
};

std::vector<Label> Labels(TCustomChartAxis& axis, double increment) {
  std::vector<Label> labels;
  axis.GenerateLabels(increment, [&](int p, const std::string& text) {
    labels.push_back({p, text});
  });
  return labels;
}

std::vector<std::string> Texts(const std::vector<Label>& labels) {
  std::vector<std::string> out;
  for (const Label& l : labels) out.push_back(l.Text);
  return out;
}

// Runs the per-paint steps an axis goes through before it is drawn.
void Layout(TCustomChartAxis& axis) {
  axis.AdjustRange();
  axis.ComputePixelRange();
}

template <typename E>
std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const E& e) {
    return e.Message();
  }
  return "no error";
}

TEST(Axis, ChartMakesFiveAxesWithTheirDefaults) {
  CountingChart chart;
  ASSERT_EQ(chart.AxisCount(), 5);
  EXPECT_EQ(&chart.Axes(0), &chart.BottomAxis());
  EXPECT_EQ(&chart.Axes(1), &chart.TopAxis());
  EXPECT_EQ(&chart.Axes(2), &chart.LeftAxis());
  EXPECT_EQ(&chart.Axes(3), &chart.RightAxis());
  EXPECT_EQ(&chart.Axes(4), &chart.DepthAxis());
  EXPECT_TRUE(chart.BottomAxis().IsHorizontal() && !chart.BottomAxis().IsOtherSide());
  EXPECT_TRUE(chart.TopAxis().IsHorizontal() && chart.TopAxis().IsOtherSide());
  EXPECT_TRUE(!chart.LeftAxis().IsHorizontal() && !chart.LeftAxis().IsOtherSide());
  EXPECT_TRUE(!chart.RightAxis().IsHorizontal() && chart.RightAxis().IsOtherSide());
  EXPECT_TRUE(chart.DepthAxis().IsDepth() && chart.DepthAxis().IsOtherSide());
  EXPECT_FALSE(chart.DepthAxis().Visible());
  EXPECT_EQ(chart.LeftAxis().Title().Angle(), 90);
  EXPECT_EQ(chart.RightAxis().Title().Angle(), 270);
  EXPECT_EQ(chart.BottomAxis().Title().Angle(), 0);

  const TChartAxis& a = chart.BottomAxis();
  EXPECT_TRUE(a.Automatic() && a.AutomaticMinimum() && a.AutomaticMaximum());
  EXPECT_EQ(a.AxisValuesFormat(), "#,##0.###");
  EXPECT_EQ(a.Axis().Width(), 2);
  EXPECT_TRUE(a.Grid().Visible());
  EXPECT_EQ(a.Grid().Style(), psDot);
  EXPECT_EQ(a.Grid().Color(), clGray);
  EXPECT_FALSE(a.MinorGrid().Visible());
  EXPECT_EQ(a.Ticks().Color(), clGray);
  EXPECT_EQ(a.LabelsFont().Name(), "Arial");
  EXPECT_EQ(a.LabelsSeparation(), 10);
  EXPECT_EQ(a.TickLength(), 4);
  EXPECT_EQ(a.MinorTickCount(), 3);
  EXPECT_EQ(a.MinorTickLength(), 2);
  EXPECT_EQ(a.LogarithmicBase(), 10);
  EXPECT_EQ(a.StartPosition(), 0);
  EXPECT_EQ(a.EndPosition(), 100);
  EXPECT_EQ(a.Increment(), 0);
  EXPECT_EQ(a.LabelStyle(), talAuto);
  EXPECT_TRUE(a.RoundFirstLabel());
  EXPECT_TRUE(a.TickOnLabelsOnly());
  EXPECT_TRUE(a.LabelsOnAxis());
}

TEST(Axis, CheckedSettersRaiseAndKeepTheOldValue) {
  CountingChart chart;
  TChartAxis& axis = chart.LeftAxis();
  axis.SetMaximum(300);
  EXPECT_EQ(ErrorOf<AxisException>([&] { axis.SetMinimum(301); }),
            "Axis Minimum Value must be <= Maximum");
  EXPECT_EQ(axis.Minimum(), 0);
  axis.SetMinimum(100);
  EXPECT_EQ(ErrorOf<AxisException>([&] { axis.SetMaximum(99); }),
            "Axis Maximum Value must be >= Minimum");
  EXPECT_EQ(axis.Maximum(), 300);
  EXPECT_EQ(ErrorOf<AxisException>([&] { axis.SetIncrement(-1); }), "Axis increment must be >= 0");
  EXPECT_EQ(ErrorOf<AxisException>([&] { axis.SetIncrement(0.0 / 0.0); }),
            "Axis increment must be >= 0");
  EXPECT_EQ(axis.Increment(), 0);
  EXPECT_EQ(ErrorOf<AxisException>([&] { axis.SetLabelsSeparation(-1); }),
            "Labels Separation % must be greater than 0");
  EXPECT_EQ(axis.LabelsSeparation(), 10);
  EXPECT_EQ(ErrorOf<AxisException>([&] { axis.SetLogarithmicBase(1); }),
            "Axis Logarithmic Base should be >= 2");
  EXPECT_EQ(axis.LogarithmicBase(), 10);
  EXPECT_EQ(ErrorOf<ChartException>([&] { axis.SetLabelsAngle(360); }),
            "Axis Labels Angle must be between 0 and 359 degrees");
  EXPECT_EQ(axis.LabelsAngle(), 0);
  EXPECT_EQ(ErrorOf<ChartException>([&] { axis.Title().SetAngle(-1); }),
            "Axis Title Angle must be between 0 and 359 degrees");
  EXPECT_EQ(axis.Title().Angle(), 90);

  axis.SetAutomatic(false);
  axis.SetRange(-5, 5);
  EXPECT_EQ(ErrorOf<AxisException>([&] { axis.SetLogarithmic(true); }),
            "Logarithmic Axis Min and Max values should be >= 0");
  EXPECT_FALSE(axis.Logarithmic());
  axis.SetRange(1, 5);
  axis.SetLogarithmic(true);
  EXPECT_TRUE(axis.Logarithmic());

  TChartSeries s;
  s.XValues().SetDateTime(true);
  s.SetParentChart(&chart);
  EXPECT_TRUE(chart.BottomAxis().IsDateTimeAxis());
  EXPECT_FALSE(chart.LeftAxis().IsDateTimeAxis());
  EXPECT_EQ(ErrorOf<AxisException>([&] { chart.BottomAxis().SetLogarithmic(true); }),
            "DateTime Axis cannot be Logarithmic");

  // While the chart is being loaded the ends are stored unchecked.
  chart.SetLoading(true);
  axis.SetMinimum(1000);
  EXPECT_EQ(axis.Minimum(), 1000);
  chart.SetLoading(false);

  // A setter that changes nothing makes no repaint request.
  chart.Requests = 0;
  axis.SetTickLength(4);
  axis.SetInverted(false);
  EXPECT_EQ(chart.Requests, 0);
  axis.SetTickLength(5);
  axis.Grid().SetVisible(false);
  axis.LabelsFont().SetHeight(-12);
  EXPECT_EQ(chart.Requests, 3);
}

TEST(Axis, AutomaticSwitchesAreCoupled) {
  CountingChart chart;
  TChartAxis& axis = chart.LeftAxis();
  axis.SetAutomatic(false);
  EXPECT_FALSE(axis.AutomaticMinimum());
  EXPECT_FALSE(axis.AutomaticMaximum());
  axis.SetAutomaticMinimum(true);
  EXPECT_FALSE(axis.Automatic());  // the maximum is still fixed
  axis.SetAutomaticMaximum(true);
  EXPECT_TRUE(axis.Automatic());
  axis.SetAutomaticMaximum(false);
  EXPECT_FALSE(axis.Automatic());
  EXPECT_TRUE(axis.AutomaticMinimum());

  chart.SetLoading(true);  // the stored layout sets each switch itself
  axis.SetAutomatic(true);
  EXPECT_TRUE(axis.Automatic());
  EXPECT_FALSE(axis.AutomaticMaximum());
  chart.SetLoading(false);

  axis.SetRange(10, 2);
  EXPECT_EQ(axis.Minimum(), 2);
  EXPECT_EQ(axis.Maximum(), 10);
  EXPECT_FALSE(axis.Automatic() || axis.AutomaticMinimum() || axis.AutomaticMaximum());
  axis.SetRange(5, 5);
  EXPECT_EQ(axis.Minimum(), 5);
  EXPECT_EQ(axis.Maximum(), 5 + 1e-10);
}

TEST(Axis, AutomaticRangeComesFromTheSeriesAndAFixedOneStays) {
  CountingChart chart;
  TChartSeries s;
  s.SetParentChart(&chart);
  TChartAxis& bottom = chart.BottomAxis();
  TChartAxis& left = chart.LeftAxis();
  left.SetAutomatic(false);
  left.SetMaximum(300);

  Layout(bottom);
  Layout(left);
  EXPECT_EQ(bottom.RangeMinimum(), 0);  // no points yet
  EXPECT_EQ(bottom.RangeWidth(), 0);
  for (int i = 0; i <= 301; ++i) s.AddPoint(-0.301 + i * 0.001, 500.0 - i, "", clAqua);
  Layout(bottom);
  Layout(left);
  EXPECT_DOUBLE_EQ(bottom.RangeMinimum(), -0.301);
  EXPECT_NEAR(bottom.RangeMaximum(), 0, 1e-15);
  EXPECT_EQ(left.RangeMinimum(), 0);
  EXPECT_EQ(left.RangeMaximum(), 300);
  EXPECT_EQ(left.RangeWidth(), 300);
}

TEST(Axis, IncrementGrowsThroughOneTwoFiveUntilTheLabelsFit) {
  EXPECT_EQ(TCustomChartAxis::NextNiceStep(1), 2);
  EXPECT_EQ(TCustomChartAxis::NextNiceStep(2), 5);
  EXPECT_EQ(TCustomChartAxis::NextNiceStep(3), 5);
  EXPECT_EQ(TCustomChartAxis::NextNiceStep(5), 10);
  EXPECT_EQ(TCustomChartAxis::NextNiceStep(7), 10);
  EXPECT_EQ(TCustomChartAxis::NextNiceStep(20), 50);
  EXPECT_DOUBLE_EQ(TCustomChartAxis::NextNiceStep(0.1), 0.2);
  EXPECT_DOUBLE_EQ(TCustomChartAxis::NextNiceStep(0.2), 0.5);
  EXPECT_DOUBLE_EQ(TCustomChartAxis::NextNiceStep(0.5), 1);

  CountingChart chart;
  TChartAxis& left = chart.LeftAxis();
  left.SetRange(0, 300);
  Layout(left);
  for (int n = 3; n <= 5; ++n) EXPECT_EQ(left.IncrementForCount(n), 100) << n;
  for (int n = 6; n <= 14; ++n) EXPECT_EQ(left.IncrementForCount(n), 50) << n;
  for (int n = 15; n <= 29; ++n) EXPECT_EQ(left.IncrementForCount(n), 20) << n;
  EXPECT_EQ(left.IncrementForCount(0), 1e-12);
  left.SetIncrement(3);  // the start step, grown 3 -> 5 -> 10 -> 20 -> 50
  EXPECT_EQ(left.IncrementForCount(6), 50);
  left.SetLabelsSeparation(0);  // no growth at all
  EXPECT_EQ(left.IncrementForCount(6), 3);
  left.SetIncrement(0);
  EXPECT_EQ(left.IncrementForCount(6), 1);

  TChartAxis& bottom = chart.BottomAxis();
  bottom.SetRange(-0.301, 0);
  Layout(bottom);
  for (int n = 3; n <= 5; ++n) EXPECT_NEAR(bottom.IncrementForCount(n), 0.1, 1e-15) << n;
  for (int n = 6; n <= 14; ++n) EXPECT_NEAR(bottom.IncrementForCount(n), 0.05, 1e-15) << n;
  for (int n = 15; n <= 29; ++n) EXPECT_NEAR(bottom.IncrementForCount(n), 0.02, 1e-15) << n;
  bottom.SetLabelsSeparation(0);
  EXPECT_EQ(bottom.IncrementForCount(9), 1e-12);
}

TEST(Axis, ComputeIncrementMeasuresTheLabelsOnTheChartCanvas) {
  CountingChart chart;
  chart.SetPlotRect({50, 10, 340, 160});  // 290 wide, 150 high
  TChartAxis& left = chart.LeftAxis();
  left.LabelsFont().SetHeight(-12);
  left.SetRange(0, 300);
  Layout(left);
  ASSERT_EQ(left.AxisLength(), 150);
  chart.ApplyFont(left.LabelsFont());
  const int h = chart.ChartCanvas().FontLineHeight();
  ASSERT_GT(h, 8);
  ASSERT_LT(h, 25);
  const int size = h + static_cast<int>(Round(0.1 * h));
  EXPECT_EQ(left.ComputeIncrement(), left.IncrementForCount(static_cast<int>(Round(150.0 / size))));
  EXPECT_EQ(left.ComputeIncrement(), 50);  // 7 to 11 labels fit

  TChartAxis& bottom = chart.BottomAxis();
  bottom.LabelsFont().SetHeight(-12);
  bottom.SetRange(-0.301, 0);
  Layout(bottom);
  ASSERT_EQ(bottom.AxisLength(), 290);
  chart.ApplyFont(bottom.LabelsFont());
  const int w = chart.ChartCanvas().MeasureTextWidth("-0.301");
  ASSERT_GT(w, chart.ChartCanvas().MeasureTextWidth("0"));
  const int wide = w + static_cast<int>(Round(0.1 * w));
  EXPECT_EQ(bottom.ComputeIncrement(),
            bottom.IncrementForCount(static_cast<int>(Round(290.0 / wide))));
  EXPECT_NEAR(bottom.ComputeIncrement(), 0.05, 1e-15);
}

TEST(Axis, ValuesAndPixelsMapBothWays) {
  CountingChart chart;
  chart.SetPlotRect({10, 20, 310, 170});
  TChartAxis& bottom = chart.BottomAxis();
  TChartAxis& left = chart.LeftAxis();
  bottom.SetRange(0, 300);
  left.SetRange(0, 300);
  Layout(bottom);
  Layout(left);
  EXPECT_EQ(bottom.StartPixel(), 10);
  EXPECT_EQ(bottom.EndPixel(), 310);
  EXPECT_EQ(bottom.CenterPixel(), 160);
  EXPECT_EQ(left.StartPixel(), 20);
  EXPECT_EQ(left.EndPixel(), 170);

  EXPECT_EQ(bottom.ValueToPixel(0), 10);
  EXPECT_EQ(bottom.ValueToPixel(300), 310);
  EXPECT_EQ(bottom.ValueToPixel(-30), -20);  // outside maps outside
  EXPECT_EQ(left.ValueToPixel(300), 20);     // larger values higher up
  EXPECT_EQ(left.ValueToPixel(0), 170);
  EXPECT_EQ(left.ValueToPixel(1), 170);  // 0.5 pixel rounds to even
  EXPECT_EQ(left.ValueToPixel(3), 168);  // 1.5 rounds to 2
  for (int p = 10; p <= 310; ++p) EXPECT_EQ(bottom.ValueToPixel(bottom.PixelToValue(p)), p);
  for (int p = 20; p <= 170; ++p) EXPECT_EQ(left.ValueToPixel(left.PixelToValue(p)), p);

  bottom.SetInverted(true);
  left.SetInverted(true);
  EXPECT_EQ(bottom.ValueToPixel(0), 310);
  EXPECT_EQ(bottom.ValueToPixel(300), 10);
  EXPECT_EQ(left.ValueToPixel(0), 20);
  EXPECT_EQ(left.ValueToPixel(300), 170);
  EXPECT_DOUBLE_EQ(bottom.PixelToValue(310), 0);
  EXPECT_DOUBLE_EQ(left.PixelToValue(20), 0);
  for (int p = 10; p <= 310; ++p) EXPECT_EQ(bottom.ValueToPixel(bottom.PixelToValue(p)), p);
  for (int p = 20; p <= 170; ++p) EXPECT_EQ(left.ValueToPixel(left.PixelToValue(p)), p);

  // Values too far out for a pixel, and a zero range, give the centre.
  EXPECT_EQ(bottom.ValueToPixel(1e300), bottom.CenterPixel());
  bottom.SetAutomatic(true);
  Layout(bottom);  // no series: 0..0
  EXPECT_EQ(bottom.ValueToPixel(123), bottom.CenterPixel());
}

TEST(Axis, ShrinkForMarginsWidensTheRangeSoTheEndPixelsMove) {
  CountingChart chart;
  chart.SetPlotRect({0, 0, 100, 100});
  TChartAxis& bottom = chart.BottomAxis();
  bottom.SetRange(0, 100);
  Layout(bottom);
  bottom.ShrinkForMargins(0, 0);
  EXPECT_EQ(bottom.RangeMinimum(), 0);
  EXPECT_EQ(bottom.RangeMaximum(), 100);
  bottom.ShrinkForMargins(10, 10);
  EXPECT_DOUBLE_EQ(bottom.RangeMinimum(), -12.5);
  EXPECT_DOUBLE_EQ(bottom.RangeMaximum(), 112.5);
  EXPECT_EQ(bottom.StartPixel(), 0);
  EXPECT_EQ(bottom.ValueToPixel(0), 10);
  EXPECT_EQ(bottom.ValueToPixel(100), 90);

  TChartAxis& left = chart.LeftAxis();
  left.SetRange(0, 100);
  Layout(left);
  left.ShrinkForMargins(10, 20);  // top, bottom
  EXPECT_LT(left.RangeMinimum(), 0);
  EXPECT_GT(left.RangeMaximum(), 100);
  EXPECT_EQ(left.ValueToPixel(100), 10);
  EXPECT_EQ(left.ValueToPixel(0), 80);
}

TEST(Axis, ScrollByMovesTheRangeOnlyTowardsDataWhenLimited) {
  CountingChart chart;
  chart.SetPlotRect({0, 0, 100, 100});
  TChartSeries s;
  s.SetParentChart(&chart);
  for (int i = 0; i <= 10; ++i) s.AddPoint(i, i, "", clRed);
  TChartAxis& bottom = chart.BottomAxis();
  bottom.SetRange(2, 5);
  chart.Requests = 0;
  bottom.ScrollBy(1, true);
  EXPECT_EQ(bottom.Minimum(), 3);
  EXPECT_EQ(bottom.Maximum(), 6);
  EXPECT_EQ(chart.Requests, 1);
  EXPECT_FALSE(chart.PaintPending());  // repainted at once
  bottom.ScrollBy(-1, true);
  EXPECT_EQ(bottom.Minimum(), 2);

  bottom.SetRange(0, 10);  // the data ends at both ends of the range
  bottom.ScrollBy(1, true);
  bottom.ScrollBy(-1, true);
  EXPECT_EQ(bottom.Minimum(), 0);
  EXPECT_EQ(bottom.Maximum(), 10);
  bottom.ScrollBy(2.5, false);
  EXPECT_EQ(bottom.Minimum(), 2.5);
  EXPECT_EQ(bottom.Maximum(), 12.5);

  bottom.SetAutomatic(true);
  bottom.ScrollBy(-1, false);
  EXPECT_FALSE(bottom.Automatic() || bottom.AutomaticMinimum() || bottom.AutomaticMaximum());
}

TEST(Axis, ValueLabelsRunFromTheTopOfTheRangeDown) {
  CountingChart chart;
  chart.SetPlotRect({10, 10, 310, 160});
  TChartSeries s;
  s.SetParentChart(&chart);
  s.AddPoint(-0.301, 0, "", clRed);
  s.AddPoint(0, 300, "", clRed);
  TChartAxis& bottom = chart.BottomAxis();
  Layout(bottom);
  const double inc = bottom.IncrementForCount(9);
  std::vector<Label> labels = Labels(bottom, inc);
  EXPECT_EQ(Texts(labels),
            (std::vector<std::string>{"0", "-0.05", "-0.1", "-0.15", "-0.2", "-0.25", "-0.3"}));
  ASSERT_EQ(bottom.TickList().Count(), 7);
  for (int i = 0; i < 7; ++i) EXPECT_EQ(bottom.TickList()[i], labels[i].Position);
  EXPECT_EQ(labels[0].Position, 310);
  EXPECT_EQ(labels[6].Position, bottom.ValueToPixel(-0.3));

  // The range slides on: the first label is the largest multiple in it.
  bottom.SetRange(0.9335, 1.2345);
  Layout(bottom);
  EXPECT_EQ(Texts(Labels(bottom, inc)),
            (std::vector<std::string>{"1.2", "1.15", "1.1", "1.05", "1", "0.95"}));
  // A negative maximum: trunc goes toward zero, one step back inside.
  bottom.SetRange(-1.03, -0.27);
  Layout(bottom);
  EXPECT_EQ(Texts(Labels(bottom, 0.2)), (std::vector<std::string>{"-0.4", "-0.6", "-0.8", "-1"}));
  bottom.SetRoundFirstLabel(false);
  EXPECT_EQ(Texts(Labels(bottom, 0.2)),
            (std::vector<std::string>{"-0.27", "-0.47", "-0.67", "-0.87"}));
  bottom.SetRoundFirstLabel(true);

  TChartAxis& left = chart.LeftAxis();
  left.SetRange(0, 300);
  Layout(left);
  labels = Labels(left, 50);
  EXPECT_EQ(Texts(labels),
            (std::vector<std::string>{"300", "250", "200", "150", "100", "50", "0"}));
  EXPECT_EQ(labels.front().Position, 10);
  EXPECT_EQ(labels.back().Position, 160);

  // Labels off the axis ends are left out when LabelsOnAxis is false.
  left.SetLabelsOnAxis(false);
  EXPECT_EQ(Labels(left, 50).size(), 5u);
  EXPECT_EQ(left.TickList().Count(), 5);
  left.SetLabelsOnAxis(true);
  // Without label texts, ticks are still recorded when not tied to labels.
  left.SetLabels(false);
  left.SetTickOnLabelsOnly(false);
  EXPECT_TRUE(Labels(left, 50).empty());
  EXPECT_EQ(left.TickList().Count(), 7);
}

TEST(Axis, DegenerateRangesAndTinyIncrementsStayBounded) {
  CountingChart chart;
  chart.SetPlotRect({10, 10, 310, 160});
  TChartSeries empty;
  empty.SetParentChart(&chart);
  TChartAxis& bottom = chart.BottomAxis();
  Layout(bottom);  // automatic over an empty series: 0..0
  EXPECT_EQ(bottom.RangeWidth(), 0);
  EXPECT_EQ(bottom.IncrementForCount(9), 1e-12);
  std::vector<Label> labels = Labels(bottom, 1e-12);
  ASSERT_EQ(labels.size(), 1u);
  EXPECT_EQ(labels[0].Text, "0");
  EXPECT_EQ(labels[0].Position, bottom.CenterPixel());

  // A fixed range of one value repeats that label at the centre.
  TChartAxis& left = chart.LeftAxis();
  left.SetAutomatic(false);
  left.SetMaximum(5);
  left.SetMinimum(5);
  Layout(left);
  labels = Labels(left, left.IncrementForCount(9));
  EXPECT_GT(labels.size(), 1u);
  EXPECT_LT(labels.size(), 20u);
  for (const Label& l : labels) {
    EXPECT_EQ(l.Text, "5");
    EXPECT_EQ(l.Position, left.CenterPixel());
  }
  // At a magnitude where the increment cannot move the value, one label.
  chart.SetLoading(true);
  left.SetMaximum(1e300);
  left.SetMinimum(1e300);
  chart.SetLoading(false);
  Layout(left);
  EXPECT_EQ(Labels(left, 1e-12).size(), 1u);

  // 10000 or more increments in the range: no labels at all.
  left.SetRange(0, 0.3);
  left.SetLabelsSeparation(0);
  Layout(left);
  EXPECT_TRUE(Labels(left, left.IncrementForCount(9)).empty());
  EXPECT_EQ(left.TickList().Count(), 0);

  // More labels than the tick list holds: all are placed, 2000 recorded.
  left.SetRange(0, 5000);
  Layout(left);
  EXPECT_EQ(Labels(left, left.IncrementForCount(9)).size(), 5001u);
  EXPECT_EQ(left.TickList().Count(), TAxisTickList::kCapacity);
}

TEST(Axis, ANextLabelHandlerSuppliesTheValuesUntilItStopsOrLeavesTheRange) {
  CountingChart chart;
  chart.SetPlotRect({0, 0, 100, 100});
  TChartSeries s;
  s.SetParentChart(&chart);
  TChartAxis& bottom = chart.BottomAxis();
  bottom.SetRange(0, 10);
  Layout(bottom);
  chart.OnGetNextAxisLabel = [](TCustomChartAxis&, int index, double& value, bool& stop) {
    value = index * 4.0;  // 0, 4, 8, then 12 is outside
    stop = index > 5;
  };
  EXPECT_EQ(Texts(Labels(bottom, 5)), (std::vector<std::string>{"0", "4", "8"}));
  // Stopping at once falls back to the axis' own labels.
  chart.OnGetNextAxisLabel = [](TCustomChartAxis&, int, double&, bool& stop) { stop = true; };
  EXPECT_EQ(Texts(Labels(bottom, 5)), (std::vector<std::string>{"10", "5", "0"}));
  // A handler that never stops is asked for at most 2000 labels.
  int asked = 0;
  chart.OnGetNextAxisLabel = [&](TCustomChartAxis&, int, double& value, bool&) {
    ++asked;
    value = 1;
  };
  EXPECT_EQ(Labels(bottom, 5).size(), 2000u);
  EXPECT_EQ(asked, 2000);
}

TEST(Axis, LabelTextsFollowTheFormatAndTheLocale) {
  CountingChart chart;
  TChartAxis& axis = chart.LeftAxis();
  EXPECT_EQ(axis.LabelText(-0.3), "-0.3");
  EXPECT_EQ(axis.LabelText(-0.25), "-0.25");
  EXPECT_EQ(axis.LabelText(0), "0");
  EXPECT_EQ(axis.LabelText(1234.5678), "1,234.568");
  SetDecimalSeparator(',');
  SetThousandSeparator('.');
  EXPECT_EQ(axis.LabelText(-0.25), "-0,25");
  EXPECT_EQ(axis.LabelText(1234.5678), "1.234,568");
  SetDecimalSeparator('.');
  SetThousandSeparator(',');

  int asked = 0;
  chart.OnGetAxisLabel = [&](TCustomChartAxis& sender, TChartSeries* series, int index,
                             std::string& text) {
    EXPECT_EQ(&sender, &axis);
    EXPECT_EQ(series, nullptr);
    EXPECT_EQ(index, -1);
    text += " rad/s";
    ++asked;
  };
  EXPECT_EQ(axis.LabelText(300), "300 rad/s");
  axis.SetLabelsMultiLine(true);
  EXPECT_EQ(axis.LabelText(300), "300\rrad/s");
  EXPECT_EQ(asked, 2);
  // Measuring the widest label leaves the handler out and puts it back.
  axis.SetRange(0, 300);
  Layout(axis);
  axis.WidestValueLabel();
  EXPECT_EQ(asked, 2);
  ASSERT_TRUE(static_cast<bool>(chart.OnGetAxisLabel));
  chart.OnGetAxisLabel = nullptr;

  // A date-time axis writes times and dates, and nothing below zero.
  TChartSeries s;
  s.XValues().SetDateTime(true);
  s.SetParentChart(&chart);
  TChartAxis& bottom = chart.BottomAxis();
  bottom.SetRange(0, 0.5);
  Layout(bottom);
  EXPECT_EQ(bottom.LabelText(0.75), "18:00:00");
  EXPECT_EQ(bottom.LabelText(-0.5), "");
  bottom.SetDateTimeFormat("yyyy-mm-dd hh:nn");
  EXPECT_EQ(bottom.LabelText(36526.5), "2000-01-01 12:00");
  EXPECT_EQ(bottom.IncrementForCount(0), 1.0 / 86400);
  EXPECT_DOUBLE_EQ(bottom.IncrementForCount(6), 2.0 / 24);  // 0.5 day in six labels
}

TEST(Axis, LabelStyleFollowsTheSeriesOnTheAxis) {
  CountingChart chart;
  EXPECT_EQ(chart.BottomAxis().EffectiveLabelStyle(), talNone);
  TChartSeries s;
  s.SetParentChart(&chart);
  s.AddPoint(0, 0, "", clRed);
  EXPECT_EQ(chart.BottomAxis().EffectiveLabelStyle(), talValue);
  EXPECT_EQ(chart.TopAxis().EffectiveLabelStyle(), talNone);
  s.ClearPoints();
  s.AddPoint(0, 0, "first", clRed);
  EXPECT_EQ(chart.BottomAxis().EffectiveLabelStyle(), talText);
  EXPECT_EQ(chart.LeftAxis().EffectiveLabelStyle(), talValue);
  chart.BottomAxis().SetLabelStyle(talValue);
  EXPECT_EQ(chart.BottomAxis().EffectiveLabelStyle(), talValue);
  s.SetActive(false);
  EXPECT_EQ(chart.LeftAxis().EffectiveLabelStyle(), talNone);
}

TEST(Axis, ReserveSpaceCutsTitleLabelsAndTicksFromItsSide) {
  CountingChart chart;
  TChartSeries s;
  s.SetParentChart(&chart);
  s.AddPoint(-0.301, 0, "", clRed);
  s.AddPoint(0, 300, "", clRed);
  TChartAxis& bottom = chart.BottomAxis();
  TChartAxis& left = chart.LeftAxis();
  bottom.Title().SetCaption("Time, s");
  left.Title().SetCaption("Velosity, rad/s");
  left.SetRange(0, 300);
  bottom.AdjustRange();
  left.AdjustRange();
  EXPECT_EQ(bottom.TickAreaSize(), 6);  // axis pen 2 + ticks 4

  TChartCanvas3D& canvas = chart.ChartCanvas();
  chart.ApplyFont(bottom.Title().Font());
  const int titleHeight = canvas.FontLineHeight();
  chart.ApplyFont(bottom.LabelsFont());
  const int labelsHeight = canvas.FontLineHeight();
  const int widest = canvas.MeasureTextWidth("300") + canvas.MeasureTextWidth(" ");

  TRect r{0, 0, 400, 250};
  bottom.ReserveSpace(r, true);
  EXPECT_EQ(bottom.TitlePos(), 250 - titleHeight);
  EXPECT_EQ(bottom.LabelsPos(), 250 - titleHeight - labelsHeight);
  EXPECT_EQ(r.Bottom, 250 - titleHeight - labelsHeight - 6);
  EXPECT_EQ((TRect{0, 0, 400, r.Bottom}), r);
  // Before the first paint the axis has no length: the labels measured are
  // the exact ends of the range.
  left.ReserveSpace(r, true);
  EXPECT_EQ(left.TitlePos(), titleHeight);  // the rotated title is one line wide
  EXPECT_EQ(left.LabelsPos(), titleHeight + widest);
  EXPECT_EQ(r.Left, titleHeight + widest + 6);

  // Without shrink the axis lies on the edge, labels and title outside it.
  TRect edge{20, 20, 300, 200};
  bottom.ReserveSpace(edge, false);
  EXPECT_EQ(bottom.AxisLinePos(), 200);
  EXPECT_EQ(bottom.LabelsPos(), 206);
  EXPECT_EQ(bottom.TitlePos(), 206 + labelsHeight);
  EXPECT_EQ(edge, (TRect{20, 20, 300, 200}));
  left.SetPositionPercent(10);  // a tenth of the width to the right
  left.ReserveSpace(edge, false);
  EXPECT_EQ(left.AxisLinePos(), 48);
  EXPECT_EQ(left.LabelsPos(), 42);

  // Fixed sizes are taken as given.
  bottom.SetTitleSize(7);
  bottom.SetLabelsSize(9);
  bottom.Axis().SetVisible(false);
  TRect fixed{0, 0, 400, 250};
  bottom.ReserveSpace(fixed, true);
  EXPECT_EQ(fixed.Bottom, 250 - 7 - 9 - 4);
}

TEST(Axis, AxisHitCoversTheLineAndLabelBand) {
  CountingChart chart;
  chart.SetPlotRect({20, 20, 300, 200});
  TChartAxis& bottom = chart.BottomAxis();
  Layout(bottom);
  TRect r{20, 20, 300, 200};
  bottom.ReserveSpace(r, false);  // line at 200, labels from 206
  EXPECT_TRUE(bottom.AxisHit(20, 197));
  EXPECT_TRUE(bottom.AxisHit(299, 205));
  EXPECT_FALSE(bottom.AxisHit(300, 200));  // right edge excluded
  EXPECT_FALSE(bottom.AxisHit(100, 206));  // bottom edge excluded
  EXPECT_FALSE(bottom.AxisHit(100, 196));
  bottom.SetVisible(false);
  EXPECT_FALSE(bottom.AxisHit(100, 200));

  TChartAxis& left = chart.LeftAxis();
  Layout(left);
  left.ReserveSpace(r, false);  // line at 20, labels at 14
  EXPECT_TRUE(left.AxisHit(14, 100));
  EXPECT_TRUE(left.AxisHit(22, 100));
  EXPECT_FALSE(left.AxisHit(23, 100));
  EXPECT_FALSE(left.AxisHit(13, 100));
}

TEST(Axis, AssignCopiesThePublishedProperties) {
  CountingChart a;
  CountingChart b;
  TChartAxis& source = a.LeftAxis();
  source.SetAutomatic(false);
  source.SetRange(-1, 7);
  source.SetIncrement(0.5);
  source.SetInverted(true);
  source.SetAxisValuesFormat("0.00");
  source.SetStartPosition(10);
  source.Grid().SetColor(clRed);
  source.LabelsFont().SetHeight(-12);
  source.Title().SetCaption("Velosity, rad/s");
  b.SetBottomAxis(source);
  const TChartAxis& copy = b.BottomAxis();
  EXPECT_FALSE(copy.Automatic());
  EXPECT_EQ(copy.Minimum(), -1);
  EXPECT_EQ(copy.Maximum(), 7);
  EXPECT_EQ(copy.Increment(), 0.5);
  EXPECT_TRUE(copy.Inverted());
  EXPECT_EQ(copy.AxisValuesFormat(), "0.00");
  EXPECT_EQ(copy.StartPosition(), 10);
  EXPECT_EQ(copy.Grid().Color(), clRed);
  EXPECT_EQ(copy.LabelsFont().Height(), -12);
  EXPECT_EQ(copy.Title().Caption(), "Velosity, rad/s");
  EXPECT_EQ(copy.Title().Angle(), 90);
  EXPECT_EQ(&copy.Title().Axis(), &copy);
  EXPECT_TRUE(copy.IsHorizontal());  // still the bottom axis
}

}  // namespace
}  // namespace drivesim
