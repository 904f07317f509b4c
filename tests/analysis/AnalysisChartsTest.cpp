// The overlay of step responses and the figures chart of a sweep: what each
// shows and where, on real bitmaps. With DRIVESIM_PICTURES set to a folder
// the pictures are also written there, to be looked at.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>

#include "BitmapPixels.h"
#include "analysis/PrintChart.h"
#include "analysis/StepResponseChart.h"
#include "analysis/SweepFiguresChart.h"

namespace drivesim {
namespace {

SweepResult Sweep(const std::string& spec, int ticks) {
  SweepOptions options;
  options.Ticks = ticks;
  return RunSweep(DriveInputs{}, ParseSweepSpec(spec), options);
}

int CountPixels(const TBitmap& bitmap, TColor colour) {
  int n = 0;
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) n += bitmap.Pixel(x, y) == colour;
  }
  return n;
}

TEST(AnalysisChartsTest, CurvePointsKeepEveryColumnsExtremes) {
  std::vector<double> samples(10001, 1.0);
  samples[5003] = 9;   // a spike inside one column
  samples[7777] = -4;  // and a dip
  const std::vector<std::size_t> kept = CurvePointIndices(samples, 100);
  EXPECT_LE(kept.size(), 2u * 100 + 2);
  EXPECT_EQ(kept.front(), 0u);
  EXPECT_EQ(kept.back(), 10000u);
  EXPECT_TRUE(std::is_sorted(kept.begin(), kept.end()));
  EXPECT_EQ(std::set<std::size_t>(kept.begin(), kept.end()).size(), kept.size());
  EXPECT_NE(std::find(kept.begin(), kept.end(), 5003u), kept.end());
  EXPECT_NE(std::find(kept.begin(), kept.end(), 7777u), kept.end());
  // Few samples: all of them.
  EXPECT_EQ(CurvePointIndices(std::vector<double>(150, 0.0), 100).size(), 150u);
  EXPECT_TRUE(CurvePointIndices({}, 100).empty());
}

// A sweep kept for a picture only holds each run's points at the picture's
// resolution, and its overlay is the overlay of the whole records, pixel for
// pixel, a diverging run (which ends early) included.
TEST(AnalysisChartsTest, RunsKeptForAPictureDrawTheSameOverlay) {
  const SweepSpec spec = ParseSweepSpec("feedback=0.3,1,3,-100");
  SweepOptions whole;
  whole.Ticks = 1000;
  whole.Run.KeepTicks = false;
  SweepOptions picture = whole;
  picture.Run.CurveColumns = 800;
  const SweepResult full = RunSweep(DriveInputs{}, spec, whole);
  const SweepResult kept = RunSweep(DriveInputs{}, spec, picture);
  ASSERT_EQ(kept.Runs.size(), 4u);
  EXPECT_EQ(kept.Runs[3].Status, RunStatus::Diverged);
  for (std::size_t i = 0; i < kept.Runs.size(); ++i) {
    SCOPED_TRACE(i);
    const RunRecord& k = kept.Runs[i].Record;
    const RunRecord& f = full.Runs[i].Record;
    EXPECT_TRUE(k.Velocity.empty());
    EXPECT_LE(k.CurveVelocity.size(), 2u * 800 + 2);
    ASSERT_EQ(k.CurveIndex.size(), k.CurveVelocity.size());
    EXPECT_EQ(k.SampleCount, f.Velocity.size());
    EXPECT_EQ(f.SampleCount, f.Velocity.size());
    for (std::size_t j = 0; j < k.CurveIndex.size(); ++j) {
      ASSERT_EQ(k.CurveVelocity[j], f.Velocity[k.CurveIndex[j]]);
    }
    // The figures do not depend on what was kept.
    EXPECT_EQ(kept.Runs[i].Measured, full.Runs[i].Measured);
  }
  EXPECT_EQ(kept.Runs[0].Record.SampleCount, 1000u * 100 + 1);
  EXPECT_LT(kept.Runs[3].Record.SampleCount, 1000u * 100 + 1);

  TBitmap fromFull;
  TBitmap fromKept;
  RenderStepResponses(StepCurvesOf(full), fromFull, 800, 500);
  RenderStepResponses(StepCurvesOf(kept), fromKept, 800, 500);
  KeepPicture(fromKept, "step-responses-kept.png");
  ASSERT_EQ(fromKept.Width(), fromFull.Width());
  ASSERT_EQ(fromKept.Height(), fromFull.Height());
  int differing = 0;
  for (int y = 0; y < fromFull.Height(); ++y) {
    for (int x = 0; x < fromFull.Width(); ++x)
      differing += fromFull.Pixel(x, y) != fromKept.Pixel(x, y);
  }
  EXPECT_EQ(differing, 0);
  // The curves are there: each run's colour covers many pixels.
  for (int i = 0; i < 3; ++i) EXPECT_GT(CountPixels(fromKept, SequentialColor(i, 4)), 300) << i;
}

