#include "lab/LabResponseChart.h"

#include <algorithm>
#include <cmath>

#include "analysis/PrintChart.h"
#include "analysis/StepResponseChart.h"
#include "analysis/WindowRun.h"
#include "platform/Translate.h"
#include "sim/TimeHistory.h"

namespace drivesim {

namespace {

// The legend names at most this many runs: the current one, then the first,
// the last and evenly spaced kept ones.
constexpr int kMaxNamedRuns = 15;
// The setpoints' dashed lines.
constexpr TColor kSetpointColor = RGB(64, 64, 64);
// The +-2 % band around the current run's final value: light, behind the
// curves.
constexpr TColor kBandColor = RGB(222, 232, 242);
constexpr double kBandShare = 0.02;
// Beyond this a diverging curve only needs to leave the chart, rad/s.
constexpr double kClip = 1e6;

double Clip(double y) { return std::clamp(y, -kClip, kClip); }

bool NamedInLegend(int index, int count) {
  constexpr int named = kMaxNamedRuns - 1;  // the current run has its own
  if (count <= named) return true;
  const int stride = (count - 1 + named - 2) / (named - 1);
  return index % stride == 0 || index == count - 1;
}

std::unique_ptr<TLineSeries> CurveSeries(TColor colour, const std::string& title, int width) {
  auto s = std::make_unique<TLineSeries>();
  s->SetSeriesColor(colour);
  s->SetTitle(title);
  s->LinePen().SetWidth(width);
  return s;
}

// Fills a series with every sample of a curve; the line series draws a
// curve of many samples per pixel column by its columns' extremes.
void FillCurve(TLineSeries& series, const std::vector<double>& curve, double step) {
  std::vector<double> times(curve.size());
  std::vector<double> values(curve.size());
  for (std::size_t k = 0; k < curve.size(); ++k) {
    times[k] = static_cast<double>(k) * step;
    values[k] = Clip(curve[k]);
  }
  series.SetPoints(times, values, clDefault);
}

// Holds the chart's repaint requests back while many points change at once,
// and asks for one repaint at the end.
class BulkChange {
 public:
  explicit BulkChange(TChart& chart) : fChart(chart), fWas(chart.RepaintOnChange()) {
    fChart.SetRepaintOnChange(false);
  }
  ~BulkChange() {
    fChart.SetRepaintOnChange(fWas);
    fChart.RequestRepaint();
  }
  BulkChange(const BulkChange&) = delete;
  BulkChange& operator=(const BulkChange&) = delete;

