#include "analysis/StepResponseChart.h"

#include <algorithm>
#include <cmath>

#include "analysis/PrintChart.h"
#include "platform/Translate.h"

namespace drivesim {

namespace {

// The legend names at most this many runs.
constexpr int kMaxNamedRuns = 15;
// The setpoint's line: dark grey, dashed.
constexpr TColor kSetpointColor = RGB(64, 64, 64);

// The vertical range: the setpoints and every curve, except a curve that
// goes far beyond the others (a diverging run, ten times the typical size of
// the responses), which is left to leave the chart at its edge.
void VerticalRange(const std::vector<StepCurve>& curves, double& lo, double& hi) {
  std::vector<double> peaks;
  double setpoints = 0;
  for (const StepCurve& c : curves) {
    setpoints = std::max(setpoints, std::abs(c.Setpoint));
    double peak = 0;
    for (double y : *c.Samples) peak = std::max(peak, std::abs(y));
    peaks.push_back(peak);
  }
  std::vector<double> sorted = peaks;
  std::sort(sorted.begin(), sorted.end());
  const double typical = sorted.empty() ? 0 : sorted[(sorted.size() - 1) / 2];
  const double limit = 10 * std::max({typical, setpoints, 1e-9});
  lo = 0;
  hi = 0;
  for (std::size_t i = 0; i < curves.size(); ++i) {
    lo = std::min(lo, curves[i].Setpoint);
    hi = std::max(hi, curves[i].Setpoint);
    if (peaks[i] > limit) continue;
    for (double y : *curves[i].Samples) {
      lo = std::min(lo, y);
      hi = std::max(hi, y);
    }
  }
  if (hi - lo < 1e-9) hi = lo + 1;
  const double room = (hi - lo) * 0.05;
  if (lo < 0) lo -= room;
  hi += room;
}

// Which runs the legend names: all of few, else the first, the last and
// evenly spaced ones between.
bool NamedInLegend(int index, int count) {
  if (count <= kMaxNamedRuns) return true;
  const int stride = (count - 1 + kMaxNamedRuns - 2) / (kMaxNamedRuns - 1);
  return index % stride == 0 || index == count - 1;
}

}  // namespace

double FittedTimeEnd(double recordEnd, const std::vector<std::optional<double>>& settling) {
  double longest = 0;
  for (const std::optional<double>& s : settling) longest = std::max(longest, s.value_or(0));
  if (longest <= 0) return recordEnd;
  return std::min(recordEnd, 1.5 * longest);
}

std::vector<StepCurve> StepCurvesOf(const SweepResult& sweep) {
  std::vector<StepCurve> curves;
  for (std::size_t i = 0; i < sweep.Runs.size(); ++i) {
    const RunRecord& r = sweep.Runs[i].Record;
    const bool decimated = r.Velocity.empty();
    if (decimated && r.CurveVelocity.empty()) continue;
    const double value = i < sweep.Spec.Values.size()
                             ? sweep.Spec.Values[i]
                             : SweptValueOf(r.Inputs, sweep.Spec.Parameter);
    curves.push_back({SweptValueLabel(sweep.Spec.Parameter, value),
                      decimated ? &r.CurveVelocity : &r.Velocity, r.StepSize,
                      static_cast<double>(r.Inputs.Setpoint), decimated ? &r.CurveIndex : nullptr,
                      r.SampleCount, sweep.Runs[i].Measured.Settling2Pct});
  }
  return curves;
}

StepResponseChart::StepResponseChart(const std::vector<StepCurve>& curves, int width, int height)
    : fChart(std::make_unique<TChart>()), fCurveCount(static_cast<int>(curves.size())) {
  TChart& chart = *fChart;
  ConfigurePrintChart(chart, Tr("Charts", "Step responses"), width, height);
  chart.BottomAxis().Title().SetCaption(Tr("Charts", "Time, s"));
  chart.LeftAxis().Title().SetCaption(Tr("Charts", "Velocity, rad/s"));

  double lo = 0;
  double hi = 0;
  VerticalRange(curves, lo, hi);
  chart.LeftAxis().SetRange(lo, hi);
  // Beyond the range a curve only needs to leave the chart.
  const double span = hi - lo;
  const auto clip = [&](double y) { return std::clamp(y, lo - span, hi + span); };

  double end = 0;
  for (const StepCurve& c : curves) {
    const std::size_t n = c.Indices ? c.SampleCount : c.Samples->size();
    if (n > 0) end = std::max(end, static_cast<double>(n - 1) * c.StepSize);
  }

  std::vector<std::optional<double>> settling;
  for (const StepCurve& c : curves) settling.push_back(c.Settling2Pct);
  const double shown = FittedTimeEnd(end, settling);
  if (shown > 0) chart.BottomAxis().SetRange(0, shown);
  SetFineLabels(chart.BottomAxis(), shown);

  const int count = fCurveCount;
  for (int i = 0; i < count; ++i) {
    const StepCurve& c = curves[static_cast<std::size_t>(i)];
    auto s = std::make_unique<TLineSeries>();
    s->SetSeriesColor(SequentialColor(i, count));
    s->SetTitle(c.Name);
    s->SetShowInLegend(NamedInLegend(i, count));
    s->LinePen().SetWidth(2);
    if (c.Indices) {
      for (std::size_t j = 0; j < c.Samples->size(); ++j) {
        s->AddPoint(static_cast<double>((*c.Indices)[j]) * c.StepSize, clip((*c.Samples)[j]), "",
                    clDefault);
      }
    } else {
      for (std::size_t k : CurvePointIndices(*c.Samples, width)) {
        s->AddPoint(static_cast<double>(k) * c.StepSize, clip((*c.Samples)[k]), "", clDefault);
      }
    }
    s->SetParentChart(&chart);
    fSeries.push_back(std::move(s));
  }

  // The setpoint: one dashed grey line when every run has the same one;
  // otherwise each run's dashed in its colour, and a grey item in the legend.
  if (curves.empty()) return;
  bool sameSetpoint = true;
  for (const StepCurve& c : curves) sameSetpoint &= c.Setpoint == curves.front().Setpoint;
  const auto dashed = [&](TColor colour, const std::string& title, bool inLegend) {
    auto s = std::make_unique<TLineSeries>();
    s->SetSeriesColor(colour);
    s->SetTitle(title);
    s->SetShowInLegend(inLegend);
    s->LinePen().SetStyle(psDash);
    fSeries.push_back(std::move(s));
    return fSeries.back().get();
  };
  if (sameSetpoint) {
    TLineSeries* s = dashed(kSetpointColor, Tr("Charts", "Setpoint"), true);
    s->AddPoint(0, curves.front().Setpoint, "", clDefault);
    s->AddPoint(end, curves.front().Setpoint, "", clDefault);
    s->SetParentChart(&chart);
    return;
  }
  for (int i = 0; i < count; ++i) {
    TLineSeries* s = dashed(SequentialColor(i, count), "", false);
    s->AddPoint(0, curves[static_cast<std::size_t>(i)].Setpoint, "", clDefault);
    s->AddPoint(end, curves[static_cast<std::size_t>(i)].Setpoint, "", clDefault);
    s->SetParentChart(&chart);
  }
  dashed(kSetpointColor, Tr("Charts", "Setpoints"), true)->SetParentChart(&chart);
}

void StepResponseChart::Render(TBitmap& bitmap, int scale) { RenderChart(*fChart, bitmap, scale); }

void RenderStepResponses(const std::vector<StepCurve>& curves, TBitmap& bitmap, int width,
                         int height, int scale) {
  StepResponseChart chart(curves, width, height);
  chart.Render(bitmap, scale);
}

}  // namespace drivesim
