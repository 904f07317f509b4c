#include "analysis/SweepFiguresChart.h"

#include <algorithm>
#include <cmath>

#include "analysis/PrintChart.h"
#include "chart/Series.h"
#include "platform/Translate.h"
#include "sim/DriveModel.h"

namespace drivesim {

namespace {

// One figure drawn on the chart: measured points and a closed-form line in
// one colour.
struct Quantity {
  const char* Title;
  TColor Color;
  TSeriesPointerStyle Marker;
  double Scale;  // from the figure's unit to the axis'
  std::optional<double> (*Measured)(const RunResult&);
  std::optional<double> (*ClosedForm)(const ClosedFormPoint&);
};

const Quantity kQuantities[] = {
    {TR_NOOP("Charts", "Overshoot, %"), RGB(200, 30, 30), psCircle, 1,
     [](const RunResult& r) { return r.Measured.OvershootPct; },
     [](const ClosedFormPoint& p) { return p.OvershootPct; }},
    {TR_NOOP("Charts", "Static error, %"), RGB(30, 80, 200), psRectangle, 1,
     [](const RunResult& r) { return r.Measured.StaticErrorPct; },
     [](const ClosedFormPoint& p) { return p.StaticErrorPct; }},
    {TR_NOOP("Charts", "Settling 2 %, ms"), RGB(20, 130, 60), psTriangle, 1000,
     [](const RunResult& r) { return r.Measured.Settling2Pct; },
     [](const ClosedFormPoint& p) { return p.Settling2Pct; }},
};

// The panels from the top, in percent of the chart rectangle's height.
constexpr double kPanelTop[] = {0, 35, 70};
constexpr double kPanelHeight = 30;
// Pixels the panels' labels and titles take left of the chart rectangle.
constexpr int kPanelLabelsRoom = 80;
// The main window's value of the swept input.
constexpr TColor kCurrentValueColor = RGB(40, 40, 40);

bool IsWholeParameter(SweepParameter p) {
  return p == SweepParameter::Teeth || p == SweepParameter::Setpoint;
}

}  // namespace

std::vector<ClosedFormPoint> ClosedFormLine(const SweepResult& sweep) {
  std::vector<ClosedFormPoint> line;
  if (sweep.Runs.empty() || sweep.Spec.Values.empty()) return line;
  const SweepParameter parameter = sweep.Spec.Parameter;
  const DriveInputs& base = sweep.Runs.front().Record.Inputs;
  const auto [lo, hi] = std::minmax_element(sweep.Spec.Values.begin(), sweep.Spec.Values.end());

  std::vector<double> values;
  if (IsWholeParameter(parameter)) {
    for (double v = std::round(*lo); v <= *hi; v += 1) values.push_back(v);
  } else if (*lo == *hi) {
    values.push_back(*lo);
  } else {
    for (int k = 0; k < kClosedFormLinePoints; ++k) {
      values.push_back(*lo + (*hi - *lo) * k / (kClosedFormLinePoints - 1));
    }
  }

  for (double v : values) {
    ClosedFormPoint point;
    point.Value = v;
    const DriveInputs inputs = WithSweptValue(base, parameter, v);
    DriveModel scratch;
    scratch.StepSize = kModelStepSize;
    try {
      EnterInputs(scratch, inputs);
    } catch (const Exception&) {
      // "Process" refuses these inputs: the lines break here.
      line.push_back(point);
      continue;
    }
    const double setpoint = scratch.Setpoint;
    const ClosedFormFigures f =
        ComputeClosedForm(scratch.CoefInput, scratch.CoefAccel, scratch.CoefVelocity, setpoint);
    point.OvershootPct = f.OvershootPct;
    point.Settling2Pct = f.Settling2Pct;
    const std::optional<double> final =
        LoopFinalValue(scratch.CoefInput, scratch.CoefVelocity, setpoint);
    if (f.NaturalFreq && final && setpoint != 0) {
      point.StaticErrorPct = 100 * (setpoint - *final) / setpoint;
    }
    line.push_back(point);
  }
  return line;
}

SweepFiguresChart::SweepFiguresChart(const SweepResult& sweep, int width, int height,
                                     std::optional<double> current)
    : fChart(std::make_unique<TChart>()) {
  TChart& chart = *fChart;
  ConfigurePrintChart(chart, Tr("Charts", "Step response figures"), width, height);
  chart.BottomAxis().Title().SetCaption(
      TrMarked("Sweep", SweepParameterCaption(sweep.Spec.Parameter)));
  // The built-in vertical axes give way to the three panels' own.
  chart.LeftAxis().SetVisible(false);
  chart.RightAxis().SetVisible(false);
  // Room on the left for the panels' labels and titles, which the chart
  // does not reserve for axes of its own.
  chart.SetMarginLeft(std::clamp((kPanelLabelsRoom * 100 + width - 1) / std::max(width, 1), 3, 40));
  if (!sweep.Spec.Values.empty()) {
    const auto [lo, hi] = std::minmax_element(sweep.Spec.Values.begin(), sweep.Spec.Values.end());
    SetFineLabels(chart.BottomAxis(), *hi - *lo);
  }

  // The measured figures of the runs that neither diverged nor ran an
  // unstable loop, as (swept value, figure in the panel's unit).
  using Points = std::vector<std::pair<double, double>>;
  std::vector<Points> measured;
  for (const Quantity& q : kQuantities) {
    Points& points = measured.emplace_back();
    for (std::size_t i = 0; i < sweep.Runs.size() && i < sweep.Spec.Values.size(); ++i) {
      const RunResult& run = sweep.Runs[i];
      if (!run.Finished || run.Status == RunStatus::Diverged || run.Status == RunStatus::Unstable) {
        continue;
      }
      if (const std::optional<double> v = q.Measured(run)) {
        points.emplace_back(sweep.Spec.Values[i], *v * q.Scale);
      }
    }
  }
  const std::vector<ClosedFormPoint> line = ClosedFormLine(sweep);

  // Each panel spans what was measured in it (the closed form where nothing
  // was): near the edge of stability the closed-form figures grow without
  // bound, and those parts of the lines leave the panel.
  struct Range {
    double Lo = 0;
    double Hi = 0;
    bool Known = false;
    void Take(double v) {
      Lo = Known ? std::min(Lo, v) : v;
      Hi = Known ? std::max(Hi, v) : v;
      Known = true;
    }
  };
  std::vector<std::pair<double, double>> spans;  // each panel's range
  for (std::size_t k = 0; k < std::size(kQuantities); ++k) {
    const Quantity& q = kQuantities[k];
    Range r;
    for (const auto& [x, y] : measured[k]) r.Take(y);
    if (!r.Known) {
      for (const ClosedFormPoint& p : line) {
        if (const std::optional<double> v = q.ClosedForm(p)) r.Take(*v * q.Scale);
      }
    }
    // Overshoot and static error are read against 0.
    if (r.Known && k != static_cast<std::size_t>(SweepFigure::Settling)) r.Take(0);
    if (r.Known) {
      double span = r.Hi - r.Lo;
      if (span == 0) span = std::max(1.0, std::abs(r.Hi) / 10);
      r.Lo -= span * 0.08;
      r.Hi += span * 0.08;
    }

    // The panel: its own vertical axis over a third of the chart's height,
    // top to bottom, a gap between panels.
    TChartAxis& axis = chart.AddAxis(false, false);
    const double top = kPanelTop[k];
    axis.SetStartPosition(top);
    axis.SetEndPosition(top + kPanelHeight);
    axis.Title().SetCaption(TrMarked("Charts", q.Title));
    axis.Title().SetAngle(90);
    for (TFont* font : {&axis.Title().Font(), &axis.LabelsFont()}) {
      font->SetName("Arial");
      font->SetHeight(-12);
      font->SetColor(clBlack);
    }
    axis.Grid().SetColor(chart.BottomAxis().Grid().Color());
    axis.Grid().SetVisible(true);
    if (r.Known) axis.SetRange(r.Lo, r.Hi);
    fAxes.push_back(&axis);
    spans.emplace_back(r.Lo, r.Hi);

    auto points = std::make_unique<TLineSeries>();
    points->SetSeriesColor(q.Color);
    points->SetTitle(FillIn(Tr("Charts", "%1 measured"), {TrMarked("Charts", q.Title)}));
    points->SetVertAxis(aCustomVertAxis);
    points->SetCustomVertAxis(&axis);
    points->SetDrawsLine(false);
    points->Pointer().SetVisible(true);
    points->Pointer().SetStyle(q.Marker);
    for (const auto& [x, y] : measured[k]) points->AddPoint(x, y, "", clDefault);
    points->SetParentChart(&chart);
    fSeries.push_back(std::move(points));

    // The closed form: a null point (drawn nowhere, at the last height so
    // that it leaves the axis range alone) wherever the figure is absent;
    // beyond the panel's range a line only needs to leave it.
    const double span = r.Hi - r.Lo;
    const auto clip = [&](double y) {
      return r.Known ? std::clamp(y, r.Lo - span, r.Hi + span) : y;
    };
    auto curve = std::make_unique<TLineSeries>();
    curve->SetSeriesColor(q.Color);
    curve->SetTitle(Tr("Charts", "closed form"));
    curve->SetVertAxis(aCustomVertAxis);
    curve->SetCustomVertAxis(&axis);
    std::optional<double> last;
    for (const ClosedFormPoint& p : line) {
      if (const std::optional<double> v = q.ClosedForm(p)) {
        last = clip(*v * q.Scale);
        curve->AddPoint(p.Value, *last, "", clDefault);
      } else if (last) {
        curve->AddPoint(p.Value, *last, "", clNone);
      }
    }
    curve->SetParentChart(&chart);
    fSeries.push_back(std::move(curve));
  }

  // The main window's value of the swept input: a vertical line through
  // every panel, named once in the legend.
  if (!current) return;
  for (std::size_t k = 0; k < fAxes.size(); ++k) {
    auto mark = std::make_unique<TLineSeries>();
    mark->SetSeriesColor(kCurrentValueColor);
    mark->SetTitle(k == 0 ? Tr("Charts", "main window") : std::string());
    mark->SetShowInLegend(k == 0);
    mark->LinePen().SetStyle(psDash);
    mark->SetVertAxis(aCustomVertAxis);
    mark->SetCustomVertAxis(fAxes[k]);
    const auto [lo, hi] = spans[k];
    mark->AddPoint(*current, lo, "", clDefault);
    mark->AddPoint(*current, hi, "", clDefault);
    mark->SetParentChart(&chart);
    fMarks.push_back(std::move(mark));
  }
}

void SweepFiguresChart::Render(TBitmap& bitmap, int scale) { RenderChart(*fChart, bitmap, scale); }

void RenderSweepFigures(const SweepResult& sweep, TBitmap& bitmap, int width, int height, int scale,
                        std::optional<double> current) {
  SweepFiguresChart chart(sweep, width, height, current);
  chart.Render(bitmap, scale);
}

}  // namespace drivesim
