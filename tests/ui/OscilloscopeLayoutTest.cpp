// The oscilloscope as the window's layout configures it, and its picture
// while the simulation runs: black chart rectangle, blue title, the two traces
// on the rows the left axis maps their values to.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "sim/SimulationRig.h"
#include "ui/OscilloscopeLayout.h"

namespace drivesim {
namespace {

int IndexOf(const char* property) {
  const auto& layout = OscilloscopeLayout();
  for (std::size_t i = 0; i < layout.size(); ++i) {
    if (std::strcmp(layout[i].Property, property) == 0) return static_cast<int>(i);
  }
  return -1;
}

TEST(OscilloscopeLayoutTest, StoredOrder) {
  // The wall's brush gets its colour first, which makes it solid.
  EXPECT_LT(IndexOf("Chart1.BackWall.Brush.Color"), IndexOf("Chart1.BackWall.Color"));
  EXPECT_LT(IndexOf("Chart1.BackWall.Color"), IndexOf("Chart1.BackColor"));
  EXPECT_GE(IndexOf("Chart1.BackWall.Brush.Color"), 0);
  // Each series joins the chart after its own colour, Series1 before Series2.
  EXPECT_LT(IndexOf("Series1.SeriesColor"), IndexOf("Series1.ParentChart"));
  EXPECT_LT(IndexOf("Series2.SeriesColor"), IndexOf("Series2.ParentChart"));
  EXPECT_LT(IndexOf("Series1.ParentChart"), IndexOf("Series2.ParentChart"));
  // No property is stored twice.
  const auto& layout = OscilloscopeLayout();
  for (std::size_t i = 0; i < layout.size(); ++i) {
    EXPECT_EQ(IndexOf(layout[i].Property), static_cast<int>(i)) << layout[i].Property;
  }
}

TEST(OscilloscopeLayoutTest, ConfiguredChart) {
  Oscilloscope o = MakeOscilloscope();
  TChart& chart = *o.Chart1;
  EXPECT_FALSE(chart.IsLoading());
  EXPECT_EQ((TRect{chart.Left(), chart.Top(), chart.Left() + chart.Width(),
                   chart.Top() + chart.Height()}),
            kOscilloscopeBounds);
  EXPECT_EQ(chart.Width(), 353);
  EXPECT_EQ(chart.Height(), 169);
  EXPECT_TRUE(chart.Gradient().Visible());
  EXPECT_EQ(chart.Gradient().EndColor(), clSilver);
  EXPECT_EQ(chart.Gradient().StartColor(), clWhite);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(chart.Margin(i), 2);
  EXPECT_EQ(chart.BackColor(), clBlack);
  EXPECT_EQ(chart.BackWall().Brush().Color(), clWhite);
  EXPECT_EQ(chart.BackWall().Brush().Style(), bsSolid);
  EXPECT_EQ(chart.Title().Text(), std::vector<std::string>{"Oscilloscope"});
  const TFont& title = chart.Title().Font();
  EXPECT_EQ(title.Name(), "Arial");
  EXPECT_EQ(title.Height(), -13);
  EXPECT_EQ(title.Style(), fsBold);
  EXPECT_EQ(title.Color(), clBlue);
  EXPECT_TRUE(chart.BottomAxis().Automatic());
  EXPECT_EQ(chart.BottomAxis().Title().Caption(), "Time, s");
  EXPECT_EQ(chart.BottomAxis().Title().Font().Height(), -13);
  EXPECT_EQ(chart.BottomAxis().LabelsFont().Height(), -12);
  TChartAxis& left = chart.LeftAxis();
  EXPECT_FALSE(left.Automatic());
  EXPECT_FALSE(left.AutomaticMinimum());
  EXPECT_FALSE(left.AutomaticMaximum());
  EXPECT_EQ(left.Minimum(), 0.0);
  EXPECT_EQ(left.Maximum(), 300.0);
  EXPECT_EQ(left.Title().Caption(), "Velosity, rad/s");
  EXPECT_EQ(left.Title().Angle(), 90);
  EXPECT_EQ(left.Title().Font().Name(), "Arial");
  EXPECT_EQ(left.Title().Font().Color(), clBlack);
  EXPECT_EQ(left.LabelsFont().Height(), -12);
  EXPECT_EQ(left.LabelsFont().Name(), "Arial");
  EXPECT_FALSE(chart.Legend().Visible());
  EXPECT_FALSE(chart.View3D());

  ASSERT_EQ(chart.SeriesCount(), 2);
  EXPECT_EQ(&chart.Series(0), o.Series1.get());
  EXPECT_EQ(&chart.Series(1), o.Series2.get());
  EXPECT_EQ(o.Series1->SeriesColor(), 0xFFFF80u);
  EXPECT_EQ(o.Series2->SeriesColor(), 0x80FF80u);
  for (TLineSeries* s : {o.Series1.get(), o.Series2.get()}) {
    EXPECT_FALSE(s->Marks().Visible());
    EXPECT_EQ(s->Marks().ArrowLength(), 8);
    EXPECT_FALSE(s->Pointer().Visible());
    EXPECT_EQ(s->Pointer().Style(), psRectangle);
    EXPECT_TRUE(s->Pointer().InflateMargins());
    EXPECT_EQ(s->XValues().Name(), "X");
    EXPECT_EQ(s->XValues().Order(), loAscending);
    EXPECT_EQ(s->XValues().Multiplier(), 1.0);
    EXPECT_FALSE(s->XValues().DateTime());
    EXPECT_EQ(s->YValues().Name(), "Y");
    EXPECT_EQ(s->YValues().Order(), loNone);
    EXPECT_EQ(s->ParentChart(), &chart);
  }
}

// The window after creation and "Process" with its default inputs and a
// setpoint of 100 rad/s.
struct Simulation : SimulationRig {
  Oscilloscope Scope = MakeOscilloscope();

