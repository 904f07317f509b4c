#include "lab/ExplorerFigures.h"

#include <array>
#include <cmath>
#include <complex>

#include "analysis/DesignTargets.h"
#include "analysis/ExplorerState.h"
#include "platform/Numbers.h"

namespace drivesim {

namespace {

std::string PoleText(const std::complex<double>& pole, char separator) {
  std::string text = FormatSignificant(pole.real(), 4, separator);
  if (pole.imag() != 0) {
    text += pole.imag() < 0 ? " \u2212 j" : " + j";
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
    "Overshoot \u2264, %",        "Settling 2 % \u2264, s",     "Settling 5 % \u2264, s",
    "Rise time \u2264, s",        "Comparator error \u2264, %", "Damping ratio \u2265",
    "Phase margin \u2265, \u00b0"};

}  // namespace

std::string MetText(const std::optional<bool>& met) {
  if (!met) return std::string();
  return *met ? "met" : "not met";
}

const char* ExplorerTargetLabel(TargetKind kind) {
  return kTargetLabels[static_cast<std::size_t>(kind)];
}

std::string ExplorerAnswerText(const ExplorerState& state, char decimalSeparator) {
  const ExplorerFigures& f = state.Figures();
  if (!f.Valid) return f.Problem;
  if (state.Targets().EnabledCount() == 0) {
    return "Switch on a design target to see which k meet it.";
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

  add("Natural frequency \u03c9n, rad/s", FigureText(f.Poles.NaturalFreq, sep), "", {},
      "How fast the loop swings: \u03c9n = \u221aCoefVelocity, the distance of the poles from "
      "the origin.");
  add("Damping ratio \u03b6", FigureText(f.Poles.DampingRatio, sep), "",
      MetOf(f, TargetKind::Damping),
      "How quickly a swing dies away: \u03b6 = CoefAccel / (2 \u221aCoefVelocity). Below 1 the "
      "response overshoots; 1 is critical damping.");
  add("Pole 1, 1/s", PoleText(f.Poles.Poles.Pole1, sep), "", {},
      "A root of s\u00b2 + CoefAccel\u00b7s + CoefVelocity = 0: "
      "s = \u2212CoefAccel/2 \u00b1 \u221a(CoefAccel\u00b2/4 \u2212 CoefVelocity).");
  add("Pole 2, 1/s", PoleText(f.Poles.Poles.Pole2, sep), "", {},
      "The other root of s\u00b2 + CoefAccel\u00b7s + CoefVelocity = 0.");
  add("Loop DC gain L(0)", FigureText(f.SteadyState.LoopGainDc, sep), "", {},
      "The open loop's gain at rest: L(0) = k\u00b7AmpGain\u00b7MotorCoef / ViscousFriction.");
  add("Error at the comparator, %", FigureText(f.SteadyState.ErrorSignalPct, sep), "",
      MetOf(f, TargetKind::Error),
      "What is left at the comparator once the drive has settled, in % of the setpoint: "
      "(Setpoint \u2212 k\u00b7\u03c9\u221e) / Setpoint = 100 / (1 + L(0)). Feedback drives it "
      "down as k rises.");
  add("Velocity reached \u03c9\u221e, rad/s", FigureText(f.SteadyState.VelocityReached, sep),
      FigureText(measured.EndValue, sep), {},
      "The load velocity the drive settles at: \u03c9\u221e = CoefInput\u00b7Setpoint / "
      "CoefVelocity.");
  add("Velocity error, % (rises with k in this drive)",
      FigureText(f.SteadyState.VelocityErrorPct, sep), FigureText(measured.StaticErrorPct, sep), {},
      "(Setpoint \u2212 \u03c9\u221e) / Setpoint in %. The feedback compares k\u00b7\u03c9 with "
      "the setpoint, so a larger k makes the drive settle lower: this error rises with k while "
      "the comparator's error falls.");
  add("Overshoot, %", FigureText(closed.OvershootPct, sep), FigureText(measured.OvershootPct, sep),
      MetOf(f, TargetKind::Overshoot),
      "How far the velocity swings past its final value, in % of it: "
      "100\u00b7exp(\u2212\u03c0\u03b6/\u221a(1\u2212\u03b6\u00b2)) for \u03b6 < 1, 0 otherwise.");
  add("Peak time, s", FigureText(closed.PeakTime, sep), FigureText(measured.PeakTime, sep), {},
      "When the first peak comes: t = \u03c0 / \u03c9d, \u03c9d = "
      "\u03c9n\u221a(1\u2212\u03b6\u00b2).");
  add("Rise time 10\u201390 %, s", FigureText(closed.RiseTime, sep),
      FigureText(measured.RiseTime, sep), MetOf(f, TargetKind::Rise),
      "The time from 10 % to 90 % of the final value on the step response.");
  add("Settling time 2 %, s", FigureText(closed.Settling2Pct, sep),
      FigureText(measured.Settling2Pct, sep), MetOf(f, TargetKind::Settling2),
      "The time after which the velocity stays within \u00b12 % of its final value "
      "(about 4 / (\u03b6\u03c9n) for a lightly damped loop).");
  add("Settling time 5 %, s", FigureText(closed.Settling5Pct, sep),
      FigureText(measured.Settling5Pct, sep), MetOf(f, TargetKind::Settling5),
      "The time after which the velocity stays within \u00b15 % of its final value "
      "(about 3 / (\u03b6\u03c9n)).");
  add("Phase margin, \u00b0", FigureText(f.Frequency.PhaseMarginDeg, sep), "",
      MetOf(f, TargetKind::PhaseMargin),
      "How far the open loop's phase stays from \u2212180\u00b0 where its gain is 1: "
      "180\u00b0 + \u2220L(j\u03c9c).");
  add("Crossover frequency \u03c9c, rad/s", FigureText(f.Frequency.CrossoverFreq, sep), "", {},
      "The frequency where the open loop's gain is 1: |L(j\u03c9c)| = 1 (none when L(0) \u2264 "
      "1).");
  add("Bandwidth, rad/s", FigureText(f.Frequency.Bandwidth, sep), "", {},
      "The lowest frequency where the closed loop's gain falls to 1/\u221a2 of its gain at rest: "
      "|T(j\u03c9)| = |T(0)|/\u221a2.");
  add("Resonance peak, dB", FigureText(f.Frequency.ResonancePeakDb, sep), "", {},
      "How far the closed loop's gain rises above its gain at rest: 20\u00b7log10(max|T| / "
      "|T(0)|) = \u221220\u00b7log10(2\u03b6\u221a(1\u2212\u03b6\u00b2)) for \u03b6 < 1/\u221a2, "
      "0 otherwise.");
  return rows;
}

}  // namespace drivesim