TEST(AnalysisChartsTest, PaletteAndValueTexts) {
  std::set<TColor> colours;
  for (int i = 0; i < 10; ++i) {
    const TColor c = SequentialColor(i, 10);
    colours.insert(c);
    // Dark enough for a line on white: no component near full brightness.
    EXPECT_LT(GetRValue(c) + GetGValue(c) + GetBValue(c), 400) << i;
  }
  EXPECT_EQ(colours.size(), 10u);
  EXPECT_EQ(SequentialColor(0, 2), RGB(68, 1, 84));
  EXPECT_EQ(SequentialColor(1, 2), RGB(95, 200, 97));
  EXPECT_EQ(ValueText(0.2), "0.2");
  EXPECT_EQ(ValueText(0.2 + 2.8 / 9), "0.511111");
  EXPECT_EQ(ValueText(1e-5), "0.00001");
  EXPECT_EQ(ValueText(300), "300");
  EXPECT_EQ(ValueText(-1.5), "-1.5");
  EXPECT_EQ(ValueText(0), "0");
}

TEST(AnalysisChartsTest, StepResponsesOverlay) {
  const SweepResult sweep = Sweep("feedback=0.2:3:10", 400);
  const std::vector<StepCurve> curves = StepCurvesOf(sweep);
  ASSERT_EQ(curves.size(), 10u);
  EXPECT_EQ(curves[0].Name, "k = 0.2");
  EXPECT_EQ(curves[9].Name, "k = 3");

  StepResponseChart chart(curves, 800, 500);
  TBitmap bitmap;
  chart.Render(bitmap);
  KeepPicture(bitmap, "step-responses.png");
  ASSERT_EQ(bitmap.Width(), 800);
  ASSERT_EQ(bitmap.Height(), 500);
  EXPECT_EQ(chart.Chart().Title().Text(), std::vector<std::string>{"Step responses"});
  EXPECT_EQ(chart.Chart().BottomAxis().Title().Caption(), "Time, s");
  EXPECT_EQ(chart.Chart().LeftAxis().Title().Caption(), "Velocity, rad/s");

  // Ten runs and the setpoint in the legend.
  EXPECT_EQ(chart.Chart().Legend().DrawnCount(), 11);
  EXPECT_EQ(chart.SetpointCount(), 1);
  // Every run's curve from t = 0 to 0.4 s, in its own colour, all of them
  // within the vertical range, which covers the largest peak.
  double peak = 0;
  for (int i = 0; i < 10; ++i) {
    TLineSeries& s = chart.Curve(i);
    EXPECT_EQ(s.SeriesColor(), SequentialColor(i, 10));
    EXPECT_EQ(s.XValueAt(0), 0.0);
    EXPECT_NEAR(s.XValueAt(s.PointCount() - 1), 0.4, 1e-12);
    EXPECT_LE(s.PointCount(), 2 * 800 + 2);
    peak = std::max(peak, s.MaxY());
    EXPECT_GT(CountPixels(bitmap, s.SeriesColor()), 300) << i;
  }
  EXPECT_GE(chart.Chart().LeftAxis().Maximum(), peak);
  EXPECT_LE(chart.Chart().LeftAxis().Minimum(), 0.0);
  // The weakest feedback settles highest (about 318 rad/s).
  EXPECT_NEAR(chart.Curve(0).YValueAt(chart.Curve(0).PointCount() - 1), 318.18, 0.01);

  // The setpoint dashed across the plot at 100 rad/s: runs of grey with gaps.
  TLineSeries& setpoint = chart.Setpoint(0);
  EXPECT_EQ(setpoint.LinePen().Style(), psDash);
  const int y = chart.Chart().LeftAxis().ValueToPixel(100);
  const TRect plot = chart.Chart().PlotRect();
  int grey = 0;
  int gaps = 0;
  for (int x = plot.Left + 1; x < plot.Right - 1; ++x) {
    const bool on = bitmap.Pixel(x, y) == setpoint.SeriesColor();
    grey += on;
    gaps += !on && bitmap.Pixel(x - 1, y) == setpoint.SeriesColor();
  }
  EXPECT_GT(grey, plot.Width() / 3);
  EXPECT_GT(gaps, 20);
}