  Simulation() { Process(); }
  void Ticks(int n) {
    for (int i = 0; i < n; ++i) Tick(*Scope.Series1, *Scope.Series2);
  }
};

// Checks the picture of the oscilloscope; returns how many trace points
// were found on their rows.
int CheckPicture(TChart& chart, const TBitmap& picture) {
  const TRect plot = chart.PlotRect();
  // The chart rectangle is black apart from the dotted grid and the traces.
  int black = 0;
  int inside = 0;
  for (int y = plot.Top + 1; y < plot.Bottom; ++y) {
    for (int x = plot.Left + 1; x < plot.Right; ++x) {
      ++inside;
      if (picture.Pixel(x, y) == clBlack) ++black;
    }
  }
  EXPECT_GT(black, inside * 7 / 10);
  // The title is written in blue, the panel runs from silver to white.
  const TRect box = chart.Title().TitleBox();
  int blue = 0;
  for (int y = box.Top; y < box.Bottom; ++y) {
    for (int x = box.Left; x < box.Right; ++x) {
      if (picture.Pixel(x, y) == clBlue) ++blue;
    }
  }
  EXPECT_GT(blue, 0);
  EXPECT_EQ(picture.Pixel(3, 1), clSilver);
  EXPECT_EQ(picture.Pixel(3, 167), clWhite);

  // Every point of either trace well inside the chart rectangle lies on the
  // pixel the axes map it to, in its series' point colour (clAqua for the
  // velocity, clLime for the setpoint), unless the setpoint, drawn later,
  // covers it there.
  const TChartAxis& bottom = chart.BottomAxis();
  const TChartAxis& left = chart.LeftAxis();
  int found = 0;
  for (int s = 0; s < 2; ++s) {
    const TChartSeries& series = chart.Series(s);
    const TChartSeries& setpoint = chart.Series(1);
    for (int k = 0; k + 1 < series.PointCount(); ++k) {
      const int x = bottom.ValueToPixel(series.XValueAt(k));
      const int y = left.ValueToPixel(series.YValueAt(k));
      if (x <= plot.Left + 2 || x >= plot.Right - 2 || y <= plot.Top + 1 || y >= plot.Bottom - 1)
        continue;
      if (s == 0 && std::abs(y - left.ValueToPixel(setpoint.YValueAt(k))) < 2) continue;
      EXPECT_EQ(picture.Pixel(x, y), series.PointColor(k)) << "series " << s << " point " << k;
      ++found;
    }
  }
  return found;
}

TEST(OscilloscopeLayoutTest, PictureOfTheRunningSimulation) {
  Simulation run;
  TChart& chart = *run.Scope.Chart1;
  TBitmap picture;

  // After one tick both traces lie at zero, on the chart rectangle's
  // bottom edge, which the clip keeps clean.
  run.Ticks(1);
  RenderOscilloscope(chart, picture);
  ASSERT_EQ(picture.Width(), 353);
  ASSERT_EQ(picture.Height(), 169);
  CheckPicture(chart, picture);
  EXPECT_EQ(chart.LeftAxis().RangeMinimum(), 0.0);
  EXPECT_EQ(chart.LeftAxis().RangeMaximum(), 300.0);
  EXPECT_EQ(chart.BottomAxis().RangeMinimum(), run.Scope.Series1->XValueAt(0));
  EXPECT_EQ(chart.BottomAxis().RangeMaximum(), run.Scope.Series1->XValueAt(301));
  const TRect plot = chart.PlotRect();
  for (int x = plot.Left + 1; x < plot.Right - 5; ++x) {
    EXPECT_EQ(picture.Pixel(x, plot.Bottom - 1), clBlack) << x;
  }

  // After 300 ticks the setpoint of 100 runs across the chart, the velocity
  // below it.
  run.Ticks(299);
  RenderOscilloscope(chart, picture);
  EXPECT_GT(CheckPicture(chart, picture), 300);
  const int row = chart.LeftAxis().ValueToPixel(100);
  int lime = 0;
  for (int x = plot.Left + 1; x < plot.Right; ++x) lime += picture.Pixel(x, row) == clLime;
  EXPECT_GT(lime, (plot.Right - plot.Left) * 9 / 10);

  // The window's own paint shows the same picture.
  chart.DispatchPaint();
  for (int y = 0; y < 169; ++y) {
    for (int x = 0; x < 353; ++x) {
      ASSERT_EQ(chart.Surface().Pixel(x, y), picture.Pixel(x, y)) << x << "," << y;
    }
  }
}

}  // namespace
}  // namespace drivesim
