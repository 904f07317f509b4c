#include "analysis/ExplorerStepChart.h"

#include <algorithm>
#include <cmath>

#include "analysis/ClosedForm.h"
#include "analysis/ExplorerChartParts.h"
#include "analysis/PrintChart.h"
#include "platform/Translate.h"

namespace drivesim {

ExplorerStepChart::ExplorerStepChart(int width, int height) : fChart(std::make_unique<TChart>()) {
  TChart& chart = *fChart;
  ConfigureExplorerChart(chart, Tr("Charts", "Step response"), width, height);
  chart.BottomAxis().Title().SetCaption(Tr("Charts", "Time, s"));
  chart.LeftAxis().Title().SetCaption(Tr("Charts", "Load velocity, rad/s"));
  fBand = ExplorerRegion(chart, kExplorerBandColor, Tr("Charts", "Final value ±2 %"), rkBand);
  fSetpoint = ExplorerLine(chart, kExplorerDarkGrey, Tr("Charts", "Setpoint"), 1, psDash);
  fSimulated = ExplorerLine(chart, kExplorerVermillion, Tr("Charts", "Simulated run"), 4);
  fClosedForm = ExplorerLine(chart, kExplorerBlue, Tr("Charts", "Closed form"), 2);
  fPeak = ExplorerMarkers(chart, clBlack, Tr("Charts", "Peak"), psDownTriangle, 5);
  fRise = ExplorerMarkers(chart, kExplorerGreen, Tr("Charts", "Rise"), psDiamond, 5);
  fSettling = ExplorerMarkers(chart, clWhite, Tr("Charts", "Settling 2 %"), psCircle, 5);
  for (TSeriesPointer* p : {&fPeak->Pointer(), &fRise->Pointer(), &fSettling->Pointer()}) {
    p->Pen().SetWidth(2);
  }
}

ExplorerStepChart::~ExplorerStepChart() = default;

void ExplorerStepChart::SetBounds(int left, int top, int width, int height) {
  FitExplorerLegend(*fChart, width);
  const bool newWidth = width != fChart->Width();
  fChart->SetBounds(left, top, width, height);
  // The simulated run is thinned to the chart's width: at another width it
  // is thinned anew, so that the curve is the same whatever width it had
  // before.
  if (newWidth && fState) Update(*fState);
}

void ExplorerStepChart::Render(TBitmap& bitmap, int scale) { RenderChart(*fChart, bitmap, scale); }

void ExplorerStepChart::FillSimulated(const RunRecord& record, double clip) {
  TLineSeries& s = *fSimulated;
  s.ClearPoints();
  const std::vector<double>& v = record.Velocity;
  const std::size_t n = v.size();
  if (n == 0) return;
  const double h = record.StepSize;
  const auto add = [&](std::size_t i) {
    s.AddPoint(static_cast<double>(i) * h, std::clamp(v[i], -clip, clip), "", clDefault);
  };
  // Each pixel column needs its lowest and highest sample only, in time
  // order.
  const std::size_t columns = static_cast<std::size_t>(std::max(fChart->Width(), 1));
  if (n <= 2 * columns) {
    for (std::size_t i = 0; i < n; ++i) add(i);
    return;
  }
  add(0);
  for (std::size_t b = 0; b < columns; ++b) {
    const std::size_t begin = std::max<std::size_t>(1, b * (n - 1) / columns);
    const std::size_t end = std::min(n - 1, (b + 1) * (n - 1) / columns);
    if (begin >= end) continue;
    std::size_t low = begin;
    std::size_t high = begin;
    for (std::size_t i = begin; i < end; ++i) {
      if (v[i] < v[low]) low = i;
      if (v[i] > v[high]) high = i;
    }
    add(std::min(low, high));
    if (low != high) add(std::max(low, high));
  }
  add(n - 1);
}

void ExplorerStepChart::Update(const ExplorerState& state) {
  fState = &state;
  const ChartRefresh refresh(*fChart);
  const ExplorerFigures& f = state.Figures();
  for (TChartSeries* s :
       std::initializer_list<TChartSeries*>{fSetpoint.get(), fSimulated.get(), fClosedForm.get(),
                                            fPeak.get(), fRise.get(), fSettling.get()}) {
    s->ClearPoints();
  }
  fBand->SetShowInLegend(false);
  fBand->SetBand(0, 0);
  fPeak->SetShowInLegend(false);
  fRise->SetShowInLegend(false);
  fSettling->SetShowInLegend(false);
  if (!f.Valid) return;

  const RunRecord& record = f.Simulated.Record;
  const double setpoint = state.Inputs().Setpoint;
  const double duration =
      record.Velocity.size() > 1 ? (record.Velocity.size() - 1) * record.StepSize : 0.1;
  const std::optional<double> finalValue = f.Simulated.FinalValue;
  const LoopTransfer& t = f.Transfer;
  const bool stable = LoopIsStable(t.CoefAccel, t.CoefVelocity);
  const bool curve = stable && finalValue && *finalValue != 0 && std::isfinite(*finalValue);

  // The vertical range: zero, the setpoint, the final value and the
  // closed-form peak; a growing run is cut at four times that.
  double lo = std::min(0.0, setpoint);
  double hi = std::max(0.0, setpoint);
  if (curve) {
    const double yInf = *finalValue;
    const double peak = yInf * (1 + (f.ClosedForm.OvershootPct.value_or(0) / 100));
    const double band = std::abs(yInf) * kSettlingBand2Pct;
    lo = std::min({lo, yInf - band, peak});
    hi = std::max({hi, yInf + band, peak});
  }
  if (hi - lo < 1e-9) hi = lo + 1;
  const double clip = 4 * std::max(std::abs(lo), std::abs(hi));
  FillSimulated(record, clip);
  for (int i = 0; i < fSimulated->PointCount(); ++i) {
    lo = std::min(lo, fSimulated->YValues().StoredValueAt(i));
    hi = std::max(hi, fSimulated->YValues().StoredValueAt(i));
  }
  const double room = (hi - lo) * 0.05;
  fChart->LeftAxis().SetRange(lo < 0 ? lo - room : lo, hi + room);
  fChart->BottomAxis().SetRange(0, duration);
  SetFineLabels(fChart->BottomAxis(), duration);

  fSetpoint->AddPoint(0, setpoint, "", clDefault);
  fSetpoint->AddPoint(duration, setpoint, "", clDefault);
  if (!curve) return;

  const double yInf = *finalValue;
  fBand->SetBand(yInf * (1 - kSettlingBand2Pct), yInf * (1 + kSettlingBand2Pct));
  fBand->SetShowInLegend(true);
  const LoopStepResponse response(t.CoefAccel, t.CoefVelocity);
  for (int i = 0; i < kClosedFormCurvePoints; ++i) {
    const double time = duration * i / (kClosedFormCurvePoints - 1);
    fClosedForm->AddPoint(time, yInf * response.At(time), "", clDefault);
  }
  const ClosedFormFigures& c = f.ClosedForm;
  if (c.PeakTime && c.OvershootPct) {
    fPeak->AddPoint(*c.PeakTime, yInf * response.At(*c.PeakTime), "", clDefault);
    fPeak->SetTitle(FillIn(Tr("Charts", "Peak +%1 % at %2 s"),
                           {ShortNumber(*c.OvershootPct), ShortNumber(*c.PeakTime)}));
    fPeak->SetShowInLegend(true);
  }
  if (c.RiseTime) {
    for (double level : {kRiseLowLevel, kRiseHighLevel}) {
      if (const std::optional<double> time = response.TimeToReach(level)) {
        fRise->AddPoint(*time, yInf * level, "", clDefault);
      }
    }
    fRise->SetTitle(FillIn(Tr("Charts", "Rise 10-90 %: %1 s"), {ShortNumber(*c.RiseTime)}));
    fRise->SetShowInLegend(true);
  }
  if (c.Settling2Pct) {
    fSettling->AddPoint(*c.Settling2Pct, yInf * response.At(*c.Settling2Pct), "", clDefault);
    fSettling->SetTitle(FillIn(Tr("Charts", "Settling 2 %: %1 s"), {ShortNumber(*c.Settling2Pct)}));
    fSettling->SetShowInLegend(true);
  }
}

}  // namespace drivesim
