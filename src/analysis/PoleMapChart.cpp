#include "analysis/PoleMapChart.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "analysis/ExplorerChartParts.h"
#include "analysis/PrintChart.h"
#include "platform/Translate.h"

namespace drivesim {

namespace {

// Where on its half circle a natural frequency is written, degrees from the
// positive real axis.
constexpr double kCircleLabelAngle = 165;

// A round number (1, 2 or 5 times a power of ten) not above x > 0.
double RoundStepBelow(double x) {
  const double power = std::pow(10.0, std::floor(std::log10(x)));
  const double m = x / power;
  return (m >= 5 ? 5 : m >= 2 ? 2 : 1) * power;
}

std::string PoleText(const LoopPoles& p) {
  if (p.Pole1.imag() != 0) {
    return ShortNumber(p.Pole1.real()) + " ± j" + ShortNumber(std::abs(p.Pole1.imag()));
  }
  return ShortNumber(p.Pole1.real()) + ", " + ShortNumber(p.Pole2.real());
}

double Distance(std::complex<double> pole, double sigma, double omega) {
  return std::hypot(pole.real() - sigma, pole.imag() - omega);
}

}  // namespace

double DampingForOvershoot(double overshootPct) {
  if (!(overshootPct > 0)) return 1;
  if (!(overshootPct < 100)) return 0;
  const double l = std::log(overshootPct / 100);
  return -l / std::sqrt(std::numbers::pi * std::numbers::pi + l * l);
}

double FeedbackForPolePosition(const ExplorerState& state, double sigma, double omega) {
  const FeedbackLoop* loop = state.Loop();
  if (!loop || loop->CoefInput() == 0 || !std::isfinite(loop->CoefInput())) return state.Feedback();
  const double a = loop->CoefAccel();
  const double c = loop->CoefInput();
  const double b0 = loop->OpenVelocity();
  const double meeting = -a / 2;
  const auto clamp = [&](double k) {
    return std::isfinite(k) ? std::clamp(k, state.RangeFrom(), state.RangeTo()) : state.Feedback();
  };
  // Complex poles: CoefVelocity = meeting^2 + omega^2. Real poles: a pole at
  // sigma, CoefVelocity = -sigma^2 - a sigma.
  const double complexK = clamp((meeting * meeting + omega * omega - b0) / c);
  const double realK = clamp((-sigma * sigma - a * sigma - b0) / c);
  const auto miss = [&](double k) {
    const LoopPoles p = ComputePoles(a, loop->CoefVelocity(k));
    return std::min(Distance(p.Pole1, sigma, omega), Distance(p.Pole2, sigma, omega));
  };
  return miss(realK) < miss(complexK) ? realK : complexK;
}

PoleMapChart::PoleMapChart(int width, int height) : fChart(std::make_unique<TChart>()) {
  TChart& chart = *fChart;
  ConfigureExplorerChart(chart, Tr("Charts", "Poles"), width, height);
  chart.BottomAxis().Title().SetCaption(Tr("Charts", "σ, 1/s"));
  chart.LeftAxis().Title().SetCaption(Tr("Charts", "jω, rad/s"));
  chart.BottomAxis().Grid().SetVisible(false);
  chart.LeftAxis().Grid().SetVisible(false);
  fAllowed = ExplorerRegion(chart, kExplorerPaleGreen, Tr("Charts", "Targets allow"), rkPolygon);
  fCircles = ExplorerLine(chart, kExplorerGuide, Tr("Charts", "Natural frequency ωn"), 1, psSolid);
  fRays = ExplorerLine(chart, kExplorerGuide, Tr("Charts", "Damping ratio ζ"), 1, psDot);
  fAxis = ExplorerLine(chart, clBlack, Tr("Charts", "Stability boundary"), 2);
  fRealSegments = ExplorerLine(chart, kExplorerBlue, "", 5);
  fRealSegments->SetShowInLegend(false);
  fBranch1 = ExplorerLine(chart, kExplorerBlue, Tr("Charts", "Root locus"), 2);
  fBranch2 = ExplorerLine(chart, kExplorerBlue, "", 2);
  fBranch2->SetShowInLegend(false);
  fAnswer = ExplorerLine(chart, kExplorerGreen, Tr("Charts", "Meets the targets"), 5);
  fMeeting = ExplorerMarkers(chart, clWhite, Tr("Charts", "Critically damped"), psDiamond, 6);
  fMeeting->Pointer().Pen().SetWidth(2);
  fBoundary = ExplorerMarkers(chart, clBlack, Tr("Charts", "Pole at the origin"), psDiagCross, 6);
  fPoles = ExplorerMarkers(chart, kExplorerVermillion, Tr("Charts", "Poles"), psCircle, 6);
  fPoles->Pointer().Pen().SetWidth(2);
  fPoles->SetDragPoints(true);
  fLabelFont.SetName("Arial");
  fLabelFont.SetHeight(-11);
  fLabelFont.SetColor(RGB(120, 120, 120));
  fRays->AfterDrawValues = [this](TChartSeries&) { DrawGridLabels(); };
}

PoleMapChart::~PoleMapChart() = default;

void PoleMapChart::SetBounds(int left, int top, int width, int height) {
  FitExplorerLegend(*fChart, width);
  fChart->SetBounds(left, top, width, height);
}

void PoleMapChart::Render(TBitmap& bitmap, int scale) { RenderChart(*fChart, bitmap, scale); }

void PoleMapChart::Update(const ExplorerState& state) {
  const ChartRefresh refresh(*fChart);
  if (&state != fState || state.DesignRevision() != fDesignRevision) Rebuild(state);
  fState = &state;
  fDesignRevision = state.DesignRevision();
  UpdatePoles(state);
}

void PoleMapChart::UpdatePoles(const ExplorerState& state) {
  fPoles->ClearPoints();
  const ExplorerFigures& f = state.Figures();
  if (!f.Valid) {
    fPoles->SetTitle(Tr("Charts", "Poles"));
    return;
  }
  const LoopPoles& p = f.Poles.Poles;
  fPoles->AddPoint(p.Pole1.real(), p.Pole1.imag(), "", clDefault);
  fPoles->AddPoint(p.Pole2.real(), p.Pole2.imag(), "", clDefault);
  fPoles->SetTitle(
      FillIn(Tr("Charts", "Poles at k = %1: %2"), {ShortNumber(state.Feedback()), PoleText(p)}));
}

void PoleMapChart::Rebuild(const ExplorerState& state) {
  for (TChartSeries* s : std::initializer_list<TChartSeries*>{
           fAllowed.get(), fCircles.get(), fRays.get(), fAxis.get(), fRealSegments.get(),
           fBranch1.get(), fBranch2.get(), fAnswer.get(), fMeeting.get(), fBoundary.get()}) {
    s->ClearPoints();
  }
  fCircleFrequencies.clear();
  fMeeting->SetShowInLegend(false);
  fBoundary->SetShowInLegend(false);
  fAllowed->SetShowInLegend(false);
  fAnswer->SetShowInLegend(false);
  const RootLocus& locus = state.Locus();
  if (!state.Loop()) return;

  // The view: the locus and the j omega axis with a margin.
  double sLo = 0;
  double sHi = 0;
  double wMax = 0;
  for (const std::vector<LocusPoint>* branch : {&locus.Branch1, &locus.Branch2}) {
    for (const LocusPoint& p : *branch) {
      if (!std::isfinite(p.Pole.real()) || !std::isfinite(p.Pole.imag())) continue;
      sLo = std::min(sLo, p.Pole.real());
      sHi = std::max(sHi, p.Pole.real());
      wMax = std::max(wMax, std::abs(p.Pole.imag()));
    }
  }
  double span = sHi - sLo;
  if (!(span > 0)) span = std::max(1.0, wMax);
  sLo -= 0.08 * span;
  sHi += 0.12 * span;
  const double wHalf = std::max(wMax * 1.12, 0.3 * (sHi - sLo));
  fChart->BottomAxis().SetRange(sLo, sHi);
  fChart->LeftAxis().SetRange(-wHalf, wHalf);
  const double reach = 3 * std::max({-sLo, sHi, wHalf});

  // The grid.
  for (double zeta : kPoleMapDampingRatios) {
    const double s = -reach * zeta;
    const double w = reach * std::sqrt(1 - zeta * zeta);
    fRays->AddPoint(s, w, "", clDefault);
    fRays->AddPoint(0, 0, "", clDefault);
    fRays->AddPoint(s, -w, "", clDefault);
    AddBreak(*fRays);
  }
  const double radius = std::max(-sLo, wHalf);
  const double step = RoundStepBelow(radius / 3);
  for (int j = 1; j <= 6 && j * step <= radius; ++j) {
    const double wn = j * step;
    fCircleFrequencies.push_back(wn);
    for (int i = 0; i < kPoleMapCirclePoints; ++i) {
      const double angle =
          std::numbers::pi * (0.5 + static_cast<double>(i) / (kPoleMapCirclePoints - 1));
      fCircles->AddPoint(wn * std::cos(angle), wn * std::sin(angle), "", clDefault);
    }
    AddBreak(*fCircles);
  }
  SetSegment(*fAxis, 0, -reach, 0, reach);

  // The locus.
  for (const LocusPoint& p : locus.Branch1)
    fBranch1->AddPoint(p.Pole.real(), p.Pole.imag(), "", clDefault);
  for (const LocusPoint& p : locus.Branch2)
    fBranch2->AddPoint(p.Pole.real(), p.Pole.imag(), "", clDefault);
  for (const auto& [lo, hi] : locus.RealSegments) {
    if (fRealSegments->PointCount() > 0) AddBreak(*fRealSegments);
    fRealSegments->AddPoint(lo, 0, "", clDefault);
    fRealSegments->AddPoint(hi, 0, "", clDefault);
  }
  if (locus.CriticalFeedback) {
    fMeeting->AddPoint(locus.MeetingPoint, 0, "", clDefault);
    fMeeting->SetTitle(
        FillIn(Tr("Charts", "k = %1: critically damped, poles meet at %2"),
               {ShortNumber(*locus.CriticalFeedback), ShortNumber(locus.MeetingPoint)}));
    fMeeting->SetShowInLegend(true);
  }
  if (locus.BoundaryFeedback) {
    fBoundary->AddPoint(0, 0, "", clDefault);
    fBoundary->SetTitle(FillIn(Tr("Charts", "k = %1: a pole at 0, unstable below"),
                               {ShortNumber(*locus.BoundaryFeedback)}));
    fBoundary->SetShowInLegend(true);
  }
  FillAllowed(state, -reach);
  FillAnswer(state);
}

void PoleMapChart::FillAllowed(const ExplorerState& state, double farSigma) {
  const DesignTargets& targets = state.Targets();
  double zeta = -1;  // no wedge
  double sigmaLimit = 0;
  bool band = false;
  std::string text;
  const auto add = [&](const std::string& part) { text += (text.empty() ? "" : ", ") + part; };
  if (targets[TargetKind::Damping].Enabled) zeta = targets[TargetKind::Damping].Limit;
  if (targets[TargetKind::Overshoot].Enabled)
    zeta = std::max(zeta, DampingForOvershoot(targets[TargetKind::Overshoot].Limit));
  for (auto [kind, factor] :
       {std::pair{TargetKind::Settling2, 4.0}, {TargetKind::Settling5, 3.0}}) {
    const DesignTarget& t = targets[kind];
    if (!t.Enabled || !(t.Limit > 0)) continue;
    sigmaLimit = band ? std::min(sigmaLimit, -factor / t.Limit) : -factor / t.Limit;
    band = true;
  }
  const bool wedge = zeta > 0;
  if (!wedge && !band) return;
  if (wedge) add("ζ ≥ " + ShortNumber(std::min(zeta, 1.0)));
  if (band) add("σ ≤ " + ShortNumber(sigmaLimit));
  // The wedge's half-opening as the slope |omega| / |sigma|; a band alone
  // reaches as far up and down as the view goes.
  const double slope = wedge ? std::sqrt(std::max(0.0, 1 - zeta * zeta)) / zeta : 1e3;
  const double near = band ? sigmaLimit : 0;
  fAllowed->AddPoint(near, -near * slope, "", clDefault);
  fAllowed->AddPoint(farSigma, -farSigma * slope, "", clDefault);
  fAllowed->AddPoint(farSigma, farSigma * slope, "", clDefault);
  fAllowed->AddPoint(near, near * slope, "", clDefault);
  fAllowed->SetTitle(FillIn(Tr("Charts", "Targets allow %1"), {text}));
  fAllowed->SetShowInLegend(true);
}

void PoleMapChart::FillAnswer(const ExplorerState& state) {
  const DesignAnswer& answer = state.Design();
  if (answer.Targets.EnabledCount() == 0 || answer.Intervals.empty()) return;
  const FeedbackLoop& loop = *state.Loop();
  const RootLocus& locus = state.Locus();
  std::string text;
  for (const FeedbackInterval& in : answer.Intervals) {
    text += (text.empty() ? "" : ", ") +
            FillIn(Tr("Charts", "%1 to %2"), {ShortNumber(in.From), ShortNumber(in.To)});
    for (int branch = 0; branch < 2; ++branch) {
      const auto pole = [&](const LoopPoles& p) { return branch == 0 ? p.Pole1 : p.Pole2; };
      const auto add = [&](std::complex<double> p) {
        fAnswer->AddPoint(p.real(), p.imag(), "", clDefault);
      };
      if (fAnswer->PointCount() > 0) AddBreak(*fAnswer);
      add(pole(ComputePoles(loop.CoefAccel(), loop.CoefVelocity(in.From))));
      for (const LocusPoint& p : branch == 0 ? locus.Branch1 : locus.Branch2) {
        if (p.Feedback > in.From && p.Feedback < in.To) add(p.Pole);
      }
      add(pole(ComputePoles(loop.CoefAccel(), loop.CoefVelocity(in.To))));
    }
  }
  fAnswer->SetTitle(FillIn(Tr("Charts", "Meets the targets: k %1"), {text}));
  fAnswer->SetShowInLegend(true);
}

void PoleMapChart::DrawGridLabels() {
  TChart& chart = *fChart;
  TChartCanvas3D& canvas = chart.ChartCanvas();
  const TRect plot = chart.PlotRect();
  const TChartAxis& h = chart.BottomAxis();
  const TChartAxis& v = chart.LeftAxis();
  canvas.ClipTo(plot);
  chart.ApplyFont(fLabelFont);
  canvas.ChangeBackgroundMode(TRANSPARENT);
  const int pad = fRays->DevicePixels(3);
  // Each ray's label where it leaves the view at its top.
  const double top = v.Maximum();
  canvas.ChangeTextAlignment(TA_LEFT | TA_TOP);
  for (double zeta : kPoleMapDampingRatios) {
    const double slope = std::sqrt(1 - zeta * zeta) / zeta;
    double s = -top / slope;
    double w = top;
    if (s < h.Minimum()) {
      s = h.Minimum();
      w = -s * slope;
    }
    int x = h.ValueToPixel(s) + pad;
    int y = v.ValueToPixel(w) + pad;
    x = std::clamp(x, plot.Left + pad, plot.Right - fRays->DevicePixels(40));
    y = std::clamp(y, plot.Top + pad, plot.Bottom - fRays->DevicePixels(16));
    canvas.WriteText(x, y, "ζ " + ShortNumber(zeta));
  }
  // Each circle's value on it a little above the negative real axis, clear
  // of the locus there.
  canvas.ChangeTextAlignment(TA_LEFT | TA_BOTTOM);
  const double angle = kCircleLabelAngle * std::numbers::pi / 180;
  for (double wn : fCircleFrequencies) {
    canvas.WriteText(h.ValueToPixel(wn * std::cos(angle)) + pad,
                     v.ValueToPixel(wn * std::sin(angle)) - pad, ShortNumber(wn));
  }
  canvas.RemoveClip();
}

void RenderPoleMap(const ExplorerState& state, TBitmap& bitmap, int width, int height, int scale) {
  PoleMapChart chart(width, height);
  chart.Update(state);
  chart.Render(bitmap, scale);
}

}  // namespace drivesim