TEST(AnalysisChartsTest, OverlayKeepsItsScaleAndItsSetpoints) {
  // A diverging run does not flatten the others: it leaves the chart.
  SweepOptions options;
  options.Ticks = 1000;
  const SweepResult wild = RunSweep(DriveInputs{}, ParseSweepSpec("feedback=1,-100"), options);
  ASSERT_EQ(wild.Runs[1].Status, RunStatus::Diverged);
  StepResponseChart chart(StepCurvesOf(wild), 600, 400);
  EXPECT_LT(chart.Chart().LeftAxis().Maximum(), 1000.0);
  EXPECT_GT(chart.Chart().LeftAxis().Maximum(), 93.9);
  TBitmap bitmap;
  chart.Render(bitmap);
  EXPECT_GT(CountPixels(bitmap, chart.Curve(0).SeriesColor()), 200);

  // Setpoints that differ: each run's dashed in its colour, one item for
  // them in the legend.
  const SweepResult setpoints = Sweep("setpoint=50,150,250", 200);
  StepResponseChart several(StepCurvesOf(setpoints), 600, 400);
  EXPECT_EQ(several.SetpointCount(), 4);
  EXPECT_EQ(several.Setpoint(1).SeriesColor(), several.Curve(1).SeriesColor());
  EXPECT_EQ(several.Setpoint(1).YValueAt(0), 150.0);
  several.Render(bitmap);
  KeepPicture(bitmap, "step-responses-setpoints.png");
  EXPECT_EQ(several.Chart().Legend().DrawnCount(), 4);

  // Many runs: at most 15 named, the first and the last among them.
  const SweepResult many = Sweep("gain=5:20:40", 30);
  StepResponseChart crowded(StepCurvesOf(many), 600, 400);
  int named = 0;
  for (int i = 0; i < 40; ++i) named += crowded.Curve(i).ShowInLegend();
  EXPECT_LE(named, 15);
  EXPECT_GE(named, 10);
  EXPECT_TRUE(crowded.Curve(0).ShowInLegend());
  EXPECT_TRUE(crowded.Curve(39).ShowInLegend());
}

TEST(AnalysisChartsTest, FiguresAgainstTheSweptValue) {
  const SweepResult sweep = Sweep("feedback=0.2:3:10", 400);
  SweepFiguresChart chart(sweep, 800, 500);
  TBitmap bitmap;
  chart.Render(bitmap);
  KeepPicture(bitmap, "sweep-figures.png");
  EXPECT_EQ(chart.Chart().BottomAxis().Title().Caption(), "Feedback coefficient, Vs/rad");
  EXPECT_EQ(chart.Chart().Legend().DrawnCount(), 6);

  // One point per run at its swept value, each figure in its own panel,
  // the settling time in ms.
  TLineSeries& overshoot = chart.Points(SweepFigure::Overshoot);
  TLineSeries& settling = chart.Points(SweepFigure::Settling);
  ASSERT_EQ(overshoot.PointCount(), 10);
  ASSERT_EQ(settling.PointCount(), 10);
  EXPECT_EQ(settling.VertAxis(), aCustomVertAxis);
  EXPECT_EQ(settling.CustomVertAxis(), &chart.PanelAxis(SweepFigure::Settling));
  EXPECT_EQ(chart.Line(SweepFigure::StaticError).CustomVertAxis(),
            &chart.PanelAxis(SweepFigure::StaticError));
  for (int i = 0; i < 10; ++i) {
    const RunResult& run = sweep.Runs[static_cast<std::size_t>(i)];
    EXPECT_EQ(overshoot.XValueAt(i), sweep.Spec.Values[static_cast<std::size_t>(i)]);
    EXPECT_EQ(overshoot.YValueAt(i), *run.Measured.OvershootPct);
    EXPECT_EQ(settling.YValueAt(i), *run.Measured.Settling2Pct * 1000);
  }
  // Overshoot rises with the feedback coefficient, and so does the static
  // error (the final value falls below the setpoint).
  EXPECT_GT(overshoot.YValueAt(9), overshoot.YValueAt(0) + 20);
  TLineSeries& error = chart.Points(SweepFigure::StaticError);
  EXPECT_LT(error.YValueAt(0), 0.0);
  EXPECT_GT(error.YValueAt(9), 0.0);

  // The closed-form lines run over the whole range and through the points.
  for (SweepFigure figure :
       {SweepFigure::Overshoot, SweepFigure::StaticError, SweepFigure::Settling}) {
    TLineSeries& line = chart.Line(figure);
    TLineSeries& points = chart.Points(figure);
    ASSERT_EQ(line.PointCount(), kClosedFormLinePoints);
    EXPECT_EQ(line.XValueAt(0), 0.2);
    EXPECT_EQ(line.XValueAt(line.PointCount() - 1), 3.0);
    for (int i = 0; i < points.PointCount(); ++i) {
      // The line's value at the point's x, between its neighbours.
      const double x = points.XValueAt(i);
      int k = 1;
      while (k < line.PointCount() - 1 && line.XValueAt(k) < x) ++k;
      const double x0 = line.XValueAt(k - 1);
      const double x1 = line.XValueAt(k);
      const double onLine =
          line.YValueAt(k - 1) + (line.YValueAt(k) - line.YValueAt(k - 1)) * (x - x0) / (x1 - x0);
      EXPECT_NEAR(points.YValueAt(i), onLine, 0.05 + 0.002 * std::abs(onLine)) << i;
    }
  }
  // The markers are drawn where their panel's axis puts them.
  const int px = chart.Chart().BottomAxis().ValueToPixel(overshoot.XValueAt(5));
  const int py = chart.PanelAxis(SweepFigure::Overshoot).ValueToPixel(overshoot.YValueAt(5));
  EXPECT_EQ(bitmap.Pixel(px, py + 2), overshoot.SeriesColor());

  // Three panels stacked without overlap, top to bottom, each scaled to
  // its own figures: every measured point inside its panel.
  int previousBottom = -1;
  for (SweepFigure figure :
       {SweepFigure::Overshoot, SweepFigure::StaticError, SweepFigure::Settling}) {
    TChartAxis& axis = chart.PanelAxis(figure);
    EXPECT_GT(axis.StartPixel(), previousBottom);
    EXPECT_GT(axis.EndPixel() - axis.StartPixel(), 100);
    previousBottom = axis.EndPixel();
    TLineSeries& points = chart.Points(figure);
    for (int i = 0; i < points.PointCount(); ++i) {
      const int y = axis.ValueToPixel(points.YValueAt(i));
      EXPECT_GE(y, axis.StartPixel());
      EXPECT_LE(y, axis.EndPixel());
    }
    // The panel's range is no more than twice what its figures span.
    const double span =
        points.YValues().MaxOfValues() - std::min(0.0, points.YValues().MinOfValues());
    EXPECT_LT(axis.Maximum() - axis.Minimum(), 2 * span + 1);
  }
  EXPECT_EQ(chart.MarkCount(), 0);

  // The main window's value: a vertical line through each panel.
  SweepFiguresChart marked(sweep, 800, 500, 1.0);
  ASSERT_EQ(marked.MarkCount(), 3);
  TBitmap markedBitmap;
  marked.Render(markedBitmap);
  EXPECT_EQ(marked.Chart().Legend().DrawnCount(), 7);
  for (int i = 0; i < 3; ++i) {
    TLineSeries& mark = marked.Mark(i);
    ASSERT_EQ(mark.PointCount(), 2);
    EXPECT_EQ(mark.XValueAt(0), 1.0);
    EXPECT_EQ(mark.XValueAt(1), 1.0);
    EXPECT_EQ(mark.CustomVertAxis(), &marked.PanelAxis(static_cast<SweepFigure>(i)));
  }
}

