#include "lab/ExplorerFigures.h"

#include <array>
#include <cmath>
#include <complex>

#include "analysis/DesignTargets.h"
#include "analysis/ExplorerState.h"
#include "platform/Numbers.h"
#include "platform/Translate.h"

namespace drivesim {

namespace {

std::string PoleText(const std::complex<double>& pole, char separator) {
  std::string text = FormatSignificant(pole.real(), 4, separator);
  if (pole.imag() != 0) {
    text += pole.imag() < 0 ? " − j" : " + j";
    text += FormatSignificant(std::abs(pole.imag()), 4, separator);
  }
  return text;
}

// The figure of a percentage of the setpoint measured against y_inf, or a
// time: nothing to convert, the rows only choose what to show.
std::optional<bool> MetOf(const ExplorerFigures& figures, TargetKind kind) {
  return figures.TargetsMet[static_cast<std::size_t>(kind)];
}

// The targets' labels, in the order of TargetKind.
constexpr std::array<const char*, kTargetKinds> kTargetLabels = {
    TR_NOOP("TExplorerWindow", "Overshoot ≤, %"),
    TR_NOOP("TExplorerWindow", "Settling 2 % ≤, s"),
    TR_NOOP("TExplorerWindow", "Settling 5 % ≤, s"),
    TR_NOOP("TExplorerWindow", "Rise time ≤, s"),
    TR_NOOP("TExplorerWindow", "Comparator error ≤, %"),
    TR_NOOP("TExplorerWindow", "Damping ratio ≥"),
    TR_NOOP("TExplorerWindow", "Phase margin ≥, °")};

}  // namespace

std::string MetText(const std::optional<bool>& met) {
  if (!met) return std::string();
  return *met ? Tr("TExplorerWindow", "met") : Tr("TExplorerWindow", "not met");
}

std::string ExplorerTargetLabel(TargetKind kind) {
  return TrMarked("TExplorerWindow", kTargetLabels[static_cast<std::size_t>(kind)]);
}

std::string ExplorerAnswerText(const ExplorerState& state, char decimalSeparator) {
  const ExplorerFigures& f = state.Figures();
  if (!f.Valid) return f.Problem;
  if (state.Targets().EnabledCount() == 0) {
    return Tr("TExplorerWindow", "Switch on a design target to see which k meet it.");
  }
  return DesignSentence(state.Design(), decimalSeparator);
}

std::string FigureText(const std::optional<double>& value, char decimalSeparator) {
  if (!value || !std::isfinite(*value)) return std::string();
  return FormatSignificant(*value, 4, decimalSeparator);
}

bool ReadExplorerNumber(const std::string& text, double& value) {
  std::string point = text;
  const char separator = DecimalSeparator();
  for (char& c : point) {
    if (c == separator) c = '.';
  }
  // Surrounding blanks are forgiven; everything else must be a number.
  const std::size_t first = point.find_first_not_of(" \t");
  const std::size_t last = point.find_last_not_of(" \t");
  if (first == std::string::npos) return false;
  point = point.substr(first, last - first + 1);
  try {
    const double read = StrToFloatWithPoint(point);
    if (!std::isfinite(read)) return false;
    value = read;
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

std::vector<ExplorerFigureRow> ExplorerFigureRows(const ExplorerState& state, char sep) {
  std::vector<ExplorerFigureRow> rows;
  const ExplorerFigures& f = state.Figures();
  if (!f.Valid) return rows;
  const StepFigures& measured = f.Simulated.Measured;
  const ClosedFormFigures& closed = f.ClosedForm;
  auto add = [&](std::string name, std::string closedText, std::string measuredText,
                 std::optional<bool> met, std::string tooltip) {
    rows.push_back(
        {std::move(name), std::move(closedText), std::move(measuredText), met, std::move(tooltip)});
  };

  add(Tr("ExplorerFigures", "Natural frequency ωn, rad/s"), FigureText(f.Poles.NaturalFreq, sep),
      "", {},
      Tr("ExplorerFigures",
         "How fast the loop swings: ωn = √CoefVelocity, the distance of the poles from "
         "the origin."));
  add(Tr("ExplorerFigures", "Damping ratio ζ"), FigureText(f.Poles.DampingRatio, sep), "",
      MetOf(f, TargetKind::Damping),
      Tr("ExplorerFigures",
         "How quickly a swing dies away: ζ = CoefAccel / (2 √CoefVelocity). Below 1 the "
         "response overshoots; 1 is critical damping."));
  add(Tr("ExplorerFigures", "Pole 1, 1/s"), PoleText(f.Poles.Poles.Pole1, sep), "", {},
      Tr("ExplorerFigures",
         "A root of s² + CoefAccel·s + CoefVelocity = 0: "
         "s = −CoefAccel/2 ± √(CoefAccel²/4 − CoefVelocity)."));
  add(Tr("ExplorerFigures", "Pole 2, 1/s"), PoleText(f.Poles.Poles.Pole2, sep), "", {},
      Tr("ExplorerFigures", "The other root of s² + CoefAccel·s + CoefVelocity = 0."));
  add(Tr("ExplorerFigures", "Loop DC gain L(0)"), FigureText(f.SteadyState.LoopGainDc, sep), "", {},
      Tr("ExplorerFigures",
         "The open loop's gain at rest: L(0) = k·AmpGain·MotorCoef / ViscousFriction."));
  add(Tr("ExplorerFigures", "Error at the comparator, %"),
      FigureText(f.SteadyState.ErrorSignalPct, sep), "", MetOf(f, TargetKind::Error),
      Tr("ExplorerFigures",
         "What is left at the comparator once the drive has settled, in % of the setpoint: "
         "(Setpoint − k·ω∞) / Setpoint = 100 / (1 + L(0)). Feedback drives it "
         "down as k rises."));
  add(Tr("ExplorerFigures", "Velocity reached ω∞, rad/s"),
      FigureText(f.SteadyState.VelocityReached, sep), FigureText(measured.EndValue, sep), {},
      Tr("ExplorerFigures",
         "The load velocity the drive settles at: ω∞ = CoefInput·Setpoint / "
         "CoefVelocity."));
  add(Tr("ExplorerFigures", "Velocity error, % (rises with k in this drive)"),
      FigureText(f.SteadyState.VelocityErrorPct, sep), FigureText(measured.StaticErrorPct, sep), {},
      Tr("ExplorerFigures",
         "(Setpoint − ω∞) / Setpoint in %. The feedback compares k·ω with "
         "the setpoint, so a larger k makes the drive settle lower: this error rises with k while "
         "the comparator's error falls."));
  add(Tr("ExplorerFigures", "Overshoot, %"), FigureText(closed.OvershootPct, sep),
      FigureText(measured.OvershootPct, sep), MetOf(f, TargetKind::Overshoot),
      Tr("ExplorerFigures",
         "How far the velocity swings past its final value, in % of it: "
         "100·exp(−πζ/√(1−ζ²)) for ζ < 1, 0 otherwise."));
  add(Tr("ExplorerFigures", "Peak time, s"), FigureText(closed.PeakTime, sep),
      FigureText(measured.PeakTime, sep), {},
      Tr("ExplorerFigures",
         "When the first peak comes: t = π / ωd, ωd = "
         "ωn√(1−ζ²)."));
  add(Tr("ExplorerFigures", "Rise time 10–90 %, s"), FigureText(closed.RiseTime, sep),
      FigureText(measured.RiseTime, sep), MetOf(f, TargetKind::Rise),
      Tr("ExplorerFigures", "The time from 10 % to 90 % of the final value on the step response."));
  add(Tr("ExplorerFigures", "Settling time 2 %, s"), FigureText(closed.Settling2Pct, sep),
      FigureText(measured.Settling2Pct, sep), MetOf(f, TargetKind::Settling2),
      Tr("ExplorerFigures",
         "The time after which the velocity stays within ±2 % of its final value "
         "(about 4 / (ζωn) for a lightly damped loop)."));
  add(Tr("ExplorerFigures", "Settling time 5 %, s"), FigureText(closed.Settling5Pct, sep),
      FigureText(measured.Settling5Pct, sep), MetOf(f, TargetKind::Settling5),
      Tr("ExplorerFigures",
         "The time after which the velocity stays within ±5 % of its final value "
         "(about 3 / (ζωn))."));
  add(Tr("ExplorerFigures", "Phase margin, °"), FigureText(f.Frequency.PhaseMarginDeg, sep), "",
      MetOf(f, TargetKind::PhaseMargin),
      Tr("ExplorerFigures",
         "How far the open loop's phase stays from −180° where its gain is 1: "
         "180° + ∠L(jωc)."));
  add(Tr("ExplorerFigures", "Crossover frequency ωc, rad/s"),
      FigureText(f.Frequency.CrossoverFreq, sep), "", {},
      Tr("ExplorerFigures",
         "The frequency where the open loop's gain is 1: |L(jωc)| = 1 (none when L(0) ≤ "
         "1)."));
  add(Tr("ExplorerFigures", "Bandwidth, rad/s"), FigureText(f.Frequency.Bandwidth, sep), "", {},
      Tr("ExplorerFigures",
         "The lowest frequency where the closed loop's gain falls to 1/√2 of its gain at rest: "
         "|T(jω)| = |T(0)|/√2."));
  add(Tr("ExplorerFigures", "Resonance peak, dB"), FigureText(f.Frequency.ResonancePeakDb, sep), "",
      {},
      Tr("ExplorerFigures",
         "How far the closed loop's gain rises above its gain at rest: 20·log10(max|T| / "
         "|T(0)|) = −20·log10(2ζ√(1−ζ²)) for ζ < 1/√2, "
         "0 otherwise."));
  return rows;
}

}  // namespace drivesim
