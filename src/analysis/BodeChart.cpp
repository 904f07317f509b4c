#include "analysis/BodeChart.h"

#include <algorithm>
#include <cmath>

#include "analysis/ClosedForm.h"
#include "analysis/ExplorerChartParts.h"
#include "analysis/FrequencyResponse.h"
#include "analysis/PrintChart.h"
#include "platform/Translate.h"

namespace drivesim {

namespace {

// The magnitude panel shows at most this many dB below its top.
constexpr double kMagnitudeDepthDb = 120;

}  // namespace

BodeChart::BodeChart(int width, int height) : fChart(std::make_unique<TChart>()) {
  TChart& chart = *fChart;
  ConfigureExplorerChart(chart, Tr("Charts", "Frequency response"), width, height);
  TChartAxis& x = chart.BottomAxis();
  x.SetLogarithmic(true);
  x.Title().SetCaption(Tr("Charts", "Frequency ω, rad/s"));
  x.SetAxisValuesFormat("#,##0.###");
  TChartAxis& mag = chart.LeftAxis();
  mag.SetStartPosition(0);
  mag.SetEndPosition(kBodeMagnitudeEnd);
  mag.Title().SetCaption(Tr("Charts", "Magnitude, dB"));
  mag.SetIncrement(20);
  TChartAxis& phase = chart.RightAxis();
  phase.SetStartPosition(kBodePhaseStart);
  phase.SetEndPosition(100);
  phase.Title().SetCaption(Tr("Charts", "Phase, °"));
  phase.SetIncrement(45);

  const auto onPhase = [](TChartSeries& s) { s.SetVertAxis(aRightAxis); };
  fZeroDb = ExplorerLine(chart, kExplorerDarkGrey, "", 1, psDot);
  fZeroDb->SetShowInLegend(false);
  fMinus180 = ExplorerLine(chart, kExplorerDarkGrey, "", 1, psDot);
  fMinus180->SetShowInLegend(false);
  onPhase(*fMinus180);
  fCrossoverLine = ExplorerLine(chart, kExplorerBlue, "", 1, psDash);
  fCrossoverLine->SetShowInLegend(false);
  fCrossoverPhaseLine = ExplorerLine(chart, kExplorerBlue, "", 1, psDash);
  fCrossoverPhaseLine->SetShowInLegend(false);
  onPhase(*fCrossoverPhaseLine);
  fMarginSegment = ExplorerLine(chart, kExplorerGreen, "", 4);
  fMarginSegment->SetShowInLegend(false);
  onPhase(*fMarginSegment);
  fOpenMagnitude = ExplorerLine(chart, kExplorerBlue, Tr("Charts", "Open loop |L(jω)|"), 2);
  fClosedMagnitude =
      ExplorerLine(chart, kExplorerVermillion, Tr("Charts", "Closed loop |T(jω)|"), 2);
  fOpenPhase =
      ExplorerLine(chart, kExplorerBlue, Tr("Charts", "Open loop phase ∠L(jω)"), 2, psSolid);
  onPhase(*fOpenPhase);
  fCrossover = ExplorerMarkers(chart, clWhite, Tr("Charts", "Crossover"), psCircle, 5);
  fBandwidth = ExplorerMarkers(chart, kExplorerVermillion, Tr("Charts", "Bandwidth"), psDiamond, 5);
  fResonance = ExplorerMarkers(chart, kExplorerVermillion, Tr("Charts", "Resonance peak"),
                               psDownTriangle, 5);
  fMarginPoint =
      ExplorerMarkers(chart, kExplorerGreen, Tr("Charts", "Phase margin"), psRectangle, 5);
  onPhase(*fMarginPoint);
  for (TPointSeries* s : {fCrossover.get(), fBandwidth.get(), fResonance.get(), fMarginPoint.get()})
    s->Pointer().Pen().SetWidth(2);
}

BodeChart::~BodeChart() = default;

void BodeChart::SetBounds(int left, int top, int width, int height) {
  FitExplorerLegend(*fChart, width);
  fChart->SetBounds(left, top, width, height);
}

void BodeChart::Render(TBitmap& bitmap, int scale) { RenderChart(*fChart, bitmap, scale); }

void BodeChart::Update(const ExplorerState& state) {
  const ChartRefresh refresh(*fChart);
  for (TChartSeries* s : std::initializer_list<TChartSeries*>{
           fZeroDb.get(), fMinus180.get(), fCrossoverLine.get(), fCrossoverPhaseLine.get(),
           fMarginSegment.get(), fOpenMagnitude.get(), fClosedMagnitude.get(), fOpenPhase.get(),
           fCrossover.get(), fBandwidth.get(), fResonance.get(), fMarginPoint.get()}) {
    s->ClearPoints();
  }
  for (TPointSeries* s :
       {fCrossover.get(), fBandwidth.get(), fResonance.get(), fMarginPoint.get()}) {
    s->SetShowInLegend(false);
  }
  const ExplorerFigures& f = state.Figures();
  if (!f.Valid) return;
  const LoopTransfer& t = f.Transfer;
  const FrequencyFigures& ff = f.Frequency;

  auto [from, to] = FrequencyChartRange(t);
  from = std::pow(10.0, std::floor(std::log10(from)));
  to = std::pow(10.0, std::ceil(std::log10(to)));
  fChart->BottomAxis().SetRange(from, to);

  const bool closed = LoopIsStable(t.CoefAccel, t.CoefVelocity);
  double magHi = -1e300;
  double phaseLo = 0;
  double phaseHi = 0;
  const double ratio = std::log(to / from) / (kBodeCurvePoints - 1);
  for (int i = 0; i < kBodeCurvePoints; ++i) {
    const double w = i == kBodeCurvePoints - 1 ? to : from * std::exp(ratio * i);
    const FrequencyPoint p = EvaluateFrequency(t, w);
    const double open = Decibels(p.OpenMagnitude);
    fOpenMagnitude->AddPoint(w, open, "", clDefault);
    fOpenPhase->AddPoint(w, p.OpenPhaseDeg, "", clDefault);
    if (std::isfinite(open)) magHi = std::max(magHi, open);
    phaseLo = std::min(phaseLo, p.OpenPhaseDeg);
    phaseHi = std::max(phaseHi, p.OpenPhaseDeg);
    if (closed) {
      const double db = Decibels(p.ClosedMagnitude);
      fClosedMagnitude->AddPoint(w, db, "", clDefault);
      if (std::isfinite(db)) magHi = std::max(magHi, db);
    }
  }
  if (!(magHi > -1e300)) magHi = 0;
  magHi = std::max(magHi, 0.0);
  const double top = 20 * std::ceil((magHi + 5) / 20);
  const double bottom = top - kMagnitudeDepthDb;
  fChart->LeftAxis().SetRange(bottom, top);
  // The magnitudes end at the panel's bottom: the first point below it is
  // put there, the others are not drawn.
  for (TLineSeries* s : {fOpenMagnitude.get(), fClosedMagnitude.get()}) {
    TChartValueList& y = s->YValues();
    bool below = false;
    for (int i = 0; i < s->PointCount(); ++i) {
      if (!(y.StoredValueAt(i) < bottom)) {
        below = false;
        continue;
      }
      y.SetValueAt(i, bottom);
      if (below) s->SetPointColor(i, clNone);
      below = true;
    }
  }
  const double pLo = std::min(-180.0, 45 * std::floor(phaseLo / 45)) - 10;
  const double pHi = std::max(0.0, 45 * std::ceil(phaseHi / 45)) + 10;
  fChart->RightAxis().SetRange(pLo, pHi);
  SetSegment(*fZeroDb, from, 0, to, 0);
  SetSegment(*fMinus180, from, -180, to, -180);

  if (ff.CrossoverFreq) {
    const double wc = *ff.CrossoverFreq;
    SetSegment(*fCrossoverLine, wc, bottom, wc, top);
    SetSegment(*fCrossoverPhaseLine, wc, pLo, wc, pHi);
    fCrossover->AddPoint(wc, 0, "", clDefault);
    fCrossover->SetTitle(FillIn(Tr("Charts", "Crossover ωc = %1 rad/s"), {ShortNumber(wc)}));
    fCrossover->SetShowInLegend(true);
    if (ff.PhaseMarginDeg) {
      const double phase = *ff.PhaseMarginDeg - 180;
      SetSegment(*fMarginSegment, wc, -180, wc, phase);
      fMarginPoint->AddPoint(wc, phase, "", clDefault);
      fMarginPoint->SetTitle(
          FillIn(Tr("Charts", "Phase margin %1°"), {ShortNumber(*ff.PhaseMarginDeg)}));
      fMarginPoint->SetShowInLegend(true);
    }
  }
  if (closed && ff.Bandwidth) {
    const double t0 = Decibels(EvaluateFrequency(t, 0).ClosedMagnitude);
    fBandwidth->AddPoint(*ff.Bandwidth, t0 + Decibels(1 / std::sqrt(2.0)), "", clDefault);
    fBandwidth->SetTitle(
        FillIn(Tr("Charts", "Bandwidth ωb = %1 rad/s"), {ShortNumber(*ff.Bandwidth)}));
    fBandwidth->SetShowInLegend(true);
  }
  if (closed && ff.ResonanceFreq && ff.ResonancePeakDb) {
    const double wr = *ff.ResonanceFreq;
    fResonance->AddPoint(wr, Decibels(EvaluateFrequency(t, wr).ClosedMagnitude), "", clDefault);
    fResonance->SetTitle(FillIn(Tr("Charts", "Resonance peak +%1 dB at %2 rad/s"),
                                {ShortNumber(*ff.ResonancePeakDb), ShortNumber(wr)}));
    fResonance->SetShowInLegend(true);
  }
}

void RenderBode(const ExplorerState& state, TBitmap& bitmap, int width, int height, int scale) {
  BodeChart chart(width, height);
  chart.Update(state);
  chart.Render(bitmap, scale);
}

}  // namespace drivesim