 private:
  TChart& fChart;
  bool fWas;
};

}  // namespace

LabResponseChart::LabResponseChart(int width, int height) : fChart(std::make_unique<TChart>()) {
  TChart& chart = *fChart;
  ConfigurePrintChart(chart, Tr("Charts", "Step responses"), width, height);
  chart.BottomAxis().Title().SetCaption(Tr("Charts", "Time, s"));
  chart.LeftAxis().Title().SetCaption(Tr("Charts", "Velocity, rad/s"));
  fBand = std::make_unique<TRegionSeries>();
  fBand->SetKind(rkBand);
  fBand->SetSeriesColor(kBandColor);
  fBand->SetTitle(Tr("Charts", "±2 % band"));
  fBand->SetActive(false);
  fBand->SetShowInLegend(false);
  fBand->SetParentChart(&chart);
  fCurrent = CurveSeries(kCurrentRunColor, Tr("Charts", "Current run"), kCurrentRunWidth);
  fCurrent->SetParentChart(&chart);
  // Zoom, panning and undo as on the oscilloscope; the view the user chose
  // stays until undone, then the ranges follow the runs again. A click on a
  // legend row hides or shows its curve.
  chart.Readout().SetVisible(true);
  chart.Legend().SetToggleOnClick(true);
  chart.OnZoom = [this](TCustomChartPanel&) { fUserView = true; };
  chart.OnScroll = [this](TCustomChartPanel&) { fUserView = true; };
  chart.OnUndoZoom = [this](TCustomChartPanel&) {
    fUserView = false;
    UpdateRanges();
  };
  UpdateRanges();
}

LabResponseChart::~LabResponseChart() = default;

void LabResponseChart::SetBounds(int left, int top, int width, int height) {
  fChart->SetBounds(left, top, width, height);
}

void LabResponseChart::SetKept(const std::vector<LabRun>& kept) {
  const BulkChange bulk(*fChart);
  fKeptRuns = &kept;
  RebuildKept();
  UpdateSetpoints();
  UpdateRanges();
}

void LabResponseChart::RebuildKept() {
  fKept.clear();
  fKeptPeaks.clear();
  fKeptEnd = 0;
  fKeptSettling = 0;
  if (!fKeptRuns) return;
  const int count = static_cast<int>(fKeptRuns->size());
  for (int i = 0; i < count; ++i) {
    const LabRun& run = (*fKeptRuns)[static_cast<std::size_t>(i)];
    auto s = CurveSeries(run.Colour, run.Name, 1);
    s->SetShowInLegend(NamedInLegend(i, count));
    FillCurve(*s, run.Curve, run.CurveStep);
    s->SetParentChart(fChart.get());
    fKept.push_back(std::move(s));
    double peak = 0;
    for (double y : run.Curve) peak = std::max(peak, std::abs(y));
    fKeptPeaks.push_back(peak);
    fKeptSettling = std::max(fKeptSettling, run.Result.Measured.Settling2Pct.value_or(0));
    if (!run.Curve.empty()) {
      fKeptEnd = std::max(fKeptEnd, static_cast<double>(run.Curve.size() - 1) * run.CurveStep);
    }
  }
  // The current run stays in front of the kept ones.
  fCurrent->SetParentChart(nullptr);
  fCurrent->SetParentChart(fChart.get());
}

void LabResponseChart::RebuildCurrent(const WindowRun& run) {
  const std::vector<double> curve = run.CurrentCurve();
  FillCurve(*fCurrent, curve, fCurrentStep);
  fCurrentPeak = 0;
  fCurrentLow = 0;
  fCurrentHigh = 0;
  for (double y : curve) {
    fCurrentPeak = std::max(fCurrentPeak, std::abs(y));
    fCurrentLow = std::min(fCurrentLow, y);
    fCurrentHigh = std::max(fCurrentHigh, y);
  }
  fCurrentEnd = run.CurrentEnd();
}

void LabResponseChart::FollowCurrent(const WindowRun& run) {
  const BulkChange bulk(*fChart);
  fRun = &run;
  const LiveRun& live = run.Current();
  const bool has = live.State() != LiveRunState::Waiting;
  if (run.RunNumber() != fRunNumber || has != fHasCurrent) {
    fRunNumber = run.RunNumber();
    fHasCurrent = has;
    fCurrentFirst = static_cast<std::size_t>(std::max<std::int64_t>(live.FirstTick(), 0));
    fCurrentStep = live.StepSize() * StepsPerTick;
    fCurrentSetpoint = live.Inputs().Setpoint;
    if (has) {
      RebuildCurrent(run);
    } else {
      fCurrent->ClearPoints();
      fCurrentPeak = fCurrentLow = fCurrentHigh = 0;
      fCurrentEnd = 0;
    }
    UpdateSetpoints();
    UpdateRanges();
    return;
  }
  const std::size_t end = run.CurrentEnd();
  if (end <= fCurrentEnd) return;
  const TickLog& log = run.Log();
  for (std::size_t i = fCurrentEnd; i < end; ++i) {
    const double y = log[i].LoadVelocity;
    fCurrent->AddPoint(static_cast<double>(i + 1 - fCurrentFirst) * fCurrentStep, Clip(y), "",
                       clDefault);
    fCurrentPeak = std::max(fCurrentPeak, std::abs(y));
    fCurrentLow = std::min(fCurrentLow, y);
    fCurrentHigh = std::max(fCurrentHigh, y);
  }
  fCurrentEnd = end;
  UpdateSetpoints();
  UpdateRanges();
}

void LabResponseChart::UpdateSetpoints() {
  // One dashed line per setpoint among the runs shown, across the chart;
  // the legend names the first.
  std::vector<double> setpoints;
  if (fHasCurrent) setpoints.push_back(fCurrentSetpoint);
  if (fKeptRuns) {
    for (const LabRun& r : *fKeptRuns) setpoints.push_back(r.Result.Record.Inputs.Setpoint);
  }
  std::sort(setpoints.begin(), setpoints.end());
  setpoints.erase(std::unique(setpoints.begin(), setpoints.end()), setpoints.end());
  const double end = std::max(
      fKeptEnd, fHasCurrent ? static_cast<double>(fCurrentEnd - fCurrentFirst) * fCurrentStep : 0);
  if (fSetpoints.size() != setpoints.size()) {
    fSetpoints.clear();
    for (std::size_t i = 0; i < setpoints.size(); ++i) {
      auto s = CurveSeries(kSetpointColor, i == 0 ? Tr("Charts", "Setpoint") : "", 1);
      s->LinePen().SetStyle(psDash);
      s->SetShowInLegend(i == 0);
      s->SetParentChart(fChart.get());
      fSetpoints.push_back(std::move(s));
    }
  }
  for (std::size_t i = 0; i < setpoints.size(); ++i) {
    TLineSeries& s = *fSetpoints[i];
    if (s.PointCount() == 2 && s.YValueAt(0) == setpoints[i] && s.XValueAt(1) == end) continue;
    s.ClearPoints();
    s.AddPoint(0, setpoints[i], "", clDefault);
    s.AddPoint(end, setpoints[i], "", clDefault);
  }
}

double LabResponseChart::FittedEnd() const {
  const double record = std::max(
      {fKeptEnd, fHasCurrent ? static_cast<double>(fCurrentEnd - fCurrentFirst) * fCurrentStep : 0,
       0.001});
  std::vector<std::optional<double>> settling = {fKeptSettling > 0 ? std::optional(fKeptSettling)
                                                                   : std::nullopt};
  if (fHasCurrent && fRun) settling.push_back(fRun->Current().Measured().Settling2Pct);
  return FittedTimeEnd(record, settling);
}

void LabResponseChart::UpdateRanges() {
  // The band of the current run's final value.
  const std::optional<double> final =
      fHasCurrent && fRun ? fRun->Current().FinalValue() : std::nullopt;
  if (final && std::isfinite(*final)) {
    fBand->SetBand(*final * (1 - kBandShare), *final * (1 + kBandShare));
  }
  // A band the student hid in the legend stays hidden, through later ticks
  // and later runs, until it is shown again there.
  const bool band = final && std::isfinite(*final);
  if (band != fBand->ShowInLegend()) {
    if (!band) fBandWanted = fBand->Active();
    fBand->SetActive(band && fBandWanted);
    fBand->SetShowInLegend(band);
  }
  if (fUserView) return;
  // The vertical range takes in the setpoints and every curve but one that
  // grows to ten times the typical size (a diverging run), which leaves the
  // chart at its edge instead of flattening the others.
  std::vector<double> peaks = fKeptPeaks;
  if (fHasCurrent) peaks.push_back(fCurrentPeak);
  std::vector<double> sorted = peaks;
  std::sort(sorted.begin(), sorted.end());
  double setpointPeak = 0;
  double lo = 0;
  double hi = 0;
  for (const auto& s : fSetpoints) {
    if (s->PointCount() == 0) continue;
    const double sp = s->YValueAt(0);
    setpointPeak = std::max(setpointPeak, std::abs(sp));
    lo = std::min(lo, sp);
    hi = std::max(hi, sp);
  }
  const double typical = sorted.empty() ? 0 : sorted[(sorted.size() - 1) / 2];
  const double limit = 10 * std::max({typical, setpointPeak, 1e-9});
  if (fHasCurrent && fCurrentPeak <= limit) {
    lo = std::min(lo, fCurrentLow);
    hi = std::max(hi, fCurrentHigh);
  }
  if (fKeptRuns) {
    for (std::size_t i = 0; i < fKept.size(); ++i) {
      if (fKeptPeaks[i] > limit) continue;
      const TLineSeries& s = *fKept[i];
      if (s.PointCount() == 0) continue;
      lo = std::min(lo, s.YValues().MinOfValues());
      hi = std::max(hi, s.YValues().MaxOfValues());
    }
  }
  if (hi - lo < 1e-9) hi = lo + 1;
  const double room = (hi - lo) * 0.05;
  if (lo < 0) lo -= room;
  hi += room;
  fChart->LeftAxis().SetRange(lo, hi);

  const double end = FittedEnd();
  fChart->BottomAxis().SetRange(0, end);
  SetFineLabels(fChart->BottomAxis(), end);
}

}  // namespace drivesim