TEST(AnalysisChartsTest, FiguresChartLeavesOutWhatHasNoFigures) {
  // The feedback sweep crosses into instability below 0: no points for the
  // unstable runs, and the closed-form lines break there.
  const SweepResult sweep = Sweep("feedback=-0.5:1:7", 300);
  SweepFiguresChart chart(sweep, 700, 450);
  TBitmap bitmap;
  chart.Render(bitmap);
  KeepPicture(bitmap, "sweep-figures-unstable.png");
  int unstable = 0;
  for (const RunResult& r : sweep.Runs) unstable += r.Status == RunStatus::Unstable;
  ASSERT_GT(unstable, 0);
  EXPECT_EQ(chart.Points(SweepFigure::Overshoot).PointCount(), 7 - unstable);
  // The lines start at the first stable value: CoefVelocity turns positive
  // where the feedback coefficient passes -friction / (gain motor-coef).
  for (SweepFigure figure :
       {SweepFigure::Overshoot, SweepFigure::StaticError, SweepFigure::Settling}) {
    TLineSeries& line = chart.Line(figure);
    ASSERT_GT(line.PointCount(), 0);
    EXPECT_GT(line.XValueAt(0), -1.6 / 14);
    EXPECT_LT(line.XValueAt(0), -1.6 / 14 + 1.5 / 240);
  }

  // Teeth: the closed form at every whole count across the range.
  const SweepResult teeth = Sweep("teeth=8:48:5", 300);
  SweepFiguresChart byTeeth(teeth, 700, 450);
  EXPECT_EQ(byTeeth.Line(SweepFigure::Settling).PointCount(), 41);
  EXPECT_EQ(byTeeth.Chart().BottomAxis().Title().Caption(), "Number of gear teeth");
  // The overlay names each run as the lab does: by the input that differs.
  const std::vector<StepCurve> byTeethCurves = StepCurvesOf(teeth);
  ASSERT_EQ(byTeethCurves.size(), 5u);
  EXPECT_EQ(byTeethCurves[0].Name, "teeth 8");
  EXPECT_EQ(byTeethCurves[4].Name, "teeth 48");
  byTeeth.Render(bitmap);
  KeepPicture(bitmap, "sweep-figures-teeth.png");
}

}  // namespace
}  // namespace drivesim
